#pragma once

// A Jet 3 or Jet 4 (.mdb) file read through libmdb, the library of MDB Tools. libmdb's quirks stay
// in here: it reports trouble only on standard error (caught and turned into messages), its own date
// and memo conversions are cut short (dates are converted here, memos read whole), and its state is
// not thread-safe (one lock for every call).

#include "import/JetSource.h"

#include <memory>

// A warning of the library ("warning: Invalid page buffer detected in mdb_crack_row.") as the
// operator reads it, in Italian; one it does not know keeps its own text after an Italian lead.
QString AvvisoLibreriaJet(const QString& line);

class JetFile : public JetSource {
public:
    // Opens the file for reading. Throws JetError when it is missing, unreadable, not a Jet
    // database, truncated, or its catalogue cannot be read.
    static std::unique_ptr<JetFile> open(const QString& path);
    ~JetFile() override;
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    QString path() const override { return path_; }
    int jetVersion() const override { return version_; }
    QList<JetTable> tables() override;
    void readRows(const QString& table, const std::function<void(const QVariantList&)>& row) override;
    QStringList takeWarnings() override;

private:
    struct Handle;
    JetFile(QString path, int version);

    QString path_;
    int version_ = 0;
    std::unique_ptr<Handle> handle_;
    bool tablesRead_ = false;
    QList<JetTable> tables_;
    QStringList warnings_;
};
