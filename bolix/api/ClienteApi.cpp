#include "ClienteApi.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace bolix::api {

namespace {

constexpr int tentativasMaximasToken = 3;

// Seconds from a Retry-After header (seconds or an HTTP date); one second when absent or unreadable.
int segundosDeEspera(const QByteArray &retryAfter) {
    bool ok = false;
    int segundos = retryAfter.trimmed().toInt(&ok);
    if (!ok) {
        const QDateTime quando =
            QDateTime::fromString(QString::fromLatin1(retryAfter.trimmed()), Qt::RFC2822Date);
        segundos = quando.isValid() ? int(QDateTime::currentDateTimeUtc().secsTo(quando)) : 1;
    }
    return std::clamp(segundos, 1, 120);
}

// The token endpoint's own words (RFC 6749 error, or one of the bank's error shapes), never the request.
QString palavrasDoBanco(const QByteArray &corpo) {
    const QJsonObject o = QJsonDocument::fromJson(corpo).object();
    for (const char *chave : {"error_description", "message", "error"})
        if (o.value(QLatin1String(chave)).isString())
            return o.value(QLatin1String(chave)).toString().left(200);
    return {};
}

} // namespace

ClienteApi::ClienteApi(const ConfiguracaoApi &api, const QSslConfiguration &tls, PerfilToken perfil)
    : api_(api), tls_(tls), perfil_(std::move(perfil)) {
    rede_.setStrictTransportSecurityEnabled(true);
}

void ClienteApi::envia(Requisicao requisicao, std::function<void(const Resposta &)> fim) {
    fila_.push_back({std::move(requisicao), std::move(fim)});
    despacha();
}

void ClienteApi::aguardaTodas() {
    if (ocioso())
        return;
    QEventLoop laco;
    QEventLoop *anterior = std::exchange(laco_, &laco);
    laco.exec();
    laco_ = anterior;
}

Resposta ClienteApi::executa(const Requisicao &requisicao) {
    Resposta resultado;
    bool pronta = false;
    envia(requisicao, [&](const Resposta &r) {
        resultado = r;
        pronta = true;
    });
    while (!pronta)
        aguardaTodas();
    return resultado;
}

bool ClienteApi::ocioso() const {
    return fila_.empty() && emVoo_ == 0 && aguardando_ == 0 && !pedindoToken_;
}

void ClienteApi::verificaFim() {
    if (laco_ && ocioso())
        laco_->quit();
}

bool ClienteApi::tokenValido() const {
    return !token_.isEmpty() && !validade_.hasExpired();
}

void ClienteApi::despacha() {
    while (emVoo_ < api_.simultaneas && !fila_.empty()) {
        if (!tokenValido()) {
            pedeToken();
            return;
        }
        Pendente p = std::move(fila_.front());
        fila_.pop_front();
        enviaAoBanco(std::move(p));
    }
    verificaFim();
}

void ClienteApi::enviaAoBanco(Pendente pendente) {
    QUrl url(api_.urlApi + pendente.requisicao.caminho);
    QUrlQuery consulta = pendente.requisicao.consulta;
    if (!perfil_.parametroChave.isEmpty())
        consulta.addQueryItem(QString::fromLatin1(perfil_.parametroChave), api_.chaveAplicacao);
    url.setQuery(consulta);
    QNetworkRequest pedido(url);
    pedido.setRawHeader("Authorization", "Bearer " + token_);
    pedido.setRawHeader("Accept", "application/json");
    if (!pendente.requisicao.corpo.isEmpty())
        pedido.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    ++emVoo_;
    const quint64 geracao = geracaoToken_;
    const QByteArray metodo = pendente.requisicao.metodo;
    const QByteArray corpo = pendente.requisicao.corpo;
    transmite(std::move(pedido), metodo, corpo,
              [this, p = std::move(pendente), geracao](const Resposta &r) mutable {
                  --emVoo_;
                  respondida(std::move(p), r, geracao);
              });
}

void ClienteApi::respondida(Pendente pendente, const Resposta &resposta, quint64 geracaoToken) {
    if (resposta.status == 401 && !pendente.renovouToken) {
        // Several answers may carry the same stale token: it is renewed once for all of them.
        if (geracaoToken == geracaoToken_)
            token_.clear();
        pendente.renovouToken = true;
        fila_.push_front(std::move(pendente));
    } else if (resposta.status == 429 && pendente.esperas < esperasMaximas) {
        aguarda(std::move(pendente), resposta.retryAfter);
    } else {
        pendente.fim(resposta);
    }
    despacha();
}

void ClienteApi::aguarda(Pendente pendente, const QByteArray &retryAfter) {
    const int segundos = segundosDeEspera(retryAfter);
    ++pendente.esperas;
    ++aguardando_;
    if (aoAguardarBanco)
        aoAguardarBanco(segundos);
    QTimer::singleShot(segundos * 1000, this, [this, p = std::move(pendente)]() mutable {
        --aguardando_;
        fila_.push_front(std::move(p));
        despacha();
    });
}

void ClienteApi::pedeToken() {
    if (pedindoToken_)
        return;
    pedindoToken_ = true;
    QNetworkRequest pedido{QUrl(api_.urlToken)};
    pedido.setHeader(QNetworkRequest::ContentTypeHeader,
                     QByteArrayLiteral("application/x-www-form-urlencoded"));
    pedido.setRawHeader("Authorization",
                        "Basic " + (api_.clientId + u':' + api_.clientSecret).toUtf8().toBase64());
    QUrlQuery corpo;
    corpo.addQueryItem(QStringLiteral("grant_type"), QStringLiteral("client_credentials"));
    if (!perfil_.escopos.isEmpty())
        corpo.addQueryItem(QStringLiteral("scope"), perfil_.escopos);
    transmite(std::move(pedido), "POST", corpo.query(QUrl::FullyEncoded).toUtf8(),
              [this](const Resposta &r) { tokenRecebido(r); });
}

void ClienteApi::tokenRecebido(const Resposta &resposta) {
    pedindoToken_ = false;
    if (!resposta.sucesso()) {
        // The bank refuses a good token request now and then: a few tries before giving up.
        if (++tentativasToken_ < tentativasMaximasToken && resposta.status != 400) {
            pedindoToken_ = true;
            QTimer::singleShot(500, this, [this] {
                pedindoToken_ = false;
                pedeToken();
            });
            return;
        }
        const QString palavras = palavrasDoBanco(resposta.corpo);
        falhaToken(resposta.semResposta()
                       ? QStringLiteral("sem resposta do endereço do token (%1)").arg(resposta.falha)
                       : QStringLiteral("o banco recusou api_client_id e api_client_secret (HTTP %1%2)")
                             .arg(resposta.status)
                             .arg(palavras.isEmpty() ? QString() : QStringLiteral(": ") + palavras),
                   resposta);
        return;
    }
    const QJsonObject o = QJsonDocument::fromJson(resposta.corpo).object();
    const QString token = o.value(QLatin1String("access_token")).toString();
    const QJsonValue expira = o.value(QLatin1String("expires_in"));
    const qint64 segundos = expira.isString() ? expira.toString().toLongLong() : expira.toInteger();
    if (token.isEmpty() || segundos <= 0) {
        falhaToken(QStringLiteral("resposta do token sem access_token ou expires_in"), resposta);
        return;
    }
    tentativasToken_ = 0;
    token_ = token.toLatin1();
    ++geracaoToken_;
    // Renewed shortly before the bank's expiry, so no request goes out with a token about to lapse.
    const qint64 margem = std::min<qint64>(60, segundos / 5);
    validade_.setRemainingTime((segundos - margem) * 1000);
    despacha();
}

void ClienteApi::falhaToken(const QString &motivo, const Resposta &resposta) {
    tentativasToken_ = 0;
    Resposta falha = resposta;
    falha.naoEnviada = true;
    falha.falha = QStringLiteral("Autenticação na API do banco: %1.").arg(motivo);
    auto pendentes = std::move(fila_);
    fila_.clear();
    for (Pendente &p : pendentes)
        p.fim(falha);
    verificaFim();
}

void ClienteApi::transmite(QNetworkRequest pedido, const QByteArray &metodo, const QByteArray &corpo,
                           std::function<void(const Resposta &)> fim) {
    pedido.setSslConfiguration(tls_);
    pedido.setTransferTimeout(api_.tempoLimiteSegundos * 1000);
    pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *resposta = rede_.sendCustomRequest(pedido, metodo, corpo);
    auto grandeDemais = std::make_shared<bool>(false);
    connect(resposta, &QNetworkReply::downloadProgress, resposta,
            [resposta, grandeDemais](qint64 recebidos, qint64) {
                if (recebidos > tamanhoMaximoResposta && !*grandeDemais) {
                    *grandeDemais = true;
                    resposta->abort();
                }
            });
    connect(resposta, &QNetworkReply::finished, this, [resposta, grandeDemais, fim = std::move(fim)] {
        resposta->deleteLater();
        Resposta r;
        r.status = resposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        r.retryAfter = resposta->rawHeader("Retry-After");
        if (*grandeDemais) {
            r.status = 0;
            r.falha = QStringLiteral("resposta do banco maior que %1 MB, recusada")
                          .arg(tamanhoMaximoResposta / (1024 * 1024));
        } else if (r.status == 0) {
            r.falha = resposta->error() == QNetworkReply::OperationCanceledError ||
                              resposta->error() == QNetworkReply::TimeoutError
                          ? QStringLiteral("o banco não respondeu a tempo")
                          : resposta->errorString();
        } else {
            r.corpo = resposta->readAll();
        }
        fim(r);
    });
}

} // namespace bolix::api
