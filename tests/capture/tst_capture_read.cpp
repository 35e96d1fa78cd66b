// Capture by DOI or web address against a server on 127.0.0.1 serving the recorded responses of the
// shared fixtures: every fixture read through `quillaro-cli capture --format json`, with the fields
// its README lists (and nothing invented where it lists none); the limits and failures of the
// network; pages in Windows-1252; the names, dates and markup the records write.

#include "capture/CaptureFixture.h"
#include "capture/Cattura.h"
#include "capture/LetturaPagina.h"
#include "capture/NomiPersona.h"
#include "capture/TestoMarcato.h"
#include "store/TextOutput.h"
#include "support/CliRun.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

using namespace capture_test;

namespace {

QString campo(const QJsonObject& o, const char* nome) {
    const QJsonValue v = o.value(QLatin1String(nome));
    return v.isArray() ? QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact) : v.toString();
}

// A page whose head carries the article's tags, with `riempitivo` bytes of body.
QByteArray paginaArticolo(qsizetype riempitivo = 0) {
    return "<html><head><meta name=\"citation_title\" content=\"Titolo di prova\">"
           "<meta name=\"citation_author\" content=\"Rossi, Mario\"></head><body>" +
           QByteArray(riempitivo, 'x') + "</body></html>";
}

// An article's page whose body nests `apri` ... `chiudi` `volte` times (side by side when `chiudi`
// follows each `apri`).
QByteArray paginaConCorpo(const QByteArray& corpo) {
    return paginaArticolo().chopped(int(qstrlen("</body></html>"))) + corpo + "</body></html>";
}

QByteArray paginaOstile(const QByteArray& apri, const QByteArray& chiudi, int volte, bool affiancati) {
    return paginaConCorpo(affiancati ? (apri + chiudi).repeated(volte)
                                     : apri.repeated(volte) + chiudi.repeated(volte));
}

// A server on 127.0.0.1 whose answer never ends: a chunked body or a stream of header lines, sent as
// fast as the client takes them.
class ServerSenzaFine : public QTcpServer {
public:
    explicit ServerSenzaFine(bool intestazioni) : intestazioni_(intestazioni) {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                s->write(intestazioni_ ? "HTTP/1.1 200 OK\r\n"
                                       : "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n"
                                         "Transfer-Encoding: chunked\r\n\r\n");
                connect(s, &QTcpSocket::bytesWritten, s, [this, s] { riempi(s); });
                riempi(s);
            }
        });
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

private:
    void riempi(QTcpSocket* s) {
        static const QByteArray pezzo = "10000\r\n" + QByteArray(0x10000, 'x') + "\r\n";
        static const QByteArray riga = "X-Riempitivo: " + QByteArray(1000, 'y') + "\r\n";
        while (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < 512 * 1024)
            s->write(intestazioni_ ? riga.repeated(64) : pezzo);
    }
    bool intestazioni_;
};

// A server on 127.0.0.1 that answers every request with these bytes, headers and all.
class ServerGrezzo : public QTcpServer {
public:
    explicit ServerGrezzo(QByteArray risposta) : risposta_(std::move(risposta)) {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) {
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
                connect(s, &QTcpSocket::readyRead, s, [this, s] {
                    s->readAll();
                    s->write(risposta_);
                });
            }
        });
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

private:
    QByteArray risposta_;
};

// The memory the process holds now, in bytes (0 where it cannot be told).
qint64 memoriaResidente() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.readAll().split(' ').value(1).toLongLong() * 4096;
}

} // namespace

class TestCaptureRead : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // One row per fixture of metadata/README.md: how the service answers it, and the fields it holds.
    void everyFixtureGivesTheFieldsItHolds_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("servizio"); // csl, crossref, onix, page
        QTest::addColumn<QString>("doi");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("authors");
        QTest::addColumn<QStringList>("someAuthors"); // "index:family|given"
        QTest::addColumn<QString>("journal");
        QTest::addColumn<QString>("issn");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("volume");
        QTest::addColumn<QString>("issue");
        QTest::addColumn<QString>("firstPage");
        QTest::addColumn<QString>("lastPage");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("abstractStart");

        QTest::newRow("mEDRA CSL: no author, ISSN as a string, page-first")
            << "csl-medra-10.1393_ncc_i2016-16378-6.json"
            << "csl"
            << "10.1393/ncc/i2016-16378-6"
            << "Probing the nuclear symmetry energy at high densities with nuclear reactions" << 0
            << QStringList{} << "Il Nuovo Cimento C"
            << R"(["0390-5551"])"
            << "2017-03-22"
            << "39"
            << "6"
            << "1"
            << "10"
            << ""
            << "";
        QTest::newRow("Crossref CSL: entity in JSON, capitals, initials, year-month")
            << "csl-crossref-10.1016_j.tree.2005.04.023.json"
            << "csl"
            << "10.1016/j.tree.2005.04.023"
            << "Data sharing in ecology and evolution" << 2 << QStringList{"0:Parr|C.", "1:Cummings|M."}
            << "Trends in Ecology & Evolution"
            << R"(["0169-5347"])"
            << "2005-07"
            << "20"
            << "7"
            << "362"
            << "363"
            << "en"
            << "";
        QTest::newRow("Crossref CSL: particle, JATS abstract, editor not an author, e-locator")
            << "csl-crossref-10.1371_journal.pbio.3000937.json"
            << "csl"
            << "10.1371/journal.pbio.3000937"
            << "Ensuring the quality and specificity of preregistrations" << 9
            << QStringList{"0:Bakker|Marjan", "2:van Assen|Marcel A. L. M.", "8:Wicherts|Jelte M."}
            << "PLOS Biology"
            << R"(["1545-7885"])"
            << "2020-12-09"
            << "18"
            << "12"
            << "e3000937"
            << ""
            << "en"
            << "Researchers face many, often seemingly arbitrary, choices";
        QTest::newRow("DataCite CSL: organisation, year only")
            << "csl-datacite-10.15497_RDA00052.json"
            << "csl"
            << "10.15497/RDA00052"
            << "Final release: COVID-19 guidelines" << 1 << QStringList{"0:Research Data Alliance|"} << "RDA"
            << ""
            << "2020"
            << ""
            << ""
            << ""
            << ""
            << ""
            << "";
        QTest::newRow("Crossref works: two ISSNs, no volume, compound given name")
            << "crossref-works-10.3280_ecag2018-001005.json"
            << "crossref"
            << "10.3280/ecag2018-001005"
            << "Substitutability between organic and conventional poultry products and organic price premiums"
            << 2 << QStringList{"0:Oh|Sohae Eve", "1:Vukina|Tomislav"} << "ECONOMIA AGRO-ALIMENTARE"
            << R"(["1126-1668","1972-4802"])"
            << "2018-05"
            << ""
            << "1"
            << "75"
            << "92"
            << ""
            << "";
        QTest::newRow("Crossref works: markup and newline in the title, escaped name, article number")
            << "crossref-works-10.1098_rspb.2017.0132.json"
            << "crossref"
            << "10.1098/rspb.2017.0132"
            << "Sexual conflict and correlated evolution between male persistence and female resistance "
               "traits "
               "in the seed beetle Callosobruchus maculatus"
            << 6 << QStringList{"1:van Lieshout|Emile", "4:Arnqvist|Göran"}
            << "Proceedings of the Royal Society B: Biological Sciences"
            << R"(["0962-8452","1471-2954"])"
            << "2017-05-24"
            << "284"
            << "1855"
            << "20170132"
            << ""
            << "en"
            << "Traumatic mating (or copulatory wounding) is an extreme form";
        QTest::newRow("Crossref works: organisation first, Unicode hyphens, ISSN twice, no pages")
            << "crossref-works-10.2903_j.efsa.2018.5239.json"
            << "crossref"
            << "10.2903/j.efsa.2018.5239"
            << "Scientific opinion on the safety of green tea catechins" << 28
            << QStringList{"0:EFSA Panel on Food Additives and Nutrient Sources added to Food (ANS)|",
                           "10:Gundert-Remy|Ursula", "20:Andrade|Raul J."}
            << "EFSA Journal"
            << R"(["1831-4732"])"
            << "2018-04"
            << "16"
            << "4"
            << ""
            << ""
            << ""
            << "";
        QTest::newRow("Crossref works: doubly escaped markup, no journal, \"Abstract.\"")
            << "crossref-works-10.5194_cp-2020-95.json"
            << "crossref"
            << "10.5194/cp-2020-95"
            << "The Atmospheric Bridge Communicated the δ¹³C Decline during the Last Deglaciation to the "
               "Global Upper Ocean"
            << 6 << QStringList{"1:Stott|Lowell D.", "4:Ödalen|Malin"} << ""
            << ""
            << "2020-07-28"
            << ""
            << ""
            << ""
            << ""
            << ""
            << "During the early last glacial termination";
        QTest::newRow("page: upper-case META, startpage, inverted author, year only")
            << "html-citation-dagstuhl-lipics-tqc-2013-93.html"
            << "page"
            << "10.4230/LIPIcs.TQC.2013.93"
            << "The Minimum Size of Qubit Unextendible Product Bases" << 1
            << QStringList{"0:Johnston|Nathaniel"}
            << "LIPIcs - Leibniz International Proceedings in Informatics"
            << R"(["1868-8969"])"
            << "2013"
            << "22"
            << ""
            << "93"
            << "105"
            << "eng"
            << "We investigate the problem";
        QTest::newRow("page: conflicting dates, given name first, stray microdata")
            << "html-citation-springer-s11926-017-0626-z.html"
            << "page"
            << "10.1007/s11926-017-0626-z"
            << "Drug Reaction with Eosinophilia and Systemic Symptoms (DRESS) Syndrome and the Rheumatologist"
            << 1 << QStringList{"0:Adwan|Marwan H."} << "Current Rheumatology Reports"
            << R"(["1534-6307"])"
            << "2017-01"
            << "19"
            << "1"
            << "1"
            << "9"
            << "en"
            << "The purpose of the review";
        QTest::newRow("page: textual date, names without commas, 70 citation_reference")
            << "html-citation-plosone-pone.0000001.html"
            << "page"
            << "10.1371/journal.pone.0000001"
            << "Neural Substrate of Cold-Seeking Behavior in Endotoxin Shock" << 4
            << QStringList{"0:Almeida|Maria C.", "2:Branco|Luiz G. S.", "3:Romanovsky|Andrej A."}
            << "PLOS ONE"
            << R"(["1932-6203"])"
            << "2006-12-20"
            << "1"
            << "1"
            << "e1"
            << ""
            << ""
            << "Systemic inflammation is a leading cause of hospital death.";
        QTest::newRow("page: bepress and DC tags, entities, trailing blank")
            << "html-bepress-dc-laviedesidees-evaluation.html"
            << "page"
            << ""
            << "L’évaluation et les listes de revues" << 1 << QStringList{"0:Audier|Florence"}
            << "La Vie des idées"
            << ""
            << "2009-09-15"
            << ""
            << ""
            << ""
            << ""
            << "fr"
            << "L'évaluation, et la place";
        QTest::newRow("page: JSON-LD and citation tags, internal id as first page")
            << "html-jsonld-frontiers-fpsyg.2014.00781.html"
            << "page"
            << "10.3389/fpsyg.2014.00781"
            << "Using Bayes to get the most out of non-significant results" << 1
            << QStringList{"0:Dienes|Zoltan"} << "Frontiers in Psychology"
            << R"(["1664-1078"])"
            << "2014-07-29"
            << "5"
            << ""
            << ""
            << ""
            << "English"
            << "No scientific conclusion follows automatically";
        QTest::newRow("mEDRA ONIX: full name only, Italian")
            << "onix-medra-10.1430_8105.xml"
            << "onix"
            << "10.1430/8105"
            << "L'industria dopo l'euro" << 1 << QStringList{"0:Prodi|Romano"} << "L'industria"
            << R"(["0019-7416"])"
            << "2002"
            << ""
            << "4"
            << "559"
            << "566"
            << "ita"
            << "";
    }

    void everyFixtureGivesTheFieldsItHolds() {
        QFETCH(QString, fixture);
        QFETCH(QString, servizio);
        QFETCH(QString, doi);
        REQUIRE_SHARED_FIXTURE(metadati(fixture));
        Servizi s;
        QString indirizzo = doi;
        if (servizio == u"csl")
            s.csl(doi, fixture);
        else if (servizio == u"crossref")
            s.crossref(doi, fixture);
        else if (servizio == u"onix")
            s.onix(doi, fixture);
        else
            indirizzo = s.pagina(fixture);

        const CliRun r = cli({"--home", s.t.root(), "capture", indirizzo, "--format", "json"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QFETCH(QString, title);
        QCOMPARE(campo(o, "title"), title);
        const QJsonArray autori = o.value(QLatin1String("authors")).toArray();
        QFETCH(int, authors);
        QCOMPARE(autori.size(), authors);
        QFETCH(QStringList, someAuthors);
        for (const QString& a : someAuthors) {
            const int i = a.section(u':', 0, 0).toInt();
            const QJsonObject p = autori.at(i).toObject();
            QCOMPARE(p.value(u"family").toString() + u'|' + p.value(u"given").toString(), a.section(u':', 1));
        }
        QFETCH(QString, journal);
        QFETCH(QString, issn);
        QFETCH(QString, date);
        QFETCH(QString, volume);
        QFETCH(QString, issue);
        QFETCH(QString, firstPage);
        QFETCH(QString, lastPage);
        QFETCH(QString, language);
        QFETCH(QString, abstractStart);
        QCOMPARE(campo(o, "journal"), journal);
        QCOMPARE(campo(o, "issn"), issn);
        QCOMPARE(campo(o, "date"), date);
        QCOMPARE(campo(o, "volume"), volume);
        QCOMPARE(campo(o, "issue"), issue);
        QCOMPARE(campo(o, "first_page"), firstPage);
        QCOMPARE(campo(o, "last_page"), lastPage);
        QCOMPARE(campo(o, "language"), language);
        QCOMPARE(campo(o, "doi"), doi);
        QCOMPARE(campo(o, "abstract").left(abstractStart.size()), abstractStart);
        // Each field found says where it was read.
        const QJsonObject origine = o.value(u"origin").toObject();
        for (auto it = o.constBegin(); it != o.constEnd(); ++it)
            if (it.key() != u"origin")
                QVERIFY2(!origine.value(it.key()).toString().isEmpty(), qPrintable(it.key()));
        // Editors are not authors.
        if (fixture.contains(u"pbio"))
            QCOMPARE(campo(o, "editors"), QString(R"([{"family":"Bero","given":"Lisa"}])"));
        // The resolver was asked by content negotiation; a page's DOI was followed there.
        if (!doi.isEmpty()) {
            const auto& richieste = s.server.requests();
            const auto resolver =
                std::find_if(richieste.begin(), richieste.end(), [&](const ReceivedRequest& q) {
                    return q.path == QStringLiteral("/doi/") + doi;
                });
            QVERIFY(resolver != richieste.end());
            QCOMPARE(resolver->headers.value("accept"),
                     QByteArray("application/vnd.citationstyles.csl+json"));
            QVERIFY(resolver->headers.value("user-agent").startsWith("Quillaro/"));
            QVERIFY(!resolver->headers.contains("cookie"));
        }
    }

    // What the network does to a reading, each through the page it would have read.
    void theNetworkLimitsSayWhatHappened_data() {
        QTest::addColumn<int>("redirects");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("chunked");
        QTest::addColumn<bool>("never");
        QTest::addColumn<QString>("error"); // empty: read

        const QByteArray pagina = paginaArticolo();
        const QByteArray grande = paginaArticolo(5 * 1024 * 1024);
        QTest::newRow("five redirects are followed")
            << 5 << 200 << QByteArray("text/html") << pagina << false << false << "";
        QTest::newRow("the sixth is not")
            << 6 << 200 << QByteArray("text/html") << pagina << false << false << "più di 5 volte";
        QTest::newRow("404") << 0 << 404 << QByteArray("text/html") << QByteArray("<html>no</html>") << false
                             << false << "non esiste (errore HTTP 404)";
        QTest::newRow("server error")
            << 0 << 503 << QByteArray("text/html") << QByteArray() << false << false << "errore HTTP 503";
        QTest::newRow("no answer within the time") << 0 << 200 << QByteArray("text/html") << pagina << false
                                                   << true << "non ha risposto entro 0,5 secondi";
        QTest::newRow("a page without metadata")
            << 0 << 200 << QByteArray("text/html")
            << QByteArray(
                   "<html><head><title>Home</title><meta name=\"description\" content=\"x\"></head></html>")
            << false << false << "non contiene i dati dell'articolo";
        QTest::newRow("over the size limit, announced")
            << 0 << 200 << QByteArray("text/html") << grande << false << false << "supera il limite di 5 MB";
        QTest::newRow("over the size limit, in chunks")
            << 0 << 200 << QByteArray("text/html") << grande << true << false << "supera il limite di 5 MB";
        QTest::newRow("not a page") << 0 << 200 << QByteArray("application/pdf") << QByteArray("%PDF-1.4")
                                    << false << false << "non è una pagina web (tipo application/pdf)";
    }

    void theNetworkLimitsSayWhatHappened() {
        QFETCH(int, redirects);
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(bool, chunked);
        QFETCH(bool, never);
        QFETCH(QString, error);
        LocalHttpServer server;
        for (int i = 0; i < redirects; ++i)
            server.redirect(QStringLiteral("/r%1").arg(i), QStringLiteral("/r%1").arg(i + 1),
                            i % 2 ? 301 : 303);
        server.answer(QStringLiteral("/r%1").arg(redirects),
                      {status, contentType, body, {}, 0, never, chunked});
        OpzioniCattura o;
        o.limiti.millisecondi = 500;
        QElapsedTimer tempo;
        tempo.start();
        const EsitoCattura e = CatturaInAttesa(InterpretaIndirizzo(server.base() + QStringLiteral("/r0")), o);
        QVERIFY(tempo.elapsed() < 5000);
        QCOMPARE(e.letto, error.isEmpty());
        QVERIFY2(e.errore.contains(error), qPrintable(e.errore));
        if (e.letto)
            QCOMPARE(e.metadati.titolo, QString("Titolo di prova"));
    }

    // An answer that never ends is cut at the size limit or at the time limit, whichever comes first,
    // headers included, and the memory it takes stays near the size limit.
    void endlessAnswersStopWithinTheirLimits_data() {
        QTest::addColumn<bool>("headers");
        QTest::addColumn<QString>("error");
        QTest::newRow("endless chunked body") << false << "supera il limite di 5 MB";
        QTest::newRow("endless headers") << true << "non ha risposto entro 3 secondi";
    }

    void endlessAnswersStopWithinTheirLimits() {
        QFETCH(bool, headers);
        QFETCH(QString, error);
        ServerSenzaFine server(headers);
        OpzioniCattura o;
        o.limiti.millisecondi = 3000;
        const qint64 prima = memoriaResidente();
        qint64 picco = prima;
        QTimer campione;
        QObject::connect(&campione, &QTimer::timeout, [&] { picco = std::max(picco, memoriaResidente()); });
        campione.start(10);
        QElapsedTimer tempo;
        tempo.start();
        const EsitoCattura e =
            CatturaInAttesa(InterpretaIndirizzo(server.base() + QStringLiteral("/senzafine")), o);
        const qint64 durata = tempo.elapsed();
        campione.stop();
        QVERIFY2(e.errore.contains(error), qPrintable(e.errore));
        QVERIFY2(durata < 4500, qPrintable(QString::number(durata)));
        QVERIFY2(picco - prima < 64 * 1024 * 1024,
                 qPrintable(QString::number((picco - prima) >> 20) + " MB"));
    }

    // What the server sent is said as it is: a compressed body that cannot be read is not a network
    // failure, a page that says UTF-8 and is not is read as browsers do and the operator is told.
    void unreadableAnswersAreSaidForWhatTheyAre() {
        const QByteArray bomba = qCompress(QByteArray(64 * 1024 * 1024, '0'), 9).mid(4);
        ServerGrezzo compressa("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Encoding: deflate\r\n"
                               "Content-Length: " +
                               QByteArray::number(bomba.size()) + "\r\n\r\n" + bomba);
        EsitoCattura e = CatturaInAttesa(InterpretaIndirizzo(compressa.base() + "/bomba"), OpzioniCattura());
        QVERIFY(!e.letto);
        QVERIFY2(!e.errore.contains("non è raggiungibile"), qPrintable(e.errore));
        QVERIFY2(e.errore.contains("non si può decomprimere") ||
                     e.errore.contains("supera il limite di 5 MB"),
                 qPrintable(e.errore));
        QVERIFY2(!e.errore.contains("La risposta di La pagina"), qPrintable(e.errore));

        const QByteArray pagina =
            "<html><head><meta charset=\"utf-8\"><meta name=\"citation_title\" content=\"M" +
            encodeWindows1252(QStringLiteral("ü")) + "ller\"></head></html>";
        LocalHttpServer server;
        server.answer(QStringLiteral("/latin1"), {200, "text/html", pagina, {}, 0, false, false});
        e = CatturaInAttesa(InterpretaIndirizzo(server.base() + "/latin1"), OpzioniCattura());
        QVERIFY2(e.letto, qPrintable(e.errore));
        QCOMPARE(e.metadati.titolo, QString("M\uFFFDller"));
        QVERIFY2(e.avvisi.join(u'\n').contains(
                     "dichiara la codifica UTF-8 ma non la rispetta: i caratteri illeggibili (1)"),
                 qPrintable(e.avvisi.join(u'\n')));
    }

    void anUnreachableServiceAndAnUnknownDoiAreSaid() {
        LocalHttpServer server; // answers 404 to everything
        OpzioniCattura o;
        o.doiBase = server.base() + QStringLiteral("/doi");
        o.crossrefBase = server.base() + QStringLiteral("/api");
        EsitoCattura e = CatturaInAttesa(InterpretaIndirizzo(QStringLiteral("doi:10.9999/nessuno")), o);
        QVERIFY2(e.errore.contains(QStringLiteral("Il DOI 10.9999/nessuno non risulta registrato")),
                 qPrintable(e.errore));
        // Crossref is asked once the resolver has failed.
        QCOMPARE(server.requests().size(), 2);
        QCOMPARE(server.requests().at(1).path, QString("/api/works/10.9999/nessuno"));

        QTcpServer chiuso;
        QVERIFY(chiuso.listen(QHostAddress::LocalHost));
        const QString indirizzo = QStringLiteral("http://127.0.0.1:%1/articolo").arg(chiuso.serverPort());
        chiuso.close();
        e = CatturaInAttesa(InterpretaIndirizzo(indirizzo), o);
        QVERIFY2(e.errore.contains(QStringLiteral("non è raggiungibile")), qPrintable(e.errore));

        // A page may not send the program to a local file.
        server.redirect(QStringLiteral("/altrove"), QStringLiteral("file:///etc/passwd"));
        e = CatturaInAttesa(InterpretaIndirizzo(server.base() + QStringLiteral("/altrove")), o);
        QVERIFY2(e.errore.contains(QStringLiteral("file:///etc/passwd non seguito")), qPrintable(e.errore));
    }

    // A page built to bring its reader down (nested past any article's depth, or with more elements
    // than any article has) is refused before it is parsed, with the reason, by the reader and the
    // command line alike, in a moment; one within the limits is read.
    void hostilePagesAreRefusedBeforeTheyAreParsed_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("refused"); // empty: read
        const QString profonda = QStringLiteral("annidati più di 512 volte");
        const QString larga = QStringLiteral("più di 200.000 elementi");
        QTest::newRow("span nested 50 000 times")
            << paginaOstile("<span>", "</span>", 50000, false) << profonda;
        QTest::newRow("div nested 80 000 times") << paginaOstile("<div>", "</div>", 80000, false) << profonda;
        QTest::newRow("div nested 400 000 times (4 MB)")
            << paginaOstile("<div>", "</div>", 400000, false) << profonda;
        QTest::newRow("div never closed, 80 000 times")
            << paginaOstile("<div>", "", 80000, false) << profonda;
        QTest::newRow("div closed by a table's end tag")
            << paginaOstile("<div><table><td></div>", "", 5000, false) << profonda;
        QTest::newRow("formatting reopened by every paragraph") << paginaConCorpo([] {
            QByteArray b;
            for (int i = 0; i < 3000; ++i)
                b += "<p><b class=c" + QByteArray::number(i) + ">x</p>";
            return b;
        }()) << profonda;
        QTest::newRow("a million end tags past a block")
            << paginaConCorpo("<b>" + QByteArray("<div>").repeated(400) +
                              QByteArray("</b>").repeated(1000000))
            << larga;
        QTest::newRow("250 000 elements side by side") << paginaOstile("<b>", "</b>", 250000, true) << larga;
        QTest::newRow("700 000 elements side by side (5 MB)")
            << paginaOstile("<i>", "</i>", 700000, true) << larga;
        QTest::newRow("div nested 400 times") << paginaOstile("<div>", "</div>", 400, false) << "";
        QTest::newRow("paragraphs and cells never closed")
            << paginaOstile("<table><tr><td><p><font size=2>x", "</table>", 3000, true) << "";
        QTest::newRow("150 000 elements side by side") << paginaOstile("<b>", "</b>", 150000, true) << "";
    }

    void hostilePagesAreRefusedBeforeTheyAreParsed() {
        QFETCH(QByteArray, body);
        QFETCH(QString, refused);
        QElapsedTimer tempo;
        tempo.start();
        const PaginaLetta p = LeggiPagina(body, "text/html", QUrl(QStringLiteral("http://127.0.0.1/a")));
        // Seconds at worst in the sanitized build on a busy machine; the readings this guards against
        // (recursive, quadratic) took minutes or never ended.
        QVERIFY2(tempo.elapsed() < 20000, qPrintable(QString::number(tempo.elapsed())));
        QVERIFY2(refused.isEmpty() ? p.rifiuto.isEmpty() : p.rifiuto.contains(refused),
                 qPrintable(p.rifiuto));
        QCOMPARE(p.metadati.titolo, refused.isEmpty() ? QString("Titolo di prova") : QString());

        Servizi s;
        s.server.answer(QStringLiteral("/ostile"),
                        {200, "text/html; charset=utf-8", body, {}, 0, false, false});
        tempo.restart();
        const CliRun r =
            cli({"--home", s.t.root(), "capture", s.server.base() + "/ostile", "--format", "json"});
        QVERIFY2(tempo.elapsed() < 30000, qPrintable(QString::number(tempo.elapsed())));
        QCOMPARE(r.code, refused.isEmpty() ? 0 : 1);
        if (refused.isEmpty()) {
            QVERIFY2(r.out.contains("Titolo di prova"), qPrintable(r.out + r.err));
        } else {
            QVERIFY2(r.err.contains(
                         QStringLiteral("La pagina %1/ostile non è stata letta: ").arg(s.server.base())),
                     qPrintable(r.err));
            QVERIFY2(r.err.contains(refused), qPrintable(r.err));
        }
    }

    // The command line: exit 2 for what is neither a DOI nor an address, 1 with a reason when nothing
    // could be read, the fields with their origin otherwise.
    void theCommandLineExitsAsDocumented_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("says");
        QTest::newRow("a word") << "articolo" << QStringList{} << 2 << "né un DOI";
        QTest::newRow("another scheme") << "ftp://example.org/a" << QStringList{} << 2 << "né un DOI";
        QTest::newRow("unknown format")
            << "10.1016/j.tree.2005.04.023" << QStringList{"--format", "xml"} << 2 << "Formato sconosciuto";
        QTest::newRow("a page that is not there")
            << "PAGES/assente" << QStringList{} << 1 << "errore HTTP 404";
        QTest::newRow("text with origins")
            << "https://doi.org/10.1016/j.tree.2005.04.023" << QStringList{} << 0
            << "Titolo: Data sharing in ecology and evolution  [127.0.0.1, CSL-JSON (title)]";
    }

    void theCommandLineExitsAsDocumented() {
        QFETCH(QString, input);
        QFETCH(QStringList, options);
        QFETCH(int, code);
        QFETCH(QString, says);
        REQUIRE_SHARED_FIXTURE(metadati("csl-crossref-10.1016_j.tree.2005.04.023.json"));
        Servizi s;
        s.csl(QStringLiteral("10.1016/j.tree.2005.04.023"),
              QStringLiteral("csl-crossref-10.1016_j.tree.2005.04.023.json"));
        input.replace(QStringLiteral("PAGES"), s.server.base() + QStringLiteral("/pages"));
        const CliRun r = cli(QStringList{"--home", s.t.root(), "capture", input} + options);
        QCOMPARE(r.code, code);
        QVERIFY2((code == 0 ? r.out : r.err).contains(says), qPrintable(r.out + r.err));
    }

    // A page in Windows-1252, said by the HTTP header or by the page itself, or not said at all.
    void pagesAreReadInTheirCharacterSet_data() {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("declaration");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("HTTP header windows-1252")
            << QByteArray("text/html; charset=windows-1252") << QByteArray() << false;
        QTest::newRow("meta charset")
            << QByteArray("text/html") << QByteArray("<meta charset=\"windows-1252\">") << false;
        QTest::newRow("http-equiv ISO-8859-1, which browsers read as 1252")
            << QByteArray("text/html")
            << QByteArray("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">")
            << false;
        QTest::newRow("undeclared, not UTF-8") << QByteArray("text/html") << QByteArray() << false;
        QTest::newRow("undeclared UTF-8") << QByteArray("text/html") << QByteArray() << true;
        QTest::newRow("the header wins over the page") << QByteArray("text/html;charset=windows-1252")
                                                       << QByteArray("<meta charset=\"utf-8\">") << false;
    }

    void pagesAreReadInTheirCharacterSet() {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, declaration);
        QFETCH(bool, utf8);
        const QString titolo = QStringLiteral("Società, perché “€ 5” – più");
        const QByteArray t = utf8 ? titolo.toUtf8() : encodeWindows1252(titolo);
        const QByteArray pagina = "<html><head>" + declaration + "<meta name=\"citation_title\" content=\"" +
                                  t + "\"><meta name=\"DC.creator\" content=\"Bianchi, Anna\"></head></html>";
        LocalHttpServer server;
        server.answer(QStringLiteral("/p"), {200, contentType, pagina, {}, 0, false, false});
        const EsitoCattura e = CatturaInAttesa(InterpretaIndirizzo(server.base() + "/p"), OpzioniCattura());
        QVERIFY2(e.letto, qPrintable(e.errore));
        QCOMPARE(e.metadati.titolo, titolo);
    }

    void namesAreSplitAsTheCentreStoresThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("split");
        QTest::newRow("Italian particle") << "Antonio Di Pietro"
                                          << "Di Pietro|Antonio";
        QTest::newRow("two particles") << "Maria della Valle"
                                       << "della Valle|Maria";
        QTest::newRow("van der") << "Johannes van der Waals"
                                 << "van der Waals|Johannes";
        QTest::newRow("apostrophe") << "Giulia D'Amico"
                                    << "D'Amico|Giulia";
        QTest::newRow("surname first") << "De Filippo, Luca"
                                       << "De Filippo|Luca";
        QTest::newRow("capitals") << "ROSSI, MARIO"
                                  << "Rossi|Mario";
        QTest::newRow("an organisation") << "Università degli Studi di Milano"
                                         << "Università degli Studi di Milano|*";
        QTest::newRow("one word") << "Redazione"
                                  << "Redazione|*";
    }

    void namesAreSplitAsTheCentreStoresThem() {
        QFETCH(QString, name);
        QFETCH(QString, split);
        const PersonaCatturata p = PersonaDaNome(name);
        QCOMPARE(p.cognome + u'|' + (p.ente ? QStringLiteral("*") : p.nome), split);
    }

    void datesKeepTheParts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("iso");
        QTest::newRow("words, English") << "Dec 20, 2006"
                                        << "2006-12-20";
        QTest::newRow("words, Italian") << "3 febbraio 2021"
                                        << "2021-02-03";
        QTest::newRow("words, French") << "juillet 2010"
                                       << "2010-07";
        QTest::newRow("slashes") << "2017/01"
                                 << "2017-01";
        QTest::newRow("day first") << "20/12/2006"
                                   << "2006-12-20";
        QTest::newRow("time") << "2014-07-29T10:00:00Z"
                              << "2014-07-29";
        QTest::newRow("no such day") << "2021-02-30"
                                     << "2021-02";
        QTest::newRow("stored year only") << "2005-00"
                                          << "2005";
        QTest::newRow("nothing") << "in press"
                                 << "";
    }

    void datesKeepTheParts() {
        QFETCH(QString, text);
        QFETCH(QString, iso);
        QCOMPARE(DataDaTesto(text).iso(), iso);
    }

    void markupIsTakenOut_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("paragraphs");
        QTest::newRow("plain text keeps its signs") << "a &lt; b & c < d" << QStringList{"a < b & c < d"};
        QTest::newRow("subscript") << "H<sub>2</sub>O" << QStringList{"H₂O"};
        QTest::newRow("sections")
            << "<jats:sec><jats:title>Abstract</jats:title><jats:title>Background</jats:title>"
               "<jats:p>One.</jats:p></jats:sec><jats:sec><jats:p>Two\n   .</jats:p></jats:sec>"
            << QStringList{"Background", "One.", "Two."};
        QTest::newRow("escaped paragraphs")
            << "&lt;p&gt;Uno&lt;/p&gt;&lt;p&gt;Due&lt;/p&gt;" << QStringList{"Uno", "Due"};
        // A record's abstract is as hostile as a page: its text stays, without the markup.
        QTest::newRow("nested past any depth")
            << QString("<i>").repeated(60000) + "Testo" + QString("</i>").repeated(60000)
            << QStringList{"Testo"};
    }

    void markupIsTakenOut() {
        QFETCH(QString, text);
        QFETCH(QStringList, paragraphs);
        QCOMPARE(Paragrafi(text), paragraphs);
    }
};

QTEST_GUILESS_MAIN(TestCaptureRead)
#include "tst_capture_read.moc"
