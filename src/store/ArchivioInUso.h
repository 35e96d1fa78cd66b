#pragma once

// Who else has an archive open. The desktop program keeps, while an archive is open, a small text
// file beside it, "<archive>.inuso" (DEMO.db.inuso), with one entry per program that has it: user,
// computer, program, process, when it was opened and when the entry was last renewed. Opening an
// archive reads it to say who else is working on it. A shared folder of the network does not
// always honour file locks, so nothing here relies on them: the file is written whole under a
// temporary name and renamed, and an entry that no program keeps any longer (its process is gone
// on this computer, or it has not been renewed for a day on another one) counts for nothing.

#include <QDateTime>
#include <QList>
#include <QString>

struct UsoArchivio {
    QString utente;
    QString computer;
    QString programma; // the executable's name, as the system lists the process
    qint64 pid = 0;
    QDateTime dal;       // when the archive was opened
    QDateTime rinnovato; // when the program last said it still has it open
    QString sessione;    // tells this opening from any other of the same process
};

// The entry of this program for an opening now; `sessione` names it.
UsoArchivio QuestoUso(const QString& sessione);
// A new name for an opening.
QString NuovaSessione();

// The marker of an archive: its file with ".inuso" after the name ("DEMO.db.inuso").
QString PercorsoSegnoUso(const QString& archivio);

// The entries of the marker that still stand for another program (this process is none).
QList<UsoArchivio> AltriUsi(const QString& archivio);

// Whether an entry still stands for a program that has the archive open.
bool UsoVivo(const UsoArchivio& uso, const QDateTime& adesso);

// Whether the program of an entry still runs: on this computer, its process; on another, an entry
// of its opening, still alive, in the marker of the archive (a file written by that program keeps
// its entry to tell whose it is).
bool ProgrammaAttivo(const UsoArchivio& uso, const QString& archivio);

// Adds the entry (or renews it, for an opening already there) and drops those that stand for no
// program any more. False when the marker cannot be written (a read-only folder): the archive is
// then used without one.
bool RegistraUso(const QString& archivio, const UsoArchivio& uso);
// Takes the opening's entry away; the marker goes with its last entry.
void RilasciaUso(const QString& archivio, const QString& sessione);

// "rossi su PC-12 dalle 9:41" ("dal 02/12/2026 alle 9:41" on another day).
QString DescrizioneUso(const UsoArchivio& uso, const QDateTime& adesso);
// "L'archivio DEMO è aperto anche da rossi su PC-12 dalle 9:41" (and by each of the others).
QString AvvisoUso(const QString& archivio, const QList<UsoArchivio>& usi, const QDateTime& adesso);

// Marker files as they are written and read (exposed for the tests).
QByteArray TestoSegnoUso(const QList<UsoArchivio>& usi);
QList<UsoArchivio> LeggiSegnoUso(const QByteArray& testo);
