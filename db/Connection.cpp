#include "db/Connection.h"

#include "util/Erro.h"

#include <mysql.h>

#include <QStringList>

namespace {

constexpr int LimiteDosValores = 255;

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
    if (!mysql_real_connect(m, host.constData(), "root", senha_.constData(), banco.constData(), 3306, nullptr,
                            0)) {
        const QString texto = QString::fromUtf8(mysql_error(m));
        mysql_close(m);
        throw Erro(texto);
    }
    mysql_ = m;
    try {
        if (mysql_autocommit(mysql_, 1))
            falha();
        const QString modo = abre(QStringLiteral("select @@session.sql_mode")).valor(0, 0).texto();
        executa(QStringLiteral("set session sql_mode = '%1'").arg(modoSqlPermissivo(modo)));
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
    throw Erro(QString::fromUtf8(mysql_error(mysql_)));
}

void Connection::roda(const QByteArray &sql) {
    conecta();
    if (mysql_real_query(mysql_, sql.constData(), sql.size()))
        falha();
}

qint64 Connection::executa(const QString &sql) {
    Espera espera(espera_);
    roda(sql.toUtf8());
    if (MYSQL_RES *sobra = mysql_store_result(mysql_))
        mysql_free_result(sobra);
    else if (mysql_errno(mysql_))
        falha();
    return qint64(mysql_affected_rows(mysql_));
}

ResultSet Connection::abre(const QString &sql) {
    Espera espera(espera_);
    roda(sql.toUtf8());
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

qint64 Connection::ultimoId() const {
    return mysql_ ? qint64(mysql_insert_id(mysql_)) : 0;
}

QString Connection::escapa(const QString &texto) {
    conecta();
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
