#pragma once

// Dialogs answered from a script: tests say beforehand how the next questions are answered and
// read afterwards every box that was shown; the command line prints the messages and answers
// questions with a fixed default.

#include "store/Dialogs.h"

#include <QTextStream>
#include <deque>
#include <functional>
#include <vector>

struct ShownMessage {
    QString text;
    QString title;
    Buttons buttons;
    Icon icon;
    Answer answer;
    QString initial = {};     // the text an input box proposed
    QStringList choices = {}; // the named answers of a choice, as offered
    int chosen = -1;          // and the index of the one given
};

class NullProgress : public Progress {
public:
    void setRange(qint64) override {}
    void setValue(qint64) override {}
    void setLabel(const QString&) override {}
};

class ScriptedDialogs : public Dialogs {
public:
    // The next question (any box with more than an OK button) gets this answer.
    void answerNext(Answer answer) { answers_.push_back(answer); }
    void answerNextInput(std::optional<QString> text) { inputs_.push_back(std::move(text)); }
    void answerNextFile(const QString& path) { files_.push_back(path); }
    // The next choice gets the answer of that name (its "&" left out: "Sovrascrivi").
    void answerNextChoice(const QString& choice) { choices_.push_back(choice); }
    // Runs while each message box is up: a test looks at the windows behind it.
    void whenShown(std::function<void(const ShownMessage&)> look) { whenShown_ = std::move(look); }

    Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    int choose(const QString& text, const QString& title, const QStringList& choices, Icon icon) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override;
    QString chooseFile(const FileDialogRequest& request) override;
    void setBusy(bool busy) override { busy_ = busy; }
    Progress& progress(const QString&) override { return progress_; }
    void endProgress() override {}
    // Records the address instead of starting a browser; answers as set (opened by default).
    bool openUrl(const QString& url) override {
        openedUrls_ << url;
        return openUrlSucceeds_;
    }
    void setOpenUrlSucceeds(bool succeeds) { openUrlSucceeds_ = succeeds; }
    const QStringList& openedUrls() const { return openedUrls_; }

    const std::vector<ShownMessage>& shown() const { return shown_; }
    QStringList texts() const;
    QString lastText() const { return shown_.empty() ? QString() : shown_.back().text; }
    std::vector<FileDialogRequest> fileRequests() const { return fileRequests_; }
    // Boxes that asked for an answer the script did not give, and scripted answers never used.
    const QStringList& unexpected() const { return unexpected_; }
    bool allAnswersUsed() const {
        return answers_.empty() && inputs_.empty() && files_.empty() && choices_.empty();
    }
    // The scripted answers no box asked for, one line each.
    QStringList unusedAnswers() const;
    void clear();
    bool busy() const { return busy_; }

private:
    std::deque<Answer> answers_;
    std::deque<std::optional<QString>> inputs_;
    std::deque<QString> files_;
    std::deque<QString> choices_;
    std::vector<ShownMessage> shown_;
    std::vector<FileDialogRequest> fileRequests_;
    QStringList unexpected_;
    NullProgress progress_;
    bool busy_ = false;
    QStringList openedUrls_;
    bool openUrlSucceeds_ = true;
    std::function<void(const ShownMessage&)> whenShown_;
};

// The command line: messages go to standard output, one per line; questions are answered with
// the default and the answer is printed beside them.
class ConsoleDialogs : public Dialogs {
public:
    explicit ConsoleDialogs(QTextStream& out, Answer defaultAnswer = Answer::No)
        : out_(out), default_(defaultAnswer) {}

    Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    // The last choice, the one that changes nothing.
    int choose(const QString& text, const QString& title, const QStringList& choices, Icon icon) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override;
    QString chooseFile(const FileDialogRequest& request) override;
    void setBusy(bool) override {}
    Progress& progress(const QString&) override { return progress_; }
    void endProgress() override {}
    void setDefaultAnswer(Answer answer) { default_ = answer; }

private:
    QTextStream& out_;
    Answer default_;
    NullProgress progress_;
};
