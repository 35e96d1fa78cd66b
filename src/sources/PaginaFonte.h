#pragma once

// One page of a source dialog as the composers read it: what the operator chose and typed, with
// nothing of the widgets. A combo box left on its header item is empty text here.

#include <QString>
#include <QStringList>
#include <optional>

struct PaginaFonte {
    int tipo = 0;     // position chosen in ComboFonte; 0 = the header, nothing chosen
    QString voceTipo; // text of that item (the code or the family as the list shows it)
    QString atto;     // line selected in lstFonte; empty when none

    // Article part.
    QString txtArt;
    QString ripa; // suffix chosen in ComboRipA
    QString txtComma;
    QString ripc; // suffix chosen in ComboRipC
    QString txtLett;
    QString txtNumP;
    QString txtAll;

    // Date and number.
    QString txtGG;
    QString mese; // month name chosen in ComboMese
    QString txtAA;
    QString txtN;

    QString regione; // item chosen in ComboRegione ("LA - Lazio")
    QString txtInfo1;
    QString txtInfo2;
    QString txtInfo3;
    bool chkDecr = false;
    bool chkOrd = false;

    QString txtLibero;
    QString txtStato;

    // The provinces the archive knows, as the pick list shows them ("BZ - Bolzano"); the typed
    // province must be one of them. Empty: the two autonomous provinces.
    QStringList province;

    // The two-letter region code of the chosen item; empty when no region is chosen.
    QString codiceRegione() const { return regione.left(2); }
};

// The partition suffixes: ComboRipA offers all 21, ComboRipC the first 17 of the domestic dialog;
// the other-sources dialog offers the first 14 on both.
const QStringList& SuffissiRipartizione();
QStringList SuffissiArticolo();   // 21
QStringList SuffissiComma();      // 17
QStringList SuffissiAltreFonti(); // "bis" .. "quinquiesdecies"

// "AB - Abruzzo" ... "VE - Veneto".
const QStringList& RegioniItaliane();
// "BZ - Bolzano", "TN - Trento".
const QStringList& ProvinceAutonome();
// The code of a province or region typed or picked: its code alone or a line of the list, in any
// case ("bz", "BZ - Bolzano"), given as the list writes it ("BZ"); nothing when it is none of the
// list's.
std::optional<QString> CodiceDaElenco(const QString& testo, const QStringList& righe);

// Kinds of the Normativa page (1..11) and of the Giurisprudenza page (1..10), in list order.
const QStringList& TipiNormativa();
const QStringList& TipiGiurisprudenza();

// Families of the other-sources dialog, page 0..4, without the page title at position 0.
const QStringList& FamiglieAltreFonti(int pagina);
// Titles of the five pages ("Diritto internazionale" ...), also position 0 of their ComboFonte.
const QStringList& TitoliAltreFonti();
// The four sub-kinds of a historical family whose code ends as given ("FSR" -> "giuridiche (*FSRG*)" ...).
QStringList SottotipiStorici(const QString& famiglia);
