#pragma once

// The HTML pages that list the sources of a delivery with links to the official services: EU law
// by CELEX number, the judgments of the Strasbourg court by the parties' names in HUDOC, and the
// official texts of Italian law (URN:NIR), EU acts (ELI) and Constitutional Court decisions (ECLI).
// The base addresses come from quillaro.ini ([services] celex=, hudoc=, normattiva=, eli=,
// cortecostituzionale=).

#include "store/AppState.h"

// The CELEX number of an EU source. Settore "1" (treaties): Settore + annoF + Codice + the
// article (digits padded to three, or four with a letter suffix; "K3" -> "K03"), empty without an
// article. "3" (legislation): Settore + anno + Codice + numero padded to four. "6" (case law):
// Settore + year + court form ("CJ"/"CO", "TJ"/"TO", "FJ"/"FO" for Codice "J", "A", "F",
// judgment/order) + case number padded to four, read from altro after "C-", "T-", "F-" or
// "causa " up to "/yy"; a single blank when it cannot be read. Any other Settore: empty.
QString CodiceCelex(const QString& Settore, const QString& Codice, const QString& articolo,
                    const QString& annoF, const QString& altro, const QString& numero, const QString& anno,
                    bool ordinanza);

// The parties' name of a Strasbourg judgment for the HUDOC search: the text of altro after its
// first "(" up to and with the blank before " c. " (empty without " c. "), with "et al." read as
// "and others" and " e " as " and ". "(Rossi e Bianchi c. Italia)" -> "Rossi and Bianchi ".
QString NomeHudoc(const QString& altro);

// The CELEX page of the open archive (records the run in tabInfo, code "2"). Single-archive mode:
// dump/"StampaHTML <Consegna>.html"; update mode: a whole page appended to state.FileScelto,
// titled "Aggiornamento " + SiglaAggiornamento, and an empty line. Shows "Fine stampa HTML
// (consegna <n>)". Throws DbError or std::runtime_error; the file then stays as it was.
// Returns the file written.
QString StampaCelex(AppState& state);

// The HUDOC page: as StampaCelex for the judgments of the European Court of Human Rights (TP
// "GEI", name key 2), into dump/"StampaHTML_GEI <Consegna>.html"; shows "Fine stampa HTML_GEI
// (consegna <n>)"; no tabInfo flag.
QString StampaHudoc(AppState& state);

// The page of the official texts: document by document, every source with an identifier
// (IdentificativiUfficiali.h) as its citation, the identifier and the link, then the sources
// without one, so that the reviewer sees what cannot be opened. Into dump/"StampaHTML_NIR
// <Consegna>.html", or appended to the batch's file in update mode as StampaCelex; shows "Fine
// stampa HTML_NIR (consegna <n>)"; no tabInfo flag.
QString StampaNir(AppState& state);
