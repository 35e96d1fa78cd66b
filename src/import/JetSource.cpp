#include "import/JetSource.h"

#include <QTimeZone>
#include <cmath>

QString jetTypeName(JetType type) {
    switch (type) {
    case JetType::Boolean:
        return QStringLiteral("Sì/No");
    case JetType::Byte:
        return QStringLiteral("Byte");
    case JetType::Integer:
        return QStringLiteral("Intero");
    case JetType::LongInteger:
        return QStringLiteral("Intero lungo");
    case JetType::Currency:
        return QStringLiteral("Valuta");
    case JetType::Single:
        return QStringLiteral("Precisione singola");
    case JetType::Double:
        return QStringLiteral("Precisione doppia");
    case JetType::DateTime:
        return QStringLiteral("Data/ora");
    case JetType::Binary:
        return QStringLiteral("Binario");
    case JetType::Text:
        return QStringLiteral("Testo");
    case JetType::Ole:
        return QStringLiteral("Oggetto OLE");
    case JetType::Memo:
        return QStringLiteral("Memo");
    case JetType::ReplicationId:
        return QStringLiteral("ID replica");
    case JetType::Numeric:
        return QStringLiteral("Decimale");
    case JetType::Unknown:
        break;
    }
    return QStringLiteral("sconosciuto");
}

int JetTable::columnIndex(QStringView wanted) const {
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (QStringView(columns[i].name).compare(wanted, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

const JetTable* findJetTable(const QList<JetTable>& tables, QStringView name) {
    for (const JetTable& t : tables)
        if (QStringView(t.name).compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

JetError::JetError(const QString& message, const QString& detail, bool notJet)
    : std::runtime_error(message.toStdString()), message_(message), detail_(detail.trimmed()),
      notJet_(notJet) {}

JetError JetError::readerMissing(const QString& message, const QString& detail) {
    JetError error(message, detail);
    error.readerFault_ = true;
    return error;
}

QString JetError::fullMessage() const {
    if (detail_.isEmpty())
        return message_;
    return message_ + QStringLiteral("\nDettaglio tecnico: ") + detail_;
}

namespace {

constexpr qint64 kMsecsPerDay = 86400000;

QDate jetEpoch() {
    return QDate(1899, 12, 30);
}

} // namespace

QDateTime jetDateTime(double value) {
    // Jet's range, days from 100-01-01 to 9999-12-31; anything else is not a date Access wrote.
    if (!std::isfinite(value) || value < -657434.0 || value >= 2958466.0)
        return {};
    const double whole = std::trunc(value);
    // Before the epoch the fraction still counts forward from midnight: -1.25 is 29 Dec 1899, 06:00.
    qint64 msecs = std::llround(std::fabs(value - whole) * static_cast<double>(kMsecsPerDay));
    QDate date = jetEpoch().addDays(static_cast<qint64>(whole));
    if (msecs >= kMsecsPerDay) {
        msecs -= kMsecsPerDay;
        date = date.addDays(1);
    }
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return {};
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)), QTimeZone::utc());
}

double jetDateValue(const QDateTime& value) {
    const QDateTime utc = value.toUTC();
    const double days = static_cast<double>(jetEpoch().daysTo(utc.date()));
    const double fraction = static_cast<double>(utc.time().msecsSinceStartOfDay()) / kMsecsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}
