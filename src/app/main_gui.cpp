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
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillaro"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLARO_VERSION));
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
    parser.setApplicationDescription(
        QStringLiteral("Quillaro: catalogazione degli articoli delle riviste giuridiche online"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption homeOption(
        QStringLiteral("home"), QStringLiteral("Cartella home (mdb/, dump/, ...)."), QStringLiteral("DIR"));
    const QCommandLineOption openOption(
        QStringLiteral("open"), QStringLiteral("Archivio da aprire all'avvio."), QStringLiteral("ARCHIVE"));
    const QCommandLineOption noSplashOption(QStringLiteral("no-splash"),
                                            QStringLiteral("Senza la finestra di avvio."));
    parser.addOptions({homeOption, openOption, noSplashOption});
    // The file manager and the desktop menu start us as "quillaro [FILE]".
    parser.addPositionalArgument(QStringLiteral("archivio"),
                                 QStringLiteral("Archivio da aprire all'avvio, come --open."),
                                 QStringLiteral("[archivio]"));
    parser.process(app);
    if (!tradotto)
        qWarning("Traduzioni italiane di Qt non trovate in %s: le finestre standard restano in inglese "
                 "(installare qt6-translations-l10n).",
                 qPrintable(qtTranslationsFolder()));
    QString archive = parser.value(openOption);
    if (archive.isEmpty() && !parser.positionalArguments().isEmpty())
        archive = parser.positionalArguments().constFirst();

    const HomeFolder home(HomeFolder::resolve(parser.value(homeOption)));
    try {
        home.ensureLayout();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Quillaro"),
                              QStringLiteral("Impossibile preparare la cartella %1:\n%2")
                                  .arg(home.root(), QString::fromStdString(e.what())));
        return 1;
    }

    QtDialogs dialogs;
    AppState state(home, dialogs);
    MDIQuillaro main(state);

    const auto start = [&] {
        main.show();
        if (!archive.isEmpty())
            main.apriArchivio(home.archivePath(archive));
    };
    if (parser.isSet(noSplashOption)) {
        start();
    } else {
        auto* splash = new frmSplash;
        splash->setAttribute(Qt::WA_DeleteOnClose);
        splash->show();
        QTimer::singleShot(2000, &main, [&, splash] {
            start();
            splash->close();
        });
    }
    return QApplication::exec();
}
