#pragma once

// The platform dialogs as real Qt windows.

#include "store/Dialogs.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

class QWidget;

class QtProgress : public Progress {
public:
    explicit QtProgress(QProgressDialog* dialog) : dialog_(dialog) { clock_.start(); }
    void setRange(qint64 total) override;
    void setValue(qint64 done) override;
    void setLabel(const QString& text) override;
    void keepAlive() override;

private:
    QPointer<QProgressDialog> dialog_;
    QElapsedTimer clock_;
    qint64 total_ = 0;
};

class QtDialogs : public Dialogs {
public:
    QtDialogs() = default;
    ~QtDialogs() override;

    Answer message(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
    // The choices are the box's buttons, the last the default and the one Escape presses: a
    // keystroke left over from typing never takes the others. Their mnemonics work without Alt.
    int choose(const QString& text, const QString& title, const QStringList& choices, Icon icon) override;
    std::optional<QString> input(const QString& prompt, const QString& title,
                                 const QString& initial) override;
    QString chooseFile(const FileDialogRequest& request) override;
    void setBusy(bool busy) override;
    Progress& progress(const QString& title) override;
    void endProgress() override;
    bool openUrl(const QString& url) override;

private:
    static QWidget* parentWindow();
    int busyDepth_ = 0;
    QPointer<QProgressDialog> dialog_;
    std::unique_ptr<QtProgress> progress_;
};
