// Two programs on one archive: each loads the same document, the other one saves first. A save
// never writes over what it did not load: it stops, and the operator decides (reload, overwrite,
// cancel); a document deleted meanwhile can become a new one. The two programs are two connections
// to one file in this process.

#include "documents/EditorFixture.h"
#include "documents/SalvaDocumento.h"
#include "documents/mdlDocumenti.h"

#include <QtTest>
#include <functional>

using namespace editor_test;

namespace {

struct Finestra {
    DocumentBuffer b;
    DatiDocumento d;
};

Finestra carica(cConnessione& c, const QStringList& mesi, const ListeDocumento& liste, qint64 id) {
    Finestra f;
    f.b.IDDocCorrente = id;
    PreparaDati(f.d, liste);
    f.d.txtID = QString::number(id);
    const EsitoCaricamento e = CaricaDocumento(c, mesi, liste, f.b, f.d);
    if (!e.caricato)
        qFatal("document %lld not loaded: %s", id, qPrintable(e.errore));
    return f;
}

// What the other program changes before it saves: one part of the document each.
using Modifica = std::function<void(Finestra&)>;
const QList<std::pair<const char*, Modifica>>& parti() {
    static const QList<std::pair<const char*, Modifica>> p = {
        {"row: pages", [](Finestra& f) { f.d.txtPagine = "99-120"; }},
        {"row: reference", [](Finestra& f) { f.d.txtFascicolo = "4"; }},
        {"text 0 title", [](Finestra& f) { f.d.txtTitolo = "Titolo dell'altro"; }},
        {"text 1 summary", [](Finestra& f) { f.b.TestoRiassunto = "Riassunto dell'altro"; }},
        {"text 2 contents", [](Finestra& f) { f.b.TestoSommario = "1. Altro."; }},
        {"text 3 translation", [](Finestra& f) { f.b.TestoTraduzione = "Other's title"; }},
        {"text 4 note", [](Finestra& f) { f.d.txtNota = "Nota dell'altro"; }},
        {"text 5 compiler's note", [](Finestra& f) { f.b.TestoNotaDoc = "Proposta dell'altro"; }},
        {"text 7 in tema di", [](Finestra& f) { f.b.TestoInTemaDi = "altro tema"; }},
        {"text 8 abstract", [](Finestra& f) { f.b.TestoEnglishAbstract = "Other's abstract."; }},
        {"list: persons",
         [](Finestra& f) {
             f.b.ElencoResponsabilita.append({0, "Verdi", "Anna", false, false});
         }},
        {"list: pairs",
         [](Finestra& f) {
             f.b.ElencoClassificazione.append({0, "T1.1", "TD002", 0, false});
         }},
        {"list: sources", [](Finestra& f) { f.b.ElencoFonti.first().Cancellata = true; }},
    };
    return p;
}

// An archive with document 1 holding something in every list, open on the state's connection, and
// a second connection to the same file: the other program.
struct DueProgrammi {
    DueProgrammi() : a(t) {
        DocumentBuffer b = Archivio::nuovo(1);
        DatiDocumento d = a.dati(1);
        b.ElencoResponsabilita = {{0, "Rossi", "Mario", true, false}};
        b.ElencoClassificazione = {{0, "T1.1", "TD001", 0, false}};
        b.ElencoFonti = {leggeDel1990("241")};
        b.TestoRiassunto = "Riassunto";
        if (!ScriviDocumento(a.c(), b, d).salvato())
            qFatal("document not written");
        if (!altro.ApriConnessione(t.state().NomeArchivio))
            qFatal("second connection not opened: %s", qPrintable(altro.lastErrorMessage()));
    }
    Finestra nostra(qint64 id = 1) { return carica(a.c(), t.state().Mesi, a.liste, id); }
    // The other program loads the document, changes it and saves it.
    void altroSalva(const Modifica& modifica, qint64 id = 1) {
        Finestra f = carica(altro, t.state().Mesi, a.liste, id);
        modifica(f);
        const RisultatoSalvataggio r = ScriviDocumento(altro, f.b, f.d);
        if (!r.salvato())
            qFatal("other program's save failed: %s", qPrintable(r.messaggio));
    }

    TestHome t;
    Archivio a;
    cConnessione altro;
};

const QString kModificato =
    QStringLiteral("Il documento 1 è stato modificato da un altro programma dopo che lo avete aperto.");

} // namespace

class DocumentConflicts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aChangeElsewhereStopsTheSave_data() {
        QTest::addColumn<int>("parte");
        for (int i = 0; i < parti().size(); ++i)
            QTest::newRow(parti()[i].first) << i;
    }
    void aChangeElsewhereStopsTheSave() {
        QFETCH(int, parte);
        DueProgrammi p;
        Finestra nostra = p.nostra();
        p.altroSalva(parti()[parte].second);
        const QStringList dellAltro = fotografia(p.a.c());
        nostra.d.txtDocURL = "https://example.org/nostro";
        const DocumentBuffer prima = nostra.b;
        const RisultatoSalvataggio r = ScriviDocumento(p.a.c(), nostra.b, nostra.d);
        QCOMPARE(r.esito, EsitoSalvataggio::ModificatoAltrove);
        QCOMPARE(r.messaggio, kModificato);
        QCOMPARE(fotografia(p.a.c()), dellAltro);
        QCOMPARE(nostra.b, prima);
        // Loaded again, the window saves in place.
        Finestra ricaricata = p.nostra();
        ricaricata.d.txtDocURL = "https://example.org/nostro";
        QVERIFY(ScriviDocumento(p.a.c(), ricaricata.b, ricaricata.d).salvato());
        QVERIFY(ScriviDocumento(p.a.c(), ricaricata.b, ricaricata.d).salvato());
    }

    void theOperatorChooses_data() {
        QTest::addColumn<QString>("scelta");
        QTest::addColumn<EsitoSalva>("esito");
        QTest::addColumn<QString>("titolo"); // the stored title afterwards
        QTest::newRow("Ricarica") << "Ricarica" << EsitoSalva::Ricaricare << "Titolo dell'altro";
        QTest::newRow("Sovrascrivi") << "Sovrascrivi" << EsitoSalva::Salvato << "Titolo nostro";
        QTest::newRow("Annulla") << "Annulla" << EsitoSalva::NonSalvato << "Titolo dell'altro";
    }
    void theOperatorChooses() {
        QFETCH(QString, scelta);
        QFETCH(EsitoSalva, esito);
        QFETCH(QString, titolo);
        DueProgrammi p;
        Finestra nostra = p.nostra();
        p.altroSalva(parti()[2].second);
        nostra.d.txtTitolo = "Titolo nostro";
        p.t.dialogs().answerNextChoice(scelta);
        QCOMPARE(SalvaDocumento(p.t.state(), nostra.b, nostra.d), esito);
        const ShownMessage domanda = p.t.dialogs().shown().front();
        QCOMPARE(domanda.text.section(u'\n', 0, 0), kModificato);
        QCOMPARE(domanda.choices, QStringList({"&Ricarica", "&Sovrascrivi", "&Annulla"}));
        QCOMPARE(int(p.t.dialogs().shown().size()), esito == EsitoSalva::Salvato ? 2 : 1);
        QCOMPARE(p.a.c()
                     .ApriRS("select Testo from tabTesto t join legameDocTesto l on l.IDTesto = t.IDTesto "
                             "where IDDoc = 1 and Tipo = '0'")
                     .field(0)
                     .toString(),
                 titolo);
        QCOMPARE(conta(p.a.c(), "select count(*) from tabDocumento"), 1);
        if (esito == EsitoSalva::Salvato) {
            // Written over once, the window's version is the stored one: the next save asks nothing.
            QCOMPARE(p.t.dialogs().shown().back().text.section(u'\n', 0, 0), QString("Documento salvato!"));
            QVERIFY(SalvaDocumento(p.t.state(), nostra.b, nostra.d) == EsitoSalva::Salvato);
        }
        QVERIFY(p.t.dialogs().unexpected().isEmpty());
    }

    // Without an operator to ask (the command line), nothing is written over.
    void withNobodyToAskNothingIsOverwritten() {
        DueProgrammi p;
        Finestra nostra = p.nostra();
        p.altroSalva(parti()[0].second);
        const QStringList dellAltro = fotografia(p.a.c());
        QString testo;
        QTextStream out(&testo);
        ConsoleDialogs console(out);
        p.t.state().dialogs = &console;
        QCOMPARE(SalvaDocumento(p.t.state(), nostra.b, nostra.d), EsitoSalva::NonSalvato);
        p.t.state().dialogs = &p.t.dialogs();
        QCOMPARE(fotografia(p.a.c()), dellAltro);
        QVERIFY(testo.startsWith(kModificato));
        QVERIFY(testo.trimmed().endsWith(" -> Annulla"));
    }

    void deletedElsewhere_data() {
        QTest::addColumn<bool>("comeNuovo");
        QTest::newRow("saved as a new document") << true;
        QTest::newRow("not saved") << false;
    }
    void deletedElsewhere() {
        QFETCH(bool, comeNuovo);
        DueProgrammi p;
        DocumentBuffer b = Archivio::nuovo(2);
        QVERIFY(ScriviDocumento(p.a.c(), b, p.a.dati(2)).salvato());
        Finestra nostra = p.nostra();
        CancellaDocumenti(p.altro, {1});
        nostra.d.txtTitolo = "Lavoro da non perdere";
        const QStringList dopoLaCancellazione = fotografia(p.a.c());
        QCOMPARE(ScriviDocumento(p.a.c(), nostra.b, nostra.d).esito, EsitoSalvataggio::CancellatoAltrove);
        QCOMPARE(fotografia(p.a.c()), dopoLaCancellazione);

        p.t.dialogs().answerNext(comeNuovo ? Answer::Yes : Answer::No);
        QCOMPARE(SalvaDocumento(p.t.state(), nostra.b, nostra.d),
                 comeNuovo ? EsitoSalva::Salvato : EsitoSalva::NonSalvato);
        QCOMPARE(p.t.dialogs().shown().front().text,
                 QString("Il documento 1 è stato cancellato da un altro programma dopo che lo avete aperto.\n"
                         "Salvare il contenuto della finestra come documento nuovo (come fa Duplica)?"));
        QCOMPARE(conta(p.a.c(), "select count(*) from tabDocumento where IDDocumento = 1"), 0);
        if (!comeNuovo) {
            QCOMPARE(fotografia(p.a.c()), dopoLaCancellazione);
            QCOMPARE(nostra.b.IDDocCorrente, 1);
            return;
        }
        // The copy takes the next number, as Duplica's does, and the window goes on with it.
        QCOMPARE(nostra.b.IDDocCorrente, 3);
        QVERIFY(!nostra.b.NuovoDocumento);
        QCOMPARE(p.t.dialogs().lastText().section(u'\n', 0, 1),
                 QString("Documento salvato!\nIl documento 1 non c'è più nell'archivio: il contenuto della "
                         "finestra è ora il documento 3."));
        QCOMPARE(carica(p.a.c(), p.t.state().Mesi, p.a.liste, 3).d.txtTitolo,
                 QString("Lavoro da non perdere"));
        QCOMPARE(carica(p.a.c(), p.t.state().Mesi, p.a.liste, 3).b.ElencoFonti.size(), 1);
        QVERIFY(SalvaDocumento(p.t.state(), nostra.b, nostra.d) == EsitoSalva::Salvato);
        QVERIFY(p.t.dialogs().unexpected().isEmpty());
    }

    // Duplica stores a copy under a new number: what happened to the original is no matter.
    void duplicateOfADocumentChangedElsewhere() {
        DueProgrammi p;
        Finestra nostra = p.nostra();
        p.altroSalva(parti()[0].second);
        nostra.b.NuovoDocumento = true;
        nostra.b.IDDocCorrente = ProssimoIDDocumento(p.a.c());
        nostra.d.txtID = QString::number(nostra.b.IDDocCorrente);
        QCOMPARE(SalvaDocumento(p.t.state(), nostra.b, nostra.d), EsitoSalva::Salvato);
        QCOMPARE(int(p.t.dialogs().shown().size()), 1);
        QCOMPARE(righe(p.a.c(), "select IDDocumento, Pagine from tabDocumento order by 1"),
                 QStringList({"1|99-120", "2|10-25"}));
    }

    // The load reads the version with the rows; each save gives the document a version never given,
    // so a document deleted and made again under its number is not the one loaded either.
    void versionsOnlyGrow() {
        DueProgrammi p;
        Finestra nostra = p.nostra();
        const qint64 primo = nostra.b.Versione;
        QVERIFY(primo > 0);
        p.altroSalva(parti()[0].second);
        const qint64 secondo = p.nostra().b.Versione;
        QVERIFY(secondo > primo);
        CancellaDocumenti(p.altro, {1});
        DocumentBuffer b = Archivio::nuovo(1);
        QVERIFY(ScriviDocumento(p.altro, b, p.a.dati(1)).salvato());
        QVERIFY(b.Versione > secondo + 1); // the deletion took a version of its own
        QCOMPARE(p.nostra().b.Versione, b.Versione);
        QCOMPARE(ScriviDocumento(p.a.c(), nostra.b, nostra.d).esito, EsitoSalvataggio::ModificatoAltrove);
        // Another tool took the archive's version away: it comes back above every document's.
        p.altro.EseguiIstruzione("delete from tabVersione");
        Finestra ancora = p.nostra();
        QVERIFY(ScriviDocumento(p.a.c(), ancora.b, ancora.d).salvato());
        QCOMPARE(ancora.b.Versione, b.Versione + 1);
    }
};

QTEST_GUILESS_MAIN(DocumentConflicts)
#include "tst_documents_conflicts.moc"
