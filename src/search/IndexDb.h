#pragma once

// The connection to the search index file: not an archive (it is never handed over, never opened
// by cConnessione), so it has its own thin layer over SQLite with statements prepared once and
// values always bound. Every failure throws DbError.

#include "store/cConnessione.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

class IndexStatement {
public:
    IndexStatement() = default;
    IndexStatement(sqlite3* db, const char* sql);
    ~IndexStatement();
    IndexStatement(IndexStatement&& other) noexcept;
    IndexStatement& operator=(IndexStatement&& other) noexcept;
    IndexStatement(const IndexStatement&) = delete;
    IndexStatement& operator=(const IndexStatement&) = delete;

    IndexStatement& bind(int index, qint64 value);
    IndexStatement& bind(int index, const QString& value);
    // UTF-8 text or bytes, not copied: they must stay as they are until the statement is reset.
    IndexStatement& bind(int index, std::string_view utf8);
    IndexStatement& bindBlob(int index, const QByteArray& bytes);
    IndexStatement& bindNull(int index);
    // The next row: true while there is one. Throws DbError.
    bool step();
    // Runs a statement that returns no rows, then makes it ready again.
    void run();
    void reset();

    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    QByteArray utf8(int column) const;
    QByteArray blob(int column) const;
    bool isNull(int column) const;

private:
    [[noreturn]] void fail(int rc) const;
    sqlite3_stmt* stmt_ = nullptr;
};

class IndexDb {
public:
    IndexDb() = default;
    ~IndexDb();
    IndexDb(const IndexDb&) = delete;
    IndexDb& operator=(const IndexDb&) = delete;

    // Opens (or creates) the file; the caller checks what it holds. Throws DbError.
    void open(const QString& path);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

    // Statements of several parts, or without values (schema, pragmas, transactions).
    void exec(const char* sql);
    qint64 scalar(const char* sql);
    IndexStatement prepare(const char* sql) const { return IndexStatement(db_, sql); }
    // A statement prepared once for the life of the connection; the caller resets it after use
    // (run() does) and never uses it twice at the same time.
    IndexStatement& cached(const char* sql);

    void begin() { exec("BEGIN IMMEDIATE"); }
    void commit() { exec("COMMIT"); }
    void rollback();

private:
    sqlite3* db_ = nullptr;
    std::unordered_map<std::string, std::unique_ptr<IndexStatement>> cache_;
};

// A write transaction on the index: rolled back unless committed.
class IndexTransaction {
public:
    explicit IndexTransaction(IndexDb& db) : db_(db) { db_.begin(); }
    ~IndexTransaction() {
        if (!done_)
            db_.rollback();
    }
    IndexTransaction(const IndexTransaction&) = delete;
    IndexTransaction& operator=(const IndexTransaction&) = delete;
    void commit() {
        db_.commit();
        done_ = true;
    }

private:
    IndexDb& db_;
    bool done_ = false;
};

// A read transaction on the index for a run of look-ups: one lock for all of them.
class LetturaIndice {
public:
    explicit LetturaIndice(IndexDb& db) : db_(db) { db_.exec("BEGIN"); }
    ~LetturaIndice() { db_.rollback(); }
    LetturaIndice(const LetturaIndice&) = delete;
    LetturaIndice& operator=(const LetturaIndice&) = delete;

private:
    IndexDb& db_;
};
