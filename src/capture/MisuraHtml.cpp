#include "capture/MisuraHtml.h"

#include <QLocale>
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

using Nomi = std::unordered_set<std::string_view>;

bool in(const Nomi& nomi, std::string_view n) {
    return nomi.count(n) != 0;
}

const Nomi& vuoti() {
    static const Nomi n = {"area",  "base",  "basefont", "bgsound", "br",    "col",    "embed",
                           "frame", "hr",    "image",    "img",     "input", "keygen", "link",
                           "meta",  "param", "source",   "track",   "wbr"};
    return n;
}

// Their text is not markup: the parser reads on to their end tag.
const Nomi& testoGrezzo() {
    static const Nomi n = {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"};
    return n;
}

const Nomi& formattazione() {
    static const Nomi n = {"a",    "b", "big",   "code",   "em",     "font", "i",
                           "nobr", "s", "small", "strike", "strong", "tt",   "u"};
    return n;
}

// A start tag of one of these closes an open <p>.
const Nomi& chiudonoP() {
    static const Nomi n = {"address", "article", "aside",   "blockquote", "center",     "details", "dialog",
                           "dir",     "div",     "dl",      "fieldset",   "figcaption", "figure",  "footer",
                           "form",    "h1",      "h2",      "h3",         "h4",         "h5",      "h6",
                           "header",  "hgroup",  "hr",      "li",         "dd",         "dt",      "main",
                           "menu",    "nav",     "ol",      "p",          "pre",        "section", "summary",
                           "table",   "ul",      "listing", "plaintext"};
    return n;
}

// Elements that end the reach of an end tag or of an implied end.
const Nomi& confini() {
    static const Nomi n = {"applet", "caption",  "table",  "td",     "th",  "marquee",
                           "object", "template", "button", "select", "svg", "math"};
    return n;
}

struct Voce {
    std::string_view nome;   // interned
    std::string_view chiave; // the whole start tag, for formatting elements
    bool formattazione = false;
};

class Misuratore {
public:
    Misuratore(const QByteArray& testo, int profonditaMassima, qint64 elementiMassimi)
        : p_(testo.constData()), n_(static_cast<size_t>(testo.size())), maxProfondita_(profonditaMassima),
          maxElementi_(elementiMassimi) {}

    MisuraHtml misura() {
        size_t i = 0;
        size_t inizioTesto = 0;
        while (i < n_ && !superata()) {
            const void* lt = std::memchr(p_ + i, '<', n_ - i);
            const size_t j = lt ? static_cast<size_t>(static_cast<const char*>(lt) - p_) : n_;
            testo(inizioTesto, j);
            if (j >= n_)
                break;
            i = tag(j);
            inizioTesto = i;
        }
        m_.interrotta = superata();
        return m_;
    }

private:
    bool superata() const { return m_.profondita > maxProfondita_ || m_.elementi > maxElementi_; }

    static char minuscola(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
    static bool spazio(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
    static bool lettera(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    void testo(size_t da, size_t a) {
        if (sospesi_.empty())
            return;
        for (size_t k = da; k < a; ++k)
            if (!spazio(p_[k])) {
                ricostruisci();
                return;
            }
    }

    size_t trova(size_t da, std::string_view cosa) const {
        if (da >= n_)
            return n_;
        const std::string_view t(p_ + da, n_ - da);
        const size_t k = t.find(cosa);
        return k == std::string_view::npos ? n_ : da + k;
    }

    // From the '<' at i to just past its tag.
    size_t tag(size_t i) {
        if (i + 1 >= n_)
            return n_;
        const char c = p_[i + 1];
        if (c == '!') {
            if (n_ - i >= 4 && p_[i + 2] == '-' && p_[i + 3] == '-')
                return std::min(n_, trova(i + 4, "-->") + 3);
            return std::min(n_, trova(i + 2, ">") + 1);
        }
        if (c == '?')
            return std::min(n_, trova(i + 2, ">") + 1);
        const bool fine = c == '/';
        size_t k = i + (fine ? 2 : 1);
        if (k >= n_ || !lettera(p_[k]))
            return i + 1; // a lone '<' is text
        std::string letto;
        while (k < n_ && !spazio(p_[k]) && p_[k] != '/' && p_[k] != '>')
            letto += minuscola(p_[k++]);
        const std::string_view nome = *nomi_.insert(std::move(letto)).first;
        // The attributes, with their quoted values, up to the '>' that ends the tag.
        char virgolette = 0;
        bool chiusoDaSe = false;
        while (k < n_) {
            const char x = p_[k];
            if (virgolette) {
                if (x == virgolette)
                    virgolette = 0;
            } else if (x == '"' || x == '\'') {
                virgolette = x;
            } else if (x == '>') {
                chiusoDaSe = k > i && p_[k - 1] == '/';
                break;
            }
            ++k;
        }
        const size_t dopo = std::min(n_, k + 1);
        if (fine) {
            chiudi(nome);
            return dopo;
        }
        apri(nome, std::string_view(p_ + i, dopo - i), chiusoDaSe);
        if (in(testoGrezzo(), nome)) {
            // Up to "</name", in any case.
            size_t s = dopo;
            while (s < n_) {
                s = trova(s, "</");
                if (s >= n_ || n_ - s < nome.size() + 2)
                    return n_;
                bool uguale = true;
                for (size_t q = 0; q < nome.size() && uguale; ++q)
                    uguale = minuscola(p_[s + 2 + q]) == nome[q];
                if (uguale) {
                    chiudi(nome);
                    return std::min(n_, trova(s, ">") + 1);
                }
                s += 2;
            }
            return n_;
        }
        if (nome == "plaintext")
            return n_;
        return dopo;
    }

    int ultima(std::string_view nome) const {
        const auto it = posizioni_.find(nome);
        return it == posizioni_.end() || it->second.empty() ? -1 : it->second.back();
    }
    int ultima(const Nomi& nomi) const {
        int u = -1;
        for (std::string_view x : nomi)
            u = std::max(u, ultima(x));
        return u;
    }
    // The last element of the group above its boundary, closed by the next of its kind.
    void chiudiGruppo(std::initializer_list<std::string_view> gruppo, const Nomi& confine) {
        const int limite = ultima(confine);
        int da = -1;
        for (std::string_view g : gruppo)
            if (const int u = ultima(g); u >= 0 && u >= limite && (da < 0 || u < da))
                da = u;
        if (da >= 0)
            togliFinoA(da, false);
    }

    void apri(std::string_view nome, std::string_view chiave, bool chiusoDaSe) {
        ++m_.elementi;
        if (nome == "html" || nome == "head" || nome == "body")
            return;
        const bool forma = in(formattazione(), nome);
        if (!in(chiudonoP(), nome) && !in(confini(), nome))
            ricostruisci(); // text-level elements reopen what a block closed
        static const Nomi tabella = {"table", "template"};
        static const Nomi elenco = {"ul", "ol",      "applet", "caption",  "table", "td",
                                    "th", "marquee", "object", "template", "button"};
        static const Nomi definizioni = {"dl", "table", "td", "th", "template", "button"};
        static const Nomi scelta = {"select", "datalist", "table", "template"};
        if (in(chiudonoP(), nome))
            chiudiGruppo({"p"}, confini());
        if (nome == "li")
            chiudiGruppo({"li"}, elenco);
        else if (nome == "dd" || nome == "dt")
            chiudiGruppo({"dd", "dt"}, definizioni);
        else if (nome == "option")
            chiudiGruppo({"option"}, scelta);
        else if (nome == "optgroup")
            chiudiGruppo({"option", "optgroup"}, scelta);
        else if (nome == "td" || nome == "th")
            chiudiGruppo({"td", "th"}, tabella);
        else if (nome == "tr")
            chiudiGruppo({"tr", "td", "th"}, tabella);
        else if (nome == "thead" || nome == "tbody" || nome == "tfoot")
            chiudiGruppo({"thead", "tbody", "tfoot", "tr", "td", "th"}, tabella);
        if (in(vuoti(), nome))
            return;
        // "<x/>" closes itself in SVG and MathML only; in HTML the slash means nothing.
        if (chiusoDaSe && (ultima("svg") >= 0 || ultima("math") >= 0))
            return;
        metti({nome, forma ? chiave : std::string_view(), forma});
    }

    void chiudi(std::string_view nome) {
        const int u = ultima(nome);
        if (u < 0) {
            // A formatting element already out of the tree leaves the list of the ones to reopen.
            togliSospeso(nome);
            return;
        }
        const bool forma = in(formattazione(), nome);
        // Beyond a table, a cell or a button an end tag does not reach.
        if (!in(confini(), nome) && ultima(confini()) > u)
            return;
        if (forma && !blocchi_.empty() && blocchi_.back() > u) {
            // The adoption agency: with a block inside it, the element moves below the block and
            // the depth stays as it is (a copy of it is made).
            m_.elementi += 2;
            return;
        }
        togliFinoA(u, true);
    }

    void metti(Voce v) {
        if (in(chiudonoP(), v.nome))
            blocchi_.push_back(static_cast<int>(pila_.size()));
        posizioni_[v.nome].push_back(static_cast<int>(pila_.size()));
        pila_.push_back(std::move(v));
        m_.profondita = std::max(m_.profondita, static_cast<int>(pila_.size() + sospesi_.size()));
    }

    // Pops up to the element at `pos`, which is closed by its own end tag when `proprio`.
    void togliFinoA(int pos, bool proprio) {
        while (static_cast<int>(pila_.size()) > pos) {
            Voce v = std::move(pila_.back());
            pila_.pop_back();
            posizioni_[v.nome].pop_back();
            if (!blocchi_.empty() && blocchi_.back() == static_cast<int>(pila_.size()))
                blocchi_.pop_back();
            const bool questo = static_cast<int>(pila_.size()) == pos;
            if (v.formattazione && !(questo && proprio))
                sospendi(std::move(v));
        }
    }

    // A formatting element closed by a block stays in the list that text reopens (three alike at most).
    void sospendi(Voce v) {
        if (uguali_[v.chiave] >= 3)
            return;
        ++uguali_[v.chiave];
        ++perNome_[v.nome];
        sospesi_.push_back(std::move(v));
        m_.profondita = std::max(m_.profondita, static_cast<int>(pila_.size() + sospesi_.size()));
    }

    void togliSospeso(std::string_view nome) {
        auto it = perNome_.find(nome);
        if (it == perNome_.end() || it->second == 0)
            return;
        for (size_t k = sospesi_.size(); k-- > 0;)
            if (sospesi_[k].nome == nome) {
                --it->second;
                --uguali_[sospesi_[k].chiave];
                sospesi_.erase(sospesi_.begin() + static_cast<std::ptrdiff_t>(k));
                return;
            }
    }

    void ricostruisci() {
        if (sospesi_.empty())
            return;
        std::vector<Voce> riaperti;
        riaperti.swap(sospesi_);
        perNome_.clear();
        uguali_.clear();
        m_.elementi += static_cast<qint64>(riaperti.size());
        for (Voce& v : riaperti)
            metti(std::move(v));
    }

    const char* p_;
    size_t n_;
    int maxProfondita_;
    qint64 maxElementi_;
    MisuraHtml m_;
    std::vector<Voce> pila_;
    std::vector<int> blocchi_;             // where the block elements of the stack are
    std::unordered_set<std::string> nomi_; // the tag names met, each once
    std::unordered_map<std::string_view, std::vector<int>> posizioni_;
    std::vector<Voce> sospesi_;
    std::unordered_map<std::string_view, int> perNome_;
    std::unordered_map<std::string_view, int> uguali_;
};

} // namespace

MisuraHtml MisuraPagina(const QByteArray& utf8, int profonditaMassima, qint64 elementiMassimi) {
    return Misuratore(utf8, profonditaMassima, elementiMassimi).misura();
}

QString MotivoRifiutoHtml(const QByteArray& utf8) {
    const MisuraHtml m = MisuraPagina(utf8);
    const QLocale it(QLocale::Italian, QLocale::Italy);
    if (m.profondita > kProfonditaMassimaHtml)
        return QStringLiteral("i suoi elementi sono annidati più di %1 volte, oltre quanto una pagina "
                              "d'articolo richieda (una pagina costruita per bloccare chi la legge)")
            .arg(it.toString(kProfonditaMassimaHtml));
    if (m.elementi > kElementiMassimiHtml)
        return QStringLiteral("contiene più di %1 elementi, oltre quanto una pagina d'articolo richieda")
            .arg(it.toString(kElementiMassimiHtml));
    return {};
}
