#include "store/mdlGlobale.h"

const QStringList& NomiMesi() {
    static const QStringList names = {
        QStringLiteral("gennaio"), QStringLiteral("febbraio"), QStringLiteral("marzo"),
        QStringLiteral("aprile"),  QStringLiteral("maggio"),   QStringLiteral("giugno"),
        QStringLiteral("luglio"),  QStringLiteral("agosto"),   QStringLiteral("settembre"),
        QStringLiteral("ottobre"), QStringLiteral("novembre"), QStringLiteral("dicembre")};
    return names;
}

qint64 MaxID(cConnessione& connection, const QString& table, const QString& column) {
    const QString sql = QStringLiteral("select max(%1) as M from %2").arg(column, table);
    RecordSet rs = connection.ApriRS(sql);
    const Field m = rs.field(u"M");
    if (m.isNull())
        throw DbError(94, QStringLiteral("Uso non valido di Null (tabella %1 vuota).").arg(table), sql);
    return m.toLongLong();
}

QString LeggiColonna(cConnessione& connection, const QString& column, const QString& table,
                     const QString& keyColumn, qint64 key) {
    const QString sql = QStringLiteral("select %1 as Colonna from %2 where %3 = ?").arg(column, table, keyColumn);
    RecordSet rs = connection.ApriRS(sql, {key});
    if (rs.eof())
        throw DbError(3021, QStringLiteral("Nessun record in %1 con %2 = %3.").arg(table, keyColumn).arg(key), sql);
    const Field value = rs.field(u"Colonna");
    if (value.isNull())
        throw DbError(94, QStringLiteral("Uso non valido di Null (%1.%2).").arg(table, column), sql);
    return value.toString();
}

namespace {

// A word as a like pattern that matches it literally anywhere in the text.
QString containsPattern(const QString& word) {
    QString escaped;
    escaped.reserve(word.size() + 2);
    for (const QChar c : word) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escaped += u'\\';
        escaped += c;
    }
    return u'%' + escaped + u'%';
}

QString likePiece(const QString& column) { return column + QStringLiteral(" like ? escape '\\'"); }

} // namespace

Condizione CondizioneRicerca(const QString& column, const QString& words, bool exact, const QString& mode) {
    Condizione c;
    if (exact) {
        c.sql = column + QStringLiteral(" = ?");
        c.params = {words};
        return c;
    }
    if (mode == QStringLiteral("Sequenza esatta")) {
        c.sql = likePiece(column);
        c.params = {containsPattern(words)};
        return c;
    }
    const QString separator = mode == QStringLiteral("Almeno una") ? QStringLiteral(" OR ") : QStringLiteral(" AND ");
    // Every single blank splits, so two blanks in a row give an empty word (which matches anything).
    const QStringList parts = words.split(u' ', Qt::KeepEmptyParts);
    QString accumulator;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        accumulator += likePiece(column) + separator + u' ';
        c.params.append(containsPattern(parts[i]));
    }
    c.sql = u'(' + accumulator + likePiece(column) + u')';
    c.params.append(containsPattern(parts.last()));
    return c;
}

QString MeseNumero(const QString& name) {
    const qsizetype i = NomiMesi().indexOf(name);
    return i < 0 ? QStringLiteral("0") : QString::number(i + 1);
}

QString MeseNome(QString& number) {
    if (number.startsWith(u'0'))
        number = number.right(1);
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!ok || n < 1 || n > 12 || number != QString::number(n))
        return {};
    return NomiMesi().at(n - 1);
}

bool RivistaConNumeroPagine(const QString& IDRivistaOnline) {
    return Field(QVariant(IDRivistaOnline)).toLongLong() >= 9000;
}
