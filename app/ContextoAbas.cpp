#include "app/ContextoAbas.h"

#include "config/IniFile.h"
#include "db/Connection.h"

#include <QDir>

ContextoAbas::ContextoAbas(QString programDir) : programDir_(std::move(programDir)) {}

ContextoAbas::~ContextoAbas() = default;

IniFile ContextoAbas::configuracao() const {
    return IniFile(QDir(programDir_).filePath(QStringLiteral("sistema_zel.ini")));
}
