#pragma once

// Permissions are real only for an ordinary user: root writes any file. A test that needs a file
// it cannot write runs that part, when it runs as root, in a child process as the user "nobody",
// the folder given made that user's. The child's answer comes back as text.

#include <QString>
#include <functional>

#ifdef Q_OS_UNIX
#include <QDirIterator>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

inline QString eseguiComeUtente(const QString& cartella, const std::function<QString()>& lavoro) {
#ifdef Q_OS_UNIX
    if (geteuid() != 0)
        return lavoro();
    const passwd* nessuno = getpwnam("nobody");
    if (!nessuno)
        return QStringLiteral("utente nobody mancante");
    const auto cedi = [&](const QString& path) {
        return chown(path.toLocal8Bit().constData(), nessuno->pw_uid, nessuno->pw_gid) == 0;
    };
    cedi(cartella);
    QDirIterator it(cartella, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        cedi(it.next());
    int tubo[2];
    if (pipe(tubo) != 0)
        return QStringLiteral("pipe non riuscita");
    const pid_t figlio = fork();
    if (figlio == 0) {
        close(tubo[0]);
        QByteArray risposta = "setuid non riuscito";
        if (setgid(nessuno->pw_gid) == 0 && setuid(nessuno->pw_uid) == 0)
            risposta = lavoro().toUtf8();
        const ssize_t scritti = write(tubo[1], risposta.constData(), static_cast<size_t>(risposta.size()));
        _exit(scritti == risposta.size() ? 0 : 1);
    }
    close(tubo[1]);
    QByteArray risposta;
    char buffer[4096];
    for (ssize_t n; (n = read(tubo[0], buffer, sizeof buffer)) > 0;)
        risposta.append(buffer, n);
    close(tubo[0]);
    int stato = 0;
    waitpid(figlio, &stato, 0);
    return QString::fromUtf8(risposta);
#else
    Q_UNUSED(cartella);
    return lavoro();
#endif
}
