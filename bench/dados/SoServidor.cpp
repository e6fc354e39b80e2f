#include "bench/dados/SoServidor.h"

#include "bench/dados/BaseGrande.h"
#include "db/Connection.h"

#include <QElapsedTimer>
#include <mysql.h>

SoServidor::SoServidor(const QString &banco, const QString &host) : m_(mysql_init(nullptr)) {
    mysql_optionsv(m_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const QByteArray s = senhaPadrao(), b = banco.toUtf8(), h = host.toUtf8();
    if (!mysql_real_connect(m_, h.constData(), "root", s.constData(), b.constData(), 3306, nullptr,
                            CLIENT_MULTI_STATEMENTS) ||
        mysql_query(m_, "set session sql_mode = ''"))
        qFatal("%s", mysql_error(m_));
}

SoServidor::~SoServidor() {
    mysql_close(m_);
}

void SoServidor::roda(const QByteArray &sql) {
    int estado = mysql_real_query(m_, sql.constData(), sql.size());
    while (estado == 0) {
        if (MYSQL_RES *r = mysql_store_result(m_))
            mysql_free_result(r);
        estado = mysql_next_result(m_);
    }
    if (estado > 0)
        qFatal("%s: %s", mysql_error(m_), sql.constData());
}

double SoServidor::cronometra(const QList<QByteArray> &comandos) {
    QElapsedTimer t;
    t.start();
    for (const QByteArray &sql : comandos)
        roda(sql);
    return double(t.nsecsElapsed()) / 1e9;
}

QList<QByteArray> RequisicoesDoClique(const std::function<void()> &clique, const char *marca) {
    Connection c;
    c.configura(QString(), QString(), senhaPadrao());
    c.executa(QStringLiteral("set global log_output = 'TABLE'"));
    c.executa(QStringLiteral("truncate mysql.general_log"));
    c.executa(QStringLiteral("set global general_log = 1"));
    clique();
    c.executa(QStringLiteral("set global general_log = 0"));
    const ResultSet r = c.abre(
        QStringLiteral("select argument from mysql.general_log where command_type = 'Query' and thread_id = "
                       "(select thread_id from mysql.general_log where argument like '%%1%' limit 1)")
            .arg(QLatin1String(marca)));
    QList<QByteArray> comandos;
    for (int l = 0; l < r.linhas(); ++l)
        comandos << r.valor(l, 0).texto().toUtf8();
    return comandos;
}
