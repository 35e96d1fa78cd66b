// The search index: how it reads words, what a query means, every field, and how it stays current
// when the editor, another program or a lost file changes what it was built from.

#include "SearchFixture.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "generator/Generatore.h"
#include "search/InterrogazioneRicerca.h"
#include "search/RigaIndice.h"
#include "search/Tokenizzatore.h"
#include "store/Archivio.h"
#include "support/ComeUtente.h"
#include "update/FileSigle.h"

#include <QtTest>
#include <sqlite3.h>

namespace {

// Two archives of the same home: CONSA with a few documents in every field, CONSB with one.
struct DueArchivi {
    TestHome t;
    QString a, b;
    ServizioRicerca* servizio = nullptr;

    DueArchivi() {
        a = t.createArchive(QStringLiteral("CONSA"), QStringLiteral("3"), QStringLiteral("2026"),
                            QStringLiteral("12"), QStringLiteral("5"));
        b = t.createArchive(QStringLiteral("CONSB"), QStringLiteral("7"), QStringLiteral("2025"),
                            QStringLiteral("4"), QStringLiteral("1"));
        DocProva d1;
        d1.numero = 1;
        d1.titolo = QStringLiteral("Perché la buona fede conta nei contratti di appalto");
        d1.testi.insert(QStringLiteral("1"),
                        QStringLiteral("Il saggio esamina la responsabilità del committente."));
        d1.autori = {{QStringLiteral("Bianchi"), QStringLiteral("Giulia")}};
        d1.fonti = {QStringLiteral("art. 2043 c.c.")};
        d1.classi = {{QStringLiteral("150"), QStringLiteral("D0001")}};
        d1.data = QStringLiteral("2019-05-12");
        scriviDocumentoProva(a, d1);
        DocProva d2;
        d2.numero = 2;
        d2.titolo = QStringLiteral("La fede pubblica e la buona amministrazione");
        d2.testi.insert(QStringLiteral("8"),
                        QStringLiteral("Notes on public procurement and the avvocata's duties."));
        d2.autori = {{QStringLiteral("Verdi"), QStringLiteral("Anna")}};
        d2.rivista = QStringLiteral("205");
        d2.data = QStringLiteral("2021-00");
        scriviDocumentoProva(a, d2);
        DocProva d3;
        d3.numero = 7;
        d3.titolo = QStringLiteral("Sentenze sull'appalto pubblico");
        d3.testi.insert(QStringLiteral("7"), QStringLiteral("giudici amministrativi e nuove regole"));
        d3.fonti = {QStringLiteral("Cass. sez. un. 11 novembre 2008, n. 26972")};
        scriviDocumentoProva(a, d3);
        DocProva e1;
        e1.numero = 1;
        e1.titolo = QStringLiteral("Il contratto preliminare e la responsabilità contrattuale");
        e1.autori = {{QStringLiteral("Rossi"), QStringLiteral("Mario")}};
        e1.classi = {{QStringLiteral("120"), QString()}};
        scriviDocumentoProva(b, e1);
        servizio = &ServizioRicerca::di(t.state());
    }

    EsitoRicercaCompleta cerca(const QString& testo, AmbitoRicerca ambito = {}) {
        return servizio->cerca(testo, ambito, 100, nullptr);
    }
};

// Opens a file with the engine itself, as another program would.
void scriviConSqlite(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* errore = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &errore);
    const QString testo = errore ? QString::fromUtf8(errore) : QString();
    sqlite3_free(errore);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(testo));
}

} // namespace

class SearchIndex : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sameWord_data();
    void sameWord();
    void wordsOfAText_data();
    void wordsOfAText();
    void queries_data();
    void queries();
    void refusedQueries_data();
    void refusedQueries();
    void fieldsPhrasesPrefixesAndNot_data();
    void fieldsPhrasesPrefixesAndNot();
    void excerptMarksTheMatchedWords();
    void scopes();
    void aSaveAndADeletionAreSeenByTheNextQuery();
    void aDeletionMovesTheIdentifiersThatFollow();
    void anArchiveChangedByAnotherProgramIsReadAgain();
    void aRemovedArchiveLeavesTheIndex();
    void aLostOrDamagedIndexIsMadeAgain_data();
    void aLostOrDamagedIndexIsMadeAgain();
    void unreadableArchivesAreToldAndPassedOver();
    void theEngineTakesEveryQueryThatIsAccepted_data();
    void theEngineTakesEveryQueryThatIsAccepted();
    void phrasesStayInsideOneEntry_data();
    void phrasesStayInsideOneEntry();
    void excerpts_data();
    void excerpts();
    void aDamagedIndexIsFilledAgainBeforeTheAnswer_data();
    void aDamagedIndexIsFilledAgainBeforeTheAnswer();
    void foreignFilesAreNeverDeleted();
    void aHomeMovedElsewhereKeepsItsIndex();
    void aReadOnlyIndexIsNamedAndRecovers();
    void aSearchStopsWhenCancelled();
    void anIndexingCancelledLeavesNoWordOut();
    void keptFieldsComeBackWhole_data();
    void keptFieldsComeBackWhole();
    void damagedKeptFieldsAreNeverRead_data();
    void damagedKeptFieldsAreNeverRead();
    void anArchiveSwitchedToWalIsRead();
    void veryBroadQueries_data();
    void veryBroadQueries();
};

// ---------------------------------------------------------------------------------------------

void SearchIndex::sameWord_data() {
    QTest::addColumn<QString>("scritta");
    QTest::addColumn<QString>("cercata");
    QTest::addColumn<bool>("uguali");
    QTest::newRow("accento acuto") << QStringLiteral("Perché") << QStringLiteral("perche") << true;
    QTest::newRow("maiuscole e accento") << QStringLiteral("CITTÀ") << QStringLiteral("città") << true;
    QTest::newRow("accento scomposto")
        << QString::fromUtf8("perche\xCC\x81") << QStringLiteral("perché") << true;
    QTest::newRow("plurale maschile") << QStringLiteral("contratti") << QStringLiteral("contratto") << true;
    QTest::newRow("plurale femminile") << QStringLiteral("sentenze") << QStringLiteral("sentenza") << true;
    QTest::newRow("plurale in -ici") << QStringLiteral("giudici") << QStringLiteral("giudice") << true;
    QTest::newRow("femminile") << QStringLiteral("nuova") << QStringLiteral("nuovo") << true;
    QTest::newRow("femminile plurale") << QStringLiteral("nuove") << QStringLiteral("nuovi") << true;
    QTest::newRow("femminile in -a") << QStringLiteral("avvocata") << QStringLiteral("avvocato") << true;
    QTest::newRow("aggettivo in -ale")
        << QStringLiteral("contrattuali") << QStringLiteral("contrattuale") << true;
    QTest::newRow("parole diverse") << QStringLiteral("contratto") << QStringLiteral("contrasto") << false;
    QTest::newRow("numeri interi") << QStringLiteral("2043") << QStringLiteral("2043") << true;
    QTest::newRow("numeri diversi") << QStringLiteral("2043") << QStringLiteral("2044") << false;
    QTest::newRow("legatura da PDF") << QStringLiteral("ﬁnanziamento") << QStringLiteral("finanziamento")
                                     << true;
    QTest::newRow("lettere a tutta larghezza")
        << QStringLiteral("ＣＯＮＴＲＡＴＴＯ") << QStringLiteral("contratto") << true;
}

void SearchIndex::sameWord() {
    QFETCH(QString, scritta);
    QFETCH(QString, cercata);
    QFETCH(bool, uguali);
    // The index stores the word as written; the query finds every word with its stem.
    const QStringList scritte = TokenTesto(scritta, UsoToken::Interrogazione);
    const QStringList query = TokenTesto(cercata, UsoToken::Interrogazione);
    QCOMPARE(query.size(), 1);
    QCOMPARE(scritte.contains(query.first()), uguali);
}

void SearchIndex::wordsOfAText_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("piegato");
    QTest::newRow("elisioni") << QStringLiteral("L'abuso dell’Autorità")
                              << QStringLiteral("l abuso dell autorita");
    QTest::newRow("sigle puntate") << QStringLiteral("art. 2043 c.c.") << QStringLiteral("art 2043 c c");
    QTest::newRow("codici con cifre") << QStringLiteral("D0012, 100.1") << QStringLiteral("d0012 100 1");
    QTest::newRow("segni e simboli") << QStringLiteral("§ 3 — «Titolo» 😀 ½")
                                     << QStringLiteral("3 titolo 1 2");
    QTest::newRow("tedesco e greco") << QStringLiteral("Straße ΔΙΚΑΙΟ") << QStringLiteral("strasse δικαιο");
    QTest::newRow("legature") << QStringLiteral("ﬁne ﬂusso Æquitas œuvre")
                              << QStringLiteral("fine flusso aequitas oeuvre");
    QTest::newRow("forme di compatibilità")
        << QStringLiteral("Ⅳ ① ｌｅｇｇｅ 𝐃𝐢𝐫𝐢𝐭𝐭𝐨") << QStringLiteral("iv 1 legge diritto");
    QTest::newRow("vuoto") << QStringLiteral(" -- ") << QString();
}

void SearchIndex::wordsOfAText() {
    QFETCH(QString, testo);
    QFETCH(QString, piegato);
    QCOMPARE(TestoPiegato(testo), piegato);
    QCOMPARE(HaParole(testo), !piegato.isEmpty());
    // The index keeps each folded word as it is, for prefixes.
    for (const QString& parola : piegato.split(u' ', Qt::SkipEmptyParts))
        QVERIFY2(TokenTesto(testo, UsoToken::Documento).contains(parola), qPrintable(parola));
}

void SearchIndex::queries_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("espressione");
    QTest::newRow("parole") << QStringLiteral("contratto  appalto")
                            << QStringLiteral("(\"contratto\" AND \"appalto\")");
    QTest::newRow("segni nelle parole")
        << QStringLiteral("art. 2043 c.c.") << QStringLiteral("(\"art.\" AND \"2043\" AND \"c.c.\")");
    QTest::newRow("frase") << QStringLiteral("\"buona fede\"") << QStringLiteral("\"buona fede\"");
    QTest::newRow("frase tipografica") << QStringLiteral("“buona fede”") << QStringLiteral("\"buona fede\"");
    QTest::newRow("virgolette nella parola")
        << QStringLiteral("il\"c.d.") << QStringLiteral("(\"il\" AND \"c.d.\")");
    QTest::newRow("prefisso") << QStringLiteral("contratt*") << QStringLiteral("\"contratt\"*");
    QTest::newRow("campo") << QStringLiteral("Titolo:appalto") << QStringLiteral("titolo : \"appalto\"");
    QTest::newRow("campo staccato") << QStringLiteral("autore: rossi")
                                    << QStringLiteral("autore : \"rossi\"");
    QTest::newRow("campo su frase") << QStringLiteral("titolo:\"buona fede\"")
                                    << QStringLiteral("titolo : \"buona fede\"");
    QTest::newRow("campo su gruppo") << QStringLiteral("titolo:(appalto OR mandato)")
                                     << QStringLiteral("titolo : ((\"appalto\" OR \"mandato\"))");
    QTest::newRow("ore e indirizzi non sono campi")
        << QStringLiteral("10:30 http://www.giustizia.it")
        << QStringLiteral("(\"10:30\" AND \"http://www.giustizia.it\")");
    QTest::newRow("operatori") << QStringLiteral("a OR b c NOT d")
                               << QStringLiteral("(\"a\" OR (\"b\" AND (\"c\" NOT \"d\")))");
    QTest::newRow("NOT in catena, un solo livello")
        << QStringLiteral("a NOT b NOT c NOT d") << QStringLiteral("(\"a\" NOT (\"b\" OR \"c\" OR \"d\"))");
    QTest::newRow("minuscole sono parole")
        << QStringLiteral("a or b") << QStringLiteral("(\"a\" AND \"or\" AND \"b\")");
    QTest::newRow("segni soli tralasciati")
        << QStringLiteral("appalto - § AND ((rossi))") << QStringLiteral("(\"appalto\" AND \"rossi\")");
}

void SearchIndex::queries() {
    QFETCH(QString, testo);
    QFETCH(QString, espressione);
    const Interrogazione i = InterpretaRicerca(testo);
    QVERIFY2(i.valida(), qPrintable(i.errore));
    QCOMPARE(i.espressione, espressione);
}

void SearchIndex::refusedQueries_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("errore");
    QTest::newRow("vuota") << QStringLiteral("   ") << QStringLiteral("Scrivere una o più parole");
    QTest::newRow("solo segni") << QStringLiteral("§ -- \"\"") << QStringLiteral("non contiene parole");
    QTest::newRow("NOT iniziale") << QStringLiteral("NOT appalto")
                                  << QStringLiteral("\"NOT\" va scritto dopo");
    QTest::newRow("AND iniziale") << QStringLiteral("AND appalto")
                                  << QStringLiteral("\"AND\" va scritto tra");
    QTest::newRow("OR finale") << QStringLiteral("appalto OR")
                               << QStringLiteral("Manca una condizione dopo \"OR\"");
    QTest::newRow("parentesi aperta") << QStringLiteral("(appalto") << QStringLiteral("non è chiusa");
    QTest::newRow("parentesi chiusa")
        << QStringLiteral("appalto)") << QStringLiteral("senza la sua apertura");
    QTest::newRow("parentesi vuote") << QStringLiteral("appalto ()") << QStringLiteral("manca la condizione");
    QTest::newRow("campo senza parola") << QStringLiteral("titolo:") << QStringLiteral("dopo \"titolo:\"");
    QTest::newRow("troppe parentesi") << QString(QStringLiteral("(")).repeated(60) + QStringLiteral("a") +
                                             QString(QStringLiteral(")")).repeated(60)
                                      << QStringLiteral("Troppe parentesi");
    QString campi = QStringLiteral("x");
    for (int i = 0; i < 18; ++i)
        campi = QStringLiteral("titolo:(%1)").arg(campi);
    QTest::newRow("18 campi annidati") << campi << QStringLiteral("Troppe parentesi o campi");
    QStringList parole;
    for (int i = 0; i < 65; ++i)
        parole << QStringLiteral("w%1").arg(i);
    QTest::newRow("1000 parole") << QStringLiteral("x ").repeated(1000).trimmed()
                                 << QStringLiteral("troppe parole: 1000");
    QTest::newRow("65 parole in una frase")
        << u'"' + parole.mid(0, 65).join(u' ') + u'"' << QStringLiteral("troppe parole: 65");
    QTest::newRow("frase di 12 000 parole")
        << u'"' + QStringLiteral("diritto ").repeated(12000) + u'"' << QStringLiteral("troppo lunga");
    QTest::newRow("NOT ripetuto") << QStringLiteral("a") + QStringLiteral(" NOT").repeated(100) +
                                         QStringLiteral(" b")
                                  << QStringLiteral("Manca una condizione dopo \"NOT\"");
    QTest::newRow("campo sconosciuto")
        << QStringLiteral("autori:rossi")
        << QStringLiteral("Il campo \"autori:\" non esiste: i campi che si possono "
                          "usare sono titolo:, autore:, fonte:, testo:, rivista:, anno:, "
                          "classe:, archivio:. Forse si intendeva \"autore:\"?");
    QTest::newRow("campo inventato") << QStringLiteral("appalto pippo:x")
                                     << QStringLiteral("\"pippo:\" non esiste");
}

void SearchIndex::refusedQueries() {
    QFETCH(QString, testo);
    QFETCH(QString, errore);
    const Interrogazione i = InterpretaRicerca(testo);
    QVERIFY(!i.valida());
    QVERIFY2(i.errore.contains(errore), qPrintable(i.errore));
}

void SearchIndex::fieldsPhrasesPrefixesAndNot_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("attesi");
    QTest::newRow("parola ovunque") << QStringLiteral("appalto")
                                    << QStringList{QStringLiteral("CONSA/1"), QStringLiteral("CONSA/7")};
    QTest::newRow("senza accento") << QStringLiteral("perche") << QStringList{QStringLiteral("CONSA/1")};
    QTest::newRow("plurale trova singolare")
        << QStringLiteral("contratto") << QStringList{QStringLiteral("CONSA/1"), QStringLiteral("CONSB/1")};
    QTest::newRow("singolare trova plurale")
        << QStringLiteral("sentenza") << QStringList{QStringLiteral("CONSA/7")};
    QTest::newRow("femminile") << QStringLiteral("nuovi") << QStringList{QStringLiteral("CONSA/7")};
    QTest::newRow("titolo") << QStringLiteral("titolo:responsabilità")
                            << QStringList{QStringLiteral("CONSB/1")};
    QTest::newRow("testo") << QStringLiteral("testo:responsabilità")
                           << QStringList{QStringLiteral("CONSA/1")};
    QTest::newRow("testo inglese") << QStringLiteral("testo:procurement")
                                   << QStringList{QStringLiteral("CONSA/2")};
    QTest::newRow("autore") << QStringLiteral("autore:rossi") << QStringList{QStringLiteral("CONSB/1")};
    QTest::newRow("autore per nome") << QStringLiteral("autore:giulia")
                                     << QStringList{QStringLiteral("CONSA/1")};
    QTest::newRow("fonte") << QStringLiteral("fonte:\"2043 c.c.\"") << QStringList{QStringLiteral("CONSA/1")};
    QTest::newRow("fonte per numero")
        << QStringLiteral("fonte:26972") << QStringList{QStringLiteral("CONSA/7")};
    QTest::newRow("rivista per codice")
        << QStringLiteral("rivista:205") << QStringList{QStringLiteral("CONSA/2")};
    QTest::newRow("rivista per titolo")
        << QStringLiteral("rivista:tributario") << QStringList{QStringLiteral("CONSA/2")};
    QTest::newRow("anno") << QStringLiteral("anno:2019") << QStringList{QStringLiteral("CONSA/1")};
    QTest::newRow("anno solo") << QStringLiteral("anno:2021") << QStringList{QStringLiteral("CONSA/2")};
    QTest::newRow("classe sistematica")
        << QStringLiteral("classe:120") << QStringList{QStringLiteral("CONSB/1")};
    QTest::newRow("classe descrittore")
        << QStringLiteral("classe:d0001") << QStringList{QStringLiteral("CONSA/1")};
    QTest::newRow("classe per voce") << QStringLiteral("classe:famiglia")
                                     << QStringList{QStringLiteral("CONSB/1")};
    QTest::newRow("archivio") << QStringLiteral("archivio:consb") << QStringList{QStringLiteral("CONSB/1")};
    QTest::newRow("identificativo") << QStringLiteral("202630006") << QStringList{QStringLiteral("CONSA/2")};
    QTest::newRow("frase") << QStringLiteral("\"buona fede\"") << QStringList{QStringLiteral("CONSA/1")};
    QTest::newRow("frase di due parole comuni")
        << QStringLiteral("\"e la\"") << QStringList{QStringLiteral("CONSA/2"), QStringLiteral("CONSB/1")};
    QTest::newRow("frase di due parole comuni nel titolo")
        << QStringLiteral("titolo:\"e la\"")
        << QStringList{QStringLiteral("CONSA/2"), QStringLiteral("CONSB/1")};
    QTest::newRow("parola comune e parola")
        << QStringLiteral("\"la buona\"")
        << QStringList{QStringLiteral("CONSA/1"), QStringLiteral("CONSA/2")};
    QTest::newRow("parole senza frase")
        << QStringLiteral("buona fede") << QStringList{QStringLiteral("CONSA/1"), QStringLiteral("CONSA/2")};
    QTest::newRow("prefisso di radice")
        << QStringLiteral("contratt*") << QStringList{QStringLiteral("CONSA/1"), QStringLiteral("CONSB/1")};
    QTest::newRow("prefisso oltre la radice")
        << QStringLiteral("titolo:responsabilit*") << QStringList{QStringLiteral("CONSB/1")};
    QTest::newRow("NOT") << QStringLiteral("appalto NOT sentenze") << QStringList{QStringLiteral("CONSA/1")};
    QTest::newRow("OR e campi") << QStringLiteral("autore:verdi OR autore:rossi")
                                << QStringList{QStringLiteral("CONSA/2"), QStringLiteral("CONSB/1")};
    QTest::newRow("campo su gruppo") << QStringLiteral("titolo:(preliminare OR pubblico)")
                                     << QStringList{QStringLiteral("CONSA/2"), QStringLiteral("CONSA/7"),
                                                    QStringLiteral("CONSB/1")};
    QTest::newRow("nessuno") << QStringLiteral("usucapione") << QStringList{};
}

void SearchIndex::fieldsPhrasesPrefixesAndNot() {
    QFETCH(QString, testo);
    QFETCH(QStringList, attesi);
    DueArchivi d;
    const EsitoRicercaCompleta r = d.cerca(testo);
    QVERIFY2(r.interrogazione.valida(), qPrintable(r.interrogazione.errore));
    QVERIFY2(r.avvisi.isEmpty(), qPrintable(r.avvisi.join(u'\n')));
    QCOMPARE(trovati(r), insieme(attesi));
    QCOMPARE(r.esito.totale, attesi.size());
}

void SearchIndex::excerptMarksTheMatchedWords() {
    DueArchivi d;
    const EsitoRicercaCompleta r = d.cerca(QStringLiteral("fede"));
    QCOMPARE(r.esito.risultati.size(), 2);
    for (const RisultatoRicerca& x : r.esito.risultati) {
        QVERIFY2(x.estratto.contains(QString(QChar(kInizioEvidenza)) + QStringLiteral("fede") +
                                     QChar(kFineEvidenza)),
                 qPrintable(x.estratto));
        QVERIFY(x.punteggio > 0);
    }
    const RisultatoRicerca& due = r.esito.risultati.at(r.esito.risultati.at(0).numero == 2 ? 0 : 1);
    QCOMPARE(due.numero, 2);
    QCOMPARE(due.identificativo, QStringLiteral("202630006"));
    QCOMPARE(due.rivista, QStringLiteral("205"));
    QCOMPARE(due.anno, QStringLiteral("2021"));
    QCOMPARE(due.titolo, QStringLiteral("La fede pubblica e la buona amministrazione"));
    // A word in the title weighs more than in a text; the rarer of two words more than the common one.
    QStringList ordine;
    for (const RisultatoRicerca& x : d.cerca(QStringLiteral("responsabilità")).esito.risultati)
        ordine << x.archivio + u'/' + QString::number(x.numero);
    QCOMPARE(ordine, (QStringList{QStringLiteral("CONSB/1"), QStringLiteral("CONSA/1")}));
    ordine.clear();
    for (const RisultatoRicerca& x : d.cerca(QStringLiteral("appalto OR preliminare")).esito.risultati)
        ordine << x.archivio + u'/' + QString::number(x.numero);
    QCOMPARE(ordine.first(), QStringLiteral("CONSB/1"));
    // Excerpts only for the first ones when asked so (a window makes the others as it shows them).
    const EsitoRicercaCompleta senza = d.servizio->cerca(QStringLiteral("fede"), {}, 10, nullptr, 1);
    QVERIFY(senza.esito.risultati.at(0).conEstratto);
    QVERIFY(!senza.esito.risultati.at(1).conEstratto);
    const Estrattore estrattore(senza.interrogazione.termini);
    QCOMPARE(d.servizio->indice().estratto(estrattore, senza.esito.risultati.at(1).id),
             r.esito.risultati.at(1).estratto);
}

void SearchIndex::scopes() {
    DueArchivi d;
    // A third archive outside mdb/ and an abbreviation file naming CONSB and a missing archive.
    const QString fuori = QDir(d.t.root()).filePath(QStringLiteral("ALTRO.db"));
    QVERIFY(QFile::copy(d.b, fuori));
    const QString sigle = d.t.home().mdbPath(QStringLiteral("sigle.S26"));
    ScriviFileSigle(sigle, {QStringLiteral("consb"), QStringLiteral("MANCA"), QString()});

    QCOMPARE(trovati(d.cerca(QStringLiteral("contratto"), {TipoAmbito::Archivio, d.a, {}})),
             insieme({QStringLiteral("CONSA/1")}));
    QCOMPARE(trovati(d.cerca(QStringLiteral("contratto"), {TipoAmbito::Archivio, fuori, {}})),
             insieme({QStringLiteral("ALTRO/1")}));
    // Every archive of mdb/: not the one opened from elsewhere.
    QCOMPARE(trovati(d.cerca(QStringLiteral("contratto"))),
             insieme({QStringLiteral("CONSA/1"), QStringLiteral("CONSB/1")}));
    const EsitoRicercaCompleta s = d.cerca(QStringLiteral("contratto"), {TipoAmbito::Sigle, {}, sigle});
    QCOMPARE(trovati(s), insieme({QStringLiteral("CONSB/1")}));
    QCOMPARE(s.avvisi.size(), 1);
    QVERIFY2(s.avvisi.first().contains(QStringLiteral("MANCA")), qPrintable(s.avvisi.first()));
    // An abbreviation file of many archives: read in two shares, only its archives counted.
    QStringList nove;
    for (int i = 1; i <= 10; ++i) {
        const QString nome = QStringLiteral("MOLTI%1").arg(i, 2, 10, QLatin1Char('0'));
        DocProva m;
        m.numero = i;
        m.titolo = QStringLiteral("Il leasing traslativo");
        scriviDocumentoProva(d.t.createArchive(nome), m);
        if (i != 4)
            nove << nome;
    }
    const QString molti = d.t.home().mdbPath(QStringLiteral("sigle.MOL"));
    ScriviFileSigle(molti, nove);
    QSet<QString> attesi;
    for (const QString& n : nove)
        attesi.insert(n + u'/' + QString::number(n.right(2).toInt()));
    QCOMPARE(trovati(d.cerca(QStringLiteral("leasing"), {TipoAmbito::Sigle, {}, molti})), attesi);
    QCOMPARE(d.cerca(QStringLiteral("leasing")).esito.totale, 10);
    // A limit keeps the best and still counts all.
    const EsitoRicercaCompleta l = d.servizio->cerca(QStringLiteral("fede OR contratto"), {}, 1, nullptr);
    QCOMPARE(l.esito.risultati.size(), 1);
    QCOMPARE(l.esito.totale, 3);
}

void SearchIndex::aSaveAndADeletionAreSeenByTheNextQuery() {
    DueArchivi d;
    AppState& state = d.t.state();
    QVERIFY(d.cerca(QStringLiteral("appalto")).esito.totale == 2);
    QVERIFY(d.t.open(d.a));
    // The document window's save: the title changed and a new author.
    const ListeDocumento liste = CaricaListe(state.Connessione, QDate::currentDate());
    DocumentBuffer buffer;
    buffer.IDDocCorrente = 7;
    DatiDocumento dati;
    PreparaDati(dati, liste);
    dati.txtID = QStringLiteral("7");
    QVERIFY(CaricaDocumento(state.Connessione, state.Mesi, liste, buffer, dati).caricato);
    dati.txtTitolo = QStringLiteral("Usucapione e possesso ventennale");
    // The rows written here have no source names to store again: the operator drops the source.
    for (VoceFonte& v : buffer.ElencoFonti)
        v.Cancellata = true;
    buffer.ElencoResponsabilita.append({0, QStringLiteral("Neri"), QStringLiteral("Luca"), true, false});
    QVERIFY2(SalvaDocumento(state, buffer, dati) == EsitoSalva::Salvato,
             qPrintable(d.t.dialogs().lastText()));
    QCOMPARE(trovati(d.cerca(QStringLiteral("usucapione"))), insieme({QStringLiteral("CONSA/7")}));
    QCOMPARE(trovati(d.cerca(QStringLiteral("autore:neri"))), insieme({QStringLiteral("CONSA/7")}));
    QCOMPARE(trovati(d.cerca(QStringLiteral("titolo:sentenze"))), insieme({}));
    // The save was the archive's only change: the index knows it is current and reads nothing.
    PreparazioneRicerca p = d.servizio->prepara({TipoAmbito::Archivio, d.a, {}}, nullptr);
    QCOMPARE(p.voci.size(), 1);
    QCOMPARE(p.voci.first().esito, VoceAggiornamento::Esito::Invariato);

    // A new document saved after the others.
    buffer = DocumentBuffer{};
    buffer.NuovoDocumento = true;
    buffer.IDDocCorrente = 8;
    DatiDocumento nuovo;
    PreparaDati(nuovo, liste);
    nuovo.txtID = QStringLiteral("8");
    seleziona(nuovo.cmbCPer, liste.cmbCPer, 1);
    nuovo.txtTitolo = QStringLiteral("Enfiteusi");
    QVERIFY2(SalvaDocumento(state, buffer, nuovo) == EsitoSalva::Salvato,
             qPrintable(d.t.dialogs().lastText()));
    const EsitoRicercaCompleta e = d.cerca(QStringLiteral("enfiteusi"));
    QCOMPARE(trovati(e), insieme({QStringLiteral("CONSA/8")}));
    QCOMPARE(e.esito.risultati.first().identificativo, QStringLiteral("202630008"));
    QCOMPARE(d.servizio->prepara({TipoAmbito::Archivio, d.a, {}}, nullptr).voci.first().esito,
             VoceAggiornamento::Esito::Invariato);

    // The last document deleted from the choice dialog.
    CancellaDocumenti(state.Connessione, {8});
    NotificaDocumentiCancellati(state, {8});
    QCOMPARE(d.cerca(QStringLiteral("enfiteusi")).esito.totale, 0);
    QCOMPARE(d.servizio->prepara({TipoAmbito::Archivio, d.a, {}}, nullptr).voci.first().esito,
             VoceAggiornamento::Esito::Invariato);
    QVERIFY(d.t.dialogs().unexpected().isEmpty());
}

void SearchIndex::aDeletionMovesTheIdentifiersThatFollow() {
    DueArchivi d;
    QCOMPARE(d.cerca(QStringLiteral("sentenze")).esito.risultati.first().identificativo,
             QStringLiteral("202630007"));
    AppState& state = d.t.state();
    QVERIFY(d.t.open(d.a));
    CancellaDocumenti(state.Connessione, {1});
    NotificaDocumentiCancellati(state, {1});
    const EsitoRicercaCompleta r = d.cerca(QStringLiteral("sentenze"));
    QCOMPARE(r.esito.risultati.first().identificativo, QStringLiteral("202630006"));
    QCOMPARE(d.cerca(QStringLiteral("202630006")).esito.risultati.first().numero, 7);
    QCOMPARE(d.cerca(QStringLiteral("perche")).esito.totale, 0);
}

void SearchIndex::anArchiveChangedByAnotherProgramIsReadAgain() {
    DueArchivi d;
    QCOMPARE(d.cerca(QStringLiteral("preliminare")).esito.totale, 1);
    // A title changed, a document added and one deleted with the engine's own shell, not through us.
    scriviConSqlite(d.b, "update tabTesto set Testo = 'La servitù di passaggio coattivo' where IDTesto = "
                         "(select IDTesto from legameDocTesto where IDDoc = 1 and Tipo = '0')");
    DocProva nuovo;
    nuovo.numero = 2;
    nuovo.titolo = QStringLiteral("Il comodato precario");
    scriviDocumentoProva(d.b, nuovo);
    scriviConSqlite(d.a, "delete from tabDocumento where IDDocumento = 2");
    const EsitoRicercaCompleta r = d.cerca(QStringLiteral("servitù"));
    QCOMPARE(trovati(r), insieme({QStringLiteral("CONSB/1")}));
    QCOMPARE(d.cerca(QStringLiteral("preliminare")).esito.totale, 0);
    QCOMPARE(trovati(d.cerca(QStringLiteral("comodato"))), insieme({QStringLiteral("CONSB/2")}));
    QCOMPARE(d.cerca(QStringLiteral("procurement")).esito.totale, 0);
    // What was read again, and only that.
    const PreparazioneRicerca p = d.servizio->prepara({}, nullptr);
    for (const VoceAggiornamento& v : p.voci)
        QCOMPARE(v.esito, VoceAggiornamento::Esito::Invariato);
}

void SearchIndex::aRemovedArchiveLeavesTheIndex() {
    DueArchivi d;
    QCOMPARE(d.cerca(QStringLiteral("contratto")).esito.totale, 2);
    QVERIFY(QFile::remove(d.b));
    const EsitoRicercaCompleta r = d.cerca(QStringLiteral("contratto"));
    QCOMPARE(trovati(r), insieme({QStringLiteral("CONSA/1")}));
    QCOMPARE(d.servizio->indice().db().scalar("select count(*) from archivi"), 1);
}

void SearchIndex::aLostOrDamagedIndexIsMadeAgain_data() {
    QTest::addColumn<QString>("danno");
    QTest::addColumn<QString>("avviso");
    QTest::newRow("cancellato") << QStringLiteral("cancellato") << QString();
    // Not even a database: maybe not ours, so put aside rather than deleted.
    QTest::newRow("spazzatura") << QStringLiteral("spazzatura") << QStringLiteral("è stato rinominato");
    QTest::newRow("troncato") << QStringLiteral("troncato") << QStringLiteral("era danneggiato");
    QTest::newRow("pagine rovinate") << QStringLiteral("pagine") << QStringLiteral("era danneggiato");
    QTest::newRow("altra versione") << QStringLiteral("versione") << QStringLiteral("di un'altra versione");
    // The tables of the previous format, stems stored and texts kept by the engine: never read as if
    // they were the words as written.
    QTest::newRow("versione precedente")
        << QStringLiteral("precedente") << QStringLiteral("di un'altra versione");
    QTest::newRow("database estraneo") << QStringLiteral("estraneo") << QStringLiteral("è stato rinominato");
}

void SearchIndex::aLostOrDamagedIndexIsMadeAgain() {
    QFETCH(QString, danno);
    QFETCH(QString, avviso);
    // The index of another home, as the last program left it (closed), in this home.
    TestHome t;
    const QString indice = IndiceRicerca::percorsoIndice(t.home());
    {
        DueArchivi d;
        QCOMPARE(d.cerca(QStringLiteral("contratto")).esito.totale, 2);
        d.servizio->indice().chiudi();
        QVERIFY(QFile::copy(d.servizio->indice().percorso(), indice));
    }
    DocProva doc;
    doc.numero = 1;
    doc.titolo = QStringLiteral("Il contratto di rete");
    scriviDocumentoProva(t.createArchive(QStringLiteral("CONSC")), doc);
    QFile f(indice);
    if (danno == u"cancellato") {
        QVERIFY(f.remove());
    } else if (danno == u"spazzatura") {
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(8192, 'x'));
        f.close();
    } else if (danno == u"troncato") {
        QVERIFY(f.resize(f.size() / 3));
    } else if (danno == u"pagine") {
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(4096);
        f.write(QByteArray(f.size() - 8192, '\x5A'));
        f.close();
    } else if (danno == u"versione") {
        scriviConSqlite(indice, "PRAGMA user_version = 99");
    } else if (danno == u"precedente") {
        QVERIFY(f.remove());
        scriviConSqlite(
            indice,
            "PRAGMA application_id = 1364087369; PRAGMA user_version = 3; create table archivi (id "
            "integer primary key, chiave text, nome text, dimensione integer, modifica integer, "
            "contatore integer, prossimo integer, documenti integer); create table documenti (id "
            "integer primary key, archivio integer, numero integer); create virtual table testi "
            "using fts5 (titolo, autore, fonte, testo, rivista, anno, classe, archivio, altro, "
            "prefix = '1 2', columnsize = 0); insert into archivi values (1, 'CONSC.db', 'CONSC', "
            "-1, -1, -1, 1, 1); insert into testi (rowid, titolo) values (1099511627776, 'contratt')");
    } else if (danno == u"estraneo") {
        QVERIFY(f.remove());
        scriviConSqlite(indice, "PRAGMA application_id = 42; create table t (x)");
    }
    ServizioRicerca& s = ServizioRicerca::di(t.state());
    const EsitoRicercaCompleta r = s.cerca(QStringLiteral("contratto"), {}, 10, nullptr);
    QCOMPARE(trovati(r), insieme({QStringLiteral("CONSC/1")}));
    if (avviso.isEmpty()) {
        QVERIFY(r.avvisi.isEmpty());
    } else {
        QCOMPARE(r.avvisi.size(), 1);
        QVERIFY2(r.avvisi.first().contains(avviso), qPrintable(r.avvisi.first()));
    }
    if (danno == u"estraneo" || danno == u"spazzatura")
        QVERIFY(QFile::exists(indice + QStringLiteral(".estraneo")));
    // Made again, it is a sound index: the next search has nothing to say.
    QVERIFY(s.cerca(QStringLiteral("rete"), {}, 10, nullptr).avvisi.isEmpty());
}

void SearchIndex::unreadableArchivesAreToldAndPassedOver() {
    DueArchivi d;
    // An archive with the marks of ours but a broken inside, and a text file named .db.
    const QString rotto = d.t.home().mdbPath(QStringLiteral("ROTTO.db"));
    QVERIFY(QFile::copy(d.b, rotto));
    {
        QFile f(rotto);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.seek(4096);
        f.write(QByteArray(f.size() - 4096, '\0'));
    }
    QFile testo(d.t.home().mdbPath(QStringLiteral("note.db")));
    QVERIFY(testo.open(QIODevice::WriteOnly));
    testo.write("non un archivio");
    testo.close();
    const EsitoRicercaCompleta r = d.cerca(QStringLiteral("contratto"));
    QCOMPARE(trovati(r), insieme({QStringLiteral("CONSA/1"), QStringLiteral("CONSB/1")}));
    QCOMPARE(r.avvisi.size(), 1);
    QVERIFY2(r.avvisi.first().contains(QStringLiteral("ROTTO: non indicizzato")),
             qPrintable(r.avvisi.first()));
    QVERIFY(!r.avvisi.first().contains(QStringLiteral("note")));
}

void SearchIndex::theEngineTakesEveryQueryThatIsAccepted_data() {
    QTest::addColumn<QString>("testo");
    QStringList parole;
    for (int i = 0; i < kMassimoParole; ++i)
        parole << QStringLiteral("p%1").arg(i);
    QTest::newRow("63 NOT in catena") << parole.join(QStringLiteral(" NOT "));
    QTest::newRow("64 parole") << parole.join(u' ');
    QTest::newRow("frase di 64 parole") << u'"' + parole.join(u' ') + u'"';
    QTest::newRow("parentesi al limite") << QStringLiteral("(").repeated(kMassimaProfondita) +
                                                QStringLiteral("a OR b") +
                                                QStringLiteral(")").repeated(kMassimaProfondita);
    QString campi = QStringLiteral("appalto NOT pubblico");
    for (int i = 0; i < kMassimaProfondita / 2; ++i)
        campi = QStringLiteral("%1:(%2)").arg(CampiRicerca().at(i % 2 == 0 ? 0 : 3), campi);
    QTest::newRow("campi annidati al limite") << campi;
    QTest::newRow("prefissi corti") << QStringLiteral("c* a* f*");
    QTest::newRow("OR e NOT misti") << QStringLiteral(
        "(a OR b) NOT (c OR d) NOT e titolo:f OR autore:\"g h\"*");
}

// What the query box accepts the engine runs: never "Errore dell'archivio ... fts5: ...".
void SearchIndex::theEngineTakesEveryQueryThatIsAccepted() {
    QFETCH(QString, testo);
    DueArchivi d;
    EsitoRicercaCompleta r;
    try {
        r = d.cerca(testo);
    } catch (const DbError& e) {
        QFAIL(qPrintable(e.description()));
    }
    QVERIFY2(r.interrogazione.valida(), qPrintable(r.interrogazione.errore));
}

void SearchIndex::phrasesStayInsideOneEntry_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("trovato");
    QTest::newRow("autore intero") << QStringLiteral("autore:\"sala chiara\"") << true;
    QTest::newRow("da un autore al successivo") << QStringLiteral("autore:\"chiara bernardi\"") << false;
    QTest::newRow("dal titolo alla traduzione") << QStringLiteral("\"appalto public\"") << false;
    QTest::newRow("traduzione intera") << QStringLiteral("\"public works contract\"") << true;
    QTest::newRow("da una fonte alla successiva") << QStringLiteral("fonte:\"c c art\"") << false;
    QTest::newRow("da un testo al successivo") << QStringLiteral("\"prezzi premessa\"") << false;
    QTest::newRow("parole in voci diverse") << QStringLiteral("autore:(chiara bernardi)") << true;
    // Two common words side by side are looked for as one token of their own: it too stays inside.
    QTest::newRow("due parole comuni in una voce") << QStringLiteral("\"e la\"") << true;
    QTest::newRow("due parole comuni in due voci") << QStringLiteral("\"del la\"") << false;
}

void SearchIndex::phrasesStayInsideOneEntry() {
    QFETCH(QString, testo);
    QFETCH(bool, trovato);
    TestHome t;
    DocProva d;
    d.numero = 1;
    d.titolo = QStringLiteral("Il contratto di appalto");
    d.testi.insert(QStringLiteral("3"), QStringLiteral("Public works contract"));
    d.testi.insert(QStringLiteral("1"), QStringLiteral("La revisione dei prezzi"));
    d.testi.insert(QStringLiteral("2"), QStringLiteral("Premessa. Conclusioni del"));
    d.testi.insert(QStringLiteral("4"), QStringLiteral("la nota e la fine"));
    d.autori = {{QStringLiteral("Sala"), QStringLiteral("Chiara")},
                {QStringLiteral("Bernardi"), QStringLiteral("Valentina")}};
    d.fonti = {QStringLiteral("art. 1655 c.c."), QStringLiteral("art. 1656 c.c.")};
    scriviDocumentoProva(t.createArchive(QStringLiteral("CONSA")), d);
    const EsitoRicercaCompleta r = ServizioRicerca::di(t.state()).cerca(testo, {}, 10, nullptr);
    QVERIFY2(r.interrogazione.valida(), qPrintable(r.interrogazione.errore));
    QCOMPARE(r.esito.totale, trovato ? 1 : 0);
    // What the operator reads of the entries is as they were written.
    if (trovato)
        QVERIFY(!r.esito.risultati.first().estratto.contains(QChar(kConfineVoci)));
}

void SearchIndex::excerpts_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QStringList>("campi");
    QTest::addColumn<QString>("estratto"); // [ ] for the marks
    const QStringList documento{
        QStringLiteral("Il contratto di appalto pubblico"), QStringLiteral("Rossi Mario"), QString(),
        QStringLiteral("Uno due tre quattro cinque sei sette otto nove dieci undici dodici "
                       "tredici quattordici quindici sedici diciassette contratti diciotto")};
    QTest::newRow("parola nel titolo")
        << QStringLiteral("appalti") << documento << QStringLiteral("Il contratto di [appalto] pubblico");
    QTest::newRow("frase intera marcata") << QStringLiteral("\"contratto di appalto\"") << documento
                                          << QStringLiteral("Il [contratto di appalto] pubblico");
    QTest::newRow("prefisso") << QStringLiteral("pubbl*") << documento
                              << QStringLiteral("Il contratto di appalto [pubblico]");
    QTest::newRow("campo indicato")
        << QStringLiteral("testo:contratto") << documento
        << QStringLiteral("…quattro cinque sei sette otto nove dieci undici dodici tredici quattordici "
                          "quindici sedici diciassette [contratti] diciotto");
    QTest::newRow("NOT non si marca")
        << QStringLiteral("mario NOT pubblico") << documento << QStringLiteral("Rossi [Mario]");
    QTest::newRow("nessuna parola da marcare") << QStringLiteral("archivio:consa") << documento
                                               << QStringLiteral("Il contratto di appalto pubblico");
}

// The excerpts are made without the engine: they must mark what the engine matched.
void SearchIndex::excerpts() {
    QFETCH(QString, testo);
    QFETCH(QStringList, campi);
    QFETCH(QString, estratto);
    const Interrogazione q = InterpretaRicerca(testo);
    QVERIFY(q.valida());
    QString e = Estrattore(q.termini).estratto(campi);
    e.replace(QChar(kInizioEvidenza), u'[').replace(QChar(kFineEvidenza), u']');
    QCOMPARE(e, estratto);
}

void SearchIndex::aDamagedIndexIsFilledAgainBeforeTheAnswer_data() {
    QTest::addColumn<QString>("danno");
    QTest::newRow("testi della ricerca") << QStringLiteral("testi");
    QTest::newRow("chiavi dei doppioni") << QStringLiteral("doppioni");
    QTest::newRow("testi conservati per gli estratti") << QStringLiteral("contenuti");
}

// Damage found by the query itself: the index is made again, filled from the archives, and the
// answer is the archives' (never "0 documenti trovati" from an empty index).
void SearchIndex::aDamagedIndexIsFilledAgainBeforeTheAnswer() {
    QFETCH(QString, danno);
    DueArchivi d;
    QCOMPARE(d.cerca(QStringLiteral("contratto")).esito.totale, 2);
    DocProva copia;
    copia.numero = 9;
    copia.titolo = QStringLiteral("Il contratto preliminare e la responsabilità contrattuale");
    scriviDocumentoProva(d.a, copia);
    const qsizetype coppie = d.servizio->doppioni(std::nullopt, nullptr).coppie.size();
    QVERIFY(coppie > 0);
    const QString indice = d.servizio->indice().percorso();
    d.servizio->indice().chiudi();
    if (danno == u"testi") {
        scriviConSqlite(
            indice, "update testi_data set block = x'ffffffffffffffff' || substr(block, 9) where id > 10");
    } else if (danno == u"contenuti") {
        scriviConSqlite(indice, "update contenuti set campi = x'ffffff7f' || substr(campi, 5)");
    } else {
        // The pages of the index the duplicates read, overwritten.
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(indice.toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, "select rootpage from sqlite_schema where name = 'ixDocumentiTitolo'", -1, &s,
                           nullptr);
        QCOMPARE(sqlite3_step(s), SQLITE_ROW);
        const qint64 pagina = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
        sqlite3_close(db);
        QFile f(indice);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.seek((pagina - 1) * 4096));
        f.write(QByteArray(4096, '\xff'));
    }
    EsitoRicercaCompleta r;
    EsitoDoppioni c;
    try {
        r = d.cerca(QStringLiteral("contratto"));
        c = d.servizio->doppioni(std::nullopt, nullptr);
    } catch (const DbError& e) {
        QFAIL(qPrintable(QStringLiteral("%1 (%2)").arg(e.description()).arg(e.number())));
    }
    QCOMPARE(r.esito.totale, 3);
    QCOMPARE(c.coppie.size(), coppie);
    const QString avvisi = (r.avvisi + c.avvisi).join(u'\n');
    QVERIFY2(avvisi.contains(QStringLiteral("era danneggiato")), qPrintable(avvisi));
}

void SearchIndex::foreignFilesAreNeverDeleted() {
    DueArchivi d;
    const QString indice = d.servizio->indice().percorso();
    // Two foreign files, one after the other, under the index's name: both kept, under numbered names.
    for (const char* nome : {"primo", "secondo"}) {
        d.servizio->indice().chiudi();
        QFile::remove(indice);
        scriviConSqlite(
            indice,
            QStringLiteral("create table %1 (x)").arg(QString::fromLatin1(nome)).toUtf8().constData());
        QCOMPARE(d.cerca(QStringLiteral("contratto")).esito.totale, 2);
    }
    for (const auto& [file, tabella] : {std::pair{QStringLiteral(".estraneo"), "primo"},
                                        std::pair{QStringLiteral(".estraneo.2"), "secondo"}}) {
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open((indice + file).toUtf8().constData(), &db), SQLITE_OK);
        QCOMPARE(
            sqlite3_exec(db, (QByteArray("select * from ") + tabella).constData(), nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
    }
}

// An index is made of the archives of mdb/ by their names: the home moved elsewhere (or copied with
// its files' dates) reads nothing again and opens its own archives.
void SearchIndex::aHomeMovedElsewhereKeepsItsIndex() {
    DueArchivi d;
    QCOMPARE(d.cerca(QStringLiteral("contratto")).esito.totale, 2);
    d.servizio->indice().chiudi();
    TestHome altrove;
    for (const QString& nome : QDir(d.t.home().mdbDir()).entryList(QDir::Files)) {
        QFile::remove(altrove.home().mdbPath(nome));
        QVERIFY(QFile::copy(d.t.home().mdbPath(nome), altrove.home().mdbPath(nome)));
        QFile copia(altrove.home().mdbPath(nome));
        QVERIFY(copia.open(QIODevice::ReadWrite));
        QVERIFY(copia.setFileTime(QFileInfo(d.t.home().mdbPath(nome)).lastModified(),
                                  QFileDevice::FileModificationTime));
    }
    const QString originale = d.t.home().mdbDir();
    QVERIFY(QDir(originale).removeRecursively());
    ServizioRicerca& s = ServizioRicerca::di(altrove.state());
    const PreparazioneRicerca p = s.prepara({}, nullptr);
    for (const VoceAggiornamento& v : p.voci)
        QCOMPARE(v.esito, VoceAggiornamento::Esito::Invariato);
    const EsitoRicercaCompleta r = s.cerca(QStringLiteral("contratto"), {}, 10, nullptr);
    QCOMPARE(r.esito.totale, 2);
    for (const RisultatoRicerca& x : r.esito.risultati)
        QVERIFY2(x.percorso.startsWith(altrove.home().mdbDir()), qPrintable(x.percorso));
    QCOMPARE(s.indice().db().scalar("select count(*) from archivi"), 2);
}

// The index made read-only: the operator reads that the index (not an archive) cannot be written;
// once it can, the next search works, although the failed try left its files read-only too.
void SearchIndex::aReadOnlyIndexIsNamedAndRecovers() {
    DueArchivi d;
    QCOMPARE(d.cerca(QStringLiteral("contratto")).esito.totale, 2);
    d.servizio->indice().chiudi();
    DocProva nuovo;
    nuovo.numero = 3;
    nuovo.titolo = QStringLiteral("Il contratto autonomo di garanzia");
    scriviDocumentoProva(d.b, nuovo);
    const QString indice = d.servizio->indice().percorso();
    const auto permessi = QFile::permissions(indice);
    const auto prova = [&](bool solaLettura) -> QString {
        // Whoever runs the tests as root writes any file: the search then runs as an ordinary user.
        return eseguiComeUtente(d.t.root(), [&] {
            if (solaLettura)
                QFile::setPermissions(indice, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                  QFileDevice::ReadOther);
            else
                QFile::setPermissions(indice, permessi);
            try {
                const EsitoRicercaCompleta r = d.cerca(QStringLiteral("contratto"));
                return QStringLiteral("trovati %1").arg(r.esito.totale);
            } catch (const DbError& e) {
                return MessaggioErroreIndice(QStringLiteral("La ricerca non è stata eseguita."), e, indice);
            }
        });
    };
    const QString errore = prova(true);
    QVERIFY2(errore.contains(QStringLiteral("L'indice di ricerca")) &&
                 errore.contains(QStringLiteral("indice ricerca.db")) &&
                 !errore.contains(QStringLiteral("L'archivio")),
             qPrintable(errore));
    QCOMPARE(prova(false), QStringLiteral("trovati 3"));
}

void SearchIndex::aSearchStopsWhenCancelled() {
    DueArchivi d;
    std::atomic<bool> annullata{false};
    // Annulla pressed while the search is on its way.
    d.servizio->primaDiCercare = [&] { annullata = true; };
    bool interrotta = false;
    try {
        d.servizio->cerca(QStringLiteral("contratto"), {}, 10, nullptr, -1, &annullata);
    } catch (const DbError& e) {
        interrotta = (e.number() & 0xFF) == SQLITE_INTERRUPT;
    }
    QVERIFY(interrotta);
    // Nothing half done: the next search reads every archive and finds what is there.
    d.servizio->primaDiCercare = nullptr;
    QCOMPARE(d.cerca(QStringLiteral("contratto")).esito.totale, 2);
}

// Annulla while an archive is being indexed, after its first block: what was written is taken back,
// the words met in it too, so that the next indexing records them all and every form of a stem is
// found as in an index made in one go.
void SearchIndex::anIndexingCancelledLeavesNoWordOut() {
    TestHome t;
    const QString archivio = t.home().mdbPath(QStringLiteral("GEN.db"));
    GeneraArchivio(t.state(), archivio, OpzioniGeneratore{1200, 31});
    struct AnnullaDopoIlPrimo : Progress {
        std::atomic<bool> annullata{false};
        void setRange(qint64) override {}
        void setValue(qint64 fatti) override { annullata = annullata || fatti > 0; }
        void setLabel(const QString&) override {}
    } progresso;
    IndiceRicerca interrotto(QDir(t.root()).filePath(QStringLiteral("interrotto.db")));
    interrotto.apri();
    interrotto.impostaAnnullamento(&progresso.annullata);
    bool fermato = false;
    try {
        interrotto.aggiorna({archivio}, &progresso);
    } catch (const DbError& e) {
        fermato = (e.number() & 0xFF) == SQLITE_INTERRUPT;
    }
    QVERIFY(fermato);
    QCOMPARE(interrotto.db().scalar("select count(*) from parole"), 0);
    interrotto.impostaAnnullamento(nullptr);
    QCOMPARE(interrotto.aggiorna({archivio}, nullptr).first().nuovi, 1200);
    IndiceRicerca intero(QDir(t.root()).filePath(QStringLiteral("intero.db")));
    intero.apri();
    intero.aggiorna({archivio}, nullptr);
    QVERIFY(intero.db().scalar("select count(*) from parole") > 100);
    QCOMPARE(interrotto.db().scalar("select count(*) from parole"),
             intero.db().scalar("select count(*) from parole"));
    for (const char* testo :
         {"contratti", "assicurazione", "sentenze amministrative", "\"danno non patrimoniale\""}) {
        const Interrogazione q = InterpretaRicerca(QString::fromUtf8(testo));
        const EsitoRicerca a = interrotto.cerca(q, std::nullopt, 5000, 0);
        const EsitoRicerca b = intero.cerca(q, std::nullopt, 5000, 0);
        QVERIFY2(a.totale > 0, testo);
        QCOMPARE(a.totale, b.totale);
    }
}

namespace {

std::vector<TokenPreparati> campiDi(const QStringList& testi) {
    std::vector<TokenPreparati> campi(kCampiIndice);
    for (qsizetype i = 0; i < testi.size() && i < kCampiIndice; ++i) {
        const QByteArray b = testi.at(i).toUtf8();
        campi[static_cast<size_t>(i)].testo.assign(b.constData(), static_cast<size_t>(b.size()));
    }
    return campi;
}

} // namespace

// The fields the index keeps for the excerpts, compressed against its dictionary, are read back as
// they were written, whatever they hold and whatever the dictionary.
void SearchIndex::keptFieldsComeBackWhole_data() {
    QTest::addColumn<QStringList>("campi");
    QTest::addColumn<QString>("dizionario");
    const QString titolo = QString(QChar(kSegnoTitolo)) + QStringLiteral("Il contratto di appalto");
    QTest::newRow("vuoti") << QStringList{} << QString();
    QTest::newRow("senza dizionario") << QStringList{titolo, QStringLiteral("Rossi Mario")} << QString();
    QTest::newRow("con il dizionario dei testi")
        << QStringList{titolo, QStringLiteral("Rossi Mario"), QStringLiteral("art. 1655 c.c.")}
        << QStringLiteral("Il contratto di appalto e la responsabilità del committente. ").repeated(300);
    QTest::newRow("segni, accenti, emoji, a capo")
        << QStringList{QStringLiteral("«Perché» — 😀\r\n\t\\ {x}"), QString(QChar(kConfineVoci)), QString(),
                       QStringLiteral("ﬁne")}
        << QStringLiteral("😀 perché");
    QTest::newRow("testo di 100 000 caratteri")
        << QStringList{titolo, QString(), QString(), QStringLiteral("diritto ").repeated(12500)}
        << QStringLiteral("diritto civile");
}

void SearchIndex::keptFieldsComeBackWhole() {
    QFETCH(QStringList, campi);
    QFETCH(QString, dizionario);
    const std::vector<TokenPreparati> scritti = campiDi(campi);
    const QByteArray d = dizionario.toUtf8().right(kDizionarioMassimo);
    const std::optional<QList<QByteArray>> letti = DecomprimiCampi(ComprimiCampi(scritti, d), d);
    QVERIFY(letti.has_value());
    QCOMPARE(letti->size(), kCampiIndice);
    for (int c = 0; c < kCampiIndice; ++c)
        QCOMPARE(letti->at(c).toStdString(), scritti[static_cast<size_t>(c)].testo);
}

// What is kept damaged (a broken page, another program's write) is told as such, never read past
// its end nor taken for text, at every length.
void SearchIndex::damagedKeptFieldsAreNeverRead_data() {
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("dizionarioDiverso");
    const QByteArray d = QByteArrayLiteral("il contratto di appalto e la responsabilità ");
    const QByteArray buono =
        ComprimiCampi(campiDi({QStringLiteral("Il contratto di appalto e la responsabilità del committente"),
                               QStringLiteral("Rossi Mario"), QStringLiteral("diritto ").repeated(200)}),
                      d);
    QTest::newRow("vuoto") << QByteArray() << false;
    QTest::newRow("tre byte") << buono.left(3) << false;
    QTest::newRow("troncato a metà") << buono.left(buono.size() / 2) << false;
    QTest::newRow("senza l'ultimo byte") << buono.chopped(1) << false;
    QTest::newRow("lunghezza enorme") << QByteArray("\xff\xff\xff\x7f", 4) + buono.mid(4) << false;
    QTest::newRow("lunghezza minima") << QByteArray("\x01\x00\x00\x00", 4) + buono.mid(4) << false;
    QTest::newRow("lunghezza più lunga del vero") << [&] {
        QByteArray b = buono;
        b[0] = static_cast<char>(b[0] + 7);
        return b;
    }() << false;
    QTest::newRow("byte a caso, corto") << QByteArray(16, '\x5a') << false;
    QTest::newRow("byte a caso, medio") << QByteArray(4096, '\x5a') << false;
    QTest::newRow("byte a caso, lungo") << QByteArray(1 << 20, '\x5a') << false;
    QTest::newRow("un altro dizionario") << buono << true;
}

void SearchIndex::damagedKeptFieldsAreNeverRead() {
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, dizionarioDiverso);
    const QByteArray d = dizionarioDiverso
                             ? QByteArrayLiteral("tutt'altre parole, proprio diverse, xyz")
                             : QByteArrayLiteral("il contratto di appalto e la responsabilità ");
    const std::optional<QList<QByteArray>> letti = DecomprimiCampi(contenuto, d);
    if (dizionarioDiverso && letti) {
        // Decoded against the wrong words: whatever comes out is not the text that was written.
        QVERIFY(!letti->at(0).startsWith("Il contratto di appalto e la responsabilità"));
        return;
    }
    QVERIFY(!letti.has_value());
}

// Another program's sqlite3 left the archive in write-ahead logging: read all the same (it used to be
// passed over as "disk I/O error").
void SearchIndex::anArchiveSwitchedToWalIsRead() {
    DueArchivi d;
    scriviConSqlite(d.b, "PRAGMA journal_mode = WAL");
    const EsitoRicercaCompleta r = d.cerca(QStringLiteral("preliminare"));
    QVERIFY2(r.nonLetti.isEmpty(), qPrintable(r.avvisi.join(u'\n')));
    QCOMPARE(trovati(r), insieme({QStringLiteral("CONSB/1")}));
}

QTEST_GUILESS_MAIN(SearchIndex)
// Over a large index a very broad query is counted on a sample and its first page drawn from the
// most recent of the documents with its words in the title: here 4 archives of 300 documents, with
// the sample and the thresholds scaled down to them.
void SearchIndex::veryBroadQueries_data() {
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("archivio"); // empty: all
    QTest::addColumn<bool>("stimato");
    QTest::addColumn<bool>("recenti");
    QTest::newRow("in nearly every title") << QStringLiteral("del la") << QString() << true << true;
    QTest::newRow("in one archive") << QStringLiteral("del la") << QStringLiteral("GEN2") << false << false;
    QTest::newRow("start of a word") << QStringLiteral("del* la") << QString() << true << false;
    QTest::newRow("common, rarely in titles") << QStringLiteral("sentenza") << QString() << true << false;
    QTest::newRow("rare") << QStringLiteral("Schrems") << QString() << false << false;
}

void SearchIndex::veryBroadQueries() {
    QFETCH(QString, testo);
    QFETCH(QString, archivio);
    QFETCH(bool, stimato);
    QFETCH(bool, recenti);
    TestHome t;
    for (int i = 1; i <= 4; ++i)
        GeneraArchivio(t.state(), t.home().mdbPath(QStringLiteral("GEN%1.db").arg(i)),
                       OpzioniGeneratore{300, static_cast<quint32>(i) * 7919u});
    ServizioRicerca& servizio = ServizioRicerca::di(t.state());
    const AmbitoRicerca ambito =
        archivio.isEmpty()
            ? AmbitoRicerca{}
            : AmbitoRicerca{TipoAmbito::Archivio, t.home().mdbPath(archivio + QStringLiteral(".db")), {}};
    constexpr int kLimite = 20;
    IndiceRicerca::Campionamento esatto{200, 50, 20, 1 << 30, 1 << 30};
    servizio.indice().impostaCampionamento(esatto);
    const EsitoRicercaCompleta tutti = servizio.cerca(testo, ambito, 100000, nullptr, 0);
    QVERIFY(!tutti.esito.stimato && !tutti.esito.recenti);
    IndiceRicerca::Campionamento ridotto = esatto;
    ridotto.stimaOltre = 500;
    ridotto.recentiOltre = 300;
    servizio.indice().impostaCampionamento(ridotto);
    const EsitoRicercaCompleta r = servizio.cerca(testo, ambito, kLimite, nullptr, 0);
    QCOMPARE(r.esito.stimato, stimato);
    QCOMPARE(r.esito.recenti, recenti);
    const qint64 esatti = tutti.esito.totale;
    if (stimato) {
        // Near the count, to three figures.
        QVERIFY2(std::abs(r.esito.totale - esatti) <= esatti / 10,
                 qPrintable(QStringLiteral("%1 for %2").arg(r.esito.totale).arg(esatti)));
        QCOMPARE(r.esito.totale % 10, 0);
    } else {
        QCOMPARE(r.esito.totale, esatti);
    }
    QCOMPARE(r.esito.risultati.size(), std::min<qsizetype>(kLimite, esatti));
    QSet<qint64> trovati;
    for (const RisultatoRicerca& x : r.esito.risultati)
        trovati.insert(x.id);
    QSet<qint64> attesi;
    if (recenti) {
        // The last rows with every word in the title, best first among themselves.
        IndexStatement s = servizio.indice().db().prepare(
            "select rowid from testi where testi match ? order by rowid desc limit ?");
        s.bind(1, EspressioneNeiTitoli(InterpretaRicerca(testo))).bind(2, kLimite);
        while (s.step())
            attesi.insert(s.integer(0));
        for (qsizetype i = 1; i < r.esito.risultati.size(); ++i)
            QVERIFY(r.esito.risultati.at(i - 1).punteggio >= r.esito.risultati.at(i).punteggio);
    } else {
        for (qsizetype i = 0; i < kLimite && i < tutti.esito.risultati.size(); ++i)
            attesi.insert(tutti.esito.risultati.at(i).id);
    }
    QCOMPARE(trovati, attesi);
}

#include "tst_search_index.moc"
