#include "import/LettoreJet.h"

#include "import/JetFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace {

// Frames go out in batches (a pipe write per row would cost more than the row), but never wait
// long: the program counts the reader's silence.
class Uscita {
public:
    explicit Uscita(int fd) {
        file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered);
        clock_.start();
    }
    void manda(const QByteArray& frame) {
        pending_ += frame;
        if (pending_.size() >= 64 * 1024 || clock_.elapsed() >= 100)
            svuota();
    }
    void svuota() {
        clock_.restart();
        for (qint64 done = 0; done < pending_.size();) {
            const qint64 n = file_.write(pending_.constData() + done, pending_.size() - done);
            if (n <= 0)
                std::_Exit(3); // the program is gone: nobody to read for
            done += n;
        }
        pending_.clear();
    }

private:
    QFile file_;
    QByteArray pending_;
    QElapsedTimer clock_;
};

void limita(const QStringList& arguments) {
#ifdef Q_OS_UNIX
    const auto value = [&](const QString& name, qint64 fallback) {
        const qsizetype i = arguments.indexOf(name);
        bool ok = false;
        const qint64 n = i >= 0 ? arguments.value(i + 1).toLongLong(&ok) : 0;
        return ok && n > 0 ? n : fallback;
    };
    const LimitiLettoreJet defaults;
    const auto set = [](int resource, rlim_t limit) {
        rlimit r{limit, limit};
        setrlimit(resource, &r);
    };
    set(RLIMIT_CPU, static_cast<rlim_t>(value(QStringLiteral("--cpu"), defaults.secondiCpu)));
    set(RLIMIT_CORE, 0); // a crash on a damaged file leaves nothing behind
    // The only file it writes is the scratch of the library's messages.
    set(RLIMIT_FSIZE, rlim_t{64} * 1024 * 1024);
#if !defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer reserves terabytes of address space: the program watches its size instead.
    set(RLIMIT_AS, static_cast<rlim_t>(value(QStringLiteral("--memoria"), defaults.memoriaMB)) * 1024 * 1024);
#endif
#else
    Q_UNUSED(arguments);
#endif
}

// Standard output becomes the frames' alone: what libmdb prints goes to standard error.
int canaleRisposte() {
#ifdef Q_OS_UNIX
    const int fd = dup(1);
    dup2(2, 1);
    return fd;
#elif defined(Q_OS_WIN)
    const int fd = _dup(1);
    _dup2(2, 1);
    return fd;
#else
    return 1;
#endif
}

} // namespace

int EseguiLettoreJet(const QStringList& arguments) {
    if (arguments.isEmpty())
        return 2;
    limita(arguments);
    Uscita out(canaleRisposte());
    std::unique_ptr<JetFile> file;
    try {
        file = JetFile::open(arguments.first());
        out.manda(ProtocolloJet::aperto(file->jetVersion()));
    } catch (const JetError& e) {
        out.manda(ProtocolloJet::errore(e));
        out.svuota();
        return 0;
    }
    out.svuota();
    QList<JetTable> tables;
    std::string line;
    while (std::getline(std::cin, line)) {
        const QString command = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).trimmed();
        try {
            if (command == u"tabelle") {
                tables = file->tables();
                out.manda(ProtocolloJet::avvisi(file->takeWarnings()));
                out.manda(ProtocolloJet::tabelle(tables));
            } else if (command.startsWith(QStringLiteral("righe "))) {
                bool ok = false;
                const qsizetype i = command.mid(6).toLongLong(&ok);
                if (!ok || i < 0 || i >= tables.size())
                    return 2;
                file->readRows(tables[i].name,
                               [&](const QVariantList& values) { out.manda(ProtocolloJet::riga(values)); });
                out.manda(ProtocolloJet::avvisi(file->takeWarnings()));
                out.manda(ProtocolloJet::quadro(ProtocolloJet::Fine, {}));
            } else {
                return 2;
            }
        } catch (const JetError& e) {
            out.manda(ProtocolloJet::errore(e));
        }
        out.svuota();
    }
    return 0;
}

QString PercorsoLettoreJet() {
    const QString env = qEnvironmentVariable("QUILLARO_JET_READER");
    if (!env.isEmpty())
        return env;
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("quillaro-jet-reader.exe");
#else
    const QString name = QStringLiteral("quillaro-jet-reader");
#endif
    const QString bin =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    const QString installed = QDir::cleanPath(bin + QStringLiteral("/../libexec/quillaro/") + name);
    const QString beside = QDir(bin).filePath(name);
    return !QFileInfo::exists(installed) && QFileInfo::exists(beside) ? beside : installed;
}
