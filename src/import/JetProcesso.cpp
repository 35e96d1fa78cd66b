#include "import/JetProcesso.h"

#include "import/LettoreJet.h"
#include "store/Dialogs.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace {

QString quoted(const QString& path) {
    return QStringLiteral("\u00AB%1\u00BB").arg(QFileInfo(path).fileName());
}

// What the reader holds in memory now; -1 where the system does not say.
qint64 residentBytes(qint64 pid) {
#ifdef Q_OS_LINUX
    QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    bool ok = false;
    const qint64 pages = fields.value(1).toLongLong(&ok);
    return ok ? pages * sysconf(_SC_PAGESIZE) : -1;
#else
    Q_UNUSED(pid);
    return -1;
#endif
}

} // namespace

JetProcesso::JetProcesso(QString path, Progress* progress, const LimitiLettoreJet& limits)
    : path_(std::move(path)), progress_(progress), limits_(limits) {}

template <typename F> auto JetProcesso::decode(F read) {
    try {
        return read();
    } catch (const std::runtime_error& error) {
        giveUp(QStringLiteral("il programma di lettura ha risposto in modo non valido"),
               QString::fromUtf8(error.what()));
    }
}

std::unique_ptr<JetProcesso> JetProcesso::open(const QString& path, Progress* progress,
                                               const LimitiLettoreJet& limits) {
    const QFileInfo info(path);
    std::unique_ptr<JetProcesso> source(new JetProcesso(path, progress, limits));
    // Whatever a file holds, its values cannot take many times its own size.
    source->outputLimit_ =
        std::max(limits.uscitaMinimaMB * 1024 * 1024, info.size() * limits.uscitaPerByteDelFile);
    const QString reader = PercorsoLettoreJet();
    QProcess& p = source->process_;
    p.setProgram(reader);
    p.setArguments({info.absoluteFilePath(), QStringLiteral("--memoria"), QString::number(limits.memoriaMB),
                    QStringLiteral("--cpu"), QString::number(limits.secondiCpu)});
    // Its messages are for a developer who asks for them (QUILLARO_MDB_STDERR=1); left unread they
    // would fill the pipe and stop it.
    if (qEnvironmentVariableIsSet("QUILLARO_MDB_STDERR"))
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    else
        p.setStandardErrorFile(QProcess::nullDevice());
    p.start();
    if (!p.waitForStarted(limits.secondiSilenzio * 1000))
        throw JetError::readerMissing(
            QStringLiteral("Il file %1 non si può leggere: il programma che legge i file Access (%2) non si "
                           "avvia. Reinstallare Quillaro o chiedere all'assistenza.")
                .arg(quoted(path), QDir::toNativeSeparators(reader)),
            p.errorString());
    const Frame first = source->next();
    if (first.kind == ProtocolloJet::Errore)
        throw source->decode([&] { return ProtocolloJet::leggiErrore(first.content); });
    if (first.kind != ProtocolloJet::Aperto)
        source->unexpected(first);
    source->version_ = source->decode([&] { return ProtocolloJet::leggiAperto(first.content); });
    return source;
}

JetProcesso::~JetProcesso() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.closeWriteChannel(); // the reader ends when its input does
    if (!process_.waitForFinished(100))
        stop();
}

void JetProcesso::stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(2000);
    }
}

void JetProcesso::giveUp(const QString& what, const QString& detail) {
    stop();
    broken_ =
        JetError(QStringLiteral("Il file %1 è danneggiato: %2. Procurarsi una copia integra del file (o "
                                "ripararlo con Access) e ripetere l'importazione.")
                     .arg(quoted(path_), what),
                 detail);
    throw *broken_;
}

void JetProcesso::command(const QByteArray& line) {
    if (broken_)
        throw *broken_;
    if (process_.state() != QProcess::Running || process_.write(line) != line.size())
        giveUp(QStringLiteral("la sua lettura si è interrotta"),
               QStringLiteral("il programma di lettura non risponde"));
    process_.waitForBytesWritten(limits_.secondiSilenzio * 1000);
}

std::optional<JetProcesso::Frame> JetProcesso::takeFrame() {
    if (buffer_.size() - read_ < 4)
        return std::nullopt;
    const quint32 length = qFromLittleEndian<quint32>(buffer_.constData() + read_);
    if (length == 0 || length > static_cast<quint64>(limits_.quadroMassimoMB) * 1024 * 1024)
        giveUp(QStringLiteral("una sua riga è più grande di quanto un file Access possa contenere"),
               QStringLiteral("risposta di %1 byte del programma di lettura").arg(length));
    if (static_cast<quint64>(buffer_.size() - read_) < 4 + quint64{length})
        return std::nullopt;
    Frame frame{buffer_.at(read_ + 4), buffer_.mid(read_ + 5, static_cast<qsizetype>(length) - 1)};
    read_ += 4 + static_cast<qsizetype>(length);
    // What was taken goes once it is most of the buffer, not frame by frame.
    if (read_ > buffer_.size() / 2) {
        buffer_.remove(0, read_);
        read_ = 0;
    }
    return frame;
}

JetProcesso::Frame JetProcesso::next() {
    QElapsedTimer silence;
    silence.start();
    QElapsedTimer memoryCheck;
    memoryCheck.start();
    for (;;) {
        if (std::optional<Frame> frame = takeFrame())
            return *frame;
        const bool running = process_.state() != QProcess::NotRunning;
        if (running)
            process_.waitForReadyRead(50);
        const QByteArray bytes = process_.readAllStandardOutput();
        if (!bytes.isEmpty()) {
            received_ += bytes.size();
            if (received_ > outputLimit_)
                giveUp(
                    QStringLiteral("la sua lettura ha prodotto più dati di quanti il file ne possa contenere "
                                   "ed è stata interrotta"),
                    QStringLiteral("%1 MB ricevuti dal programma di lettura").arg(received_ / (1024 * 1024)));
            buffer_ += bytes;
            silence.restart();
            continue;
        }
        if (!running || process_.state() == QProcess::NotRunning) {
            // Qt's own words for a crash are English: the program says it in its own.
            giveUp(QStringLiteral("la sua lettura si è interrotta in modo anomalo"),
                   process_.exitStatus() == QProcess::CrashExit
                       ? QStringLiteral("il programma di lettura si è arrestato")
                       : QStringLiteral("il programma di lettura è terminato con il codice %1")
                             .arg(process_.exitCode()));
        }
        if (silence.elapsed() > qint64{limits_.secondiSilenzio} * 1000)
            giveUp(QStringLiteral("la sua lettura non è andata avanti per %1 secondi ed è stata interrotta")
                       .arg(limits_.secondiSilenzio),
                   QStringLiteral("il programma di lettura non risponde"));
        if (memoryCheck.elapsed() >= 100) {
            memoryCheck.restart();
            if (residentBytes(process_.processId()) > limits_.memoriaMB * 1024 * 1024)
                giveUp(
                    QStringLiteral("la sua lettura ha chiesto più di %1 MB di memoria ed è stata interrotta")
                        .arg(limits_.memoriaMB),
                    QStringLiteral("il programma di lettura non si ferma"));
        }
        if (progress_)
            progress_->keepAlive();
    }
}

QList<JetTable> JetProcesso::tables() {
    if (tablesRead_)
        return tables_;
    command("tabelle\n");
    for (;;) {
        const Frame frame = next();
        if (frame.kind == ProtocolloJet::Avvisi) {
            warnings_ << decode([&] { return ProtocolloJet::leggiAvvisi(frame.content); });
        } else if (frame.kind == ProtocolloJet::Tabelle) {
            tables_ = decode([&] { return ProtocolloJet::leggiTabelle(frame.content); });
            tablesRead_ = true;
            return tables_;
        } else if (frame.kind == ProtocolloJet::Errore) {
            throw decode([&] { return ProtocolloJet::leggiErrore(frame.content); });
        } else {
            unexpected(frame);
        }
    }
}

void JetProcesso::unexpected(const Frame& frame) {
    giveUp(QStringLiteral("il programma di lettura ha risposto in modo non valido"),
           QStringLiteral("risposta di tipo %1").arg(int(frame.kind)));
}

void JetProcesso::readRows(const QString& table, const std::function<void(const QVariantList&)>& row) {
    const QList<JetTable> list = tables();
    qsizetype index = -1;
    for (qsizetype i = 0; i < list.size() && index < 0; ++i)
        if (list[i].name == table)
            index = i;
    if (index < 0)
        throw JetError(QStringLiteral("Il file %1 non ha la tabella %2.").arg(quoted(path_), table));
    command(QByteArrayLiteral("righe ") + QByteArray::number(index) + '\n');
    for (;;) {
        const Frame frame = next();
        if (frame.kind == ProtocolloJet::Fine)
            return;
        if (frame.kind == ProtocolloJet::Avvisi) {
            warnings_ << decode([&] { return ProtocolloJet::leggiAvvisi(frame.content); });
            continue;
        }
        if (frame.kind == ProtocolloJet::Errore)
            throw decode([&] { return ProtocolloJet::leggiErrore(frame.content); });
        if (frame.kind != ProtocolloJet::Riga)
            unexpected(frame);
        const QVariantList values = decode([&] { return ProtocolloJet::leggiRiga(frame.content); });
        try {
            row(values);
        } catch (...) {
            // The rest of the table is still on its way: the reader cannot serve another command.
            stop();
            broken_ =
                JetError(QStringLiteral("La lettura del file %1 è stata interrotta.").arg(quoted(path_)));
            throw;
        }
    }
}

QStringList JetProcesso::takeWarnings() {
    return std::exchange(warnings_, {});
}
