#pragma once

// What the document window shows, as plain values: the load fills it, the save reads it, the
// window copies it to and from its controls. Names are those of the controls.

#include <QString>
#include <QStringList>
#include <optional>

// A combo box of a code list: the selected position (0 = the caption item, nothing chosen) and
// the text of that item.
struct Combo {
    int posizione = 0;
    QString testo;

    bool operator==(const Combo&) const = default;
};

// The items of the window's combo boxes, each with its caption item at position 0.
struct ListeDocumento {
    QStringList cmbAA;     // "Anno", then the years from next year down to 1971
    QStringList cmbMM;     // "Mese", "gennaio" ... "dicembre"
    QStringList cmbGG;     // "Giorno", "1" ... "31"
    QStringList ComboLIN;  // "Lingua", "<code>|<description>" ...
    QStringList ComboTAbs; // "Tipo abstract", ...
    QStringList ComboTD;   // "Tipo documento", ...
    QStringList ComboBib;  // "Tipo bibliografia", ...
    QStringList cmbCPer;   // "CPer", then the journal codes
    QString AnnoProduzione;
};

// Stored values the window's lists cannot show: a code no longer in its table, a date whose year is
// outside the list or whose month or day is not one. The load keeps them here, and the save writes
// them back while their field stays as loaded; a choice of the operator in that field replaces them
// (in one of the date boxes, only that part of the date).
struct ValoriConservati {
    std::optional<QString> TD;
    std::optional<QString> TAbs;
    std::optional<QString> Bib;
    std::optional<QString> LIN;
    std::optional<QString> Data; // the whole date text, for the three date boxes
    std::optional<QString> CPer; // a journal code of the reference that tabRivisteOnline lacks

    bool vuoti() const { return !TD && !TAbs && !Bib && !LIN && !Data && !CPer; }
    bool operator==(const ValoriConservati&) const = default;
};

struct DatiDocumento {
    QString txtID;
    QString txtAnnoPr;
    Combo cmbCPer;
    QString txtRivistaOnline;
    Combo cmbGG;
    Combo cmbMM;
    Combo cmbAA;
    QString txtFascicolo;
    QString txtVolume;
    QString txtAnnata;
    QString txtPagine;
    QString txtDocURL;
    Combo ComboTD;
    Combo ComboTAbs;
    Combo ComboBib;
    Combo ComboLIN;
    QString txtTitolo; // text of kind "0"
    QString txtNota;   // text of kind "4"
    // The lines of the three list boxes, line i for entry i of its list.
    QStringList lstResponsabilita;
    QStringList lstClassificazione;
    QStringList lstFonte;
    ValoriConservati conservati;

    bool operator==(const DatiDocumento&) const = default;
};

// The codes of the document row: document type, abstract type, bibliography type, language.
struct CodiciDocumento {
    QString TD;
    QString TAbs;
    QString Bib;
    QString LIN;

    bool operator==(const CodiciDocumento&) const = default;
};

// Puts a combo at a position of its items (the caption item when the position is out of range).
void seleziona(Combo& combo, const QStringList& items, int posizione);
// The position of the item of a code ("<code>|<label>" or the code alone), the caption item left
// out; 0 when no item has it or the code is empty.
int PosizioneCodice(const QStringList& items, const QString& codice);

// The code of a chosen item: its first characters; empty at the caption item.
QString codiceScelto(const Combo& combo, int length);
