#include "generation/BoletosEmitidos.h"

#include "config/EstadoPrograma.h"
#include "db/Connection.h"
#include "db/Literal.h"
#include "db/ResultSet.h"
#include "util/Money.h"

#include <QStringList>

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
        return LiteralNulo();
    switch (forma) {
    case Forma::Moeda:
        return Literal(Money::deCurrency(v.toCurrency()));
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
        break;
    }
    return Literal(conexao, v.toText());
}

Variant lido(const Valor &celula, Forma forma) {
    if (celula.nulo())
        return {};
    switch (forma) {
    case Forma::Moeda:
        return Variant(celula.dinheiro().toCurrency());
    case Forma::Data:
        return Variant(celula.data().toString(formatoData));
    case Forma::Inteiro:
        return Variant(celula.inteiroLongo());
    case Forma::Logico:
        return Variant(celula.texto() == u"S");
    case Forma::Texto:
    case Forma::TextoLongo:
        break;
    }
    return Variant(celula.texto());
}

QString tipoDaColuna(Forma forma) {
    switch (forma) {
    case Forma::Moeda:
        return QStringLiteral("decimal(19,4)");
    case Forma::Data:
        return QStringLiteral("date");
    case Forma::Inteiro:
        return QStringLiteral("int");
    case Forma::Logico:
        return QStringLiteral("char(1)");
    case Forma::TextoLongo:
        return QStringLiteral("text");
    case Forma::Texto:
        break;
    }
    return QStringLiteral("varchar(255)");
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
        {"CodigoCedente", "convenio", Forma::Texto},
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
        {"ValorDocumento", "valor", Forma::Moeda},
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
}

QString sqlCriaBoletosEmitidos() {
    QString membros;
    for (const auto *lista : {&MembrosDaConta(), &MembrosDoDocumento()})
        for (const MembroGuardado &m : *lista)
            membros += QStringLiteral(" %1 %2 null,\n").arg(QLatin1String(m.coluna), tipoDaColuna(m.forma));
    return QStringLiteral("create table if not exists ruvenal_boletos (\n"
                          " boleto_id bigint not null auto_increment,\n"
                          " tipo_sacado char(1) not null,\n"
                          " codigo bigint not null,\n"
                          " banco varchar(3) not null,\n"
                          " carteira varchar(10) not null default '',\n") +
           membros +
           QStringLiteral(" dados_conta text null,\n"
                          " dados_documento text null,\n"
                          " sequencia_remessa int not null default 0,\n"
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

QString sqlRegistraBoletoEmitido(Connection &conexao, const BoletoEmitido &b, const QDateTime &quando,
                                 const EstadoPrograma &estado) {
    QStringList valores = {Literal(conexao, b.tipoSacado), Literal(b.codigo), Literal(conexao, b.banco),
                           Literal(conexao, b.carteira)};
    for (qsizetype i = 0; i < MembrosDaConta().size(); ++i)
        valores << literal(conexao, b.conta.value(i), MembrosDaConta()[i].forma);
    for (qsizetype i = 0; i < MembrosDoDocumento().size(); ++i)
        valores << literal(conexao, b.documento.value(i), MembrosDoDocumento()[i].forma);
    valores << Literal(conexao, textoDosDados(b.dadosConta))
            << Literal(conexao, textoDosDados(b.dadosDocumento)) << Literal(b.sequenciaRemessa)
            << Literal(quando) << Literal(estado.FilialAtual) << Literal(estado.NumCaixa);
    const QStringList nomes = QStringList{"tipo_sacado", "codigo", "banco", "carteira"} +
                              colunas(MembrosDaConta()) + colunas(MembrosDoDocumento()) +
                              QStringList{"dados_conta", "dados_documento", "sequencia_remessa",
                                          "emitido_em",  "filial_id",       "num_caixa"};
    return QStringLiteral("insert into ruvenal_boletos (%1) values (%2)")
        .arg(nomes.join(QStringLiteral(", ")), valores.join(QStringLiteral(", ")));
}

QString sqlBoletosPorId(const QList<qint64> &ids) {
    QStringList lista;
    for (qint64 id : ids)
        lista << Literal(id);
    return QStringLiteral("select b.*, p.copia_e_cola pix_copia_e_cola from ruvenal_boletos b left join "
                          "ruvenal_pix p on p.boleto_id = b.boleto_id where b.boleto_id in (%1) order by "
                          "b.boleto_id")
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
    b.sequenciaRemessa = r.valor(linha, "sequencia_remessa").inteiro();
    b.pixCopiaECola = r.valor(linha, "pix_copia_e_cola").texto();
    return b;
}

Variant ValorDoDocumento(const BoletoEmitido &b, const char *membro) {
    for (qsizetype i = 0; i < MembrosDoDocumento().size(); ++i)
        if (qstrcmp(MembrosDoDocumento()[i].membro, membro) == 0)
            return b.documento.value(i);
    return {};
}
