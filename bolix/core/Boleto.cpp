#include "bolix/core/Boleto.h"

#include "bolix/core/CodigoBarras.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"

namespace bolix {

namespace {

QString prefixo(const Documento &doc) {
    return QStringLiteral("Documento %1: ").arg(doc.numeroDocumento);
}

[[noreturn]] void recusa(const Documento &doc, const QString &motivo) {
    throw ErroBolix(prefixo(doc) + motivo);
}

} // namespace

void recusaDocumento(const Documento &doc, const QString &membro, const QString &valor,
                     const QString &motivo) {
    recusa(doc, textoInvalido(membro, valor, motivo));
}

QChar aceiteDoDocumento(const ContaConfigurada &conta, const Documento &doc) {
    const QString a = doc.aceite.trimmed().toUpper();
    if (a.isEmpty())
        return conta.aceite;
    if (a == u"A" || a == u"S" || a == u"1")
        return u'A';
    if (a == u"N" || a == u"0")
        return u'N';
    recusaDocumento(doc, QStringLiteral("Aceite"), doc.aceite, QStringLiteral("use A ou N"));
}

QChar codigoProtesto(const Documento &doc) {
    const QString codigo = doc.instrucaoCobranca3.trimmed();
    if (!codigo.isEmpty() && codigo != u"1" && codigo != u"2" && codigo != u"3")
        recusaDocumento(
            doc, QStringLiteral("InstrucaoCobranca3"), doc.instrucaoCobranca3,
            QStringLiteral("use 1 (protesto em dias corridos), 2 (em dias úteis) ou 3 (não protestar)"));
    if (doc.diasProtesto <= 0 || codigo == u"3")
        return u'3';
    return codigo.isEmpty() ? u'1' : codigo[0];
}

std::int64_t centavos(Dinheiro valor) {
    std::int64_t inteiros = valor / 100;
    const std::int64_t resto = valor % 100;
    const std::int64_t meio = resto < 0 ? -resto : resto;
    const int sinal = valor < 0 ? -1 : 1;
    if (meio > 50 || (meio == 50 && inteiros % 2 != 0))
        inteiros += sinal;
    return inteiros;
}

Dinheiro valorCobrado(const Documento &doc) {
    return doc.valorDocumento + doc.valorOutrosAcrescimos;
}

namespace {

void recusaValoresNegativos(const Documento &doc) {
    const std::pair<const char *, Dinheiro> valores[] = {
        {"ValorJurosDiaAtraso", doc.valorJurosDiaAtraso},
        {"ValorMultaAtraso", doc.valorMultaAtraso},
        {"ValorDesconto", doc.valorDesconto},
        {"ValorOutrosAcrescimos", doc.valorOutrosAcrescimos},
        {"PercentualJurosDiaAtraso", doc.percentualJurosDiaAtraso},
        {"PercentualMultaAtraso", doc.percentualMultaAtraso},
        {"PercentualDesconto", doc.percentualDesconto}};
    for (const auto &[membro, valor] : valores)
        if (valor < 0)
            recusaDocumento(doc, QLatin1String(membro), QString::number(double(valor) / 10000),
                            QStringLiteral("não pode ser negativo"));
}

} // namespace

std::int64_t centavosDoPercentual(const Documento &doc, Dinheiro percentual) {
    return centavos(valorCobrado(doc) * percentual / 1'000'000);
}

std::int64_t centavosCobrados(const Documento &doc) {
    recusaValoresNegativos(doc);
    const std::int64_t valor = centavos(valorCobrado(doc));
    // The bar code's ten digits set the ceiling: R$ 99.999.999,99.
    if (valor <= 0 || valor > 9'999'999'999LL)
        recusaDocumento(doc, QStringLiteral("ValorDocumento"),
                        QString::number(double(doc.valorDocumento) / 10000, 'f', 2),
                        QStringLiteral("deve ser maior que zero e no máximo 99999999,99"));
    return valor;
}

NossoNumero nossoNumeroDoDocumento(const ContaConfigurada &conta, const Documento &doc) {
    const RegraBanco &banco = regraDoBanco(conta.configuracao.banco);
    const QString informado = doc.nossoNumero.trimmed();
    if (!soTemDigitos(informado))
        recusaDocumento(doc, QStringLiteral("NossoNumero"), doc.nossoNumero,
                        QStringLiteral("use só dígitos"));
    const QString sequencia = semZerosEsquerda(banco.sequenciaInformada(informado));
    const int largura = banco.larguraSequencia(conta);
    if (sequencia.size() > largura)
        recusaDocumento(
            doc, QStringLiteral("NossoNumero"), informado,
            QStringLiteral("o banco %1 aceita até %2 dígitos").arg(conta.configuracao.banco).arg(largura));
    const std::uint64_t valor = sequencia.toULongLong();
    if (valor < conta.inicioNossoNumero || valor > conta.fimNossoNumero)
        recusa(doc, QStringLiteral("NossoNumero %1 fora da faixa configurada (%2 a %3).")
                        .arg(informado)
                        .arg(conta.inicioNossoNumero)
                        .arg(conta.fimNossoNumero));
    return banco.nossoNumero(conta, sequencia, doc);
}

Boleto calculaBoleto(const ContaConfigurada &conta, const Documento &doc) {
    const RegraBanco &banco = regraDoBanco(conta.configuracao.banco);
    Boleto b;
    b.nossoNumero = nossoNumeroDoDocumento(conta, doc);
    b.centavos = centavosCobrados(doc);
    b.campoLivre = banco.campoLivre(conta, b.nossoNumero);
    try {
        const QString fator = fatorVencimento(conta.naoUsarFatorVencimento ? QDate() : doc.dataVencimento);
        b.codigoBarras = montaCodigoBarras(banco.codigo(), fator, b.centavos, b.campoLivre);
    } catch (const ErroBolix &e) {
        recusa(doc, e.texto());
    }
    b.linhaDigitavel = formataLinhaDigitavel(linhaDigitavel(b.codigoBarras));
    return b;
}

} // namespace bolix
