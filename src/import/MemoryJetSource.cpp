#include "import/MemoryJetSource.h"

#include "store/ArchiveFormat.h"
#include "store/cConnessione.h"

#include <stdexcept>

MemoryJetSource::MemoryJetSource(QString path, int version) : path_(std::move(path)), version_(version) {}

MemoryJetSource::Table* MemoryJetSource::find(const QString& name) {
    for (Table& t : tables_)
        if (t.definition.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

void MemoryJetSource::addTable(const QString& name, const QList<JetColumn>& columns,
                               QList<QVariantList> rows) {
    Table t;
    t.definition.name = name;
    t.definition.columns = columns;
    t.definition.rows = rows.size();
    t.rows = std::move(rows);
    tables_.append(std::move(t));
}

void MemoryJetSource::addRow(const QString& table, const QVariantList& values) {
    Table* t = find(table);
    if (!t)
        throw std::logic_error("no such table");
    t->rows.append(values);
    t->definition.rows = t->rows.size();
}

void MemoryJetSource::removeTable(const QString& name) {
    tables_.removeIf(
        [&](const Table& t) { return t.definition.name.compare(name, Qt::CaseInsensitive) == 0; });
}

JetTable& MemoryJetSource::definition(const QString& table) {
    Table* t = find(table);
    if (!t)
        throw std::logic_error("no such table");
    return t->definition;
}

QList<QVariantList>& MemoryJetSource::rows(const QString& table) {
    Table* t = find(table);
    if (!t)
        throw std::logic_error("no such table");
    return t->rows;
}

void MemoryJetSource::failReadingAfter(const QString& table, qint64 rows) {
    if (Table* t = find(table))
        t->failAfter = rows;
}

QList<JetTable> MemoryJetSource::tables() {
    QList<JetTable> result;
    for (Table& t : tables_) {
        t.definition.rows = t.rows.size();
        result.append(t.definition);
    }
    return result;
}

void MemoryJetSource::readRows(const QString& table, const std::function<void(const QVariantList&)>& row) {
    Table* t = find(table);
    if (!t)
        throw JetError(QStringLiteral("Il file non ha la tabella %1.").arg(table));
    qint64 n = 0;
    for (const QVariantList& values : t->rows) {
        if (t->failAfter >= 0 && n == t->failAfter)
            throw JetError(
                QStringLiteral("La tabella %1 del file non si legge per intero: il file è danneggiato o "
                               "troncato.")
                    .arg(t->definition.name),
                QStringLiteral("offset 1234567 is beyond EOF"));
        row(values);
        ++n;
    }
}

QStringList MemoryJetSource::takeWarnings() {
    return std::exchange(warnings_, {});
}

MemoryJetSource MemoryJetSource::fromArchive(const QString& archivePath) {
    // A delivery, the template or the catalogue: whichever the file says it is.
    cConnessione c;
    if (!c.ApriConnessione(archivePath) && !c.ApriConnessione(archivePath, FileKind::Template) &&
        !c.ApriConnessione(archivePath, FileKind::Catalogue))
        throw std::runtime_error(
            QStringLiteral("Impossibile aprire %1: %2").arg(archivePath, c.lastErrorMessage()).toStdString());
    MemoryJetSource source(archivePath, 4);
    QStringList names;
    {
        RecordSet rs = c.ApriRS(QStringLiteral("select name from sqlite_master where type = 'table' and name "
                                               "not like 'sqlite%' order by rowid"));
        for (; !rs.eof(); rs.moveNext())
            names << rs.field(0).toString();
    }
    for (const QString& name : names) {
        // The program's own bookkeeping is no part of a Jet archive.
        if (diServizio(name))
            continue;
        QList<JetColumn> columns;
        {
            RecordSet rs =
                c.ApriRS(QStringLiteral("select name, type, pk from pragma_table_info(?)"), {name});
            for (; !rs.eof(); rs.moveNext()) {
                JetColumn col;
                col.name = rs.field(0).toString();
                // The link counter is ours: a Jet archive has none.
                if ((name.compare(u"legameDocFonte", Qt::CaseInsensitive) == 0 && col.name == u"ID") ||
                    diServizio(name, col.name))
                    continue;
                const bool integer = rs.field(1).toString().compare(u"INTEGER", Qt::CaseInsensitive) == 0;
                col.type = integer ? JetType::LongInteger : JetType::Text;
                if (name.compare(u"tabTesto", Qt::CaseInsensitive) == 0 && col.name.compare(u"Testo") == 0)
                    col.type = JetType::Memo;
                col.size = integer ? 4 : 255;
                col.autoNumber = integer && rs.field(2).toLongLong() == 1;
                columns << col;
            }
        }
        QStringList list;
        for (const JetColumn& col : columns)
            list << u'"' + col.name + u'"';
        QList<QVariantList> rows;
        RecordSet rs = c.ApriRS(QStringLiteral("select %1 from \"%2\"").arg(list.join(u", "), name));
        for (; !rs.eof(); rs.moveNext()) {
            QVariantList values;
            values.reserve(columns.size());
            for (int i = 0; i < columns.size(); ++i)
                values << rs.field(i).variant();
            rows << values;
        }
        source.addTable(name, columns, std::move(rows));
    }
    return source;
}
