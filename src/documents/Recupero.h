#pragma once

// The unsaved work of a document window, kept against a crash in the home folder's recupero/: one
// file per window while it holds changes not saved, with everything the save would store (the
// fields as codes and texts, the persons, pairs, sources and the eight texts), the archive, the
// document number and the version the window loaded, and the program that wrote it. The files of
// programs that no longer run are offered back at the next start and when their archive is opened.

#include "documents/DatiDocumento.h"
#include "store/ArchivioInUso.h"
#include "store/DocumentBuffer.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class cConnessione;
class HomeFolder;

// The fields of the window as the save stores them.
struct CampiRecupero {
    QString CPer; // the journal code the reference gets
    QString Data; // the date text: "yyyy-mm-dd", "yyyy-mm-00", "yyyy-00", "0000-00-00"
    QString Fascicolo;
    QString Volume;
    QString Annata;
    QString Pagine;
    QString DocURL;
    CodiciDocumento codici;
    QString Titolo; // kind "0", as typed
    QString Nota;   // kind "4", as typed

    bool operator==(const CampiRecupero&) const = default;
};

struct Recupero {
    QString archivio;      // the archive's file
    DocumentBuffer buffer; // number, mode, version loaded, lists and texts
    CampiRecupero campi;
    QDateTime modificato;  // the last change
    UsoArchivio programma; // who wrote it: whether it still runs tells whether the work is lost
};

// The version of the files this program writes and reads.
inline constexpr int kVersioneRecupero = 1;

// The window's content as the file keeps it; cheap enough for the window's thread (the texts and
// lists are shared, not copied). The current entries are not kept.
Recupero RecuperoDi(const DocumentBuffer& buffer, const DatiDocumento& dati);

// The window's fields for recovered values, on lists as CaricaListe makes them: the codes and the
// date on their boxes, a value they cannot show kept for the save and reported in avvisi as a load
// does, the lines of the three lists made from their entries.
DatiDocumento DatiDaRecupero(cConnessione& connection, const ListeDocumento& liste, const Recupero& r,
                             QStringList& avvisi);

// Whether two recoveries would store the same document: the same fields, texts as stored, and the
// same entries not deleted, keys aside (the sources by family and citation).
bool StessoContenuto(const Recupero& a, const Recupero& b);

// The file as written (UTF-8 JSON with its format and version), and read back: nothing, with the
// reason in motivo, for bytes that are not a whole file of this version.
QByteArray TestoRecupero(const Recupero& r);
std::optional<Recupero> LeggiRecupero(const QByteArray& testo, QString& motivo);

// A file name of recupero/ for a new window.
QString NuovoFileRecupero(const HomeFolder& home);

struct FileRecupero {
    QString percorso;
    Recupero recupero;
    bool attivo = false; // its program still runs: the work is not lost, only not saved yet
};

struct ElencoRecuperi {
    QList<FileRecupero> files; // by time of the last change, oldest first
    QStringList messiDaParte;  // "<file>: <reason>", those set aside by this reading
};

// Reads every file of recupero/. One that cannot be read (damaged, of another version, too large)
// is moved to recupero/scartati/ with the reason in a text beside it ("<file>.motivo.txt"), never
// read again. What writes cut short by a crash left behind is removed.
ElencoRecuperi LeggiRecuperi(const HomeFolder& home);

// The work of a recovery is already in its archive as it is (the crash came after the save, or the
// changes were undone by hand): nothing to offer. False when the document, or the archive, cannot
// be read.
bool GiaSalvato(const Recupero& r, const QStringList& Mesi);

// The files to offer now: of programs that no longer run, of that archive when one is given (the
// file, however named); the files whose work is already saved are removed.
QList<FileRecupero> RecuperiDaOffrire(const HomeFolder& home, const QStringList& Mesi,
                                      const QString& archivio = {});

// "documento 12", "documento nuovo 31".
QString NomeDocumentoRecuperato(const Recupero& r);
// "delle 10:42" today, "del 02/12/2026 alle 10:42" on another day.
QString QuandoModificato(const Recupero& r, const QDateTime& adesso);
// "Il documento 12 dell'archivio PROVA non era stato salvato (modifiche delle 10:42). Ripristinare?"
QString DomandaRecupero(const Recupero& r, const QDateTime& adesso);

// Removes a file; false when it is still there.
bool EliminaRecupero(const QString& percorso);
