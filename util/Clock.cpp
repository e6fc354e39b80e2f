#include "util/Clock.h"

namespace {

std::optional<QDateTime> &momentoFixo() {
    static std::optional<QDateTime> momento;
    return momento;
}

} // namespace

QDate Clock::hoje() {
    return agora().date();
}

QDateTime Clock::agora() {
    return momentoFixo().value_or(QDateTime::currentDateTime());
}

void Clock::fixar(std::optional<QDateTime> momento) {
    momentoFixo() = std::move(momento);
}
