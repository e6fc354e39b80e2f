#include "bench/dados/SoServidor.h"

#include "bench/dados/BaseGrande.h"

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
