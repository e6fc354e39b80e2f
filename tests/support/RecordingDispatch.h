#pragma once

#include "automation/Dispatch.h"

#include <QHash>
#include <QStringList>
#include <memory>

// A Dispatch for tests: logs every get, set, call and item in order with its values, and answers
// from a script. Children share their parent's log, so a path through sub-objects reads as one
// sequence: "get ArquivoRemessa", "set Diretorio = Text(C:/x)". Member names match without case.
//
// Answers to a get or a call, in this order: the next of a scripted sequence (its last answer
// repeats), a fixed scripted answer, the value last set on the member, Empty.
class RecordingDispatch : public automation::Dispatch {
public:
    RecordingDispatch() : log_(std::make_shared<QStringList>()) {}

    automation::Variant get(const QString &member) override;
    void set(const QString &member, const automation::Variant &value) override;
    automation::Variant call(const QString &member, const QList<automation::Variant> &args = {}) override;
    automation::Variant item(int index) override;

    // Script.
    void answer(const QString &member, const automation::Variant &value);
    void answers(const QString &member, const QList<automation::Variant> &inOrder);
    // A sub-object that a get or call of the member returns; it logs into the same log.
    std::shared_ptr<RecordingDispatch> child(const QString &member);
    // Items returned by item(i); an index outside them raises an error.
    void setItems(const QList<automation::Variant> &items) { items_ = items; }
    // Any get, set or call of the member is logged and then raises an AutomationError with the text.
    void fail(const QString &member, const QString &text);

    const QStringList &log() const { return *log_; }
    void clearLog() { log_->clear(); }

private:
    explicit RecordingDispatch(std::shared_ptr<QStringList> log) : log_(std::move(log)) {}
    automation::Variant answerFor(const QString &member);
    void failIfScripted(const QString &member) const;

    std::shared_ptr<QStringList> log_;
    QHash<QString, automation::Variant> fixed_;
    QHash<QString, QList<automation::Variant>> sequences_;
    QHash<QString, automation::Variant> lastSet_;
    QHash<QString, QString> failures_;
    QList<automation::Variant> items_;
};
