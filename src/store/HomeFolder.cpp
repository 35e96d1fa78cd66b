#include "store/HomeFolder.h"

#include "store/FileLookup.h"
#include "store/SezioniIni.h"
#include "store/Template.h"
#include "store/cConnessione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <stdexcept>

HomeFolder::HomeFolder(const QString& root) : root_(QDir::cleanPath(QDir(root).absolutePath())) {}

QString HomeFolder::resolve(const QString& fromCommandLine) {
    if (!fromCommandLine.isEmpty())
        return fromCommandLine;
    const QString env = qEnvironmentVariable("QUILLARO_HOME");
    if (!env.isEmpty())
        return env;
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        data = QDir::homePath();
    return QDir(data).filePath(QStringLiteral("Quillaro"));
}

QString HomeFolder::filePath(const QString& name) const {
    return QDir(root_).filePath(name);
}
QString HomeFolder::mdbDir() const {
    return filePath(QStringLiteral("mdb"));
}
QString HomeFolder::dumpDir() const {
    return filePath(QStringLiteral("dump"));
}
QString HomeFolder::recoveryDir() const {
    return filePath(QStringLiteral("recupero"));
}
QString HomeFolder::mdbPath(const QString& name) const {
    return QDir(mdbDir()).filePath(name);
}
QString HomeFolder::dumpPath(const QString& name) const {
    return QDir(dumpDir()).filePath(name);
}
QString HomeFolder::templatePath() const {
    return mdbPath(QStringLiteral("masterOnline.db"));
}
QString HomeFolder::cataloguePath() const {
    return mdbPath(QStringLiteral("Catalogo norme.db"));
}
QString HomeFolder::headPath() const {
    return filePath(QStringLiteral("testata new.rtf"));
}
QString HomeFolder::settingsPath() const {
    return filePath(QStringLiteral("quillaro.ini"));
}

QString HomeFolder::archivePath(const QString& nameOrPath) const {
    const QFileInfo info(nameOrPath);
    if (nameOrPath.contains(u'/') || nameOrPath.contains(QDir::separator()))
        return info.absoluteFilePath();
    if (info.suffix().compare(u"db", Qt::CaseInsensitive) == 0 && info.isFile())
        return info.absoluteFilePath();
    const QString base = NomeSenzaEstensione(nameOrPath);
    if (base.isEmpty())
        return info.absoluteFilePath();
    return findInMdb(base + QStringLiteral(".db"));
}

QString HomeFolder::findInMdb(const QString& fileName) const {
    const QString found = findIgnoringCase(mdbDir(), fileName, QDir::Files);
    return found.isEmpty() ? mdbPath(fileName) : found;
}

QString NomeSenzaEstensione(const QString& fileName) {
    QString base = fileName;
    for (bool again = true; again;) {
        again = false;
        for (const QString& extension : {QStringLiteral(".db"), QStringLiteral(".mdb")}) {
            if (base.endsWith(extension, Qt::CaseInsensitive)) {
                base.chop(extension.size());
                again = true;
            }
        }
    }
    return base;
}

const QStringList& HomeFolder::pictureNames() {
    static const QStringList names = {QStringLiteral("write.bmp"),    QStringLiteral("write-r.bmp"),
                                      QStringLiteral("export.bmp"),   QStringLiteral("export-r.bmp"),
                                      QStringLiteral("npadwrit.bmp"), QStringLiteral("npadwrit-r.bmp"),
                                      QStringLiteral("firstaid.bmp"), QStringLiteral("helpindx.bmp")};
    return names;
}

namespace {

void makeDir(const QString& path, QStringList& created) {
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkpath(path))
        throw std::runtime_error(QStringLiteral("Impossibile creare la cartella %1").arg(path).toStdString());
    created << path;
}

void writeNew(const QString& path, const QByteArray& bytes, QStringList& created) {
    if (QFileInfo::exists(path))
        return;
    // Written beside and renamed into place: a file cut by a kill or a full disk would stay under its
    // name and never be written again.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error(
            QStringLiteral("Impossibile scrivere il file %1: %2").arg(path, file.errorString()).toStdString());
    created << path;
}

} // namespace

QStringList HomeFolder::ensureLayout() const {
    QStringList created;
    makeDir(root_, created);
    makeDir(mdbDir(), created);
    makeDir(dumpDir(), created);
    if (!QFileInfo::exists(templatePath())) {
        buildTemplateArchive(templatePath());
        created << templatePath();
    }
    if (!QFileInfo::exists(cataloguePath())) {
        buildCatalogue(cataloguePath());
        created << cataloguePath();
    }
    // A home of the previous version: its template and catalogue still carry the archive's mark.
    // Opening them as what they are re-marks them, once; a file that cannot be opened is reported
    // where it is used.
    {
        cConnessione templateFile;
        templateFile.ApriConnessione(templatePath(), FileKind::Template);
        cConnessione catalogueFile;
        catalogueFile.ApriConnessione(cataloguePath(), FileKind::Catalogue);
    }
    writeNew(headPath(), readDataResource(QStringLiteral("testata new.rtf")), created);
    for (const QString& name : pictureNames())
        writeNew(filePath(name), readDataResource(name), created);
    writeNew(settingsPath(), Settings::defaultFileText().toUtf8(), created);
    return created;
}

HomeFolder::RefreshedHead HomeFolder::refreshHead() const {
    const QByteArray installed = readDataResource(QStringLiteral("testata new.rtf"));
    const QString path = headPath();
    RefreshedHead result;
    if (QFileInfo::exists(path)) {
        QFile current(path);
        if (!current.open(QIODevice::ReadOnly))
            throw std::runtime_error(
                QStringLiteral("Impossibile leggere %1: %2").arg(path, current.errorString()).toStdString());
        if (current.readAll() == installed)
            return result;
        current.close();
        // A centre may have made the head its own: keep it, under a name no earlier refresh took.
        result.backup = path + QStringLiteral(".bak");
        for (int n = 2; QFileInfo::exists(result.backup); ++n)
            result.backup = path + QStringLiteral(".bak.%1").arg(n);
        if (!QFile::copy(path, result.backup))
            throw std::runtime_error(
                QStringLiteral("Impossibile copiare %1 in %2").arg(path, result.backup).toStdString());
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(installed) != installed.size() || !file.commit())
        throw std::runtime_error(QStringLiteral("Impossibile scrivere il file %1: %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
    result.replaced = true;
    return result;
}

QString Settings::defaultFileText() {
    const Settings defaults;
    return QStringLiteral(
               "[output]\n"
               "; windows-1252 (default) or utf-8, for the text files written into dump/\n"
               "encoding=windows-1252\n"
               "\n"
               "[services]\n"
               "; base addresses (scheme and host) of the services linked by the HTML reports\n"
               "celex=%1\n"
               "hudoc=%2\n"
               "normattiva=%3\n"
               "eli=%4\n"
               "cortecostituzionale=%5\n"
               "; the DOI resolver and Crossref's API read by \"Da indirizzo o DOI...\", and how many\n"
               "; seconds each answer is awaited\n"
               "doi=%6\n"
               "crossref=%7\n"
               "timeout=%8\n")
        .arg(defaults.celexBase, defaults.hudocBase, defaults.normattivaBase, defaults.eliBase,
             defaults.cortecostituzionaleBase, defaults.doiBase, defaults.crossrefBase)
        .arg(defaults.captureTimeoutMs / 1000);
}

Settings Settings::load(const HomeFolder& home) {
    Settings s;
    // Read for its safety first: QSettings would hang on a FIFO, never end on a device, and take an
    // unreadable file for an empty one, switching the outputs' encoding without a word.
    QByteArray bytes;
    switch (LeggiFileIni(home.settingsPath(), bytes, &s.errore)) {
    case LetturaIni::Assente:
    case LetturaIni::Rifiutata:
        return s;
    case LetturaIni::Letta:
        break;
    }
    QSettings ini(home.settingsPath(), QSettings::IniFormat);
    const QString encoding = ini.value(QStringLiteral("output/encoding")).toString().trimmed().toLower();
    if (encoding == u"utf-8" || encoding == u"utf8")
        s.encoding = TextEncoding::Utf8;
    auto base = [&](const QString& key, const QString& fallback) {
        QString value = ini.value(key, fallback).toString().trimmed();
        while (value.endsWith(u'/'))
            value.chop(1);
        return value.isEmpty() ? fallback : value;
    };
    s.celexBase = base(QStringLiteral("services/celex"), s.celexBase);
    s.hudocBase = base(QStringLiteral("services/hudoc"), s.hudocBase);
    s.normattivaBase = base(QStringLiteral("services/normattiva"), s.normattivaBase);
    s.eliBase = base(QStringLiteral("services/eli"), s.eliBase);
    s.cortecostituzionaleBase =
        base(QStringLiteral("services/cortecostituzionale"), s.cortecostituzionaleBase);
    s.doiBase = base(QStringLiteral("services/doi"), s.doiBase);
    s.crossrefBase = base(QStringLiteral("services/crossref"), s.crossrefBase);
    // Seconds, with a fraction when a test wants less than one; nonsense keeps the default.
    bool numero = false;
    const double attesa =
        ini.value(QStringLiteral("services/timeout")).toString().trimmed().toDouble(&numero);
    if (numero && attesa > 0 && attesa <= 600)
        s.captureTimeoutMs = static_cast<int>(attesa * 1000);
    return s;
}
