#include "automation/Registry.h"
#include "bolix/objeto/ContaCorrente.h"

// The one class this plugin serves; any other ProgID gets no object.
extern "C" Q_DECL_EXPORT automation::Dispatch *automation_create_object(const char *progId) {
    if (QString::fromUtf8(progId).compare(QLatin1String("Bolix.ContaCorrente"), Qt::CaseInsensitive) != 0)
        return nullptr;
    return new bolix::objeto::ContaCorrente;
}
