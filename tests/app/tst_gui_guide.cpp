// The operator's guide as the build lays it out in share/quillaro/guida (what the package carries):
// every page well formed, every link to a page, an anchor, a picture or a manual page resolved; a
// picture made by the program for every window the guide names, at 1024x768, each shown by a page,
// and each window's page titled with the window's own caption.

#include "support/gui/TestGui.h"
#include "app/guida/ImmaginiGuida.h"
#include "store/DataFolder.h"
#include "support/GuiTestUtil.h"

#include <QImage>
#include <QRegularExpression>
#include <QUrl>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Pagina {
    QString errore;          // the page is not well formed
    QSet<QString> ancore;    // id="..."
    QStringList collegamenti; // href and src, as written
    QString finestra;        // data-finestra of its h1: the window the page describes
    QString titolo;          // the text of its h1
};

Pagina leggiPagina(const QString& path) {
    Pagina p;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        p.errore = f.errorString();
        return p;
    }
    QXmlStreamReader xml(&f);
    bool inTitolo = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QXmlStreamAttributes a = xml.attributes();
            if (a.hasAttribute(QLatin1String("id")))
                p.ancore << a.value(QLatin1String("id")).toString();
            for (const char* nome : {"href", "src"})
                if (a.hasAttribute(QLatin1String(nome)))
                    p.collegamenti << a.value(QLatin1String(nome)).toString();
            if (xml.name() == QLatin1String("h1")) {
                inTitolo = true;
                p.finestra = a.value(QLatin1String("data-finestra")).toString();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("h1")) {
            inTitolo = false;
        } else if (xml.isCharacters() && inTitolo) {
            p.titolo += xml.text();
        }
    }
    if (xml.hasError())
        p.errore = QStringLiteral("riga %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
    return p;
}

QString cartellaGuida() {
    return dataFilePath(QStringLiteral("guida"));
}

} // namespace

class GuiGuide : public TestGui {
    Q_OBJECT

    QTemporaryDir immagini_;
    QList<ImmagineGuida> fatte_;
    QMap<QString, Pagina> pagine_; // by file name

private Q_SLOTS:
    void initTestCase();
    void everyPictureIsMade();
    void pagesAreWellFormed();
    void everyLinkResolves();
    void everyPageIsReachedFromTheIndex();
    void everyWindowPageShowsItsPicture();
    void everyPictureIsShown();
};

void GuiGuide::initTestCase() {
    QVERIFY(immagini_.isValid());
    fatte_ = FaiImmaginiGuida(immagini_.path());
    const QDir guida(cartellaGuida());
    QVERIFY2(guida.exists(QStringLiteral("index.html")), qPrintable(guida.path()));
    for (const QString& nome : guida.entryList({QStringLiteral("*.html")}, QDir::Files))
        pagine_.insert(nome, leggiPagina(guida.filePath(nome)));
    QVERIFY(pagine_.size() >= 10);
}

// A window that no longer opens (or opens without its content) fails here as it stops the build.
void GuiGuide::everyPictureIsMade() {
    QVERIFY(fatte_.size() >= 20);
    QStringList mancate;
    for (const ImmagineGuida& i : std::as_const(fatte_)) {
        if (!i.errore.isEmpty()) {
            mancate << i.nome + QStringLiteral(": ") + i.errore;
            continue;
        }
        const QImage png(QDir(immagini_.path()).filePath(i.nome + QStringLiteral(".png")));
        if (png.size() != QSize(kLarghezzaGuida, kAltezzaGuida))
            mancate << i.nome + QStringLiteral(": %1x%2").arg(png.width()).arg(png.height());
    }
    QVERIFY2(mancate.isEmpty(), qPrintable(mancate.join(u'\n')));
}

void GuiGuide::pagesAreWellFormed() {
    for (auto p = pagine_.cbegin(); p != pagine_.cend(); ++p)
        QVERIFY2(p->errore.isEmpty(), qPrintable(p.key() + QStringLiteral(": ") + p->errore));
}

// Pages, anchors, pictures and the manual pages, relative to the page as the browser takes them;
// nothing leaves the guide for the network.
void GuiGuide::everyLinkResolves() {
    const QDir guida(cartellaGuida());
    QStringList rotti;
    for (auto p = pagine_.cbegin(); p != pagine_.cend(); ++p) {
        for (const QString& c : p->collegamenti) {
            const QUrl url(c);
            if (!url.scheme().isEmpty()) {
                rotti << p.key() + QStringLiteral(": fuori dalla guida: ") + c;
                continue;
            }
            const QString file = url.path().isEmpty() ? p.key() : url.path();
            const QString percorso = QDir::cleanPath(guida.filePath(file));
            if (!QFileInfo(percorso).isFile()) {
                rotti << p.key() + QStringLiteral(": ") + c;
                continue;
            }
            if (url.hasFragment() && !pagine_.value(file).ancore.contains(url.fragment()))
                rotti << p.key() + QStringLiteral(": ancora mancante ") + c;
        }
    }
    QVERIFY2(rotti.isEmpty(), qPrintable(rotti.join(u'\n')));
}

void GuiGuide::everyPageIsReachedFromTheIndex() {
    QSet<QString> raggiunte{QStringLiteral("index.html")};
    QStringList daVisitare{QStringLiteral("index.html")};
    while (!daVisitare.isEmpty()) {
        for (const QString& c : pagine_.value(daVisitare.takeFirst()).collegamenti) {
            const QString file = QUrl(c).path();
            if (pagine_.contains(file) && !raggiunte.contains(file)) {
                raggiunte << file;
                daVisitare << file;
            }
        }
    }
    QStringList isolate;
    for (const QString& nome : pagine_.keys())
        if (!raggiunte.contains(nome))
            isolate << nome;
    QVERIFY2(isolate.isEmpty(), qPrintable(isolate.join(u'\n')));
}

// Each window's page shows that window's picture and is titled with the window's caption.
void GuiGuide::everyWindowPageShowsItsPicture() {
    QMap<QString, QString> titoli;
    for (const ImmagineGuida& i : std::as_const(fatte_))
        titoli.insert(i.nome, i.titolo);
    int finestre = 0;
    QStringList problemi;
    for (auto p = pagine_.cbegin(); p != pagine_.cend(); ++p) {
        if (!p.key().startsWith(QLatin1String("finestra-")))
            continue;
        ++finestre;
        const QString nome = p->finestra;
        if (p.key() != QStringLiteral("finestra-%1.html").arg(nome)) {
            problemi << p.key() + QStringLiteral(": data-finestra \"") + nome + u'"';
            continue;
        }
        if (!titoli.contains(nome))
            problemi << p.key() + QStringLiteral(": nessuna immagine ") + nome;
        else if (!p->collegamenti.contains(QStringLiteral("img/%1.png").arg(nome)))
            problemi << p.key() + QStringLiteral(": non mostra img/") + nome + QStringLiteral(".png");
        // The main window's caption carries the archive's path; the others are the window's own words.
        else if (!titoli[nome].startsWith(QLatin1String("Quillaro")) && !p->titolo.contains(titoli[nome]))
            problemi << p.key() + QStringLiteral(": il titolo \"") + p->titolo +
                            QStringLiteral("\" non dice \"") + titoli[nome] + u'"';
    }
    QVERIFY(finestre >= 20);
    QVERIFY2(problemi.isEmpty(), qPrintable(problemi.join(u'\n')));
}

void GuiGuide::everyPictureIsShown() {
    QSet<QString> mostrate;
    static const QRegularExpression immagine(QStringLiteral("^img/(.+)\\.png$"));
    for (const Pagina& p : std::as_const(pagine_))
        for (const QString& c : p.collegamenti)
            if (const QRegularExpressionMatch m = immagine.match(c); m.hasMatch())
                mostrate << m.captured(1);
    QStringList nonMostrate;
    for (const ImmagineGuida& i : std::as_const(fatte_))
        if (!mostrate.contains(i.nome))
            nonMostrate << i.nome;
    QVERIFY2(nonMostrate.isEmpty(), qPrintable(nonMostrate.join(u'\n')));
}

QTEST_MAIN(GuiGuide)
#include "tst_gui_guide.moc"
