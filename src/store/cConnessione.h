#pragma once

// The one way into an archive: a connection to a SQLite file with a cache of prepared statements,
// forward-only record sets and statements whose values are always bound, never spliced.

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// What a caller expects to find in a file it opens: each is marked as such, and nothing else is
// taken for it.
enum class FileKind {
    DeliveryArchive, // one delivery: what File > Apri, the commands and the batches open
    Template,        // mdb/masterOnline.db, opened only where it is copied or brought up to date
    Catalogue,       // mdb/Catalogo norme.db, the norms catalogue
};

// A write transaction holds the archive against other writers from its start, so what it reads
// first is still so at its first write; a read transaction sees one state of the archive throughout
// (no other program commits meanwhile).
enum class TransactionKind { Write, Read };

// A statement the database refused, or a value that could not be read. Callers report it.
class DbError : public std::runtime_error {
public:
    DbError(int number, const QString& description, const QString& sql = {});
    int number() const { return number_; }
    const QString& description() const { return description_; }
    const QString& sql() const { return sql_; }

private:
    int number_;
    QString description_;
    QString sql_;
};

// One column value of the current row: text, whole number, real or Null.
class Field {
public:
    Field() = default;
    explicit Field(QVariant value) : value_(std::move(value)) {}

    bool isNull() const { return value_.isNull(); }
    // Null reads as empty text.
    QString toString() const;
    // Whole number; text is read by its leading number as the engine would compare it ("12a" -> 12,
    // "" -> 0). Null reads as 0.
    qint64 toLongLong() const;
    int toInt() const { return static_cast<int>(toLongLong()); }
    // Any non-zero number is true (archives may hold Jet's -1); Null is false.
    bool toBool() const;
    const QVariant& variant() const { return value_; }

private:
    QVariant value_;
};

namespace detail {
struct CachedStatement;
}

// A forward-only, read-only cursor over the rows of a select. It is positioned on the first row
// when opened; eof() tells when the rows are over.
class RecordSet {
public:
    RecordSet() = default;
    RecordSet(RecordSet&&) noexcept;
    RecordSet& operator=(RecordSet&&) noexcept;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;
    ~RecordSet();

    bool isOpen() const { return statement_ != nullptr; }
    bool eof() const { return eof_; }
    void moveNext();
    // Column by name, without regard to case; the first column of that name wins.
    Field field(QStringView name) const;
    Field operator[](QStringView name) const { return field(name); }
    // Column by position, for hot loops.
    Field field(int column) const;
    // The same as field(column).toString() and .toLongLong(), without going through a QVariant.
    QString text(int column) const;
    qint64 integer(int column) const;
    // Adds the column as UTF-8, the bytes text() decodes (nothing for NULL), to `out`.
    void appendUtf8(int column, QByteArray& out) const;
    // The same as field(column).toBool(), without a QVariant for a number.
    bool boolean(int column) const;
    // The same as field(column).isNull().
    bool isNull(int column) const;
    int columnIndex(QStringView name) const;
    int columnCount() const;
    void close();

private:
    friend class cConnessione;
    RecordSet(std::shared_ptr<detail::CachedStatement> statement, sqlite3_stmt* owned, QString sql);
    void step();
    sqlite3_stmt* handle() const;

    std::shared_ptr<detail::CachedStatement> statement_;
    sqlite3_stmt* owned_ = nullptr; // a private statement when the cached one was busy
    QString sql_;
    bool eof_ = true;
};

class cConnessione {
public:
    cConnessione();
    ~cConnessione();
    cConnessione(const cConnessione&) = delete;
    cConnessione& operator=(const cConnessione&) = delete;

    // Opens the file named by a connection string ("...Data Source=<path>;...") or by a bare path,
    // waiting for a lock held by another program as every statement does. False, with nothing
    // changed and the reason in lastErrorMessage(), when the file is missing, locked for too long,
    // damaged, or not of the kind expected. A file of the previous version is brought up to date.
    // solaLettura: for readers that must leave the file as it is (the search index reads archives);
    // such a file is read as it is, an earlier version included.
    bool ApriConnessione(const QString& D_Source, FileKind expected = FileKind::DeliveryArchive,
                         bool solaLettura = false);
    // Closes the connection; false when there was an error closing it.
    bool ChiudiConnessione();
    bool isOpen() const { return db_ != nullptr; }
    QString path() const { return path_; }

    // Opens a record set on a select. Throws DbError when the statement is refused.
    RecordSet ApriRS(const QString& vSQL, const QVariantList& params = {});
    // Executes an insert, update or delete; returns the number of rows changed. Throws DbError.
    qint64 EseguiIstruzione(const QString& vSQL, const QVariantList& params = {});
    static void ChiudiRS(RecordSet& RS) { RS.close(); }

    // Key of the row inserted last on this connection.
    qint64 lastInsertId() const;
    // Runs a script of several statements (template and demo data). Throws DbError.
    void executeScript(const QString& script);

    // Transactions nest: the outermost one commits.
    void begin(TransactionKind kind = TransactionKind::Write);
    void commit();
    void rollback();
    int transactionDepth() const { return depth_; }

    // Why the last call failed: for ApriConnessione, Italian lines saying what the file is and what
    // to do, the engine's text (if any) on a line of its own.
    QString lastErrorMessage() const { return lastError_; }
    // The engine's result code of the last failure (0 when the reason is ours).
    int lastErrorCode() const { return lastErrorCode_; }

    // Marks of our files (PRAGMA application_id) and the schema version (user_version) of archives
    // and template: 2 compares issues, names and sources without regard to case, 3 keeps versions.
    static constexpr int kApplicationId = 1364087375;          // 'QNRO', a delivery archive
    static constexpr int kTemplateApplicationId = 1364087380;  // 'QNRT', masterOnline.db
    static constexpr int kCatalogueApplicationId = 1364087363; // 'QNRC', Catalogo norme.db
    static constexpr int kSchemaVersion = 3;
    // How long opening and every statement wait for a lock held by another program.
    static constexpr int kBusyTimeoutMs = 5000;
    static QString pathFromConnectionString(const QString& connectionString);
    static QString connectionStringFor(const QString& path);

private:
    std::shared_ptr<detail::CachedStatement> prepare(const QString& sql);
    void bind(sqlite3_stmt* stmt, const QVariantList& params, const QString& sql);
    [[noreturn]] void fail(int rc, const QString& sql);
    void finalizeAll();

    sqlite3* db_ = nullptr;
    QString path_;
    QString lastError_;
    int lastErrorCode_ = 0;
    int depth_ = 0;
    std::unordered_map<QString, std::shared_ptr<detail::CachedStatement>> cache_;
};

// RAII transaction: rolls back unless committed.
class Transaction {
public:
    explicit Transaction(cConnessione& connection, TransactionKind kind = TransactionKind::Write);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    cConnessione& connection_;
    bool done_ = false;
};
