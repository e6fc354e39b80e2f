#pragma once

// A CA, a server certificate for localhost and client certificates made with openssl at run time, in a
// folder of their own.

#include <QSslConfiguration>
#include <QString>
#include <QTemporaryDir>

class CertificadosDeTeste {
public:
    CertificadosDeTeste();

    QString caminho(const QString &nome) const { return dir_.filePath(nome); }
    // The CA's PEM, which the client trusts as api_autoridades.
    QString ca() const { return caminho(QStringLiteral("ca.pem")); }
    // The server's TLS; with `exigeCliente`, only a client certificate of this CA gets through.
    QSslConfiguration servidor(bool exigeCliente) const;

    // A client certificate of this CA valid for `dias`, as PEM files "<nome>.pem" and "<nome>.key" and a
    // PKCS#12 "<nome>.pfx" with the password "senha-teste".
    void cliente(const QString &nome, int dias);
    // A client certificate of another, unknown CA.
    void clienteDeOutraCa(const QString &nome);

private:
    void openssl(const QStringList &argumentos) const;
    void assina(const QString &nome, const QString &ca, int dias, const QString &extensoes = {});
    QTemporaryDir dir_;
};
