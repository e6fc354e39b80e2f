#include "CertificadosDeTeste.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <gtest/gtest.h>

namespace {

QByteArray le(const QString &caminho) {
    QFile f(caminho);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << caminho.toStdString();
    return f.readAll();
}

} // namespace

CertificadosDeTeste::CertificadosDeTeste() {
    openssl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
             caminho("ca.key"), "-out", ca(), "-days", "30", "-subj", "/CN=CA de teste do Ruvenal"});
    openssl({"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
             caminho("servidor.key"), "-out", caminho("servidor.csr"), "-subj", "/CN=localhost"});
    QFile ext(caminho("servidor.ext"));
    EXPECT_TRUE(ext.open(QIODevice::WriteOnly));
    ext.write("subjectAltName=DNS:localhost,IP:127.0.0.1\n");
    ext.close();
    assina("servidor", "ca", 30, caminho("servidor.ext"));
}

void CertificadosDeTeste::openssl(const QStringList &argumentos) const {
    QProcess p;
    p.start(QStringLiteral("openssl"), argumentos);
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

void CertificadosDeTeste::assina(const QString &nome, const QString &ca, int dias, const QString &extensoes) {
    QStringList args = {"x509",
                        "-req",
                        "-in",
                        caminho(nome + ".csr"),
                        "-CA",
                        caminho(ca + ".pem"),
                        "-CAkey",
                        caminho(ca + ".key"),
                        "-CAcreateserial",
                        "-days",
                        QString::number(dias),
                        "-out",
                        caminho(nome + ".pem")};
    if (!extensoes.isEmpty())
        args << "-extfile" << extensoes;
    openssl(args);
}

QSslConfiguration CertificadosDeTeste::servidor(bool exigeCliente) const {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(le(caminho("servidor.pem"))));
    tls.setPrivateKey(QSslKey(le(caminho("servidor.key")), QSsl::Ec));
    if (exigeCliente) {
        tls.setCaCertificates(QSslCertificate::fromData(le(ca())));
        tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    } else {
        tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    }
    return tls;
}

void CertificadosDeTeste::cliente(const QString &nome, int dias) {
    openssl({"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
             caminho(nome + ".key"), "-out", caminho(nome + ".csr"), "-subj", "/CN=" + nome});
    assina(nome, "ca", dias);
    openssl({"pkcs12", "-export", "-in", caminho(nome + ".pem"), "-inkey", caminho(nome + ".key"), "-out",
             caminho(nome + ".pfx"), "-passout", "pass:senha-teste"});
}

void CertificadosDeTeste::clienteDeOutraCa(const QString &nome) {
    openssl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
             caminho("outra.key"), "-out", caminho("outra.pem"), "-days", "30", "-subj", "/CN=Outra CA"});
    openssl({"req", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
             caminho(nome + ".key"), "-out", caminho(nome + ".csr"), "-subj", "/CN=" + nome});
    assina(nome, "outra", 30);
}
