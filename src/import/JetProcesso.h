#pragma once

// A Jet file read by the reader process (LettoreJet.h): the program's side. Every wait on the
// reader is bounded (LimitiLettoreJet) and lets the window repaint through the progress; the
// reader's death, silence, hunger for memory or flood of output end the reading with a JetError
// that says the file is damaged. The program and its open archives are never touched.

#include "import/ProtocolloJet.h"

#include <QProcess>
#include <memory>
#include <optional>

class JetProcesso : public JetSource {
public:
    // Starts the reader on the file; throws JetError as JetFile::open does, and when the reader
    // cannot be started.
    static std::unique_ptr<JetProcesso> open(const QString& path, Progress* progress = nullptr,
                                             const LimitiLettoreJet& limits = {});
    ~JetProcesso() override;
    JetProcesso(const JetProcesso&) = delete;
    JetProcesso& operator=(const JetProcesso&) = delete;

    QString path() const override { return path_; }
    int jetVersion() const override { return version_; }
    QList<JetTable> tables() override;
    void readRows(const QString& table, const std::function<void(const QVariantList&)>& row) override;
    QStringList takeWarnings() override;
    void setProgress(Progress* progress) override { progress_ = progress; }

private:
    struct Frame {
        char kind = 0;
        QByteArray content;
    };
    JetProcesso(QString path, Progress* progress, const LimitiLettoreJet& limits);
    void command(const QByteArray& line);
    Frame next();
    std::optional<Frame> takeFrame();
    [[noreturn]] void giveUp(const QString& what, const QString& detail);
    [[noreturn]] void unexpected(const Frame& frame);
    // A frame's content read back; bytes that do not make one are the reader's failure.
    template <typename F> auto decode(F read);
    void stop();

    QString path_;
    int version_ = 0;
    Progress* progress_ = nullptr;
    LimitiLettoreJet limits_;
    qint64 outputLimit_ = 0;
    qint64 received_ = 0;
    QProcess process_;
    QByteArray buffer_;
    qsizetype read_ = 0; // frames before it are taken
    QStringList warnings_;
    bool tablesRead_ = false;
    QList<JetTable> tables_;
    // Once the reader has been given up, every call fails as the first did.
    std::optional<JetError> broken_;
};
