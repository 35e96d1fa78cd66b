#pragma once

// The command line over the core: quillaro-cli [--home DIR] COMMAND [ARGS].
// Each subsystem registers its own commands.

#include "store/AppState.h"

#include <QMap>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <optional>

// A command's arguments: positional words, "--name value" options and "--flag" switches.
class CliArgs {
public:
    // Switches not in knownSwitches are errors, so a mistyped "--complet" is not silently ignored.
    CliArgs(const QStringList& words, const QStringList& optionsWithValue,
            const QStringList& knownSwitches = {});

    const QStringList& positional() const { return positional_; }
    std::optional<QString> value(const QString& name) const;
    bool flag(const QString& name) const { return flags_.contains(name); }
    // Unknown options or an option without its value.
    const QStringList& errors() const { return errors_; }

private:
    QStringList positional_;
    QMap<QString, QString> values_;
    QStringList flags_;
    QStringList errors_;
};

struct CliContext {
    AppState& state;
    QTextStream& out;
    QTextStream& err;

    // Opens the archive named by a path or a bare name in mdb/; on failure writes the reason to
    // err and answers false. An archive another program has open is said on err, as a warning,
    // unless the command says it itself (avvisaUso false).
    bool openArchive(const QString& nameOrPath, bool avvisaUso = true);
};

struct CliCommand {
    QString name;
    QString usage;                // "new NAME --centro C --anno YYYY --consegna N --inizio N"
    QString summary;              // one line
    QStringList optionsWithValue; // every other "--name" of usage is a switch
    std::function<int(CliContext&, const CliArgs&)> run;
};

class CliRegistry {
public:
    void add(CliCommand command) { commands_.append(std::move(command)); }
    const QList<CliCommand>& commands() const { return commands_; }
    const CliCommand* find(const QString& name) const;
    // The "--name" words of a command's usage that take no value.
    static QStringList switchesOf(const CliCommand& command);

private:
    QList<CliCommand> commands_;
};

void registerStoreCommands(CliRegistry& registry);
void registerDocumentCommands(CliRegistry& registry);
void registerCheckCommands(CliRegistry& registry);
void registerPrintoutCommands(CliRegistry& registry);
void registerUpdateCommands(CliRegistry& registry);
void registerImportCommands(CliRegistry& registry);
void registerSearchCommands(CliRegistry& registry);
void registerCaptureCommands(CliRegistry& registry);
void registerSourceCommands(CliRegistry& registry);

// Runs a whole command line (without the program name); returns the exit code.
int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err);
