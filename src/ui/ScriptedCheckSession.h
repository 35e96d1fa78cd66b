#pragma once

// A check session answered from a script, for tests and the command line: the test says
// beforehand what the operator does with each finding ("replace with X", "ignore", ...) and reads
// afterwards what was shown. A finding beyond the script cancels the check and is noted.

#include "ui/TextCheck.h"

#include <deque>

class ScriptedCheckSession : public CheckSession {
public:
    struct Shown {
        TextFinding finding;
        QString text;            // the text when the finding was shown
        QStringList corrections; // what was proposed
    };

    ScriptedCheckSession& replaceWith(const QString& replacement);
    ScriptedCheckSession& replaceAllWith(const QString& replacement);
    // Replaces with the first correction proposed.
    ScriptedCheckSession& acceptFirst();
    ScriptedCheckSession& ignore();
    ScriptedCheckSession& ignoreAll();
    ScriptedCheckSession& add();
    ScriptedCheckSession& cancel();

    CheckChoice decide(const QString& text, const TextFinding& finding,
                       const std::function<QStringList()>& corrections) override;
    void finish() override { finished_ = true; }

    const QList<Shown>& shown() const { return shown_; }
    // The words (or slips) shown, in order.
    QStringList shownTexts() const;
    const QStringList& unexpected() const { return unexpected_; }
    bool allUsed() const { return script_.empty(); }
    bool finished() const { return finished_; }

private:
    struct Step {
        CheckAction action;
        QString replacement;
        bool first = false;
    };
    ScriptedCheckSession& push(Step step);

    std::deque<Step> script_;
    QList<Shown> shown_;
    QStringList unexpected_;
    bool finished_ = false;
};
