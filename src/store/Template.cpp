#include "store/Template.h"

#include "store/DataFolder.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <stdexcept>

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

void buildFromScripts(const QString& path, const QStringList& resourceNames) {
    if (QFileInfo::exists(path))
        failWith(QStringLiteral("Il file %1 esiste già").arg(path));
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
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
    }
    if (error.isEmpty())
        sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr);
    if (sqlite3_close(db) != SQLITE_OK && error.isEmpty())
        error = QStringLiteral("chiusura non riuscita");
    if (!error.isEmpty()) {
        QFile::remove(part);
        failWith(QStringLiteral("Impossibile creare %1: %2").arg(path, error));
    }
    if (!QFile::rename(part, path)) {
        QFile::remove(part);
        failWith(QStringLiteral("Impossibile creare %1").arg(path));
    }
}

void buildTemplateArchive(const QString& path) {
    buildFromScripts(path, {QStringLiteral("schema.sql"), QStringLiteral("lookup.sql")});
}

void buildCatalogue(const QString& path) {
    buildFromScripts(path, {QStringLiteral("catalogo_schema.sql"), QStringLiteral("catalogo.sql")});
}

void buildDemoArchive(const QString& path) {
    buildFromScripts(path, {QStringLiteral("schema.sql"), QStringLiteral("lookup.sql"), QStringLiteral("demo.sql")});
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
    if (!QFile::rename(part, target)) {
        QFile::remove(part);
        failWith(QStringLiteral("Impossibile scrivere %1").arg(target));
    }
}
