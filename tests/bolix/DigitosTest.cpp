#include "bolix/core/Digitos.h"

#include <gtest/gtest.h>

#include <functional>

using namespace bolix;

namespace {

struct CasoDigito {
    const char *rotina;
    std::function<QString(const QString &)> calcula;
    const char *entrada;
    const char *esperado;
};

void PrintTo(const CasoDigito &c, std::ostream *os) {
    *os << c.rotina << " " << c.entrada;
}

QString numero(int d) {
    return QString::number(d);
}

// Published and hand-checked values for each check-digit routine.
const CasoDigito casos[] = {
    {"modulo10", [](const QString &s) { return numero(modulo10(s)); }, "01230067896", "3"},
    // Itaú's manual: nosso-número DACs over agência, conta, carteira and number, and the conta's DAC.
    {"itau nn 110", [](const QString &s) { return numero(modulo10(s)); }, "00571234511012345678", "8"},
    {"itau nn 198", [](const QString &s) { return numero(modulo10(s)); }, "00577219219898712345", "1"},
    {"itau conta", [](const QString &s) { return numero(modulo10(s)); }, "005712345", "7"},
    {"santander manual", [](const QString &s) { return numero(modulo11Santander(s)); }, "566612457800", "2"},
    {"santander r=1", [](const QString &s) { return numero(modulo11Santander(s)); }, "566612457801", "0"},
    {"santander 802", [](const QString &s) { return numero(modulo11Santander(s)); }, "566612457802", "9"},
    {"santander 803", [](const QString &s) { return numero(modulo11Santander(s)); }, "566612457803", "7"},
    {"santander um", [](const QString &s) { return numero(modulo11Santander(s)); }, "000000000001", "9"},
    {"sicredi nosso numero", [](const QString &s) { return numero(modulo11Sicredi(s)); },
     "0165020062307200003", "1"},
    {"sicredi campo livre", [](const QString &s) { return numero(modulo11Sicredi(s)); },
     "110720000310165020062310", "8"},
    {"banrisul nc", [](const QString &s) { return ncBanrisul(s); }, "00009274", "22"},
    {"banrisul nc resto 1", [](const QString &s) { return ncBanrisul(s); }, "00009194", "38"},
    {"banrisul nc 702", [](const QString &s) { return ncBanrisul(s); }, "00000702", "11"},
    {"banrisul nc campo livre", [](const QString &s) { return ncBanrisul(s); }, "21110290001502283256340",
     "59"},
    {"banrisul nc agencia", [](const QString &s) { return ncBanrisul(s); }, "1102", "48"},
    {"banrisul nc codigo", [](const QString &s) { return ncBanrisul(s); }, "9000150", "46"},
    {"modulo10 digitao Real", [](const QString &s) { return numero(modulo10(s)); },
     "000000000302005016703255", "1"},
    {"geral r=10", [](const QString &s) { return numero(modulo11Geral(s)); },
     "2379993600000089903380090000001234500123450", "1"},
    {"geral r=0", [](const QString &s) { return numero(modulo11Geral(s)); },
     "1049140200000500001234560000100040000001230", "1"},
    {"geral amostra BB", [](const QString &s) { return numero(modulo11Geral(s)); },
     "0019386000000040000000002670001000000000117", "7"},
    {"caixa generico", [](const QString &s) { return numero(modulo11Caixa(s)); }, "0185200005", "5"},
    {"caixa beneficiario", [](const QString &s) { return numero(modulo11Caixa(s)); }, "123456", "0"},
    {"caixa nosso numero", [](const QString &s) { return numero(modulo11Caixa(s)); }, "14000000000000123",
     "1"},
    {"caixa campo livre", [](const QString &s) { return numero(modulo11Caixa(s)); },
     "123456000010004000000123", "0"},
    {"bb agencia", [](const QString &s) { return QString(modulo11BancoDoBrasil(s)); }, "0548", "7"},
    {"bb conta", [](const QString &s) { return QString(modulo11BancoDoBrasil(s)); }, "00001448", "6"},
    {"bb agencia 1584", [](const QString &s) { return QString(modulo11BancoDoBrasil(s)); }, "1584", "9"},
    {"bb conta 00210169", [](const QString &s) { return QString(modulo11BancoDoBrasil(s)); }, "00210169",
     "6"},
    {"bb nn convenio 4", [](const QString &s) { return QString(modulo11BancoDoBrasil(s)); }, "12340000123",
     "9"},
    {"bb nn convenio 6", [](const QString &s) { return QString(modulo11BancoDoBrasil(s)); }, "12345600123",
     "4"},
    {"bb resto 1 vira X", [](const QString &s) { return QString(modulo11BancoDoBrasil(s)); }, "0006", "X"},
    {"bb resto 0 vira 0", [](const QString &s) { return QString(modulo11BancoDoBrasil(s)); }, "0000", "0"},
    {"bradesco 1094179", [](const QString &s) { return QString(modulo11Bradesco(s)); }, "0900001094179", "5"},
    {"bradesco 133", [](const QString &s) { return QString(modulo11Bradesco(s)); }, "0900000000133", "6"},
    {"bradesco 12345", [](const QString &s) { return QString(modulo11Bradesco(s)); }, "0900000012345", "8"},
    {"bradesco resto 1 vira P", [](const QString &s) { return QString(modulo11Bradesco(s)); },
     "0000000000023", "P"},
    {"sicoob 45", [](const QString &s) { return numero(modulo11Sicoob(s)); }, "000100000000190000045", "4"},
    {"sicoob 183", [](const QString &s) { return numero(modulo11Sicoob(s)); }, "442300000520270100183", "4"},
    {"sicoob 184", [](const QString &s) { return numero(modulo11Sicoob(s)); }, "442300000520270100184", "1"},
    {"sicoob resto 1", [](const QString &s) { return numero(modulo11Sicoob(s)); }, "306900001234560000001",
     "0"},
};

class DigitoVerificador : public testing::TestWithParam<CasoDigito> {};

TEST_P(DigitoVerificador, DaOValorPublicado) {
    const CasoDigito &c = GetParam();
    EXPECT_EQ(c.calcula(QString::fromLatin1(c.entrada)), QString::fromLatin1(c.esperado))
        << c.rotina << " " << c.entrada;
}

INSTANTIATE_TEST_SUITE_P(Vetores, DigitoVerificador, testing::ValuesIn(casos));

TEST(Digitos, PreenchimentoEZerosAEsquerda) {
    EXPECT_EQ(zerosEsquerda(u"123", 6), u"000123");
    EXPECT_EQ(zerosEsquerda(u"1234567", 6), u"1234567");
    EXPECT_EQ(semZerosEsquerda(u"000120"), u"120");
    EXPECT_EQ(semZerosEsquerda(u"0000"), u"0");
    EXPECT_EQ(soDigitos(u"11.222.333/0001-81"), u"11222333000181");
    EXPECT_FALSE(soTemDigitos(u""));
    EXPECT_FALSE(soTemDigitos(u"12a"));
}

} // namespace
