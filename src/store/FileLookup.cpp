#include "store/FileLookup.h"

#include <QFileInfo>

QString findIgnoringCase(const QString& folder, const QString& name, QDir::Filters filters) {
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    const QFileInfo info(exact);
    if (info.exists() &&
        ((info.isDir() && filters.testFlag(QDir::Dirs)) || (!info.isDir() && filters.testFlag(QDir::Files))))
        return exact;
    const QStringList entries = dir.entryList(filters | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}
