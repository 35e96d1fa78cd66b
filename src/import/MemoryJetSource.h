#pragma once

// A Jet source held in memory: the fake with which tests and benchmarks drive the import, made by
// hand or from one of our own archives.

#include "import/JetSource.h"

class MemoryJetSource : public JetSource {
public:
    explicit MemoryJetSource(QString path = QStringLiteral("memoria.mdb"), int version = 4);

    // Adds a table; the rows hold the values in column order (see JetSource.h for their types).
    void addTable(const QString& name, const QList<JetColumn>& columns, QList<QVariantList> rows = {});
    void addRow(const QString& table, const QVariantList& values);
    void removeTable(const QString& name);
    // A table to change in place (its rows or columns); throws std::logic_error when there is none.
    JetTable& definition(const QString& table);
    QList<QVariantList>& rows(const QString& table);
    // A table whose reading fails half-way, as a damaged file's would.
    void failReadingAfter(const QString& table, qint64 rows);
    void addWarning(const QString& text) { warnings_ << text; }

    // Every table of a Quillaro archive, template or catalogue (.db) with its rows: integer columns as Jet
    // long integers (their keys as counters), text columns as Jet text (tabTesto.Testo as memo). Throws
    // std::runtime_error when the archive cannot be read.
    static MemoryJetSource fromArchive(const QString& archivePath);

    QString path() const override { return path_; }
    int jetVersion() const override { return version_; }
    QList<JetTable> tables() override;
    void readRows(const QString& table, const std::function<void(const QVariantList&)>& row) override;
    QStringList takeWarnings() override;

private:
    struct Table {
        JetTable definition;
        QList<QVariantList> rows;
        qint64 failAfter = -1;
    };
    Table* find(const QString& name);

    QString path_;
    int version_;
    QList<Table> tables_;
    QStringList warnings_;
};
