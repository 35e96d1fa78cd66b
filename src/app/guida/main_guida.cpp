// Build-time program: the pictures of the operator's guide, each window of the program opened on the
// demo archive offscreen and saved as a PNG into the folder given. Not installed. Exits 1 when a
// picture could not be made (a window that no longer opens), naming it and why.

#include "app/guida/ImmaginiGuida.h"
#include "ui/qt/QtTranslations.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

// The offscreen platform says at every dialog what it cannot do with windows; the build's output
// keeps only what matters.
void messaggi(QtMsgType tipo, const QMessageLogContext& contesto, const QString& testo) {
    if (testo.startsWith(QLatin1String("This plugin does not support")) ||
        testo.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(tipo, contesto, testo)));
}

} // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(messaggi);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillaro"));
    const QStringList argomenti = QCoreApplication::arguments();
    if (argomenti.size() != 2) {
        std::fprintf(stderr, "uso: quillaro-guida-immagini CARTELLA\n");
        return 2;
    }
    // The standard buttons in Italian, as the operator sees them.
    installItalianQtTranslations(app);
    QElapsedTimer tempo;
    tempo.start();
    QList<ImmagineGuida> immagini;
    try {
        immagini = FaiImmaginiGuida(argomenti.at(1));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Immagini della guida non fatte: %s\n", e.what());
        return 1;
    }
    int mancate = 0;
    for (const ImmagineGuida& i : std::as_const(immagini)) {
        if (i.errore.isEmpty())
            continue;
        ++mancate;
        std::fprintf(stderr, "Immagine %s non fatta: %s\n", qPrintable(i.nome), qPrintable(i.errore));
    }
    std::printf("Immagini della guida: %lld fatte, %d mancate, in %.1f s\n",
                static_cast<long long>(immagini.size() - mancate), mancate, tempo.elapsed() / 1000.0);
    return mancate == 0 && !immagini.isEmpty() ? 0 : 1;
}
