#pragma once

// The wall around Gumbo, the HTML5 parser: a parsed document freed with its scope and the few
// questions the capture asks of its nodes. Included by the capture's .cpp files only.
// Gumbo's time grows with the depth of the tree and it frees the tree by recursion: a text too
// deep or too large (MisuraHtml) is not given to it at all. Whoever walks the tree walks it
// with a stack of its own.

#include "capture/MisuraHtml.h"

#include <QByteArray>
#include <QString>
#include <gumbo.h>

namespace gumbo {

class Documento {
public:
    // The bytes must be UTF-8 (invalid sequences are read as U+FFFD); they outlive the document.
    explicit Documento(const QByteArray& utf8) : testo_(utf8), rifiuto_(MotivoRifiutoHtml(utf8)) {
        if (!rifiuto_.isEmpty())
            return;
        GumboOptions opzioni = kGumboDefaultOptions;
        // Parse errors are what real pages are made of: none is kept.
        opzioni.max_errors = 0;
        output_ = gumbo_parse_with_options(&opzioni, testo_.constData(), static_cast<size_t>(testo_.size()));
    }
    ~Documento() {
        if (output_)
            gumbo_destroy_output(&kGumboDefaultOptions, output_);
    }
    Documento(const Documento&) = delete;
    Documento& operator=(const Documento&) = delete;

    const GumboNode* radice() const { return output_ ? output_->document : nullptr; }
    // Why the text was not parsed (then radice() is null).
    const QString& rifiuto() const { return rifiuto_; }

private:
    QByteArray testo_;
    QString rifiuto_;
    GumboOutput* output_ = nullptr;
};

// The element's name in lower case, also for tags HTML does not know ("jats:p").
inline QString nomeTag(const GumboElement& e) {
    if (e.tag != GUMBO_TAG_UNKNOWN)
        return QString::fromLatin1(gumbo_normalized_tagname(e.tag));
    GumboStringPiece p = e.original_tag;
    if (!p.data || p.length == 0)
        return {};
    gumbo_tag_from_original_text(&p);
    return QString::fromUtf8(p.data, static_cast<qsizetype>(p.length)).toLower();
}

// An attribute's value (names are lower case after parsing); empty when absent.
inline QString attributo(const GumboElement& e, const char* nome) {
    const GumboAttribute* a = gumbo_get_attribute(&e.attributes, nome);
    return a ? QString::fromUtf8(a->value) : QString();
}

// The children of an element, of a template or of the document; none for other nodes.
inline const GumboVector* figli(const GumboNode* n) {
    switch (n->type) {
    case GUMBO_NODE_DOCUMENT:
        return &n->v.document.children;
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE:
        return &n->v.element.children;
    default:
        return nullptr;
    }
}

inline bool haAttributo(const GumboElement& e, const char* nome) {
    return gumbo_get_attribute(&e.attributes, nome) != nullptr;
}

} // namespace gumbo
