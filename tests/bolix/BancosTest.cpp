#include "Exemplos.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"

#include <gtest/gtest.h>

using namespace bolix;

namespace {

struct CasoBanco {
    const char *nome;
    const char *banco;
    const char *carteira;
    int tamanhoConvenio;
    const char *agencia;
    const char *conta;
    const char *cedente;
    const char *nossoNumero; // as the program hands it over
    QDate vencimento;
    Dinheiro valor;
    const char *nossoNumeroImpresso;
    const char *codigoBarras;
    const char *linha;
};

void PrintTo(const CasoBanco &c, std::ostream *os) {
    *os << c.nome;
}

// The worked examples of each bank, from the account texts and the document the program passes.
const CasoBanco casos[] = {
    {"BB4", "001", "18", 4, "1584", "00210169", "1234", "0000000123", QDate(2025, 12, 15), 1'500'000,
     "12340000123-9", "00199129600000150001234000012315840021016918",
     "00191.23405 00012.315842 00210.169181 9 12960000015000"},
    {"BB6", "001", "18", 6, "1584", "00210169", "123456", "00123", QDate(2026, 1, 15), 2'500'000,
     "12345600123-4", "00195132700000250001234560012315840021016918",
     "00191.23454 60012.315846 00210.169181 5 13270000025000"},
    {"BB7", "001", "17", 7, "1584", "00210169", "1234567", "0000000089", QDate(2025, 3, 10), 12'345'600,
     "12345670000000089", "00191101600001234560000001234567000000008917",
     "00190.00009 01234.567004 00000.089177 1 10160000123456"},
    {"Caixa", "104", "", 0, "0001", "123", "123456", "00000123", QDate(2026, 3, 31), 5'000'000,
     "14000000000000123-1", "10491140200000500001234560000100040000001230",
     "10491.23456 60000.100044 00000.012302 1 14020000050000"},
    {"Bradesco", "237", "09", 0, "3380", "0012345", "", "00012345", QDate(2024, 12, 20), 899'000,
     "09/00000012345-8", "23791993600000089903380090000001234500123450",
     "23793.38003 90000.001231 45001.234504 1 99360000008990"},
    {"Real", "356", "20", 0, "0501", "6703255", "", "00003020", QDate(2009, 6, 30), 350'000, "0000000003020",
     "35692428400000035000501670325510000000003020",
     "35690.50168 70325.510009 00000.030205 2 42840000003500"},
    // The program appends its own digit (here 9); the bank's digit is recomputed.
    {"Sicoob", "756", "1", 0, "3069", "12345-6", "0123456", "00000019", QDate(2025, 12, 15), 10'000'000,
     "0000001-0", "75699129600001000001306901012345600000010001",
     "75691.30698 01012.345607 00000.100016 9 12960000100000"},
};

ContaConfigurada configura(const CasoBanco &c, const QString &inicio = QStringLiteral("0"),
                           const QString &fim = QString()) {
    Conta conta;
    conta.codigoAgencia = QString::fromLatin1(c.agencia);
    conta.numeroContaCorrente = QString::fromLatin1(c.conta);
    conta.codigoCedente = QString::fromLatin1(c.cedente);
    conta.inicioNossoNumero = inicio;
    conta.fimNossoNumero = fim;
    return configuraConta(conta, exemplos::configuracao(QString::fromLatin1(c.banco),
                                                        QString::fromLatin1(c.carteira), c.tamanhoConvenio));
}

Documento documento(const CasoBanco &c) {
    Documento d = exemplos::documento(QStringLiteral("0000004711"), QString::fromLatin1(c.nossoNumero));
    d.dataVencimento = c.vencimento;
    d.valorDocumento = c.valor;
    return d;
}

class RegraDoBanco : public testing::TestWithParam<CasoBanco> {};

TEST_P(RegraDoBanco, CalculaNossoNumeroCodigoDeBarrasELinhaDigitavel) {
    const CasoBanco &c = GetParam();
    const Boleto b = calculaBoleto(configura(c), documento(c));
    EXPECT_EQ(b.nossoNumero.impresso, QString::fromLatin1(c.nossoNumeroImpresso));
    EXPECT_EQ(b.codigoBarras, QString::fromLatin1(c.codigoBarras));
    EXPECT_EQ(b.linhaDigitavel, QString::fromLatin1(c.linha));
}

TEST_P(RegraDoBanco, SemFatorDeVencimentoQuandoAContaPede) {
    const CasoBanco &c = GetParam();
    ContaConfigurada conta = configura(c);
    conta.naoUsarFatorVencimento = true;
    const QString codigo = calculaBoleto(conta, documento(c)).codigoBarras;
    EXPECT_EQ(codigo.mid(5, 4), u"0000");
    EXPECT_EQ(codigo.mid(19), QString::fromLatin1(c.codigoBarras).mid(19)) << "campo livre unchanged";
}

TEST_P(RegraDoBanco, RecusaNossoNumeroForaDaFaixaNomeandoODocumento) {
    const CasoBanco &c = GetParam();
    const ContaConfigurada conta = configura(c, QStringLiteral("2"), QStringLiteral("10"));
    try {
        calculaBoleto(conta, documento(c));
        FAIL() << "accepted a nosso número outside 2..10";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"Documento 0000004711: ")) << e.what();
        EXPECT_TRUE(e.texto().contains(u"fora da faixa")) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Exemplos, RegraDoBanco, testing::ValuesIn(casos),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(NossoNumero, RecusaOQueNaoCabeNoBancoOuNaoEhNumero) {
    const CasoBanco &bb6 = casos[1];
    Documento d = documento(bb6);
    d.nossoNumero = QStringLiteral("0000123456"); // six significant digits, convênio 6 holds five
    EXPECT_THROW(calculaBoleto(configura(bb6), d), ErroBolix);
    d.nossoNumero = QStringLiteral("12A");
    EXPECT_THROW(calculaBoleto(configura(bb6), d), ErroBolix);
    d.nossoNumero = QStringLiteral("00099"); // zeros on the left are only width
    EXPECT_EQ(calculaBoleto(configura(bb6), d).nossoNumero.impresso, u"12345600099-8");
}

TEST(Boleto, ArredondaParaCentavosComOsAcrescimosERecusaValorZero) {
    EXPECT_EQ(centavos(12'345'650), 123'456); // half cent to the even cent
    EXPECT_EQ(centavos(12'345'750), 123'458);
    EXPECT_EQ(centavos(12'345'651), 123'457);
    Documento d = documento(casos[2]);
    d.valorOutrosAcrescimos = 10'000;
    EXPECT_EQ(calculaBoleto(configura(casos[2]), d).centavos, 123'556);
    d.valorDocumento = 0;
    d.valorOutrosAcrescimos = 0;
    EXPECT_THROW(calculaBoleto(configura(casos[2]), d), ErroBolix);
}

} // namespace
