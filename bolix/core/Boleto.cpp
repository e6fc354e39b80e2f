#include "Boleto.h"

#include "CodigoBarras.h"
#include "Digitos.h"
#include "ErroBolix.h"

namespace bolix {

namespace {

[[noreturn]] void recusa(const Documento &doc, const QString &motivo) {
    throw ErroBolix(prefixoDocumento(doc) + motivo);
}

} // namespace

QString prefixoDocumento(const Documento &doc) {
    return QStringLiteral("Documento %1: ").arg(doc.numeroDocumento);
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

NossoNumero nossoNumeroDoDocumento(const ContaConfigurada &conta, const Documento &doc) {
    const RegraBanco &banco = regraDoBanco(conta.configuracao.banco);
    const QString informado = doc.nossoNumero.trimmed();
    if (!soTemDigitos(informado))
        recusa(doc, QStringLiteral("NossoNumero \"%1\" inválido: use só dígitos.").arg(doc.nossoNumero));
    const QString sequencia = semZerosEsquerda(banco.sequenciaInformada(informado));
    const int largura = banco.larguraSequencia(conta);
    if (sequencia.size() > largura)
        recusa(doc, QStringLiteral("NossoNumero \"%1\" inválido: o banco %2 aceita até %3 dígitos.")
                        .arg(informado, conta.configuracao.banco)
                        .arg(largura));
    const std::uint64_t valor = sequencia.toULongLong();
    if (valor < conta.inicioNossoNumero || valor > conta.fimNossoNumero)
        recusa(doc, QStringLiteral("NossoNumero %1 fora da faixa configurada (%2 a %3).")
                        .arg(informado)
                        .arg(conta.inicioNossoNumero)
                        .arg(conta.fimNossoNumero));
    return banco.nossoNumero(conta, sequencia);
}

Boleto calculaBoleto(const ContaConfigurada &conta, const Documento &doc) {
    const RegraBanco &banco = regraDoBanco(conta.configuracao.banco);
    Boleto b;
    b.nossoNumero = nossoNumeroDoDocumento(conta, doc);
    b.centavos = centavos(valorCobrado(doc));
    if (b.centavos <= 0)
        recusa(doc, QStringLiteral("ValorDocumento deve ser maior que zero."));
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
