#pragma once

#include "boleto/ObjetoBolix.h"
#include "config/IniFile.h"

#include <QString>
#include <QTemporaryDir>

// A program folder of the test's own: the component registered beside it, its bolix.ini, and a
// sistema_zel.ini. The component reads its settings from here while the object lives.
class InstalacaoDeTeste {
public:
    InstalacaoDeTeste();
    ~InstalacaoDeTeste();

    QString pasta() const { return pasta_.path(); }
    QString arquivo(const QString &nome) const { return pasta_.filePath(nome); }
    IniFile ini() const { return IniFile(arquivo(QStringLiteral("sistema_zel.ini"))); }

    // Writes the section [Ruvenal] of sistema_zel.ini (lines joined with CR LF).
    void ruvenal(const QStringList &linhas) const;
    // Writes the component's own settings, section [Bolix].
    void bolix(const QStringList &linhas) const;

    // The real component, created through its registration.
    boleto::ObjetoBolix componente() const;

private:
    QTemporaryDir pasta_;
};
