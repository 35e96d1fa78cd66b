#pragma once

// The identifiers under which the official services publish a cited source: the URN of the
// "Norme in rete" standard for the acts of the State (resolved by Normattiva), the ELI of an EU
// regulation, directive or decision, and the ECLI of a decision of the Constitutional Court.
// An identifier is composed only when the source names its act with certainty: a missing or
// malformed date or number, an annex, an act kind or code not known here, a date no act of the
// kind can have, a decision whose year of numbering is not certain all give none, never a guess.
// The citation's comma, letter and point are not part of it: the link opens the article.

#include "store/VoceFonte.h"

struct DocumentBuffer;
struct Settings;

enum class TipoIdentificativo { Nessuno, Urn, Eli, Ecli };

struct IdentificativoUfficiale {
    TipoIdentificativo tipo = TipoIdentificativo::Nessuno;
    // "urn:nir:stato:legge:1990-08-07;241~art3", "http://data.europa.eu/eli/reg/2016/679/oj",
    // "ECLI:IT:COST:2020:1"; empty for none.
    QString testo;
    // Why a source that names an act has none, when that is worth telling the operator (an
    // impossible date, an uncertain year); empty otherwise.
    QString motivo;

    bool presente() const { return tipo != TipoIdentificativo::Nessuno; }
};

// The reason the checks, the lists and the pages give for a date no act of its kind can have.
inline QString MotivoDataImpossibile() {
    return QStringLiteral("data impossibile per il tipo di atto");
}

// A year no act of the kind can bear: a royal decree or royal decree-law after 1946, a decree of
// the President of the Republic before 1948, a delegated or implementing EU act before 2009, an
// act of the State before 1861. TP and the name as the lookup tables give them (tabFonteInterna,
// tabFonteCom); a year that is not four digits is never impossible here.
bool DataImpossibile(const QString& TP, const QString& nome, const QString& anno);

// The identifier of a source entry (names as the lookup tables give them, month as its Italian
// name).
IdentificativoUfficiale ComponiIdentificativo(const VoceFonte& voce);

// Whether sources of that family may have an identifier at all: those of the others need not be
// read beyond their citation.
bool FamigliaConIdentificativo(const QString& TP);

// The code an act of the State enacted ("c. strada" for d.lg. of 1992-04-30, n. 285), by the
// act's name in the lookup tables, its date as "YYYY-MM-DD" and its number; empty when it enacted
// none, or more than one.
QString CodiceDellAtto(const QString& nome, const QString& data, const QString& numero);

// The address that opens the official text: Normattiva's resolver for a URN
// ("<normattiva>/uri-res/N2Ls?<urn>"), the ELI itself under the configured host, the Court's page
// of a decision by its ECLI. Empty for none.
QString IndirizzoUfficiale(const IdentificativoUfficiale& identificativo, const Settings& settings);

// The address of the official text of the document's current source (IndiceFonte); empty when
// there is no current source or it has no identifier.
QString IndirizzoFonteCorrente(const DocumentBuffer& buffer, const Settings& settings);

// The host of every ELI as the standard writes it.
inline QString radiceEli() {
    return QStringLiteral("http://data.europa.eu");
}
