// Outputs written whole or not at all: a file replaced in one rename, a batch section added whole,
// and what a failure, a full disk or a kill leaves behind; control characters in text outputs.

#include "store/TextOutput.h"
#include "support/FileFaults.h"
#include "support/TestHome.h"

#include <QtTest>

namespace {

QByteArray bytesOf(const QStringList& lines) {
    QByteArray out;
    for (const QString& l : lines)
        out += encodeWindows1252(l) + "\r\n";
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// What the folder holds besides the given files: temporary files and notes left behind.
QStringList others(const QString& folder, const QStringList& expected) {
    QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    for (const QString& e : expected)
        found.removeAll(e);
    return found;
}

QString longLine(int i) {
    return QStringLiteral("Riga %1 ").arg(i) + QString(200, u'x');
}

// Counts the steps of a group being put in place and ends the process, as a kill does, at one.
int killAtGroupStep = 0;
int groupSteps = 0;
void countGroupStep() {
#ifdef Q_OS_UNIX
    if (++groupSteps == killAtGroupStep)
        kill(getpid(), SIGKILL);
#endif
}

} // namespace

class StoreOutputs : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void replacedOnlyWhenClosed_data();
    void replacedOnlyWhenClosed();
    void aWriteThatFailsHalfWay_data();
    void aWriteThatFailsHalfWay();
    void aSectionIsAddedWhole();
    void aFailedAppendIsTakenBack();
    void aSectionLeftHalfAddedIsCutOff_data();
    void aSectionLeftHalfAddedIsCutOff();
    void killedWhileAdding();
    void outputsClosedTogether();
    void aKillNeverLeavesListsOfTwoRuns_data();
    void aKillNeverLeavesListsOfTwoRuns();
    void theHomesOwnFilesAreWrittenWhole();
    void controlCharacters_data();
    void controlCharacters();
    void controlsShownEscaped_data();
    void controlsShownEscaped();
};

void StoreOutputs::replacedOnlyWhenClosed_data() {
    QTest::addColumn<bool>("previous");
    QTest::newRow("over an earlier file") << true;
    QTest::newRow("no earlier file") << false;
}

void StoreOutputs::replacedOnlyWhenClosed() {
    QFETCH(bool, previous);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("errori.12"));
    const QByteArray before = bytesOf({QStringLiteral("vecchio")});
    if (previous)
        writeFile(path, before);
    {
        TextOutput out;
        out.open(path, TextOutput::Mode::Truncate, TextEncoding::Windows1252);
        for (int i = 0; i < 2000; ++i)
            out.writeLine(longLine(i));
        // Half a megabyte written, and the final name still holds the earlier file (or nothing).
        QCOMPARE(readFileBytes(path), previous ? before : QByteArray());
        QCOMPARE(QFileInfo::exists(path), previous);
        // Dropped: a run that failed.
    }
    QCOMPARE(readFileBytes(path), previous ? before : QByteArray());
    QCOMPARE(QFileInfo::exists(path), previous);
    QCOMPARE(others(dir.path(), {QStringLiteral("errori.12")}), QStringList());

    TextOutput out;
    out.open(path, TextOutput::Mode::Truncate, TextEncoding::Windows1252);
    out.writeLine(u"nuovo");
    out.close();
    QCOMPARE(readFileBytes(path), bytesOf({QStringLiteral("nuovo")}));
    QCOMPARE(out.path(), path);
    QCOMPARE(others(dir.path(), {QStringLiteral("errori.12")}), QStringList());
}

void StoreOutputs::aWriteThatFailsHalfWay_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("replace") << int(TextOutput::Mode::Truncate);
    QTest::newRow("append") << int(TextOutput::Mode::Append);
}

void StoreOutputs::aWriteThatFailsHalfWay() {
    // The disk fills while the output is written, at every point of the writing in turn (the
    // limit stepped over the whole new file): the run fails and the earlier file stays, or the
    // new file is there whole; nothing else is ever left beside it.
    if (!FileSizeLimit::available())
        QSKIP("no file size limit here");
    QFETCH(int, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.A26"));
    const QByteArray before = bytesOf({QStringLiteral("Consegna 1"), QStringLiteral("nota")});
    QByteArray lines;
    for (int i = 0; i < 100; ++i)
        lines += bytesOf({longLine(i)});
    const QByteArray after = TextOutput::Mode(mode) == TextOutput::Mode::Append ? before + lines : lines;
    const qint64 step = 512;
    int failed = 0;
    int written = 0;
    for (qint64 limit = 0; limit <= after.size() + step; limit += step) {
        writeFile(path, before);
        bool threw = false;
        {
            FileSizeLimit full(limit);
            try {
                TextOutput out;
                out.open(path, TextOutput::Mode(mode), TextEncoding::Windows1252);
                for (int i = 0; i < 100; ++i)
                    out.writeLine(longLine(i));
                out.close();
            } catch (const std::runtime_error& e) {
                threw = true;
                QVERIFY2(QString::fromUtf8(e.what()).startsWith(
                             QStringLiteral("Errore di scrittura nel file ") + path),
                         e.what());
            }
        }
        const QByteArray now = readFileBytes(path);
        QVERIFY2(now == (threw ? before : after),
                 qPrintable(QStringLiteral("limit %1: %2 bytes").arg(limit).arg(now.size())));
        QCOMPARE(others(dir.path(), {QStringLiteral("note.A26")}), QStringList());
        ++(threw ? failed : written);
    }
    QVERIFY(failed > 0 && written > 0);
}

void StoreOutputs::aSectionIsAddedWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/errori.A26"));
    for (const char* consegna : {"1", "2"}) {
        TextOutput out;
        out.open(path, TextOutput::Mode::Append, TextEncoding::Windows1252);
        out.writeLine(QStringLiteral("Consegna ") + QLatin1String(consegna));
        // Nothing of the section shows before it is whole.
        QCOMPARE(readFileBytes(path).count("Consegna"), qsizetype(consegna[0] - '1'));
        out.writeLine();
        out.close();
    }
    QCOMPARE(readFileBytes(path), bytesOf({"Consegna 1", "", "Consegna 2", ""}));
    // A section dropped (the archive's run failed) leaves the file as it was.
    {
        TextOutput out;
        out.open(path, TextOutput::Mode::Append, TextEncoding::Windows1252);
        out.writeLine(u"Consegna 3");
    }
    QCOMPARE(readFileBytes(path), bytesOf({"Consegna 1", "", "Consegna 2", ""}));
    QCOMPARE(others(QFileInfo(path).absolutePath(), {QStringLiteral("errori.A26")}), QStringList());
}

void StoreOutputs::aFailedAppendIsTakenBack() {
    // The section is whole in its temporary file, but the disk fills while it is added, at every
    // point of the adding in turn: the batch file is cut back to its length before.
    if (!FileSizeLimit::available())
        QSKIP("no file size limit here");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nuovi.A26"));
    QByteArray before;
    for (int i = 0; i < 100; ++i)
        before += bytesOf({longLine(i)});
    const qint64 step = 512;
    for (qint64 limit = before.size(); limit < 2 * before.size(); limit += step) {
        writeFile(path, before);
        TextOutput out;
        out.open(path, TextOutput::Mode::Append, TextEncoding::Windows1252);
        for (int i = 0; i < 100; ++i)
            out.writeLine(longLine(i));
        {
            FileSizeLimit full(limit);
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, out.close());
        }
        QCOMPARE(readFileBytes(path), before);
        QVERIFY(!QFileInfo::exists(appendNotePath(path)));
        QCOMPARE(others(dir.path(), {QStringLiteral("nuovi.A26")}), QStringList());
    }
}

void StoreOutputs::aSectionLeftHalfAddedIsCutOff_data() {
    QTest::addColumn<QByteArray>("note");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addColumn<QByteArray>("after");
    const QByteArray whole = bytesOf({"Consegna 1", ""});
    const QByteArray cut = whole + "Consegna 2\r\nManca ri";
    QTest::newRow("section cut half-way") << QByteArray::number(whole.size()) + '\n'
                                          << cut << whole + bytesOf({"Consegna 3"});
    QTest::newRow("first section of a new file")
        << QByteArray("-1\n") << QByteArray("Consegna 2\r\nMan") << bytesOf({"Consegna 3"});
    QTest::newRow("killed before adding") << QByteArray::number(whole.size()) + '\n'
                                          << whole << whole + bytesOf({"Consegna 3"});
    // A note without its line break was cut while it was written, before anything was added.
    QTest::newRow("note cut while written") << QByteArray("1") << whole << whole + bytesOf({"Consegna 3"});
    QTest::newRow("unreadable note") << QByteArray("?\n") << whole << whole + bytesOf({"Consegna 3"});
}

void StoreOutputs::aSectionLeftHalfAddedIsCutOff() {
    QFETCH(QByteArray, note);
    QFETCH(QByteArray, onDisk);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("errori.A26"));
    writeFile(path, onDisk);
    writeFile(appendNotePath(path), note);
    TextOutput out;
    out.open(path, TextOutput::Mode::Append, TextEncoding::Windows1252);
    out.writeLine(u"Consegna 3");
    out.close();
    QCOMPARE(readFileBytes(path), after);
    QVERIFY(!QFileInfo::exists(appendNotePath(path)));
    // A replacing run makes an old note meaningless.
    writeFile(appendNotePath(path), "1\n");
    out.open(path, TextOutput::Mode::Truncate, TextEncoding::Windows1252);
    out.writeLine(u"nuovo");
    out.close();
    QVERIFY(!QFileInfo::exists(appendNotePath(path)));
}

void StoreOutputs::killedWhileAdding() {
    // A real kill at every point of adding a section in turn (while the section is written, while
    // it is added), then the next batch run: the batch file ends with the two sections, whole.
    if (!FileSizeLimit::available())
        QSKIP("no file size limit here");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("errori.A26"));
    QByteArray section;
    for (int i = 0; i < 60; ++i)
        section += bytesOf({longLine(i)});
    const auto addSection = [&] {
        TextOutput out;
        out.open(path, TextOutput::Mode::Append, TextEncoding::Windows1252);
        for (int i = 0; i < 60; ++i)
            out.writeLine(longLine(i));
        out.close();
    };
    const qint64 step = section.size() / 12;
    int killedAdding = 0;
    for (qint64 limit = step / 2; limit < 2 * section.size(); limit += step) {
        writeFile(path, section);
        QVERIFY(killedAtFileSize(limit, addSection));
        const QByteArray cut = readFileBytes(path);
        QVERIFY(cut.startsWith(section) && cut.size() < 2 * section.size());
        // Cut in the middle of adding: the note says how long the file was.
        QCOMPARE(QFileInfo::exists(appendNotePath(path)), cut.size() > section.size());
        killedAdding += cut.size() > section.size();
        addSection();
        QCOMPARE(readFileBytes(path), section + section);
        QVERIFY(!QFileInfo::exists(appendNotePath(path)));
        QCOMPARE(others(dir.path(), {QStringLiteral("errori.A26")}), QStringList());
    }
    QVERIFY(killedAdding > 0);
}

void StoreOutputs::outputsClosedTogether() {
    // The three error lists of a batch: when one section cannot be added, none is.
    if (!FileSizeLimit::available())
        QSKIP("no file size limit here");
    QTemporaryDir dir;
    QByteArray big;
    for (int i = 0; i < 300; ++i)
        big += bytesOf({longLine(i)});
    const QString generali = dir.filePath(QStringLiteral("errori.A26"));
    const QString classe = dir.filePath(QStringLiteral("errclasse.A26"));
    const QString fonti = dir.filePath(QStringLiteral("errfonte.A26"));
    writeFile(generali, "a\r\n");
    writeFile(classe, "b\r\n");
    writeFile(fonti, big);
    TextOutput g, c, f;
    for (auto [out, path] : {std::pair{&g, generali}, std::pair{&c, classe}, std::pair{&f, fonti}}) {
        out->open(path, TextOutput::Mode::Append, TextEncoding::Windows1252);
        for (int i = 0; i < 100; ++i)
            out->writeLine(longLine(i));
    }
    {
        FileSizeLimit full(big.size() + 1024);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, TextOutput::closeTogether({&g, &c, &f}));
    }
    QCOMPARE(readFileBytes(generali), QByteArray("a\r\n"));
    QCOMPARE(readFileBytes(classe), QByteArray("b\r\n"));
    QCOMPARE(readFileBytes(fonti), big);
    QCOMPARE(others(dir.path(), {"errori.A26", "errclasse.A26", "errfonte.A26"}), QStringList());
}

// The three lists of a check, replaced (one delivery) or added to (a batch), with the process
// killed after each file put in place: the next run, or a reader, finds them all of the new run.
void StoreOutputs::aKillNeverLeavesListsOfTwoRuns_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("step");
    for (const auto& [mode, name] :
         {std::pair{TextOutput::Mode::Truncate, "replaced"}, std::pair{TextOutput::Mode::Append, "added"}})
        for (int step = 1; step <= 3; ++step)
            QTest::addRow("%s, killed after file %d", name, step) << int(mode) << step;
}

void StoreOutputs::aKillNeverLeavesListsOfTwoRuns() {
#ifndef Q_OS_UNIX
    QSKIP("no fork here");
#else
    QFETCH(int, mode);
    QFETCH(int, step);
    QTemporaryDir dir;
    const QStringList names{"errori.12", "errclasse.12", "errfonte.12"};
    QStringList paths;
    for (const QString& name : names) {
        paths << dir.filePath(name);
        writeFile(paths.last(), bytesOf({QStringLiteral("vecchio ") + name}));
    }
    const pid_t child = fork();
    if (child == 0) {
        TextOutput::afterGroupStepForTests = countGroupStep;
        killAtGroupStep = step;
        TextOutput a, b, c;
        TextOutput* outs[] = {&a, &b, &c};
        for (int i = 0; i < 3; ++i) {
            outs[i]->open(paths[i], TextOutput::Mode(mode), TextEncoding::Windows1252);
            outs[i]->writeLine(QStringLiteral("nuovo ") + names[i]);
        }
        TextOutput::closeTogether({&a, &b, &c});
        _exit(0);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    // The reader of the second list completes the group before reading it.
    QCOMPARE(readTextLines(paths[1], TextEncoding::Windows1252).constLast(),
             QStringLiteral("nuovo errclasse.12"));
    for (int i = 0; i < 3; ++i) {
        const QByteArray nuovo = bytesOf({QStringLiteral("nuovo ") + names[i]});
        const QByteArray vecchio = bytesOf({QStringLiteral("vecchio ") + names[i]});
        QCOMPARE(readFileBytes(paths[i]),
                 TextOutput::Mode(mode) == TextOutput::Mode::Append ? vecchio + nuovo : nuovo);
    }
    // No note and no staged file left (a killed append leaves its section's temporary file, as
    // every killed write does).
    const auto note = [&] {
        QStringList found = others(dir.path(), names);
        found.removeIf(
            [](const QString& f) { return !f.startsWith(u'.') && !f.endsWith(QStringLiteral(".append")); });
        return found;
    };
    QCOMPARE(note(), QStringList());
    // The next run goes on from there.
    TextOutput again;
    again.open(paths[0], TextOutput::Mode(mode), TextEncoding::Windows1252);
    again.writeLine(u"ancora");
    again.close();
    QVERIFY(readFileBytes(paths[0]).endsWith("ancora\r\n"));
    QCOMPARE(note(), QStringList());
#endif
}

void StoreOutputs::controlCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("windows1252");
    QTest::addColumn<QByteArray>("utf8");
    const QString nul = QString(QChar(0));
    QTest::newRow("NUL and ESC") << (QStringLiteral("a") + nul + QStringLiteral("b\x1b[31mc"))
                                 << QByteArray("a?b?[31mc")
                                 << QByteArray("a\xEF\xBF\xBD"
                                               "b\xEF\xBF\xBD[31mc");
    QTest::newRow("bell, backspace, form feed, DEL")
        << QStringLiteral("\a\b\f\x7F.") << QByteArray("????.")
        << QByteArray("\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.");
    QTest::newRow("C1 control") << (QStringLiteral("x") + QChar(0x9B) + u'y') << QByteArray("x?y")
                                << QByteArray("x\xEF\xBF\xBDy");
    QTest::newRow("tab and line breaks stay")
        << QStringLiteral("a\tb\r\nc") << QByteArray("a\tb\r\nc") << QByteArray("a\tb\r\nc");
    QTest::newRow("letters untouched")
        << QStringLiteral("Città € “x”") << QByteArray("Citt\xe0 \x80 \x93x\x94")
        << QStringLiteral("Città € “x”").toUtf8();
    QTest::newRow("plain ASCII") << QStringLiteral("art. 3 l. 241/1990 &amp; <A HREF=\"x\">")
                                 << QByteArray("art. 3 l. 241/1990 &amp; <A HREF=\"x\">")
                                 << QByteArray("art. 3 l. 241/1990 &amp; <A HREF=\"x\">");
    QTest::newRow("Latin-1 letter") << QStringLiteral("Citt\u00e0") << QByteArray("Citt\xe0")
                                    << QByteArray("Citt\xc3\xa0");
}

void StoreOutputs::controlCharacters() {
    QFETCH(QString, text);
    QFETCH(QByteArray, windows1252);
    QFETCH(QByteArray, utf8);
    QCOMPARE(encodeOutputLine(text, TextEncoding::Windows1252), windows1252);
    QCOMPARE(encodeOutputLine(text, TextEncoding::Utf8), utf8);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.1"));
    TextOutput out;
    out.open(path, TextOutput::Mode::Truncate, TextEncoding::Windows1252);
    out.writeLine(text);
    out.close();
    QCOMPARE(readFileBytes(path), windows1252 + "\r\n");
    // A line given as bytes is written as the same text would be.
    if (QString::fromLatin1(text.toLatin1()) == text) {
        for (const TextEncoding encoding : {TextEncoding::Windows1252, TextEncoding::Utf8}) {
            TextOutput bytes;
            bytes.open(path, TextOutput::Mode::Truncate, encoding);
            bytes.writeAsciiLine(text.toLatin1());
            bytes.close();
            QCOMPARE(readFileBytes(path), (encoding == TextEncoding::Utf8 ? utf8 : windows1252) + "\r\n");
        }
    }
}

void StoreOutputs::controlsShownEscaped_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QStringLiteral("CONS1 à") << QStringLiteral("CONS1 à");
    QTest::newRow("escape sequence") << QStringLiteral("\x1b[2J") << QStringLiteral("\\x1B[2J");
    QTest::newRow("NUL, tab, breaks")
        << (QString(QChar(0)) + QStringLiteral("\t\r\n")) << QStringLiteral("\\x00\\t\\r\\n");
    QTest::newRow("DEL and C1") << (QString(QChar(0x7F)) + QChar(0x9B)) << QStringLiteral("\\x7F\\x9B");
}

void StoreOutputs::controlsShownEscaped() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(visibleControls(text), shown);
}

QTEST_GUILESS_MAIN(StoreOutputs)
void StoreOutputs::theHomesOwnFilesAreWrittenWhole() {
    // The home's files are written only when missing: one cut under its name would stay cut.
    if (!FileSizeLimit::available())
        QSKIP("no file size limit here");
    TestHome t;
    const QString head = t.home().headPath();
    const QByteArray whole = readFileBytes(head);
    QVERIFY(whole.size() > 100);
    QVERIFY(QFile::remove(head));
    QVERIFY(killedAtFileSize(whole.size() / 2, [&] { t.home().ensureLayout(); }));
    QVERIFY(!QFileInfo::exists(head));
    t.home().ensureLayout();
    QCOMPARE(readFileBytes(head), whole);
}

#include "tst_store_outputs.moc"
