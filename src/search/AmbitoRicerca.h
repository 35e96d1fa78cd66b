#pragma once

// Where a search looks: the archive open (or named), every archive in mdb/, or the archives listed
// in an abbreviation file.

#include "store/HomeFolder.h"

#include <QString>
#include <QStringList>

enum class TipoAmbito { Archivio, Tutti, Sigle };

struct AmbitoRicerca {
    TipoAmbito tipo = TipoAmbito::Tutti;
    QString archivio;  // the archive's path (Archivio)
    QString fileSigle; // the abbreviation file's path (Sigle)
};

struct ArchiviAmbito {
    QStringList percorsi;
    QString cartella;               // the folder when percorsi are all of its archives
    QStringList sigleSenzaArchivio; // abbreviations whose archive file is not there
    QStringList sigleRifiutate;     // lines that are not an archive's name (a path, "..", control characters)
};

// The archives in mdb/: every .db file marked as an archive, without the template, the norms
// catalogue and the index itself; sorted by name.
QStringList ArchiviDellaCartella(const HomeFolder& home);

// Throws std::runtime_error when the abbreviation file cannot be read.
ArchiviAmbito ArchiviDellAmbito(const HomeFolder& home, const AmbitoRicerca& ambito);
