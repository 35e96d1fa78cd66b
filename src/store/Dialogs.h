#pragma once

// What the system takes from the desktop: message boxes, questions, input boxes, file dialogs,
// the busy pointer and progress of long runs. The core sees only this interface; the GUI answers
// with real windows, tests and the command line with scripted answers.

#include <QString>
#include <QStringList>
#include <optional>

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Critical, Question };
enum class Answer { Ok, Cancel, Yes, No };

// Title of the boxes that the system shows without a title of their own.
inline QString applicationTitle() {
    return QStringLiteral("Quillaro");
}

struct FileDialogRequest {
    QString title;
    QString folder;
    QString filter;            // "Database file (*.db)"
    QString defaultSuffix;     // "db"
    QString fileName;          // a name proposed in the folder (a new file)
    bool mustExist = true;     // open an existing file, or name a new one
    bool chooseFolder = false; // a folder, not a file
};

// Progress of a long run; cancellation is not offered (the runs are short enough), only feedback.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setRange(qint64 total) = 0;
    virtual void setValue(qint64 done) = 0;
    virtual void setLabel(const QString& text) = 0;
    // The run is waiting on something outside the program (a child process): the window may
    // repaint meanwhile. Called often; answers at its own pace.
    virtual void keepAlive() {}
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box; the answer is the button pressed (Ok for an OK-only box).
    virtual Answer message(const QString& text, const QString& title = applicationTitle(),
                           Buttons buttons = Buttons::Ok, Icon icon = Icon::None) = 0;
    // A question answered by one of the named choices ("&Ricarica", "&Sovrascrivi", "&Annulla"): the
    // index of the one chosen. The last choice is the one that changes nothing: Escape gives it, and
    // so does anyone without an answer to give (the command line, a script that expected none).
    virtual int choose(const QString& text, const QString& title, const QStringList& choices,
                       Icon icon = Icon::Question) = 0;
    // An input box: the text typed, or nothing when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title,
                                         const QString& initial = {}) = 0;
    // A file dialog: the chosen path, empty when cancelled.
    virtual QString chooseFile(const FileDialogRequest& request) = 0;
    // The hourglass while a long run works.
    virtual void setBusy(bool busy) = 0;
    // Progress feedback for a run; the object lives for the run.
    virtual Progress& progress(const QString& title) = 0;
    virtual void endProgress() = 0;
    // Opens an address in the operator's browser; false when it could not be opened (and where
    // there is no desktop to open it on).
    virtual bool openUrl(const QString& /*url*/) { return false; }

    // Shorthands.
    void info(const QString& text, const QString& title = applicationTitle()) {
        message(text, title, Buttons::Ok, Icon::Information);
    }
    bool askYesNo(const QString& text, const QString& title = applicationTitle()) {
        return message(text, title, Buttons::YesNo, Icon::Question) == Answer::Yes;
    }
};

// Hourglass and progress for the time of a scope.
class BusyScope {
public:
    BusyScope(Dialogs& dialogs, const QString& title)
        : dialogs_(dialogs), progress_(dialogs.progress(title)) {
        dialogs_.setBusy(true);
    }
    ~BusyScope() {
        dialogs_.endProgress();
        dialogs_.setBusy(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    Progress& progress() { return progress_; }

private:
    Dialogs& dialogs_;
    Progress& progress_;
};
