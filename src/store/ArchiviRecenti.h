#pragma once

// The archives opened last, most recent first, kept in the section [recenti] of quillaro.ini: the
// operators reopen yesterday's archive from the File menu or from the empty main window instead of
// walking the file dialog to mdb/ every morning.

#include "store/HomeFolder.h"

#include <QDateTime>
#include <QList>
#include <QString>

struct ArchivioRecente {
    QString percorso; // the archive file, absolute
    QString consegna; // its delivery number when it was last opened
    QDateTime aperto; // when it was last opened
    bool esiste() const;
};

inline constexpr int kArchiviRecenti = 10;

// The list as kept, most recent first; lines that cannot be read are passed over.
QList<ArchivioRecente> LeggiArchiviRecenti(const HomeFolder& home);

// The list with `archivio` first, once (the same file under another spelling of its path
// included), and no more than ten entries.
QList<ArchivioRecente> ConArchivioRecente(QList<ArchivioRecente> elenco, const ArchivioRecente& archivio);

// An archive was opened: it goes first in the kept list. False, with the reason in `errore`, when
// quillaro.ini cannot be written (the list then stays as it was).
bool RegistraArchivioRecente(const HomeFolder& home, const ArchivioRecente& archivio,
                             QString* errore = nullptr);

// At start: the entries whose file is gone are dropped from the kept list. Answers what is left.
QList<ArchivioRecente> DimenticaArchiviMancanti(const HomeFolder& home);

// The same file, however its path is written (links, "..", case on Windows).
bool StessoArchivio(const QString& a, const QString& b);
