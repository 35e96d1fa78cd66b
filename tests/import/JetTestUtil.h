#pragma once

// The real Jet files of the import tests (nwind.mdb, Jet 3; DateTestDatabase.mdb, Jet 4), found
// through QUILLARO_JET_FIXTURES or the folder set when the build was configured, and fake sources
// for the import.

#include "import/MemoryJetSource.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTimeZone>

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
