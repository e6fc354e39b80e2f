#pragma once

#include "automation/Variant.h"

#include <QList>

namespace automation {

// A late-bound object: members are reached by name, without regard to letter case.
// Unknown members and refused values raise AutomationError naming the member.
class Dispatch {
public:
    virtual ~Dispatch() = default;

    virtual Variant get(const QString &member) = 0;
    virtual void set(const QString &member, const Variant &value) = 0;
    virtual Variant call(const QString &member, const QList<Variant> &args = {}) = 0;
    // Items of a collection, from 0.
    virtual Variant item(int index);
};

} // namespace automation
