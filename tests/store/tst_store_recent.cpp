// The recent archives kept in quillaro.ini, and the sections the program rewrites there without
// touching what an administrator wrote.

#include "store/ArchiviRecenti.h"
#include "store/SezioniIni.h"
#include "support/TestHome.h"

#include <QFile>
#include <QtTest>

namespace {

void scriviFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// An empty file standing for an archive: the list only looks at the name and whether it exists.
QString archivio(TestHome& t, const QString& nome) {
    const QString path = t.home().mdbPath(nome);
    scriviFile(path, "x");
    return path;
}

QStringList percorsi(const QList<ArchivioRecente>& elenco) {
    QStringList out;
    for (const ArchivioRecente& a : elenco)
        out << a.percorso;
    return out;
}

const QDateTime kIeri(QDate(2026, 3, 9), QTime(8, 30));

} // namespace

class StoreRecent : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sectionIsRewrittenAlone_data();
    void sectionIsRewrittenAlone();
    void encodedTextsComeBack_data();
    void encodedTextsComeBack();
    void mostRecentFirstOnceAndTenAtMost();
    void sameFileUnderAnotherPath();
    void keptAcrossSessionsWithTheirDetails();
    void missingFilesLeaveAtTheNextStart();
    void handEditedListIsReadAsKept();
    void settingsStillReadAfterTheListIsWritten();
    void unwritableIniKeepsTheList();
};

void StoreRecent::sectionIsRewrittenAlone_data() {
    QTest::addColumn<QByteArray>("prima");
    QTest::addColumn<QByteArray>("dopo");
    QTest::newRow("appended after the settings")
        << QByteArray("[output]\n; a comment of the administrator\nencoding=utf-8\n")
        << QByteArray("[output]\n; a comment of the administrator\nencoding=utf-8\n\n[prova]\n; nota\na=1\n");
    QTest::newRow("replaced in the middle, the next section parted by one blank line")
        << QByteArray("[output]\nencoding=utf-8\n\n[PROVA]\nvecchia=0\n\n\n[services]\ncelex=x\n")
        << QByteArray("[output]\nencoding=utf-8\n\n[prova]\n; nota\na=1\n\n[services]\ncelex=x\n");
    QTest::newRow("CR LF kept, a second copy of the section dropped")
        << QByteArray("; top\r\n[prova]\r\nx=1\r\n[services]\r\ncelex=x\r\n[prova]\r\ny=2\r\n")
        << QByteArray("; top\r\n[prova]\r\n; nota\r\na=1\r\n\r\n[services]\r\ncelex=x\r\n");
    QTest::newRow("no file yet") << QByteArray() << QByteArray("[prova]\n; nota\na=1\n");
    QTest::newRow("an administrator's Windows-1252 kept byte for byte")
        << QByteArray("; a cura di Nicol\xF2\r\n[output]\r\nencoding=windows-1252\r\n[prova]\r\nx=\xE8\r\n")
        << QByteArray(
               "; a cura di Nicol\xF2\r\n[output]\r\nencoding=windows-1252\r\n[prova]\r\n; nota\r\na=1\r\n");
    QTest::newRow("bytes that are no text at all")
        << QByteArrayLiteral("[output]\n\xFF\xFE\x00\x01 binario\n")
        << QByteArrayLiteral("[output]\n\xFF\xFE\x00\x01 binario\n\n[prova]\n; nota\na=1\n");
}

void StoreRecent::sectionIsRewrittenAlone() {
    QFETCH(QByteArray, prima);
    QFETCH(QByteArray, dopo);
    TestHome t;
    const QString ini = t.home().filePath(QStringLiteral("prova.ini"));
    if (!prima.isEmpty())
        scriviFile(ini, prima);
    QString errore;
    QVERIFY(ScriviSezioneIni(ini, QStringLiteral("prova"), {QStringLiteral("nota")},
                             {{QStringLiteral("a"), QStringLiteral("1")}}, &errore));
    QCOMPARE(readFileBytes(ini), dopo);
    QCOMPARE(LeggiSezioneIni(ini, QStringLiteral("Prova")),
             QList<VoceIni>({{QStringLiteral("a"), QStringLiteral("1")}}));
}

void StoreRecent::encodedTextsComeBack_data() {
    QTest::addColumn<QString>("testo");
    QTest::newRow("separators and markers") << QStringLiteral("a|b=c;d#e[f]g%41");
    QTest::newRow("blanks at either end") << QStringLiteral("  Consegna 12 ");
    QTest::newRow("accents and emoji") << QStringLiteral("Città/Perché 😀.db");
    QTest::newRow("line breaks and tabs") << QStringLiteral("a\nb\r\tc");
    QTest::newRow("empty") << QString();
}

void StoreRecent::encodedTextsComeBack() {
    QFETCH(QString, testo);
    const QString codificato = CodificaIni(testo);
    for (const QChar c : QStringView(u"|=;#[]\n\r\t"))
        QVERIFY2(!codificato.contains(c), qPrintable(codificato));
    QCOMPARE(codificato.trimmed(), codificato);
    QCOMPARE(DecodificaIni(codificato), testo);
    // Through the file as well.
    TestHome t;
    const QString ini = t.home().settingsPath();
    QVERIFY(ScriviSezioneIni(ini, QStringLiteral("prova"), {}, {{QStringLiteral("k"), codificato}}));
    QCOMPARE(DecodificaIni(LeggiSezioneIni(ini, QStringLiteral("prova")).value(0).valore), testo);
}

void StoreRecent::mostRecentFirstOnceAndTenAtMost() {
    TestHome t;
    QStringList aperti;
    for (int i = 1; i <= 12; ++i) {
        aperti.prepend(archivio(t, QStringLiteral("A%1.db").arg(i)));
        QVERIFY(RegistraArchivioRecente(t.home(), {aperti.first(), QString::number(i), kIeri.addSecs(i)}));
    }
    QCOMPARE(percorsi(LeggiArchiviRecenti(t.home())), aperti.mid(0, kArchiviRecenti));
    // Opened again: first, and only once.
    QVERIFY(RegistraArchivioRecente(t.home(), {aperti[5], QStringLiteral("7"), kIeri.addDays(1)}));
    const QList<ArchivioRecente> elenco = LeggiArchiviRecenti(t.home());
    QCOMPARE(elenco.size(), kArchiviRecenti);
    QCOMPARE(elenco.first().percorso, aperti[5]);
    QCOMPARE(percorsi(elenco).count(aperti[5]), 1);
    QCOMPARE(elenco.first().aperto, kIeri.addDays(1));
    QCOMPARE(elenco.at(1).percorso, aperti[0]);
}

void StoreRecent::sameFileUnderAnotherPath() {
    TestHome t;
    const QString a = archivio(t, QStringLiteral("DEMO.db"));
    QVERIFY(RegistraArchivioRecente(t.home(), {a, QStringLiteral("1"), kIeri}));
    const QString giro = t.home().mdbDir() + QStringLiteral("/../mdb/./DEMO.db");
    QVERIFY(RegistraArchivioRecente(t.home(), {giro, QStringLiteral("1"), kIeri.addSecs(60)}));
    const QString link = t.home().filePath(QStringLiteral("collegamento.db"));
    QVERIFY(QFile::link(a, link));
    QVERIFY(RegistraArchivioRecente(t.home(), {link, QStringLiteral("1"), kIeri.addSecs(120)}));
    const QList<ArchivioRecente> elenco = LeggiArchiviRecenti(t.home());
    QCOMPARE(elenco.size(), 1);
    QCOMPARE(elenco.first().aperto, kIeri.addSecs(120));
    QVERIFY(StessoArchivio(elenco.first().percorso, a));
}

void StoreRecent::keptAcrossSessionsWithTheirDetails() {
    TestHome t;
    const QString a = archivio(t, QStringLiteral("Consegna | 12 = prova; #1.db"));
    QVERIFY(RegistraArchivioRecente(t.home(), {a, QStringLiteral(" 12/B "), kIeri}));
    // Another session of the program reads the file anew.
    const HomeFolder stessa(t.root());
    const QList<ArchivioRecente> elenco = LeggiArchiviRecenti(stessa);
    QCOMPARE(elenco.size(), 1);
    QCOMPARE(elenco.first().percorso, a);
    QCOMPARE(elenco.first().consegna, QStringLiteral(" 12/B "));
    QCOMPARE(elenco.first().aperto, kIeri);
    QVERIFY(elenco.first().esiste());
}

void StoreRecent::missingFilesLeaveAtTheNextStart() {
    TestHome t;
    const QString a = archivio(t, QStringLiteral("A.db"));
    const QString b = archivio(t, QStringLiteral("B.db"));
    QVERIFY(RegistraArchivioRecente(t.home(), {a, {}, kIeri}));
    QVERIFY(RegistraArchivioRecente(t.home(), {b, {}, kIeri.addSecs(1)}));
    QVERIFY(QFile::remove(a));
    // During the session it stays, known to be missing.
    QList<ArchivioRecente> elenco = LeggiArchiviRecenti(t.home());
    QCOMPARE(percorsi(elenco), QStringList({b, a}));
    QVERIFY(!elenco.at(1).esiste());
    // The next start drops it, in the file too.
    QCOMPARE(percorsi(DimenticaArchiviMancanti(t.home())), QStringList({b}));
    QCOMPARE(percorsi(LeggiArchiviRecenti(t.home())), QStringList({b}));
}

void StoreRecent::handEditedListIsReadAsKept() {
    TestHome t;
    const QString a = archivio(t, QStringLiteral("A.db"));
    const QString b = archivio(t, QStringLiteral("B.db"));
    QFile ini(t.home().settingsPath());
    QVERIFY(ini.open(QIODevice::Append));
    ini.write(QStringLiteral("\n[recenti]\n3=2026-03-09T08:30:00|1|%1\n1=2026-03-10T08:30:00|2|%2\n"
                             "2=not a line\nx=2026-03-09T08:30:00|1|%1\n4=2026-03-08T08:30:00|3|%2\n")
                  .arg(a, b)
                  .toUtf8());
    ini.close();
    // In key order, the broken lines and the second mention of a file passed over.
    const QList<ArchivioRecente> elenco = LeggiArchiviRecenti(t.home());
    QCOMPARE(percorsi(elenco), QStringList({b, a}));
    QCOMPARE(elenco.first().consegna, QStringLiteral("2"));
}

void StoreRecent::settingsStillReadAfterTheListIsWritten() {
    TestHome t;
    scriviFile(
        t.home().settingsPath(),
        "[output]\n; utf-8 for the new tools\nencoding=utf-8\n[services]\ncelex=https://celex.example/\n");
    QVERIFY(RegistraArchivioRecente(t.home(), {archivio(t, QStringLiteral("A.db")), {}, kIeri}));
    const Settings s = Settings::load(t.home());
    QCOMPARE(s.encoding, TextEncoding::Utf8);
    QCOMPARE(s.celexBase, QStringLiteral("https://celex.example"));
    QVERIFY(readFileBytes(t.home().settingsPath()).startsWith("[output]\n; utf-8 for the new tools\n"));
}

void StoreRecent::unwritableIniKeepsTheList() {
    TestHome t;
    const QString a = archivio(t, QStringLiteral("A.db"));
    QVERIFY(RegistraArchivioRecente(t.home(), {a, {}, kIeri}));
    const QByteArray prima = readFileBytes(t.home().settingsPath());
    // quillaro.ini where a folder stands: nothing can be written there.
    TestHome altra;
    QVERIFY(QFile::remove(altra.home().settingsPath()));
    QVERIFY(QDir().mkpath(altra.home().settingsPath()));
    QString errore;
    QVERIFY(!RegistraArchivioRecente(altra.home(), {a, {}, kIeri}, &errore));
    QVERIFY(!errore.isEmpty());
    QVERIFY(LeggiArchiviRecenti(altra.home()).isEmpty());
    QCOMPARE(readFileBytes(t.home().settingsPath()), prima);
}

QTEST_GUILESS_MAIN(StoreRecent)
#include "tst_store_recent.moc"
