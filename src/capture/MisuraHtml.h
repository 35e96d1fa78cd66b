#pragma once

// What a page would cost the parser, told before it is parsed: one pass over its tags, with the
// rules of the HTML parser that decide the depth of the tree (elements closed by their end tag or
// by the next of their kind, void elements, formatting elements reopened after a block closed them).
// The figures are estimates from above: a page within them is parsed in a bounded time and memory,
// and its tree can be walked and freed without fear for the stack.

#include <QByteArray>
#include <QString>

struct MisuraHtml {
    int profondita = 0;      // the deepest the tree would get
    qint64 elementi = 0;     // the elements it would hold
    bool interrotta = false; // the pass stopped as soon as a limit was passed
};

// Chrome's parser stops nesting at 512; a real article page stays well below both.
inline constexpr int kProfonditaMassimaHtml = 512;
inline constexpr qint64 kElementiMassimiHtml = 200000;

// Stops as soon as a figure passes its limit (the rest of the page need not be looked at).
MisuraHtml MisuraPagina(const QByteArray& utf8, int profonditaMassima = kProfonditaMassimaHtml,
                        qint64 elementiMassimi = kElementiMassimiHtml);

// Why the text is not parsed, for the operator ("La pagina ... non è stata letta: ..."); empty when
// it is within the limits.
QString MotivoRifiutoHtml(const QByteArray& utf8);
