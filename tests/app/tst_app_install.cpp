// What the install lays out, checked in the build tree's share/, which holds the same files the
// package carries: the data the programs read beside their folder, the manual pages made from the
// help, the desktop entry and AppStream metadata, and the MIME type that tells our archives from
// other SQLite files.

#include "app/cli/Cli.h"
#include "store/ArchivioInUso.h"
#include "store/DataFolder.h"
#include "store/HomeFolder.h"
#include "store/Template.h"
#include "store/cConnessione.h"
#include "support/TestHome.h"

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtEndian>
#include <QtTest>
#include <sqlite3.h>

namespace {

QString shareFolder() {
    return QDir::cleanPath(dataFolder() + QStringLiteral("/.."));
}

QString gunzip(const QString& path) {
    QProcess gzip;
    gzip.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), path});
    if (!gzip.waitForFinished(30000) || gzip.exitCode() != 0)
        return {};
    return QString::fromUtf8(gzip.readAllStandardOutput());
}

QString cliHelp() {
    QString out, err;
    QTextStream o(&out), e(&err);
    runCli({QStringLiteral("--help")}, o, e);
    return out;
}

// The item names of a manual page's section: the ".B" line after each ".TP", troff escapes undone.
QStringList manItems(const QString& page, const QString& section) {
    QStringList items;
    const QStringList lines = page.split(u'\n');
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(QStringLiteral(".SH ")))
            inSection = lines[i] == QStringLiteral(".SH ") + section;
        else if (inSection && lines[i] == u".TP" && i + 1 < lines.size() &&
                 lines[i + 1].startsWith(QStringLiteral(".B ")))
            items << lines[i + 1]
                         .mid(3)
                         .replace(QStringLiteral("\\-"), QStringLiteral("-"))
                         .replace(QStringLiteral("\\e"), QStringLiteral("\\"));
    }
    return items;
}

bool makeSqlite(const QString& path, int applicationId) {
    sqlite3* db = nullptr;
    const QByteArray name = path.toUtf8();
    bool ok = sqlite3_open(name.constData(), &db) == SQLITE_OK;
    const QByteArray sql =
        QStringLiteral("PRAGMA application_id = %1; create table t (x);").arg(applicationId).toUtf8();
    ok = ok && sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace

class AppInstall : public QObject {
    Q_OBJECT

    QTemporaryDir mime_;

private Q_SLOTS:
    void initTestCase() {
        // The MIME database of this process, compiled as the package's trigger compiles the
        // system's: the system's types and ours in one cache. Set before the first QMimeDatabase.
        const QString packages = mime_.filePath(QStringLiteral("mime/packages"));
        QVERIFY(QDir().mkpath(packages));
        const QDir system(QStringLiteral("/usr/share/mime/packages"));
        for (const QString& name : system.entryList({QStringLiteral("*.xml")}, QDir::Files))
            QVERIFY(QFile::copy(system.filePath(name), packages + u'/' + name));
        QVERIFY2(QFileInfo::exists(packages + QStringLiteral("/freedesktop.org.xml")),
                 "the system's MIME types are missing (Debian shared-mime-info)");
        QVERIFY(QFile::copy(shareFolder() + QStringLiteral("/mime/packages/quillaro.xml"),
                            packages + QStringLiteral("/quillaro.xml")));
        const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        QVERIFY2(!update.isEmpty(), "update-mime-database is not installed (Debian shared-mime-info)");
        QCOMPARE(QProcess::execute(update, {mime_.filePath(QStringLiteral("mime"))}), 0);
        qputenv("XDG_DATA_DIRS", mime_.path().toUtf8());
    }

    void dataBesideTheExecutable() {
        QCOMPARE(dataFolder(), QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                               QStringLiteral("/../share/quillaro")));
        QStringList names = {"schema.sql",   "lookup.sql", "catalogo_schema.sql",
                             "catalogo.sql", "demo.sql",   "testata new.rtf"};
        names += HomeFolder::pictureNames();
        for (const QString& name : names)
            QVERIFY2(readDataResource(name).size() > 50, qPrintable(name));
        // A file the installation lacks stops what needs it with a message that says what to do.
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("never.db"));
        try {
            buildFromScripts(target, {QStringLiteral("nessuno.sql")});
            QFAIL("built without its script");
        } catch (const std::runtime_error& e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(QStringLiteral("reinstallare Quillaro")), e.what());
        }
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void iconInEverySize() {
        const QStringList files = applicationIconFiles();
        QCOMPARE(files.size(), applicationIconSizes().size());
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QByteArray png = readFileBytes(files[i]);
            QVERIFY2(png.startsWith("\x89PNG\r\n\x1a\n") && png.mid(12, 4) == "IHDR", qPrintable(files[i]));
            const int size = applicationIconSizes()[i];
            QCOMPARE(qFromBigEndian<quint32>(png.constData() + 16), quint32(size));
            QCOMPARE(qFromBigEndian<quint32>(png.constData() + 20), quint32(size));
        }
        QVERIFY(readFileBytes(shareFolder() + QStringLiteral("/icons/hicolor/scalable/apps/quillaro.svg"))
                    .contains("<svg"));
    }

    // Every command of the help is an item of the manual page, with the help's own words.
    void manualPagesFollowTheHelp() {
        const QString page = gunzip(shareFolder() + QStringLiteral("/man/man1/quillaro-cli.1.gz"));
        QVERIFY2(page.startsWith(QStringLiteral(".TH QUILLARO\\-CLI 1 \"\" \"Quillaro %1\"")
                                     .arg(QStringLiteral(QUILLARO_VERSION))),
                 qPrintable(page.left(80)));
        const QStringList commands = manItems(page, QStringLiteral("COMANDI"));
        const QString help = cliHelp();
        const QString section =
            help.section(QStringLiteral("Comandi:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
        const QStringList helpLines = section.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(helpLines.size() >= 10);
        QCOMPARE(commands.size(), helpLines.size());
        static const QRegularExpression gap(QStringLiteral("\\s{2,}"));
        for (qsizetype i = 0; i < helpLines.size(); ++i)
            QCOMPARE(commands[i], helpLines[i].trimmed().section(gap, 0, 0));
        QVERIFY(commands.contains(QStringLiteral("init [--refresh-head]")));
        QVERIFY(manItems(page, QStringLiteral("OPZIONI")).contains(QStringLiteral("--version")));
        QVERIFY(page.contains(QStringLiteral(".SH VEDI ANCHE\n.BR quillaro (1)")));

        const QString gui = gunzip(shareFolder() + QStringLiteral("/man/man1/quillaro.1.gz"));
        QVERIFY(gui.startsWith(QStringLiteral(".TH QUILLARO 1 ")));
        const QStringList options = manItems(gui, QStringLiteral("OPZIONI"));
        for (const char* option : {"--home <DIR>", "--open <ARCHIVE>", "--no-splash"})
            QVERIFY2(options.contains(QString::fromUtf8(option)), qPrintable(options.join(u'|')));
        QVERIFY(manItems(gui, QStringLiteral("ARGOMENTI")).contains(QStringLiteral("archivio")));
        // The GUI's help is Italian throughout, Qt's own options included.
        QVERIFY2(gui.contains(QStringLiteral("Mostra questo aiuto.")) &&
                     !gui.contains(QStringLiteral("Displays")),
                 qPrintable(gui));
    }

    // The menu entry opens our archives, with our icon, and AppStream names the same entry and release.
    void desktopEntryAndMetadataAgree() {
        const QString desktop = shareFolder() + QStringLiteral("/applications/") +
                                QStringLiteral(QUILLARO_APP_ID) + QStringLiteral(".desktop");
        QHash<QString, QString> entry;
        for (const QString& line : QString::fromUtf8(readFileBytes(desktop)).split(u'\n'))
            if (line.contains(u'='))
                entry.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
        QCOMPARE(entry.value(QStringLiteral("Exec")), QStringLiteral("quillaro %f"));
        QCOMPARE(entry.value(QStringLiteral("MimeType")), QStringLiteral("application/x-quillaro-archive;"));
        QCOMPARE(entry.value(QStringLiteral("Icon")), QStringLiteral("quillaro"));
        QCOMPARE(entry.value(QStringLiteral("Categories")), QStringLiteral("Office;Database;"));
        const QByteArray metainfo =
            readFileBytes(shareFolder() + QStringLiteral("/metainfo/") + QStringLiteral(QUILLARO_APP_ID) +
                          QStringLiteral(".metainfo.xml"));
        QVERIFY(
            metainfo.contains("<launchable type=\"desktop-id\">" QUILLARO_APP_ID ".desktop</launchable>"));
        QVERIFY(metainfo.contains("<release version=\"" QUILLARO_VERSION "\""));

        for (const auto& [tool, args] :
             {std::pair{QStringLiteral("desktop-file-validate"), QStringList{desktop}},
              std::pair{QStringLiteral("appstreamcli"),
                        QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                                    shareFolder() + QStringLiteral("/metainfo/") +
                                        QStringLiteral(QUILLARO_APP_ID) +
                                        QStringLiteral(".metainfo.xml")}}}) {
            const QString program = QStandardPaths::findExecutable(tool);
            QVERIFY2(!program.isEmpty(), qPrintable(tool + QStringLiteral(" is not installed")));
            QProcess p;
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(program, args);
            QVERIFY(p.waitForFinished(60000));
            const QString output = QString::fromUtf8(p.readAll());
            QVERIFY2(p.exitCode() == 0, qPrintable(output));
            if (tool == u"desktop-file-validate")
                QVERIFY2(output.trimmed().isEmpty(), qPrintable(output));
        }
    }

    // A file manager opens our archives in Quillaro; other SQLite files stay what they are.
    void archivesKnownByTheirMark_data() {
        QTest::addColumn<int>("applicationId");
        QTest::addColumn<QString>("mimeType");
        QTest::newRow("delivery archive") << cConnessione::kApplicationId << "application/x-quillaro-archive";
        QTest::newRow("plain SQLite") << 0 << "application/vnd.sqlite3";
        QTest::newRow("another program's SQLite") << 0x4d504247 << "application/vnd.sqlite3";
    }
    void archivesKnownByTheirMark() {
        QFETCH(int, applicationId);
        QFETCH(QString, mimeType);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ARCHIVIO.db"));
        QVERIFY(makeSqlite(path, applicationId));
        const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
        QCOMPARE(type.name(), mimeType);
        QVERIFY(type.inherits(QStringLiteral("application/vnd.sqlite3")) ||
                type.name() == u"application/vnd.sqlite3");
    }

    // The help and the version need no display: a server, a terminal over ssh, the package's build.
    void desktopProgramAnswersWithoutADisplay_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        QTest::newRow("version") << "--version"
                                 << "Quillaro " QUILLARO_VERSION "\n";
        QTest::newRow("help") << "--help"
                              << "--no-splash";
    }
    void desktopProgramAnswersWithoutADisplay() {
        QFETCH(QString, option);
        QFETCH(QString, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QUILLARO_GUI_PROGRAM), {option});
        QVERIFY(p.waitForFinished(60000));
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0,
                 qPrintable(QString::fromLocal8Bit(p.readAllStandardError())));
        QVERIFY2(option == u"--version" ? out == expected : out.contains(expected), qPrintable(out));
    }

    // What the README tells administrators about the marks is what a hex dump of byte 68 shows.
    void readmeNamesTheMarksAsWritten() {
        const QString readme = QString::fromUtf8(readFileBytes(QStringLiteral(QUILLARO_README)));
        static const QRegularExpression mark(QStringLiteral("'([A-Z]{4})' \\((\\d+)\\)"));
        QList<int> ids;
        for (const QRegularExpressionMatch& m : mark.globalMatch(readme)) {
            const quint32 id = m.captured(2).toUInt();
            char bytes[4];
            qToBigEndian(id, bytes);
            QCOMPARE(QString::fromLatin1(bytes, 4), m.captured(1));
            ids << static_cast<int>(id);
        }
        for (int id : {cConnessione::kApplicationId, cConnessione::kTemplateApplicationId,
                       cConnessione::kCatalogueApplicationId})
            QVERIFY2(ids.contains(id), qPrintable(QString::number(id)));
    }

    void demoArchiveIsOurs() {
        TestHome t;
        const QString demo = t.createDemo();
        QCOMPARE(QMimeDatabase().mimeTypeForFile(demo).name(),
                 QStringLiteral("application/x-quillaro-archive"));
        // The mark beside an archive open in the program is a few lines of text, not an archive.
        QVERIFY(RegistraUso(demo, QuestoUso(NuovaSessione())));
        QCOMPARE(QMimeDatabase().mimeTypeForFile(PercorsoSegnoUso(demo)).name(),
                 QStringLiteral("text/plain"));
    }
};

QTEST_GUILESS_MAIN(AppInstall)
#include "tst_app_install.moc"
