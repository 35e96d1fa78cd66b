#include "app/cli/Cli.h"

#include "store/Archivio.h"
#include "store/ArchivioInUso.h"
#include "ui/ScriptedDialogs.h"

#include <QRegularExpression>
#include <QtGlobal>
#include <sqlite3.h>

CliArgs::CliArgs(const QStringList& words, const QStringList& optionsWithValue,
                 const QStringList& knownSwitches) {
    // An option given twice is a script's slip: which of the two was meant is not ours to guess.
    QStringList dati;
    const auto unaVolta = [&](const QString& name) {
        if (dati.contains(name)) {
            if (!errors_.contains(QStringLiteral("l'opzione --%1 è data più di una volta").arg(name)))
                errors_ << QStringLiteral("l'opzione --%1 è data più di una volta").arg(name);
            return false;
        }
        dati << name;
        return true;
    };
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w.startsWith(QStringLiteral("--")) && w.size() > 2) {
            const QString name = w.mid(2);
            const qsizetype eq = name.indexOf(u'=');
            if (eq > 0 && optionsWithValue.contains(name.left(eq))) {
                if (unaVolta(name.left(eq)))
                    values_[name.left(eq)] = name.mid(eq + 1);
            } else if (optionsWithValue.contains(name)) {
                if (i + 1 >= words.size())
                    errors_ << QStringLiteral("manca il valore di --%1").arg(name);
                else if (const QString v = words[++i]; unaVolta(name))
                    values_[name] = v;
            } else if (knownSwitches.contains(name)) {
                if (unaVolta(name))
                    flags_ << name;
            } else {
                errors_ << QStringLiteral("opzione sconosciuta: --%1").arg(name);
            }
        } else {
            positional_ << w;
        }
    }
}

std::optional<QString> CliArgs::value(const QString& name) const {
    auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return *it;
}

bool CliContext::openArchive(const QString& nameOrPath, bool avvisaUso) {
    const QString path = state.home.archivePath(nameOrPath);
    // One connection: the core says why it refused, and the reason goes to standard error.
    const EsitoApertura esito = ApriArchivioEsito(state, path);
    if (!esito.aperto) {
        err << QStringLiteral("Errore nell'apertura del db: %1").arg(path) << Qt::endl;
        if (!esito.motivo.isEmpty())
            err << esito.motivo << Qt::endl;
        return false;
    }
    // Every command names its files after the delivery: without it they would be "errori." and the like.
    if (state.Consegna().isEmpty()) {
        err << QStringLiteral(
                   "L'archivio %1 non ha le informazioni di consegna (tabInfo): niente è stato "
                   "scritto. Aprirlo con il programma e controllarlo, o ripristinarlo da una copia "
                   "di sicurezza.")
                   .arg(path)
            << Qt::endl;
        ChiudiArchivio(state);
        return false;
    }
    // The run goes on: it reads what the other program has saved.
    if (const QList<UsoArchivio> altri = AltriUsi(path); avvisaUso && !altri.isEmpty())
        err << "Attenzione: " << AvvisoUso(path, altri, QDateTime::currentDateTimeUtc()) << '.' << Qt::endl;
    return true;
}

QStringList CliRegistry::switchesOf(const CliCommand& command) {
    static const QRegularExpression word(QStringLiteral("--([A-Za-z][A-Za-z0-9-]*)"));
    QStringList switches;
    for (auto it = word.globalMatch(command.usage); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!command.optionsWithValue.contains(name) && !switches.contains(name))
            switches << name;
    }
    return switches;
}

const CliCommand* CliRegistry::find(const QString& name) const {
    for (const auto& c : commands_)
        if (c.name == name)
            return &c;
    return nullptr;
}

namespace {

void printHelp(const CliRegistry& registry, QTextStream& out) {
    out << "Uso: quillaro-cli [--home DIR] COMANDO [ARGOMENTI]\n\n"
           "Quillaro: catalogazione degli articoli delle riviste giuridiche online.\n"
           "ARCHIVE e' il percorso di un file .db oppure un nome cercato in mdb/ della cartella home.\n"
           "La cartella home: --home DIR, altrimenti QUILLARO_HOME, altrimenti la cartella dati "
           "dell'utente.\n"
           "Esito: 0 se riuscito, altrimenti diverso da 0 con il motivo sullo standard error.\n\n"
           "Comandi:\n";
    // Two blanks at least between a command and its summary: the manual pages are made from this text.
    for (const auto& c : registry.commands())
        out << "  " << c.usage.leftJustified(57) << "  " << c.summary << '\n';
    out << "\nOpzioni:\n  --home DIR   la cartella home\n  --help       questo aiuto\n"
           "  --version    la versione\n";
    out.flush();
}

} // namespace

int runCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    CliRegistry registry;
    registerStoreCommands(registry);
    registerDocumentCommands(registry);
    registerCheckCommands(registry);
    registerPrintoutCommands(registry);
    registerUpdateCommands(registry);
    registerImportCommands(registry);
    registerSearchCommands(registry);
    registerCaptureCommands(registry);
    registerSourceCommands(registry);

    QString homeOption;
    bool homeData = false;
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool home = rest.isEmpty() && (a == u"--home" || a.startsWith(QStringLiteral("--home=")));
        if (home && homeData) {
            err << "l'opzione --home è data più di una volta" << Qt::endl;
            return 2;
        }
        if (rest.isEmpty() && a == u"--home") {
            if (i + 1 >= arguments.size()) {
                err << "manca la cartella dopo --home" << Qt::endl;
                return 2;
            }
            homeOption = arguments[++i];
            homeData = true;
        } else if (rest.isEmpty() && a.startsWith(QStringLiteral("--home="))) {
            homeOption = a.mid(7);
            homeData = true;
        } else {
            rest << a;
        }
    }
    if (rest.isEmpty() || rest.first() == u"--help" || rest.first() == u"-h" || rest.first() == u"help") {
        printHelp(registry, out);
        return rest.isEmpty() ? 2 : 0;
    }
    if (rest.first() == u"--version") {
        out << "quillaro-cli " << QUILLARO_VERSION << " (Qt " << qVersion() << ", SQLite "
            << sqlite3_libversion() << ")" << Qt::endl;
        return 0;
    }
    const CliCommand* command = registry.find(rest.first());
    if (!command) {
        err << "Comando sconosciuto: " << rest.first() << " (quillaro-cli --help)" << Qt::endl;
        return 2;
    }
    const CliArgs args(rest.mid(1), command->optionsWithValue, CliRegistry::switchesOf(*command));
    if (!args.errors().isEmpty()) {
        err << args.errors().join(u'\n') << Qt::endl << "Uso: quillaro-cli " << command->usage << Qt::endl;
        return 2;
    }

    const HomeFolder home(HomeFolder::resolve(homeOption));
    try {
        if (command->name != u"init")
            home.ensureLayout();
    } catch (const std::exception& e) {
        err << QString::fromStdString(e.what()) << Qt::endl;
        return 1;
    }
    ConsoleDialogs dialogs(out);
    AppState state(home, dialogs);
    // Outputs written with the default encoding where the administrator chose another would be
    // wrong without a word.
    if (!state.settings.errore.isEmpty()) {
        err << state.settings.errore << Qt::endl;
        return 1;
    }
    CliContext context{state, out, err};
    int code = 1;
    try {
        code = command->run(context, args);
    } catch (const DbError& e) {
        err << "Errore " << e.number() << " --> " << e.description() << Qt::endl;
        code = 1;
    } catch (const std::exception& e) {
        err << QString::fromStdString(e.what()) << Qt::endl;
        code = 1;
    }
    // The files are whole, but the archive does not say the run was done (a read-only archive):
    // a script must not take that for a success.
    if (code == 0 && !state.infoNotRecorded.isEmpty()) {
        err << "Esecuzione non registrata nell'archivio (tabInfo): " << state.infoNotRecorded << Qt::endl;
        code = 1;
    }
    ChiudiCatalogo(state);
    ChiudiArchivio(state);
    out.flush();
    err.flush();
    return code;
}
