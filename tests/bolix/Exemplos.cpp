#include "Exemplos.h"

namespace exemplos {

bolix::ConfiguracaoBolix configuracao(const QString &banco, const QString &carteira, int tamanhoConvenio) {
    bolix::ConfiguracaoBolix c;
    c.banco = banco;
    c.carteira = carteira;
    c.tamanhoConvenio = tamanhoConvenio;
    c.modalidade = QStringLiteral("01");
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

} // namespace exemplos
