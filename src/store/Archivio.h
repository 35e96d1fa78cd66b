#pragma once

// The life of an archive: open, read its delivery information, close, create from the template.

#include "store/AppState.h"

#include <QDate>
#include <QString>
#include <QStringList>

// Reads the tabInfo row of the open archive into Info. False (with the reason shown) when it
// cannot be read; an archive without its row leaves Info empty.
bool LeggiInfo(AppState& state);

// File > Apri with a chosen path: false, after "Errore nell'apertura del db" and a line saying
// why (what the file is), when it is not a delivery archive that can be opened and whose delivery
// information can be read (an empty path, a cancelled dialog, gives the first line alone). An
// archive without its tabInfo row opens after the operator is told. Where the state marks the
// archives it opens, one that another program has open is opened only once the operator, told
// who has it, confirms; the mark is then added.
bool ApriArchivio(AppState& state, const QString& path);

// How an opening went, for a caller that tells it in its own way (the command line, on standard
// error): ApriArchivioEsito opens as ApriArchivio does, asks the same questions, but shows none of
// its messages.
struct EsitoApertura {
    bool aperto = false;
    bool rinuncia = false; // the operator chose not to open an archive in use: nothing to tell
    QString motivo;        // why it was refused (what the file is, why tabInfo cannot be read);
                           // empty for an empty path
    QString avviso;        // what is told of an archive that opened without its tabInfo row
};
EsitoApertura ApriArchivioEsito(AppState& state, const QString& path);
// Closes the open archive and takes its mark away.
void ChiudiArchivio(AppState& state);
// Says again that the open archive is in use: a mark not renewed for a day counts for nothing.
void RinnovaUsoArchivio(AppState& state);

// The delivery information typed into frmInformazione.
struct InformazioneConsegna {
    QString centro;   // ComboCentro
    QString anno;     // ComboAProd
    QString consegna; // txtConsegna
    QString inizio;   // txtInizio

    // Taken as typed or chosen, without trimming; the captions count as nothing chosen.
    bool completa() const;
};

// The items of ComboCentro: "1".."9", "A".."H", "J", "K", "I", "L".."Z".
QStringList CentriSpoglio();
// The four years from last year to two years ahead, ascending.
QStringList AnniProduzione(const QDate& today);

// The file a new archive gets for a chosen name: the name in upper case, the extension ".db"
// (a typed ".db" or ".mdb" is dropped first: "cons.mdb" is CONS.db).
QString NomeArchivioNuovo(const QString& chosenPath);

// Opens a fresh copy of the template (a template of the previous version is brought up to date in
// the copy); throws std::runtime_error saying why it is not a template.
void ApriCopiaModello(cConnessione& connection, const QString& copy);
// Marks the open file as a delivery archive: the caller does it in the transaction that gives the
// copy its delivery information, so that it never becomes an archive without it.
void SegnaComeArchivio(cConnessione& connection);
// True when the folder already holds a file (or folder) of that name, whatever its case.
bool nameTaken(const QString& path);

enum class EsitoNuovoArchivio { Creato, NomeNonValido, NomeEsistente, Errore };

struct NuovoArchivio {
    EsitoNuovoArchivio esito = EsitoNuovoArchivio::Errore;
    QString path;    // the archive made
    QString message; // why it was not made
};

// File > Nuovo after the dialogs: copies the template to the new name and writes its tabInfo row.
// An existing archive is never replaced; on any failure nothing is left behind. Shows no box:
// the caller reports the outcome.
NuovoArchivio CreaArchivio(AppState& state, const QString& chosenPath, const InformazioneConsegna& info);

// Enabled states of the main window's menus, moved by the archive lifecycle.
struct StatoMenu {
    bool fileApri = true;
    bool fileNuovo = true;
    bool fileChiudi = false;
    bool documenti = false;
    bool utilitaDocumenti = false;

    void dopoAvvio();
    void dopoApertura();
    void dopoChiusura();
    void dopoNuovo();
};
