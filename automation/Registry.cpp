#include "automation/Registry.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTextStream>

namespace automation {

namespace {

// The plugin file registered for the ProgID, or empty. ProgIDs match without regard to case.
QString registeredPlugin(const QString &progId, const QString &programDir)
{
    QFile file(QDir(programDir).filePath(QLatin1String(registrationFileName)));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inSection = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line.compare(QLatin1String("[ProgIDs]"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inSection && eq > 0 && line.left(eq).trimmed().compare(progId, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return {};
}

} // namespace

DispatchPtr createObject(const QString &progId, const QString &programDir)
{
    const QString plugin = registeredPlugin(progId, programDir);
    if (plugin.isEmpty())
        throw AutomationError(QStringLiteral("Classe não registrada: %1").arg(progId));

    // Plugins stay loaded for the run, as COM servers do; the library object only names it.
    QLibrary library(QDir(programDir).absoluteFilePath(plugin));
    auto create = reinterpret_cast<CreateObjectFn>(library.resolve(createObjectSymbol));
    if (!create)
        throw AutomationError(QStringLiteral("Não foi possível carregar %1: %2").arg(plugin, library.errorString()));
    Dispatch *object = create(progId.toUtf8().constData());
    if (!object)
        throw AutomationError(QStringLiteral("Classe não registrada: %1").arg(progId));
    return DispatchPtr(object);
}

} // namespace automation
