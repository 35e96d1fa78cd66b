#pragma once

// The real Jet files of the import tests (nwind.mdb, Jet 3; DateTestDatabase.mdb, Jet 4), found
// through QUILLARO_JET_FIXTURES or the folder set when the build was configured, and fake sources
// for the import.

#include "import/MemoryJetSource.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTimeZone>
#include <QtEndian>

inline QString jetFixturesDir() {
    const QString env = qEnvironmentVariable("QUILLARO_JET_FIXTURES");
    return QDir::cleanPath(env.isEmpty() ? QStringLiteral(QUILLARO_JET_FIXTURES_DIR) : env);
}

inline QString jetFixture(const QString& name) {
    return QDir(jetFixturesDir()).filePath(name);
}

// Skips the test, saying where the files were looked for, when a fixture is missing: never a silent pass.
#define REQUIRE_JET_FIXTURE(path)                                                                            \
    do {                                                                                                     \
        if (!QFileInfo::exists(path))                                                                        \
            QSKIP(qPrintable(                                                                                \
                QStringLiteral("Jet fixture %1 not found: set QUILLARO_JET_FIXTURES to the folder "          \
                               "holding nwind.mdb and DateTestDatabase.mdb (looked in %2)")                  \
                    .arg(QFileInfo(path).fileName(), jetFixturesDir())));                                    \
    } while (false)

// Columns of fake tables.
inline JetColumn jetText(const QString& name, int size = 255) {
    return {name, JetType::Text, size, false};
}
inline JetColumn jetLong(const QString& name, bool counter = false) {
    return {name, JetType::LongInteger, 4, counter};
}

// A copy of a real Jet file, damaged as a copy interrupted or a disk going bad leaves it, written
// into `folder`. `damage`: "cut:N" keeps the first N pages, "zero:N" wipes page N, "byte:OFFSET=V"
// and "u32:OFFSET=V" change one byte or one little-endian 32-bit number (V in hexadecimal).
inline QString damagedJetCopy(const QString& source, const QString& folder, const QString& damage) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = in.readAll();
    const qint64 page = bytes.size() > 0x18 && bytes.at(0x14) == 0 ? 2048 : 4096;
    const QString kind = damage.section(u':', 0, 0);
    const QString where = damage.section(u':', 1).section(u'=', 0, 0);
    const uint value = damage.section(u'=', 1).toUInt(nullptr, 16);
    if (kind == u"cut")
        bytes.truncate(where.toLongLong() * page);
    else if (kind == u"zero")
        bytes.replace(where.toLongLong() * page, page, QByteArray(page, '\0'));
    else if (kind == u"byte")
        bytes[where.toLongLong()] = static_cast<char>(value);
    else if (kind == u"u32")
        qToLittleEndian<quint32>(value, bytes.data() + where.toLongLong());
    const QString path = QDir(folder).filePath(QFileInfo(source).completeBaseName() + QStringLiteral(".mdb"));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return path;
}

// The files of other versions of Access, beside the two above.
inline QString jetVersionFixture(const QString& name) {
    return jetFixture(QStringLiteral("versions/") + name);
}
