#pragma once

// Texts as records and pages write them, made plain: the markup (HTML, JATS, MathML) and the
// character references taken out, also where a service escaped them twice ("&amp;lt;sup&amp;gt;"),
// the blanks as one. Superscript and subscript digits become their Unicode characters
// ("δ<sup>13</sup>C" reads "δ¹³C").

#include <QString>
#include <QStringList>

// One line: tags removed, references decoded, no-break spaces and runs of blanks as one blank,
// the Unicode hyphens as "-".
QString TestoPiano(QStringView testo);

// An abstract's paragraphs (<p>, <jats:p>, sections), each plain; a heading that only says
// "Abstract" and a leading "Abstract." go, the other section headings stay as paragraphs.
QStringList Paragrafi(QStringView testo);

// The text of an HTML fragment's nodes without touching its blanks: for the tags' own content.
QString SpaziUniti(QStringView testo);
