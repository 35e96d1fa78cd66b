#pragma once

// An article's web page read for its metadata, as browsers parse it (Gumbo): the citation_* tags
// that scholarly search engines read (and bepress_citation_*), then Dublin Core (DC.*, DCTERMS.*)
// and PRISM, then a schema.org ScholarlyArticle or Article in JSON-LD, field by field. The
// references lists of a page (citation_reference, microdata of cited works) are not the article.

#include "capture/MetadatiArticolo.h"

#include <QByteArray>
#include <QUrl>

// The character set of a page: its HTTP header's, else its <meta charset> (or http-equiv), else
// UTF-8 when the bytes are UTF-8, else Windows-1252, as browsers do. Lower case ("utf-8",
// "windows-1252"); ISO-8859-1 and ASCII read as Windows-1252, their superset.
QByteArray CodificaPagina(const QByteArray& corpo, const QByteArray& tipoContenuto);

// The page's text in that character set.
QString TestoPagina(const QByteArray& corpo, const QByteArray& tipoContenuto);

// Whether an answer is an HTML page, by its type or, for a server that does not say, its start.
bool SembraHtml(const QByteArray& corpo, const QByteArray& tipoContenuto);

struct PaginaLetta {
    MetadatiArticolo metadati; // the DOI the page names in metadati.doi
    QStringList avvisi;        // values of the page left out, and why
    QString rifiuto;           // why the page was not parsed at all (too deep, too many elements)
};

// `indirizzo` is where the page was read, the URL when the page names none of its own.
PaginaLetta LeggiPagina(const QByteArray& corpo, const QByteArray& tipoContenuto, const QUrl& indirizzo);
