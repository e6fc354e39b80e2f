#pragma once

// The HTTP side shared by the banks' APIs: an OAuth2 client-credentials token reused until shortly before it
// expires and renewed once on a 401, a 429 waited out as the bank says, at most `simultaneas` requests in
// flight, a time-out per answer and a cap on the size of a body. TLS is always verified.

#include "bolix/core/Configuracao.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSslConfiguration>
#include <QUrlQuery>

#include <deque>
#include <functional>

namespace bolix::api {

struct Requisicao {
    QByteArray metodo; // GET, POST, PATCH
    QString caminho;   // after the API's base address, starting with '/'
    QUrlQuery consulta;
    QByteArray corpo; // JSON; empty for none
};

struct Resposta {
    int status = 0; // 0: no answer at all (time-out, connection, TLS): the bank may or may not have acted
    QByteArray corpo;
    QString falha; // why there was no answer, or why the token was refused
    QByteArray retryAfter;
    bool naoEnviada = false; // never reached the bank (no token): nothing can have been done there
    bool semResposta() const { return status == 0; }
    bool sucesso() const { return status >= 200 && status < 300; }
};

// How the bank is asked for its token; the rest of the protocol is the same for every bank.
struct PerfilToken {
    QString escopos;           // space-separated
    QByteArray parametroChave; // query parameter of the application key on every call; empty: none
};

class ClienteApi : public QObject {
public:
    ClienteApi(const ConfiguracaoApi &api, const QSslConfiguration &tls, PerfilToken perfil);

    // Queues the request; `fim` runs once with the final answer (after the token, a 401 and 429s).
    void envia(Requisicao requisicao, std::function<void(const Resposta &)> fim);
    // Runs the event loop until every queued request has its answer.
    void aguardaTodas();
    // One request, waited for.
    Resposta executa(const Requisicao &requisicao);

    int simultaneas() const { return api_.simultaneas; }

    // Told each time the client waits for the bank (a 429) and how many seconds.
    std::function<void(int segundos)> aoAguardarBanco;

    static constexpr qint64 tamanhoMaximoResposta = 4 * 1024 * 1024;
    static constexpr int esperasMaximas = 10;

private:
    struct Pendente {
        Requisicao requisicao;
        std::function<void(const Resposta &)> fim;
        bool renovouToken = false;
        int esperas = 0;
    };

    void despacha();
    void enviaAoBanco(Pendente pendente);
    void respondida(Pendente pendente, const Resposta &resposta, quint64 geracaoToken);
    void pedeToken();
    void tokenRecebido(const Resposta &resposta);
    bool tokenValido() const;
    void aguarda(Pendente pendente, const QByteArray &retryAfter);
    void falhaToken(const QString &motivo, const Resposta &resposta);
    bool ocioso() const;
    void verificaFim();
    void transmite(QNetworkRequest pedido, const QByteArray &metodo, const QByteArray &corpo,
                   std::function<void(const Resposta &)> fim);

    ConfiguracaoApi api_;
    QSslConfiguration tls_;
    PerfilToken perfil_;
    QNetworkAccessManager rede_;
    std::deque<Pendente> fila_;
    int emVoo_ = 0;
    int aguardando_ = 0;
    QByteArray token_;
    quint64 geracaoToken_ = 0;
    QDeadlineTimer validade_;
    bool pedindoToken_ = false;
    int tentativasToken_ = 0;
    QEventLoop *laco_ = nullptr;
};

} // namespace bolix::api
