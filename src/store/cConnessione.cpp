#include "store/cConnessione.h"

#include "store/ArchiveFormat.h"
#include "store/MessaggiErrore.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstring>

namespace detail {

struct CachedStatement {
    sqlite3_stmt* stmt = nullptr;
    bool inUse = false;
    std::vector<QString> names; // lower-case column names, filled on first use

    ~CachedStatement() {
        if (stmt)
            sqlite3_finalize(stmt);
    }
};

} // namespace detail

namespace {

QString errorText(sqlite3* db, int rc) {
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(rc));
}

std::vector<QString> columnNames(sqlite3_stmt* stmt) {
    std::vector<QString> names;
    const int n = sqlite3_column_count(stmt);
    names.reserve(n);
    for (int i = 0; i < n; ++i)
        names.push_back(QString::fromUtf8(sqlite3_column_name(stmt, i)).toLower());
    return names;
}

} // namespace

// ---------------------------------------------------------------------------------------------

DbError::DbError(int number, const QString& description, const QString& sql)
    : std::runtime_error(description.toStdString()), number_(number), description_(description), sql_(sql) {}

QString Field::toString() const {
    if (value_.isNull())
        return {};
    if (value_.typeId() == QMetaType::Double) {
        const double d = value_.toDouble();
        if (d == static_cast<double>(static_cast<qint64>(d)))
            return QString::number(static_cast<qint64>(d));
        return QString::number(d, 'g', 15);
    }
    return value_.toString();
}

qint64 Field::toLongLong() const {
    if (value_.isNull())
        return 0;
    switch (value_.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
        return value_.toLongLong();
    case QMetaType::Double:
        return static_cast<qint64>(value_.toDouble());
    default:
        break;
    }
    // Text: its leading number, as the engine reads "12-15" or " 7".
    const QString s = value_.toString().trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }
    qint64 n = 0;
    for (; i < s.size() && s[i].isDigit() && s[i].unicode() < 128; ++i) {
        if (n > (std::numeric_limits<qint64>::max() - 9) / 10)
            break;
        n = n * 10 + (s[i].unicode() - u'0');
    }
    return negative ? -n : n;
}

bool Field::toBool() const {
    if (value_.isNull())
        return false;
    if (value_.typeId() == QMetaType::QString) {
        const QString s = value_.toString().trimmed();
        if (s.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        if (s.compare(u"false", Qt::CaseInsensitive) == 0)
            return false;
    }
    return toLongLong() != 0;
}

// ---------------------------------------------------------------------------------------------

RecordSet::RecordSet(std::shared_ptr<detail::CachedStatement> statement, sqlite3_stmt* owned, QString sql)
    : statement_(std::move(statement)), owned_(owned), sql_(std::move(sql)) {
    eof_ = false;
    step();
}

RecordSet::RecordSet(RecordSet&& other) noexcept
    : statement_(std::move(other.statement_)), owned_(other.owned_), sql_(std::move(other.sql_)),
      eof_(other.eof_) {
    other.owned_ = nullptr;
    other.eof_ = true;
}

RecordSet& RecordSet::operator=(RecordSet&& other) noexcept {
    if (this != &other) {
        close();
        statement_ = std::move(other.statement_);
        owned_ = other.owned_;
        sql_ = std::move(other.sql_);
        eof_ = other.eof_;
        other.owned_ = nullptr;
        other.eof_ = true;
    }
    return *this;
}

RecordSet::~RecordSet() { close(); }

sqlite3_stmt* RecordSet::handle() const {
    if (owned_)
        return owned_;
    return statement_ ? statement_->stmt : nullptr;
}

void RecordSet::step() {
    sqlite3_stmt* stmt = handle();
    if (!stmt) {
        eof_ = true;
        return;
    }
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return;
    eof_ = true;
    if (rc != SQLITE_DONE) {
        sqlite3* db = sqlite3_db_handle(stmt);
        const QString message = errorText(db, rc);
        close();
        throw DbError(rc, message, sql_);
    }
}

void RecordSet::moveNext() {
    if (eof_)
        throw DbError(3021, QStringLiteral("Nessun record corrente."), sql_);
    step();
}

int RecordSet::columnIndex(QStringView name) const {
    sqlite3_stmt* stmt = handle();
    if (!stmt)
        return -1;
    if (!owned_) {
        auto& names = statement_->names;
        if (names.empty())
            names = columnNames(stmt);
        for (size_t i = 0; i < names.size(); ++i)
            if (QStringView(names[i]).compare(name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    }
    const int n = sqlite3_column_count(stmt);
    for (int i = 0; i < n; ++i)
        if (QString::fromUtf8(sqlite3_column_name(stmt, i)).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int RecordSet::columnCount() const {
    sqlite3_stmt* stmt = handle();
    return stmt ? sqlite3_column_count(stmt) : 0;
}

Field RecordSet::field(QStringView name) const {
    const int i = columnIndex(name);
    if (i < 0)
        throw DbError(3265, QStringLiteral("Colonna non trovata: %1").arg(name.toString()), sql_);
    return field(i);
}

Field RecordSet::field(int column) const {
    sqlite3_stmt* stmt = handle();
    if (eof_ || !stmt)
        throw DbError(3021, QStringLiteral("Nessun record corrente."), sql_);
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
        return Field();
    case SQLITE_INTEGER:
        return Field(QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, column))));
    case SQLITE_FLOAT:
        return Field(QVariant(sqlite3_column_double(stmt, column)));
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        const int bytes = sqlite3_column_bytes(stmt, column);
        return Field(QVariant(QString::fromUtf8(text, bytes)));
    }
    }
}

QString RecordSet::text(int column) const {
    sqlite3_stmt* stmt = handle();
    if (eof_ || !stmt)
        throw DbError(3021, QStringLiteral("Nessun record corrente."), sql_);
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
    }
    default:
        return field(column).toString();
    }
}

void RecordSet::appendUtf8(int column, QByteArray& out) const {
    sqlite3_stmt* stmt = handle();
    if (eof_ || !stmt)
        throw DbError(3021, QStringLiteral("Nessun record corrente."), sql_);
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_NULL:
        return;
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        const qsizetype n = sqlite3_column_bytes(stmt, column);
        const qsizetype at = out.size();
        if (out.capacity() < at + n)
            out.reserve(2 * (at + n)); // grows as append would, without its general path
        out.resize(at + n);
        std::memcpy(out.data() + at, text, static_cast<size_t>(n));
        return;
    }
    default:
        out.append(field(column).toString().toUtf8());
    }
}

bool RecordSet::isNull(int column) const {
    sqlite3_stmt* stmt = handle();
    if (eof_ || !stmt)
        throw DbError(3021, QStringLiteral("Nessun record corrente."), sql_);
    return sqlite3_column_type(stmt, column) == SQLITE_NULL;
}

bool RecordSet::boolean(int column) const {
    sqlite3_stmt* stmt = handle();
    if (!eof_ && stmt && sqlite3_column_type(stmt, column) == SQLITE_INTEGER)
        return sqlite3_column_int64(stmt, column) != 0;
    return field(column).toBool();
}

qint64 RecordSet::integer(int column) const {
    sqlite3_stmt* stmt = handle();
    if (!eof_ && stmt && sqlite3_column_type(stmt, column) == SQLITE_INTEGER)
        return sqlite3_column_int64(stmt, column);
    return field(column).toLongLong();
}

void RecordSet::close() {
    if (owned_) {
        sqlite3_finalize(owned_);
        owned_ = nullptr;
    }
    if (statement_) {
        if (statement_->stmt) {
            sqlite3_reset(statement_->stmt);
            sqlite3_clear_bindings(statement_->stmt);
        }
        statement_->inUse = false;
        statement_.reset();
    }
    eof_ = true;
}

// ---------------------------------------------------------------------------------------------

cConnessione::cConnessione() = default;

cConnessione::~cConnessione() { ChiudiConnessione(); }

QString cConnessione::pathFromConnectionString(const QString& connectionString) {
    static const QString key = QStringLiteral("Data Source=");
    const qsizetype start = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
    if (start < 0)
        return connectionString;
    QString rest = connectionString.mid(start + key.size());
    static const QString tail = QStringLiteral(";Persist Security Info=");
    const qsizetype end = rest.indexOf(tail, 0, Qt::CaseInsensitive);
    if (end >= 0)
        rest.truncate(end);
    return rest;
}

QString cConnessione::connectionStringFor(const QString& path) {
    return QStringLiteral("Provider= Microsoft.Jet.OLEDB.4.0") + u';' + QStringLiteral("Data Source=") + path +
           QStringLiteral(";Persist Security Info=False");
}

bool cConnessione::ApriConnessione(const QString& D_Source, FileKind expected, bool solaLettura) {
    const QString path = pathFromConnectionString(D_Source);
    lastError_.clear();
    lastErrorCode_ = 0;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        lastError_ = path.isEmpty() ? QStringLiteral("Nessun file indicato.")
                                    : QStringLiteral("Il file %1 non esiste: controllare il nome e la cartella.")
                                          .arg(QDir::toNativeSeparators(path));
        return false;
    }
    sqlite3* db = nullptr;
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    const int rc = sqlite3_open_v2(
        file.constData(), &db, (solaLettura ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX,
        nullptr);
    if (rc != SQLITE_OK) {
        lastErrorCode_ = rc;
        lastError_ = MessaggioErroreDb(QString(), rc, errorText(db, rc));
        sqlite3_close(db);
        return false;
    }
    // Before the first read: while another program saves, opening waits as every statement does.
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    const FormatCheck check = checkFileKind(db, path, expected);
    if (!check.ok()) {
        lastErrorCode_ = check.code;
        lastError_ = check.reason;
        sqlite3_close(db);
        return false;
    }
    sqlite3_exec(db, "PRAGMA cache_size=-32000; PRAGMA temp_store=MEMORY;", nullptr, nullptr, nullptr);
    if (db_)
        ChiudiConnessione();
    db_ = db;
    path_ = path;
    depth_ = 0;
    return true;
}

void cConnessione::finalizeAll() {
    for (auto& [sql, cached] : cache_) {
        if (cached->stmt) {
            sqlite3_finalize(cached->stmt);
            cached->stmt = nullptr;
        }
    }
    cache_.clear();
}

bool cConnessione::ChiudiConnessione() {
    if (!db_)
        return true;
    if (depth_ > 0) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        depth_ = 0;
    }
    finalizeAll();
    const int rc = sqlite3_close(db_);
    if (rc != SQLITE_OK) {
        lastError_ = errorText(db_, rc);
        sqlite3_close_v2(db_);
        db_ = nullptr;
        return false;
    }
    db_ = nullptr;
    return true;
}

void cConnessione::fail(int rc, const QString& sql) {
    lastError_ = errorText(db_, rc);
    lastErrorCode_ = rc;
    throw DbError(rc, lastError_, sql);
}

std::shared_ptr<detail::CachedStatement> cConnessione::prepare(const QString& sql) {
    if (!db_)
        throw DbError(3704, QStringLiteral("Nessun archivio aperto."), sql);
    auto it = cache_.find(sql);
    if (it != cache_.end())
        return it->second;
    auto cached = std::make_shared<detail::CachedStatement>();
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v3(db_, text.constData(), static_cast<int>(text.size()), SQLITE_PREPARE_PERSISTENT,
                                      &cached->stmt, nullptr);
    if (rc != SQLITE_OK)
        fail(rc, sql);
    if (!cached->stmt)
        throw DbError(SQLITE_MISUSE, QStringLiteral("Istruzione vuota."), sql);
    cache_.emplace(sql, cached);
    return cached;
}

void cConnessione::bind(sqlite3_stmt* stmt, const QVariantList& params, const QString& sql) {
    const int expected = sqlite3_bind_parameter_count(stmt);
    if (expected != params.size())
        throw DbError(SQLITE_RANGE,
                      QStringLiteral("Numero di parametri errato (%1 invece di %2).").arg(params.size()).arg(expected),
                      sql);
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params[i];
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(stmt, i + 1, v.toBool() ? -1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
                break;
            default: {
                const QString s = v.toString();
                rc = sqlite3_bind_text16(stmt, i + 1, s.utf16(), static_cast<int>(s.size() * 2), SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (rc != SQLITE_OK)
            fail(rc, sql);
    }
}

RecordSet cConnessione::ApriRS(const QString& vSQL, const QVariantList& params) {
    auto cached = prepare(vSQL);
    if (cached->inUse) {
        // The same statement is already being read further up the call chain: use a private copy.
        sqlite3_stmt* stmt = nullptr;
        const QByteArray text = vSQL.toUtf8();
        const int rc = sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &stmt, nullptr);
        if (rc != SQLITE_OK)
            fail(rc, vSQL);
        try {
            bind(stmt, params, vSQL);
        } catch (...) {
            sqlite3_finalize(stmt);
            throw;
        }
        return RecordSet(nullptr, stmt, vSQL);
    }
    sqlite3_reset(cached->stmt);
    sqlite3_clear_bindings(cached->stmt);
    bind(cached->stmt, params, vSQL);
    cached->inUse = true;
    return RecordSet(cached, nullptr, vSQL);
}

qint64 cConnessione::EseguiIstruzione(const QString& vSQL, const QVariantList& params) {
    auto cached = prepare(vSQL);
    sqlite3_stmt* stmt = cached->stmt;
    sqlite3_stmt* owned = nullptr;
    if (cached->inUse) {
        const QByteArray text = vSQL.toUtf8();
        const int rc = sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &owned, nullptr);
        if (rc != SQLITE_OK)
            fail(rc, vSQL);
        stmt = owned;
    }
    struct Cleanup {
        sqlite3_stmt* stmt;
        sqlite3_stmt* owned;
        ~Cleanup() {
            if (owned) {
                sqlite3_finalize(owned);
            } else {
                sqlite3_reset(stmt);
                sqlite3_clear_bindings(stmt);
            }
        }
    } cleanup{stmt, owned};
    sqlite3_reset(stmt);
    bind(stmt, params, vSQL);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail(rc, vSQL);
    return sqlite3_changes64(db_);
}

qint64 cConnessione::lastInsertId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }

void cConnessione::executeScript(const QString& script) {
    if (!db_)
        throw DbError(3704, QStringLiteral("Nessun archivio aperto."));
    char* message = nullptr;
    const QByteArray text = script.toUtf8();
    const int rc = sqlite3_exec(db_, text.constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString description = message ? QString::fromUtf8(message) : errorText(db_, rc);
        sqlite3_free(message);
        throw DbError(rc, description);
    }
}

void cConnessione::begin(TransactionKind kind) {
    if (!db_)
        throw DbError(3704, QStringLiteral("Nessun archivio aperto."));
    const QString first =
        kind == TransactionKind::Write ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
    const QString sql = depth_ == 0 ? first : QStringLiteral("SAVEPOINT sp%1").arg(depth_);
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc, sql);
    ++depth_;
}

void cConnessione::commit() {
    if (!db_ || depth_ == 0)
        return;
    const QString sql = depth_ == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE sp%1").arg(depth_ - 1);
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc, sql);
    --depth_;
}

void cConnessione::rollback() {
    if (!db_ || depth_ == 0)
        return;
    if (depth_ == 1) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    } else {
        const QString sql = QStringLiteral("ROLLBACK TO sp%1; RELEASE sp%1").arg(depth_ - 1);
        sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    --depth_;
}

// ---------------------------------------------------------------------------------------------

Transaction::Transaction(cConnessione& connection, TransactionKind kind) : connection_(connection) {
    connection_.begin(kind);
}

Transaction::~Transaction() {
    if (!done_)
        connection_.rollback();
}

void Transaction::commit() {
    connection_.commit();
    done_ = true;
}
