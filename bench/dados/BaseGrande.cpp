#include "bench/dados/BaseGrande.h"

#include "db/Connection.h"
#include "db/Script.h"
#include "util/Rotinas.h"

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

QByteArray senhaPadrao() {
    return CifraBytes(QStringLiteral("D"), QStringLiteral("7C05E19B3A62F0D84E21"), QStringLiteral("QRX"));
}
