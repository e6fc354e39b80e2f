#include "Credenciais.h"

#include "bolix/core/ErroBolix.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>

namespace bolix::api {

namespace {

[[noreturn]] void recusa(const QString &chave, const QString &motivo) {
    throw ErroBolix(QStringLiteral("Configuração da API do banco: %1 %2.").arg(chave, motivo));
}

QByteArray leArquivo(const QString &chave, const QString &caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        recusa(chave, QStringLiteral("\"%1\" não pode ser lido: %2").arg(caminho, arquivo.errorString()));
    return arquivo.readAll();
}

// The password goes to the library only: a wrong one is named, never shown.
void lePkcs12(const ConfiguracaoApi &api, QSslConfiguration &tls) {
    QFile arquivo(api.certificado);
    if (!arquivo.open(QIODevice::ReadOnly))
        recusa(QStringLiteral("api_certificado"),
               QStringLiteral("\"%1\" não pode ser lido: %2").arg(api.certificado, arquivo.errorString()));
    QSslKey chave;
    QSslCertificate certificado;
    QList<QSslCertificate> cadeia;
    if (!QSslCertificate::importPkcs12(&arquivo, &chave, &certificado, &cadeia,
                                       api.senhaCertificado.toUtf8()))
        recusa(QStringLiteral("api_certificado"),
               QStringLiteral("\"%1\" não pôde ser aberto: arquivo PKCS#12 inválido ou api_senha_certificado "
                              "errada")
                   .arg(api.certificado));
    tls.setLocalCertificateChain(QList<QSslCertificate>{certificado} + cadeia);
    tls.setPrivateKey(chave);
}

void lePem(const ConfiguracaoApi &api, QSslConfiguration &tls) {
    const auto certificados =
        QSslCertificate::fromData(leArquivo(QStringLiteral("api_certificado"), api.certificado), QSsl::Pem);
    if (certificados.isEmpty())
        recusa(QStringLiteral("api_certificado"),
               QStringLiteral("\"%1\" não traz um certificado PEM").arg(api.certificado));
    const QByteArray pem = leArquivo(QStringLiteral("api_chave_certificado"), api.chaveCertificado);
    QSslKey chave(pem, QSsl::Rsa, QSsl::Pem);
    if (chave.isNull())
        chave = QSslKey(pem, QSsl::Ec, QSsl::Pem);
    if (chave.isNull())
        recusa(QStringLiteral("api_chave_certificado"),
               QStringLiteral("\"%1\" não traz uma chave privada PEM sem senha").arg(api.chaveCertificado));
    tls.setLocalCertificateChain(certificados);
    tls.setPrivateKey(chave);
}

} // namespace

QSslConfiguration configuracaoTls(const ConfiguracaoApi &api) {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    tls.setProtocol(QSsl::TlsV1_2OrLater);
    if (!api.autoridades.isEmpty()) {
        const auto autoridades = QSslCertificate::fromData(
            leArquivo(QStringLiteral("api_autoridades"), api.autoridades), QSsl::Pem);
        if (autoridades.isEmpty())
            recusa(QStringLiteral("api_autoridades"),
                   QStringLiteral("\"%1\" não traz certificados PEM").arg(api.autoridades));
        tls.addCaCertificates(autoridades);
    }
    if (api.certificado.isEmpty())
        return tls;
    if (!api.senhaCertificado.isEmpty())
        lePkcs12(api, tls);
    else
        lePem(api, tls);
    return tls;
}

QString avisoValidadeCertificado(const QSslConfiguration &tls, const QDateTime &agora) {
    const QSslCertificate certificado = tls.localCertificate();
    if (certificado.isNull())
        return {};
    const QDateTime fim = certificado.expiryDate();
    if (fim < agora)
        return QStringLiteral("O certificado da API do banco venceu em %1: o banco recusará as chamadas até "
                              "que um novo seja instalado.")
            .arg(fim.toLocalTime().toString(QStringLiteral("dd/MM/yyyy")));
    if (fim < agora.addDays(30))
        return QStringLiteral("O certificado da API do banco vence em %1: providencie um novo e instale-o "
                              "antes dessa data.")
            .arg(fim.toLocalTime().toString(QStringLiteral("dd/MM/yyyy")));
    return {};
}

} // namespace bolix::api
