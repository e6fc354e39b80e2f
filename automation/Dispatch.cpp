#include "automation/Dispatch.h"

namespace automation {

Variant Dispatch::item(int index)
{
    throw AutomationError(QStringLiteral("O objeto não é uma coleção (item %1)").arg(index));
}

} // namespace automation
