#include "bench/dados/SoServidor.h"

#include "bench/dados/BaseGrande.h"

#include <QElapsedTimer>
#include <mysql.h>

SoServidor::SoServidor(const QString &banco) : m_(mysql_init(nullptr)) {
    mysql_optionsv(m_, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const QByteArray s = senhaPadrao(), b = banco.toUtf8();
    if (!mysql_real_connect(m_, "", "root", s.constData(), b.constData(), 3306, nullptr, 0) ||
        mysql_query(m_, "set session sql_mode = ''"))
        qFatal("%s", mysql_error(m_));
}

SoServidor::~SoServidor() {
    mysql_close(m_);
}

void SoServidor::roda(const QByteArray &sql) {
    if (mysql_real_query(m_, sql.constData(), sql.size()))
        qFatal("%s: %s", mysql_error(m_), sql.constData());
    if (MYSQL_RES *r = mysql_store_result(m_))
        mysql_free_result(r);
}

double SoServidor::cronometra(const QList<QByteArray> &comandos) {
    QElapsedTimer t;
    t.start();
    for (const QByteArray &sql : comandos)
        roda(sql);
    return double(t.nsecsElapsed()) / 1e9;
}
