#include "bolix/core/CodigoBarras.h"
#include "bolix/core/ErroBolix.h"

#include <gtest/gtest.h>

using namespace bolix;

namespace {

struct CasoFator {
    QDate vencimento;
    const char *fator;
};

void PrintTo(const CasoFator &c, std::ostream *os) {
    *os << c.vencimento.toString(Qt::ISODate).toStdString();
}

const CasoFator fatores[] = {
    {QDate(2000, 7, 3), "1000"},
    {QDate(2012, 4, 27), "5316"},
    {QDate(2024, 12, 20), "9936"},
    {QDate(2025, 2, 21), "9999"},
    {QDate(2025, 2, 22), "1000"},
    {QDate(2025, 2, 23), "1001"},
    {QDate(2025, 3, 10), "1016"},
    {QDate(2026, 3, 31), "1402"},
    {QDate(2049, 10, 13), "9999"},
    {QDate(2049, 10, 14), "1000"},
    {QDate(), "0000"},
};

class FatorVencimento : public testing::TestWithParam<CasoFator> {};

TEST_P(FatorVencimento, ReiniciaEm1000Apos21DeFevereiroDe2025) {
    EXPECT_EQ(fatorVencimento(GetParam().vencimento), QString::fromLatin1(GetParam().fator))
        << GetParam().vencimento.toString(Qt::ISODate).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Datas, FatorVencimento, testing::ValuesIn(fatores));

TEST(FatorVencimento, RecusaDatasAntesDoPrimeiroFator) {
    EXPECT_THROW(fatorVencimento(QDate(2000, 7, 2)), ErroBolix);
}

struct CasoCodigo {
    const char *nome;
    const char *banco;
    const char *fator;
    std::int64_t centavos;
    const char *campoLivre;
    const char *codigoBarras;
    const char *linha;
};

void PrintTo(const CasoCodigo &c, std::ostream *os) {
    *os << c.nome;
}

// Worked examples: BB convênio 7, Bradesco, Caixa (general digit 0 → 1), no due date.
const CasoCodigo codigos[] = {
    {"BB7", "001", "1016", 123456, "0000001234567000000008917",
     "00191101600001234560000001234567000000008917",
     "00190.00009 01234.567004 00000.089177 1 10160000123456"},
    {"Bradesco", "237", "9936", 8990, "3380090000001234500123450",
     "23791993600000089903380090000001234500123450",
     "23793.38003 90000.001231 45001.234504 1 99360000008990"},
    {"Caixa", "104", "1402", 50000, "1234560000100040000001230",
     "10491140200000500001234560000100040000001230",
     "10491.23456 60000.100044 00000.012302 1 14020000050000"},
    {"SemVencimento", "237", "0000", 8990, "3380090000001234500123450",
     "23798000000000089903380090000001234500123450",
     "23793.38003 90000.001231 45001.234504 8 00000000008990"},
};

class CodigoBarras : public testing::TestWithParam<CasoCodigo> {};

TEST_P(CodigoBarras, MontaCodigoELinhaDigitavel) {
    const CasoCodigo &c = GetParam();
    const QString codigo = montaCodigoBarras(QString::fromLatin1(c.banco), QString::fromLatin1(c.fator),
                                             c.centavos, QString::fromLatin1(c.campoLivre));
    EXPECT_EQ(codigo, QString::fromLatin1(c.codigoBarras));
    EXPECT_EQ(formataLinhaDigitavel(linhaDigitavel(codigo)), QString::fromLatin1(c.linha));
}

INSTANTIATE_TEST_SUITE_P(Exemplos, CodigoBarras, testing::ValuesIn(codigos),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(CodigoBarras, RecusaValorAcimaDoCampoECampoLivreCurto) {
    EXPECT_THROW(montaCodigoBarras(u"001", u"1000", 10'000'000'000LL, u"0000001234567000000008917"),
                 ErroBolix);
    EXPECT_THROW(montaCodigoBarras(u"001", u"1000", -1, u"0000001234567000000008917"), ErroBolix);
    EXPECT_THROW(montaCodigoBarras(u"001", u"1000", 100, u"123"), ErroBolix);
}

// Bars as '1' modules and spaces as '0' modules, wide elements three modules wide.
QString modulos(const QString &padrao) {
    QString m;
    bool barra = true;
    for (QChar e : padrao) {
        m += QString(e == u'W' ? 3 : 1, barra ? u'1' : u'0');
        barra = !barra;
    }
    return m;
}

TEST(PadraoI2of5, TemInicioParesEParadaNasLargurasDoBoleto) {
    const QString padrao = padraoI2of5(u"00191101600001234560000001234567000000008917");
    EXPECT_EQ(padrao.size(), 227);
    const QString m = modulos(padrao);
    EXPECT_EQ(m.size(), 405);
    EXPECT_TRUE(m.startsWith(u"1010"
                             u"1010111000111000"
                             u"10"
                             u"111010001010001110"))
        << m.left(40).toStdString();
    EXPECT_TRUE(m.endsWith(u"11101")) << m.right(10).toStdString();
    EXPECT_THROW(padraoI2of5(u"123"), ErroBolix);
}

} // namespace
