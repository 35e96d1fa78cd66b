#pragma once

// Files written whole on a thread of their own, so that the thread that asks never waits for the
// disk (a window while the operator types). Each file is made beside its name, synced and renamed
// into place: a crash, a kill or a full disk leaves the last whole file or none. Only the latest
// request for a path counts: one not yet started is replaced by the next, and a removal drops
// every write asked before it, the one under way included, which then never appears.

#include <QHash>
#include <QString>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class BackgroundWriter {
public:
    BackgroundWriter() = default;
    // Finishes what was asked, then stops.
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // The file at `path` is to hold what `content` makes; `content` runs on the worker, with
    // whatever it captured (plain values, never a widget). Its folder is made when missing.
    void write(const QString& path, std::function<QByteArray()> content);
    // Removes the file now, on the caller's thread. Waits at most for a rename under way.
    void remove(const QString& path);
    // Waits until every request made so far is done.
    void waitIdle();
    // Why the last write failed; empty once one succeeds.
    QString lastError() const;
    // Told on the worker, after each write that ran, why it failed (empty: it succeeded); under the
    // writer's lock, so it must only hand the news on (post it to another thread). Cleared with an
    // empty function: once that returns, it is never called again.
    void setOnResult(std::function<void(const QString& error)> onResult);

private:
    struct Job {
        quint64 generation = 0;
        std::function<QByteArray()> content;
    };
    void run();
    // Writes the bytes beside the path, synced; the name written, empty on failure.
    QString writeBeside(const QString& path, const QByteArray& bytes, QString& error);

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    QHash<QString, Job> pending_;
    // The request each path's file is to show; a write of any other is stale. One counter for all
    // paths: a path removed and asked again never meets its old numbers.
    QHash<QString, quint64> generation_;
    quint64 counter_ = 0;
    bool busy_ = false;
    bool stopping_ = false;
    QString lastError_;
    std::function<void(const QString&)> onResult_;
    std::thread worker_; // started by the first write
};
