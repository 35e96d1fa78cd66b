#include "store/DataFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString executableFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Programs that use the core before (or without) an application object: ask the system.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return self.exists() ? QFileInfo(self.canonicalFilePath()).absolutePath() : QDir::currentPath();
}

QString shareFolder() {
    static const QString share = QDir::cleanPath(executableFolder() + QStringLiteral("/../share"));
    return share;
}

} // namespace

QString dataFolder() {
    return shareFolder() + QStringLiteral("/quillaro");
}

QString dataFilePath(const QString& name) {
    return QDir(dataFolder()).filePath(name);
}

QString guidaOperatore() {
    return dataFilePath(QStringLiteral("guida/index.html"));
}

const QList<int>& applicationIconSizes() {
    static const QList<int> sizes = {16, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QStringList applicationIconFiles() {
    QStringList files;
    for (int size : applicationIconSizes()) {
        const QString path =
            shareFolder() + QStringLiteral("/icons/hicolor/%1x%1/apps/quillaro.png").arg(size);
        if (QFileInfo(path).isFile())
            files << path;
    }
    return files;
}
