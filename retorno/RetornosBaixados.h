#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

// The return files already settled, kept in a small text file beside the program so that the same
// file is recognised when it is loaded again. One line per settlement run, Windows-1252:
//   <SHA-256 of the file, hexadecimal> <yyyy-MM-dd HH:mm:ss> <the file's path as loaded>
class RetornosBaixados {
public:
    explicit RetornosBaixados(QString caminho);

    // The name of the file beside the program.
    static QString nomeArquivo() { return QStringLiteral("retornos_baixados.txt"); }

    // When a file with this fingerprint was last settled; empty when never. A missing file means none.
    std::optional<QDateTime> baixadoEm(const QByteArray &impressao) const;
    // Records a settlement. Throws Erro naming the file when it cannot be written.
    void registra(const QByteArray &impressao, const QDateTime &quando, const QString &arquivo) const;

private:
    QString caminho_;
};

// The question asked before a file settled before can be settled again.
QString PerguntaRetornoJaBaixado(const QDateTime &quando);
