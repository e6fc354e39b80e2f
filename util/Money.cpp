#include "util/Money.h"

QString Money::toDecimalText() const {
    return automation::Variant(toCurrency()).toText();
}
