// The desktop program: splash, main window, and the archive named with --open if any.

#include "app/gui/MDIQuillaro.h"
#include "app/gui/frmSplash.h"
#include "store/AppState.h"
#include "store/DataFolder.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/QtTranslations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <memory>

namespace {

struct Opzioni {
    QCommandLineOption home{QStringLiteral("home"), QStringLiteral("Cartella home (mdb/, dump/, ...)."),
                            QStringLiteral("DIR")};
    QCommandLineOption open{QStringLiteral("open"), QStringLiteral("Archivio da aprire all'avvio."),
                            QStringLiteral("ARCHIVE")};
    QCommandLineOption noSplash{QStringLiteral("no-splash"), QStringLiteral("Senza la finestra di avvio.")};
};

void prepara(QCommandLineParser& parser, Opzioni& o) {
    parser.setApplicationDescription(
        QStringLiteral("Quillaro: catalogazione degli articoli delle riviste giuridiche online"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({o.home, o.open, o.noSplash});
    // The file manager and the desktop menu start us as "quillaro [FILE]".
    parser.addPositionalArgument(QStringLiteral("archivio"),
                                 QStringLiteral("Archivio da aprire all'avvio, come --open."),
                                 QStringLiteral("[archivio]"));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Quillaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLARO_VERSION));
    Opzioni opzioni;
    // The help and the version are answered on the terminal without a display: the application
    // window object would abort where there is none (a server, the build of the manual pages).
    {
        QCommandLineParser parser;
        prepara(parser, opzioni);
        QStringList argomenti;
        for (int i = 0; i < argc; ++i)
            argomenti << QString::fromLocal8Bit(argv[i]);
        // A failure is told by process() below, once the display's own options are taken out.
        (void)parser.parse(argomenti);
        const bool tutto = parser.optionNames().contains(QStringLiteral("help-all"));
        if (tutto || parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("version"))) {
            QCoreApplication core(argc, argv);
            installItalianQtTranslations(core);
            installItalianCommandLine(core);
            // The words of the help are translated as its options are made.
            QCommandLineParser italiano;
            prepara(italiano, opzioni);
            if (tutto)
                italiano.process(core);
            if (parser.isSet(QStringLiteral("version")))
                italiano.showVersion();
            italiano.showHelp(0);
        }
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLARO_APP_ID));
    QIcon icon;
    for (const QString& file : applicationIconFiles())
        icon.addFile(file);
    QApplication::setWindowIcon(icon);

    // Italian from the start, --help and its manual page included (the options' texts are
    // translated as they are made); the missing translations are told once the command line has
    // been read, so that --help answers without the warning.
    const bool tradotto = installItalianQtTranslations(app);
    installItalianCommandLine(app);
    QCommandLineParser parser;
    prepara(parser, opzioni);
    parser.process(app);
    if (!tradotto)
        qWarning("Traduzioni italiane di Qt non trovate in %s: le finestre standard restano in inglese "
                 "(installare qt6-translations-l10n).",
                 qPrintable(qtTranslationsFolder()));
    QString archive = parser.value(opzioni.open);
    if (archive.isEmpty() && !parser.positionalArguments().isEmpty())
        archive = parser.positionalArguments().constFirst();

    const HomeFolder home(HomeFolder::resolve(parser.value(opzioni.home)));
    try {
        home.ensureLayout();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Quillaro"),
                              QStringLiteral("Impossibile preparare la cartella %1:\n%2")
                                  .arg(home.root(), QString::fromStdString(e.what())));
        return 1;
    }

    // The splash stands only while the program gets ready (the settings, the main window and its
    // menus, the archive named on the command line), never longer.
    std::unique_ptr<frmSplash> splash;
    if (!parser.isSet(opzioni.noSplash)) {
        splash = std::make_unique<frmSplash>();
        splash->show();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    QtDialogs dialogs;
    AppState state(home, dialogs);
    if (!state.settings.errore.isEmpty()) {
        splash.reset();
        QMessageBox::critical(nullptr, QStringLiteral("Quillaro"), state.settings.errore);
        return 1;
    }
    MDIQuillaro main(state);
    main.show();
    splash.reset();
    if (!archive.isEmpty())
        main.apriArchivio(home.archivePath(archive));
    main.offriDocumentiNonSalvati();
    return QApplication::exec();
}
