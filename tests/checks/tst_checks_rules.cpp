// The check run: each rule and its edge cases, the three files in both modes, the catalogue
// connection, failures, and the viewer's messages.

#include "FixtureControlli.h"
#include "checks/Controlli.h"
#include "checks/Uscite.h"
#include "store/Archivio.h"

#include <functional>

using Modifica = std::function<void(ArchivioProva&, Doc&)>;
Q_DECLARE_METATYPE(Modifica)

namespace {

QString dump(TestHome& t, const QString& nome) {
    return t.home().dumpPath(nome);
}

// The acts the fixture's laws are checked against.
void catalogoBase(TestHome& t) {
    inserisciCatalogo(t, {{QStringLiteral("l. 15 marzo 1990, n. 22"), QStringLiteral("1990-03-15"),
                           QStringLiteral("22"), QStringLiteral("l.")},
                          {QStringLiteral("d.lgs. 1 dicembre 1997, n. 446"), QStringLiteral("1997-12-01"),
                           QStringLiteral("446"), QStringLiteral("d.lgs.")},
                          {QStringLiteral("l.cost. 18 ottobre 2001, n. 3"), QStringLiteral("2001-10-18"),
                           QStringLiteral("3"), QStringLiteral("l.cost.")}});
}

QStringList righeFile(const QString& path) {
    QStringList l = readTextLines(path, TextEncoding::Windows1252);
    return l;
}

} // namespace

class ChecksRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void allPassWritesOneEmptyLinePerFile() {
        TestHome t;
        catalogoBase(t);
        ArchivioProva a(t);
        Doc d;
        d.fonti << a.fonteInterna(QStringLiteral("LIO"), QStringLiteral("l."), QStringLiteral("22"),
                                  QStringLiteral("15"), QStringLiteral("3"), QStringLiteral("1990"),
                                  QStringLiteral("l. 15 marzo 1990, n. 22"));
        a.documento(d);
        const FileErrori f = EseguiControlli(t.state());
        QCOMPARE(f.generali, dump(t, QStringLiteral("errori.12")));
        for (const QString& p : {f.generali, f.classe, f.fonti})
            QCOMPARE(readFileBytes(p), QByteArray("\r\n"));
        QCOMPARE(t.dialogs().texts(), QStringList{QStringLiteral("Fine controllo: 12")});
        LeggiInfo(t.state());
        QCOMPARE(t.state().Info[InfoStorico], QStringLiteral("1"));

        t.dialogs().clear();
        int finestre = 0;
        const auto conta = [&](const QString&) { ++finestre; };
        MostraErrori(t.state(), QStringLiteral("7"), QStringLiteral("errori."),
                     QStringLiteral("Errori generici"), conta);
        MostraErrori(t.state(), QStringLiteral("8"), QStringLiteral("errclasse."),
                     QStringLiteral("Errori di classificazione"), conta);
        MostraErrori(t.state(), QStringLiteral("9"), QStringLiteral("errfonte."),
                     QStringLiteral("Errori nelle fonti"), conta);
        QCOMPARE(finestre, 0);
        QCOMPARE(t.dialogs().texts(), QStringList(3, QStringLiteral("Non ci sono errori!")));
        LeggiInfo(t.state());
        QCOMPARE(t.state().Info.mid(InfoVisualizzaErroriGenerici), QStringList(3, QStringLiteral("1")));
    }

    void rule_data() {
        QTest::addColumn<Modifica>("modifica");
        QTest::addColumn<QStringList>("generali");
        QTest::addColumn<QStringList>("classe");
        QTest::addColumn<QStringList>("fonti");
        const QStringList nessuna;
        const auto campo = [](QVariant Doc::*m, QVariant v) {
            return Modifica([m, v](ArchivioProva&, Doc& d) { d.*m = v; });
        };
        const auto testi = [](QStringList tipi, QVariant Doc::*m = nullptr, QVariant v = {}) {
            return Modifica([tipi, m, v](ArchivioProva&, Doc& d) {
                d.testi.clear();
                for (const QString& tipo : tipi) {
                    const qsizetype eq = tipo.indexOf(u'=');
                    d.testi[tipo.left(eq < 0 ? tipo.size() : eq)] =
                        eq < 0 ? QStringLiteral("testo") : tipo.mid(eq + 1);
                }
                if (m)
                    d.*m = v;
            });
        };
        const auto fonte = [](QString tp, QString norm, QVariant numero, QString gg, QString mm, QString aa) {
            return Modifica([=](ArchivioProva& a, Doc& d) {
                d.fonti << a.fonteInterna(tp, norm, numero, gg, mm, aa,
                                          QStringLiteral("Cit. <%1> città").arg(tp));
            });
        };

        QTest::newRow("1 rif 0") << campo(&Doc::rifBibl, 0)
                                 << QStringList{QStringLiteral("Manca rif. bibliografico (rec. 1)")}
                                 << nessuna << nessuna;
        const QStringList pagine{QStringLiteral("Manca indicazione pagine (rec. 1)")};
        QTest::newRow("2 pagine 0") << campo(&Doc::pagine, QStringLiteral("0")) << pagine << nessuna
                                    << nessuna;
        QTest::newRow("2 pagine ' 0'")
            << campo(&Doc::pagine, QStringLiteral(" 0")) << pagine << nessuna << nessuna;
        QTest::newRow("2 pagine 00") << campo(&Doc::pagine, QStringLiteral("00")) << pagine << nessuna
                                     << nessuna;
        QTest::newRow("2 pagine 0.0")
            << campo(&Doc::pagine, QStringLiteral("0.0")) << pagine << nessuna << nessuna;
        QTest::newRow("2 pagine 0,0")
            << campo(&Doc::pagine, QStringLiteral("0,0")) << pagine << nessuna << nessuna;
        QTest::newRow("2 pagine numero 0") << campo(&Doc::pagine, 0) << pagine << nessuna << nessuna;
        QTest::newRow("2 pagine vuote")
            << campo(&Doc::pagine, QStringLiteral("")) << nessuna << nessuna << nessuna;
        QTest::newRow("2 pagine null") << campo(&Doc::pagine, QVariant()) << nessuna << nessuna << nessuna;
        QTest::newRow("2 pagine abc")
            << campo(&Doc::pagine, QStringLiteral("abc")) << nessuna << nessuna << nessuna;
        QTest::newRow("2 pagine 0-5")
            << campo(&Doc::pagine, QStringLiteral("0-5")) << nessuna << nessuna << nessuna;
        QTest::newRow("3 TD vuoto") << campo(&Doc::td, QStringLiteral(""))
                                    << QStringList{QStringLiteral("Manca indicazione TD (rec. 1)"),
                                                   QStringLiteral("Manza nota con TD <> 01 (rec. 1)")}
                                    << nessuna << nessuna;
        QTest::newRow("3 TD null") << campo(&Doc::td, QVariant())
                                   << QStringList{QStringLiteral("Manza nota con TD <> 01 (rec. 1)")}
                                   << nessuna << nessuna;
        QTest::newRow("4 TAbs vuoto")
            << campo(&Doc::tabs, QStringLiteral(""))
            << QStringList{QStringLiteral("Manca indicazione TAbs (rec. 1)")} << nessuna << nessuna;
        QTest::newRow("4 TAbs null") << campo(&Doc::tabs, QVariant()) << nessuna << nessuna << nessuna;
        QTest::newRow("5 Bib vuoto") << campo(&Doc::bib, QStringLiteral(""))
                                     << QStringList{QStringLiteral("Manca indicazione Bib (rec. 1)")}
                                     << nessuna << nessuna;
        QTest::newRow("5 Bib null") << campo(&Doc::bib, QVariant()) << nessuna << nessuna << nessuna;
        QTest::newRow("6 senza responsabilità")
            << Modifica([](ArchivioProva&, Doc& d) { d.responsabile = false; })
            << QStringList{QStringLiteral("Manca responsabilità (rec. 1)")} << nessuna << nessuna;
        QTest::newRow("7 EA senza traduzione")
            << testi({"0", "8"}) << QStringList{QStringLiteral("Manca traduzione (rec. 1)")} << nessuna
            << nessuna;
        QTest::newRow("7 traduzione con [")
            << testi({"0", "8", "3=Title [translated by the compiler]"})
            << QStringList{QStringLiteral("Traduzione immessa dal compilatore (rec. 1)")} << nessuna
            << nessuna;
        QTest::newRow("7 traduzione senza [")
            << testi({"0", "8", "3=Title"}) << nessuna << nessuna << nessuna;
        QTest::newRow("8 nessun testo")
            << testi({}) << QStringList{QStringLiteral("Mancano tutte le tipologie di testo (rec. 1)")}
            << nessuna << nessuna;
        QTest::newRow("9 italiano traduzione senza EA")
            << testi({"0", "3"})
            << QStringList{QStringLiteral("Traduzione titolo senza EA e codice lingua straniera (rec. 1)")}
            << nessuna << nessuna;
        QTest::newRow("9 straniera tradotta")
            << testi({"0", "3"}, &Doc::lin, QStringLiteral("01"))
            << QStringList{QStringLiteral("Lingua straniera - titolo tradotto (rec. 1)")} << nessuna
            << nessuna;
        QTest::newRow("9 straniera con EA e traduzione")
            << testi({"0", "3", "8"}, &Doc::lin, QStringLiteral("01"))
            << QStringList{QStringLiteral("Lingua straniera - titolo tradotto (rec. 1)")} << nessuna
            << nessuna;
        QTest::newRow("9 straniera non tradotta")
            << campo(&Doc::lin, QStringLiteral("01"))
            << QStringList{QStringLiteral("Lingua straniera - manca traduzione titolo (rec. 1)")} << nessuna
            << nessuna;
        QTest::newRow("9 lingua null") << campo(&Doc::lin, QVariant()) << nessuna << nessuna << nessuna;
        QTest::newRow("10 TD 02 senza nota")
            << campo(&Doc::td, QStringLiteral("02"))
            << QStringList{QStringLiteral("Manza nota con TD <> 01 (rec. 1)")} << nessuna << nessuna;
        QTest::newRow("10 TD 02 con nota")
            << testi({"0", "4"}, &Doc::td, QStringLiteral("02"))
            << QStringList{QStringLiteral("TAbs=400 con testi (rec. 1)")} << nessuna << nessuna;
        QTest::newRow("10 TD 01 con nota, poi 11")
            << testi({"0", "4"})
            << QStringList{QStringLiteral("Contributo indipendente e presenza nota (rec. 1)"),
                           QStringLiteral("TAbs=400 con testi (rec. 1)")}
            << nessuna << nessuna;
        const QStringList tabs500{
            QStringLiteral("TAbs=500/800 e manca riassunto e/o sommario e/o in tema di (rec. 1)")};
        QTest::newRow("11 500 con 1 e 7")
            << testi({"0", "1", "7"}, &Doc::tabs, QStringLiteral("500")) << nessuna << nessuna << nessuna;
        QTest::newRow("11 500 con 2 e 7")
            << testi({"0", "2", "7"}, &Doc::tabs, QStringLiteral("500")) << tabs500 << nessuna << nessuna;
        QTest::newRow("11 800 con 1 solo")
            << testi({"0", "1"}, &Doc::tabs, QStringLiteral("800")) << tabs500 << nessuna << nessuna;
        QTest::newRow("11 800 con 1 e 2")
            << testi({"0", "1", "2"}, &Doc::tabs, QStringLiteral("800")) << nessuna << nessuna << nessuna;
        QTest::newRow("11 600 senza 2")
            << testi({"0", "1"}, &Doc::tabs, QStringLiteral("600"))
            << QStringList{QStringLiteral("TAbs=600 e manca sommario (rec. 1)")} << nessuna << nessuna;
        QTest::newRow("11 700 senza 7")
            << testi({"0", "1"}, &Doc::tabs, QStringLiteral("700"))
            << QStringList{QStringLiteral("TAbs=700 e manca in tema di (rec. 1)")} << nessuna << nessuna;
        QTest::newRow("11 900 senza 1") << testi({"0", "8"}, &Doc::tabs, QStringLiteral("900"))
                                        << QStringList{QStringLiteral("Manca traduzione (rec. 1)"),
                                                       QStringLiteral("TAbs=900 e manca abstract (rec. 1)")}
                                        << nessuna << nessuna;
        QTest::newRow("11 900 con 1")
            << testi({"0", "1"}, &Doc::tabs, QStringLiteral("900")) << nessuna << nessuna << nessuna;
        QTest::newRow("11 codice sconosciuto")
            << testi({"0", "1"}, &Doc::tabs, QStringLiteral("450")) << nessuna << nessuna << nessuna;
        QTest::newRow("12 coppie")
            << Modifica([](ArchivioProva&, Doc& d) {
                   d.coppie = {{QStringLiteral("S1"), QStringLiteral("D1"), 1},
                               {QStringLiteral("S2"), QStringLiteral("D2"), 0},
                               {QStringLiteral("S3"), QStringLiteral("D3*"), 2},
                               {QStringLiteral("S4"), QStringLiteral("D4*"), 3},
                               {QStringLiteral("S5"), QStringLiteral("D5"), 7}};
               })
            << nessuna
            << QStringList{QStringLiteral("Coppia non valida: S1; D1(rec. 1)"),
                           QStringLiteral("Coppia asteriscata valida: S3; D3*(rec. 1)"),
                           QStringLiteral("Coppia asteriscata non valida: S4; D4*(rec. 1)")}
            << nessuna;
        QTest::newRow("13 senza classificazione")
            << Modifica([](ArchivioProva&, Doc& d) { d.coppie.clear(); })
            << QStringList{QStringLiteral("Manca classificazione (rec. 1)")} << nessuna << nessuna;
        QTest::newRow("14 senza fonte")
            << Modifica([](ArchivioProva&, Doc& d) { d.senzaFonti = true; })
            << QStringList{QStringLiteral("Manca fonte (rec. 1)")} << nessuna << nessuna;
        QTest::newRow("14 GICO senza numero")
            << fonte("GICO", "C. Cost.", QStringLiteral(""), "12", "1", "2000") << nessuna << nessuna
            << QStringList{QStringLiteral("Senza numero: Cit. <GICO> città (rec. 1)")};
        QTest::newRow("14 GICA numero null")
            << fonte("GICA", "Cass.", QVariant(), "12", "1", "2000") << nessuna << nessuna
            << QStringList{QStringLiteral("Senza numero: Cit. <GICA> città (rec. 1)")};
        QTest::newRow("14 LIO senza numero")
            << fonte("LIO", "l.", QStringLiteral(""), "15", "3", "1990") << nessuna << nessuna << nessuna;
        QTest::newRow("14 C. Cost. 999") << fonte("GICO", "C. Cost.", QStringLiteral("999"), "1", "1", "2000")
                                         << nessuna << nessuna << nessuna;
        QTest::newRow("14 C. Cost. 1000")
            << fonte("GICO", "C. Cost.", QStringLiteral("1000"), "1", "1", "2000") << nessuna << nessuna
            << QStringList{QStringLiteral("GICA con numero >= 1000: Cit. <GICO> città (rec. 1)")};
        QTest::newRow("14 l. nel catalogo, mese prima")
            << fonte("LIO", "l.", QStringLiteral("22"), "15", "3", "1990") << nessuna << nessuna << nessuna;
        QTest::newRow("14 l. mese scritto 03")
            << fonte("LIO", "l.", QStringLiteral("22"), "15", "03", "1990") << nessuna << nessuna << nessuna;
        QTest::newRow("14 l. numero errato")
            << fonte("LIO", "l.", QStringLiteral("23"), "15", "3", "1990") << nessuna << nessuna
            << QStringList{QStringLiteral("Fonte errata: Cit. <LIO> città (rec. 1)")};
        QTest::newRow("14 l. giorno e mese scambiati")
            << fonte("LIO", "l.", QStringLiteral("22"), "3", "15", "1990") << nessuna << nessuna
            << QStringList{QStringLiteral("Fonte errata: Cit. <LIO> città (rec. 1)")};
        QTest::newRow("14 d.lg. cercato come d.lgs.")
            << fonte("LIO", "d.lg.", QStringLiteral("446"), "1", "12", "1997") << nessuna << nessuna
            << nessuna;
        QTest::newRow("14 l. cost. cercata come l.cost.")
            << fonte("LICO", "l. cost.", QStringLiteral("3"), "18", "10", "2001") << nessuna << nessuna
            << nessuna;
        QTest::newRow("14 atto fuori catalogo")
            << fonte("LIOA", "d.m.", QStringLiteral("1"), "1", "1", "2000") << nessuna << nessuna << nessuna;
        QTest::newRow("14 famiglia non esaminata")
            << fonte("LIR", "l.", QStringLiteral("99"), "1", "1", "2000") << nessuna << nessuna << nessuna;
        // A date the kind of act cannot have, whatever the catalogue says.
        QTest::newRow("14 r.d. dopo il 1946")
            << fonte("LIO", "r.d.", QStringLiteral("5"), "1", "1", "1950") << nessuna << nessuna
            << QStringList{QStringLiteral(
                               "Fonte con data impossibile per il tipo di atto: Cit. <LIO> città (rec. 1)"),
                           QStringLiteral("Fonte errata: Cit. <LIO> città (rec. 1)")};
        const auto ue = [](QString nome, QString anno) {
            return Modifica([=](ArchivioProva& a, Doc& d) {
                a.db().EseguiIstruzione(
                    QStringLiteral("insert into tabFonteCom (FonteCom, Tipo) values (?, 2)"), {nome});
                d.fonti << a.fonte({{QStringLiteral("TP"), QStringLiteral("NIC")},
                                    {QStringLiteral("IDNomeFonte"), a.db().lastInsertId()},
                                    {QStringLiteral("anno"), anno},
                                    {QStringLiteral("numero"), QStringLiteral("5")},
                                    {QStringLiteral("testo"), nome + u' ' + anno + QStringLiteral("/5")}});
            });
        };
        QTest::newRow("14 regolamento delegato prima del 2009")
            << ue("Reg. delegato prova", "2008") << nessuna << nessuna << nessuna;
        QTest::newRow("14 Reg. delegato UE prima del 2009")
            << ue("Reg. delegato UE", "2008") << nessuna << nessuna
            << QStringList{QStringLiteral(
                   "Fonte con data impossibile per il tipo di atto: Reg. delegato UE 2008/5 (rec. 1)")};
        QTest::newRow("14 Reg. delegato UE del 2010")
            << ue("Reg. delegato UE", "2010") << nessuna << nessuna << nessuna;
    }

    void rule() {
        QFETCH(Modifica, modifica);
        QFETCH(QStringList, generali);
        QFETCH(QStringList, classe);
        QFETCH(QStringList, fonti);
        TestHome t;
        catalogoBase(t);
        ArchivioProva a(t);
        Doc d;
        modifica(a, d);
        a.documento(d);
        const FileErrori f = EseguiControlli(t.state());
        QCOMPARE(righeFile(f.generali), generali + QStringList{QString()});
        QCOMPARE(righeFile(f.classe), classe + QStringList{QString()});
        QCOMPARE(righeFile(f.fonti), fonti + QStringList{QString()});
        QVERIFY(soloCrLf(f.generali) && soloCrLf(f.classe) && soloCrLf(f.fonti));
        QVERIFY(t.dialogs().unexpected().isEmpty());
    }

    // Rules in their order inside a document, documents in key order whatever the insert order.
    void rulesInOrderAndDocumentsByKey() {
        TestHome t;
        ArchivioProva a(t);
        Doc ok;
        ok.id = 2;
        Doc cattivo;
        cattivo.id = 7;
        cattivo.rifBibl = 0;
        cattivo.pagine = QStringLiteral("0");
        cattivo.td = QStringLiteral("");
        cattivo.tabs = QStringLiteral("");
        cattivo.bib = QStringLiteral("");
        cattivo.responsabile = false;
        cattivo.testi = {{QStringLiteral("8"), QStringLiteral("Abstract")}};
        cattivo.lin = QStringLiteral("01");
        cattivo.coppie = {{QStringLiteral("S9"), QStringLiteral("D9"), 1}};
        cattivo.senzaFonti = true;
        a.documento(cattivo);
        a.documento(ok);
        Doc senzaClasse;
        senzaClasse.id = 3;
        senzaClasse.coppie.clear();
        a.documento(senzaClasse);
        const FileErrori f = EseguiControlli(t.state());
        QCOMPARE(righeFile(f.generali),
                 (QStringList{QStringLiteral("Manca classificazione (rec. 3)"),
                              QStringLiteral("Manca rif. bibliografico (rec. 7)"),
                              QStringLiteral("Manca indicazione pagine (rec. 7)"),
                              QStringLiteral("Manca indicazione TD (rec. 7)"),
                              QStringLiteral("Manca indicazione TAbs (rec. 7)"),
                              QStringLiteral("Manca indicazione Bib (rec. 7)"),
                              QStringLiteral("Manca responsabilità (rec. 7)"),
                              QStringLiteral("Manca traduzione (rec. 7)"),
                              QStringLiteral("Lingua straniera - manca traduzione titolo (rec. 7)"),
                              QStringLiteral("Manza nota con TD <> 01 (rec. 7)"),
                              QStringLiteral("Manca fonte (rec. 7)"), QString()}));
        QCOMPARE(righeFile(f.classe),
                 (QStringList{QStringLiteral("Coppia non valida: S9; D9(rec. 7)"), QString()}));
    }

    // Without a catalogue, C. Cost. numbers are still judged (they need no lookup); a law is not.
    void constitutionalCourtNeedsNoCatalogue() {
        TestHome t;
        QVERIFY(QFile::remove(t.home().cataloguePath()));
        ArchivioProva a(t);
        Doc d;
        d.fonti << a.fonteInterna(QStringLiteral("GICO"), QStringLiteral("C. Cost."), QStringLiteral("999"),
                                  QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2000"),
                                  QStringLiteral("a"))
                << a.fonteInterna(QStringLiteral("GICO"), QStringLiteral("C. Cost."), QStringLiteral("1000"),
                                  QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2000"),
                                  QStringLiteral("b"));
        a.documento(d);
        const FileErrori f = EseguiControlli(t.state());
        QCOMPARE(righeFile(f.fonti),
                 (QStringList{QStringLiteral("GICA con numero >= 1000: b (rec. 1)"), QString()}));

        // A law then needs the catalogue: the run stops with a message, the lists stay those of the
        // last run that ended, and the program goes on.
        Doc legge;
        legge.fonti << a.fonteInterna(QStringLiteral("LIO"), QStringLiteral("l."), QStringLiteral("22"),
                                      QStringLiteral("15"), QStringLiteral("3"), QStringLiteral("1990"),
                                      QStringLiteral("c"));
        a.documento(legge);
        t.dialogs().clear();
        QVERIFY(!SegnalaErrori(t.state(), [&] { EseguiControlli(t.state()); }));
        QCOMPARE(t.dialogs().shown().size(), size_t(1));
        QVERIFY(t.dialogs().lastText().contains(QStringLiteral("catalogo")));
        QCOMPARE(t.dialogs().shown().back().icon, Icon::Critical);
        QCOMPARE(righeFile(f.fonti),
                 (QStringList{QStringLiteral("GICA con numero >= 1000: b (rec. 1)"), QString()}));
        QVERIFY(!t.state().CatalogoAperto);
    }

    void secondRunReplacesTheFirst() {
        TestHome t;
        ArchivioProva a(t);
        Doc d;
        d.rifBibl = 0;
        a.documento(d);
        EseguiControlli(t.state());
        QCOMPARE(readFileBytes(dump(t, QStringLiteral("errori.12"))),
                 righe({"Manca rif. bibliografico (rec. 1)", ""}));
        a.db().EseguiIstruzione(QStringLiteral("update tabDocumento set IDRifBibl = 1"));
        EseguiControlli(t.state());
        QCOMPARE(readFileBytes(dump(t, QStringLiteral("errori.12"))), QByteArray("\r\n"));
    }

    // A batch appends one section per archive to each list; the other two names follow the
    // general one, whatever its case.
    void updateModeAppendsSections() {
        TestHome t;
        ArchivioProva a(t);
        Doc d;
        d.rifBibl = 0;
        d.coppie = {{QStringLiteral("S1"), QStringLiteral("D1"), 1}};
        a.documento(d);
        AppState& s = t.state();
        s.ModoAggiornamento = true;
        s.FileScelto = dump(t, QStringLiteral("ERRORI.abc"));
        s.SiglaAggiornamento = QStringLiteral("abc");
        const FileErrori f = EseguiControlli(s);
        QCOMPARE(f.classe, dump(t, QStringLiteral("errclasse.abc")));
        QCOMPARE(f.fonti, dump(t, QStringLiteral("errfonte.abc")));
        EseguiControlli(s);
        const QByteArray generale = righe({"Consegna 12", "Manca rif. bibliografico (rec. 1)", ""});
        QCOMPARE(readFileBytes(f.generali), generale + generale);
        const QByteArray classe = righe({"Consegna 12", "Coppia non valida: S1; D1(rec. 1)", ""});
        QCOMPARE(readFileBytes(f.classe), classe + classe);
        QCOMPARE(readFileBytes(f.fonti), righe({"Consegna 12", "", "Consegna 12", ""}));
        QCOMPARE(t.dialogs().texts(), QStringList(2, QStringLiteral("Fine controllo: 12")));
        QVERIFY(!QFileInfo::exists(dump(t, QStringLiteral("errori.12"))));

        s.FileScelto = dump(t, QStringLiteral("conteggio.abc"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, PercorsiErrori(s));
    }

    void updateModeLetsAFailureThrough() {
        TestHome t;
        ArchivioProva a(t);
        a.documento(Doc{});
        a.db().EseguiIstruzione(QStringLiteral("drop table legameDocResp"));
        t.state().ModoAggiornamento = true;
        t.state().FileScelto = dump(t, QStringLiteral("errori.abc"));
        QVERIFY_THROWS_EXCEPTION(DbError, SegnalaErrori(t.state(), [&] { EseguiControlli(t.state()); }));
        QVERIFY(t.dialogs().shown().empty());
        // The archive's section is added whole or not at all.
        for (const char* name : {"errori.abc", "errclasse.abc", "errfonte.abc"})
            QVERIFY2(!QFileInfo::exists(dump(t, QString::fromLatin1(name))), name);
    }

    void databaseErrorIsReportedAndFilesStayAsTheyWere() {
        TestHome t;
        ArchivioProva a(t);
        Doc d;
        d.rifBibl = 0;
        a.documento(d);
        const FileErrori f = EseguiControlli(t.state());
        const QByteArray before[] = {readFileBytes(f.generali), readFileBytes(f.classe),
                                     readFileBytes(f.fonti)};
        QCOMPARE(before[0], righe({"Manca rif. bibliografico (rec. 1)", ""}));
        a.db().EseguiIstruzione(QStringLiteral("update legameDocClass set Controllo = 1"));
        a.db().EseguiIstruzione(QStringLiteral("drop table legameDocResp"));
        t.dialogs().clear();
        QVERIFY(!SegnalaErrori(t.state(), [&] { EseguiControlli(t.state()); }));
        QCOMPARE(t.dialogs().texts().size(), 1);
        QVERIFY2(t.dialogs().lastText().contains(QStringLiteral(" --> no such table: legameDocResp")),
                 qPrintable(t.dialogs().lastText()));
        // The lists of the last run that ended, not a run cut half-way.
        QCOMPARE(readFileBytes(f.generali), before[0]);
        QCOMPARE(readFileBytes(f.classe), before[1]);
        QCOMPARE(readFileBytes(f.fonti), before[2]);
        QCOMPARE(QDir(t.home().dumpDir()).entryList(QDir::Files).size(), 3);
        QVERIFY(!t.state().CatalogoAperto);
    }

    // The catalogue opened by the source dialog stays open; one opened by the run is closed.
    void catalogueConnectionIsShared() {
        TestHome t;
        ArchivioProva a(t);
        a.documento(Doc{});
        EseguiControlli(t.state());
        QVERIFY(!t.state().CatalogoAperto);
        QVERIFY(ApriCatalogo(t.state()));
        EseguiControlli(t.state());
        QVERIFY(t.state().CatalogoAperto);
        QVERIFY(t.state().ConnessioneCatalogo.isOpen());
    }

    void missingDumpFolderIsCreated() {
        TestHome t;
        ArchivioProva a(t);
        a.documento(Doc{});
        QVERIFY(QDir(t.home().dumpDir()).removeRecursively());
        EseguiControlli(t.state());
        QCOMPARE(readFileBytes(dump(t, QStringLiteral("errori.12"))), QByteArray("\r\n"));
    }

    void linesAreWindows1252WithCrLf_data() {
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QByteArray>("atteso");
        QTest::newRow("windows-1252") << false << QByteArray("Fonte errata: l. citt\xE0 (rec. 1)\r\n\r\n");
        QTest::newRow("utf-8") << true << QByteArray("Fonte errata: l. citt\xC3\xA0 (rec. 1)\r\n\r\n");
    }

    void linesAreWindows1252WithCrLf() {
        QFETCH(bool, utf8);
        QFETCH(QByteArray, atteso);
        TestHome t;
        if (utf8)
            t.state().settings.encoding = TextEncoding::Utf8;
        ArchivioProva a(t);
        Doc d;
        d.fonti << a.fonteInterna(QStringLiteral("LIO"), QStringLiteral("l."), QStringLiteral("1"),
                                  QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1900"),
                                  QStringLiteral("l. città"));
        a.documento(d);
        EseguiControlli(t.state());
        QCOMPARE(readFileBytes(dump(t, QStringLiteral("errfonte.12"))), atteso);
    }

    void viewerShowsTheListOrSaysItIsMissing() {
        TestHome t;
        ArchivioProva a(t);
        QStringList mostrati;
        const auto finestra = [&](const QString& testo) { mostrati << testo; };
        MostraErrori(t.state(), QStringLiteral("7"), QStringLiteral("errori."),
                     QStringLiteral("Errori generici"), finestra);
        QVERIFY(mostrati.isEmpty());
        QVERIFY(t.dialogs().lastText().contains(QStringLiteral("non esiste ancora")));

        Doc d;
        d.rifBibl = 0;
        d.pagine = QStringLiteral("0");
        a.documento(d);
        EseguiControlli(t.state());
        t.dialogs().clear();
        MostraErrori(t.state(), QStringLiteral("7"), QStringLiteral("errori."),
                     QStringLiteral("Errori generici"), finestra);
        QCOMPARE(mostrati,
                 QStringList{QStringLiteral("Errori generici\r\n\r\nManca rif. bibliografico (rec. 1)\r\n"
                                            "Manca indicazione pagine (rec. 1)\r\n\r\n")});
        QVERIFY(t.dialogs().shown().empty());
    }

    // The viewer gets every line of the file followed by CR LF, whatever break the file has.
    void viewerTextOfAnyLineBreaks_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("mostrato"); // empty: "Non ci sono errori!"
        const QString t = QStringLiteral("Errori generici\r\n\r\n");
        QTest::newRow("error-free") << QByteArray("\r\n") << QString();
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n\r\n") << t + "a\r\nb\r\n\r\n";
        QTest::newRow("LF, no break at the end") << QByteArray("a\nb") << t + "a\r\nb\r\n";
        QTest::newRow("lone CR and LF CR") << QByteArray("a\rb\n\rc") << t + "a\r\nb\r\n\r\nc\r\n";
        QTest::newRow("empty file") << QByteArray() << t;
        QTest::newRow("Windows-1252") << QByteArray("citt\xe0\r\n") << t + QStringLiteral("città\r\n");
    }

    void viewerTextOfAnyLineBreaks() {
        QFETCH(QByteArray, file);
        QFETCH(QString, mostrato);
        TestHome t;
        ArchivioProva a(t);
        QFile out(dump(t, QStringLiteral("errori.12")));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();
        QStringList mostrati;
        MostraErrori(t.state(), QStringLiteral("7"), QStringLiteral("errori."),
                     QStringLiteral("Errori generici"), [&](const QString& testo) { mostrati << testo; });
        if (mostrato.isEmpty()) {
            QVERIFY(mostrati.isEmpty());
            QCOMPARE(t.dialogs().lastText(), QStringLiteral("Non ci sono errori!"));
        } else {
            QCOMPARE(mostrati, QStringList{mostrato});
        }
    }
};

QTEST_GUILESS_MAIN(ChecksRules)
#include "tst_checks_rules.moc"
