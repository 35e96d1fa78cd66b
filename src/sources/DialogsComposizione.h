#pragma once

// The composers warn and ask through the dialogs; a source composed with no window (a proposal of
// the texts, a fix of a finding) answers them here: the first warning is the reason the source
// cannot be composed, and a "giusto?" question goes on without the missing part (a ministerial
// decree without its ministry is still that decree).

#include "ui/ScriptedDialogs.h"

class DialogsComposizione : public Dialogs {
public:
    Answer message(const QString& text, const QString&, Buttons buttons, Icon) override {
        if (buttons != Buttons::Ok)
            return Answer::Yes;
        if (avviso.isEmpty())
            avviso = text;
        return Answer::Ok;
    }
    int choose(const QString&, const QString&, const QStringList& choices, Icon) override {
        return int(choices.size()) - 1;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString chooseFile(const FileDialogRequest&) override { return {}; }
    void setBusy(bool) override {}
    Progress& progress(const QString&) override { return progress_; }
    void endProgress() override {}

    QString avviso;

private:
    NullProgress progress_;
};
