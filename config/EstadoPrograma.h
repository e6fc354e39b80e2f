#pragma once

#include <QByteArray>
#include <QString>

class IniFile;

// The program-wide state that start-up sets and the subsystems read for the whole run.
struct EstadoPrograma {
    int FilialAtual = 0;
    int FilialLogica = 0;
    int NumCaixa = 0;
    QString LojasLeramAtual;
    bool Configurado = false;
    // Date column of the last listing: "datahora" or "vencimento"; empty before the first.
    QString CampoData;
    // The installation's bank number and carteira; empty when not provisioned.
    QString banco;
    QString carteira;
};

// What start-up reads from the configuration file before it connects.
struct ConfiguracaoInicial {
    QString database;
    QString host;
    QByteArray senha; // deciphered, bytes as the client library takes them
    QString codEmpresa;
    QString enderecoDestino;
    QString enderecoLeitura;
};

// Reads the keys of start-up in their order and sets the state from them. Throws an ErroNaEtapa naming
// the key when the password cannot be deciphered or the branch has no replication marker.
ConfiguracaoInicial leConfiguracaoInicial(const IniFile &ini, EstadoPrograma &estado);

// The window caption: "Ruvenal 1.0.0.34", with " - <bank> <name>" when the bank is known.
QString tituloJanela(const QString &banco, const QString &descricao);
// The statement that reads the bank's name for the caption; the number is escaped by the caller's connection.
QString sqlDescricaoBanco(const QString &bancoEscapado);
