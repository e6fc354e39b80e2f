#include "generation/SegundaVia.h"

#include "db/Connection.h"
#include "db/Literal.h"
#include "generation/Documentos.h"
#include "generation/MeusDados.h"
#include "util/Rotinas.h"

#include <QDir>

using automation::Variant;
using boleto::ObjetoBolix;

namespace {

// Text for LIKE: the operator's % and _ are letters, not patterns.
QString semCuringas(QString texto) {
    return texto.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
}

// The start of the sequence as given to the component, the sequence itself without its leading zeros, or
// the start of the printed number's digits: typed with or without its punctuation and check digit.
QString porNossoNumero(Connection &conexao, const QString &texto) {
    QString sql = QStringLiteral("b.nosso_numero like %1").arg(Literal(conexao, semCuringas(texto) + u'%'));
    QString digitos = SoNumeros(texto);
    if (!digitos.isEmpty()) {
        sql += QStringLiteral(" or regexp_replace(b.nosso_numero_impresso, '[^0-9]', '') like %1")
                   .arg(Literal(conexao, digitos + u'%'));
        while (digitos.size() > 1 && digitos.startsWith(u'0'))
            digitos.remove(0, 1);
        sql +=
            QStringLiteral(" or trim(leading '0' from b.nosso_numero) = %1").arg(Literal(conexao, digitos));
    }
    return QStringLiteral(" and (%1)").arg(sql);
}

QString condicoes(Connection &conexao, const FiltroBoletos &f) {
    QString sql;
    const QString cliente = f.cliente.trimmed();
    if (!cliente.isEmpty()) {
        bool numero = false;
        const qint64 codigo = cliente.toLongLong(&numero);
        const QString nome =
            QStringLiteral("b.nome_sacado like %1").arg(Literal(conexao, u'%' + semCuringas(cliente) + u'%'));
        sql += numero ? QStringLiteral(" and (b.codigo = %1 or %2)").arg(Literal(codigo), nome)
                      : QStringLiteral(" and ") + nome;
    }
    if (!f.numeroDocumento.trimmed().isEmpty())
        sql += QStringLiteral(" and b.numero_documento = %1")
                   .arg(Literal(conexao, NumeroDocumento(f.numeroDocumento.trimmed())));
    if (!f.nossoNumero.trimmed().isEmpty())
        sql += porNossoNumero(conexao, f.nossoNumero.trimmed());
    const QString coluna = f.porVencimento ? QStringLiteral("b.vencimento") : QStringLiteral("b.emissao");
    if (f.de)
        sql += QStringLiteral(" and %1 >= %2").arg(coluna, Literal(*f.de));
    if (f.ate)
        sql += QStringLiteral(" and %1 <= %2").arg(coluna, Literal(*f.ate));
    return sql;
}

// The boleto's receivables still open, and its payments settled through a return since it was issued.
const QString emAberto = QStringLiteral(
    "exists (select 1 from receber r where r.numero_documento = b.numero_documento and r.apagado <> 'S' "
    "and r.amort < 100 and r.quantidade > 0)");
const QString baixado = QStringLiteral(
    "exists (select 1 from ruvenal_baixas x where x.tipo = 'B' and x.situacao = 'B' and x.chave = "
    "b.numero_documento and x.baixado_em >= b.emitido_em)");

QString nomeDoBoleto(const BoletoEmitido &b) {
    return QStringLiteral("%1 %2 (documento %3, nosso número %4)")
        .arg(QString::number(b.codigo), ValorDoDocumento(b, "NomeSacado").toText(),
             ValorDoDocumento(b, "NumeroDocumento").toText(), NossoNumeroMostrado(b));
}

void defineMembros(const ObjetoBolix &dono, const QList<MembroGuardado> &membros,
                   const QList<Variant> &valores, const QList<DadoGuardado> &dados) {
    for (qsizetype i = 0; i < membros.size(); ++i)
        if (!valores.value(i).isEmpty())
            dono.set(QLatin1String(membros[i].membro), valores[i]);
    dono.call(QStringLiteral("MeusDados.Clear"));
    for (const DadoGuardado &d : dados)
        AdicionaMeusDados(dono, d.nome, d.valor);
}

void configuraConta(const ObjetoBolix &bolix, const BoletoEmitido &b) {
    defineMembros(bolix, MembrosDaConta(), b.conta, b.dadosConta);
    bolix.call(QStringLiteral("ConfiguraContaCorrente"));
}

void adicionaDocumento(const ObjetoBolix &bolix, const BoletoEmitido &b) {
    const ObjetoBolix doc(bolix.call(QStringLiteral("DocumentosCobranca.Add")).toObject());
    defineMembros(doc, MembrosDoDocumento(), b.documento, b.dadosDocumento);
    // The QR is the bank's, known only once its return confirmed the title.
    if (!b.pixCopiaECola.isEmpty())
        doc.set(QStringLiteral("PixCopiaECola"), b.pixCopiaECola);
}

// The range of nosso números is the run's, not the account's: boletos of several runs share one file.
bool daFaixa(const MembroGuardado &m) {
    return qstrcmp(m.membro, "InicioNossoNumero") == 0 || qstrcmp(m.membro, "FimNossoNumero") == 0;
}

bool mesmaConta(const BoletoEmitido &a, const BoletoEmitido &b) {
    if (a.banco != b.banco || a.dadosConta != b.dadosConta)
        return false;
    for (qsizetype i = 0; i < MembrosDaConta().size(); ++i)
        if (!daFaixa(MembrosDaConta()[i]) && a.conta.value(i) != b.conta.value(i))
            return false;
    return true;
}

// The first boleto's account with a range that holds every boleto's number: the lowest start, the highest
// end.
BoletoEmitido contaDoGrupo(const QList<BoletoEmitido> &grupo) {
    BoletoEmitido conta = grupo.first();
    const auto numero = [](const Variant &v) { return v.toText().trimmed().toULongLong(); };
    for (qsizetype i = 0; i < MembrosDaConta().size(); ++i) {
        if (!daFaixa(MembrosDaConta()[i]))
            continue;
        const bool inicio = qstrcmp(MembrosDaConta()[i].membro, "InicioNossoNumero") == 0;
        for (const BoletoEmitido &b : grupo) {
            const Variant v = b.conta.value(i);
            if (!v.isEmpty() && (conta.conta[i].isEmpty() || (numero(v) < numero(conta.conta[i])) == inicio))
                conta.conta[i] = v;
        }
    }
    return conta;
}

// Prints boletos of one account into one PDF. The component checks some members only when it prints (the
// Pix QR's text): when it refuses a group of several, each goes alone, so that the one it refuses does not
// keep the others from printing.
void imprimeGrupo(const ObjetoBolix &bolix, const QList<BoletoEmitido> &grupo, const QString &arquivo,
                  ResultadoSegundaVia &r) {
    try {
        bolix.call(QStringLiteral("DocumentosCobranca.Clear"));
        configuraConta(bolix, contaDoGrupo(grupo));
        for (const BoletoEmitido &b : grupo)
            adicionaDocumento(bolix, b);
        // Each file after the first of a named one gets a name of its own beside it.
        const QString nome = arquivo.isEmpty() || r.arquivos.isEmpty()
                                 ? arquivo
                                 : arquivo.chopped(4) + QStringLiteral("_%1.pdf").arg(r.arquivos.size() + 1);
        r.arquivos << bolix.call(QStringLiteral("ImprimeSegundaVia"), {nome}).toText();
    } catch (const automation::AutomationError &e) {
        if (grupo.size() == 1) {
            r.recusados << QStringLiteral("%1: %2").arg(nomeDoBoleto(grupo.first()), e.text());
            return;
        }
        for (const BoletoEmitido &b : grupo)
            imprimeGrupo(bolix, {b}, arquivo, r);
    }
}

} // namespace

QString sqlListaBoletosEmitidos(Connection &conexao, const FiltroBoletos &filtro) {
    return QStringLiteral(
               "select b.boleto_id, b.emitido_em, b.tipo_sacado, b.codigo, b.nome_sacado, "
               "b.numero_documento, "
               "coalesce(nullif(b.nosso_numero_impresso, ''), b.nosso_numero) nosso_numero, b.valor, "
               "b.emissao, b.vencimento, case when %1 then (case when %2 then 'P' "
               "else 'B' end) when %2 then 'A' else 'E' end situacao from ruvenal_boletos b where 1 = 1%3 "
               "order by b.emitido_em desc, b.boleto_id desc")
        .arg(baixado, emAberto, condicoes(conexao, filtro));
}

QString DescricaoSituacao(const QString &situacao) {
    if (situacao == u"A")
        return QStringLiteral("Em aberto");
    if (situacao == u"B")
        return QStringLiteral("Pago");
    if (situacao == u"P")
        return QStringLiteral("Pago em parte");
    return QStringLiteral("Sem título em aberto");
}

ResultadoSegundaVia ImprimeSegundaVia(const ObjetoBolix &bolix, const QList<BoletoEmitido> &boletos,
                                      const QString &pasta, const QString &arquivo) {
    ResultadoSegundaVia r;
    const QString bancoAtual = bolix.get(QStringLiteral("NumeroBanco")).toText();
    bolix.set(QStringLiteral("ArquivoRemessa.Diretorio"), pasta);
    // Each boleto alone first, so that one the component refuses does not stop the others.
    QList<BoletoEmitido> aceitos;
    for (const BoletoEmitido &b : boletos) {
        if (b.banco != bancoAtual) {
            r.recusados << QStringLiteral("%1: emitido pelo banco %2; o componente está configurado para o "
                                          "banco %3 e não o imprime.")
                               .arg(nomeDoBoleto(b), b.banco, bancoAtual);
            continue;
        }
        try {
            bolix.call(QStringLiteral("DocumentosCobranca.Clear"));
            configuraConta(bolix, b);
            adicionaDocumento(bolix, b);
            aceitos.append(b);
        } catch (const automation::AutomationError &e) {
            r.recusados << QStringLiteral("%1: %2").arg(nomeDoBoleto(b), e.text());
        }
    }
    for (qsizetype i = 0; i < aceitos.size();) {
        qsizetype fim = i + 1;
        while (fim < aceitos.size() && mesmaConta(aceitos[i], aceitos[fim]))
            ++fim;
        imprimeGrupo(bolix, aceitos.mid(i, fim - i), arquivo, r);
        i = fim;
    }
    bolix.call(QStringLiteral("DocumentosCobranca.Clear"));
    return r;
}

QString ArquivoDoCliente(const QString &pasta, const BoletoEmitido &b) {
    const QString documento =
        SoNumeros(ValorDoDocumento(b, "CNPJSacado").toText() + ValorDoDocumento(b, "CPFSacado").toText());
    return QDir(pasta).filePath(QStringLiteral("%1_%2.pdf").arg(QString::number(b.codigo), documento));
}
