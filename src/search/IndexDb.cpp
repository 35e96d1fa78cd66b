#include "search/IndexDb.h"

#include <QFileInfo>
#include <sqlite3.h>

IndexStatement::IndexStatement(sqlite3* db, const char* sql) {
    const int rc = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw DbError(sqlite3_extended_errcode(db), message, QString::fromUtf8(sql));
    }
}

IndexStatement::~IndexStatement() {
    if (stmt_)
        sqlite3_finalize(stmt_);
}

IndexStatement::IndexStatement(IndexStatement&& other) noexcept : stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

IndexStatement& IndexStatement::operator=(IndexStatement&& other) noexcept {
    if (this != &other) {
        if (stmt_)
            sqlite3_finalize(stmt_);
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void IndexStatement::fail(int rc) const {
    sqlite3* db = sqlite3_db_handle(stmt_);
    throw DbError(db ? sqlite3_extended_errcode(db) : rc,
                  db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc)),
                  QString::fromUtf8(sqlite3_sql(stmt_)));
}

IndexStatement& IndexStatement::bind(int index, qint64 value) {
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

IndexStatement& IndexStatement::bind(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    const int rc =
        sqlite3_bind_text(stmt_, index, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

IndexStatement& IndexStatement::bind(int index, std::string_view utf8) {
    // A null pointer would be bound as Null, not as an empty text.
    const char* testo = utf8.data() ? utf8.data() : "";
    const int rc = sqlite3_bind_text(stmt_, index, testo, static_cast<int>(utf8.size()), SQLITE_STATIC);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

IndexStatement& IndexStatement::bindBlob(int index, const QByteArray& bytes) {
    const int rc =
        sqlite3_bind_blob(stmt_, index, bytes.constData(), static_cast<int>(bytes.size()), SQLITE_STATIC);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

IndexStatement& IndexStatement::bindNull(int index) {
    const int rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

bool IndexStatement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    fail(rc);
}

void IndexStatement::run() {
    while (step()) {
    }
    reset();
}

void IndexStatement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

qint64 IndexStatement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double IndexStatement::real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

QString IndexStatement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt_, column));
}

QByteArray IndexStatement::utf8(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return QByteArray(text, sqlite3_column_bytes(stmt_, column));
}

QByteArray IndexStatement::blob(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, column));
    return QByteArray(bytes, sqlite3_column_bytes(stmt_, column));
}

bool IndexStatement::isNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

// ---------------------------------------------------------------------------------------------

IndexDb::~IndexDb() {
    close();
}

void IndexDb::open(const QString& path) {
    close();
    sqlite3* db = nullptr;
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    const int rc = sqlite3_open_v2(file.constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DbError(rc, message);
    }
    sqlite3_extended_result_codes(db, 1);
    // Another program (the command line, a second window) may be writing the index.
    sqlite3_busy_timeout(db, 5000);
    db_ = db;
}

void IndexDb::close() {
    if (!db_)
        return;
    cache_.clear();
    // Statements still held elsewhere close the file when they are finalized.
    sqlite3_close_v2(db_);
    db_ = nullptr;
}

void IndexDb::exec(const char* sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(message);
        throw DbError(sqlite3_extended_errcode(db_), text, QString::fromUtf8(sql));
    }
}

IndexStatement& IndexDb::cached(const char* sql) {
    auto it = cache_.find(sql);
    if (it == cache_.end())
        it = cache_.emplace(sql, std::make_unique<IndexStatement>(db_, sql)).first;
    return *it->second;
}

qint64 IndexDb::scalar(const char* sql) {
    IndexStatement s(db_, sql);
    return s.step() ? s.integer(0) : 0;
}

void IndexDb::rollback() {
    if (db_ && !sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}
