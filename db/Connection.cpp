#include "db/Connection.h"

#include "util/Erro.h"

#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>

#include <QStringList>
#include <algorithm>
#include <optional>

namespace {

constexpr int LimiteDosValores = 255;
constexpr qint64 PausaAntesDeConfirmar = 1000; // milliseconds

// The link itself is gone (server restarted, network dropped, session killed), not the statement refused.
bool conexaoPerdida(unsigned int erro) {
    return erro == CR_SERVER_GONE_ERROR || erro == CR_SERVER_LOST || erro == ER_CONNECTION_KILLED;
}

// Raised inside the connection when the link was lost; the public calls turn it into the operator's text.
class ConexaoPerdida : public Erro {
public:
    ConexaoPerdida(const QString &motivo, bool executado) : Erro(motivo), podeTerSidoExecutado(executado) {}
    // Lost while the server was running it: a change may have been made.
    const bool podeTerSidoExecutado;
};

QString comMotivo(const QString &texto, const QString &motivo) {
    return texto + QStringLiteral("\nMotivo: ") + motivo;
}

QString perdidaNaTransacao(const ConexaoPerdida &p) {
    return comMotivo(QStringLiteral("A conexão com o banco de dados foi perdida no meio da operação: o "
                                    "banco de dados desfez o que ela ainda não tinha confirmado e nada "
                                    "mais foi executado."),
                     p.texto());
}

QString perdidaNaConfirmacao(const ConexaoPerdida &p) {
    return comMotivo(QStringLiteral("A conexão com o banco de dados foi perdida ao confirmar a operação: "
                                    "não se sabe se ela foi gravada. Confira antes de repetir a operação."),
                     p.texto());
}

QString perdidaNaAlteracao(const ConexaoPerdida &p) {
    return comMotivo(p.podeTerSidoExecutado
                         ? QStringLiteral("A conexão com o banco de dados foi perdida durante a gravação: "
                                          "não se sabe se a alteração foi gravada. Confira antes de "
                                          "repetir a operação.")
                         : QStringLiteral("A conexão com o banco de dados foi perdida e a alteração não "
                                          "foi gravada."),
                     p.texto());
}

QString perdidaNaConsulta(const ConexaoPerdida &p) {
    return comMotivo(QStringLiteral("A conexão com o banco de dados foi perdida e a consulta não foi "
                                    "feita."),
                     p.texto());
}

// What the operator reads when the link was lost during a statement, or nothing when the statement can
// simply run again on a new connection: a query, or a change that never reached the server, outside a
// transaction (the server has undone an open one, and going on in a fresh session would write half of it).
std::optional<QString> textoDaPerda(const ConexaoPerdida &p, bool transacao, bool confirmacao,
                                    bool consulta) {
    // A commit cut while the server ran it may have been made: only the server knows now.
    if (transacao && confirmacao && p.podeTerSidoExecutado)
        return perdidaNaConfirmacao(p);
    if (transacao)
        return perdidaNaTransacao(p);
    if (!consulta && p.podeTerSidoExecutado)
        return perdidaNaAlteracao(p);
    return std::nullopt;
}

bool ehConfirmacao(const QString &sql) {
    return QStringView(sql).trimmed().startsWith(QLatin1String("commit"), Qt::CaseInsensitive);
}

// Plain ASCII without a character that the client library escapes: the escaped text is the text itself.
// Keys of every row of a return are such texts.
bool nadaAEscapar(const QString &texto) {
    return std::all_of(texto.cbegin(), texto.cend(), [](QChar c) {
        return c.unicode() > 0 && c.unicode() < 0x80 && !QStringView(u"\\'\"\r\n\x1a").contains(c);
    });
}

// Tells the window a statement is running for as long as this lives.
class Espera {
public:
    explicit Espera(const std::function<void(bool)> &espera) : espera_(espera) {
        if (espera_)
            espera_(true);
    }
    ~Espera() {
        if (espera_)
            espera_(false);
    }

private:
    const std::function<void(bool)> &espera_;
};

} // namespace

Connection::Connection() = default;

Connection::~Connection() {
    fecha();
}

void Connection::configura(const QString &host, const QString &banco, const QByteArray &senha) {
    host_ = host.left(LimiteDosValores);
    banco_ = banco.left(LimiteDosValores);
    senha_ = senha.left(LimiteDosValores);
}

void Connection::conecta() {
    if (mysql_)
        return;
    if (!perdida_)
        return abreConexao();
    try {
        abreConexao();
    } catch (const Erro &e) {
        throw Erro(comMotivo(QStringLiteral("A conexão com o banco de dados foi perdida e não pôde ser "
                                            "restabelecida."),
                             e.texto()));
    }
    perdida_ = false;
}

void Connection::abreConexao() {
    MYSQL *m = mysql_init(nullptr);
    if (!m)
        throw Erro(QStringLiteral("Sem memória para a conexão com o banco de dados."));
    mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    // A server that is switched off must not freeze start-up for the system's TCP timeout.
    const unsigned int segundos = 15;
    mysql_optionsv(m, MYSQL_OPT_CONNECT_TIMEOUT, &segundos);
    const QByteArray host = host_.toUtf8();
    const QByteArray banco = banco_.toUtf8();
    Espera espera(espera_);
    // Several statements per request, for the batches. Every text from outside goes in escaped, so none
    // can end a statement early and start another.
    if (!mysql_real_connect(m, host.constData(), "root", senha_.constData(), banco.constData(), 3306, nullptr,
                            CLIENT_MULTI_STATEMENTS)) {
        const QString texto = QString::fromUtf8(mysql_error(m));
        mysql_close(m);
        throw Erro(texto);
    }
    mysql_ = m;
    try {
        if (mysql_autocommit(mysql_, 1))
            falha();
        if (modoSql_.isNull())
            modoSql_ = modoSqlPermissivo(rodaLeitura("select @@session.sql_mode").valor(0, 0).texto());
        rodaEscrita(QStringLiteral("set session sql_mode = '%1'").arg(modoSql_).toUtf8());
    } catch (...) {
        fecha();
        throw;
    }
}

void Connection::fecha() {
    if (mysql_)
        mysql_close(mysql_);
    mysql_ = nullptr;
}

void Connection::falha() {
    const unsigned int erro = mysql_errno(mysql_);
    const QString texto = QString::fromUtf8(mysql_error(mysql_));
    if (!conexaoPerdida(erro))
        throw Erro(texto);
    // The next statement connects again.
    fecha();
    perdida_ = true;
    throw ConexaoPerdida(texto, erro != CR_SERVER_GONE_ERROR);
}

bool Connection::emTransacao() const {
    if (!mysql_)
        return false;
    unsigned int estado = 0;
    mariadb_get_infov(mysql_, MARIADB_CONNECTION_SERVER_STATUS, &estado);
    return (estado & SERVER_STATUS_IN_TRANS) || !(estado & SERVER_STATUS_AUTOCOMMIT);
}

void Connection::roda(const QByteArray &sql) {
    conecta();
    ++pedidos_;
    if (mysql_real_query(mysql_, sql.constData(), sql.size()))
        falha();
}

void Connection::rodaLote(const QByteArray &sql, Andamento &andamento, std::vector<ResultSet> *resultados) {
    andamento = {0, emTransacao()};
    roda(sql);
    for (;;) {
        MYSQL_RES *res = mysql_store_result(mysql_);
        if (!res && mysql_errno(mysql_))
            falha();
        if (resultados) {
            try {
                resultados->push_back(res ? ResultSet::deResultado(res) : ResultSet());
            } catch (...) {
                mysql_free_result(res);
                throw;
            }
        }
        if (res)
            mysql_free_result(res);
        andamento = {andamento.respondidos + 1, emTransacao()};
        const int proximo = mysql_next_result(mysql_);
        if (proximo < 0)
            return;
        if (proximo > 0)
            falha();
    }
}

qint64 Connection::rodaEscrita(const QByteArray &sql) {
    roda(sql);
    if (MYSQL_RES *sobra = mysql_store_result(mysql_))
        mysql_free_result(sobra);
    else if (mysql_errno(mysql_))
        falha();
    return qint64(mysql_affected_rows(mysql_));
}

ResultSet Connection::rodaLeitura(const QByteArray &sql) {
    roda(sql);
    MYSQL_RES *res = mysql_store_result(mysql_);
    if (!res) {
        if (mysql_errno(mysql_))
            falha();
        return ResultSet();
    }
    ResultSet rs;
    try {
        rs = ResultSet::deResultado(res);
    } catch (...) {
        mysql_free_result(res);
        throw;
    }
    mysql_free_result(res);
    return rs;
}

void Connection::confirmaViva() {
    // After a pause the server may have restarted or dropped the session: a ping finds out without
    // sending the change, so a change is never lost in a dead connection.
    if (!mysql_ || !ociosa_.isValid() || !ociosa_.hasExpired(PausaAntesDeConfirmar))
        return;
    try {
        ++pedidos_;
        if (mysql_ping(mysql_))
            falha();
    } catch (const ConexaoPerdida &p) {
        throw ConexaoPerdida(p.texto(), false);
    }
}

template <typename Passo> auto Connection::comReconexao(bool consulta, bool confirmacao, Passo passo) {
    const bool transacao = emTransacao();
    try {
        if (!consulta)
            confirmaViva();
        return passo();
    } catch (const ConexaoPerdida &p) {
        if (const auto texto = textoDaPerda(p, transacao, confirmacao, consulta))
            throw Erro(*texto);
    }
    try {
        return passo();
    } catch (const ConexaoPerdida &p) {
        throw Erro(consulta ? perdidaNaConsulta(p) : perdidaNaAlteracao(p));
    }
}

template <typename Passo>
void Connection::loteComReconexao(const QStringList &comandos, bool consulta, Passo passo) {
    if (comandos.isEmpty())
        return;
    Espera espera(espera_);
    const QByteArray texto = comandos.join(QStringLiteral(";\n")).toUtf8();
    Andamento andamento{0, emTransacao()};
    for (int vez = 0;; ++vez) {
        try {
            if (!consulta)
                confirmaViva();
            passo(texto, andamento);
            ociosa_.start();
            return;
        } catch (const ConexaoPerdida &p) {
            // Past the first statement some of the request ran: it is not sent again.
            const ConexaoPerdida perda(p.texto(), p.podeTerSidoExecutado || andamento.respondidos > 0);
            const int i = andamento.respondidos;
            const std::optional<QString> motivo =
                textoDaPerda(perda, andamento.transacao, ehConfirmacao(comandos.value(i)), consulta);
            if (motivo || vez > 0)
                throw ErroNoLote(motivo     ? *motivo
                                 : consulta ? perdidaNaConsulta(perda)
                                            : perdidaNaAlteracao(perda),
                                 i, true);
        } catch (const Erro &e) {
            throw ErroNoLote(e.texto(), andamento.respondidos, false);
        }
    }
}

std::vector<ResultSet> Connection::abreLote(const QStringList &consultas) {
    std::vector<ResultSet> resultados;
    loteComReconexao(consultas, true, [&](const QByteArray &texto, Andamento &andamento) {
        resultados.clear();
        rodaLote(texto, andamento, &resultados);
    });
    return resultados;
}

void Connection::executaLote(const QStringList &comandos) {
    loteComReconexao(comandos, false, [&](const QByteArray &texto, Andamento &andamento) {
        rodaLote(texto, andamento, nullptr);
    });
}

bool Connection::aceitaCompostos() {
    conecta();
    return mariadb_connection(mysql_) && mysql_get_server_version(mysql_) >= 100101;
}

qint64 Connection::executa(const QString &sql) {
    Espera espera(espera_);
    const QByteArray texto = sql.toUtf8();
    const qint64 linhas = comReconexao(false, ehConfirmacao(sql), [&] { return rodaEscrita(texto); });
    ociosa_.start();
    return linhas;
}

ResultSet Connection::abre(const QString &sql) {
    Espera espera(espera_);
    const QByteArray texto = sql.toUtf8();
    ResultSet rs = comReconexao(true, false, [&] { return rodaLeitura(texto); });
    ociosa_.start();
    return rs;
}

qint64 Connection::ultimoId() const {
    return mysql_ ? qint64(mysql_insert_id(mysql_)) : 0;
}

QString Connection::escapa(const QString &texto) {
    conecta();
    if (nadaAEscapar(texto))
        return texto;
    const QByteArray de = texto.toUtf8();
    QByteArray para(de.size() * 2 + 1, Qt::Uninitialized);
    const unsigned long n = mysql_real_escape_string(mysql_, para.data(), de.constData(), de.size());
    para.truncate(int(n));
    return QString::fromUtf8(para);
}

QString Connection::modoSqlPermissivo(const QString &modoDoServidor) {
    static const QStringList fora = {
        "ONLY_FULL_GROUP_BY", "ANSI_QUOTES", "ANSI", "DB2", "MAXDB", "MSSQL", "ORACLE", "POSTGRESQL"};
    QStringList modos;
    for (const QString &m : modoDoServidor.split(u',', Qt::SkipEmptyParts)) {
        const QString modo = m.trimmed().toUpper();
        if (!fora.contains(modo))
            modos << modo;
    }
    return modos.join(u',');
}
