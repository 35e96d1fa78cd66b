#include "ui/ScriptedDialogs.h"

namespace {

QString answerName(Answer a) {
    switch (a) {
    case Answer::Ok:
        return QStringLiteral("OK");
    case Answer::Cancel:
        return QStringLiteral("Annulla");
    case Answer::Yes:
        return QStringLiteral("Sì");
    case Answer::No:
        return QStringLiteral("No");
    }
    return {};
}

// The answer a box can give when nobody chose one: the button that leaves things as they are.
Answer safeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    }
    return Answer::Cancel;
}

bool offers(Buttons buttons, Answer a) {
    switch (buttons) {
    case Buttons::Ok:
        return a == Answer::Ok;
    case Buttons::OkCancel:
        return a == Answer::Ok || a == Answer::Cancel;
    case Buttons::YesNo:
        return a == Answer::Yes || a == Answer::No;
    case Buttons::YesNoCancel:
        return a == Answer::Yes || a == Answer::No || a == Answer::Cancel;
    }
    return false;
}

} // namespace

Answer ScriptedDialogs::message(const QString& text, const QString& title, Buttons buttons, Icon icon) {
    Answer answer = Answer::Ok;
    if (buttons != Buttons::Ok) {
        if (answers_.empty()) {
            unexpected_ << QStringLiteral("unanswered question: %1").arg(text);
            answer = safeAnswer(buttons);
        } else {
            answer = answers_.front();
            answers_.pop_front();
            if (!offers(buttons, answer)) {
                unexpected_ << QStringLiteral("answer %1 not offered by: %2").arg(answerName(answer), text);
                answer = safeAnswer(buttons);
            }
        }
    }
    shown_.push_back({text, title, buttons, icon, answer});
    if (whenShown_)
        whenShown_(shown_.back());
    return answer;
}

namespace {

QString senzaAcceleratore(QString choice) {
    return choice.remove(u'&');
}

} // namespace

int ScriptedDialogs::choose(const QString& text, const QString& title, const QStringList& choices,
                            Icon icon) {
    int chosen = static_cast<int>(choices.size()) - 1;
    if (choices_.empty()) {
        unexpected_ << QStringLiteral("unanswered choice: %1").arg(text);
    } else {
        const QString wanted = choices_.front();
        choices_.pop_front();
        qsizetype i = 0;
        while (i < choices.size() && senzaAcceleratore(choices[i]) != wanted)
            ++i;
        if (i < choices.size())
            chosen = static_cast<int>(i);
        else
            unexpected_ << QStringLiteral("answer %1 not offered by: %2").arg(wanted, text);
    }
    ShownMessage shown{text, title, Buttons::Ok, icon, Answer::Ok};
    shown.choices = choices;
    shown.chosen = chosen;
    shown_.push_back(shown);
    if (whenShown_)
        whenShown_(shown_.back());
    return chosen;
}

std::optional<QString> ScriptedDialogs::input(const QString& prompt, const QString& title,
                                              const QString& initial) {
    shown_.push_back({prompt, title, Buttons::OkCancel, Icon::None, Answer::Ok, initial});
    if (inputs_.empty()) {
        unexpected_ << QStringLiteral("unanswered input box: %1").arg(prompt);
        return std::nullopt;
    }
    // Built in place: GCC's -O3 flow analysis mistakes a copied optional<QString> for uninitialised.
    std::optional<QString> value(std::in_place, inputs_.front().value_or(QString()));
    const bool cancelled = !inputs_.front().has_value();
    inputs_.pop_front();
    if (cancelled)
        return std::nullopt;
    return value;
}

QString ScriptedDialogs::chooseFile(const FileDialogRequest& request) {
    fileRequests_.push_back(request);
    if (files_.empty()) {
        unexpected_ << QStringLiteral("unanswered file dialog: %1").arg(request.title);
        return {};
    }
    QString path = files_.front();
    files_.pop_front();
    return path;
}

QStringList ScriptedDialogs::texts() const {
    QStringList list;
    for (const auto& m : shown_)
        list << m.text;
    return list;
}

QStringList ScriptedDialogs::unusedAnswers() const {
    QStringList unused;
    for (Answer a : answers_)
        unused << QStringLiteral("answer %1 never asked for").arg(answerName(a));
    for (const auto& text : inputs_)
        unused << QStringLiteral("input %1 never asked for").arg(text.value_or(QStringLiteral("(cancel)")));
    for (const QString& path : files_)
        unused << QStringLiteral("file %1 never asked for").arg(path);
    for (const QString& choice : choices_)
        unused << QStringLiteral("choice %1 never asked for").arg(choice);
    return unused;
}

void ScriptedDialogs::clear() {
    answers_.clear();
    inputs_.clear();
    files_.clear();
    choices_.clear();
    shown_.clear();
    fileRequests_.clear();
    unexpected_.clear();
    openedUrls_.clear();
}

Answer ConsoleDialogs::message(const QString& text, const QString&, Buttons buttons, Icon) {
    if (buttons == Buttons::Ok) {
        out_ << text << Qt::endl;
        return Answer::Ok;
    }
    const Answer answer = offers(buttons, default_) ? default_ : safeAnswer(buttons);
    out_ << text << QStringLiteral(" -> ") << answerName(answer) << Qt::endl;
    return answer;
}

int ConsoleDialogs::choose(const QString& text, const QString&, const QStringList& choices, Icon) {
    out_ << text << QStringLiteral(" -> ") << senzaAcceleratore(choices.value(choices.size() - 1))
         << Qt::endl;
    return static_cast<int>(choices.size()) - 1;
}

std::optional<QString> ConsoleDialogs::input(const QString& prompt, const QString&, const QString&) {
    out_ << prompt << QStringLiteral(" -> ") << answerName(Answer::Cancel) << Qt::endl;
    return std::nullopt;
}

QString ConsoleDialogs::chooseFile(const FileDialogRequest& request) {
    out_ << request.title << QStringLiteral(" -> ") << answerName(Answer::Cancel) << Qt::endl;
    return {};
}
