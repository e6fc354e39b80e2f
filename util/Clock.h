#pragma once

#include <QDate>
#include <QDateTime>
#include <optional>

// Today and now for the whole program; tests fix them. Statements that use the server's
// CURDATE() keep it in SQL and do not come here.
class Clock {
public:
    static QDate hoje();
    static QDateTime agora();
    // Fixes the clock at the given moment (tests); an empty value returns to the system clock.
    static void fixar(std::optional<QDateTime> momento);
};
