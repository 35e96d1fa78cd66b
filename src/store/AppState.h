#pragma once

// The application's shared state: the connection to the open archive and its delivery
// information, the connection to the norms catalogue, the update mode, the home folder and the
// platform dialogs. One object for the whole program, lent to whoever needs it.

#include "store/Dialogs.h"
#include "store/HomeFolder.h"
#include "store/OsservatoreDocumenti.h"
#include "store/cConnessione.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// Positions of Info, the tabInfo row in column order.
enum InfoPos {
    InfoIDCentroSpoglio = 0,
    InfoAnnoProduzione,
    InfoConsegna,
    InfoNumInizio,
    InfoStorico,
    InfoCelex,
    InfoStampaCompleta,
    InfoStampaSoloTesto,
    InfoStampaConsistenze,
    InfoStampaProspetto,
    InfoVisualizzaErroriGenerici,
    InfoVisualizzaErroriClasse,
    InfoVisualizzaErroriFonti,
    InfoCount
};

class AppState {
public:
    AppState(const HomeFolder& home, Dialogs& dialogs);

    HomeFolder home;
    Settings settings;
    Dialogs* dialogs;

    cConnessione Connessione;
    QStringList Info; // 13 texts
    QStringList Mesi; // the twelve month names, filled at start

    bool ArchivioAperto = false;
    QString NomeArchivio;
    QString StringaConnessione;

    // The desktop program marks the archive it has open (store/ArchivioInUso.h) and asks before
    // opening one that another program has; the command line only reads the marks.
    bool segnaArchiviAperti = false;
    QString sessioneUso; // the open archive's entry in its marker; empty when it has none

    // The norms catalogue, shared by the domestic-source dialog and the document checks.
    cConnessione ConnessioneCatalogo;
    bool CatalogoAperto = false;

    // Update mode: set for the length of a batch over the archives of an abbreviation file.
    bool ModoAggiornamento = false;
    QString FileScelto;         // the chosen file, then the batch's output path
    QString SiglaAggiornamento; // the update's abbreviation (extension of the abbreviation file)

    // Why the last run could not record itself in tabInfo (AggiornaInfo); empty when it could.
    QString infoNotRecorded;

    // Told when the editor saves or deletes documents.
    std::vector<std::shared_ptr<OsservatoreDocumenti>> osservatori;

    QString IDCentroSpoglio() const { return Info.value(InfoIDCentroSpoglio); }
    QString AnnoProduzione() const { return Info.value(InfoAnnoProduzione); }
    QString Consegna() const { return Info.value(InfoConsegna); }
    // NumInizio as a whole number (0 when it is not one).
    qint64 NumInizio() const;

    // The open archive as a window is bound to it: its file, however the path was written; empty
    // when none is open. A window made for one archive compares it before it acts.
    QString archivioCorrente() const;

    Dialogs& ui() { return *dialogs; }
    TextEncoding encoding() const { return settings.encoding; }
};

// numero + scarto, held at the ends of the 64-bit range: an archive may hold any start number or
// document key, and the numbering must not overflow on them.
qint64 NumeroSpostato(qint64 numero, qint64 scarto);

// AnnoProduzione + IDCentroSpoglio + the number padded with "0" to four characters.
QString IdentificativoDocumento(const AppState& state, qint64 numero);
// A number padded on the left with "0" to four characters (longer numbers stay whole).
QString NumeroQuattroCifre(qint64 numero);

// Opens the norms catalogue when it is not open yet; true when this call opened it.
bool ApriCatalogo(AppState& state);
void ChiudiCatalogo(AppState& state);
