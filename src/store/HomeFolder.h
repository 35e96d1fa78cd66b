#pragma once

// The home folder ("program folder"): mdb/ with the archives, the template and the norms catalogue,
// dump/ with the outputs, the RTF head, the pictures of the buttons and quillaro.ini.

#include "store/TextOutput.h"

#include <QString>
#include <QStringList>

class HomeFolder {
public:
    HomeFolder() = default;
    explicit HomeFolder(const QString& root);

    // --home DIR when given, else QUILLARO_HOME, else the per-user data folder.
    static QString resolve(const QString& fromCommandLine);

    QString root() const { return root_; }
    QString filePath(const QString& name) const;
    QString mdbDir() const;
    QString dumpDir() const;
    // recupero/: the unsaved work of the document windows, kept against a crash.
    QString recoveryDir() const;
    QString mdbPath(const QString& name) const;
    QString dumpPath(const QString& name) const;
    QString templatePath() const;
    QString cataloguePath() const;
    QString headPath() const; // "testata new.rtf", the head of the RTF print
    QString settingsPath() const;

    // An archive named on the command line: a path to a file (anything with a folder, or a name
    // ending in .db that is there), else a name in mdb/ found without regard to case, as archive
    // names are upper-cased ("cons1", "cons1.db", "cons1.mdb" -> mdb/CONS1.db). A name not found
    // gives mdb/<name>.db.
    QString archivePath(const QString& nameOrPath) const;
    // A file of mdb/ found without regard to case (the exact name first); mdb/<fileName> when
    // there is none.
    QString findInMdb(const QString& fileName) const;

    // Lays the folder out: creates what is missing, never overwrites what is there, and brings a
    // template and catalogue of the previous version up to date. Returns what was created, one
    // line each; throws std::runtime_error when something cannot be made.
    QStringList ensureLayout() const;

    // Lays the RTF head installed with the program over the home's own, which ensureLayout never
    // replaces. A head that differs is kept first as "testata new.rtf.bak" (".bak.2", ... when
    // taken). Throws std::runtime_error when a file cannot be read or written.
    struct RefreshedHead {
        bool replaced = false; // false: the home's head already was the installed one
        QString backup;        // the old head's copy; empty when there was none
    };
    RefreshedHead refreshHead() const;

    // The pictures the windows load by name; installed with the program, copied into the home.
    static const QStringList& pictureNames();

private:
    QString root_;
};

// A file name without the archive extensions typed after it (".db", ".mdb", in any case).
QString NomeSenzaEstensione(const QString& fileName);

struct Settings {
    TextEncoding encoding = TextEncoding::Windows1252;
    QString celexBase = QStringLiteral("https://eur-lex.europa.eu");
    QString hudocBase = QStringLiteral("https://hudoc.echr.coe.int");
    // The official texts of the sources' identifiers: URN:NIR, ELI, ECLI of the Constitutional Court.
    QString normattivaBase = QStringLiteral("https://www.normattiva.it");
    QString eliBase = QStringLiteral("http://data.europa.eu");
    QString cortecostituzionaleBase = QStringLiteral("https://www.cortecostituzionale.it");
    // What the capture by DOI or web address reads: the DOI resolver, Crossref's REST API, and the
    // time it waits for each answer.
    QString doiBase = QStringLiteral("https://doi.org");
    QString crossrefBase = QStringLiteral("https://api.crossref.org");
    int captureTimeoutMs = 10000;

    // Why quillaro.ini could not be read (not a plain file, unreadable, too large); empty when it
    // was read or is missing. With a reason the other values are the defaults, not the file's:
    // the programs refuse to go on with them.
    QString errore;

    static Settings load(const HomeFolder& home);
    static QString defaultFileText();
};
