#pragma once

// Windows bound to the archive they were opened on. Such a window closes when its archive closes
// (File > Chiudi, Esci, opening another archive), asking about unsaved work as it does whenever it
// is closed, and it never acts on an archive other than its own.

#include <QObject>
#include <QString>

class AppState;
class QWidget;

class ArchiveBinding : public QObject {
    Q_OBJECT

public:
    // Binds the window to the archive open now; the binding is a child of the window.
    static ArchiveBinding* bind(QWidget* window, AppState& state);
    // The binding of a window; null when it is not bound.
    static ArchiveBinding* of(const QWidget* window);

    // The archive the window was opened on (empty when none was open).
    const QString& archive() const { return archive_; }
    // True while that archive is the open one.
    bool current() const;
    // As current(); when not, tells the operator that the window did nothing and what to do.
    bool check();

private:
    ArchiveBinding(QWidget* window, AppState& state);

    AppState& state_;
    QString archive_;
};

// Before a window acts on its archive: true when it may (an unbound window always may); otherwise
// the operator has been told why nothing was done.
bool checkArchive(const QWidget* window);

// Closes every window bound to an archive inside the main window, in the MDI area or standing on
// its own. Stops at the first one that stays open (the operator kept its unsaved work) and answers
// false; true when none is left.
bool closeArchiveWindows(QWidget* mainWindow);
