#include "store/ArchiveFormat.h"

#include "store/MessaggiErrore.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace {

// The schema that made issues, names and sources compare without regard to case, and gave each
// kind of file its own mark.
constexpr int kSchemaNocase = 2;

// A refusal of the engine while the file is looked at.
struct EngineFailure {
    int code;
    QString text;
};

[[noreturn]] void raise(sqlite3* db, int rc) {
    throw EngineFailure{rc, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc))};
}

// One statement with its values, read row by row.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QStringList& params = {}) : db_(db) {
        const QByteArray text = sql.toUtf8();
        const int rc =
            sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt_, nullptr);
        if (rc != SQLITE_OK)
            raise(db, rc);
        for (int i = 0; i < params.size(); ++i) {
            const QByteArray value = params[i].toUtf8();
            sqlite3_bind_text(stmt_, i + 1, value.constData(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT);
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool next() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            raise(db_, rc);
        return false;
    }
    qint64 integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    QString text(int column) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column)),
                                 sqlite3_column_bytes(stmt_, column));
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

qint64 scalar(sqlite3* db, const QString& sql) {
    Statement s(db, sql);
    return s.next() ? s.integer(0) : 0;
}

void run(sqlite3* db, const QString& sql) {
    Statement s(db, sql);
    while (s.next()) {
    }
}

QString quoted(const QString& identifier) {
    QString q = identifier;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

// What a file turned out to be.
enum class Found { Archive, Template, Catalogue, Foreign };

Found foundOf(FileKind kind) {
    switch (kind) {
    case FileKind::DeliveryArchive:
        return Found::Archive;
    case FileKind::Template:
        return Found::Template;
    case FileKind::Catalogue:
        return Found::Catalogue;
    }
    return Found::Foreign;
}

int markOf(Found kind) {
    switch (kind) {
    case Found::Archive:
        return cConnessione::kApplicationId;
    case Found::Template:
        return cConnessione::kTemplateApplicationId;
    case Found::Catalogue:
        return cConnessione::kCatalogueApplicationId;
    case Found::Foreign:
        break;
    }
    return 0;
}

QString nameOf(Found kind) {
    switch (kind) {
    case Found::Archive:
        return QStringLiteral("l'archivio di una consegna");
    case Found::Template:
        return QStringLiteral("il modello vuoto da cui si creano gli archivi nuovi (masterOnline.db)");
    case Found::Catalogue:
        return QStringLiteral("il catalogo delle norme (Catalogo norme.db)");
    case Found::Foreign:
        break;
    }
    return QStringLiteral("un file di un altro programma");
}

QString adviceFor(Found expected) {
    if (expected == Found::Archive)
        return QStringLiteral("scegliere l'archivio di una consegna (un file .db della cartella mdb).");
    return QStringLiteral("ripristinarlo da una copia di sicurezza.");
}

// What makes a file an archive (its delivery and its documents) or the catalogue. A table the
// operations need beyond these is reported by the operation that misses it.
const QStringList& requiredTables(Found kind) {
    static const QStringList archive = {QStringLiteral("tabInfo"), QStringLiteral("tabDocumento")};
    static const QStringList catalogue = {QStringLiteral("tabCatalogo")};
    static const QStringList none;
    switch (kind) {
    case Found::Archive:
    case Found::Template:
        return archive;
    case Found::Catalogue:
        return catalogue;
    case Found::Foreign:
        break;
    }
    return none;
}

// Lower-case names of the tables of the file.
QStringList tablesOf(sqlite3* db) {
    QStringList names;
    Statement s(db, QStringLiteral("select name from sqlite_schema where type = 'table'"));
    while (s.next())
        names << s.text(0).toLower();
    return names;
}

bool has(const QStringList& tables, const char* name) {
    return tables.contains(QString::fromLatin1(name).toLower());
}

// Files made by the previous version carry the archive's mark whatever they are: what they hold
// tells the template (no delivery row, no document) and the catalogue (tabCatalogo, no documents).
Found legacyKind(sqlite3* db, const QStringList& tables) {
    if (has(tables, "tabCatalogo") && !has(tables, "tabDocumento"))
        return Found::Catalogue;
    if (has(tables, "tabInfo") && has(tables, "tabDocumento") &&
        scalar(db, QStringLiteral("select exists (select 1 from tabInfo)")) == 0 &&
        scalar(db, QStringLiteral("select exists (select 1 from tabDocumento)")) == 0)
        return Found::Template;
    return Found::Archive;
}

// SQLite cannot change the collation of a column: the table is made again with the new definition,
// its rows copied as they are (rows that are now equal stay two) and its indexes made again, which
// then take the columns' collation.
void rebuildWithNocase(sqlite3* db, const NocaseColumns& wanted) {
    QString name;
    QString create;
    {
        Statement s(db,
                    QStringLiteral("select name, sql from sqlite_schema where type = 'table' and name = ? "
                                   "collate nocase"),
                    {wanted.table});
        if (!s.next())
            return;
        name = s.text(0);
        create = s.text(1);
    }
    const QString changed = withNocaseColumns(create, wanted.columns);
    if (changed == create)
        return;
    QStringList dependents;
    {
        Statement s(db,
                    QStringLiteral("select sql from sqlite_schema where type in ('index', 'trigger') and "
                                   "tbl_name = ? collate nocase and sql is not null"),
                    {name});
        while (s.next())
            dependents << s.text(0);
    }
    static const QRegularExpression head(
        QStringLiteral(
            R"(^\s*CREATE\s+TABLE\s+(IF\s+NOT\s+EXISTS\s+)?("(?:[^"]|"")*"|\[[^\]]*\]|`[^`]*`|[^\s(]+)\s*)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(changed);
    if (!m.hasMatch())
        throw EngineFailure{SQLITE_CORRUPT, QStringLiteral("definizione di %1 non riconosciuta").arg(name)};
    const QString temporary = QStringLiteral("quillaro_rifacimento");
    run(db, QStringLiteral("drop table if exists ") + temporary);
    run(db, QStringLiteral("CREATE TABLE ") + temporary + u' ' + changed.mid(m.capturedEnd()));
    run(db, QStringLiteral("insert into %1 select * from %2").arg(temporary, quoted(name)));
    run(db, QStringLiteral("drop table ") + quoted(name));
    // Views and triggers of other tables that name it (another tool's) are left as they are: they
    // find it again under its own name.
    run(db, QStringLiteral("PRAGMA legacy_alter_table = ON"));
    try {
        run(db, QStringLiteral("alter table %1 rename to %2").arg(temporary, quoted(name)));
    } catch (...) {
        run(db, QStringLiteral("PRAGMA legacy_alter_table = OFF"));
        throw;
    }
    run(db, QStringLiteral("PRAGMA legacy_alter_table = OFF"));
    for (const QString& sql : dependents)
        run(db, sql);
}

// Schema 3: the versions by which a save tells that a document changed since it was loaded, and a
// step of the delivery that a change came after it (store/VersioneArchivio.h). Safe to run again.
void addVersions(sqlite3* db) {
    if (scalar(db, QStringLiteral("select count(*) from pragma_table_info('tabDocumento') where name = "
                                  "'Versione' collate nocase")) == 0)
        run(db, QStringLiteral("alter table tabDocumento add column Versione INTEGER NOT NULL DEFAULT 0"));
    run(db, QStringLiteral("CREATE TABLE IF NOT EXISTS tabVersione (ID INTEGER PRIMARY KEY CHECK (ID = 1), "
                           "Versione INTEGER NOT NULL DEFAULT 0)"));
    run(db, QStringLiteral("insert or ignore into tabVersione (ID, Versione) values (1, 0)"));
    run(db, QStringLiteral("CREATE TABLE IF NOT EXISTS tabPassi (Codice TEXT PRIMARY KEY, Versione INTEGER "
                           "NOT NULL DEFAULT 0)"));
}

// A file cut short (a copy broken off, a full disk) still has its first page: what its header says
// of its own length tells. Empty when the file is as long as it says.
QString truncation(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3")))
        return {};
    const auto byte = [&](int i) { return static_cast<quint32>(static_cast<unsigned char>(header[i])); };
    quint32 pageSize = (byte(16) << 8) | byte(17);
    if (pageSize == 1)
        pageSize = 65536;
    const quint32 pages = (byte(28) << 24) | (byte(29) << 16) | (byte(30) << 8) | byte(31);
    // The count is trusted only when the header says it is current (SQLite's own rule).
    const bool current = header.mid(24, 4) == header.mid(92, 4);
    const qint64 expected = static_cast<qint64>(pages) * pageSize;
    if (!current || pages == 0 || file.size() >= expected)
        return {};
    return QStringLiteral("Il file è incompleto (%1 byte invece di %2: copiato solo in parte o troncato): "
                          "ripristinarlo da una copia di sicurezza.")
        .arg(file.size())
        .arg(expected);
}

// A file that may be read but not written (read-only medium or folder): it is taken as it is, as
// it would be without an upgrade to make.
bool cannotWrite(const EngineFailure& e) {
    const int primary = e.code & 0xff;
    return primary == SQLITE_READONLY || primary == SQLITE_CANTOPEN || primary == SQLITE_PERM;
}

QString upgradeFailed(const EngineFailure& e) {
    return MessaggioErroreDb(
        QStringLiteral("Il file è della versione precedente e non è stato possibile aggiornarlo: non è "
                       "stato aperto."),
        e.code, e.text);
}

} // namespace

bool diServizio(const QString& tabella, const QString& colonna) {
    if (tabella.compare(u"tabVersione", Qt::CaseInsensitive) == 0 ||
        tabella.compare(u"tabPassi", Qt::CaseInsensitive) == 0)
        return true;
    return tabella.compare(u"tabDocumento", Qt::CaseInsensitive) == 0 &&
           colonna.compare(u"Versione", Qt::CaseInsensitive) == 0;
}

const QList<NocaseColumns>& nocaseColumns() {
    static const QList<NocaseColumns> columns = {
        {QStringLiteral("tabRifBibl"),
         {QStringLiteral("Fascicolo"), QStringLiteral("Volume"), QStringLiteral("Annata")}},
        {QStringLiteral("tabResponsabilita"),
         {QStringLiteral("PrimoElemento"), QStringLiteral("SecondoElemento")}},
        {QStringLiteral("tabFonte"),
         {QStringLiteral("articolo"), QStringLiteral("comma"), QStringLiteral("lettera"),
          QStringLiteral("allegato"), QStringLiteral("ripa"), QStringLiteral("ripc"),
          QStringLiteral("numero"), QStringLiteral("numeroP"), QStringLiteral("giorno"),
          QStringLiteral("anno"), QStringLiteral("mese"), QStringLiteral("altro"), QStringLiteral("testo")}},
    };
    return columns;
}

QString withNocaseColumns(const QString& createTable, const QStringList& columns) {
    // Walk the text once, outside quotes and comments, and note where each top-level column
    // definition starts and where its last significant character ends.
    struct Item {
        qsizetype start = -1;
        qsizetype end = -1; // one past the last character that is neither blank nor comment
    };
    QList<Item> items;
    const qsizetype n = createTable.size();
    // Index of the character that closes the quoted name or text starting at i.
    const auto closing = [&](qsizetype i) {
        const QChar open = createTable[i];
        const QChar close = open == u'[' ? QChar(u']') : open;
        qsizetype j = i + 1;
        while (j < n) {
            if (createTable[j] == close) {
                if (close != u']' && j + 1 < n && createTable[j + 1] == close) {
                    j += 2;
                    continue;
                }
                return j;
            }
            ++j;
        }
        return n - 1;
    };
    int depth = 0;
    qsizetype bodyEnd = -1;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = createTable[i];
        if (c == u'-' && i + 1 < n && createTable[i + 1] == u'-') {
            while (i + 1 < n && createTable[i + 1] != u'\n')
                ++i;
            continue;
        }
        if (c == u'/' && i + 1 < n && createTable[i + 1] == u'*') {
            const qsizetype close = createTable.indexOf(QStringLiteral("*/"), i + 2);
            i = close < 0 ? n : close + 1;
            continue;
        }
        if (c.isSpace())
            continue;
        const bool quote = c == u'\'' || c == u'"' || c == u'`' || c == u'[';
        if (depth == 0) {
            if (quote)
                i = closing(i);
            else if (c == u'(') {
                depth = 1;
                items.append(Item{});
            }
            continue;
        }
        if (depth == 1 && c == u',') {
            items.append(Item{});
            continue;
        }
        if (depth == 1 && c == u')') {
            bodyEnd = i;
            break;
        }
        Item& item = items.last();
        if (item.start < 0)
            item.start = i;
        if (quote)
            i = closing(i);
        else if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        item.end = i + 1;
    }
    if (bodyEnd < 0)
        return createTable;

    static const QRegularExpression firstWord(
        QStringLiteral(R"(^("(?:[^"]|"")*"|\[[^\]]*\]|`[^`]*`|[A-Za-z_][A-Za-z_0-9$]*))"));
    static const QStringList kTableConstraints = {QStringLiteral("CONSTRAINT"), QStringLiteral("PRIMARY"),
                                                  QStringLiteral("UNIQUE"), QStringLiteral("CHECK"),
                                                  QStringLiteral("FOREIGN")};
    static const QRegularExpression nocase(QStringLiteral(R"(\bCOLLATE\s+["'`\[]?NOCASE\b)"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString result = createTable;
    // From the last to the first, so that the positions noted stay right.
    for (qsizetype k = items.size() - 1; k >= 0; --k) {
        const Item& item = items[k];
        if (item.start < 0 || item.end <= item.start)
            continue;
        const QString definition = createTable.mid(item.start, item.end - item.start);
        const QRegularExpressionMatch m = firstWord.match(definition);
        if (!m.hasMatch())
            continue;
        QString column = m.captured(1);
        if (column.size() >= 2 &&
            (column.front() == u'"' || column.front() == u'[' || column.front() == u'`'))
            column = column.mid(1, column.size() - 2);
        else if (kTableConstraints.contains(column, Qt::CaseInsensitive))
            continue;
        const bool named = std::any_of(columns.begin(), columns.end(), [&](const QString& c) {
            return c.compare(column, Qt::CaseInsensitive) == 0;
        });
        if (named && !nocase.match(definition).hasMatch())
            result.insert(item.end, QStringLiteral(" COLLATE NOCASE"));
    }
    return result;
}

FormatCheck checkFileKind(sqlite3* db, const QString& path, FileKind expectedKind) {
    const Found expected = foundOf(expectedKind);
    FormatCheck check;
    try {
        const int mark = static_cast<int>(scalar(db, QStringLiteral("PRAGMA application_id")));
        const int version = static_cast<int>(scalar(db, QStringLiteral("PRAGMA user_version")));
        Found found = Found::Foreign;
        if (mark == cConnessione::kApplicationId)
            found = Found::Archive;
        else if (mark == cConnessione::kTemplateApplicationId)
            found = Found::Template;
        else if (mark == cConnessione::kCatalogueApplicationId)
            found = Found::Catalogue;
        if (found == Found::Foreign) {
            // Untouched: nothing is written into a file that is not ours.
            check.reason =
                QStringLiteral("Il file non è %1 di Quillaro: %2").arg(nameOf(expected), adviceFor(expected));
            return check;
        }
        // One self-contained file that can be copied and handed over.
        run(db, QStringLiteral("PRAGMA journal_mode = DELETE"));

        if (const QString cut = truncation(path); !cut.isEmpty()) {
            check.reason = cut;
            return check;
        }
        const QStringList tables = tablesOf(db);
        // Before schema 2 every kind was marked as an archive.
        const bool previous = found == Found::Archive && version < kSchemaNocase;
        if (previous)
            found = legacyKind(db, tables);
        if (found != expected) {
            check.reason = QStringLiteral("Il file è %1, non %2: %3")
                               .arg(nameOf(found), nameOf(expected), adviceFor(expected));
            return check;
        }
        QStringList missing;
        for (const QString& table : requiredTables(found))
            if (!tables.contains(table.toLower()))
                missing << table;
        if (!missing.isEmpty()) {
            check.reason = QStringLiteral("Nel file mancano le tabelle %1: non è %2 completo; %3")
                               .arg(missing.join(QStringLiteral(", ")), nameOf(found),
                                    QStringLiteral("ripristinarlo da una copia di sicurezza."));
            return check;
        }

        const bool remark = mark != markOf(found);
        const bool upgrade = found != Found::Catalogue && version < cConnessione::kSchemaVersion;
        if ((!remark && !upgrade) || sqlite3_db_readonly(db, "main") == 1)
            return check;
        try {
            run(db, QStringLiteral("BEGIN IMMEDIATE"));
        } catch (const EngineFailure& e) {
            if (cannotWrite(e))
                return check;
            check.code = e.code;
            check.reason = upgradeFailed(e);
            return check;
        }
        try {
            if (upgrade) {
                if (version < kSchemaNocase)
                    for (const NocaseColumns& wanted : nocaseColumns())
                        rebuildWithNocase(db, wanted);
                addVersions(db);
                run(db, QStringLiteral("PRAGMA user_version = %1").arg(cConnessione::kSchemaVersion));
            }
            if (remark)
                run(db, QStringLiteral("PRAGMA application_id = %1").arg(markOf(found)));
            run(db, QStringLiteral("COMMIT"));
        } catch (const EngineFailure& e) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            if (cannotWrite(e))
                return check;
            check.code = e.code;
            check.reason = upgradeFailed(e);
            return check;
        }
        return check;
    } catch (const EngineFailure& e) {
        check.code = e.code;
        const QString detail = QStringLiteral("Dettaglio tecnico: %1 (errore %2)").arg(e.text).arg(e.code);
        if ((e.code & 0xff) == SQLITE_NOTADB) {
            check.reason = QStringLiteral("Il file non è %1 di Quillaro: %2")
                               .arg(nameOf(expected), adviceFor(expected)) +
                           u'\n' + detail;
            return check;
        }
        if (const QString cut = truncation(path); !cut.isEmpty()) {
            check.reason = cut + u'\n' + detail;
            return check;
        }
        check.reason = MessaggioErroreDb(QString(), e.code, e.text);
        return check;
    }
}
