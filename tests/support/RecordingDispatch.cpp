#include "tests/support/RecordingDispatch.h"

using automation::AutomationError;
using automation::Variant;

namespace {

QString key(const QString &member) {
    return member.toLower();
}

QString describeAll(const QList<Variant> &values) {
    QStringList texts;
    for (const Variant &v : values)
        texts << v.describe();
    return texts.join(QLatin1String(", "));
}

} // namespace

Variant RecordingDispatch::get(const QString &member) {
    log_->append(QLatin1String("get ") + member);
    failIfScripted(member);
    return answerFor(member);
}

void RecordingDispatch::set(const QString &member, const Variant &value) {
    log_->append(QLatin1String("set ") + member + QLatin1String(" = ") + value.describe());
    failIfScripted(member);
    lastSet_.insert(key(member), value);
}

Variant RecordingDispatch::call(const QString &member, const QList<Variant> &args) {
    log_->append(QLatin1String("call ") + member + QLatin1Char('(') + describeAll(args) + QLatin1Char(')'));
    failIfScripted(member);
    return answerFor(member);
}

Variant RecordingDispatch::item(int index) {
    log_->append(QLatin1String("item ") + QString::number(index));
    if (index < 0 || index >= items_.size())
        throw AutomationError(QStringLiteral("índice %1 fora dos limites").arg(index));
    return items_.at(index);
}

void RecordingDispatch::answer(const QString &member, const Variant &value) {
    fixed_.insert(key(member), value);
}

void RecordingDispatch::answers(const QString &member, const QList<Variant> &inOrder) {
    sequences_.insert(key(member), inOrder);
}

std::shared_ptr<RecordingDispatch> RecordingDispatch::child(const QString &member) {
    std::shared_ptr<RecordingDispatch> sub(new RecordingDispatch(log_));
    answer(member, Variant(automation::DispatchPtr(sub)));
    return sub;
}

void RecordingDispatch::fail(const QString &member, const QString &text) {
    failures_.insert(key(member), text);
}

Variant RecordingDispatch::answerFor(const QString &member) {
    const QString k = key(member);
    if (auto it = sequences_.find(k); it != sequences_.end() && !it->isEmpty())
        return it->size() > 1 ? it->takeFirst() : it->first();
    if (auto it = fixed_.constFind(k); it != fixed_.constEnd())
        return *it;
    return lastSet_.value(k);
}

void RecordingDispatch::failIfScripted(const QString &member) const {
    if (auto it = failures_.constFind(key(member)); it != failures_.constEnd())
        throw AutomationError(*it);
}
