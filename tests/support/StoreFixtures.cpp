#include "support/StoreFixtures.h"

#include "store/Template.h"

#include <QFile>
#include <QRegularExpression>
#include <sqlite3.h>
#include <stdexcept>

namespace {

void exec(sqlite3* db, const QByteArray& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "sqlite error";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

sqlite3* openPlain(const QString& path, int flags) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path.toStdString());
    }
    return db;
}

// What schema 3 added.
const char* const kSenzaVersioni = "alter table tabDocumento drop column Versione; drop table tabVersione; "
                                   "drop table tabPassi;";

} // namespace

void downgradeToVersion2(const QString& path) {
    sqlite3* db = openPlain(path, SQLITE_OPEN_READWRITE);
    try {
        exec(db, QByteArray(kSenzaVersioni) + "PRAGMA user_version = 2;");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

QByteArray schemaVersion1() {
    QString schema = QString::fromUtf8(readDataResource(QStringLiteral("schema.sql")));
    for (const char* table : {"tabRifBibl", "tabResponsabilita", "tabFonte"}) {
        const QString head = QStringLiteral("CREATE TABLE %1 (").arg(QLatin1String(table));
        const qsizetype start = schema.indexOf(head);
        const qsizetype end = schema.indexOf(QStringLiteral(");"), start);
        if (start < 0 || end < 0)
            throw std::runtime_error("schema.sql changed: no table " + std::string(table));
        QString block = schema.mid(start, end - start);
        block.remove(QStringLiteral(" COLLATE NOCASE"));
        schema.replace(start, end - start, block);
    }
    static const QRegularExpression version(QStringLiteral("PRAGMA user_version = \\d+;"));
    schema.replace(version, QStringLiteral("PRAGMA user_version = 1;"));
    return schema.toUtf8();
}

void writeVersion1File(const QString& path, OldFile kind, const QString& consegna) {
    QFile::remove(path);
    sqlite3* db = openPlain(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        if (kind == OldFile::Catalogue) {
            QByteArray schema = readDataResource(QStringLiteral("catalogo_schema.sql"));
            static const QRegularExpression mark(QStringLiteral("PRAGMA application_id = \\d+;"));
            schema = QString::fromUtf8(schema)
                         .replace(mark, QStringLiteral("PRAGMA application_id = 1364087375;"))
                         .toUtf8();
            exec(db, schema);
            exec(db, readDataResource(QStringLiteral("catalogo.sql")));
        } else {
            exec(db, schemaVersion1());
            exec(db, kSenzaVersioni);
            exec(db, readDataResource(QStringLiteral("lookup.sql")));
            if (kind == OldFile::Archive)
                exec(db, QStringLiteral(
                             "insert into tabInfo (IDCentroSpoglio, AnnoProduzione, Consegna, NumInizio) "
                             "values ('3', '2025', '%1', '1')")
                             .arg(consegna)
                             .toUtf8());
        }
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

void writeHotJournalCopy(const QString& path, const QString& copyPath, int texts) {
    sqlite3* db = openPlain(path, SQLITE_OPEN_READWRITE);
    try {
        exec(db, "BEGIN");
        exec(db,
             QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                            "INSERT INTO tabTesto (Testo) SELECT 'testo committed ' || i || ' ' || "
                            "hex(zeroblob(100)) FROM n")
                 .arg(texts)
                 .toUtf8());
        exec(db, "COMMIT");
        // A cache of two pages spills the rewritten pages into the file before the commit.
        exec(db, "PRAGMA cache_size = 2");
        exec(db, "BEGIN");
        exec(db, "UPDATE tabTesto SET Testo = 'mai registrato ' || hex(randomblob(150))");
        QFile::remove(copyPath);
        QFile::remove(copyPath + QStringLiteral("-journal"));
        if (!QFile::exists(path + QStringLiteral("-journal")) || !QFile::copy(path, copyPath) ||
            !QFile::copy(path + QStringLiteral("-journal"), copyPath + QStringLiteral("-journal")))
            throw std::runtime_error("no journal to copy");
        exec(db, "ROLLBACK");
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

QString integrityOf(const QString& path) {
    sqlite3* db = openPlain(path, SQLITE_OPEN_READWRITE);
    QStringList lines;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW)
            lines << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    } else {
        lines << QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return lines.join(u'\n');
}

qint64 numberFrom(const QString& path, const QString& sql) {
    sqlite3* db = openPlain(path, SQLITE_OPEN_READWRITE);
    sqlite3_stmt* stmt = nullptr;
    qint64 value = -1;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}
