#include "store/ArchivioInUso.h"

#include "store/HomeFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSysInfo>
#include <QUuid>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

// An entry not renewed for this long, by a program on another computer, was left by a program that
// stopped without closing the archive (the program renews it every half hour).
constexpr qint64 kSecondiSenzaRinnovo = 24 * 60 * 60;

bool stessoComputer(const QString& computer) {
    return computer.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) == 0;
}

bool processoVivo(qint64 pid, const QString& programma) {
    if (pid <= 0)
        return false;
#ifdef Q_OS_WIN
    Q_UNUSED(programma);
    HANDLE processo = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!processo)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD codice = 0;
    const bool vivo = GetExitCodeProcess(processo, &codice) && codice == STILL_ACTIVE;
    CloseHandle(processo);
    return vivo;
#else
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM)
        return false;
    // Where the system names its processes, a number given since to another program does not count.
    QFile nome(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!programma.isEmpty() && nome.open(QIODevice::ReadOnly))
        return QString::fromUtf8(nome.readAll()).trimmed() == programma.left(15);
    return true;
#endif
}

QString utenteCorrente() {
    for (const char* variabile : {"USER", "USERNAME", "LOGNAME"}) {
        const QString utente = qEnvironmentVariable(variabile);
        if (!utente.isEmpty())
            return utente;
    }
#ifndef Q_OS_WIN
    // Started without a login's environment (a service, a desktop launcher of some systems).
    if (const passwd* account = getpwuid(geteuid()))
        return QString::fromLocal8Bit(account->pw_name);
#endif
    return {};
}

// One line of the file: no line break may end a value early.
QString suUnaRiga(QString valore) {
    for (QChar& c : valore)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return valore;
}

QList<UsoArchivio> leggi(const QString& archivio) {
    QFile file(PercorsoSegnoUso(archivio));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A marker is a few lines; anything larger is not one of ours.
    return LeggiSegnoUso(file.read(64 * 1024));
}

bool scrivi(const QString& archivio, const QList<UsoArchivio>& usi) {
    const QString percorso = PercorsoSegnoUso(archivio);
    if (usi.isEmpty())
        return QFile::remove(percorso) || !QFileInfo::exists(percorso);
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(TestoSegnoUso(usi));
    return file.commit();
}

// The entries that still stand for a program.
QList<UsoArchivio> vivi(QList<UsoArchivio> usi) {
    const QDateTime adesso = QDateTime::currentDateTimeUtc();
    usi.removeIf([&adesso](const UsoArchivio& u) { return !UsoVivo(u, adesso); });
    return usi;
}

} // namespace

QString NuovaSessione() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

UsoArchivio QuestoUso(const QString& sessione) {
    UsoArchivio uso;
    uso.utente = utenteCorrente();
    uso.computer = QSysInfo::machineHostName();
    uso.programma = QCoreApplication::instance()
                        ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                        : QStringLiteral("quillaro");
    uso.pid = QCoreApplication::applicationPid();
    uso.dal = QDateTime::currentDateTimeUtc();
    uso.rinnovato = uso.dal;
    uso.sessione = sessione;
    return uso;
}

QString PercorsoSegnoUso(const QString& archivio) {
    // The same file however the archive was named (another case, a link, a relative path).
    const QFileInfo file(archivio);
    const QString canonico = file.canonicalFilePath();
    return (canonico.isEmpty() ? file.absoluteFilePath() : canonico) + QStringLiteral(".inuso");
}

bool UsoVivo(const UsoArchivio& uso, const QDateTime& adesso) {
    if (stessoComputer(uso.computer))
        return processoVivo(uso.pid, uso.programma);
    const QDateTime ultimo = uso.rinnovato.isValid() ? uso.rinnovato : uso.dal;
    return ultimo.isValid() && ultimo.secsTo(adesso) < kSecondiSenzaRinnovo;
}

bool ProgrammaAttivo(const UsoArchivio& uso, const QString& archivio) {
    if (stessoComputer(uso.computer))
        return processoVivo(uso.pid, uso.programma);
    const QDateTime adesso = QDateTime::currentDateTimeUtc();
    for (const UsoArchivio& u : leggi(archivio))
        if (u.sessione == uso.sessione && !u.sessione.isEmpty() && UsoVivo(u, adesso))
            return true;
    return false;
}

QList<UsoArchivio> AltriUsi(const QString& archivio) {
    QList<UsoArchivio> altri = vivi(leggi(archivio));
    // This very process is no other program.
    altri.removeIf([](const UsoArchivio& u) {
        return stessoComputer(u.computer) && u.pid == QCoreApplication::applicationPid();
    });
    return altri;
}

bool RegistraUso(const QString& archivio, const UsoArchivio& uso) {
    QList<UsoArchivio> usi = vivi(leggi(archivio));
    UsoArchivio nuovo = uso;
    for (const UsoArchivio& u : usi)
        if (u.sessione == uso.sessione && u.dal.isValid())
            nuovo.dal = u.dal;
    usi.removeIf([&uso](const UsoArchivio& u) { return u.sessione == uso.sessione; });
    usi.append(nuovo);
    return scrivi(archivio, usi);
}

void RilasciaUso(const QString& archivio, const QString& sessione) {
    if (!QFileInfo::exists(PercorsoSegnoUso(archivio)))
        return;
    QList<UsoArchivio> usi = vivi(leggi(archivio));
    usi.removeIf([&sessione](const UsoArchivio& u) { return u.sessione == sessione; });
    scrivi(archivio, usi);
}

QString DescrizioneUso(const UsoArchivio& uso, const QDateTime& adesso) {
    const QDateTime dal = uso.dal.toLocalTime();
    const QString quando =
        dal.date() == adesso.toLocalTime().date()
            ? QStringLiteral("dalle %1").arg(dal.toString(QStringLiteral("H:mm")))
            : QStringLiteral("dal %1 alle %2")
                  .arg(dal.toString(QStringLiteral("dd/MM/yyyy")), dal.toString(QStringLiteral("H:mm")));
    const QString chi = uso.utente.isEmpty() ? QStringLiteral("un altro utente") : uso.utente;
    return QStringLiteral("%1 su %2 %3").arg(chi, uso.computer, quando);
}

QString AvvisoUso(const QString& archivio, const QList<UsoArchivio>& usi, const QDateTime& adesso) {
    QStringList chi;
    for (const UsoArchivio& u : usi)
        chi << DescrizioneUso(u, adesso);
    return QStringLiteral("L'archivio %1 è aperto anche da %2")
        .arg(NomeSenzaEstensione(QFileInfo(archivio).fileName()), chi.join(QStringLiteral(" e da ")));
}

QByteArray TestoSegnoUso(const QList<UsoArchivio>& usi) {
    QString testo = QStringLiteral(
        "# Archivio aperto con Quillaro: chi lo ha aperto, su quale computer e da quando.\n"
        "# Il file va via quando l'archivio si chiude; quello lasciato da un programma interrotto\n"
        "# viene sostituito alla prossima apertura.\n");
    for (const UsoArchivio& u : usi) {
        testo += u'\n';
        testo += QStringLiteral("utente=%1\n").arg(suUnaRiga(u.utente));
        testo += QStringLiteral("computer=%1\n").arg(suUnaRiga(u.computer));
        testo += QStringLiteral("programma=%1\n").arg(suUnaRiga(u.programma));
        testo += QStringLiteral("pid=%1\n").arg(u.pid);
        testo += QStringLiteral("dal=%1\n").arg(u.dal.toUTC().toString(Qt::ISODate));
        testo += QStringLiteral("rinnovato=%1\n").arg(u.rinnovato.toUTC().toString(Qt::ISODate));
        testo += QStringLiteral("sessione=%1\n").arg(suUnaRiga(u.sessione));
    }
    return testo.toUtf8();
}

QList<UsoArchivio> LeggiSegnoUso(const QByteArray& testo) {
    QList<UsoArchivio> usi;
    UsoArchivio corrente;
    bool aperto = false;
    const auto chiudi = [&] {
        // An entry that does not say where and since when stands for nobody.
        if (aperto && !corrente.computer.isEmpty() && corrente.dal.isValid())
            usi.append(corrente);
        corrente = {};
        aperto = false;
    };
    for (const QString& riga : QString::fromUtf8(testo).split(u'\n')) {
        const QString r = riga.trimmed();
        if (r.startsWith(u'#'))
            continue;
        if (r.isEmpty()) {
            chiudi();
            continue;
        }
        const qsizetype uguale = r.indexOf(u'=');
        if (uguale <= 0)
            continue;
        const QString chiave = r.left(uguale).trimmed();
        const QString valore = r.mid(uguale + 1).trimmed();
        aperto = true;
        if (chiave == u"utente")
            corrente.utente = valore;
        else if (chiave == u"computer")
            corrente.computer = valore;
        else if (chiave == u"programma")
            corrente.programma = valore;
        else if (chiave == u"pid")
            corrente.pid = valore.toLongLong();
        else if (chiave == u"dal")
            corrente.dal = QDateTime::fromString(valore, Qt::ISODate);
        else if (chiave == u"rinnovato")
            corrente.rinnovato = QDateTime::fromString(valore, Qt::ISODate);
        else if (chiave == u"sessione")
            corrente.sessione = valore;
    }
    chiudi();
    return usi;
}
