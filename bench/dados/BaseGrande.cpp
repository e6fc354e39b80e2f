#include "bench/dados/BaseGrande.h"

#include "db/Connection.h"
#include "db/Script.h"
#include "util/Rotinas.h"

#include <cstdio>

void criaBaseGrande(Connection &servidor, const QString &banco, int clientes, int receber, int empresas) {
    servidor.executa(QStringLiteral("drop database if exists ") + banco);
    servidor.executa(QStringLiteral("create database %1 default character set latin1").arg(banco));
    servidor.executa(QStringLiteral("use ") + banco);
    executaScript(servidor, leScript(QStringLiteral(RUVENAL_SCHEMA)));
    executaScript(servidor, leScript(QStringLiteral(RUVENAL_GERADOR))
                                .replace(QStringLiteral("{CLIENTES}"), QString::number(clientes))
                                .replace(QStringLiteral("{RECEBER}"), QString::number(receber))
                                .replace(QStringLiteral("{EMPRESAS}"), QString::number(empresas)));
}

void garanteBaseGrande(const QString &banco, int clientes, int receber, int empresas) {
    Connection c;
    c.configura(QString(), QString(), senhaPadrao());
    const bool existe = !c.abre(QStringLiteral("select 1 from information_schema.tables where table_schema = "
                                               "'%1' and table_name = 'receber'")
                                    .arg(banco))
                             .vazio();
    if (existe && c.abre(QStringLiteral("select (select count(*) from %1.clientes) = %2 and "
                                        "(select count(*) from %1.receber) = %3")
                             .arg(banco)
                             .arg(clientes)
                             .arg(receber))
                          .valor(0, 0)
                          .inteiro() == 1)
        return;
    std::fprintf(stderr, "generating %s...\n", qPrintable(banco));
    criaBaseGrande(c, banco, clientes, receber, empresas);
}

QByteArray senhaPadrao() {
    return CifraBytes(QStringLiteral("D"), QStringLiteral("7C05E19B3A62F0D84E21"), QStringLiteral("QRX"));
}
