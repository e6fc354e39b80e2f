#pragma once

#include <functional>

// Runs an event handler; an error it does not catch itself is shown in the error box and the
// program goes on, as the application's default handler does. Nothing crosses the event loop.
void guarda(const std::function<void()> &handler);
