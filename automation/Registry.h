#pragma once

#include "automation/Dispatch.h"

#include <QString>

namespace automation {

// What the registration beside the program is called: lines "ProgID=plugin file" under [ProgIDs].
inline constexpr const char *registrationFileName = "automation.ini";

// The entry point every plugin exports: returns a new object for a ProgID it serves, or null.
// Declared with C linkage so it resolves by name.
using CreateObjectFn = Dispatch *(*)(const char *progId);
inline constexpr const char *createObjectSymbol = "automation_create_object";

// Creates the object registered under the ProgID in the registration of the given folder.
// Throws AutomationError when the ProgID is not registered, the plugin does not load or refuses it.
DispatchPtr createObject(const QString &progId, const QString &programDir);

} // namespace automation
