#pragma once

// The search results and the duplicates written out: one line per hit for scripts, JSON, CSV
// (RFC 4180: fields with the separator, quotes or line breaks between quotes, quotes doubled, CR LF),
// and the excerpt's matched words marked for each of them. The command line's CSV holds the data as
// they are; the windows' CSV is for a spreadsheet set to Italian.

#include "search/Doppioni.h"
#include "search/IndiceRicerca.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The excerpt with the matched words between "**" (text, JSON, CSV) or in bold for a rich-text label
// (everything else escaped).
QString EstrattoMarcato(const QString& estratto);
QString EstrattoHtml(const QString& estratto);

// A value on one line: tabs, line breaks and other control characters become blanks.
QString SuUnaRiga(const QString& testo);

// "ARCHIVE<TAB>NUMBER<TAB>IDENTIFIER<TAB>TITLE"
QString RigaRisultato(const RisultatoRicerca& r);
// An array of objects with archive, number, identifier, title, journal, year, snippet, score.
QByteArray JsonRisultati(const QList<RisultatoRicerca>& risultati);

// CSV text: the header and one line per row, each ended by CR LF.
QString Csv(const QStringList& intestazione, const QList<QStringList>& righe, QChar separatore = u',');
// The same for a spreadsheet: ";" between fields, and a value that begins with "=", "+", "-" or "@"
// (which a spreadsheet would run as a formula) written with an apostrophe before it, as text.
QString CsvFoglio(const QStringList& intestazione, const QList<QStringList>& righe);
// The columns of the JSON objects, for the command line.
QString CsvRisultati(const QList<RisultatoRicerca>& risultati);
// What the window exports: its own columns, with Italian headings, the excerpt without marks.
QString CsvFinestraRisultati(const QList<RisultatoRicerca>& risultati);

QString RigaDoppioni(const CoppiaDoppioni& c);
QByteArray JsonDoppioni(const QList<CoppiaDoppioni>& coppie);
QString CsvDoppioni(const QList<CoppiaDoppioni>& coppie);
// The pairs as the duplicates window exports them: Italian headings, both titles last.
QString CsvFinestraDoppioni(const QList<CoppiaDoppioni>& coppie);

// Writes a CSV file whole or not at all, in UTF-8 with the mark spreadsheets look for. Throws
// std::runtime_error with the reason.
void ScriviCsv(const QString& path, const QString& csv);
