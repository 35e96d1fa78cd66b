#include "store/BackgroundWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path nativo(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

} // namespace

BackgroundWriter::~BackgroundWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

void BackgroundWriter::write(const QString& path, std::function<QByteArray()> content) {
    {
        const std::lock_guard lock(mutex_);
        const quint64 generation = ++counter_;
        generation_[path] = generation;
        pending_[path] = Job{generation, std::move(content)};
        if (!worker_.joinable())
            worker_ = std::thread([this] { run(); });
    }
    wake_.notify_all();
}

void BackgroundWriter::remove(const QString& path) {
    // Under the lock: the worker renames under it too, so no write asked before can land after.
    const std::lock_guard lock(mutex_);
    generation_.remove(path);
    pending_.remove(path);
    QFile::remove(path);
}

void BackgroundWriter::waitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return pending_.isEmpty() && !busy_; });
}

QString BackgroundWriter::lastError() const {
    const std::lock_guard lock(mutex_);
    return lastError_;
}

void BackgroundWriter::setOnResult(std::function<void(const QString& error)> onResult) {
    const std::lock_guard lock(mutex_);
    onResult_ = std::move(onResult);
}

QString BackgroundWriter::writeBeside(const QString& path, const QByteArray& bytes, QString& error) {
    const QString beside = path + QStringLiteral(".nuovo");
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QStringLiteral("impossibile creare la cartella %1").arg(QFileInfo(path).absolutePath());
        return {};
    }
    // QSaveFile syncs what it wrote before it renames: the name beside holds a whole file or none.
    QSaveFile file(beside);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("%1: %2").arg(beside, file.errorString());
        return {};
    }
    return beside;
}

void BackgroundWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !pending_.isEmpty(); });
        if (pending_.isEmpty())
            break;
        const auto first = pending_.begin();
        const QString path = first.key();
        const Job job = first.value();
        pending_.erase(first);
        busy_ = true;
        lock.unlock();

        QString error;
        const QString beside = writeBeside(path, job.content(), error);

        lock.lock();
        if (!beside.isEmpty()) {
            if (generation_.value(path) == job.generation) {
                std::error_code ec;
                std::filesystem::rename(nativo(beside), nativo(path), ec);
                if (ec) {
                    error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(ec.message()));
                    QFile::remove(beside);
                }
            } else {
                // Removed or asked again meanwhile: this content is no longer the file's.
                QFile::remove(beside);
            }
        }
        lastError_ = error;
        if (onResult_)
            onResult_(error);
        busy_ = false;
        if (pending_.isEmpty())
            idle_.notify_all();
    }
    busy_ = false;
    idle_.notify_all();
}
