#pragma once

#include "util/Money.h"

#include <QList>
#include <QString>
#include <optional>

// The file as it was at one reading, for a site that needs many keys in one pass. Reads as IniFile does.
class IniFileLido {
public:
    QString lerTexto(const QString &secao, const QString &chave, const QString &padrao) const;
    // Decimal with an optional sign, or hexadecimal after "0x".
    qint64 lerInteiro(const QString &secao, const QString &chave, qint64 padrao) const;
    // As lerInteiro; a value that does not fit in 32 bits does not convert and gives the default.
    int lerInteiro32(const QString &secao, const QString &chave, int padrao) const;
    // An integer; anything but 0 is true.
    bool lerFlag(const QString &secao, const QString &chave, bool padrao) const;
    // A number in the regional decimal form.
    Money lerDecimal(const QString &secao, const QString &chave, Money padrao) const;

private:
    friend class IniFile;
    explicit IniFileLido(QList<QString> linhas) : linhas_(std::move(linhas)) {}
    std::optional<QString> le(const QString &secao, const QString &chave) const;

    QList<QString> linhas_;
};

// The configuration file "sistema_zel.ini", shared with the management system's other programs,
// with the semantics of the Windows profile functions: case-insensitive sections and keys, blanks
// around values dropped, one pair of enclosing quotes removed, values cut to 2047 characters. Every
// call opens the file, does its work and closes it again, so each write is seen by the next read
// here or in another program. A missing file, section or key, or a number that does not convert,
// reads as the caller's default.
class IniFile {
public:
    // The file beside the program.
    IniFile();
    explicit IniFile(QString caminho);

    const QString &caminho() const { return caminho_; }

    // The whole file, read now; a missing file reads as an empty one.
    IniFileLido leTudo() const;

    // Each reads the file once; see IniFileLido.
    QString lerTexto(const QString &secao, const QString &chave, const QString &padrao) const;
    qint64 lerInteiro(const QString &secao, const QString &chave, qint64 padrao) const;
    int lerInteiro32(const QString &secao, const QString &chave, int padrao) const;
    bool lerFlag(const QString &secao, const QString &chave, bool padrao) const;
    Money lerDecimal(const QString &secao, const QString &chave, Money padrao) const;

    // Each write replaces one key's line by "key=value" and leaves every other line of the file as it was; a
    // missing key, section or file is created. A refused write throws Erro naming the file.
    void gravarTexto(const QString &secao, const QString &chave, const QString &valor) const;
    void gravarInteiro(const QString &secao, const QString &chave, qint64 valor) const;
    void gravarFlag(const QString &secao, const QString &chave, bool valor) const;
    void gravarDecimal(const QString &secao, const QString &chave, Money valor) const;

private:
    QString caminho_;
};
