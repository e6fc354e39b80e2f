#include "Exemplos.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"

#include <gtest/gtest.h>

using namespace bolix;
using namespace Qt::StringLiterals;

namespace {

using exemplos::ExemploBanco;

ContaConfigurada configura(const ExemploBanco &e, const QString &inicio = QStringLiteral("0"),
                           const QString &fim = QString()) {
    Conta conta = exemplos::conta(e);
    conta.inicioNossoNumero = inicio;
    conta.fimNossoNumero = fim;
    return exemplos::configura(e, conta);
}

using exemplos::documento;

const ExemploBanco &bb6 = exemplos::exemploBanco("BB6");
const ExemploBanco &bb7 = exemplos::exemploBanco("BB7");

class RegraDoBanco : public testing::TestWithParam<ExemploBanco> {};

TEST_P(RegraDoBanco, CalculaNossoNumeroCodigoDeBarrasELinhaDigitavel) {
    const ExemploBanco &c = GetParam();
    const Boleto b = calculaBoleto(configura(c), documento(c));
    EXPECT_EQ(b.nossoNumero.impresso, QString::fromLatin1(c.nossoNumeroImpresso));
    EXPECT_EQ(b.codigoBarras, QString::fromLatin1(c.codigoBarras));
    EXPECT_EQ(b.linhaDigitavel, QString::fromLatin1(c.linha));
}

TEST_P(RegraDoBanco, SemFatorDeVencimentoQuandoAContaPede) {
    const ExemploBanco &c = GetParam();
    ContaConfigurada conta = configura(c);
    conta.naoUsarFatorVencimento = true;
    const QString codigo = calculaBoleto(conta, documento(c)).codigoBarras;
    EXPECT_EQ(codigo.mid(5, 4), u"0000");
    EXPECT_EQ(codigo.mid(19), QString::fromLatin1(c.codigoBarras).mid(19)) << "campo livre unchanged";
}

TEST_P(RegraDoBanco, RecusaNossoNumeroForaDaFaixaNomeandoODocumento) {
    const ExemploBanco &c = GetParam();
    const ContaConfigurada conta = configura(c, QStringLiteral("20"), QStringLiteral("30"));
    try {
        calculaBoleto(conta, documento(c));
        FAIL() << "accepted a nosso número outside 20..30";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"Documento 0000004711: ")) << e.what();
        EXPECT_TRUE(e.texto().contains(u"fora da faixa")) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Exemplos, RegraDoBanco, testing::ValuesIn(exemplos::exemplosBancos()),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(NossoNumero, RecusaOQueNaoCabeNoBancoOuNaoEhNumero) {
    Documento d = documento(bb6);
    d.nossoNumero = QStringLiteral("0000123456"); // six significant digits, convênio 6 holds five
    EXPECT_THROW(calculaBoleto(configura(bb6), d), ErroBolix);
    d.nossoNumero = QStringLiteral("12A");
    EXPECT_THROW(calculaBoleto(configura(bb6), d), ErroBolix);
    d.nossoNumero = QStringLiteral("00099"); // zeros on the left are only width
    EXPECT_EQ(calculaBoleto(configura(bb6), d).nossoNumero.impresso, u"12345600099-8");
}

TEST(Caixa, CodigoDeSeteOcupaOsSeteDigitosDoCodigoEDoSeuDigito) {
    const ExemploBanco &caixa = exemplos::exemploBanco("Caixa");
    Conta conta = exemplos::conta(caixa);
    conta.codigoCedente = QStringLiteral("1234567");
    const QString campoLivre = calculaBoleto(exemplos::configura(caixa, conta), documento(caixa)).campoLivre;
    EXPECT_EQ(campoLivre.left(24), u"123456700010004000000123");
    EXPECT_EQ(campoLivre.right(1), QString::number(modulo11Caixa(campoLivre.left(24))));
}

// Carteiras the settings list make the digit over carteira and number alone.
TEST(Itau, CarteiraDaListaDeixaAgenciaEContaForaDoDac) {
    const ExemploBanco &itau = exemplos::exemploBanco("Itau");
    Conta conta = exemplos::conta(itau);
    ConfiguracaoBolix cfg = exemplos::configuracao(u"341"_s, u"126"_s);
    cfg.carteirasDacSemConta = {u"126"_s, u"131"_s};
    const ContaConfigurada c = configuraConta(conta, cfg);
    EXPECT_EQ(calculaBoleto(c, documento(itau)).nossoNumero.impresso, u"126/12345678-5");
    cfg.carteira = u"109"_s;
    EXPECT_EQ(calculaBoleto(configuraConta(conta, cfg), documento(itau)).nossoNumero.impresso,
              u"109/12345678-0");
}

TEST(Boleto, ArredondaParaCentavosComOsAcrescimosERecusaValorZero) {
    EXPECT_EQ(centavos(12'345'650), 123'456); // half cent to the even cent
    EXPECT_EQ(centavos(12'345'750), 123'458);
    EXPECT_EQ(centavos(12'345'651), 123'457);
    Documento d = documento(bb7);
    d.valorOutrosAcrescimos = 10'000;
    EXPECT_EQ(calculaBoleto(configura(bb7), d).centavos, 123'556);
    d.valorDocumento = 0;
    d.valorOutrosAcrescimos = 0;
    EXPECT_THROW(calculaBoleto(configura(bb7), d), ErroBolix);
}

} // namespace
