#pragma once

// Where the open delivery stands, at a glance: its information, its size, the findings of the last
// check and the steps of the work recorded in tabInfo. The main window draws it in its background.

#include "store/AppState.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <array>

enum class StatoPasso { Fatto, DaFare, DaRifare };

// One step of the delivery, as AggiornaInfo records it.
struct PassoConsegna {
    QString codice; // AggiornaInfo's code: "1" the checks, "7" to "9" the lists seen, ...
    QString testo;  // "Controlli eseguiti", ...
    StatoPasso stato = StatoPasso::DaFare;
};

// One list of the last check.
struct ElencoControllo {
    QString titolo;   // "Errori generici", "Errori di classificazione", "Errori nelle fonti"
    QString percorso; // dump/errori.<Consegna>, ...
    bool presente = false;
    qint64 segnalazioni = 0; // the findings: the list's lines that are not empty
};

struct StatoConsegna {
    QString archivio;          // the archive file
    QString errore;            // why the archive could not be read; then only `archivio` is set
    bool informazioni = false; // the tabInfo row was found
    QString centro, anno, consegna, numInizio;
    QString primoDocumento; // the first document's identifier: year + centre + number of four digits
    qint64 documenti = 0;
    qint64 fascicoli = 0; // the journal issues, as the consistency report lists them

    std::array<ElencoControllo, 3> elenchi; // general, classification, sources
    bool controllato = false;               // the three lists are there
    QDateTime oraControllo;                 // when the general list was written
    bool daRifare = false;                  // the lists do not describe the archive as it is
    bool archivioModificato = false;        // because it was changed after they were written

    QList<PassoConsegna> passi; // in the order the work is done

    // The first step that is not done; -1 when every one is.
    int prossimo() const;
};

// Reads the open archive (tabInfo anew, not Info: the runs record themselves only in the archive)
// and the lists in dump/. Shows nothing: a refused statement is described in `errore`.
StatoConsegna LeggiStatoConsegna(AppState& state);

// The steps of a delivery, in working order, with AggiornaInfo's codes.
const QList<PassoConsegna>& PassiConsegna();
