#include "Exemplos.h"

#include "bolix/core/ErroBolix.h"

#include <gtest/gtest.h>

using namespace bolix;

namespace {

struct CasoConta {
    const char *nome;
    const char *banco;
    int tamanhoConvenio;
    const char *agencia, *conta, *cedente;             // as typed
    const char *agenciaNorm, *contaNorm, *cedenteNorm; // as the bank writes them
};

void PrintTo(const CasoConta &c, std::ostream *os) {
    *os << c.nome;
}

const CasoConta casos[] = {
    {"BBSemDigitos", "001", 7, "548", "1448", "1234567", "0548-7", "00001448-6", "1234567"},
    {"BBComDigitosEPontos", "001", 6, "0548-7", "1.448-6", "123456", "0548-7", "00001448-6", "123456"},
    {"BBConvenio4", "001", 4, "1584", "210169", "0001234", "1584-9", "00210169-6", "1234"},
    {"Caixa", "104", 0, "1", "0001234-5", "123456", "0001", "000000001234-5", "123456-0"},
    {"CaixaDigitoConferido", "104", 0, "0001", "1234", "123456-0", "0001", "000000001234", "123456-0"},
    // Seven-digit codes carry no check digit of their own.
    {"CaixaCodigoDeSete", "104", 0, "1", "1234", "1234567", "0001", "000000001234", "1234567"},
    {"BradescoComP", "237", 0, "3380-p", "12345-P", "", "3380-P", "0012345-P", ""},
    {"Real", "356", 0, "501", "6703255", "", "0501", "6703255", ""},
    {"ItauDacCalculado", "341", 0, "57", "12345", "", "0057", "12345-7", ""},
    {"ItauDacConferido", "341", 0, "0057", "1.2345-7", "", "0057", "12345-7", ""},
    // Sicredi's DV is the código do beneficiário's: given with the code, or from an account typed as the
    // code, as earlier set-ups did; the store's own account is no file's.
    {"Sicredi", "748", 0, "165", "623-8", "623", "0165", "000000000623-8", "00623-8"},
    {"SicrediContaDaLoja", "748", 0, "165", "12345-6", "623-8", "0165", "000000012345-6", "00623-8"},
    // Without the DV anywhere the account is taken: only the CNAB 240 remittance needs it.
    {"SicrediCodigoSemDigito", "748", 0, "165", "12345-6", "00623", "0165", "000000012345-6", "00623"},
    {"BanrisulComNc", "041", 0, "1102.48", "601234567-1", "900015.0.46", "1102-48", "0601234567-1",
     "9000150-46"},
    {"BanrisulNcCalculado", "041", 0, "1102", "601234567", "9000150", "1102-48", "0601234567", "9000150-46"},
    // The client code stays digits only: the program reads it back as a whole number.
    {"SicoobCodigoComTraco", "756", 0, "3069", "12.345-6", "12345-6", "3069", "000000012345-6", "0123456"},
};

class NormalizaConta : public testing::TestWithParam<CasoConta> {};

TEST_P(NormalizaConta, DeixaNaFormaDoBancoEEhIdempotente) {
    const CasoConta &c = GetParam();
    const ConfiguracaoBolix cfg =
        exemplos::configuracao(QString::fromLatin1(c.banco), QStringLiteral("1"), c.tamanhoConvenio);
    Conta conta;
    conta.codigoAgencia = QString::fromLatin1(c.agencia);
    conta.numeroContaCorrente = QString::fromLatin1(c.conta);
    conta.codigoCedente = QString::fromLatin1(c.cedente);
    conta.inicioNossoNumero = QStringLiteral(" 00000041 ");
    conta.outroDadoConfiguracao1 = QStringLiteral("n");
    configuraConta(conta, cfg);
    EXPECT_EQ(conta.codigoAgencia, QString::fromLatin1(c.agenciaNorm));
    EXPECT_EQ(conta.numeroContaCorrente, QString::fromLatin1(c.contaNorm));
    EXPECT_EQ(conta.codigoCedente, QString::fromLatin1(c.cedenteNorm));
    EXPECT_EQ(conta.inicioNossoNumero, u"00000041");
    EXPECT_EQ(conta.outroDadoConfiguracao1, u"N");

    const Conta primeira = conta;
    configuraConta(conta, cfg);
    EXPECT_EQ(conta.codigoAgencia, primeira.codigoAgencia);
    EXPECT_EQ(conta.numeroContaCorrente, primeira.numeroContaCorrente);
    EXPECT_EQ(conta.codigoCedente, primeira.codigoCedente);
    EXPECT_EQ(conta.inicioNossoNumero, primeira.inicioNossoNumero);
}

INSTANTIATE_TEST_SUITE_P(Bancos, NormalizaConta, testing::ValuesIn(casos),
                         [](const auto &info) { return std::string(info.param.nome); });

struct CasoRecusa {
    const char *nome;
    Conta conta;
    const char *membro; // the refusal starts with the member's name and the value
};

void PrintTo(const CasoRecusa &c, std::ostream *os) {
    *os << c.nome;
}

Conta contaBB() {
    Conta c;
    c.codigoAgencia = QStringLiteral("0548-7");
    c.numeroContaCorrente = QStringLiteral("00001448-6");
    c.codigoCedente = QStringLiteral("1234567");
    c.inicioNossoNumero = QStringLiteral("0");
    return c;
}

template <typename F> Conta com(F muda) {
    Conta c = contaBB();
    muda(c);
    return c;
}

const CasoRecusa recusas[] = {
    {"DigitoDaAgenciaErrado", com([](Conta &c) { c.codigoAgencia = QStringLiteral("0548-8"); }),
     "CodigoAgencia"},
    {"AgenciaLonga", com([](Conta &c) { c.codigoAgencia = QStringLiteral("12345"); }), "CodigoAgencia"},
    {"AgenciaVazia", com([](Conta &c) { c.codigoAgencia.clear(); }), "CodigoAgencia"},
    {"ContaComLetras", com([](Conta &c) { c.numeroContaCorrente = QStringLiteral("14A8"); }),
     "NumeroContaCorrente"},
    {"DigitoDaContaErrado", com([](Conta &c) { c.numeroContaCorrente = QStringLiteral("1448-X"); }),
     "NumeroContaCorrente"},
    {"ConvenioCurto", com([](Conta &c) { c.codigoCedente = QStringLiteral("0123456"); }), "CodigoCedente"},
    {"ConvenioComDigito", com([](Conta &c) { c.codigoCedente = QStringLiteral("1234567-1"); }),
     "CodigoCedente"},
    {"InicioNaoNumerico", com([](Conta &c) { c.inicioNossoNumero = QStringLiteral("12x"); }),
     "InicioNossoNumero"},
    {"InicioAcimaDoFim", com([](Conta &c) {
         c.inicioNossoNumero = QStringLiteral("100"), c.fimNossoNumero = QStringLiteral("99");
     }),
     "InicioNossoNumero"},
    {"FimNaoNumerico", com([](Conta &c) { c.fimNossoNumero = QStringLiteral("9 9"); }), "FimNossoNumero"},
    {"AceiteDesconhecido", com([](Conta &c) { c.outroDadoConfiguracao1 = QStringLiteral("X"); }),
     "OutroDadoConfiguracao1"},
    {"ConvenioDeArquivoLongo", com([](Conta &c) { c.outroDadoConfiguracao2 = QString(21, u'1'); }),
     "OutroDadoConfiguracao2"},
};

class RecusaConta : public testing::TestWithParam<CasoRecusa> {};

TEST_P(RecusaConta, NomeiaOMembroEOValor) {
    Conta conta = GetParam().conta;
    const Conta antes = conta;
    try {
        configuraConta(conta, exemplos::configuracao(QStringLiteral("001"), QStringLiteral("17"), 7));
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(QString::fromLatin1(GetParam().membro) + QStringLiteral(" \"")))
            << e.what();
        EXPECT_TRUE(e.texto().contains(u"inválido")) << e.what();
    }
    EXPECT_EQ(conta, antes) << "a refused account keeps its texts";
}

INSTANTIATE_TEST_SUITE_P(Bancos, RecusaConta, testing::ValuesIn(recusas),
                         [](const auto &info) { return std::string(info.param.nome); });

// An account as the program hands it over, nosso número from 0.
Conta contaDe(const char *agencia, const char *numero, const char *cedente) {
    Conta conta;
    conta.codigoAgencia = QString::fromLatin1(agencia);
    conta.numeroContaCorrente = QString::fromLatin1(numero);
    conta.codigoCedente = QString::fromLatin1(cedente);
    conta.inicioNossoNumero = QStringLiteral("0");
    return conta;
}

// The new banks' own refusals, each naming the member.
struct CasoRecusaBanco {
    const char *nome;
    const char *banco;
    const char *agencia, *conta, *cedente;
    const char *membro;
    const char *transmissao = "404200000282033";
};

void PrintTo(const CasoRecusaBanco &c, std::ostream *os) {
    *os << c.nome;
}

const CasoRecusaBanco recusasBanco[] = {
    {"ItauDacErrado", "341", "0057", "12345-8", "", "NumeroContaCorrente"},
    {"ItauContaLonga", "341", "0057", "123456", "", "NumeroContaCorrente"},
    {"ItauAgenciaComDigito", "341", "0057-1", "12345", "", "CodigoAgencia"},
    {"SantanderTransmissaoComLetra", "033", "4042", "13000123", "282033", "OutroDadoConfiguracao2",
     "40420000028203X"},
    {"SantanderCodigoLongo", "033", "4042", "13000123", "12345678", "CodigoCedente"},
    {"SicrediCodigoLongo", "748", "0165", "623", "123456", "CodigoCedente"},
    {"SicrediSemCodigo", "748", "0165", "623", "", "CodigoCedente"},
    {"BanrisulNcDaAgenciaErrado", "041", "1102.47", "601234567", "9000150", "CodigoAgencia"},
    {"BanrisulNcDoCodigoErrado", "041", "1102", "601234567", "900015.0.45", "CodigoCedente"},
    {"BanrisulCodigoLongo", "041", "1102", "601234567", "12345678", "CodigoCedente"},
};

class RecusaContaBanco : public testing::TestWithParam<CasoRecusaBanco> {};

TEST_P(RecusaContaBanco, NomeiaOMembro) {
    const CasoRecusaBanco &c = GetParam();
    ConfiguracaoBolix cfg = exemplos::configuracao(QString::fromLatin1(c.banco));
    Conta conta = contaDe(c.agencia, c.conta, c.cedente);
    conta.outroDadoConfiguracao2 = QString::fromLatin1(c.transmissao);
    try {
        configuraConta(conta, cfg);
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(QString::fromLatin1(c.membro) + QStringLiteral(" \""))) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Bancos, RecusaContaBanco, testing::ValuesIn(recusasBanco),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(ConfiguraConta, CaixaRecusaDigitoNoCodigoDeSete) {
    Conta conta = contaDe("1", "1", "1234567-0");
    try {
        configuraConta(conta, exemplos::configuracao(QStringLiteral("104")));
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"CodigoCedente \"1234567-0\" inválido")) << e.what();
    }
}

TEST(ConfiguraConta, CodigoDoBeneficiarioDoArquivoDeConfiguracaoPrevalece) {
    ConfiguracaoBolix cfg = exemplos::configuracao(QStringLiteral("104"));
    cfg.codigoBeneficiario = QStringLiteral("123456");
    Conta conta = contaDe("1", "1", " LOJA-7 ");
    const ContaConfigurada c = configuraConta(conta, cfg);
    EXPECT_EQ(c.cedente, u"123456");
    EXPECT_EQ(c.dvCedente, u"0");
    EXPECT_EQ(conta.codigoCedente, u"LOJA-7");
}

// At Banrisul both keys name the one code: the same code in two forms is taken, two codes are refused.
TEST(ConfiguraConta, BanrisulRecusaDoisCodigosDoBeneficiario) {
    ConfiguracaoBolix cfg = exemplos::configuracao(QStringLiteral("041"));
    cfg.codigoBeneficiario = QStringLiteral("900015.0.46");
    Conta conta = contaDe("1102", "0601234567", "9000150");
    EXPECT_EQ(configuraConta(conta, cfg).cedente, u"9000150");
    conta.codigoCedente = QStringLiteral("9000151");
    try {
        configuraConta(conta, cfg);
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"CodigoCedente \"9000151\" inválido: difere do codigo_beneficiario "
                                         u"\"900015.0.46\""))
            << e.what();
    }
}

} // namespace
