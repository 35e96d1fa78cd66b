#pragma once

// A Jet (.mdb) database as the import reads it: its tables, their columns with the Jet types, and
// their rows in the file's order. The one real source is JetFile (over libmdb); tests and
// benchmarks use MemoryJetSource.
//
// Values of a row, by column position:
//   Null                         QVariant() (never confused with empty text)
//   Text, Memo, ReplicationId    QString (UTF-8 decoded, any length)
//   Byte, Integer, LongInteger   qint64
//   Boolean                      qint64, -1 (true) or 0, as Jet writes it
//   Currency, Double             double; Single: float
//   Numeric                      QString, the decimal number as written ("123.45")
//   DateTime                     QDateTime in UTC (years 100 to 9999)
//   Binary, Ole                  QByteArray

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <stdexcept>

class Progress;

enum class JetType {
    Boolean,
    Byte,
    Integer,
    LongInteger,
    Currency,
    Single,
    Double,
    DateTime,
    Binary,
    Text,
    Ole,
    Memo,
    ReplicationId,
    Numeric,
    Unknown
};

// The name Access gives the type ("Testo", "Memo", "Intero lungo", ...), for the operator's summary.
QString jetTypeName(JetType type);

struct JetColumn {
    QString name;
    JetType type = JetType::Text;
    int size = 0;            // bytes of a Text column (characters in Jet 3); 0 for the long types
    bool autoNumber = false; // a counter
};

struct JetTable {
    QString name;
    QList<JetColumn> columns;
    qint64 rows = 0; // as the file declares it

    // Position of a column, without regard to case; -1 when the table has none of that name.
    int columnIndex(QStringView name) const;
};

// The table of that name, without regard to case; nullptr when the list has none.
const JetTable* findJetTable(const QList<JetTable>& tables, QStringView name);

// Why a Jet file could not be read: `what()` is the operator's message in Italian (what happened
// and what to do); `detail()` the library's own text, when it said something.
class JetError : public std::runtime_error {
public:
    explicit JetError(const QString& message, const QString& detail = {}, bool notJet = false);
    // The file could not be read for want of the program that reads it: not the file's fault.
    static JetError readerMissing(const QString& message, const QString& detail = {});
    const QString& message() const { return message_; }
    const QString& detail() const { return detail_; }
    // The file is not a Jet database at all (as opposed to one that cannot be read).
    bool notJet() const { return notJet_; }
    bool readerFault() const { return readerFault_; }
    // The message with the library's text on a line of its own.
    QString fullMessage() const;

private:
    QString message_;
    QString detail_;
    bool notJet_ = false;
    bool readerFault_ = false;
};

class JetSource {
public:
    virtual ~JetSource() = default;

    // The file the source stands for, as the operator named it.
    virtual QString path() const = 0;
    // 3 or 4 for Jet files; what a file of a later Access declares otherwise.
    virtual int jetVersion() const = 0;
    // The user tables, in the file's catalogue order (system tables and links left out).
    virtual QList<JetTable> tables() = 0;
    // Calls `row` with the values of each row of the table, in the file's order. Throws JetError
    // when the table cannot be read whole (a damaged or truncated file).
    virtual void readRows(const QString& table, const std::function<void(const QVariantList&)>& row) = 0;
    // What the library reported while reading without failing (one line each), then forgotten.
    virtual QStringList takeWarnings() { return {}; }
    // Who is kept informed while the source waits on the file (the window repaints meanwhile);
    // nullptr for nobody.
    virtual void setProgress(Progress* /*progress*/) {}
};

// A Jet date/time value (days since 1899-12-30; the fraction is the time of day, also for days
// before that date) as a date and time in UTC. Invalid when outside the years 100 to 9999.
QDateTime jetDateTime(double value);
// And back, for fake sources.
double jetDateValue(const QDateTime& value);
