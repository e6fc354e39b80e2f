#pragma once

// Banco do Brasil's API Cobranças v2 as the bank's homologation answers it, over HTTPS on the loopback: the
// OAuth2 token with its expiry, an optional check of the client certificate, a store of the boletos with
// their bar codes and Pix QR, the bank's paging and error bodies, its time rules on a clock the tests set,
// the sandbox's payment call and faults on demand.

#include "bolix/core/Documento.h"

#include <QAbstractHttpServer>
#include <QDateTime>
#include <QHash>
#include <QJsonObject>
#include <QSslConfiguration>

#include <functional>

namespace bolix::simulador {

struct OpcoesBancoDoBrasil {
    QString clientId;
    QString clientSecret;
    QString chaveAplicacao;
    QString parametroChave = QStringLiteral("gw-dev-app-key");
    QString convenio; // 7 digits
    QString agencia;  // as the list asks it, without leading zeros
    QString conta;
    QString nomeBeneficiario = QStringLiteral("LOJA DEMO");
    QString cidade = QStringLiteral("SAO PAULO");
    int validadeToken = 600; // seconds
    int atrasoMs = 0;        // before each answer of the API
    int tamanhoPagina = 300;
    QSslConfiguration tls; // certificate and key of the server; VerifyPeer with CAs to demand a client one
    std::function<QDateTime()> relogio = [] { return QDateTime::currentDateTime(); };
};

// Faults on demand, each counted down as it happens.
struct FalhasBancoDoBrasil {
    int tokenRecusado = 0; // token answered 401 invalid_client
    int tokenRevogado = 0; // API call answered 401 although its token is valid
    int limite = 0;        // API call answered 429 with Retry-After
    int retryAfter = 1;
    int erroAposRegistrar = 0;   // registration stored, then answered 500
    int pixFalha = 0;            // registration without the Pix part (the bank's words in url/txId)
    QByteArray respostaRegistro; // replaces the body of successful registrations (bad answers)
};

struct BoletoSimulado {
    QJsonObject pedido;
    QString numero;
    QString codigoBarras;
    QString linhaDigitavel;
    QString emv;
    QDateTime registro;
    Dinheiro valor = 0;
    int estado = 1; // 1 normal, 6 liquidado, 7 baixado; 14, 15, 17, 21 paid but not credited yet
    Dinheiro valorPago = 0;
    QDateTime anuncio; // the paying bank's announcement (baixa operacional), kept after the settlement
    QDate dataPagamento;
    QDate dataCredito;
};

class ServidorBancoDoBrasil : public QAbstractHttpServer {
public:
    explicit ServidorBancoDoBrasil(OpcoesBancoDoBrasil opcoes);

    // Listens on the loopback; the port, chosen by the system when 0.
    quint16 escuta(quint16 porta = 0);
    QString urlApi() const;
    QString urlToken() const;

    // Pays a registered boleto as the sandbox's call does; false when there is none "em ser".
    bool paga(const QString &linhaDigitavel, Dinheiro valor, const QDate &data);
    // A payment the paying bank announced at `momento` (a "baixa operacional"): the boleto takes `estado`
    // (14, 15, 17 or 21) until paga() settles it; false when there is none "em ser".
    bool anuncia(const QString &linhaDigitavel, Dinheiro valor, const QDateTime &momento, int estado = 14);

    FalhasBancoDoBrasil falhas;
    const QHash<QString, BoletoSimulado> &boletos() const { return boletos_; }
    int registrosRecebidos() const { return registrosRecebidos_; }
    int tokensEmitidos() const { return tokensEmitidos_; }

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    struct Resposta {
        Resposta(int s = 200, QJsonObject c = {}) : status(s), corpo(std::move(c)) {}
        int status;
        QJsonObject corpo;
        QByteArray bruto; // when set, sent instead of `corpo`
        QList<QPair<QByteArray, QByteArray>> cabecalhos;
    };
    Resposta atende(const QHttpServerRequest &pedido);
    Resposta token(const QHttpServerRequest &pedido);
    Resposta registra(const QJsonObject &corpo);
    Resposta detalhe(const QString &numero) const;
    Resposta pix(const QString &numero) const;
    Resposta lista(const QUrlQuery &consulta) const;
    Resposta baixasOperacionais(const QUrlQuery &consulta) const;
    Resposta baixa(const QString &numero);
    bool autorizado(const QHttpServerRequest &pedido) const;

    OpcoesBancoDoBrasil opcoes_;
    quint16 porta_ = 0;
    QHash<QString, BoletoSimulado> boletos_;
    QHash<QByteArray, QDateTime> tokens_;
    int registrosRecebidos_ = 0;
    int tokensEmitidos_ = 0;
};

} // namespace bolix::simulador
