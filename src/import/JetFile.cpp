#include "import/JetFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtEndian>
#include <cstring>
#include <mdbtools.h>
#include <mutex>
#include <optional>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// libmdb keeps no locks of its own, and standard error is one for the whole process.
std::mutex& libraryLock() {
    static std::mutex lock;
    return lock;
}

// libmdb tells what went wrong only on standard error (and dumps some pages on standard output).
// While it works, both go to a scratch file, whose text becomes the technical detail of our
// messages instead of noise on the operator's terminal. QUILLARO_MDB_STDERR=1 leaves them alone (to
// see a sanitizer's report). Elsewhere than on POSIX systems the library's text is not caught.
class OutputCapture {
public:
#ifdef _WIN32
    explicit OutputCapture(std::FILE*) {}
    QString finish() {
        return {};
    }
#else
    explicit OutputCapture(std::FILE* scratch) {
        if (!scratch || qEnvironmentVariableIsSet("QUILLARO_MDB_STDERR"))
            return;
        std::fflush(stdout);
        std::fflush(stderr);
        scratch_ = fileno(scratch);
        // The streams will share the scratch file's offset: back to its start, emptied.
        if (ftruncate(scratch_, 0) != 0 || lseek(scratch_, 0, SEEK_SET) != 0)
            return;
        savedOut_ = dup(1);
        savedErr_ = dup(2);
        if (savedOut_ < 0 || savedErr_ < 0 || dup2(scratch_, 1) < 0 || dup2(scratch_, 2) < 0)
            restore();
    }
    ~OutputCapture() {
        finish();
    }
    OutputCapture(const OutputCapture&) = delete;
    OutputCapture& operator=(const OutputCapture&) = delete;

    // Puts the standard streams back and returns what was written meanwhile.
    QString finish() {
        if (savedOut_ < 0 && savedErr_ < 0)
            return {};
        std::fflush(stdout);
        std::fflush(stderr);
        restore();
        const off_t size = lseek(scratch_, 0, SEEK_END);
        if (size <= 0)
            return {};
        QByteArray text(static_cast<qsizetype>(std::min<off_t>(size, 64 * 1024)), '\0');
        const ssize_t got = pread(scratch_, text.data(), static_cast<size_t>(text.size()), 0);
        text.truncate(got > 0 ? static_cast<qsizetype>(got) : 0);
        // Page dumps are blank lines and hexadecimal columns: only the words are kept, each once,
        // the first few.
        QStringList lines;
        qsizetype more = 0;
        for (const QString& line : QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts))
            if (!line.trimmed().isEmpty() && !lines.contains(line.trimmed())) {
                if (lines.size() < 12)
                    lines << line.trimmed();
                else
                    ++more;
            }
        if (more > 0)
            lines << QStringLiteral("(e altre %1 righe)").arg(more);
        return lines.join(u'\n');
    }
#endif

private:
#ifndef _WIN32
    void restore() {
        if (savedOut_ >= 0) {
            dup2(savedOut_, 1);
            close(savedOut_);
            savedOut_ = -1;
        }
        if (savedErr_ >= 0) {
            dup2(savedErr_, 2);
            close(savedErr_);
            savedErr_ = -1;
        }
    }
#endif
    int scratch_ = -1;
    int savedOut_ = -1;
    int savedErr_ = -1;
};

// Lines of libmdb's chatter that mean data could not be read, as opposed to its warnings.
QStringList failures(const QString& chatter) {
    QStringList lines;
    for (const QString& line : chatter.split(u'\n', Qt::SkipEmptyParts))
        if (!line.trimmed().startsWith(QStringLiteral("Warning"), Qt::CaseInsensitive))
            lines << line.trimmed();
    return lines;
}

QStringList warningsOf(const QString& chatter) {
    QStringList lines;
    for (const QString& line : chatter.split(u'\n', Qt::SkipEmptyParts))
        if (line.trimmed().startsWith(QStringLiteral("Warning"), Qt::CaseInsensitive))
            lines << AvvisoLibreriaJet(line.trimmed());
    return lines;
}

} // namespace

QString AvvisoLibreriaJet(const QString& line) {
    // The library's own words for what it passed over, said as the operator reads them.
    static const QList<QPair<QRegularExpression, QString>> known = {
        {QRegularExpression(QStringLiteral("Invalid page buffer detected in mdb_crack_row")),
         QStringLiteral("una riga non si legge: la sua pagina non è valida")},
        {QRegularExpression(QStringLiteral("Invalid data location detected in mdb_crack_row")),
         QStringLiteral("una riga non si legge: i suoi valori cadono fuori dalla riga")},
        {QRegularExpression(QStringLiteral("defaulting to brute force read")),
         QStringLiteral(
             "la mappa delle pagine della tabella non si legge: le pagine sono state cercate una a una")},
        {QRegularExpression(QStringLiteral("page (\\d+) from map doesn't match")),
         QStringLiteral("la pagina %1 indicata dalla mappa delle pagine non appartiene alla tabella")},
        {QRegularExpression(QStringLiteral("reading page (\\d+) failed")),
         QStringLiteral("la pagina %1 non si legge")},
        {QRegularExpression(QStringLiteral("row_size = 0|mdb_find_row failed")),
         QStringLiteral("una riga è vuota o fuori dalla sua pagina")},
    };
    for (const auto& [pattern, italian] : known) {
        const QRegularExpressionMatch m = pattern.match(line);
        if (m.hasMatch())
            return QStringLiteral("Avviso di lettura: ") +
                   (m.lastCapturedIndex() >= 1 ? italian.arg(m.captured(1)) : italian) + u'.';
    }
    return QStringLiteral("Avviso di lettura (testo originale della libreria): %1").arg(line);
}

namespace {

JetType typeOf(int mdbType) {
    switch (mdbType) {
    case MDB_BOOL:
        return JetType::Boolean;
    case MDB_BYTE:
        return JetType::Byte;
    case MDB_INT:
        return JetType::Integer;
    case MDB_LONGINT:
        return JetType::LongInteger;
    case MDB_MONEY:
        return JetType::Currency;
    case MDB_FLOAT:
        return JetType::Single;
    case MDB_DOUBLE:
        return JetType::Double;
    case MDB_DATETIME:
        return JetType::DateTime;
    case MDB_BINARY:
        return JetType::Binary;
    case MDB_TEXT:
        return JetType::Text;
    case MDB_OLE:
        return JetType::Ole;
    case MDB_MEMO:
        return JetType::Memo;
    case MDB_REPID:
        return JetType::ReplicationId;
    case MDB_NUMERIC:
        return JetType::Numeric;
    default:
        return JetType::Unknown;
    }
}

int versionOf(quint32 mdbVersion) {
    switch (mdbVersion) {
    case MDB_VER_JET3:
        return 3;
    case MDB_VER_JET4:
        return 4;
    case MDB_VER_ACCDB_2007:
        return 12;
    case MDB_VER_ACCDB_2010:
        return 14;
    case MDB_VER_ACCDB_2013:
        return 15;
    default:
        return 16;
    }
}

QString quoted(const QString& path) {
    return QStringLiteral("\u00AB%1\u00BB").arg(QFileInfo(path).fileName());
}

QString damaged(const QString& path, const QString& table) {
    return QStringLiteral(
               "La tabella %1 del file %2 non si legge per intero: il file è danneggiato o troncato. "
               "Procurarsi una copia integra del file (o ripararlo con Access) e ripetere "
               "l'importazione.")
        .arg(table, quoted(path));
}

QString rowsLost(const QString& path, const QString& table, qint64 declared, qint64 read) {
    return QStringLiteral("La tabella %1 del file %2 dichiara %3 righe, ma se ne leggono solo %4: il file è "
                          "danneggiato. Procurarsi una copia integra del file (o ripararlo con Access) e "
                          "ripetere l'importazione.")
        .arg(table, quoted(path))
        .arg(declared)
        .arg(read);
}

// A table definition read from the catalogue, freed with it.
struct TableDef {
    MdbTableDef* def = nullptr;
    explicit TableDef(MdbTableDef* d) : def(d) {}
    ~TableDef() {
        if (def)
            mdb_free_tabledef(def);
    }
    TableDef(const TableDef&) = delete;
    TableDef& operator=(const TableDef&) = delete;
    MdbColumn* column(unsigned i) const {
        return static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
    }
};

} // namespace

struct JetFile::Handle {
    MdbHandle* mdb = nullptr;
    std::FILE* scratch = nullptr;

    ~Handle() {
        const std::lock_guard<std::mutex> lock(libraryLock());
        if (mdb) {
            OutputCapture capture(scratch);
            mdb_close(mdb);
        }
        if (scratch)
            std::fclose(scratch);
    }

    MdbCatalogEntry* entry(const QString& name) const {
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (mdb_is_user_table(e) && QString::fromUtf8(e->object_name) == name)
                return e;
        }
        return nullptr;
    }
};

JetFile::JetFile(QString path, int version)
    : path_(std::move(path)), version_(version), handle_(std::make_unique<Handle>()) {}

JetFile::~JetFile() = default;

std::unique_ptr<JetFile> JetFile::open(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        throw JetError(
            QStringLiteral("Il file %1 non esiste: controllare il nome e la cartella.").arg(quoted(path)));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw JetError(QStringLiteral("Il file %1 non si può leggere: controllare i permessi del file.")
                           .arg(quoted(path)),
                       file.errorString());
    // Page 0 of a Jet file: a zero byte, then the signature of the format and its version.
    const QByteArray head = file.read(0x18);
    file.close();
    const bool jet = head.size() == 0x18 && head.at(0) == 0 &&
                     (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB");
    // Empty, or cut before the end of its signature, or its first page wiped: what an interrupted
    // copy or a crash leaves of an Access file, not some other kind of file.
    const QByteArray signature = QByteArrayLiteral("\0\x01\0\0Standard ");
    const bool wiped = head.size() == 0x18 && head.count('\0') == head.size();
    if (!jet && (head.isEmpty() || wiped || (head.size() < signature.size() && signature.startsWith(head))))
        throw JetError(QStringLiteral("Il file %1 è %2: procurarsi una copia integra del file e ripetere "
                                      "l'importazione.")
                           .arg(quoted(path), head.isEmpty() ? QStringLiteral("vuoto (0 byte)")
                                              : wiped
                                                  ? QStringLiteral("danneggiato (la prima pagina è azzerata)")
                                                  : QStringLiteral("troncato (%1 byte)").arg(info.size())));
    if (!jet)
        throw JetError(QStringLiteral("Il file %1 non è un database Access (.mdb): non si può importare. "
                                      "Scegliere un archivio creato con Access.")
                           .arg(quoted(path)),
                       QString(), true);
    const quint32 rawVersion = qFromLittleEndian<quint32>(head.constData() + 0x14);
    const qint64 pageSize = rawVersion == MDB_VER_JET3 ? 2048 : 4096;
    // A Jet file is made of whole pages; anything else was cut short (a copy interrupted, a full disk).
    if (info.size() < 2 * pageSize || info.size() % pageSize != 0)
        throw JetError(
            QStringLiteral("Il file %1 è troncato (%2 byte, non un numero intero di pagine da %3): "
                           "procurarsi una copia integra del file e ripetere l'importazione.")
                .arg(quoted(path))
                .arg(info.size())
                .arg(pageSize));

    std::unique_ptr<JetFile> result(new JetFile(path, versionOf(rawVersion)));
    Handle& h = *result->handle_;
    h.scratch = std::tmpfile();

    std::unique_lock<std::mutex> lock(libraryLock());
    OutputCapture capture(h.scratch);
    // Texts come as UTF-8 whatever the environment asks of the library.
    qputenv("MDB_ICONV", "UTF-8");
    h.mdb = mdb_open(QFile::encodeName(info.absoluteFilePath()).constData(), MDB_NOFLAGS);
    const bool catalogue = h.mdb && mdb_read_catalog(h.mdb, MDB_ANY) != nullptr;
    // The catalogue is the table MSysObjects, listed in itself: missing, or yielding fewer objects
    // than it declares, it was not read whole, and the file would look as if it had fewer tables.
    QString lost;
    if (catalogue) {
        lost = QStringLiteral("la tabella MSysObjects manca dal catalogo");
        for (unsigned i = 0; i < h.mdb->num_catalog; ++i) {
            auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(h.mdb->catalog, i));
            if (qstrcmp(e->object_name, "MSysObjects") != 0)
                continue;
            const TableDef objects(mdb_read_table(e));
            lost = !objects.def ? QStringLiteral("la tabella MSysObjects non si legge")
                   : h.mdb->num_catalog < objects.def->num_rows
                       ? QStringLiteral("il catalogo dichiara %1 oggetti, se ne leggono %2")
                             .arg(objects.def->num_rows)
                             .arg(h.mdb->num_catalog)
                       : QString();
            break;
        }
    }
    const QString chatter = capture.finish();
    lock.unlock(); // the handle closes itself under the lock when the file is refused
    if (!lost.isEmpty())
        throw JetError(
            QStringLiteral("Il catalogo del file %1 non si legge: il file è danneggiato. Procurarsi una "
                           "copia integra del file (o ripararlo con Access) e ripetere l'importazione.")
                .arg(quoted(path)),
            chatter.isEmpty() ? lost : chatter + u'\n' + lost);
    if (!h.mdb || !catalogue)
        throw JetError(
            QStringLiteral("Il file %1 non si legge: è danneggiato o non è un database Access. "
                           "Procurarsi una copia integra del file (o ripararlo con Access) e ripetere "
                           "l'importazione.")
                .arg(quoted(path)),
            chatter);
    if (!failures(chatter).isEmpty())
        throw JetError(
            QStringLiteral("Il catalogo del file %1 non si legge per intero: il file è danneggiato o "
                           "troncato. Procurarsi una copia integra del file e ripetere l'importazione.")
                .arg(quoted(path)),
            chatter);
    result->warnings_ << warningsOf(chatter);
    return result;
}

QList<JetTable> JetFile::tables() {
    if (tablesRead_)
        return tables_;
    const std::lock_guard<std::mutex> lock(libraryLock());
    OutputCapture capture(handle_->scratch);
    MdbHandle* mdb = handle_->mdb;
    QList<JetTable> tables;
    QStringList unreadable;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (!mdb_is_user_table(entry))
            continue;
        const TableDef t(mdb_read_table(entry));
        if (!t.def || !mdb_read_columns(t.def)) {
            unreadable << QString::fromUtf8(entry->object_name);
            continue;
        }
        JetTable table;
        table.name = QString::fromUtf8(entry->object_name);
        table.rows = t.def->num_rows;
        for (unsigned c = 0; c < t.def->num_cols; ++c) {
            const MdbColumn* col = t.column(c);
            table.columns.append(
                {QString::fromUtf8(col->name), typeOf(col->col_type), col->col_size, col->is_long_auto != 0});
        }
        tables.append(table);
    }
    const QString chatter = capture.finish();
    if (!unreadable.isEmpty() || !failures(chatter).isEmpty())
        throw JetError(
            damaged(path_, unreadable.isEmpty() ? QStringLiteral("(catalogo)") : unreadable.join(u", ")),
            chatter);
    warnings_ << warningsOf(chatter);
    tables_ = tables;
    tablesRead_ = true;
    return tables_;
}

namespace {

// Long values longer than this are not what the centre's files hold: a length beyond it is damage.
constexpr quint32 kLongValueMax = 256u * 1024 * 1024;

// The bytes of a long value (memo, OLE), whole: in the row itself, on one page of its own, or on a
// chain of pages. Nothing when they cannot all be read: a page that is not there, a chain that ends
// before the stored length, a length beyond reason. The chain is followed only as far as the stored
// length, so a chain that loops back on itself ends there too.
std::optional<QByteArray> longValue(MdbHandle* mdb, const MdbField& field) {
    const auto* page = static_cast<const unsigned char*>(mdb->pg_buf);
    const quint32 header = qFromLittleEndian<quint32>(page + field.start);
    const quint32 length = header & 0x3fffffffu;
    if (length > kLongValueMax)
        return std::nullopt;
    if (header & 0x80000000u) {
        if (field.siz - MDB_MEMO_OVERHEAD < static_cast<int>(length))
            return std::nullopt;
        return QByteArray(reinterpret_cast<const char*>(page) + field.start + MDB_MEMO_OVERHEAD,
                          static_cast<qsizetype>(length));
    }
    const bool onePage = (header & 0x40000000u) != 0;
    int pageRow = qFromLittleEndian<qint32>(page + field.start + 4);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(length));
    const int pageSize = static_cast<int>(mdb->fmt->pg_size);
    while (static_cast<quint32>(bytes.size()) < length) {
        void* buffer = nullptr;
        int start = 0;
        size_t size = 0;
        // Long values lie on data pages; anything else is not where the row points.
        if (pageRow == 0 || mdb_find_pg_row(mdb, pageRow, &buffer, &start, &size) != 0 || start < 0 ||
            start + static_cast<qint64>(size) > pageSize ||
            static_cast<const unsigned char*>(buffer)[0] != 0x01)
            return std::nullopt;
        const char* at = static_cast<const char*>(buffer) + start;
        if (onePage) {
            if (size < length)
                return std::nullopt;
            bytes.append(at, static_cast<qsizetype>(length));
            break;
        }
        // Each page of a chain starts with the row of the next one (0 at the last).
        if (size < 4)
            return std::nullopt;
        pageRow = qFromLittleEndian<qint32>(at);
        bytes.append(at + 4, static_cast<qsizetype>(std::min<size_t>(size - 4, length - bytes.size())));
    }
    return bytes;
}

// One value of the cracked row. The bytes lie in the current data page (mdb->pg_buf); memo and OLE
// values continue on pages of their own, read by the library.
QVariant valueOf(MdbHandle* mdb, MdbColumn* col, const MdbField& field, bool& bad) {
    if (col->col_type == MDB_BOOL) // kept in the null mask: a set bit is true, and it is never Null
        return QVariant(static_cast<qint64>(field.is_null ? 0 : -1));
    if (field.is_null)
        return QVariant();
    const auto* page = static_cast<const unsigned char*>(mdb->pg_buf);
    const int pageSize = static_cast<int>(mdb->fmt->pg_size);
    const auto fits = [&](int bytes) {
        if (field.start < 0 || field.siz < bytes || field.start + bytes > pageSize) {
            bad = true;
            return false;
        }
        return true;
    };
    const unsigned char* at = page + field.start;
    switch (col->col_type) {
    case MDB_BYTE:
        return fits(1) ? QVariant(static_cast<qint64>(at[0])) : QVariant();
    case MDB_INT:
        return fits(2) ? QVariant(static_cast<qint64>(qFromLittleEndian<qint16>(at))) : QVariant();
    case MDB_LONGINT:
        return fits(4) ? QVariant(static_cast<qint64>(qFromLittleEndian<qint32>(at))) : QVariant();
    case MDB_MONEY:
        return fits(8) ? QVariant(static_cast<double>(qFromLittleEndian<qint64>(at)) / 10000.0) : QVariant();
    case MDB_FLOAT: {
        if (!fits(4))
            return {};
        const quint32 bits = qFromLittleEndian<quint32>(at);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return QVariant(f);
    }
    case MDB_DOUBLE:
    case MDB_DATETIME: {
        if (!fits(8))
            return {};
        const quint64 bits = qFromLittleEndian<quint64>(at);
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (col->col_type == MDB_DOUBLE)
            return QVariant(d);
        // libmdb's own conversion loses years before 1900; Jet's range is converted here. A number
        // outside it stays a number, for the import to report.
        const QDateTime when = jetDateTime(d);
        return when.isValid() ? QVariant(when) : QVariant(d);
    }
    case MDB_BINARY:
        return QVariant(QByteArray(reinterpret_cast<const char*>(at), fits(field.siz) ? field.siz : 0));
    case MDB_NUMERIC: {
        if (!fits(17))
            return {};
        char* text = mdb_numeric_to_string(mdb, field.start, col->col_scale, col->col_prec);
        const QString value = QString::fromUtf8(text);
        g_free(text);
        return QVariant(value);
    }
    case MDB_OLE: {
        if (!fits(MDB_MEMO_OVERHEAD))
            return {};
        std::optional<QByteArray> bytes = longValue(mdb, field);
        if (!bytes) {
            bad = true;
            return {};
        }
        return QVariant(*bytes);
    }
    case MDB_MEMO: {
        if (field.siz == 0)
            return QVariant(QString());
        if (!fits(MDB_MEMO_OVERHEAD))
            return {};
        const std::optional<QByteArray> bytes = longValue(mdb, field);
        if (!bytes) {
            bad = true;
            return {};
        }
        if (bytes->isEmpty())
            return QVariant(QString());
        // The library's conversion (Jet 4 compression, Jet 3 code page) into room for any text:
        // a byte takes at most three of UTF-8.
        std::vector<char> text(static_cast<size_t>(bytes->size()) * 3 + 16);
        const int length = mdb_unicode2ascii(mdb, bytes->constData(), static_cast<size_t>(bytes->size()),
                                             text.data(), text.size());
        // Nothing out of more than the compression mark is a text that did not convert.
        if (length <= 0 && bytes->size() > 2) {
            bad = true;
            return {};
        }
        return QVariant(QString::fromUtf8(text.data(), std::max(length, 0)));
    }
    default: {
        if (field.siz == 0)
            return QVariant(QString());
        if (!fits(field.siz))
            return {};
        char* text = mdb_col_to_string(mdb, mdb->pg_buf, field.start, col->col_type, field.siz);
        const QString value = QString::fromUtf8(text);
        g_free(text);
        return QVariant(value);
    }
    }
}

} // namespace

void JetFile::readRows(const QString& name, const std::function<void(const QVariantList&)>& row) {
    std::unique_lock<std::mutex> lock(libraryLock());
    MdbHandle* mdb = handle_->mdb;
    MdbCatalogEntry* entry = handle_->entry(name);
    if (!entry)
        throw JetError(QStringLiteral("Il file %1 non ha la tabella %2.").arg(quoted(path_), name));
    std::unique_ptr<TableDef> t;
    {
        OutputCapture capture(handle_->scratch);
        t = std::make_unique<TableDef>(mdb_read_table(entry));
        const bool ok = t->def && mdb_read_columns(t->def);
        if (ok)
            mdb_rewind_table(t->def);
        const QString chatter = capture.finish();
        if (!ok || !failures(chatter).isEmpty())
            throw JetError(damaged(path_, name), chatter);
    }
    const unsigned columns = t->def->num_cols;
    if (columns > MDB_MAX_COLS)
        throw JetError(damaged(path_, name));
    std::vector<MdbField> fields(MDB_MAX_COLS);
    QVariantList values;
    qint64 read = 0;
    for (;;) {
        values = QVariantList(columns);
        bool bad = false;
        {
            OutputCapture capture(handle_->scratch);
            const int fetched = mdb_fetch_row(t->def);
            if (fetched) {
                // The library's fetch does not tell Null from empty text: the row is cracked again
                // for its null mask.
                int start = 0;
                size_t length = 0;
                const int rowIndex = static_cast<int>(t->def->cur_row) - 1;
                if (mdb_find_row(mdb, rowIndex, &start, &length) != 0) {
                    bad = true;
                } else {
                    // The count is what the row stores: more than the table has when columns were
                    // deleted since it was written, fewer when columns were added. Every column of
                    // the table is read; one the row does not store is Null (a Yes/No one, No).
                    const int stored = mdb_crack_row(t->def, start & 0x1fff, length, fields.data());
                    if (stored < 0)
                        bad = true;
                    for (unsigned c = 0; !bad && c < columns; ++c) {
                        MdbColumn* col = t->column(c);
                        if (col->row_col_num >= stored)
                            values[c] = col->col_type == MDB_BOOL ? QVariant(qint64{0}) : QVariant();
                        else
                            values[c] = valueOf(mdb, col, fields[c], bad);
                    }
                }
            }
            mdb_set_bind_size(mdb, MDB_BIND_SIZE);
            const QString chatter = capture.finish();
            if (!failures(chatter).isEmpty())
                throw JetError(damaged(path_, name), chatter);
            warnings_ << warningsOf(chatter);
            if (bad)
                throw JetError(
                    damaged(path_, name),
                    QStringLiteral("riga %1: valori fuori dalla pagina o non leggibili").arg(read + 1));
            if (!fetched)
                break;
        }
        // A chain of pages that loops back yields the same rows for ever.
        if (++read > 2 * static_cast<qint64>(t->def->num_rows) + 1000)
            throw JetError(damaged(path_, name),
                           QStringLiteral("la tabella dichiara %1 righe, se ne sono lette più di %2")
                               .arg(t->def->num_rows)
                               .arg(read - 1));
        lock.unlock();
        try {
            row(values);
        } catch (...) {
            lock.lock(); // the table definition is freed under the lock
            throw;
        }
        lock.lock();
    }
    // Rows the library passed over (a page it could not read, a row it could not crack) are rows
    // lost: the file is damaged, whatever was read.
    if (read < static_cast<qint64>(t->def->num_rows))
        throw JetError(rowsLost(path_, name, t->def->num_rows, read), takeWarnings().join(u'\n'));
    if (read != static_cast<qint64>(t->def->num_rows))
        warnings_ << QStringLiteral("La tabella %1 dichiara %2 righe, ma se ne sono lette %3.")
                         .arg(name)
                         .arg(t->def->num_rows)
                         .arg(read);
    OutputCapture capture(handle_->scratch);
    t.reset();
}

QStringList JetFile::takeWarnings() {
    return std::exchange(warnings_, {});
}
