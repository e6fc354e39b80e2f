#include "ConteudoBoleto.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/pix/BrCode.h"

namespace bolix {

namespace {

struct BancoImpresso {
    QStringView codigo;
    QStringView digito;
    QStringView nome;
};

// The bank code's check digit is printed as each bank publishes it (a plain modulus 11 misses Caixa's).
const BancoImpresso bancosImpressos[] = {
    {u"001", u"9", u"Banco do Brasil"}, {u"104", u"0", u"Caixa Econômica Federal"},
    {u"237", u"2", u"Bradesco"},        {u"356", u"5", u"Banco Real"},
    {u"756", u"0", u"Sicoob"},          {u"341", u"7", u"Itaú"},
    {u"033", u"7", u"Santander"},       {u"748", u"X", u"Sicredi"},
    {u"041", u"8", u"Banrisul"},
};

BancoImpresso bancoImpresso(const QString &codigo) {
    for (const BancoImpresso &b : bancosImpressos)
        if (b.codigo == codigo)
            return b;
    return {codigo, u"", codigo};
}

const QString formatoData = QStringLiteral("dd/MM/yyyy");

// The ficha's first box is never blank: a payee that sets no place of payment gets the bank's usual one.
QString localPagamento(const ContaConfigurada &conta, const RegraBanco &banco) {
    const QString dado = conta.localPagamento.trimmed();
    return dado.isEmpty() ? banco.localPagamentoPadrao() : dado;
}

QString formataInscricao(const QString &digitos) {
    if (digitos.size() == 14)
        return QStringLiteral("CNPJ: %1.%2.%3/%4-%5")
            .arg(digitos.mid(0, 2), digitos.mid(2, 3), digitos.mid(5, 3), digitos.mid(8, 4), digitos.mid(12));
    if (digitos.size() == 11)
        return QStringLiteral("CPF: %1.%2.%3-%4")
            .arg(digitos.mid(0, 3), digitos.mid(3, 3), digitos.mid(6, 3), digitos.mid(9));
    return digitos;
}

QString juntaNaoVazios(const QStringList &partes, const QString &separador) {
    QStringList cheias;
    for (const QString &p : partes)
        if (!p.trimmed().isEmpty())
            cheias.append(p.trimmed());
    return cheias.join(separador);
}

QStringList pagador(const Documento &d) {
    const InscricaoSacado dada = inscricaoSacado(d);
    const bool cnpj = dada.tipo == 2 || (dada.tipo == 0 && dada.membro == u"CNPJSacado");
    const QString inscricao =
        dada.texto.trimmed().isEmpty()
            ? QString()
            : (cnpj ? QStringLiteral("CNPJ: ") : QStringLiteral("CPF: ")) + dada.texto.trimmed();
    const QString cep = soDigitos(d.cepSacado);
    const QString cepImpresso = cep.size() == 8 ? cep.left(5) + u'-' + cep.mid(5) : d.cepSacado.trimmed();
    const QString cidade = juntaNaoVazios({d.cidadeSacado, d.estadoSacado}, QStringLiteral("/"));
    return {juntaNaoVazios({d.nomeSacado, inscricao}, QStringLiteral(" - ")),
            juntaNaoVazios({d.enderecoSacado, d.bairroSacado}, QStringLiteral(" - ")),
            juntaNaoVazios({cepImpresso.isEmpty() ? QString() : QStringLiteral("CEP ") + cepImpresso, cidade},
                           QStringLiteral(" - "))};
}

QString reais(Dinheiro valor) {
    return QStringLiteral("R$ ") + formataCentavos(centavos(valor));
}

// Percentages carry four decimals; two are always shown, the others only when they count.
QString percentual(Dinheiro valor) {
    QString decimais = QStringLiteral("%1").arg(valor % 10000, 4, 10, QLatin1Char('0'));
    while (decimais.size() > 2 && decimais.endsWith(u'0'))
        decimais.chop(1);
    return QStringLiteral("%1,%2%").arg(valor / 10000).arg(decimais);
}

// The amount in words of money, or else the percentage; empty when neither is set.
QString valorOuPercentual(Dinheiro valor, Dinheiro percentualDoValor) {
    if (valor > 0)
        return reais(valor);
    if (percentualDoValor > 0)
        return percentual(percentualDoValor);
    return {};
}

QStringList linhas(const QString &texto) {
    QStringList saida;
    for (const QString &linha : texto.split(QStringLiteral("<br>"), Qt::KeepEmptyParts, Qt::CaseInsensitive))
        saida.append(linha.trimmed());
    while (!saida.isEmpty() && saida.last().isEmpty())
        saida.removeLast();
    return saida;
}

// A broken text from the bank is refused with the document, never printed as a QR that pays nothing.
void pixDoDocumento(const Documento &doc, ConteudoBoleto &c) {
    if (doc.pixCopiaECola.trimmed().isEmpty())
        return;
    try {
        c.pix = brCodeConferido(doc.pixCopiaECola);
        c.qrPix = codificaQr(c.pix);
    } catch (const ErroBolix &e) {
        recusaDocumento(doc, QStringLiteral("PixCopiaECola"), doc.pixCopiaECola.left(20) + u'\u2026',
                        e.texto().chopped(1));
    }
}

QStringList instrucoes(const Documento &d) {
    QStringList saida = linhas(d.instrucoesCaixa);
    const QString juros = valorOuPercentual(d.valorJurosDiaAtraso, d.percentualJurosDiaAtraso);
    if (!juros.isEmpty())
        saida.append(QStringLiteral("Após o vencimento, cobrar juros de %1 por dia de atraso.").arg(juros));
    const QString multa = valorOuPercentual(d.valorMultaAtraso, d.percentualMultaAtraso);
    if (!multa.isEmpty())
        saida.append(QStringLiteral("Após o vencimento, cobrar multa de %1.").arg(multa));
    const QString desconto = valorOuPercentual(d.valorDesconto, d.percentualDesconto);
    if (!desconto.isEmpty())
        saida.append(QStringLiteral("Até o vencimento, conceder desconto de %1.").arg(desconto));
    const QChar protesto = codigoProtesto(d);
    if (protesto != u'3') {
        const bool um = d.diasProtesto == 1;
        const QString dias = protesto == u'2'
                                 ? (um ? QStringLiteral("dia útil") : QStringLiteral("dias úteis"))
                                 : (um ? QStringLiteral("dia") : QStringLiteral("dias"));
        saida.append(QStringLiteral("Protestar %1 %2 após o vencimento.").arg(d.diasProtesto).arg(dias));
    }
    return saida;
}

} // namespace

QString formataCentavos(std::int64_t centavos) {
    const bool negativo = centavos < 0;
    const std::uint64_t absoluto = negativo ? 0 - static_cast<std::uint64_t>(centavos) : centavos;
    QString inteiros = QString::number(absoluto / 100);
    for (qsizetype i = inteiros.size() - 3; i > 0; i -= 3)
        inteiros.insert(i, u'.');
    return QStringLiteral("%1%2,%3")
        .arg(negativo ? QStringLiteral("-") : QString(), inteiros)
        .arg(absoluto % 100, 2, 10, QLatin1Char('0'));
}

ConteudoBoleto conteudoBoleto(const ContaConfigurada &conta, const Documento &doc, const Boleto &boleto) {
    const BancoImpresso banco = bancoImpresso(conta.configuracao.banco);
    const RegraBanco &regra = regraDoBanco(conta.configuracao.banco);
    ConteudoBoleto c;
    c.codigoBanco = comDigito(banco.codigo.toString(), banco.digito.toString());
    c.nomeBanco = banco.nome.toString();
    c.linhaDigitavel = boleto.linhaDigitavel;
    c.codigoBarras = boleto.codigoBarras;
    c.localPagamento = localPagamento(conta, regra);
    c.vencimento = doc.dataVencimento.isValid() ? doc.dataVencimento.toString(formatoData)
                                                : QStringLiteral("Contra-apresentação");
    c.beneficiario = juntaNaoVazios(
        {conta.configuracao.nomeBeneficiario, formataInscricao(conta.configuracao.inscricaoBeneficiario)},
        QStringLiteral(" - "));
    c.agenciaCodigo = regra.beneficiarioImpresso(conta);
    c.dataDocumento = doc.dataDocumento.toString(formatoData);
    c.numeroDocumento = doc.numeroDocumento.trimmed();
    c.especieDoc = doc.tipoDocumentoCobranca.trimmed().toUpper();
    c.aceite = QString(aceiteDoDocumento(conta, doc));
    c.dataProcessamento = doc.dataProcessamento.toString(formatoData);
    c.nossoNumero = boleto.nossoNumero.impresso;
    c.carteira = regra.carteiraImpressa(conta);
    c.valorDocumento = reais(doc.valorDocumento);
    if (doc.valorOutrosAcrescimos > 0) {
        c.outrosAcrescimos = reais(doc.valorOutrosAcrescimos);
        c.valorCobrado = QStringLiteral("R$ ") + formataCentavos(boleto.centavos);
    }
    c.instrucoes = instrucoes(doc);
    c.pagador = pagador(doc);
    c.demonstrativo = linhas(doc.demonstrativo);
    pixDoDocumento(doc, c);
    return c;
}

} // namespace bolix
