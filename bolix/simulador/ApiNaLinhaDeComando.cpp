#include "ApiNaLinhaDeComando.h"

#include "ServidorBancoDoBrasil.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSslKey>
#include <QTextStream>

namespace bolix::simulador {

namespace {

struct Opcao {
    const char *nome;
    const char *descricao;
    const char *padrao; // nullptr: required
};

const Opcao opcoes[] = {
    {"porta", "porta na interface local", "8443"},
    {"certificado", "certificado do servidor (PEM), emitido para localhost", nullptr},
    {"chave", "chave privada do servidor (PEM, EC ou RSA, sem senha)", nullptr},
    {"autoridade-cliente", "exige certificado do cliente emitido por esta autoridade (PEM)", ""},
    {"client-id", "client id do OAuth2", "demo-client-id"},
    {"client-secret", "client secret do OAuth2", "demo-client-secret"},
    {"chave-aplicacao", "chave de aplicação (gw-dev-app-key)", "demo-chave-aplicacao"},
    {"convenio", "convênio de 7 dígitos", "1234567"},
    {"agencia", "agência do beneficiário", "1584"},
    {"conta", "conta do beneficiário", "210169"},
    {"atraso-ms", "espera antes de cada resposta da API", "0"},
};

QByteArray le(const QString &caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Não foi possível ler %1: %2.").arg(caminho, f.errorString()).toStdString());
    return f.readAll();
}

QSslConfiguration tls(const QCommandLineParser &p) {
    QSslConfiguration c = QSslConfiguration::defaultConfiguration();
    const QSslCertificate certificado(le(p.value(QStringLiteral("certificado"))));
    const QByteArray chave = le(p.value(QStringLiteral("chave")));
    QSslKey k(chave, QSsl::Ec);
    if (k.isNull())
        k = QSslKey(chave, QSsl::Rsa);
    if (certificado.isNull() || k.isNull())
        throw std::runtime_error("O certificado ou a chave do servidor não é PEM legível.");
    c.setLocalCertificate(certificado);
    c.setPrivateKey(k);
    const QString autoridade = p.value(QStringLiteral("autoridade-cliente"));
    if (autoridade.isEmpty()) {
        c.setPeerVerifyMode(QSslSocket::VerifyNone);
    } else {
        const auto cas = QSslCertificate::fromData(le(autoridade));
        if (cas.isEmpty())
            throw std::runtime_error("A autoridade dos clientes não é PEM legível.");
        c.setCaCertificates(cas);
        c.setPeerVerifyMode(QSslSocket::VerifyPeer);
    }
    return c;
}

} // namespace

int executaApiBancoDoBrasil(const QStringList &argumentos, QTextStream &saida, QTextStream &erros) {
    QCommandLineParser p;
    for (const Opcao &o : opcoes)
        p.addOption({QString::fromLatin1(o.nome),
                     QString::fromUtf8(o.descricao) +
                         (o.padrao && *o.padrao ? QStringLiteral(" (padrão %1)").arg(QLatin1String(o.padrao))
                                                : QString()),
                     QStringLiteral("valor"), QString::fromLatin1(o.padrao ? o.padrao : "")});
    const auto uso = [&] {
        erros << "Uso: simulador_banco --api-bb --certificado SERVIDOR.pem --chave SERVIDOR.key [opções]\n"
              << "A API Cobranças v2 do Banco do Brasil em HTTPS, até o processo ser encerrado.\n"
              << p.helpText().section(u'\n', 2);
        return 2;
    };
    bool portaValida = false;
    if (!p.parse(QStringList{QStringLiteral("simulador_banco")} + argumentos) ||
        !p.positionalArguments().isEmpty())
        return uso();
    for (const Opcao &o : opcoes)
        if (!o.padrao && p.value(QString::fromLatin1(o.nome)).isEmpty())
            return uso();
    const int numero = p.value(QStringLiteral("porta")).toInt(&portaValida);
    if (!portaValida || numero <= 0 || numero > 65535)
        return uso();

    OpcoesBancoDoBrasil o;
    o.clientId = p.value(QStringLiteral("client-id"));
    o.clientSecret = p.value(QStringLiteral("client-secret"));
    o.chaveAplicacao = p.value(QStringLiteral("chave-aplicacao"));
    o.convenio = p.value(QStringLiteral("convenio"));
    o.agencia = p.value(QStringLiteral("agencia"));
    o.conta = p.value(QStringLiteral("conta"));
    o.atrasoMs = p.value(QStringLiteral("atraso-ms")).toInt();
    try {
        o.tls = tls(p);
    } catch (const std::exception &e) {
        erros << QString::fromUtf8(e.what()) << '\n';
        return 1;
    }
    ServidorBancoDoBrasil servidor(o);
    if (servidor.escuta(quint16(numero)) == 0) {
        erros << QStringLiteral("A porta %1 não está livre.\n").arg(numero);
        return 1;
    }
    saida << QStringLiteral("API: %1\nToken: %2\nPagar um boleto: POST "
                            "https://localhost:%3/testes-portal-desenvolvedor/v1/boletos-cobranca/"
                            "LINHA_DIGITAVEL/pagar\n")
                 .arg(servidor.urlApi(), servidor.urlToken())
                 .arg(numero);
    saida.flush();
    return QCoreApplication::exec();
}

} // namespace bolix::simulador
