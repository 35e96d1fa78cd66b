#pragma once

// The files made by other programs that tests read from the shared fixtures folder (jet/,
// metadata/, citations/), found through QUILLARO_FIXTURES or the folder set when the build was
// configured. A test whose file is missing is skipped, saying where it looked: never a silent pass.

#include <QDir>
#include <QFileInfo>
#include <QString>

inline QString sharedFixturesDir() {
    const QString env = qEnvironmentVariable("QUILLARO_FIXTURES");
    return QDir::cleanPath(env.isEmpty() ? QStringLiteral(QUILLARO_FIXTURES_DIR) : env);
}

// A file of the shared fixtures, by its path under the folder ("metadata/README.md").
inline QString sharedFixture(const QString& relativePath) {
    return QDir(sharedFixturesDir()).filePath(relativePath);
}

#define REQUIRE_SHARED_FIXTURE(path)                                                                         \
    do {                                                                                                     \
        if (!QFileInfo::exists(path))                                                                        \
            QSKIP(qPrintable(QStringLiteral("Shared fixture %1 not found: set QUILLARO_FIXTURES to the "    \
                                            "shared fixtures folder (looked in %2)")                        \
                                 .arg(QFileInfo(path).fileName(), sharedFixturesDir())));                   \
    } while (false)
