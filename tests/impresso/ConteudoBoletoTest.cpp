#include "Exemplos.h"

#include "bolix/core/Boleto.h"
#include "bolix/impresso/ConteudoBoleto.h"

#include <gtest/gtest.h>

using namespace bolix;

namespace {

TEST(FormataCentavos, UsaOFormatoBrasileiroQualquerQueSejaALocalidade) {
    const std::pair<std::int64_t, const char *> casos[] = {
        {0, "0,00"},
        {5, "0,05"},
        {99999, "999,99"},
        {100000, "1.000,00"},
        {123456789, "1.234.567,89"},
        {-150, "-1,50"},
        {999999999999, "9.999.999.999,99"},
    };
    for (const auto &[centavos, esperado] : casos)
        EXPECT_EQ(formataCentavos(centavos), QString::fromLatin1(esperado)) << centavos;
}

struct CasoInstrucao {
    const char *nome;
    void (*prepara)(Documento &);
    std::vector<const char *> linhas;
};

const CasoInstrucao instrucoes[] = {
    {"Nenhuma", [](Documento &) {}, {}},
    {"DoCaixaPorLinha",
     [](Documento &d) {
         d.instrucoesCaixa = QStringLiteral("Não receber após 30 dias.<br>Não aceitar cheque.<br>");
     },
     {"Não receber após 30 dias.", "Não aceitar cheque."}},
    {"ValoresEmReais",
     [](Documento &d) {
         d.valorJurosDiaAtraso = 3'300;
         d.valorMultaAtraso = 20'000;
         d.valorDesconto = 123'456'789;
     },
     {"Após o vencimento, cobrar juros de R$ 0,33 por dia de atraso.",
      "Após o vencimento, cobrar multa de R$ 2,00.", "Até o vencimento, conceder desconto de R$ 12.345,68."}},
    {"Percentuais",
     [](Documento &d) {
         d.percentualJurosDiaAtraso = 3'300;
         d.percentualMultaAtraso = 20'000;
         d.percentualDesconto = 12'345;
     },
     {"Após o vencimento, cobrar juros de 0,33% por dia de atraso.",
      "Após o vencimento, cobrar multa de 2,00%.", "Até o vencimento, conceder desconto de 1,2345%."}},
    {"ValorPrevaleceSobrePercentual",
     [](Documento &d) {
         d.valorMultaAtraso = 50'000;
         d.percentualMultaAtraso = 20'000;
     },
     {"Após o vencimento, cobrar multa de R$ 5,00."}},
    {"CaixaAntesDasRegrasEProtestoPorUltimo",
     [](Documento &d) {
         d.instrucoesCaixa = QStringLiteral("Sr. Caixa, atenção.");
         d.diasProtesto = 1;
         d.valorJurosDiaAtraso = 100;
     },
     {"Sr. Caixa, atenção.", "Após o vencimento, cobrar juros de R$ 0,01 por dia de atraso.",
      "Protestar 1 dia após o vencimento."}},
    {"ProtestoEmDias", [](Documento &d) { d.diasProtesto = 10; }, {"Protestar 10 dias após o vencimento."}},
    {"ProtestoEmDiasUteis",
     [](Documento &d) {
         d.diasProtesto = 5;
         d.instrucaoCobranca3 = QStringLiteral("2");
     },
     {"Protestar 5 dias úteis após o vencimento."}},
    {"UmDiaUtil",
     [](Documento &d) {
         d.diasProtesto = 1;
         d.instrucaoCobranca3 = QStringLiteral("2");
     },
     {"Protestar 1 dia útil após o vencimento."}},
    {"NaoProtestar",
     [](Documento &d) {
         d.diasProtesto = 5;
         d.instrucaoCobranca3 = QStringLiteral("3");
     },
     {}},
};

void PrintTo(const CasoInstrucao &c, std::ostream *os) {
    *os << c.nome;
}

class Instrucoes : public testing::TestWithParam<CasoInstrucao> {};

TEST_P(Instrucoes, ComJurosMultaDescontoEProtestoPorExtenso) {
    const ContaConfigurada conta = exemplos::contaBancoDoBrasil();
    Documento d = exemplos::documento(QStringLiteral("0000004711"), QStringLiteral("89"));
    GetParam().prepara(d);
    QStringList esperado;
    for (const char *l : GetParam().linhas)
        esperado.append(QString::fromUtf8(l));
    EXPECT_EQ(conteudoBoleto(conta, d, calculaBoleto(conta, d)).instrucoes, esperado);
}

INSTANTIATE_TEST_SUITE_P(Casos, Instrucoes, testing::ValuesIn(instrucoes),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(ConteudoBoleto, OutrosAcrescimosAparecemComOValorCobradoDoCodigoDeBarras) {
    const ContaConfigurada conta = exemplos::contaBancoDoBrasil();
    Documento d = exemplos::documento(QStringLiteral("0000004711"), QStringLiteral("89"));
    d.valorOutrosAcrescimos = 25'000;
    const Boleto b = calculaBoleto(conta, d);
    const ConteudoBoleto c = conteudoBoleto(conta, d, b);
    EXPECT_EQ(c.valorDocumento, u"R$ 150,00");
    EXPECT_EQ(c.outrosAcrescimos, u"R$ 2,50");
    EXPECT_EQ(c.valorCobrado, u"R$ 152,50");
    EXPECT_EQ(b.codigoBarras.mid(9, 10), u"0000015250");
}

// The boxes each bank prints its own way, and its place of payment when the payee sets none.
struct CasoBanco {
    const char *exemplo;
    const char *codigoBanco, *nomeBanco, *agenciaCodigo, *nossoNumero, *carteira, *localPagamento;
};

void PrintTo(const CasoBanco &c, std::ostream *os) {
    *os << c.exemplo;
}

const char *const localPadrao = "Até o vencimento pagável em qualquer banco do sistema de compensação.";

const CasoBanco casosBanco[] = {
    {"Itau", "341-7", "Itaú", "0057/12345-7", "109/12345678-0", "109", localPadrao},
    {"Santander", "033-7", "Santander", "4042/0282033", "566612457800-2", "COBRANCA SIMPLES RCR",
     localPadrao},
    {"Sicredi", "748-X", "Sicredi", "0165.02.00623", "07/200003-1", "1",
     "PREFERENCIALMENTE EM CANAIS ELETRÔNICOS DA SUA INSTITUIÇÃO FINANCEIRA"},
    {"Banrisul", "041-8", "Banrisul", "1102.48 / 900015.0.46", "22832563.51", "1", localPadrao},
};

class CaixasDoBanco : public testing::TestWithParam<CasoBanco> {};

TEST_P(CaixasDoBanco, NoFormatoDoBanco) {
    const CasoBanco &c = GetParam();
    const exemplos::ExemploBanco &e = exemplos::exemploBanco(c.exemplo);
    const ContaConfigurada conta = exemplos::configura(e, exemplos::conta(e));
    const Documento d = exemplos::documento(e);
    const ConteudoBoleto b = conteudoBoleto(conta, d, calculaBoleto(conta, d));
    EXPECT_EQ(b.codigoBanco, QString::fromLatin1(c.codigoBanco));
    EXPECT_EQ(b.nomeBanco, QString::fromUtf8(c.nomeBanco));
    EXPECT_EQ(b.agenciaCodigo, QString::fromLatin1(c.agenciaCodigo));
    EXPECT_EQ(b.nossoNumero, QString::fromLatin1(c.nossoNumero));
    EXPECT_EQ(b.carteira, QString::fromLatin1(c.carteira));
    EXPECT_EQ(b.localPagamento, QString::fromUtf8(c.localPagamento));
    EXPECT_EQ(b.codigoBarras, QString::fromLatin1(e.codigoBarras));
}

INSTANTIATE_TEST_SUITE_P(Bancos, CaixasDoBanco, testing::ValuesIn(casosBanco),
                         [](const auto &info) { return std::string(info.param.exemplo); });

TEST(ConteudoBoleto, PagadorEmTresLinhasSemPartesVazias) {
    const ContaConfigurada conta = exemplos::contaBancoDoBrasil();
    Documento d = exemplos::documento(QStringLiteral("0000004711"), QStringLiteral("89"));
    d.cepSacado = QStringLiteral("04913010");
    EXPECT_EQ(conteudoBoleto(conta, d, calculaBoleto(conta, d)).pagador,
              (QStringList{QStringLiteral("José da Conceição - CNPJ: 11.222.333/0001-81"),
                           QStringLiteral("Rua das Acácias 120 - Jardim São Luís"),
                           QStringLiteral("CEP 04913-010 - São Paulo/SP")}));
    // The digits tell a CPF stored with its punctuation, whichever member it came in.
    d.cnpjSacado = QStringLiteral("444.555.666-72");
    EXPECT_EQ(conteudoBoleto(conta, d, calculaBoleto(conta, d)).pagador.first(),
              QStringLiteral("José da Conceição - CPF: 444.555.666-72"));
    d.cnpjSacado.clear();
    d.bairroSacado.clear();
    d.cepSacado.clear();
    EXPECT_EQ(conteudoBoleto(conta, d, calculaBoleto(conta, d)).pagador,
              (QStringList{QStringLiteral("José da Conceição"), QStringLiteral("Rua das Acácias 120"),
                           QStringLiteral("São Paulo/SP")}));
}

} // namespace
