#include "generation/BoletosEmitidos.h"

#include "config/EstadoPrograma.h"
#include "db/Connection.h"
#include "db/Literal.h"
#include "db/ResultSet.h"
#include "util/Erro.h"
#include "util/Money.h"
#include "util/Rotinas.h"

#include <QStringList>
#include <QSysInfo>

using automation::Variant;
using Forma = MembroGuardado::Forma;

namespace {

const QString formatoData = QStringLiteral("dd/MM/yyyy");

// A MeusDados collection as "nome=valor" lines; a line end inside a value would split it, so none is kept.
QString textoDosDados(const QList<DadoGuardado> &dados) {
    QStringList linhas;
    for (const DadoGuardado &d : dados)
        linhas << d.nome + u'=' + QString(d.valor).replace(u'\n', u' ');
    return linhas.join(u'\n');
}

QList<DadoGuardado> dadosDoTexto(const QString &texto) {
    QList<DadoGuardado> dados;
    for (const QString &linha : texto.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype igual = linha.indexOf(u'=');
        dados.append({linha.left(igual), linha.mid(igual + 1)});
    }
    return dados;
}

QList<DadoGuardado> leDados(const boleto::ObjetoBolix &dono) {
    QList<DadoGuardado> dados;
    const int quantos = int(dono.get(QStringLiteral("MeusDados.Count")).toInt());
    for (int i = 0; i < quantos; ++i) {
        const boleto::ObjetoBolix item(dono.item(QStringLiteral("MeusDados"), i).toObject());
        dados.append({item.get(QStringLiteral("Nome")).toText(), item.get(QStringLiteral("Valor")).toText()});
    }
    return dados;
}

QList<Variant> leMembros(const boleto::ObjetoBolix &dono, const QList<MembroGuardado> &membros) {
    QList<Variant> valores;
    for (const MembroGuardado &m : membros)
        valores.append(dono.get(QLatin1String(m.membro)));
    return valores;
}

QString literal(Connection &conexao, const Variant &v, Forma forma) {
    if (v.isEmpty())
        return forma == Forma::Chave ? Literal(conexao, QString()) : LiteralNulo();
    switch (forma) {
    case Forma::Moeda:
        return Literal(Money::deCurrency(v.toCurrency()));
    case Forma::Centavos:
        return Literal(Arredonda(Money::deCurrency(v.toCurrency())));
    case Forma::Data: {
        const QDate data = QDate::fromString(v.toText().trimmed(), formatoData);
        return data.isValid() ? Literal(data) : LiteralNulo();
    }
    case Forma::Inteiro:
        return Literal(qint64(v.toInt()));
    case Forma::Logico:
        return Literal(conexao, v.toBool() ? QStringLiteral("S") : QStringLiteral("N"));
    case Forma::Texto:
    case Forma::TextoLongo:
    case Forma::Chave:
        break;
    }
    return Literal(conexao, v.toText());
}

Variant lido(const Valor &celula, Forma forma) {
    if (celula.nulo() || (forma == Forma::Chave && celula.texto().isEmpty()))
        return {};
    switch (forma) {
    case Forma::Moeda:
    case Forma::Centavos:
        return Variant(celula.dinheiro().toCurrency());
    case Forma::Data:
        return Variant(celula.data().toString(formatoData));
    case Forma::Inteiro:
        return Variant(celula.inteiroLongo());
    case Forma::Logico:
        return Variant(celula.texto() == u"S");
    case Forma::Texto:
    case Forma::TextoLongo:
    case Forma::Chave:
        break;
    }
    return Variant(celula.texto());
}

QString tipoDaColuna(Forma forma) {
    switch (forma) {
    case Forma::Moeda:
        return QStringLiteral("decimal(19,4) null");
    case Forma::Centavos:
        return QStringLiteral("decimal(19,2) null");
    case Forma::Chave:
        return QStringLiteral("varchar(255) not null default ''");
    case Forma::Data:
        return QStringLiteral("date null");
    case Forma::Inteiro:
        return QStringLiteral("int null");
    case Forma::Logico:
        return QStringLiteral("char(1) null");
    case Forma::TextoLongo:
        return QStringLiteral("text null");
    case Forma::Texto:
        break;
    }
    return QStringLiteral("varchar(255) null");
}

// Columns that came after the first records: a record written before them gets them, empty.
struct ColunaAcrescentada {
    const char *nome;
    const char *tipo;
};
const ColunaAcrescentada acrescentadas[] = {
    {"nosso_numero_impresso", "varchar(40) not null default ''"},
    {"estacao", "varchar(64) not null default ''"},
};

const QString chaveConta = QStringLiteral("conta_nosso");

Variant valorDe(const QList<MembroGuardado> &membros, const QList<Variant> &valores, const char *membro) {
    for (qsizetype i = 0; i < membros.size(); ++i)
        if (qstrcmp(membros[i].membro, membro) == 0)
            return valores.value(i);
    return {};
}

// Halves to the even cent, as the component prints them (a plain round() takes halves away from zero).
QString sqlEmCentavos(const QString &coluna) {
    return QStringLiteral("update ruvenal_boletos set %1 = case when %1 * 100 - floor(%1 * 100) = 0.5 then "
                          "(floor(%1 * 100) + mod(abs(floor(%1 * 100)), 2)) / 100 else round(%1, 2) end "
                          "where %1 <> truncate(%1, 2)")
        .arg(coluna);
}

// What a record written by an earlier version lacks, as the clauses of one alter table; the values that a
// changed column would lose or refuse are mended first.
QStringList alteracoesPendentes(Connection &conexao) {
    const ResultSet existentes = conexao.abre(QStringLiteral(
        "select lower(column_name), lower(column_type), is_nullable from information_schema.columns where "
        "table_schema = database() and table_name = 'ruvenal_boletos'"));
    const auto procura = [&](const QString &nome) {
        for (int i = 0; i < existentes.linhas(); ++i)
            if (existentes.valor(i, 0).texto() == nome)
                return i;
        return -1;
    };
    QStringList alteracoes;
    for (const ColunaAcrescentada &c : acrescentadas)
        if (procura(QLatin1String(c.nome)) < 0)
            alteracoes
                << QStringLiteral("add column %1 %2").arg(QLatin1String(c.nome), QLatin1String(c.tipo));
    for (const auto *lista : {&MembrosDaConta(), &MembrosDoDocumento()}) {
        for (const MembroGuardado &m : *lista) {
            const QString coluna = QLatin1String(m.coluna);
            const int i = procura(coluna);
            if (i < 0)
                continue;
            if (m.forma == Forma::Chave && existentes.valor(i, 2).texto() == u"YES")
                conexao.executa(
                    QStringLiteral("update ruvenal_boletos set %1 = '' where %1 is null").arg(coluna));
            else if (m.forma == Forma::Centavos && existentes.valor(i, 1).texto() != u"decimal(19,2)")
                conexao.executa(sqlEmCentavos(coluna));
            else
                continue;
            alteracoes << QStringLiteral("modify %1 %2").arg(coluna, tipoDaColuna(m.forma));
        }
    }
    return alteracoes;
}

// Numbers the record holds more than once for one account, one line each.
QStringList repetidos(Connection &conexao) {
    const ResultSet r = conexao.abre(QStringLiteral(
        "select nosso_numero, banco, carteira, convenio, count(*) vezes from ruvenal_boletos where "
        "nosso_numero is not null group by banco, carteira, convenio, nosso_numero having count(*) > 1 "
        "order by banco, carteira, convenio, nosso_numero"));
    QStringList linhas;
    for (int i = 0; i < r.linhas(); ++i)
        linhas << QStringLiteral("nosso número %1 (banco %2, carteira %3, convênio %4): %5 boletos")
                      .arg(r.valor(i, 0).texto(), r.valor(i, 1).texto(), r.valor(i, 2).texto(),
                           r.valor(i, 3).texto(), r.valor(i, 4).texto());
    return linhas;
}

QStringList colunas(const QList<MembroGuardado> &membros) {
    QStringList nomes;
    for (const MembroGuardado &m : membros)
        nomes << QLatin1String(m.coluna);
    return nomes;
}

} // namespace

const QList<MembroGuardado> &MembrosDaConta() {
    static const QList<MembroGuardado> membros = {
        {"CodigoAgencia", "agencia", Forma::Texto},
        {"NumeroContaCorrente", "conta", Forma::Texto},
        {"CodigoCedente", "convenio", Forma::Chave},
        {"OutroDadoConfiguracao1", "outro_dado1", Forma::Texto},
        {"OutroDadoConfiguracao2", "outro_dado2", Forma::Texto},
        {"InicioNossoNumero", "inicio_nosso_numero", Forma::Texto},
        {"FimNossoNumero", "fim_nosso_numero", Forma::Texto},
        {"LocalPagamento", "local_pagamento", Forma::Texto},
        {"NaoUsarFatorVencimento", "sem_fator_vencimento", Forma::Logico},
    };
    return membros;
}

const QList<MembroGuardado> &MembrosDoDocumento() {
    static const QList<MembroGuardado> membros = {
        {"NossoNumero", "nosso_numero", Forma::Texto},
        {"NumeroDocumento", "numero_documento", Forma::Texto},
        {"ValorDocumento", "valor", Forma::Centavos},
        {"DataVencimento", "vencimento", Forma::Data},
        {"DataDocumento", "emissao", Forma::Data},
        {"DataProcessamento", "processamento", Forma::Data},
        {"NomeSacado", "nome_sacado", Forma::Texto},
        {"CPFSacado", "cpf_sacado", Forma::Texto},
        {"CNPJSacado", "cnpj_sacado", Forma::Texto},
        {"EnderecoSacado", "endereco_sacado", Forma::Texto},
        {"BairroSacado", "bairro_sacado", Forma::Texto},
        {"CidadeSacado", "cidade_sacado", Forma::Texto},
        {"EstadoSacado", "estado_sacado", Forma::Texto},
        {"CepSacado", "cep_sacado", Forma::Texto},
        {"TipoDocumentoCobranca", "especie", Forma::Texto},
        {"Aceite", "aceite", Forma::Texto},
        {"NumeroControle", "numero_controle", Forma::Texto},
        {"BancoGeraNossoNumero", "banco_gera_nosso_numero", Forma::Logico},
        {"BancoEmiteBoleto", "banco_emite_boleto", Forma::Logico},
        {"DiasProtesto", "dias_protesto", Forma::Inteiro},
        {"InstrucaoCobranca3", "instrucao3", Forma::Texto},
        {"ValorJurosDiaAtraso", "valor_juros", Forma::Moeda},
        {"ValorMultaAtraso", "valor_multa", Forma::Moeda},
        {"ValorDesconto", "valor_desconto", Forma::Moeda},
        {"ValorOutrosAcrescimos", "valor_acrescimo", Forma::Moeda},
        {"PercentualJurosDiaAtraso", "percentual_juros", Forma::Moeda},
        {"PercentualMultaAtraso", "percentual_multa", Forma::Moeda},
        {"PercentualDesconto", "percentual_desconto", Forma::Moeda},
        {"PadroesBoleto.InstrucoesCaixa", "instrucoes_caixa", Forma::TextoLongo},
        {"PadroesBoleto.Demonstrativo", "demonstrativo", Forma::TextoLongo},
    };
    return membros;
}

void LeContaDoComponente(const boleto::ObjetoBolix &bolix, BoletoEmitido &b) {
    b.banco = bolix.get(QStringLiteral("NumeroBanco")).toText();
    b.conta = leMembros(bolix, MembrosDaConta());
    b.dadosConta = leDados(bolix);
}

void LeDocumentoDoComponente(const boleto::ObjetoBolix &doc, BoletoEmitido &b) {
    b.documento = leMembros(doc, MembrosDoDocumento());
    b.dadosDocumento = leDados(doc);
    b.nossoNumeroImpresso = doc.get(QStringLiteral("NossoNumeroImpresso")).toText();
}

namespace {

QString acrescentadasNaCriacao() {
    QString texto;
    for (const ColunaAcrescentada &c : acrescentadas)
        texto += QStringLiteral(" %1 %2,\n").arg(QLatin1String(c.nome), QLatin1String(c.tipo));
    return texto;
}

} // namespace

QString sqlCriaBoletosEmitidos() {
    QString membros;
    for (const auto *lista : {&MembrosDaConta(), &MembrosDoDocumento()})
        for (const MembroGuardado &m : *lista)
            membros += QStringLiteral(" %1 %2,\n").arg(QLatin1String(m.coluna), tipoDaColuna(m.forma));
    return QStringLiteral("create table if not exists ruvenal_boletos (\n"
                          " boleto_id bigint not null auto_increment,\n"
                          " tipo_sacado char(1) not null,\n"
                          " codigo bigint not null,\n"
                          " banco varchar(3) not null,\n"
                          " carteira varchar(10) not null default '',\n") +
           membros +
           QStringLiteral(" dados_conta text null,\n"
                          " dados_documento text null,\n") +
           acrescentadasNaCriacao() +
           QStringLiteral(" sequencia_remessa int not null default 0,\n"
                          " emitido_em datetime not null,\n"
                          " filial_id int not null default 0,\n"
                          " num_caixa int not null default 0,\n"
                          " primary key (boleto_id),\n"
                          " key emitido (emitido_em),\n"
                          " key sacado (codigo),\n"
                          " key documento (numero_documento),\n"
                          " key nosso (nosso_numero),\n"
                          " key vencimento (vencimento)\n"
                          ") engine=InnoDB default charset=latin1");
}

QStringList PreparaBoletosEmitidos(Connection &conexao) {
    conexao.executa(sqlCriaBoletosEmitidos());
    const QStringList alteracoes = alteracoesPendentes(conexao);
    if (!alteracoes.isEmpty())
        conexao.executa(QStringLiteral("alter table ruvenal_boletos ") +
                        alteracoes.join(QStringLiteral(", ")));
    const ResultSet chave = conexao.abre(
        QStringLiteral("select 1 from information_schema.statistics where table_schema = database() and "
                       "table_name = 'ruvenal_boletos' and index_name = %1")
            .arg(Literal(conexao, chaveConta)));
    if (!chave.vazio())
        return {};
    QStringList vezes = repetidos(conexao);
    if (vezes.isEmpty())
        conexao.executa(
            QStringLiteral(
                "alter table ruvenal_boletos add unique key %1 (banco, carteira, convenio, nosso_numero)")
                .arg(chaveConta));
    return vezes;
}

QString NomeDaEstacao() {
    return QSysInfo::machineHostName();
}

void ConfereNaoEmitidos(Connection &conexao, const QList<BoletoEmitido> &boletos) {
    QStringList nossos;
    for (const BoletoEmitido &b : boletos)
        if (const Variant n = ValorDoDocumento(b, "NossoNumero"); !n.isEmpty())
            nossos << Literal(conexao, n.toText());
    if (nossos.isEmpty())
        return;
    const BoletoEmitido &b = boletos.first();
    const ResultSet r = conexao.abre(
        QStringLiteral(
            "select nosso_numero, nosso_numero_impresso, estacao, num_caixa, emitido_em from "
            "ruvenal_boletos where banco = %1 and carteira = %2 and convenio = %3 and nosso_numero "
            "in (%4) order by emitido_em, boleto_id limit 1")
            .arg(Literal(conexao, b.banco), Literal(conexao, b.carteira),
                 literal(conexao, valorDe(MembrosDaConta(), b.conta, "CodigoCedente"), Forma::Chave),
                 nossos.join(QStringLiteral(", "))));
    if (r.vazio())
        return;
    const QString impresso = r.valor(0, "nosso_numero_impresso").texto();
    const QString estacao = r.valor(0, "estacao").texto();
    throw Erro(
        QStringLiteral("O nosso número %1 já foi emitido em %2 pela estação %3, caixa %4. A numeração foi "
                       "alterada à mão? Nada foi gravado nem impresso.")
            .arg(impresso.isEmpty() ? r.valor(0, "nosso_numero").texto() : impresso,
                 r.valor(0, "emitido_em").dataHora().toString(QStringLiteral("dd/MM/yyyy hh:mm")),
                 estacao.isEmpty() ? QStringLiteral("(não registrada)") : estacao,
                 r.valor(0, "num_caixa").texto()));
}

QStringList sqlRegistraBoletosEmitidos(Connection &conexao, const QList<BoletoEmitido> &boletos,
                                       const QDateTime &quando, const EstadoPrograma &estado) {
    // Rows in statements of their own by the hundred: a statement per boleto would cost a run more than
    // writing them, and a few hundred rows stay far below the server's packet limit.
    constexpr qsizetype porComando = 200;
    const QString daEstacao = QStringLiteral("%1, %2, %3, %4")
                                  .arg(Literal(conexao, NomeDaEstacao()), Literal(quando),
                                       Literal(estado.FilialAtual), Literal(estado.NumCaixa));
    const QStringList nomes = QStringList{"tipo_sacado", "codigo", "banco", "carteira"} +
                              colunas(MembrosDaConta()) + colunas(MembrosDoDocumento()) +
                              QStringList{"dados_conta",       "dados_documento", "nosso_numero_impresso",
                                          "sequencia_remessa", "estacao",         "emitido_em",
                                          "filial_id",         "num_caixa"};
    const QString inicio =
        QStringLiteral("insert into ruvenal_boletos (%1) values ").arg(nomes.join(QStringLiteral(", ")));
    QStringList comandos;
    for (qsizetype primeiro = 0; primeiro < boletos.size(); primeiro += porComando) {
        QStringList linhas;
        for (const BoletoEmitido &b : boletos.mid(primeiro, porComando)) {
            QStringList valores = {Literal(conexao, b.tipoSacado), Literal(b.codigo),
                                   Literal(conexao, b.banco), Literal(conexao, b.carteira)};
            for (qsizetype i = 0; i < MembrosDaConta().size(); ++i)
                valores << literal(conexao, b.conta.value(i), MembrosDaConta()[i].forma);
            for (qsizetype i = 0; i < MembrosDoDocumento().size(); ++i)
                valores << literal(conexao, b.documento.value(i), MembrosDoDocumento()[i].forma);
            valores << Literal(conexao, textoDosDados(b.dadosConta))
                    << Literal(conexao, textoDosDados(b.dadosDocumento))
                    << Literal(conexao, b.nossoNumeroImpresso) << Literal(b.sequenciaRemessa) << daEstacao;
            linhas << u'(' + valores.join(QStringLiteral(", ")) + u')';
        }
        comandos << inicio + linhas.join(QStringLiteral(", "));
    }
    return comandos;
}

QString sqlBoletosPorId(const QList<qint64> &ids) {
    QStringList lista;
    for (qint64 id : ids)
        lista << Literal(id);
    return QStringLiteral("select b.*, p.copia_e_cola pix_copia_e_cola from ruvenal_boletos b left join "
                          "ruvenal_pix p on p.boleto_id = b.boleto_id where b.boleto_id in (%1) order by "
                          "field(b.boleto_id, %1)")
        .arg(lista.isEmpty() ? QStringLiteral("0") : lista.join(QStringLiteral(", ")));
}

BoletoEmitido BoletoDoRegistro(const ResultSet &r, int linha) {
    BoletoEmitido b;
    b.tipoSacado = r.valor(linha, "tipo_sacado").texto();
    b.codigo = r.valor(linha, "codigo").inteiroLongo();
    b.banco = r.valor(linha, "banco").texto();
    b.carteira = r.valor(linha, "carteira").texto();
    for (const MembroGuardado &m : MembrosDaConta())
        b.conta.append(lido(r.valor(linha, QLatin1String(m.coluna)), m.forma));
    for (const MembroGuardado &m : MembrosDoDocumento())
        b.documento.append(lido(r.valor(linha, QLatin1String(m.coluna)), m.forma));
    b.dadosConta = dadosDoTexto(r.valor(linha, "dados_conta").texto());
    b.dadosDocumento = dadosDoTexto(r.valor(linha, "dados_documento").texto());
    b.nossoNumeroImpresso = r.valor(linha, "nosso_numero_impresso").texto();
    b.sequenciaRemessa = r.valor(linha, "sequencia_remessa").inteiro();
    b.pixCopiaECola = r.valor(linha, "pix_copia_e_cola").texto();
    return b;
}

Variant ValorDoDocumento(const BoletoEmitido &b, const char *membro) {
    return valorDe(MembrosDoDocumento(), b.documento, membro);
}

QString NossoNumeroMostrado(const BoletoEmitido &b) {
    return b.nossoNumeroImpresso.isEmpty() ? ValorDoDocumento(b, "NossoNumero").toText()
                                           : b.nossoNumeroImpresso;
}
