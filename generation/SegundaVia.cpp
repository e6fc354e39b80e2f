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
        sql += QStringLiteral(" and b.nosso_numero like %1")
                   .arg(Literal(conexao, semCuringas(f.nossoNumero.trimmed()) + u'%'));
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
             ValorDoDocumento(b, "NumeroDocumento").toText(), ValorDoDocumento(b, "NossoNumero").toText());
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

bool mesmaConta(const BoletoEmitido &a, const BoletoEmitido &b) {
    return a.banco == b.banco && a.conta == b.conta && a.dadosConta == b.dadosConta;
}

// Prints boletos of one account into one PDF. The component checks some members only when it prints (the
// Pix QR's text): when it refuses a group of several, each goes alone, so that the one it refuses does not
// keep the others from printing.
void imprimeGrupo(const ObjetoBolix &bolix, const QList<BoletoEmitido> &grupo, const QString &arquivo,
                  ResultadoSegundaVia &r) {
    try {
        bolix.call(QStringLiteral("DocumentosCobranca.Clear"));
        configuraConta(bolix, grupo.first());
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
               "b.nosso_numero, b.valor, b.emissao, b.vencimento, case when %1 then (case when %2 then 'P' "
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
