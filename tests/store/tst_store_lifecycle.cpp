// Creating, opening and closing archives, and the delivery information.

#include "store/Archivio.h"
#include "support/FileFaults.h"
#include "support/TestHome.h"

#include <QtTest>

class StoreLifecycle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void informazioneCompleta_data();
    void informazioneCompleta();
    void comboItems();
    void newArchiveGetsItsInformation();
    void newArchiveNeverReplacesAnExistingOne();
    void newArchiveFailuresLeaveNothingBehind();
    void newArchiveWholeOrNothingAtEveryFaultPoint();
    void openReadsInfoAndCloseCloses();
    void openRefusesWhatIsNotAnArchive();
    void archiveWithoutInfoRow();
    void documentIdentifier();
};

void StoreLifecycle::informazioneCompleta_data() {
    QTest::addColumn<QString>("centro");
    QTest::addColumn<QString>("anno");
    QTest::addColumn<QString>("consegna");
    QTest::addColumn<QString>("inizio");
    QTest::addColumn<bool>("complete");
    QTest::newRow("complete") << "3" << "2026" << "12" << "1" << true;
    QTest::newRow("centre caption") << "Centro spoglio" << "2026" << "12" << "1" << false;
    QTest::newRow("year caption") << "3" << "Anno produzione" << "12" << "1" << false;
    QTest::newRow("no delivery") << "3" << "2026" << "" << "1" << false;
    QTest::newRow("no start") << "3" << "2026" << "12" << "" << false;
    QTest::newRow("no centre") << "" << "2026" << "12" << "1" << false;
    QTest::newRow("blanks count as typed") << " " << "2026" << " " << "1" << true;
}

void StoreLifecycle::informazioneCompleta() {
    QFETCH(QString, centro);
    QFETCH(QString, anno);
    QFETCH(QString, consegna);
    QFETCH(QString, inizio);
    QFETCH(bool, complete);
    QCOMPARE((InformazioneConsegna{centro, anno, consegna, inizio}.completa()), complete);
}

void StoreLifecycle::comboItems() {
    const QStringList centres = CentriSpoglio();
    QCOMPARE(centres.size(), 9 + 26);
    QCOMPARE(centres.first(), QStringLiteral("1"));
    QCOMPARE(centres.mid(8, 12).join(QString()), QStringLiteral("9ABCDEFGHJKI"));
    QCOMPARE(centres.last(), QStringLiteral("Z"));
    QCOMPARE(AnniProduzione(QDate(2026, 12, 8)), (QStringList{"2025", "2026", "2027", "2028"}));
}

void StoreLifecycle::newArchiveGetsItsInformation() {
    TestHome t;
    const NuovoArchivio made = CreaArchivio(t.state(), t.home().mdbPath(QStringLiteral("cons1")),
                                            InformazioneConsegna{"A", "2026", "12", "7"});
    QCOMPARE(made.esito, EsitoNuovoArchivio::Creato);
    QCOMPARE(made.path, t.home().mdbPath(QStringLiteral("CONS1.db")));
    QVERIFY(!QFileInfo::exists(made.path + QStringLiteral(".new")));
    QVERIFY(t.open(made.path));
    QCOMPARE(t.state().Info.mid(0, 4), (QStringList{"A", "2026", "12", "7"}));
    QCOMPARE(t.state().Info.size(), int(InfoCount));
    QCOMPARE(t.state().NumInizio(), 7);
    // The template stays empty.
    cConnessione templ;
    QVERIFY(templ.ApriConnessione(t.home().templatePath(), FileKind::Template));
    QCOMPARE(templ.ApriRS(QStringLiteral("select count(*) from tabInfo")).field(0).toLongLong(), 0);
}

void StoreLifecycle::newArchiveNeverReplacesAnExistingOne() {
    TestHome t;
    const QString path = t.createArchive(QStringLiteral("CONS1"));
    QVERIFY(t.open(path));
    t.state().Connessione.EseguiIstruzione(QStringLiteral("insert into tabTesto (Testo) values ('lavoro')"));
    ChiudiArchivio(t.state());
    const QByteArray before = readFileBytes(path);
    for (const QString& name : {QStringLiteral("CONS1"), QStringLiteral("cons1.db"), QStringLiteral("Cons1")}) {
        const NuovoArchivio again = CreaArchivio(t.state(), t.home().mdbPath(name), InformazioneConsegna{"3", "2026", "1", "1"});
        QCOMPARE(again.esito, EsitoNuovoArchivio::NomeEsistente);
        QVERIFY(again.message.contains(QStringLiteral("esiste già")));
    }
    QCOMPARE(readFileBytes(path), before);
    QCOMPARE(CreaArchivio(t.state(), QString(), InformazioneConsegna{"3", "2026", "1", "1"}).esito,
             EsitoNuovoArchivio::NomeNonValido);
}

void StoreLifecycle::newArchiveFailuresLeaveNothingBehind() {
    TestHome t;
    const InformazioneConsegna info{"3", "2026", "1", "1"};
    // A target that cannot be written: its folder is a file.
    const QString notAFolder = t.home().filePath(QStringLiteral("bloccato"));
    QFile blocker(notAFolder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    NuovoArchivio made = CreaArchivio(t.state(), notAFolder + QStringLiteral("/X"), info);
    QCOMPARE(made.esito, EsitoNuovoArchivio::Errore);
    QVERIFY(made.message.startsWith(QStringLiteral("Archivio nuovo non creato")));
    QVERIFY(QFileInfo(notAFolder).isFile());
    // A missing template.
    QVERIFY(QFile::remove(t.home().templatePath()));
    made = CreaArchivio(t.state(), t.home().mdbPath(QStringLiteral("Y")), info);
    QCOMPARE(made.esito, EsitoNuovoArchivio::Errore);
    QVERIFY(made.message.contains(QStringLiteral("masterOnline.db")));
    QStringList left = QDir(t.home().mdbDir()).entryList(QDir::Files);
    left.sort();
    QCOMPARE(left, QStringList{"Catalogo norme.db"});
}

// The disk fills at every point of making a new archive in turn (the limit stepped over the whole
// file): the archive is refused and nothing is left in the folder, or it is there whole, opens and
// holds its delivery information.
void StoreLifecycle::newArchiveWholeOrNothingAtEveryFaultPoint() {
    if (!FileSizeLimit::available())
        QSKIP("no file size limit here");
    TestHome t;
    const InformazioneConsegna info{"3", "2026", "44", "1"};
    const QString target = t.home().mdbPath(QStringLiteral("PIENO.db"));
    const QStringList folder = QDir(t.home().mdbDir()).entryList(QDir::Files);
    const qint64 size = QFileInfo(t.home().templatePath()).size();
    const qint64 step = 4096; // SQLite's page: every page of the copy in turn
    int refused = 0;
    bool made = false;
    for (qint64 limit = 0; !made && limit <= 3 * size; limit += step) {
        NuovoArchivio result;
        {
            FileSizeLimit full(limit);
            result = CreaArchivio(t.state(), target, info);
        }
        if (result.esito == EsitoNuovoArchivio::Creato) {
            made = true;
            QVERIFY2(t.open(target), qPrintable(QString::number(limit)));
            QCOMPARE(t.state().Consegna(), QStringLiteral("44"));
            QCOMPARE(
                t.state().Connessione.ApriRS(QStringLiteral("PRAGMA integrity_check")).field(0).toString(),
                QStringLiteral("ok"));
            ChiudiArchivio(t.state());
        } else {
            ++refused;
            QVERIFY2(result.esito == EsitoNuovoArchivio::Errore, qPrintable(QString::number(limit)));
            QVERIFY2(result.message.startsWith(QStringLiteral("Archivio nuovo non creato")),
                     qPrintable(result.message));
            QCOMPARE(QDir(t.home().mdbDir()).entryList(QDir::Files), folder);
        }
    }
    QVERIFY(made);
    QVERIFY(refused >= size / step);
}

void StoreLifecycle::openReadsInfoAndCloseCloses() {
    TestHome t;
    const QString path = t.createArchive(QStringLiteral("CONS2"), QStringLiteral("B"), QStringLiteral("2025"),
                                         QStringLiteral("44"), QStringLiteral("101"));
    QVERIFY(ApriArchivio(t.state(), path));
    QVERIFY(t.state().ArchivioAperto);
    QCOMPARE(t.state().NomeArchivio, path);
    QCOMPARE(t.state().Consegna(), QStringLiteral("44"));
    QCOMPARE(t.state().IDCentroSpoglio(), QStringLiteral("B"));
    QVERIFY(t.dialogs().shown().empty());
    ChiudiArchivio(t.state());
    QVERIFY(!t.state().ArchivioAperto);
    QVERIFY(!t.state().Connessione.isOpen());
    ChiudiArchivio(t.state()); // closing twice is harmless
}

void StoreLifecycle::openRefusesWhatIsNotAnArchive() {
    TestHome t;
    const QString text = t.home().mdbPath(QStringLiteral("NOTE.db"));
    QFile f(text);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("appunti");
    f.close();
    for (const QString& path : {text, QString(), t.home().mdbPath(QStringLiteral("MANCA.db"))}) {
        t.dialogs().clear();
        QVERIFY(!ApriArchivio(t.state(), path));
        QVERIFY(!t.state().ArchivioAperto);
        QCOMPARE(t.dialogs().shown().size(), size_t(1));
        // A cancelled dialog gives the system's line alone; a file, what it is on the next line.
        const QStringList lines = t.dialogs().lastText().split(u'\n');
        QCOMPARE(lines.first(), QStringLiteral("Errore nell'apertura del db"));
        QCOMPARE(lines.size() == 1, path.isEmpty());
    }
    QCOMPARE(readFileBytes(text), QByteArray("appunti"));
}

void StoreLifecycle::archiveWithoutInfoRow() {
    TestHome t;
    // An archive that lost its delivery row (documents in it, so not the template) opens; the
    // operator is told.
    const QString path = t.createDemo();
    {
        cConnessione c;
        QVERIFY(c.ApriConnessione(path));
        c.EseguiIstruzione(QStringLiteral("delete from tabInfo"));
    }
    QVERIFY(ApriArchivio(t.state(), path));
    QCOMPARE(t.dialogs().shown().size(), size_t(1));
    QVERIFY(t.dialogs().lastText().startsWith(QStringLiteral("Nessun record corrente")));
    QCOMPARE(t.state().Consegna(), QString());
}

void StoreLifecycle::documentIdentifier() {
    TestHome t;
    t.state().Info[InfoAnnoProduzione] = QStringLiteral("2005");
    t.state().Info[InfoIDCentroSpoglio] = QStringLiteral("3");
    QCOMPARE(IdentificativoDocumento(t.state(), 27), QStringLiteral("200530027"));
    QCOMPARE(IdentificativoDocumento(t.state(), 12345), QStringLiteral("2005312345"));
    QCOMPARE(NumeroQuattroCifre(5), QStringLiteral("0005"));
}

QTEST_GUILESS_MAIN(StoreLifecycle)
#include "tst_store_lifecycle.moc"
