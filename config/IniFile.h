#pragma once

#include "util/Money.h"

#include <QString>
#include <optional>

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

    QString lerTexto(const QString &secao, const QString &chave, const QString &padrao) const;
    // Decimal with an optional sign, or hexadecimal after "0x".
    qint64 lerInteiro(const QString &secao, const QString &chave, qint64 padrao) const;
    // An integer; anything but 0 is true.
    bool lerFlag(const QString &secao, const QString &chave, bool padrao) const;
    // A number in the regional decimal form.
    Money lerDecimal(const QString &secao, const QString &chave, Money padrao) const;

    // Each write replaces one value and leaves every other line of the file as it was; a missing
    // key, section or file is created. A refused write throws Erro naming the file.
    void gravarTexto(const QString &secao, const QString &chave, const QString &valor) const;
    void gravarInteiro(const QString &secao, const QString &chave, qint64 valor) const;
    void gravarFlag(const QString &secao, const QString &chave, bool valor) const;
    void gravarDecimal(const QString &secao, const QString &chave, Money valor) const;

private:
    std::optional<QString> le(const QString &secao, const QString &chave) const;

    QString caminho_;
};
