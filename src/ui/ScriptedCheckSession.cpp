#include "ui/ScriptedCheckSession.h"

ScriptedCheckSession& ScriptedCheckSession::push(Step step) {
    script_.push_back(std::move(step));
    return *this;
}

ScriptedCheckSession& ScriptedCheckSession::replaceWith(const QString& r) {
    return push({CheckAction::Replace, r});
}
ScriptedCheckSession& ScriptedCheckSession::replaceAllWith(const QString& r) {
    return push({CheckAction::ReplaceAll, r});
}
ScriptedCheckSession& ScriptedCheckSession::acceptFirst() {
    return push({CheckAction::Replace, {}, true});
}
ScriptedCheckSession& ScriptedCheckSession::ignore() {
    return push({CheckAction::Ignore, {}});
}
ScriptedCheckSession& ScriptedCheckSession::ignoreAll() {
    return push({CheckAction::IgnoreAll, {}});
}
ScriptedCheckSession& ScriptedCheckSession::add() {
    return push({CheckAction::Add, {}});
}
ScriptedCheckSession& ScriptedCheckSession::cancel() {
    return push({CheckAction::Cancel, {}});
}

CheckChoice ScriptedCheckSession::decide(const QString& text, const TextFinding& finding,
                                         const std::function<QStringList()>& corrections) {
    shown_.append({finding, text, corrections()});
    if (script_.empty()) {
        unexpected_ << QStringLiteral("finding beyond the script: %1").arg(finding.text);
        return {CheckAction::Cancel, {}};
    }
    Step step = script_.front();
    script_.pop_front();
    if (step.first) {
        const QStringList& proposed = shown_.back().corrections;
        if (proposed.isEmpty()) {
            unexpected_ << QStringLiteral("no correction to accept for: %1").arg(finding.text);
            return {CheckAction::Cancel, {}};
        }
        step.replacement = proposed.first();
    }
    return {step.action, step.replacement};
}

QStringList ScriptedCheckSession::shownTexts() const {
    QStringList list;
    for (const Shown& s : shown_)
        list << s.finding.text;
    return list;
}
