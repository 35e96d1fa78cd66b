#include "store/Template.h"

#include "store/DataFolder.h"
#include "store/cConnessione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

QByteArray readDataResource(const QString& name) {
    const QString path = dataFilePath(name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("manca il file dei dati del programma %1 (%2): reinstallare Quillaro")
                .arg(path, file.errorString())
                .toStdString());
    return file.readAll();
}

namespace {

[[noreturn]] void failWith(const QString& message) { throw std::runtime_error(message.toStdString()); }

} // namespace

QStringList journalFiles(const QString& dbPath) {
    return {dbPath + QStringLiteral("-journal"), dbPath + QStringLiteral("-wal"), dbPath + QStringLiteral("-shm")};
}

void removeOrphanJournals(const QString& dbPath) {
    if (QFileInfo::exists(dbPath))
        return;
    for (const QString& journal : journalFiles(dbPath)) {
        if (QFileInfo::exists(journal) && !QFile::remove(journal))
            failWith(QStringLiteral("Il file %1, rimasto da un'operazione interrotta, non si può rimuovere: "
                                    "rimuoverlo e riprovare.")
                         .arg(QDir::toNativeSeparators(journal)));
    }
}

void moveIntoPlace(const QString& finished, const QString& target, bool replace) {
    const auto fail = [&](const QString& message) {
        QFile::remove(finished);
        failWith(message);
    };
    if (replace && QFileInfo::exists(target)) {
        // The journals of the file replaced are its own: left beside the new one, SQLite would
        // replay the old file's pages into it.
        for (const QString& journal : journalFiles(target))
            if (QFileInfo::exists(journal) && !QFile::remove(journal))
                fail(QStringLiteral("Impossibile sostituire %1: il file %2 non si può rimuovere.")
                         .arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(journal)));
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(finished.toStdU16String()),
                                std::filesystem::path(target.toStdU16String()), error);
        if (error)
            fail(QStringLiteral("Impossibile sostituire %1: %2")
                     .arg(QDir::toNativeSeparators(target), QString::fromLocal8Bit(error.message())));
        return;
    }
    if (QFileInfo::exists(target))
        fail(QStringLiteral("Il file %1 esiste già").arg(target));
    try {
        removeOrphanJournals(target);
    } catch (const std::exception& e) {
        fail(QString::fromStdString(e.what()));
    }
    if (!QFile::rename(finished, target))
        fail(QStringLiteral("Impossibile creare %1").arg(target));
}

void buildFromScripts(const QString& path, const QStringList& resourceNames, const QString& epilogue,
                      bool replace) {
    if (!replace && QFileInfo::exists(path))
        failWith(QStringLiteral("Il file %1 esiste già").arg(path));
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    removeOrphanJournals(part);
    QString error;
    QList<QByteArray> scripts;
    try {
        for (const QString& name : resourceNames)
            scripts << readDataResource(name);
    } catch (const std::exception& e) {
        failWith(QStringLiteral("Impossibile creare %1: %2").arg(path, QString::fromStdString(e.what())));
    }
    sqlite3* db = nullptr;
    const QByteArray file = part.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errstr(rc));
    } else {
        for (qsizetype i = 0; i < resourceNames.size(); ++i) {
            const QString& name = resourceNames[i];
            char* message = nullptr;
            const QByteArray& script = scripts[i];
            rc = sqlite3_exec(db, script.constData(), nullptr, nullptr, &message);
            if (rc != SQLITE_OK) {
                error = QStringLiteral("%1: %2").arg(name, message ? QString::fromUtf8(message)
                                                                   : QString::fromUtf8(sqlite3_errstr(rc)));
                sqlite3_free(message);
                break;
            }
        }
        if (error.isEmpty() && !epilogue.isEmpty()) {
            char* message = nullptr;
            rc = sqlite3_exec(db, epilogue.toUtf8().constData(), nullptr, nullptr, &message);
            if (rc != SQLITE_OK)
                error = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errstr(rc));
            sqlite3_free(message);
        }
    }
    if (error.isEmpty())
        sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr);
    if (sqlite3_close(db) != SQLITE_OK && error.isEmpty())
        error = QStringLiteral("chiusura non riuscita");
    if (!error.isEmpty()) {
        QFile::remove(part);
        failWith(QStringLiteral("Impossibile creare %1: %2").arg(path, error));
    }
    moveIntoPlace(part, path, replace);
}

void buildTemplateArchive(const QString& path) {
    // Made with the archive's schema, then marked as the template: opened by mistake as a delivery,
    // it is refused, and a delivery archive is never taken for it.
    buildFromScripts(path, {QStringLiteral("schema.sql"), QStringLiteral("lookup.sql")},
                     QStringLiteral("PRAGMA application_id = %1;").arg(cConnessione::kTemplateApplicationId));
}

void buildCatalogue(const QString& path) {
    buildFromScripts(path, {QStringLiteral("catalogo_schema.sql"), QStringLiteral("catalogo.sql")});
}

void buildDemoArchive(const QString& path) {
    buildFromScripts(path, {QStringLiteral("schema.sql"), QStringLiteral("lookup.sql"), QStringLiteral("demo.sql")});
}

void replaceDemoArchive(const QString& path) {
    buildFromScripts(path, {QStringLiteral("schema.sql"), QStringLiteral("lookup.sql"), QStringLiteral("demo.sql")},
                     {}, true);
}

void copyNewFile(const QString& source, const QString& target) {
    if (!QFileInfo(source).isFile())
        failWith(QStringLiteral("Modello mancante: %1").arg(source));
    if (QFileInfo::exists(target))
        failWith(QStringLiteral("Il file %1 esiste già").arg(target));
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(source, part)) {
        QFile::remove(part);
        failWith(QStringLiteral("Impossibile scrivere %1").arg(target));
    }
    QFile::setPermissions(part, QFile::permissions(part) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    moveIntoPlace(part, target);
}

