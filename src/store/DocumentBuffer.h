#pragma once

// The document held by the document window: its number and mode, the three lists with their
// current entries, and the six texts edited in the text dialogs. Owned by the document window and
// lent to its dialogs; the title and the note live in the window's own text boxes.

#include "store/VoceFonte.h"

#include <QList>
#include <QString>

struct VoceResponsabilita {
    qint64 IDResponsabilita = 0; // 0 for an entry added in the dialog
    QString PrimoElemento;       // surname
    QString SecondoElemento;     // given name; empty text when none
    bool FlagAutore = true;      // author; false: curator
    bool Cancellata = false;

    bool operator==(const VoceResponsabilita&) const = default;
};

struct VoceClassificazione {
    qint64 ID = 0;     // legameDocClass row it was loaded from; 0 when added
    QString CodiceS;   // systematic code
    QString CodiceD;   // descriptor code; empty for a pair without descriptor
    int Controllo = 0; // 0 valid, 1 invalid, 2 valid asterisked, 3 invalid asterisked
    bool Cancellata = false;

    bool operator==(const VoceClassificazione&) const = default;
};

// One of the document's texts with its name as the operator knows it ("Riassunto"), as the window
// holds it now: what the recogniser reads.
struct TestoDocumento {
    QString nome;
    QString testo;
};

struct DocumentBuffer {
    qint64 IDDocCorrente = 0;
    bool NuovoDocumento = true;
    // The stored document's version when it was loaded or last saved: the save writes over the
    // stored document only while it is still that one.
    qint64 Versione = 0;

    QList<VoceResponsabilita> ElencoResponsabilita;
    int IndiceResponsabilita = -1;
    QList<VoceClassificazione> ElencoClassificazione;
    int IndiceClassificazione = -1;
    QList<VoceFonte> ElencoFonti;
    int IndiceFonte = -1;

    QString TestoRiassunto;       // kind "1"
    QString TestoSommario;        // kind "2"
    QString TestoTraduzione;      // kind "3"
    QString TestoNotaDoc;         // kind "5"
    QString TestoInTemaDi;        // kind "7"
    QString TestoEnglishAbstract; // kind "8"
    int TipoTestoCorrente = 0;

    bool operator==(const DocumentBuffer&) const = default;
};
