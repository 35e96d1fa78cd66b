// The norms-catalogue search and its copy into the Normativa page, the treaty search, the EU
// convention pick and the prefix search of the pick lists.

#include "SourcesTestUtil.h"
#include "sources/CatalogoNorme.h"
#include "sources/Componi.h"
#include "sources/ElenchiFonti.h"
#include "support/TestHome.h"

#include <QtTest>

using namespace sourcestest;

namespace {

void righeCatalogo(cConnessione& c) {
    c.EseguiIstruzione(QStringLiteral("delete from tabCatalogo"));
    const QVariantList rows[] = {
        {90001, "l. 15 marzo 1990, n. 22", "Norme sul procedimento amministrativo", 1990, "22", "1990-03-15",
         "l."},
        {90002, "d.lgs. 2 marzo 2001, n. 57", "Orientamento e modernizzazione del settore agricolo", 2001,
         "57", "2001-03-02", "d.lgs."},
        {90003, "l. 3 aprile 1990, n. 80", "Disposizioni sul procedimento tributario", 1990, "80",
         "1990-04-03", "l."},
        {90004, "l.cost. 18 ottobre 2001, n. 3", "Modifiche al titolo V della Costituzione", 2001, "3",
         "2001-10-18", "l.cost."},
        {90005, "dir.p.c.m. 27 gennaio 1994", "Principi sull'erogazione dei servizi pubblici", 1994, "",
         "1994-01-27", "dir.p.c.m."},
        {90006, "d.lgs. 30 marzo 2001, n. 165",
         "Norme generali sull'ordinamento del lavoro alle dipendenze delle "
         "amministrazioni pubbliche",
         2001, "165", "2001-03-30", "d.lgs."},
    };
    for (const QVariantList& r : rows)
        c.EseguiIstruzione(
            QStringLiteral("insert into tabCatalogo (id, estremi, titolo, anno, numero, promulgazione, "
                           "abbreviazione) values (?, ?, ?, ?, ?, ?, ?)"),
            r);
}

QList<int> ids(const QStringList& righe) {
    QList<int> out;
    for (const QString& r : righe)
        out << r.section(QStringLiteral(") "), 0, 0).toInt();
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

class SourcesSearch : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void catalogue_data() {
        QTest::addColumn<QString>("giorno");
        QTest::addColumn<QString>("mese");
        QTest::addColumn<QString>("anno");
        QTest::addColumn<QString>("numero");
        QTest::addColumn<QString>("atto");
        QTest::addColumn<QString>("parola");
        QTest::addColumn<bool>("intero");
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("march without day") << ""
                                           << "marzo"
                                           << ""
                                           << ""
                                           << ""
                                           << "" << false << "Tutte" << QList<int>{90001, 90002, 90006};
        QTest::newRow("march the 2nd") << "2"
                                       << "marzo"
                                       << ""
                                       << ""
                                       << ""
                                       << "" << false << "Tutte" << QList<int>{90002};
        QTest::newRow("two-digit day") << "15"
                                       << "marzo"
                                       << ""
                                       << ""
                                       << ""
                                       << "" << false << "Tutte" << QList<int>{90001};
        QTest::newRow("a day alone is not searched") << "3"
                                                     << ""
                                                     << "1990"
                                                     << ""
                                                     << ""
                                                     << "" << false << "Tutte" << QList<int>{90001, 90003};
        QTest::newRow("year and number") << ""
                                         << ""
                                         << "1990"
                                         << "22"
                                         << ""
                                         << "" << false << "Tutte" << QList<int>{90001};
        QTest::newRow("d.lg. is searched as d.lgs.") << ""
                                                     << ""
                                                     << ""
                                                     << ""
                                                     << "d.lg."
                                                     << "" << false << "Tutte" << QList<int>{90002, 90006};
        QTest::newRow("dir. p.c.m.") << ""
                                     << ""
                                     << ""
                                     << ""
                                     << "dir. p.c.m."
                                     << "" << false << "Tutte" << QList<int>{90005};
        QTest::newRow("l. cost.") << ""
                                  << ""
                                  << ""
                                  << ""
                                  << "l. cost."
                                  << "" << false << "Tutte" << QList<int>{90004};
        QTest::newRow("all words") << ""
                                   << ""
                                   << ""
                                   << ""
                                   << ""
                                   << "procedimento norme" << false << "Tutte" << QList<int>{90001};
        QTest::newRow("any word") << ""
                                  << ""
                                  << ""
                                  << ""
                                  << ""
                                  << "procedimento Costituzione" << false << "Almeno una"
                                  << QList<int>{90001, 90003, 90004};
        QTest::newRow("exact sequence")
            << ""
            << ""
            << ""
            << ""
            << ""
            << "sul procedimento" << false << "Sequenza esatta" << QList<int>{90001, 90003};
        QTest::newRow("whole title") << ""
                                     << ""
                                     << ""
                                     << ""
                                     << ""
                                     << "Modifiche al titolo V della Costituzione" << true << "Tutte"
                                     << QList<int>{90004};
        QTest::newRow("words and fields") << ""
                                          << "marzo"
                                          << "2001"
                                          << ""
                                          << "d.lg."
                                          << "lavoro" << false << "Tutte" << QList<int>{90006};
        QTest::newRow("wildcards are literal") << ""
                                               << ""
                                               << ""
                                               << ""
                                               << ""
                                               << "%" << false << "Tutte" << QList<int>{};
        QTest::newRow("year not a number") << ""
                                           << ""
                                           << "19x0"
                                           << ""
                                           << ""
                                           << "" << false << "Tutte" << QList<int>{};
    }
    void catalogue() {
        QFETCH(QString, giorno);
        QFETCH(QString, mese);
        QFETCH(QString, anno);
        QFETCH(QString, numero);
        QFETCH(QString, atto);
        QFETCH(QString, parola);
        QFETCH(bool, intero);
        QFETCH(QString, modo);
        QFETCH(QList<int>, found);
        TestHome t;
        QVERIFY(ApriCatalogo(t.state()));
        righeCatalogo(t.state().ConnessioneCatalogo);
        const RicercaCatalogo r{giorno, mese, anno, numero, atto, parola, intero, modo};
        QStringList righe = {QStringLiteral("previous")};
        const bool ok = CercaCatalogo(t.state().ConnessioneCatalogo, t.dialogs(), r, righe);
        QCOMPARE(ok, !found.isEmpty());
        if (found.isEmpty()) {
            QCOMPARE(righe, QStringList{QStringLiteral("previous")});
            QCOMPARE(t.dialogs().texts(),
                     QStringList{QStringLiteral(
                         "Non ci sono provvedimenti che soddisfano la ricerca - cambiare e riprovare")});
        } else {
            QCOMPARE(ids(righe), found);
            QVERIFY(t.dialogs().shown().empty());
        }
    }

    void deliveredCatalogueByMonth_data() {
        QTest::addColumn<QString>("mese");
        QTest::addColumn<QString>("giorno");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("march") << "marzo"
                               << ""
                               << "____-03-__";
        QTest::newRow("december") << "dicembre"
                                  << ""
                                  << "____-12-__";
        QTest::newRow("31 december") << "dicembre"
                                     << "31"
                                     << "____-12-31";
    }
    void deliveredCatalogueByMonth() {
        QFETCH(QString, mese);
        QFETCH(QString, giorno);
        QFETCH(QString, pattern);
        TestHome t;
        QVERIFY(ApriCatalogo(t.state()));
        cConnessione& c = t.state().ConnessioneCatalogo;
        RicercaCatalogo r;
        r.mese = mese;
        r.giorno = giorno;
        QStringList righe;
        QVERIFY(CercaCatalogo(c, t.dialogs(), r, righe));
        RecordSet rs = c.ApriRS(
            QStringLiteral("select count(*) as n from tabCatalogo where promulgazione like ?"), {pattern});
        QCOMPARE(righe.size(), rs.field(u"n").toInt());
        for (const QString& riga : righe) {
            RecordSet one = c.ApriRS(QStringLiteral("select promulgazione from tabCatalogo where id = ?"),
                                     {riga.section(QStringLiteral(") "), 0, 0).toLongLong()});
            QCOMPARE(one.field(0).toString().mid(5, 2), pattern.mid(5, 2));
        }
    }

    void catalogueLines() {
        TestHome t;
        QVERIFY(ApriCatalogo(t.state()));
        cConnessione& c = t.state().ConnessioneCatalogo;
        righeCatalogo(c);
        QStringList righe;
        RicercaCatalogo r;
        r.anno = QStringLiteral("1990");
        r.numero = QStringLiteral("22");
        QVERIFY(CercaCatalogo(c, t.dialogs(), r, righe));
        QCOMPARE(righe, QStringList{QStringLiteral(
                            "90001) l. 15 marzo 1990, n. 22 --- Norme sul procedimento amministrativo")});
        QCOMPARE(DettaglioCatalogo(c, 90001),
                 QStringLiteral("l. 15 marzo 1990, n. 22\nNorme sul procedimento amministrativo"));
        QVERIFY(DettaglioCatalogo(c, 1).isEmpty());

        // Nothing filled in: nothing searched, nothing said.
        righe.clear();
        QVERIFY(!CercaCatalogo(c, t.dialogs(), RicercaCatalogo{}, righe));
        QVERIFY(righe.isEmpty());
        QVERIFY(t.dialogs().shown().empty());
    }

    void catalogueCopy_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("atto");
        QTest::addColumn<QString>("giorno");
        QTest::addColumn<QString>("mese");
        QTest::addColumn<QString>("testo");
        QTest::newRow("law") << 90001 << 2 << "l."
                             << "15"
                             << "marzo"
                             << "l. 15 marzo 1990, n. 22";
        QTest::newRow("d.lgs. becomes d.lg., day without zero") << 90002 << 2 << "d.lg."
                                                                << "2"
                                                                << "marzo"
                                                                << "d.lg. 2 marzo 2001, n. 57";
        QTest::newRow("constitutional law") << 90004 << 1 << ""
                                            << "18"
                                            << "ottobre"
                                            << "l. cost. 18 ottobre 2001, n. 3";
        QTest::newRow("dir.p.c.m. becomes dir. p.c.m.") << 90005 << 2 << "dir. p.c.m."
                                                        << "27"
                                                        << "gennaio"
                                                        << "dir. p.c.m. 27 gennaio 1994";
    }
    void catalogueCopy() {
        QFETCH(int, id);
        QFETCH(int, tipo);
        QFETCH(QString, atto);
        QFETCH(QString, giorno);
        QFETCH(QString, mese);
        QFETCH(QString, testo);
        TestHome t;
        QVERIFY(ApriCatalogo(t.state()));
        righeCatalogo(t.state().ConnessioneCatalogo);
        PaginaFonte p = pagina(QStringLiteral("tipo=7|atto=d.m.|gg=9|aa=1|n=2|art=4"));
        QVERIFY(CopiaCatalogo(t.state().ConnessioneCatalogo, id, p));
        QCOMPARE(p.tipo, tipo);
        QCOMPARE(p.voceTipo, TipiNormativa().at(tipo - 1));
        QCOMPARE(p.atto, atto);
        QCOMPARE(p.txtGG, giorno);
        QCOMPARE(p.mese, mese);
        QCOMPARE(p.txtArt, QStringLiteral("4")); // the article is the operator's
        // The copied page composes the act's citation.
        p.txtArt.clear();
        DocumentBuffer b;
        QVERIFY(ImmettiFonteInterna(PaginaNormativa, p, b, t.dialogs()));
        QCOMPARE(b.ElencoFonti[0].testo, testo);
        QVERIFY(!CopiaCatalogo(t.state().ConnessioneCatalogo, 1, p));
    }

    void abbreviations() {
        QCOMPARE(NomiAttoCatalogo().size(), 7);
        for (const QString& n : NomiAttoCatalogo())
            QCOMPARE(NomeListaDaCatalogo(AbbreviazioneCatalogo(n)), n);
        QCOMPARE(AbbreviazioneCatalogo(QStringLiteral("d.lg.")), QStringLiteral("d.lgs."));
        QCOMPARE(AbbreviazioneCatalogo(QStringLiteral("dir. p.c.m.")), QStringLiteral("dir.p.c.m."));
        QCOMPARE(AbbreviazioneCatalogo(QStringLiteral("l.")), QStringLiteral("l."));
    }

    void prefix_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        const QStringList citta = {QStringLiteral("Bologna"), QStringLiteral("Bari"), QStringLiteral("Roma"),
                                   QStringLiteral("Bolzano")};
        QTest::newRow("starts at line 1") << citta << "bo" << 3;
        QTest::newRow("line 0 comes last") << citta << "bol" << 3;
        QTest::newRow("only line 0") << citta << "bologna" << 0;
        QTest::newRow("ignores case") << citta << "ROM" << 2;
        QTest::newRow("first after line 0") << citta << "b" << 1;
        QTest::newRow("none") << citta << "x" << -1;
        QTest::newRow("longer than any line") << citta << "Romagna" << -1;
        QTest::newRow("empty text") << citta << "" << -1;
        QTest::newRow("empty list") << QStringList() << "a" << -1;
        QTest::newRow("single line") << QStringList{QStringLiteral("Roma")} << "r" << 0;
        QTest::newRow("accented") << QStringList{QStringLiteral("x"), QStringLiteral("Èrbusco")} << "èr" << 1;
        QTest::newRow("treaty line") << QStringList{QStringLiteral("9001) Conv. Vienna"),
                                                    QStringLiteral("9002) CEDU")}
                                     << "9002" << 1;
    }
    void prefix() {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QFETCH(int, row);
        QCOMPARE(TrovaPrefisso(lines, text), row);
    }

    void treaties() {
        TestHome t;
        QVERIFY(t.open(t.createArchive()));
        cConnessione& c = t.state().Connessione;
        fixtureLookup(c);
        const QStringList tutti = CaricaNIT(c);
        QVERIFY(tutti.contains(QStringLiteral("9001) Conv. Vienna 23 maggio 1969")));
        QVERIFY(tutti.contains(QStringLiteral("9002) Conv. eur. dir. uomo 4 novembre 1950")));

        QStringList righe = {QStringLiteral("kept")};
        QVERIFY(!CercaNIT(c, t.dialogs(), QString(), false, QStringLiteral("Tutte"), righe));
        QVERIFY(t.dialogs().shown().empty());
        QVERIFY(CercaNIT(c, t.dialogs(), QStringLiteral("Vienna"), false, QStringLiteral("Tutte"), righe));
        QCOMPARE(righe, QStringList{QStringLiteral("9001) Conv. Vienna 23 maggio 1969")});
        QVERIFY(CercaNIT(c, t.dialogs(), QStringLiteral("Vienna uomo"), false, QStringLiteral("Almeno una"),
                         righe));
        QCOMPARE(righe.size(), 2);
        QVERIFY(
            CercaNIT(c, t.dialogs(), QStringLiteral("Conv. Vienna 23 maggio 1969"), true, QString(), righe));
        QCOMPARE(righe.size(), 1);
        QVERIFY(!CercaNIT(c, t.dialogs(), QStringLiteral("Vienna"), true, QString(), righe));
        QCOMPARE(righe.size(), 1);
        QCOMPARE(
            t.dialogs().texts(),
            QStringList{QStringLiteral("Non ci sono atti che soddisfano la ricerca - cambiare e riprovare")});
    }

    void conventionPickKeepsEveryRow() {
        TestHome t;
        QVERIFY(t.open(t.createArchive()));
        cConnessione& c = t.state().Connessione;
        for (int i = 1; i <= 13; ++i)
            c.EseguiIstruzione(
                QStringLiteral("insert into tabFonte (TP, testo, giorno, mese, anno, altro, IDNomeFonte) "
                               "values ('NIC', ?, ?, ?, ?, ?, 30)"),
                {QStringLiteral("Conv. UE %1").arg(i), QString::number(i), QString::number((i - 1) % 12 + 1),
                 QString::number(1990 + i), QStringLiteral("nota %1").arg(i)});
        c.EseguiIstruzione(QStringLiteral(
            "insert into tabFonte (TP, testo, mese, IDNomeFonte) values ('GEC', 'x', '0', 30)"));
        c.EseguiIstruzione(QStringLiteral(
            "insert into tabFonte (TP, testo, mese, IDNomeFonte) values ('NIC', 'y', '0', 31)"));
        c.EseguiIstruzione(QStringLiteral(
            "insert into tabFonte (TP, testo, mese, IDNomeFonte) values ('NIC', 'z', '0', 30)"));
        const QList<ConvenzioneUE> conv = ConvenzioniUE(c);
        QCOMPARE(conv.size(), 14);
        QCOMPARE(conv[0].riga, QStringLiteral("1) Conv. UE 1"));
        QCOMPARE(conv[12].riga, QStringLiteral("13) Conv. UE 13"));
        QCOMPARE(conv[12].giorno, QStringLiteral("13"));
        QCOMPARE(conv[12].mese, QStringLiteral("gennaio"));
        QCOMPARE(conv[12].anno, QStringLiteral("2003"));
        QCOMPARE(conv[12].altro, QStringLiteral("nota 13"));
        QCOMPARE(conv[11].mese, QStringLiteral("dicembre"));
        QCOMPARE(conv[13].riga, QStringLiteral("14) z"));
        QVERIFY(conv[13].mese.isEmpty());
    }

    void lists() {
        TestHome t;
        QVERIFY(t.open(t.createArchive()));
        cConnessione& c = t.state().Connessione;
        fixtureLookup(c);
        QVERIFY(FontiInterne(c, QStringLiteral("2"), QStringLiteral("1")).contains(QStringLiteral("d.lg.")));
        QVERIFY(!FontiInterne(c, QStringLiteral("2"), QStringLiteral("1")).contains(QStringLiteral("l. r.")));
        const QStringList speciali =
            FontiInterne(c, QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("8"));
        QVERIFY(speciali.contains(QStringLiteral("Trib. Acque")));
        QVERIFY(speciali.contains(QStringLiteral("Comm. ricorsi brevetti")));
        QVERIFY(FontiInterne(c, QStringLiteral("1")).contains(QStringLiteral("Norme bancarie uniformi")));
        const QStringList citta = ElencoCitta(c);
        QVERIFY(std::is_sorted(citta.begin(), citta.end()));
        QVERIFY(citta.contains(QStringLiteral("Bolzano")));
        QVERIFY(ElencoStati(c).contains(QStringLiteral("Francia")));
        QVERIFY(FontiComunitarie(c, 4).contains(QStringLiteral("Conv. UE")));
        QVERIFY(FontiInternazionali(c, 3).contains(QStringLiteral("C. eur. dir. uomo")));
        QVERIFY(FontiCanoniche(c).contains(QStringLiteral("Rota Romana")));
        QVERIFY(!FontiCanoniche(c).contains(QStringLiteral("C. Iur. Can.")));
    }
};

QTEST_GUILESS_MAIN(SourcesSearch)
#include "tst_sources_compose_search.moc"
