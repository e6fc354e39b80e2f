#include "Exemplos.h"

#include <stdexcept>
#include <string>

namespace exemplos {

bolix::ConfiguracaoBolix configuracao(const QString &banco, const QString &carteira, int tamanhoConvenio) {
    bolix::ConfiguracaoBolix c;
    c.banco = banco;
    c.carteira = carteira;
    c.tamanhoConvenio = tamanhoConvenio;
    c.modalidade = QStringLiteral("01");
    c.tipoCobranca = QStringLiteral("5");
    c.posto = QStringLiteral("02");
    c.byteGeracao = 2;
    c.nomeBeneficiario = QStringLiteral("Loja Exemplo Ltda");
    c.inscricaoBeneficiario = QStringLiteral("12345678000195");
    return c;
}

bolix::ContaConfigurada contaBancoDoBrasil() {
    bolix::Conta conta;
    conta.codigoAgencia = QStringLiteral("1584");
    conta.numeroContaCorrente = QStringLiteral("210169");
    conta.codigoCedente = QStringLiteral("1234567");
    conta.inicioNossoNumero = QStringLiteral("0000000000");
    conta.fimNossoNumero = QStringLiteral("9999999999");
    return bolix::configuraConta(conta, configuracao(QStringLiteral("001"), QStringLiteral("17"), 7));
}

bolix::Documento documento(const QString &numero, const QString &nossoNumero) {
    bolix::Documento d;
    d.numeroDocumento = numero;
    d.nossoNumero = nossoNumero;
    d.nomeSacado = QStringLiteral("José da Conceição");
    d.cnpjSacado = QStringLiteral("11.222.333/0001-81");
    d.enderecoSacado = QStringLiteral("Rua das Acácias 120");
    d.bairroSacado = QStringLiteral("Jardim São Luís");
    d.cidadeSacado = QStringLiteral("São Paulo");
    d.estadoSacado = QStringLiteral("SP");
    d.cepSacado = QStringLiteral("04913-010");
    d.dataDocumento = QDate(2025, 11, 20);
    d.dataProcessamento = QDate(2025, 11, 20);
    d.dataVencimento = QDate(2025, 12, 15);
    d.valorDocumento = 1'500'000;
    d.tipoDocumentoCobranca = QStringLiteral("DM");
    return d;
}

QList<bolix::Documento> tresDocumentos() {
    QList<bolix::Documento> docs = {documento(QStringLiteral("0000004711"), QStringLiteral("0000000041")),
                                    documento(QStringLiteral("0000004712"), QStringLiteral("0000000042")),
                                    documento(QStringLiteral("0000004713"), QStringLiteral("0000000043"))};
    docs[1].valorDocumento = 899'000;
    docs[1].valorMultaAtraso = 20'000;
    docs[1].valorDesconto = 5'000;
    docs[1].valorJurosDiaAtraso = 3'300;
    docs[1].diasProtesto = 5;
    docs[2].cnpjSacado.clear();
    docs[2].cpfSacado = QStringLiteral("123.456.789-09");
    docs[2].valorDocumento = 12'345'678;
    docs[2].tipoDocumentoCobranca.clear();
    docs[2].percentualJurosDiaAtraso = 3'300;
    return docs;
}

QList<bolix::Documento> documentosBradesco() {
    QList<bolix::Documento> docs = tresDocumentos();
    docs[0].nossoNumero = QStringLiteral("12345");
    docs[1].nossoNumero = QStringLiteral("47");
    docs[1].valorMultaAtraso = 0;
    docs[1].percentualMultaAtraso = 20'000;
    docs[2].nossoNumero = QStringLiteral("48");
    return docs;
}

bolix::ContaConfigurada contaItau() {
    bolix::Conta conta;
    conta.codigoAgencia = QStringLiteral("0057");
    conta.numeroContaCorrente = QStringLiteral("12345-7");
    conta.inicioNossoNumero = QStringLiteral("0");
    bolix::ConfiguracaoBolix c = configuracao(QStringLiteral("341"), QStringLiteral("109"));
    c.layout = 400;
    return bolix::configuraConta(conta, c);
}

bolix::ContaConfigurada conta400(const char *exemplo, const char *transmissao) {
    const ExemploBanco &e = exemploBanco(exemplo);
    bolix::Conta c = conta(e);
    if (*transmissao)
        c.outroDadoConfiguracao2 = QString::fromLatin1(transmissao);
    bolix::ConfiguracaoBolix cfg =
        configuracao(QString::fromLatin1(e.banco), QString::fromLatin1(e.carteira), e.tamanhoConvenio);
    cfg.layout = 400;
    return bolix::configuraConta(c, cfg);
}

bolix::ContaConfigurada contaBradesco() {
    bolix::Conta conta;
    conta.codigoAgencia = QStringLiteral("3380");
    conta.numeroContaCorrente = QStringLiteral("0012345-6");
    conta.codigoCedente = QStringLiteral("4567890");
    conta.inicioNossoNumero = QStringLiteral("0");
    bolix::ConfiguracaoBolix c = configuracao(QStringLiteral("237"), QStringLiteral("09"));
    c.layout = 400;
    return bolix::configuraConta(conta, c);
}

bolix::ContaConfigurada contaBancoDoBrasil400() {
    bolix::ContaConfigurada c = conta400("BB7");
    c.configuracao.variacao = QStringLiteral("019");
    return c;
}

bolix::ContaConfigurada contaSantander() {
    return conta400("Santander", "17777751042700080112");
}

// Built on first use: tests take these while static objects are being initialised.
std::span<const ExemploBanco> exemplosBancos() {
    static const ExemploBanco bancos[] = {
        {"BB4", "001", "18", 4, "1584", "00210169", "1234", "0000000123", QDate(2025, 12, 15), 1'500'000,
         "12340000123-9", "00199129600000150001234000012315840021016918",
         "00191.23405 00012.315842 00210.169181 9 12960000015000"},
        {"BB6", "001", "18", 6, "1584", "00210169", "123456", "00123", QDate(2026, 1, 15), 2'500'000,
         "12345600123-4", "00195132700000250001234560012315840021016918",
         "00191.23454 60012.315846 00210.169181 5 13270000025000"},
        {"BB6Livre", "001", "18", 6, "1584", "00210169", "123456", "0000012345", QDate(2026, 1, 15), 999'900,
         "00000000000012345", "00199132700000099991234560000000000001234521",
         "00191.23454 60000.000004 00012.345211 9 13270000009999", true},
        {"BB7", "001", "17", 7, "1584", "00210169", "1234567", "0000000089", QDate(2025, 3, 10), 12'345'600,
         "12345670000000089", "00191101600001234560000001234567000000008917",
         "00190.00009 01234.567004 00000.089177 1 10160000123456"},
        {"Caixa", "104", "", 0, "0001", "123", "123456", "00000123", QDate(2026, 3, 31), 5'000'000,
         "14000000000000123-1", "10491140200000500001234560000100040000001230",
         "10491.23456 60000.100044 00000.012302 1 14020000050000"},
        {"Bradesco", "237", "09", 0, "3380", "0012345", "", "00012345", QDate(2024, 12, 20), 899'000,
         "09/00000012345-8", "23791993600000089903380090000001234500123450",
         "23793.38003 90000.001231 45001.234504 1 99360000008990"},
        {"Real", "356", "20", 0, "0501", "6703255", "", "00003020", QDate(2009, 6, 30), 350'000,
         "0000000003020", "35692428400000035000501670325510000000003020",
         "35690.50168 70325.510009 00000.030205 2 42840000003500"},
        {"Itau", "341", "109", 0, "0057", "12345", "", "12345678", QDate(2025, 12, 15), 1'500'000,
         "109/12345678-0", "34199129600000150001091234567800057123457000",
         "34191.09123 34567.800056 71234.570001 9 12960000015000"},
        // The manuals' examples of Santander, Sicredi (campo livre; factor of our own) and Banrisul.
        {"Santander",
         "033",
         "101",
         0,
         "4042",
         "013000123",
         "0282033",
         "566612457800",
         QDate(2003, 5, 15),
         2'737'100,
         "566612457800-2",
         "03398204600000273719028203356661245780020101",
         "03399.02827 03356.661243 57800.201014 8 20460000027371",
         false,
         {},
         "404200000282033"},
        {"Sicredi", "748", "1", 0, "0165", "00623-8", "00623", "3", QDate(2025, 12, 15), 1'500'000,
         "07/200003-1", "74893129600000150001107200003101650200623108",
         "74891.10721 00003.101656 02006.231084 3 12960000015000", false, QDate(2007, 3, 1)},
        {"Banrisul", "041", "1", 0, "1102", "0601234567", "9000150", "22832563", QDate(2000, 7, 4), 5'500'000,
         "22832563.51", "04198100100000550002111029000150228325634059",
         "04192.11107 29000.150226 83256.340593 8 10010000055000"},
        // The program appends its own digit (here 9); the bank's digit is recomputed.
        {"Sicoob", "756", "1", 0, "3069", "12345-6", "0123456", "00000019", QDate(2025, 12, 15), 10'000'000,
         "0000001-0", "75699129600001000001306901012345600000010001",
         "75691.30698 01012.345607 00000.100016 9 12960000100000"},
    };
    return bancos;
}

const ExemploBanco &exemploBanco(std::string_view nome) {
    for (const ExemploBanco &e : exemplosBancos())
        if (nome == e.nome)
            return e;
    throw std::invalid_argument(std::string(nome));
}

bolix::Conta conta(const ExemploBanco &e) {
    bolix::Conta conta;
    conta.codigoAgencia = QString::fromLatin1(e.agencia);
    conta.numeroContaCorrente = QString::fromLatin1(e.conta);
    conta.codigoCedente = QString::fromLatin1(e.cedente);
    conta.outroDadoConfiguracao2 = QString::fromLatin1(e.transmissao);
    conta.inicioNossoNumero = QStringLiteral("0");
    return conta;
}

bolix::ContaConfigurada configura(const ExemploBanco &e, bolix::Conta conta) {
    bolix::ConfiguracaoBolix c =
        configuracao(QString::fromLatin1(e.banco), QString::fromLatin1(e.carteira), e.tamanhoConvenio);
    c.nossoNumeroLivre = e.nossoNumeroLivre;
    return bolix::configuraConta(conta, c);
}

bolix::Documento documento(const ExemploBanco &e) {
    bolix::Documento d = documento(QStringLiteral("0000004711"), QString::fromLatin1(e.nossoNumero));
    d.dataVencimento = e.vencimento;
    d.valorDocumento = e.valor;
    if (e.processamento.isValid())
        d.dataProcessamento = e.processamento;
    return d;
}

} // namespace exemplos
