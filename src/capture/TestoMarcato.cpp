#include "capture/TestoMarcato.h"

#include "capture/Gumbo.h"

#include <QRegularExpression>
#include <optional>
#include <vector>

namespace {

// A tag or a character reference still in the text: escaped markup once unescaped.
bool haMarcatura(QStringView t) {
    if (!t.contains(u'<') && !t.contains(u'&'))
        return false;
    static const QRegularExpression marcatura(QStringLiteral(
        R"(</?[A-Za-z][\w:.-]*(\s[^<>]*)?/?>|&(#\d{1,7}|#[xX][0-9A-Fa-f]{1,6}|[A-Za-z][A-Za-z0-9]{1,31});)"));
    return marcatura.match(t).hasMatch();
}

// Superscript and subscript forms; the text stays as it is when one of its characters has none.
QString apiceOPedice(const QString& s, bool apice) {
    static const QString cifre = QStringLiteral("0123456789+-=()n");
    static const QString apici = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹⁺⁻⁼⁽⁾ⁿ");
    static const QString pedici = QStringLiteral("₀₁₂₃₄₅₆₇₈₉₊₋₌₍₎ₙ");
    QString out;
    for (QChar c : s) {
        const qsizetype i = cifre.indexOf(c == QChar(0x2212) ? u'-' : c);
        if (i < 0)
            return s;
        out += (apice ? apici : pedici).at(i);
    }
    return out;
}

bool blocco(const QString& tag) {
    static const QStringList blocchi = {
        QStringLiteral("p"),          QStringLiteral("div"),      QStringLiteral("li"),
        QStringLiteral("ul"),         QStringLiteral("ol"),       QStringLiteral("h1"),
        QStringLiteral("h2"),         QStringLiteral("h3"),       QStringLiteral("h4"),
        QStringLiteral("h5"),         QStringLiteral("h6"),       QStringLiteral("section"),
        QStringLiteral("blockquote"), QStringLiteral("table"),    QStringLiteral("tr"),
        QStringLiteral("title"),      QStringLiteral("sec"),      QStringLiteral("list"),
        QStringLiteral("list-item"),  QStringLiteral("abstract"), QStringLiteral("trans-abstract")};
    const qsizetype duePunti = tag.indexOf(u':');
    return blocchi.contains(duePunti < 0 ? tag : tag.mid(duePunti + 1));
}

struct Raccolta {
    QStringList paragrafi;
    QString corrente;

    void chiudi() {
        // JATS puts an element on its own indented line, the stop after it on the next:
        // "<jats:italic>C. maculatus</jats:italic>\n    . We" reads "C. maculatus. We".
        static const QRegularExpression aCapo(QStringLiteral(R"(\s*\n\s*(?=[.,;:](\s|$)))"));
        if (corrente.contains(u'\n'))
            corrente.remove(aCapo);
        const QString p = SpaziUniti(corrente);
        if (!p.isEmpty())
            paragrafi << p;
        corrente.clear();
    }
};

// An element being read: what to do once its children are.
struct Aperto {
    const GumboNode* nodo;
    unsigned prossimo = 0;
    enum class Tipo { Semplice, Apice, Pedice, Blocco } tipo = Tipo::Semplice;
    qsizetype inizio = 0; // where its text begins, for sup and sub
};

// Whether the node's children are to be read, and how; text and <br> are taken at once.
std::optional<Aperto> entra(const GumboNode* n, Raccolta& r) {
    switch (n->type) {
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_CDATA:
    case GUMBO_NODE_WHITESPACE:
        r.corrente += QString::fromUtf8(n->v.text.text);
        return std::nullopt;
    case GUMBO_NODE_DOCUMENT:
        return Aperto{n};
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE:
        break;
    default:
        return std::nullopt;
    }
    const QString tag = gumbo::nomeTag(n->v.element);
    if (tag == u"script" || tag == u"style" || tag == u"template")
        return std::nullopt;
    if (tag == u"br") {
        r.corrente += u' ';
        return std::nullopt;
    }
    Aperto a{n};
    if (tag == u"sup" || tag == u"sub") {
        a.tipo = tag == u"sup" ? Aperto::Tipo::Apice : Aperto::Tipo::Pedice;
        a.inizio = r.corrente.size();
    } else if (blocco(tag)) {
        a.tipo = Aperto::Tipo::Blocco;
        r.chiudi();
    }
    return a;
}

void esci(const Aperto& a, Raccolta& r) {
    switch (a.tipo) {
    case Aperto::Tipo::Apice:
    case Aperto::Tipo::Pedice: {
        const QString dentro = r.corrente.mid(a.inizio);
        r.corrente.truncate(a.inizio);
        r.corrente += apiceOPedice(dentro.trimmed(), a.tipo == Aperto::Tipo::Apice);
        break;
    }
    case Aperto::Tipo::Blocco:
        r.chiudi();
        break;
    case Aperto::Tipo::Semplice:
        break;
    }
}

// The tree in document order, with a stack of our own: the markup's depth is the sender's to choose.
void visita(const GumboNode* radice, Raccolta& r) {
    std::vector<Aperto> aperti;
    if (auto a = entra(radice, r))
        aperti.push_back(*a);
    while (!aperti.empty()) {
        Aperto& cima = aperti.back();
        const GumboVector* figli = gumbo::figli(cima.nodo);
        if (!figli || cima.prossimo >= figli->length) {
            const Aperto finito = cima;
            aperti.pop_back();
            esci(finito, r);
            continue;
        }
        const auto* figlio = static_cast<const GumboNode*>(figli->data[cima.prossimo++]);
        if (auto a = entra(figlio, r))
            aperti.push_back(*a);
    }
}

QStringList analizza(const QString& testo) {
    Raccolta r;
    const gumbo::Documento documento(testo.toUtf8());
    if (!documento.rifiuto().isEmpty()) {
        // Markup too deep to parse: its text without the tags, read in one pass.
        static const QRegularExpression tag(QStringLiteral("<[^<>]*>"));
        r.corrente = QString(testo).replace(tag, QStringLiteral(" "));
    } else if (documento.radice()) {
        visita(documento.radice(), r);
    }
    r.chiudi();
    return r.paragrafi;
}

bool soloIntestazione(const QString& p) {
    QString t = p.toLower();
    while (!t.isEmpty() && (t.back() == u'.' || t.back() == u':'))
        t.chop(1);
    return t == u"abstract" || t == u"summary" || t == u"riassunto" || t == u"sommario" || t == u"résumé";
}

} // namespace

QString SpaziUniti(QStringView testo) {
    QString t;
    t.reserve(testo.size());
    for (QChar c : testo) {
        switch (c.unicode()) {
        case 0x00AD: // soft hyphen, zero-width spaces and joiners: invisible, not text
        case 0x200B:
        case 0x200C:
        case 0x200D:
        case 0xFEFF:
            break;
        case 0x2010: // the Unicode hyphens, as operators type them
        case 0x2011:
            t += u'-';
            break;
        default:
            t += c;
        }
    }
    // simplified() also takes the no-break spaces for blanks.
    return t.simplified();
}

QString TestoPiano(QStringView testo) {
    QString t = testo.toString();
    for (int passo = 0; passo < 4 && haMarcatura(t); ++passo)
        t = analizza(t).join(u' ');
    return SpaziUniti(t);
}

QStringList Paragrafi(QStringView testo) {
    QStringList p = analizza(testo.toString());
    // Markup escaped once more than it should be comes out as text: read it again.
    for (int passo = 0; passo < 3 && std::any_of(p.cbegin(), p.cend(), haMarcatura); ++passo) {
        QStringList q;
        for (const QString& x : std::as_const(p))
            q << analizza(x);
        p = q;
    }
    p.removeIf(soloIntestazione);
    if (!p.isEmpty()) {
        static const QRegularExpression etichetta(
            QStringLiteral(R"(^(abstract|summary|riassunto)\s*[.:]\s+)"),
            QRegularExpression::CaseInsensitiveOption);
        p.first().remove(etichetta);
        if (p.first().isEmpty())
            p.removeFirst();
    }
    return p;
}
