// The save and load of whole documents through the core, without the window.

#include "classification/mdlClasse.h"
#include "documents/EditorFixture.h"
#include "documents/Responsabilita.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"
#include "store/mdlGlobale.h"

#include <QtTest>

using namespace editor_test;

namespace {

VoceResponsabilita persona(const QString& primo, const QString& secondo, bool autore = true) {
    VoceResponsabilita v;
    v.PrimoElemento = primo;
    v.SecondoElemento = secondo;
    v.FlagAutore = autore;
    return v;
}

VoceClassificazione coppia(const QString& s, const QString& d, int controllo) {
    VoceClassificazione v;
    v.CodiceS = s;
    v.CodiceD = d;
    v.Controllo = controllo;
    return v;
}

VoceFonte cassazione(const QString& citta) {
    VoceFonte v;
    v.TP = "GIO";
    v.NomeFonte = "Trib.";
    v.Citta = citta;
    v.Sezione = "sez. I";
    v.giorno = "3";
    v.mese = "maggio";
    v.anno = "2019";
    v.numero = "4567";
    v.Ordinanza = true;
    v.testo = "ord. Trib. " + citta + " sez. I 3 maggio 2019, n. 4567";
    return v;
}

// A document with something in every field, list and text.
void riempi(DocumentBuffer& b, DatiDocumento& d) {
    d.txtNota = "Nota a Cass. 1 gennaio 2020, n. 1";
    b.ElencoResponsabilita = {persona("D'Amico", "Luca"), persona("Rossi \"il giovane\"", ""),
                              persona("Bianchi", "Anna", false)};
    b.ElencoClassificazione = {coppia("T1.1", "TD001", 0), coppia("T1.1", "TD003", 1), coppia("T1.2", "", 0),
                               coppia("T1.1", "AT001", 2)};
    VoceFonte gdpr;
    gdpr.TP = "NIC";
    gdpr.NomeFonte = "Reg. UE";
    gdpr.articolo = "6";
    gdpr.anno = "2016";
    gdpr.numero = "679";
    gdpr.testo = "art. 6 Reg. UE 2016/679";
    b.ElencoFonti = {leggeDel1990("241", "3"), cassazione("Borgo di Prova"), gdpr};
    b.TestoRiassunto = "Riassunto con \"virgolette\" e 'apici'.";
    b.TestoSommario = "1. Premessa. - 2. Conclusioni.";
    b.TestoTraduzione = "Title translation";
    b.TestoNotaDoc = "Proposta di descrittore";
    b.TestoInTemaDi = "responsabilità - danno";
    b.TestoEnglishAbstract = "An abstract.";
}

struct Letto {
    DocumentBuffer b;
    DatiDocumento d;
    EsitoCaricamento esito;
};

Letto leggi(TestHome& t, const Archivio& a, qint64 id) {
    Letto l;
    l.b.IDDocCorrente = id;
    PreparaDati(l.d, a.liste);
    l.d.txtID = QString::number(id);
    l.esito = CaricaDocumento(t.state().Connessione, t.state().Mesi, a.liste, l.b, l.d);
    return l;
}

} // namespace

class DocumentSave : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTripOfEveryField() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        riempi(b, d);
        const RisultatoSalvataggio r = ScriviDocumento(a.c(), b, d);
        QVERIFY2(r.salvato(), qPrintable(r.messaggio));
        QVERIFY(!b.NuovoDocumento);

        const Letto l = leggi(t, a, 1);
        QVERIFY2(l.esito.caricato, qPrintable(l.esito.errore));
        QVERIFY(l.esito.avvisi.isEmpty());
        DatiDocumento atteso = d;
        atteso.txtRivistaOnline = "Rivista di prova";
        atteso.lstResponsabilita =
            QStringList{"A - D'Amico, Luca", "A - Rossi \"il giovane\", ", "C - Bianchi, Anna"};
        atteso.lstClassificazione =
            QStringList{"0 - T1.1; TD001", "1 - T1.1; TD003", "0 - T1.2; ", "2 - T1.1; AT001"};
        atteso.lstFonte = QStringList{"art. 3 l. 7 agosto 1990, n. 241",
                                      "ord. Trib. Borgo di Prova sez. I 3 maggio 2019, n. 4567",
                                      "art. 6 Reg. UE 2016/679*NIC*"};
        QCOMPARE(l.d, atteso);
        QCOMPARE(l.b.TestoRiassunto, b.TestoRiassunto);
        QCOMPARE(l.b.TestoSommario, b.TestoSommario);
        QCOMPARE(l.b.TestoTraduzione, b.TestoTraduzione);
        QCOMPARE(l.b.TestoNotaDoc, b.TestoNotaDoc);
        QCOMPARE(l.b.TestoInTemaDi, b.TestoInTemaDi);
        QCOMPARE(l.b.TestoEnglishAbstract, b.TestoEnglishAbstract);
        QCOMPARE(l.b.ElencoResponsabilita.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(l.b.ElencoResponsabilita[i].PrimoElemento, b.ElencoResponsabilita[i].PrimoElemento);
            QCOMPARE(l.b.ElencoResponsabilita[i].SecondoElemento, b.ElencoResponsabilita[i].SecondoElemento);
            QCOMPARE(l.b.ElencoResponsabilita[i].FlagAutore, b.ElencoResponsabilita[i].FlagAutore);
        }
        QCOMPARE(l.b.ElencoClassificazione, b.ElencoClassificazione);
        QCOMPARE(l.b.ElencoFonti.size(), 3);
        for (int i = 0; i < 3; ++i) {
            VoceFonte atteso = b.ElencoFonti[i];
            atteso.IDFonte = l.b.ElencoFonti[i].IDFonte;
            QCOMPARE(l.b.ElencoFonti[i], atteso);
        }
        QVERIFY(!l.b.NuovoDocumento);

        // Saved again unchanged, the document's rows stay as they were (texts get new numbers, the
        // row the save's version).
        const QString riga = "select IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL "
                             "from tabDocumento";
        const QStringList prima = righe(a.c(), riga);
        const qint64 fonti = conta(a.c(), "select count(*) from tabFonte");
        DocumentBuffer b2 = l.b;
        QVERIFY(ScriviDocumento(a.c(), b2, l.d).salvato());
        QCOMPARE(righe(a.c(), riga), prima);
        QCOMPARE(conta(a.c(), "select count(*) from tabFonte"), fonti);
        QCOMPARE(conta(a.c(), "select count(*) from tabResponsabilita"), 3);
        QCOMPARE(conta(a.c(), "select count(*) from tabTesto"), 8);
        QCOMPARE(leggi(t, a, 1).d, atteso);
    }

    void storedRowsAreThoseOfTheSystem() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        riempi(b, d);
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(
            righe(a.c(),
                  "select IDDocumento, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, DocURL from tabDocumento"),
            QStringList{"1|10-25|500|1|01|00|00|00|00|https://example.org/a?b=1&c=2"});
        QCOMPARE(righe(a.c(), "select IDRivistaOnline, Data, Fascicolo, Volume, Annata from tabRifBibl"),
                 QStringList{"TST1|2020-03-12|3|12|2020"});
        QCOMPARE(righe(a.c(), "select FlagAutore from legameDocResp order by rowid"),
                 QStringList({"-1", "-1", "0"}));
        QCOMPARE(righe(a.c(), "select Tipo from legameDocTesto order by Tipo"),
                 QStringList({"0", "1", "2", "3", "4", "5", "7", "8"}));
        QCOMPARE(
            righe(
                a.c(),
                "select TP, mese, Ordinanza <> 0, IDCitta > 0, IDSezione > 0 from tabFonte order by IDFonte"),
            QStringList({"LIO|8|0|0|0", "GIO|5|1|1|1", "NIC|0|0|0|0"}));
        QCOMPARE(righe(a.c(), "select Citta, Nuovo from tabCitta where Citta = 'borgo di prova'"),
                 QStringList{"Borgo di Prova|1"});
    }

    void dates_data() {
        QTest::addColumn<QString>("anno");
        QTest::addColumn<int>("mese");
        QTest::addColumn<int>("giorno");
        QTest::addColumn<QString>("data");
        QTest::newRow("full") << "2020" << 3 << 12 << "2020-03-12";
        QTest::newRow("year and month") << "2005" << 11 << 0 << "2005-11-00";
        QTest::newRow("year only") << "2005" << 0 << 0 << "2005-00";
        QTest::newRow("year only, day ignored") << "2005" << 0 << 9 << "2005-00";
        QTest::newRow("nothing") << "" << 0 << 0 << "0000-00-00";
        QTest::newRow("month without year") << "" << 4 << 2 << "0000-00-00";
    }
    void dates() {
        QFETCH(QString, anno);
        QFETCH(int, mese);
        QFETCH(int, giorno);
        QFETCH(QString, data);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        seleziona(d.cmbAA, a.liste.cmbAA, anno.isEmpty() ? 0 : Archivio::pos(a.liste.cmbAA, anno));
        seleziona(d.cmbMM, a.liste.cmbMM, mese);
        seleziona(d.cmbGG, a.liste.cmbGG, giorno);
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(righe(a.c(), "select Data from tabRifBibl"), QStringList{data});
        const Letto l = leggi(t, a, 1);
        QCOMPARE(l.d.cmbAA.testo, anno.isEmpty() ? QString("Anno") : anno);
        QCOMPARE(l.d.cmbMM.posizione, anno.isEmpty() ? 0 : mese);
        QCOMPARE(l.d.cmbGG.posizione, anno.isEmpty() || mese == 0 ? 0 : giorno);
    }

    void sameIssueSharesItsReference_data() {
        QTest::addColumn<QString>("fascicolo");
        QTest::addColumn<QString>("volume");
        QTest::addColumn<QString>("annata");
        QTest::addColumn<bool>("stessa");
        QTest::newRow("identical") << "3"
                                   << "12"
                                   << "2020" << true;
        QTest::newRow("other issue") << "4"
                                     << "12"
                                     << "2020" << false;
        QTest::newRow("empty volume") << "3"
                                      << ""
                                      << "2020" << false;
        QTest::newRow("quote in issue") << "3\"bis"
                                        << "12"
                                        << "2020" << false;
    }
    void sameIssueSharesItsReference() {
        QFETCH(QString, fascicolo);
        QFETCH(QString, volume);
        QFETCH(QString, annata);
        QFETCH(bool, stessa);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b1 = Archivio::nuovo(1);
        QVERIFY(ScriviDocumento(a.c(), b1, a.dati(1)).salvato());
        DocumentBuffer b2 = Archivio::nuovo(2);
        DatiDocumento d2 = a.dati(2);
        d2.txtFascicolo = fascicolo;
        d2.txtVolume = volume;
        d2.txtAnnata = annata;
        QVERIFY(ScriviDocumento(a.c(), b2, d2).salvato());
        QCOMPARE(conta(a.c(), "select count(*) from tabRifBibl"), stessa ? 1 : 2);
        QCOMPARE(conta(a.c(), "select count(distinct IDRifBibl) from tabDocumento"), stessa ? 1 : 2);
        QCOMPARE(leggi(t, a, 2).d.txtFascicolo, fascicolo);
    }

    void emptyFieldsMatchNullAndEmptyReferences() {
        TestHome t;
        Archivio a(t);
        // References made elsewhere: one with Null columns, one with empty ones.
        a.c().EseguiIstruzione(
            "insert into tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) "
            "values (40, 'TST1', '2020-03-12', null, null, null)");
        a.c().EseguiIstruzione(
            "insert into tabRifBibl (IDRifBibl, IDRivistaOnline, Data, Fascicolo, Volume, Annata) "
            "values (41, 'TST2', '2020-03-12', '', '', '')");
        for (const char* rivista : {"TST1", "TST2"}) {
            DocumentBuffer b = Archivio::nuovo(1);
            DatiDocumento d = a.dati(ProssimoIDDocumento(a.c()));
            seleziona(d.cmbCPer, a.liste.cmbCPer, Archivio::pos(a.liste.cmbCPer, rivista));
            d.txtFascicolo.clear();
            d.txtVolume.clear();
            d.txtAnnata.clear();
            QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        }
        QCOMPARE(conta(a.c(), "select count(*) from tabRifBibl"), 2);
        QCOMPARE(righe(a.c(), "select IDRifBibl from tabDocumento order by IDDocumento"),
                 QStringList({"40", "41"}));
        QCOMPARE(leggi(t, a, 1).d.txtFascicolo, QString());
    }

    void textsAreCleanedAndEmptiedTextsDeleted() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        d.txtTitolo = "Primo\tcapoverso\r\nsecondo\ncapoverso";
        b.TestoRiassunto = "Uno\r\n\r\nDue\tcon \"virgolette\"";
        b.TestoTraduzione = "\t\r\n"; // nothing left once cleaned
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(righe(a.c(), "select Testo from tabTesto, legameDocTesto where tabTesto.IDTesto = "
                              "legameDocTesto.IDTesto order by Tipo"),
                 QStringList({"Primocapoversosecondocapoverso", "UnoDuecon \"virgolette\""}));

        b.TestoRiassunto.clear();
        d.txtTitolo.clear();
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(conta(a.c(), "select count(*) from legameDocTesto"), 0);
        QCOMPARE(conta(a.c(), "select count(*) from tabTesto"), 0);
    }

    // Archives of other tools may link one text row to several documents or kinds: replacing it for
    // one of them keeps it for the others.
    void aSharedTextStaysForItsOtherLinks() {
        TestHome t;
        Archivio a(t);
        for (qint64 id : {1, 2}) {
            DocumentBuffer b = Archivio::nuovo(id);
            DatiDocumento d = a.dati(id);
            d.txtTitolo = QStringLiteral("Titolo comune");
            QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        }
        a.c().EseguiIstruzione("update legameDocTesto set IDTesto = (select min(IDTesto) from tabTesto)");
        a.c().EseguiIstruzione("insert into legameDocTesto (IDDoc, IDTesto, Tipo) select 1, IDTesto, '3' "
                               "from legameDocTesto where IDDoc = 1");
        a.c().EseguiIstruzione("delete from tabTesto where IDTesto <> (select min(IDTesto) from tabTesto)");
        DocumentBuffer b;
        b.IDDocCorrente = 1;
        DatiDocumento d;
        PreparaDati(d, a.liste);
        d.txtID = "1";
        QVERIFY(CaricaDocumento(a.c(), t.state().Mesi, a.liste, b, d).caricato);
        QCOMPARE(b.TestoTraduzione, QString("Titolo comune"));
        d.txtTitolo = QStringLiteral("Titolo nuovo");
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(righe(a.c(), "select IDDoc || ' ' || Tipo || ' ' || Testo from legameDocTesto l, tabTesto t "
                              "where l.IDTesto = t.IDTesto order by 1"),
                 QStringList({"1 0 Titolo nuovo", "1 3 Titolo comune", "2 0 Titolo comune"}));
        QCOMPARE(conta(a.c(), "select count(*) from legameDocTesto where IDTesto not in (select IDTesto from "
                              "tabTesto)"),
                 0);
    }

    void deletedEntriesAreSkipped() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        riempi(b, d);
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());

        b.ElencoResponsabilita[1].Cancellata = true;
        b.ElencoFonti[0].Cancellata = true;
        b.ElencoFonti[1].Cancellata = true;
        for (VoceClassificazione& v : b.ElencoClassificazione)
            v.Cancellata = true;
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(conta(a.c(), "select count(*) from legameDocResp"), 2);
        QCOMPARE(conta(a.c(), "select count(*) from legameDocFonte"), 1);
        QCOMPARE(conta(a.c(), "select count(*) from legameDocClass"), 0);
        // The rows shared by the archive stay.
        QCOMPARE(conta(a.c(), "select count(*) from tabFonte"), 3);
        QCOMPARE(conta(a.c(), "select count(*) from tabResponsabilita"), 3);
        const Letto l = leggi(t, a, 1);
        QCOMPARE(l.d.lstFonte, QStringList{"art. 6 Reg. UE 2016/679*NIC*"});
        QVERIFY(l.d.lstClassificazione.isEmpty());
    }

    void personsAndSourcesAreShared() {
        TestHome t;
        Archivio a(t);
        for (qint64 id = 1; id <= 3; ++id) {
            DocumentBuffer b = Archivio::nuovo(id);
            b.ElencoResponsabilita = {persona("D'Amico", "Luca"), persona("D'Amico", "Luca", false)};
            // The same source twice in one document and in every document.
            b.ElencoFonti = {leggeDel1990("241", "3"), leggeDel1990("241", "3"), leggeDel1990("241")};
            QVERIFY(ScriviDocumento(a.c(), b, a.dati(id)).salvato());
        }
        QCOMPARE(conta(a.c(), "select count(*) from tabResponsabilita"), 1);
        QCOMPARE(conta(a.c(), "select count(*) from tabFonte"), 2);
        QCOMPARE(conta(a.c(), "select count(*) from legameDocFonte"), 9);
        // A body stored elsewhere without given name (Null) is found by its name alone.
        a.c().EseguiIstruzione(
            "insert into tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) "
            "values (70, 'Osservatorio', null)");
        DocumentBuffer b = Archivio::nuovo(4);
        b.ElencoResponsabilita = {persona("Osservatorio", "")};
        QVERIFY(ScriviDocumento(a.c(), b, a.dati(4)).salvato());
        QCOMPARE(conta(a.c(), "select IDResponsabilita from legameDocResp where IDDoc = 4"), 70);
        QCOMPARE(conta(a.c(), "select count(*) from tabResponsabilita"), 2);
        // And one stored without surname by its given name alone.
        a.c().EseguiIstruzione(
            "insert into tabResponsabilita (IDResponsabilita, PrimoElemento, SecondoElemento) "
            "values (71, null, 'Anonimo')");
        DocumentBuffer c = Archivio::nuovo(5);
        c.ElencoResponsabilita = {persona("", "Anonimo")};
        QVERIFY(ScriviDocumento(a.c(), c, a.dati(5)).salvato());
        QCOMPARE(conta(a.c(), "select IDResponsabilita from legameDocResp where IDDoc = 5"), 71);
        QCOMPARE(conta(a.c(), "select count(*) from tabResponsabilita"), 3);
    }

    void newSavedTwiceInsertsThenUpdates() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        b.ElencoResponsabilita = {persona("Rossi", "Mario")};
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        d.txtPagine = "99";
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(righe(a.c(), "select IDDocumento, Pagine from tabDocumento"), QStringList{"1|99"});
        QCOMPARE(conta(a.c(), "select count(*) from legameDocResp"), 1);
        QCOMPARE(conta(a.c(), "select count(*) from legameDocTesto"), 1);
    }

    void newDocumentTakesTheNumberShown() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(7);
        DatiDocumento d = a.dati(7);
        riempi(b, d);
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(righe(a.c(), "select IDDocumento from tabDocumento"), QStringList{"7"});
        for (const char* table : {"legameDocResp", "legameDocTesto", "legameDocClass", "legameDocFonte"})
            QCOMPARE(righe(a.c(), QString("select distinct IDDoc from %1").arg(table)), QStringList{"7"});
        QCOMPARE(ProssimoIDDocumento(a.c()), 8);
    }

    void newNumberDoesNotInheritLeftOverRows() {
        TestHome t;
        Archivio a(t);
        // Rows left by a document deleted elsewhere under the number the new one gets.
        a.c().EseguiIstruzione(
            "insert into legameDocResp (IDDoc, IDResponsabilita, FlagAutore) values (1, 99, -1)");
        a.c().EseguiIstruzione(
            "insert into legameDocClass (IDDoc, CodiceS, CodiceD, Controllo) values (1, 'X', 'Y', 1)");
        a.c().EseguiIstruzione("insert into tabTesto (IDTesto, Testo) values (50, 'vecchio')");
        a.c().EseguiIstruzione("insert into legameDocTesto (IDDoc, IDTesto, Tipo) values (1, 50, '1')");
        DocumentBuffer b = Archivio::nuovo(1);
        QVERIFY(ScriviDocumento(a.c(), b, a.dati(1)).salvato());
        const Letto l = leggi(t, a, 1);
        QCOMPARE(conta(a.c(), "select count(*) from legameDocResp"), 0);
        QVERIFY(l.d.lstClassificazione.isEmpty());
        QVERIFY(l.b.TestoRiassunto.isEmpty());
        QCOMPARE(conta(a.c(), "select count(*) from tabTesto where IDTesto = 50"), 0);
    }

    void duplicateStoresACopy() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        riempi(b, d);
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        // Duplica: new mode, the next number, the same content.
        b.NuovoDocumento = true;
        b.IDDocCorrente = ProssimoIDDocumento(a.c());
        d.txtID = QString::number(b.IDDocCorrente);
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(conta(a.c(), "select count(*) from tabDocumento"), 2);
        QCOMPARE(conta(a.c(), "select count(*) from tabRifBibl"), 1);
        QCOMPARE(conta(a.c(), "select count(*) from tabTesto"), 16);
        const Letto uno = leggi(t, a, 1), due = leggi(t, a, 2);
        DatiDocumento atteso = uno.d;
        atteso.txtID = "2";
        QCOMPARE(due.d, atteso);
        QCOMPARE(due.b.TestoEnglishAbstract, uno.b.TestoEnglishAbstract);
    }

    void loadedDocumentIsUpdatedNotCopied() {
        TestHome t;
        Archivio a(t);
        for (qint64 id = 1; id <= 2; ++id) {
            DocumentBuffer b = Archivio::nuovo(id);
            QVERIFY(ScriviDocumento(a.c(), b, a.dati(id)).salvato());
        }
        // A new document is being typed, then the operator navigates to document 1 and saves.
        DocumentBuffer b = Archivio::nuovo(3);
        DatiDocumento d = a.dati(3);
        const std::optional<qint64> n = DocumentoSeguente(a.c(), d.txtID);
        QCOMPARE(n, std::optional<qint64>(1));
        b.IDDocCorrente = *n;
        d.txtID = QString::number(*n);
        PulisciDocumento(b, d);
        QVERIFY(CaricaDocumento(a.c(), t.state().Mesi, a.liste, b, d).caricato);
        QVERIFY(!b.NuovoDocumento);
        d.txtPagine = "1-2";
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(righe(a.c(), "select IDDocumento, Pagine from tabDocumento order by 1"),
                 QStringList({"1|1-2", "2|10-25"}));
    }

    void updateOfAMissingDocumentFails() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(5);
        b.NuovoDocumento = false;
        b.ElencoResponsabilita = {persona("Rossi", "Mario")};
        const RisultatoSalvataggio r = ScriviDocumento(a.c(), b, a.dati(5));
        QCOMPARE(r.esito, EsitoSalvataggio::CancellatoAltrove);
        QCOMPARE(conta(a.c(), "select count(*) from legameDocResp"), 0);
        QCOMPARE(conta(a.c(), "select count(*) from tabRifBibl"), 0);
    }

    void refusedSavesWriteNothing_data() {
        QTest::addColumn<int>("rivista");
        QTest::addColumn<qint64>("numero");
        QTest::addColumn<int>("esito");
        QTest::newRow("no journal") << 0 << qint64(1) << int(EsitoSalvataggio::MancaRivista);
        QTest::newRow("no number given") << 1 << qint64(0) << int(EsitoSalvataggio::NumeroNonValido);
    }
    void refusedSavesWriteNothing() {
        QFETCH(int, rivista);
        QFETCH(qint64, numero);
        QFETCH(int, esito);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(numero);
        DatiDocumento d = a.dati(1);
        if (rivista == 0)
            seleziona(d.cmbCPer, a.liste.cmbCPer, 0);
        QCOMPARE(int(ScriviDocumento(a.c(), b, d).esito), esito);
        QVERIFY(b.NuovoDocumento);
        QCOMPARE(conta(a.c(), "select count(*) from tabRifBibl"), 0);
        if (esito == int(EsitoSalvataggio::MancaRivista)) {
            QVERIFY(SalvaDocumento(t.state(), b, d) == EsitoSalva::NonSalvato);
            QCOMPARE(t.dialogs().texts(), QStringList{"Immettere il codice della monografia"});
        }
    }

    // txtID is where the operator types the number F5 and F6 start from: the save writes the
    // document the buffer holds whatever is typed there.
    void typedNumberNeverRedirectsASave_data() {
        QTest::addColumn<bool>("nuovo");
        QTest::addColumn<QString>("txtID");
        QTest::addColumn<int>("esito");
        QTest::addColumn<qint64>("salvato");
        const int ok = int(EsitoSalvataggio::Salvato);
        QTest::newRow("loaded, another document's number") << false << "2" << ok << qint64(1);
        QTest::newRow("loaded, a free number") << false << "40" << ok << qint64(1);
        QTest::newRow("loaded, not a number") << false << "abc" << ok << qint64(1);
        QTest::newRow("loaded, emptied") << false << "" << ok << qint64(1);
        QTest::newRow("new, its own number") << true << "3" << ok << qint64(3);
        QTest::newRow("new, a free number") << true << "40" << ok << qint64(3);
        QTest::newRow("new, zero") << true << "0" << ok << qint64(3);
        QTest::newRow("new, another document's number")
            << true << "2 " << int(EsitoSalvataggio::NumeroOccupato) << qint64(0);
    }
    void typedNumberNeverRedirectsASave() {
        QFETCH(bool, nuovo);
        QFETCH(QString, txtID);
        QFETCH(int, esito);
        QFETCH(qint64, salvato);
        TestHome t;
        Archivio a(t);
        for (qint64 id : {1, 2}) {
            DocumentBuffer b = Archivio::nuovo(id);
            DatiDocumento d = a.dati(id);
            d.txtTitolo = QString("Titolo %1").arg(id);
            QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        }
        const QStringList prima = fotografia(a.c());
        DocumentBuffer b;
        DatiDocumento d;
        if (nuovo) {
            b = Archivio::nuovo(3);
            d = a.dati(3);
        } else {
            Letto l = leggi(t, a, 1);
            QVERIFY(l.esito.caricato);
            b = l.b;
            d = l.d;
        }
        d.txtTitolo = "Scritto ora";
        d.txtID = txtID;
        const DocumentBuffer bPrima = b;
        const RisultatoSalvataggio r = ScriviDocumento(a.c(), b, d);
        QCOMPARE(int(r.esito), esito);
        if (esito != int(EsitoSalvataggio::Salvato)) {
            // Refused: the archive and the buffer as they were, and the operator told why.
            QCOMPARE(fotografia(a.c()), prima);
            QCOMPARE(b, bPrima);
            QCOMPARE(r.messaggio,
                     QString("Il numero 2 scritto in \"ID Documento\" è di un altro documento: il documento "
                             "nuovo non è stato salvato e l'archivio non è cambiato.\n"
                             "Il numero scritto in quel campo sceglie soltanto da dove partono << e >> (F5 e "
                             "F6). Per salvare il documento nuovo, scrivere nel campo il suo numero, 3, e "
                             "salvare di nuovo."));
            QVERIFY(SalvaDocumento(t.state(), b, d) == EsitoSalva::NonSalvato);
            QCOMPARE(t.dialogs().lastText(), r.messaggio);
            QCOMPARE(t.dialogs().shown().back().icon, Icon::Warning);
            return;
        }
        QCOMPARE(r.IDDocumento, salvato);
        QCOMPARE(b.IDDocCorrente, salvato);
        QVERIFY(!b.NuovoDocumento);
        QCOMPARE(leggi(t, a, salvato).d.txtTitolo, QString("Scritto ora"));
        // The document whose number was typed is untouched, and nothing was made under it.
        QCOMPARE(leggi(t, a, 2).d.txtTitolo, QString("Titolo 2"));
        QCOMPARE(conta(a.c(), "select count(*) from tabDocumento where IDDocumento = 40"), 0);
        QCOMPARE(conta(a.c(), "select count(*) from tabDocumento"), nuovo ? 3 : 2);
    }

    // Another program saved a document under the number a new one was given meanwhile: the new
    // one takes the next free number instead of failing on it, and the operator is told.
    void newNumberTakenMeanwhile() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        d.txtTitolo = "Nostro";
        DocumentBuffer altro = Archivio::nuovo(1);
        DatiDocumento dAltro = a.dati(1);
        dAltro.txtTitolo = "Dell'altro";
        QVERIFY(ScriviDocumento(a.c(), altro, dAltro).salvato());
        QVERIFY(SalvaDocumento(t.state(), b, d) == EsitoSalva::Salvato);
        QCOMPARE(b.IDDocCorrente, 2);
        QCOMPARE(leggi(t, a, 1).d.txtTitolo, QString("Dell'altro"));
        QCOMPARE(leggi(t, a, 2).d.txtTitolo, QString("Nostro"));
        // The box's last line counts the findings the document still has.
        QCOMPARE(t.dialogs().texts().size(), 1);
        QCOMPARE(t.dialogs().texts().value(0).section(u'\n', 0, 1),
                 QString("Documento salvato!\nIl numero 1 era già stato dato a un altro documento, "
                         "salvato nel frattempo nello stesso archivio: questo documento ha il numero 2."));
    }

    // A TD, TAbs, Bib or LIN code no longer in its table, or a date the three boxes cannot show:
    // the load says so and keeps it, the save writes it back; a choice in the field replaces it.
    void storedValuesTheListsCannotShowAreKept_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("chosen"); // what the save writes once the operator chose
        QTest::newRow("TD") << "TD"
                            << "99"
                            << "Tipo documento \"99\" non presente nell'elenco"
                            << "03";
        QTest::newRow("TAbs") << "TAbs"
                              << "450"
                              << "Tipo abstract \"450\" non presente nell'elenco"
                              << "600";
        QTest::newRow("Bib") << "Bib"
                             << "7"
                             << "Tipo bibliografia \"7\" non presente nell'elenco"
                             << "2";
        QTest::newRow("LIN") << "LIN"
                             << "42"
                             << "Lingua \"42\" non presente nell'elenco"
                             << "01";
        QTest::newRow("year before the list") << "Data"
                                              << "1960-05-12"
                                              << "Anno di pubblicazione \"1960\" non presente nell'elenco"
                                              << "2020-05-12";
        QTest::newRow("month not a month") << "Data"
                                           << "2020-13-00"
                                           << "Mese di pubblicazione \"13\" non valido"
                                           << "2020-00";
        QTest::newRow("day not a day") << "Data"
                                       << "2020-02-45"
                                       << "Giorno di pubblicazione \"45\" non valido"
                                       << "2020-02-00";
    }
    void storedValuesTheListsCannotShowAreKept() {
        QFETCH(QString, column);
        QFETCH(QString, stored);
        QFETCH(QString, warning);
        QFETCH(QString, chosen);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        QVERIFY(ScriviDocumento(a.c(), b, a.dati(1)).salvato());
        const QString tabella = column == "Data" ? "tabRifBibl" : "tabDocumento";
        a.c().EseguiIstruzione(QString("update %1 set %2 = ?").arg(tabella, column), {stored});
        const auto valore = [&] {
            RecordSet rs = a.c().ApriRS(
                QString("select %1 from tabDocumento d, tabRifBibl r where d.IDRifBibl = r.IDRifBibl")
                    .arg(column));
            return rs.field(0).toString();
        };

        Letto l = leggi(t, a, 1);
        QVERIFY(l.esito.caricato);
        QCOMPARE(l.esito.avvisi, QStringList{warning});
        QVERIFY(!l.d.conservati.vuoti());
        const QString avviso = AvvisoCaricamento(1, l.esito.avvisi, l.d.conservati);
        QVERIFY2(
            avviso.startsWith("Il documento 1 contiene valori che la finestra non può mostrare:\n" + warning),
            qPrintable(avviso));
        QVERIFY(
            avviso.endsWith("I valori non presenti negli elenchi sono conservati: il salvataggio li lascia "
                            "come sono, a meno che non si scelga un altro valore in quel campo."));

        // Saved with another field changed: the value stays.
        l.d.txtPagine = "1-99";
        QVERIFY(ScriviDocumento(a.c(), l.b, l.d).salvato());
        QCOMPARE(valore(), stored);
        QCOMPARE(conta(a.c(), "select count(*) from tabDocumento where Pagine = '1-99'"), 1);

        // The operator chose in that field: the choice is saved.
        if (column == "TD")
            seleziona(l.d.ComboTD, a.liste.ComboTD, Archivio::pos(a.liste.ComboTD, "03"));
        else if (column == "TAbs")
            seleziona(l.d.ComboTAbs, a.liste.ComboTAbs, Archivio::pos(a.liste.ComboTAbs, "600"));
        else if (column == "Bib")
            seleziona(l.d.ComboBib, a.liste.ComboBib, Archivio::pos(a.liste.ComboBib, "2"));
        else if (column == "LIN")
            seleziona(l.d.ComboLIN, a.liste.ComboLIN, Archivio::pos(a.liste.ComboLIN, "01"));
        else
            seleziona(l.d.cmbAA, a.liste.cmbAA, Archivio::pos(a.liste.cmbAA, "2020"));
        l.d.conservati = {};
        QVERIFY(ScriviDocumento(a.c(), l.b, l.d).salvato());
        QCOMPARE(valore(), chosen);
    }

    // A source written by another tool without a name key (IDNomeFonte 0, as imported archives
    // hold for a convention): the document saves, the source stays the row it was.
    void aNamelessSourceIsSavedAsStored_data() {
        QTest::addColumn<QString>("tp");
        QTest::newRow("international court") << "GEI";
        QTest::newRow("international act") << "NIT";
        QTest::newRow("EU act") << "NIC";
        QTest::newRow("canon law") << "FCC";
        QTest::newRow("domestic") << "LIO";
    }
    void aNamelessSourceIsSavedAsStored() {
        QFETCH(QString, tp);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        QVERIFY(ScriviDocumento(a.c(), b, a.dati(1)).salvato());
        a.c().EseguiIstruzione("insert into tabFonte (IDFonte, TP, testo, anno, IDNomeFonte) values "
                               "(700, ?, 'Convenzione di prova 1950', '1950', 0)",
                               {tp});
        a.c().EseguiIstruzione("insert into legameDocFonte (IDDoc, IDFonte) values (1, 700)");
        const int fonti = conta(a.c(), "select count(*) from tabFonte");
        Letto l = leggi(t, a, 1);
        QVERIFY(l.esito.caricato);
        QCOMPARE(l.b.ElencoFonti.size(), 1);
        QCOMPARE(l.b.ElencoFonti[0].NomeFonte, QString());
        l.d.txtPagine = "3-4";
        const RisultatoSalvataggio r = ScriviDocumento(a.c(), l.b, l.d);
        QVERIFY2(r.salvato(), qPrintable(r.messaggio));
        QCOMPARE(conta(a.c(), "select count(*) from tabFonte"), fonti);
        QCOMPARE(righe(a.c(), "select IDFonte from legameDocFonte where IDDoc = 1"), QStringList{"700"});
        QCOMPARE(conta(a.c(), "select count(*) from tabDocumento where Pagine = '3-4'"), 1);
    }

    // A stored date the boxes cannot show: a choice in one box changes that part alone, never the
    // date to "0000-00-00"; next year is in the list.
    void choosingOneDateBoxKeepsTheOtherParts_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("parte");
        QTest::addColumn<QString>("scelta"); // the item chosen; empty: the caption item
        QTest::addColumn<QString>("saved");
        const QString avanti = QString::number(QDate::currentDate().year() + 2);
        const int giorno = int(ParteData::Giorno), mese = int(ParteData::Mese), anno = int(ParteData::Anno);
        QTest::newRow("future year, day") << avanti + "-01-15" << giorno << "20" << avanti + "-01-20";
        QTest::newRow("future year, month") << avanti + "-01-15" << mese << "3" << avanti + "-03-15";
        QTest::newRow("future year, no day") << avanti + "-01-15" << giorno << "" << avanti + "-01-00";
        QTest::newRow("future year, no month") << avanti + "-01-15" << mese << "" << avanti + "-00";
        QTest::newRow("year before the list, day") << "1960-05-12" << giorno << "1"
                                                   << "1960-05-01";
        QTest::newRow("year before the list, a year") << "1960-05-12" << anno << "2020"
                                                      << "2020-05-12";
        QTest::newRow("year alone, month") << "1960-00" << mese << "6"
                                           << "1960-06-00";
        QTest::newRow("month not a month, day") << "2020-13-05" << giorno << "7"
                                                << "2020-13-07";
        QTest::newRow("month not a month, a month") << "2020-13-05" << mese << "4"
                                                    << "2020-04-05";
        // The operator takes the year away: the date goes with it, as for any date.
        QTest::newRow("year before the list, no year") << "1960-05-12" << anno << ""
                                                       << "0000-00-00";
    }
    void choosingOneDateBoxKeepsTheOtherParts() {
        QFETCH(QString, stored);
        QFETCH(int, parte);
        QFETCH(QString, scelta);
        QFETCH(QString, saved);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        QVERIFY(ScriviDocumento(a.c(), b, a.dati(1)).salvato());
        a.c().EseguiIstruzione("update tabRifBibl set Data = ?", {stored});
        Letto l = leggi(t, a, 1);
        QCOMPARE(l.d.conservati.Data, std::optional<QString>(stored));
        switch (ParteData(parte)) {
        case ParteData::Giorno:
            seleziona(l.d.cmbGG, a.liste.cmbGG, scelta.toInt());
            break;
        case ParteData::Mese:
            seleziona(l.d.cmbMM, a.liste.cmbMM, scelta.toInt());
            break;
        case ParteData::Anno:
            seleziona(l.d.cmbAA, a.liste.cmbAA, scelta.isEmpty() ? 0 : Archivio::pos(a.liste.cmbAA, scelta));
            break;
        }
        l.d.conservati.Data = DataDopoScelta(l.d, ParteData(parte));
        QVERIFY(ScriviDocumento(a.c(), l.b, l.d).salvato());
        QCOMPARE(
            righe(a.c(), "select Data from tabRifBibl r, tabDocumento d where d.IDRifBibl = r.IDRifBibl"),
            QStringList{saved});
    }

    void nextYearIsInTheList() {
        TestHome t;
        Archivio a(t);
        const QString prossimo = QString::number(QDate::currentDate().year() + 1);
        QCOMPARE(a.liste.cmbAA.value(1), prossimo);
        DocumentBuffer b = Archivio::nuovo(1);
        QVERIFY(ScriviDocumento(a.c(), b, a.dati(1)).salvato());
        a.c().EseguiIstruzione("update tabRifBibl set Data = ?", {prossimo + "-01-15"});
        const Letto l = leggi(t, a, 1);
        QVERIFY(l.esito.avvisi.isEmpty());
        QCOMPARE(l.d.cmbAA.testo, prossimo);
        QCOMPARE(testoData(l.d), prossimo + "-01-15");
    }

    // A reference whose journal code tabRivisteOnline lacks: shown with its date, issue, volume
    // and year, its code kept; a journal chosen later takes its place and keeps the rest.
    void referenceOfAnUnknownJournalIsShownAndKept() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        QVERIFY(ScriviDocumento(a.c(), b, a.dati(1)).salvato());
        a.c().EseguiIstruzione("update tabRifBibl set IDRivistaOnline = 'SPARITA'");
        Letto l = leggi(t, a, 1);
        QVERIFY(l.esito.caricato);
        QCOMPARE(l.esito.avvisi, QStringList{"Rivista \"SPARITA\" non presente nell'elenco"});
        QCOMPARE(l.d.cmbCPer.posizione, 0);
        QCOMPARE(l.d.conservati.CPer, std::optional<QString>("SPARITA"));
        QCOMPARE(testoData(l.d), QString("2020-03-12"));
        QCOMPARE((QStringList{l.d.txtFascicolo, l.d.txtVolume, l.d.txtAnnata}),
                 (QStringList{"3", "12", "2020"}));
        const auto riferimento = [&] {
            return righe(a.c(), "select IDRivistaOnline, Data, Fascicolo, Volume, Annata from tabRifBibl r, "
                                "tabDocumento d where d.IDRifBibl = r.IDRifBibl");
        };
        // Saved as loaded: the same reference.
        l.d.txtPagine = "1-2";
        QVERIFY(ScriviDocumento(a.c(), l.b, l.d).salvato());
        QCOMPARE(riferimento(), QStringList{"SPARITA|2020-03-12|3|12|2020"});
        // A journal chosen: it replaces the code, the rest stays.
        seleziona(l.d.cmbCPer, a.liste.cmbCPer, Archivio::pos(a.liste.cmbCPer, "TST2"));
        l.d.conservati.CPer.reset();
        QVERIFY(ScriviDocumento(a.c(), l.b, l.d).salvato());
        QCOMPARE(riferimento(), QStringList{"TST2|2020-03-12|3|12|2020"});
    }

    // The box of a failed save says in Italian what happened and what to do; the engine's text
    // follows on a line of its own.
    void failedSaveIsToldInItalian_data() {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("explanation");
        QTest::newRow("trigger") << "create trigger rifiuta before update on tabDocumento begin "
                                    "select raise(abort, 'aggiornamento rifiutato'); end;"
                                 << "I dati contrastano con un vincolo dell'archivio (un valore doppio o "
                                    "mancante): correggerli e riprovare.";
        QTest::newRow("read only") << "pragma query_only = 1;"
                                   << "L'archivio è in sola lettura: controllare i permessi del file e della "
                                      "sua cartella.";
    }
    void failedSaveIsToldInItalian() {
        QFETCH(QString, cause);
        QFETCH(QString, explanation);
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        const QStringList prima = fotografia(a.c());
        a.c().executeScript(cause);
        d.txtPagine = "altre";
        QVERIFY(SalvaDocumento(t.state(), b, d) == EsitoSalva::NonSalvato);
        QCOMPARE(fotografia(a.c()), prima);
        const QStringList righe = t.dialogs().lastText().split(u'\n');
        QCOMPARE(righe.size(), 3);
        QCOMPARE(righe[0],
                 QString("Il documento 1 non è stato salvato: l'archivio non è cambiato e il documento è "
                         "ancora nella finestra, da salvare di nuovo."));
        QCOMPARE(righe[1], explanation);
        QVERIFY2(righe[2].startsWith("Dettaglio tecnico: ") && righe[2].endsWith(")"), qPrintable(righe[2]));
        QCOMPARE(t.dialogs().shown().back().icon, Icon::Critical);
        a.c().executeScript("pragma query_only = 0; drop trigger if exists rifiuta;");
    }

    void failureHalfWayLeavesArchiveAsBefore() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b1 = Archivio::nuovo(1);
        DatiDocumento d1 = a.dati(1);
        riempi(b1, d1);
        QVERIFY(ScriviDocumento(a.c(), b1, d1).salvato());
        const QStringList prima = fotografia(a.c());

        // The last step fails: a source link is refused by a trigger.
        a.c().executeScript("create trigger rifiuta before insert on legameDocFonte when new.IDDoc = 1 "
                            "begin select raise(abort, 'collegamento rifiutato'); end;");
        DocumentBuffer b = b1;
        DatiDocumento d = d1;
        d.txtPagine = "altre pagine";
        d.txtFascicolo = "nuovo fascicolo";
        b.ElencoResponsabilita.append(persona("Nuovo", "Autore"));
        b.ElencoFonti.append(cassazione("Cittadella")); // a city not there yet
        b.TestoRiassunto = "Cambiato";
        const DocumentBuffer bPrima = b;
        t.dialogs().clear();
        QVERIFY(SalvaDocumento(t.state(), b, d) == EsitoSalva::NonSalvato);
        QCOMPARE(fotografia(a.c()), prima);
        QCOMPARE(conta(a.c(), "select count(*) from tabCitta where Citta = 'Cittadella'"), 0);
        QCOMPARE(b, bPrima);
        QCOMPARE(t.dialogs().shown().size(), size_t(1));
        QVERIFY(t.dialogs().lastText().contains("collegamento rifiutato"));
        QCOMPARE(a.c().transactionDepth(), 0);

        // Once the cause is gone the same content saves.
        a.c().executeScript("drop trigger rifiuta;");
        QVERIFY(SalvaDocumento(t.state(), b, d) == EsitoSalva::Salvato);
        QCOMPARE(leggi(t, a, 1).d.txtPagine, QString("altre pagine"));
        QCOMPARE(conta(a.c(), "select count(*) from tabCitta where Citta = 'Cittadella'"), 1);
    }

    void failedNewDocumentStaysNew() {
        TestHome t;
        Archivio a(t);
        a.c().executeScript("create trigger rifiuta before insert on legameDocTesto "
                            "begin select raise(abort, 'no'); end;");
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        QVERIFY(!ScriviDocumento(a.c(), b, d).salvato());
        QVERIFY(b.NuovoDocumento);
        QCOMPARE(conta(a.c(), "select count(*) from tabDocumento"), 0);
        a.c().executeScript("drop trigger rifiuta;");
        QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        QCOMPARE(conta(a.c(), "select count(*) from tabDocumento"), 1);
    }

    void deletingDocumentsDeletesTheirRows() {
        TestHome t;
        Archivio a(t);
        for (qint64 id = 1; id <= 3; ++id) {
            DocumentBuffer b = Archivio::nuovo(id);
            DatiDocumento d = a.dati(id);
            riempi(b, d);
            QVERIFY(ScriviDocumento(a.c(), b, d).salvato());
        }
        // A text shared by two documents stays with the one that keeps it.
        a.c().EseguiIstruzione("insert into legameDocTesto (IDDoc, IDTesto, Tipo) values (3, "
                               "(select IDTesto from legameDocTesto where IDDoc = 1 and Tipo = '2'), '6')");
        CancellaDocumenti(a.c(), {1, 2});
        QCOMPARE(righe(a.c(), "select IDDocumento from tabDocumento"), QStringList{"3"});
        for (const char* table : {"legameDocResp", "legameDocTesto", "legameDocClass", "legameDocFonte"})
            QCOMPARE(righe(a.c(), QString("select distinct IDDoc from %1").arg(table)), QStringList{"3"});
        QCOMPARE(conta(a.c(), "select count(*) from tabTesto"), 9);
        QCOMPARE(conta(a.c(), "select count(*) from tabFonte"), 3);
        QCOMPARE(conta(a.c(), "select count(*) from tabResponsabilita"), 3);
        QCOMPARE(conta(a.c(), "select count(*) from tabRifBibl"), 1);
    }

    void navigationWrapsRound() {
        TestHome t;
        Archivio a(t);
        QCOMPARE(DocumentoSeguente(a.c(), "1"), std::nullopt);
        QCOMPARE(DocumentoPrecedente(a.c(), ""), std::nullopt);
        for (qint64 id : {2, 5, 9}) {
            DocumentBuffer b = Archivio::nuovo(id);
            QVERIFY(ScriviDocumento(a.c(), b, a.dati(id)).salvato());
        }
        QCOMPARE(*DocumentoSeguente(a.c(), "2"), 5);
        QCOMPARE(*DocumentoSeguente(a.c(), "9"), 2);
        QCOMPARE(*DocumentoSeguente(a.c(), "10"), 2); // a new document
        QCOMPARE(*DocumentoSeguente(a.c(), "6 "), 9); // a number typed by the operator
        QCOMPARE(*DocumentoPrecedente(a.c(), "2"), 9);
        QCOMPARE(*DocumentoPrecedente(a.c(), "9"), 5);
        QCOMPARE(*DocumentoPrecedente(a.c(), "xyz"), 9);
    }

    void loadingAMissingDocumentChangesNothing() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        riempi(b, d);
        b.IDDocCorrente = 42;
        const DocumentBuffer bPrima = b;
        const DatiDocumento dPrima = d;
        const EsitoCaricamento e = CaricaDocumento(a.c(), t.state().Mesi, a.liste, b, d);
        QVERIFY(!e.caricato);
        QVERIFY(e.errore.contains("42"));
        QCOMPARE(b, bPrima);
        QCOMPARE(d, dPrima);
    }

    void unusualStoredValuesAreReported() {
        TestHome t;
        Archivio a(t);
        a.c().EseguiIstruzione(
            "insert into tabRifBibl (IDRifBibl, IDRivistaOnline, Data) values (1, 'TST1', '1960-13-00')");
        a.c().EseguiIstruzione(
            "insert into tabDocumento (IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN) "
            "values (1, 1, null, '450', '', '99', '')");
        a.c().EseguiIstruzione(
            "insert into tabDocumento (IDDocumento, IDRifBibl, Pagine, TD) values (2, 77, '5', '03')");
        Letto l = leggi(t, a, 1);
        QVERIFY(l.esito.caricato);
        QCOMPARE(l.d.ComboTD.posizione, 0);
        QCOMPARE(l.d.ComboTAbs.posizione, 0);
        QCOMPARE(l.d.ComboLIN.testo.left(2), QString("00"));
        QCOMPARE(l.d.cmbAA.posizione, 0);
        QCOMPARE(l.d.cmbMM.posizione, 0);
        QCOMPARE(l.esito.avvisi.size(), 4);
        // A document without its reference is shown with its codes.
        l = leggi(t, a, 2);
        QVERIFY(l.esito.caricato);
        QCOMPARE(l.d.ComboTD.testo.left(2), QString("03"));
        QCOMPARE(l.d.cmbCPer.posizione, 0);
        QCOMPARE(l.esito.avvisi, QStringList{"Riferimento bibliografico mancante"});
    }

    void clearKeepsCodesAndUrl() {
        TestHome t;
        Archivio a(t);
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        riempi(b, d);
        d.lstFonte = {"x"};
        d.txtID.clear();
        b.IndiceFonte = 2;
        PulisciDocumento(b, d);
        QCOMPARE(d.txtID, QString("2"));
        QCOMPARE(d.ComboTD.testo.left(2), QString("01"));
        QCOMPARE(d.ComboTAbs.testo.left(3), QString("500"));
        QCOMPARE(d.txtDocURL, QString("https://example.org/a?b=1&c=2"));
        QCOMPARE(d.cmbCPer.posizione, 0);
        QCOMPARE(d.ComboLIN.posizione, 0);
        QVERIFY(d.txtTitolo.isEmpty() && d.txtNota.isEmpty() && d.lstFonte.isEmpty());
        QVERIFY(b.ElencoFonti.isEmpty() && b.TestoRiassunto.isEmpty());
        QCOMPARE(b.IndiceFonte, -1);
    }

    void demoDeliveryRoundTrips() {
        TestHome t;
        QVERIFY(t.open(t.createDemo()));
        cConnessione& c = t.state().Connessione;
        const ListeDocumento liste = CaricaListe(c, QDate::currentDate());
        const auto stato = [&] {
            // Each save gives the document a new version: the rest stays as it was.
            QStringList all =
                righe(c, "select IDDocumento, IDRifBibl, Pagine, TAbs, Bib, TD, LIN, LO, LR, LA, "
                         "DocURL from tabDocumento order by 1");
            for (const char* table :
                 {"tabRifBibl", "tabResponsabilita", "tabFonte", "tabCitta", "tabSezione", "tabStato"})
                all << righe(c, QString("select * from %1 order by rowid").arg(table));
            all << righe(
                c, "select 'R', IDDoc, IDResponsabilita, FlagAutore from legameDocResp union all "
                   "select 'C', IDDoc, CodiceS, CodiceD || '/' || Controllo from legameDocClass union all "
                   "select 'F', IDDoc, IDFonte, '' from legameDocFonte union all "
                   "select 'T', IDDoc, Tipo, Testo from legameDocTesto l, tabTesto t "
                   "where l.IDTesto = t.IDTesto order by 1, 2, 3, 4");
            return all;
        };
        const QStringList prima = stato();
        RecordSet rs = c.ApriRS("select IDDocumento from tabDocumento order by 1");
        QList<qint64> ids;
        for (; !rs.eof(); rs.moveNext())
            ids << rs.field(0).toLongLong();
        rs.close();
        QVERIFY(!ids.isEmpty());
        for (qint64 id : ids) {
            DocumentBuffer b;
            b.IDDocCorrente = id;
            DatiDocumento d;
            PreparaDati(d, liste);
            d.txtID = QString::number(id);
            const EsitoCaricamento e = CaricaDocumento(c, t.state().Mesi, liste, b, d);
            QVERIFY2(e.caricato, qPrintable(e.errore));
            QVERIFY2(e.avvisi.isEmpty(), qPrintable(QString("%1: %2").arg(id).arg(e.avvisi.join("; "))));
            QVERIFY2(ScriviDocumento(c, b, d).salvato(), qPrintable(QString::number(id)));
        }
        QCOMPARE(stato(), prima);
    }

    void documentList() {
        TestHome t;
        Archivio a(t);
        t.state().Info[InfoNumInizio] = "5";
        for (qint64 id : {1, 2, 7}) {
            DocumentBuffer b = Archivio::nuovo(id);
            QVERIFY(ScriviDocumento(a.c(), b, a.dati(id)).salvato());
        }
        const QStringList l = ElencoDocumenti(t.state());
        QCOMPARE(l, QStringList({"1 --> 202630005", "2 --> 202630006", "7 --> 202630007"}));
        QCOMPARE(chiaveDocumento(l.at(2)), 7);
    }
};

QTEST_GUILESS_MAIN(DocumentSave)
#include "tst_documents_save.moc"
