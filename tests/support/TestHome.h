#pragma once

// A fresh home folder in a temporary directory, with scripted dialogs and the application state.

#include "store/AppState.h"
#include "ui/ScriptedDialogs.h"

#include <QTemporaryDir>

#include <memory>

class TestHome {
public:
    TestHome();
    ~TestHome();

    QString root() const { return dir_.path(); }
    HomeFolder& home() { return home_; }
    ScriptedDialogs& dialogs() { return dialogs_; }
    AppState& state() { return *state_; }

    // A new archive from the template with its tabInfo row; returns its path.
    QString createArchive(const QString& name = QStringLiteral("PROVA"), const QString& centro = QStringLiteral("3"),
                          const QString& anno = QStringLiteral("2026"), const QString& consegna = QStringLiteral("12"),
                          const QString& inizio = QStringLiteral("1"));
    // The demo archive, made from its SQL; returns its path.
    QString createDemo();
    // Opens an archive on the state's connection and reads its tabInfo row.
    bool open(const QString& path);

    // What the scripted dialogs of every home met and the test had not planned (questions nobody
    // answered, answers nobody asked for), since the last call; the homes still alive start over.
    // fineTestGui() (GuiTestUtil.h) reads it at the end of each GUI test.
    static QStringList takeUnplanned();

private:
    QTemporaryDir dir_;
    HomeFolder home_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<AppState> state_;
};

// Bytes of a file (empty when missing).
QByteArray readFileBytes(const QString& path);
// Writes a file whole with these bytes; false when it cannot.
bool writeFileBytes(const QString& path, const QByteArray& bytes);
