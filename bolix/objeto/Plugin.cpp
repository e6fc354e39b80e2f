#include "automation/Registry.h"

extern "C" Q_DECL_EXPORT automation::Dispatch *automation_create_object(const char *) { return nullptr; }
