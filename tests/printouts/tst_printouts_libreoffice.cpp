// The delivery print and the HTML pages as reviewers read them: LibreOffice Writer converts the
// demo's files, pdftotext reads the PDF back, and what comes out must be what the archive holds,
// laid out as meant (one source a line, no stretched lines, the delivery in the page header).
// Without LibreOffice or pdftotext the test fails: it never passes without having read anything.

#include "checks/StampeHtml.h"
#include "printouts/StampaConsegna.h"
#include "printouts/StampaProspetto.h"
#include "support/TestHome.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <QtTest>

namespace {

struct Converted {
    QString error;
    QString text;
};

// Runs LibreOffice headless on files, converting them to format into outDir. A private profile,
// so that the test neither waits for nor disturbs an office the user has open.
QString convert(const QString& profile, const QString& format, const QString& outDir,
                const QStringList& files) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        return QStringLiteral("LibreOffice (soffice) is not installed: scripts/install-deps.sh installs "
                              "libreoffice-writer-nogui");
    QProcess office;
    office.setProcessChannelMode(QProcess::MergedChannels);
    office.start(
        soffice,
        QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                    QStringLiteral("--headless"), QStringLiteral("--norestore"),
                    QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"), outDir} +
            files);
    if (!office.waitForFinished(240000) || office.exitStatus() != QProcess::NormalExit ||
        office.exitCode() != 0)
        return QStringLiteral("soffice failed: ") + QString::fromLocal8Bit(office.readAll());
    return {};
}

QString pdfText(const QString& pdf, QString& error) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) {
        error = QStringLiteral("pdftotext is not installed (Debian poppler-utils)");
        return {};
    }
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                        QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        error = QStringLiteral("pdftotext failed on ") + pdf + u' ' +
                QString::fromLocal8Bit(p.readAllStandardError());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString fileText(const QString& path) {
    QString text = QString::fromUtf8(readFileBytes(path));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove(u'\r');
    return text;
}

QString simplified(const QString& s) {
    return s.simplified();
}

// A page of the PDF read back: its header, its body lines (header and "pag. N" footer taken away).
struct Page {
    QString header;
    QStringList body;
    QString footer;
};

QList<Page> pagesOf(const QString& text) {
    QList<Page> pages;
    for (const QString& raw : text.split(u'\f')) {
        QStringList lines = raw.split(u'\n');
        while (!lines.isEmpty() && lines.constFirst().trimmed().isEmpty())
            lines.removeFirst();
        while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
            lines.removeLast();
        if (lines.isEmpty())
            continue;
        Page page;
        page.header = lines.takeFirst().trimmed();
        if (!lines.isEmpty() && lines.constLast().trimmed().startsWith(QStringLiteral("pag. ")))
            page.footer = lines.takeLast().trimmed();
        page.body = lines;
        pages << page;
    }
    return pages;
}

// The paragraphs of the body: a paragraph starts at the margin, its further lines are indented
// (the print's hanging indent); each keeps its lines as laid out.
QList<QStringList> paragraphsOf(const QList<Page>& pages) {
    QList<QStringList> paragraphs;
    for (const Page& page : pages) {
        for (const QString& line : page.body) {
            if (line.trimmed().isEmpty())
                continue;
            if (line.startsWith(u' ') && !paragraphs.isEmpty())
                paragraphs.last() << line.trimmed();
            else
                paragraphs.append(QStringList{line.trimmed()});
        }
    }
    return paragraphs;
}

struct Documento {
    qint64 id = 0;
    QString td;
    QList<std::pair<QString, QString>> testi; // kind, text (the first of each kind, as printed)
    QList<std::pair<QString, QString>> fonti; // citation, family
};

QList<Documento> documentiDemo(AppState& state) {
    QList<Documento> docs;
    for (RecordSet rs = state.Connessione.ApriRS(
             QStringLiteral("select IDDocumento, TD from tabDocumento order by IDDocumento"));
         !rs.eof(); rs.moveNext())
        docs.append({rs.field(0).toLongLong(), rs.field(1).toString(), {}, {}});
    for (Documento& d : docs) {
        RecordSet t = state.Connessione.ApriRS(
            QStringLiteral(
                "select Tipo, Testo from legameDocTesto join tabTesto using (IDTesto) where IDDoc = ? "
                "order by legameDocTesto.rowid"),
            {d.id});
        QStringList seen;
        for (; !t.eof(); t.moveNext()) {
            const QString tipo = t.field(0).toString();
            if (!seen.contains(tipo)) {
                seen << tipo;
                d.testi.append({tipo, t.field(1).toString()});
            }
        }
        RecordSet f = state.Connessione.ApriRS(
            QStringLiteral(
                "select Testo, TP from legameDocFonte join tabFonte using (IDFonte) where IDDoc = ?"),
            {d.id});
        for (; !f.eof(); f.moveNext())
            d.fonti.append({f.field(0).toString(), f.field(1).toString()});
    }
    return docs;
}

QString intestazione(const QString& tipo, const QString& td) {
    static const QHash<QString, QString> headings = {
        {QStringLiteral("0"), QStringLiteral("Titolo")},
        {QStringLiteral("3"), QStringLiteral("Traduzione")},
        {QStringLiteral("1"), QStringLiteral("Riassunto")},
        {QStringLiteral("2"), QStringLiteral("Sommario")},
        {QStringLiteral("7"), QStringLiteral("In tema di")},
        {QStringLiteral("8"), QStringLiteral("English abstract")},
        {QStringLiteral("5"), QStringLiteral("Nota compilatore")}};
    return tipo == u"4" ? TitoloNotaPerTD(td) : headings.value(tipo);
}

// The text of an HTML page of ours, one line per cell, heading or line break: tags dropped,
// character references decoded. What a reader that honours the page shows, line by line.
QStringList htmlLines(QString html) {
    static const QRegularExpression head(QStringLiteral("<(HEAD|TITLE)>.*?</\\1>"),
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression breaks(QStringLiteral("<(br|hr)[^>]*>|</(TD|TH|TR|H[1-6]|P)>"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression reference(QStringLiteral("&(#x[0-9a-f]+|#[0-9]+|amp|lt|gt|quot|apos);"),
                                              QRegularExpression::CaseInsensitiveOption);
    html.remove(head);
    html.replace(u'\n', u' ');
    html.replace(breaks, QStringLiteral("\n"));
    html.remove(tag);
    QString text;
    qsizetype from = 0;
    for (auto it = reference.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        text += QStringView(html).mid(from, m.capturedStart() - from);
        const QString name = m.captured(1).toLower();
        static const QHash<QString, QString> named = {{QStringLiteral("amp"), QStringLiteral("&")},
                                                      {QStringLiteral("lt"), QStringLiteral("<")},
                                                      {QStringLiteral("gt"), QStringLiteral(">")},
                                                      {QStringLiteral("quot"), QStringLiteral("\"")},
                                                      {QStringLiteral("apos"), QStringLiteral("'")}};
        if (name.startsWith(u'#')) {
            const bool hex = name.startsWith(QStringLiteral("#x"));
            const char32_t code = name.mid(hex ? 2 : 1).toUInt(nullptr, hex ? 16 : 10);
            text += QString::fromUcs4(&code, 1);
        } else {
            text += named.value(name);
        }
        from = m.capturedEnd();
    }
    text += QStringView(html).mid(from);
    QStringList lines;
    for (const QString& line : text.split(u'\n'))
        if (!line.trimmed().isEmpty())
            lines << simplified(line);
    return lines;
}

} // namespace

class PrintoutsLibreOffice : public QObject {
    Q_OBJECT

    TestHome t_;
    QTemporaryDir out_;
    QString consegna_;
    QList<Documento> docs_;
    QString completa_, soloTesti_; // the two prints as pdftotext reads them

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(t_.open(t_.createDemo()));
        consegna_ = t_.state().Consegna();
        docs_ = documentiDemo(t_.state());
        QVERIFY(docs_.size() > 10);

        const EsitoStampa completa = StampaConsegna(t_.state(), true, false);
        const EsitoStampa testi = StampaConsegna(t_.state(), false, false);
        QVERIFY2(completa.ok && testi.ok, qPrintable(completa.errore + testi.errore));
        const QString profile = out_.filePath(QStringLiteral("profile"));
        const QString error =
            convert(profile, QStringLiteral("pdf"), out_.path(), {completa.path, testi.path});
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QString readError;
        completa_ = pdfText(
            out_.filePath(QFileInfo(completa.path).completeBaseName() + QStringLiteral(".pdf")), readError);
        soloTesti_ = pdfText(out_.filePath(QFileInfo(testi.path).completeBaseName() + QStringLiteral(".pdf")),
                             readError);
        QVERIFY2(readError.isEmpty(), qPrintable(readError));
    }

    void pagesCarryTheDelivery_data() {
        QTest::addColumn<bool>("completa");
        QTest::newRow("complete") << true;
        QTest::newRow("texts only") << false;
    }
    void pagesCarryTheDelivery() {
        QFETCH(bool, completa);
        const QList<Page> pages = pagesOf(completa ? completa_ : soloTesti_);
        QVERIFY(pages.size() > 1);
        for (qsizetype i = 0; i < pages.size(); ++i) {
            QCOMPARE(pages[i].header, QStringLiteral("Quillaro - Consegna ") + consegna_);
            QCOMPARE(pages[i].footer, QStringLiteral("pag. %1").arg(i + 1));
        }
        QCOMPARE(
            simplified(pages.first().body.join(u'\n').trimmed().section(u'\n', 0, 0)),
            QStringLiteral("STAMPA CONSEGNA %1 (%2)").arg(consegna_, completa ? u"COMPLETA" : u"SOLO TESTI"));
    }

    // Every document under its heading, each text under its own, as the archive holds it: accents,
    // braces and backslashes as written, and no line stretched by justification.
    void documentsAndTextsAsWritten_data() { pagesCarryTheDelivery_data(); }
    void documentsAndTextsAsWritten() {
        QFETCH(bool, completa);
        const QList<QStringList> paragraphs = paragraphsOf(pagesOf(completa ? completa_ : soloTesti_));
        QHash<QString, qsizetype> index;
        for (qsizetype i = 0; i < paragraphs.size(); ++i)
            index.insert(paragraphs[i].join(u' '), i);
        const StampaRtf stampa(t_.state(), completa);
        qsizetype textsFound = 0;
        bool hardCases[3] = {}; // braces, a backslash, a letter outside ASCII
        for (const Documento& d : docs_) {
            const QString heading =
                QStringLiteral("Documento: %1 (REC=%2)").arg(stampa.Identificativo(d.id)).arg(d.id);
            QVERIFY2(index.contains(heading), qPrintable(heading));
            for (const auto& [tipo, testo] : d.testi) {
                const QString titolo = intestazione(tipo, d.td);
                if (titolo.isEmpty() || (tipo == u"5" && !completa))
                    continue;
                const QString expected = simplified(titolo + QStringLiteral(": ") + testo);
                bool found = false;
                for (const QStringList& p : paragraphs)
                    found = found || simplified(p.join(u' ')) == expected;
                QVERIFY2(found, qPrintable(QStringLiteral("document %1: %2").arg(d.id).arg(expected)));
                ++textsFound;
                hardCases[0] = hardCases[0] || testo.contains(u'{');
                hardCases[1] = hardCases[1] || testo.contains(u'\\');
                hardCases[2] = hardCases[2] || std::any_of(testo.cbegin(), testo.cend(),
                                                           [](QChar c) { return c.unicode() > 127; });
            }
        }
        QVERIFY(textsFound > docs_.size());
        // The demo's hard cases: braces and accents in both prints, a backslash in a compiler's note.
        QVERIFY2(hardCases[0] && hardCases[2] && (hardCases[1] || !completa),
                 "the demo lost its braces, backslashes or accents");
        static const QRegularExpression stretched(QStringLiteral("\\S {3,}\\S"));
        for (const QStringList& p : paragraphs)
            for (const QString& line : p)
                QVERIFY2(!stretched.match(line).hasMatch(), qPrintable(QStringLiteral("stretched: ") + line));
    }

    // "Fonte:" gives each source a line of its own, as composed, never spread across the page.
    void sourcesOneALine() {
        const QList<QStringList> paragraphs = paragraphsOf(pagesOf(completa_));
        qsizetype documentIndex = -1;
        qsizetype sources = 0;
        for (const QStringList& p : paragraphs) {
            if (p.first().startsWith(QStringLiteral("Documento: "))) {
                ++documentIndex;
                continue;
            }
            if (!p.first().startsWith(QStringLiteral("Fonte: ")))
                continue;
            QVERIFY(documentIndex >= 0 && documentIndex < docs_.size());
            const Documento& d = docs_[documentIndex];
            QStringList lines = p;
            lines.first().remove(0, 7);
            QCOMPARE(lines.size(), d.fonti.size());
            for (const auto& [stored, tp] : d.fonti) {
                // A blank that leads or ends a stored citation has no width on paper.
                const QString citazione = stored.trimmed();
                const QString marked = (stored + u'*' + tp + u'*').trimmed();
                const qsizetype at = std::max(lines.indexOf(citazione), lines.indexOf(marked));
                QVERIFY2(at >= 0,
                         qPrintable(QStringLiteral("document %1: \"%2\" not on a line of its own in\n%3")
                                        .arg(d.id)
                                        .arg(citazione, p.join(u'\n'))));
                lines.removeAt(at);
                ++sources;
            }
        }
        QCOMPARE(documentIndex + 1, docs_.size());
        qsizetype inArchive = 0;
        for (const Documento& d : docs_)
            inArchive += d.fonti.size();
        QCOMPARE(sources, inArchive);
        QVERIFY(!soloTesti_.contains(QStringLiteral("Fonte: ")));
    }

    // The HTML summary and the two link pages, read by LibreOffice: every cell and line as written.
    void htmlPagesAsWritten() {
        const EsitoStampa prospetto = StampaProspetto(t_.state());
        QVERIFY2(prospetto.ok, qPrintable(prospetto.errore));
        const QStringList pages = {prospetto.path, StampaCelex(t_.state()), StampaHudoc(t_.state())};
        const QString error = convert(out_.filePath(QStringLiteral("profile")),
                                      QStringLiteral("txt:Text (encoded):UTF8"), out_.path(), pages);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const QString& page : pages) {
            const QString txt = out_.filePath(QFileInfo(page).completeBaseName() + QStringLiteral(".txt"));
            QStringList read;
            for (const QString& line : fileText(txt).split(u'\n'))
                if (!line.trimmed().isEmpty())
                    read << simplified(line);
            const QStringList written = htmlLines(fileText(page));
            QVERIFY2(written.size() > 3, qPrintable(page));
            QCOMPARE(read, written);
        }
        // The summary's cells hold the archive's titles, "&" and "<...>" included, and its totals.
        const QString summary =
            fileText(out_.filePath(QFileInfo(prospetto.path).completeBaseName() + QStringLiteral(".txt")));
        for (RecordSet rs = t_.state().Connessione.ApriRS(QStringLiteral(
                 "select distinct Titolo from tabRivisteOnline join tabRifBibl using (IDRivistaOnline)"));
             !rs.eof(); rs.moveNext())
            QVERIFY2(summary.contains(u'\n' + rs.field(0).toString() + u'\n'),
                     qPrintable(rs.field(0).toString()));
    }
};

QTEST_GUILESS_MAIN(PrintoutsLibreOffice)
#include "tst_printouts_libreoffice.moc"
