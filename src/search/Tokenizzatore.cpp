#include "search/Tokenizzatore.h"

#include "store/cConnessione.h"

#include <array>
#include <libstemmer.h>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

// What a character of the Basic Multilingual Plane becomes in a word: kSeparatore ends the word,
// kIgnorato (a combining accent) is dropped inside it, kEspanso stands for several characters (a
// ligature, a compatibility form), anything else is the folded character.
constexpr char16_t kSeparatore = 0;
constexpr char16_t kIgnorato = 0xFFFF;
constexpr char16_t kEspanso = 0xFFFE;

bool segnoCombinato(char32_t c) {
    const auto cat = QChar::category(c);
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
           cat == QChar::Mark_Enclosing;
}

// Letters that are two letters, or a letter with a stroke, which no decomposition takes apart.
char32_t lettereLegate(char32_t c, QString& out) {
    switch (c) {
    case 0x00C6:
    case 0x00E6:
        out += QStringLiteral("ae");
        return 0;
    case 0x0152:
    case 0x0153:
        out += QStringLiteral("oe");
        return 0;
    case 0x00DF:
    case 0x1E9E:
        out += QStringLiteral("ss");
        return 0;
    case 0x00D8:
    case 0x00F8:
        return u'o';
    case 0x0110:
    case 0x0111:
        return u'd';
    case 0x0141:
    case 0x0142:
        return u'l';
    case 0x0131:
        return u'i';
    default:
        return c;
    }
}

// The folded form of one character: its compatibility decomposition (a ligature "ﬁ" is "fi", a
// full-width "Ａ" is "A") without accents, in case-folded form ("ß" is "ss"). Characters that are
// not letters or digits in it end a word (kSeparatore in the text returned).
QString piegaCarattere(char32_t c) {
    const QString decomposto = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString base;
    for (qsizetype i = 0; i < decomposto.size(); ++i) {
        char32_t d = decomposto.at(i).unicode();
        if (decomposto.at(i).isHighSurrogate() && i + 1 < decomposto.size()) {
            d = QChar::surrogateToUcs4(decomposto.at(i), decomposto.at(i + 1));
            ++i;
        }
        if (segnoCombinato(d))
            continue;
        d = lettereLegate(d, base);
        if (d != 0)
            base += QString::fromUcs4(&d, 1);
    }
    const QString piegato = base.toCaseFolded();
    QString out;
    for (qsizetype i = 0; i < piegato.size(); ++i) {
        char32_t d = piegato.at(i).unicode();
        const bool coppia = piegato.at(i).isHighSurrogate() && i + 1 < piegato.size();
        if (coppia)
            d = QChar::surrogateToUcs4(piegato.at(i), piegato.at(i + 1));
        if (QChar::isLetterOrNumber(d))
            out += coppia ? piegato.mid(i, 2) : QString(piegato.at(i));
        else
            out += QChar(kSeparatore);
        i += coppia ? 1 : 0;
    }
    return out;
}

struct Tabella {
    std::array<char16_t, 0x10000> mappa{};
    std::unordered_map<char16_t, QString> espansi;
};

const Tabella& tabella() {
    static const Tabella t = [] {
        Tabella m;
        for (char32_t c = 0; c < 0x10000; ++c) {
            char16_t& v = m.mappa[c];
            if (c >= 0xD800 && c <= 0xDFFF) {
                v = kSeparatore;
            } else if (c < 0x80) {
                v = (c >= u'A' && c <= u'Z')                                 ? static_cast<char16_t>(c + 32)
                    : ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) ? static_cast<char16_t>(c)
                                                                             : kSeparatore;
            } else if (segnoCombinato(c)) {
                v = kIgnorato;
            } else if (QChar::isLetterOrNumber(c)) {
                const QString p = piegaCarattere(c);
                if (p.isEmpty()) {
                    v = kIgnorato;
                } else if (p.size() == 1 && p.at(0).unicode() != kIgnorato && p.at(0).unicode() != kEspanso &&
                           !p.at(0).isSurrogate()) {
                    v = p.at(0).unicode();
                } else {
                    v = kEspanso;
                    m.espansi.emplace(static_cast<char16_t>(c), p);
                }
            } else {
                v = kSeparatore;
            }
        }
        return m;
    }();
    return t;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// One code point of UTF-8 text from position i; broken sequences read as U+FFFD, one byte each.
char32_t leggiUtf8(const unsigned char* s, int n, int& i) {
    const unsigned char b = s[i];
    if (b < 0x80) {
        ++i;
        return b;
    }
    int lunghezza = 0;
    char32_t c = 0;
    if ((b & 0xE0) == 0xC0) {
        lunghezza = 2;
        c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        lunghezza = 3;
        c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        lunghezza = 4;
        c = b & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + lunghezza > n) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < lunghezza; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (s[i + k] & 0x3F);
    }
    i += lunghezza;
    return c;
}

// An ASCII character in a word: its letter in lower case or its digit; 0 for a sign, which ends it.
constexpr std::array<char, 128> kAscii = [] {
    std::array<char, 128> a{};
    for (int c = 0; c < 128; ++c) {
        if (c >= 'A' && c <= 'Z')
            a[static_cast<size_t>(c)] = static_cast<char>(c + 32);
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            a[static_cast<size_t>(c)] = static_cast<char>(c);
    }
    return a;
}();

// Words longer than this are cut (the same way in documents and queries).
constexpr size_t kMassimoByte = 120;

struct NessunConfine {
    void operator()(int, int, char32_t) const {}
};

// The words of UTF-8 text, folded, with their byte offsets in the text; `confine` is told of each
// mark of ours in it (kConfineVoci, kSegnoTitolo).
template <class F, class C = NessunConfine>
void perOgniParola(const char* testo, int n, F&& parola, C&& confine = {}) {
    const Tabella& t = tabella();
    const auto* s = reinterpret_cast<const unsigned char*>(testo);
    std::string corrente;
    int inizio = -1, fine = 0;
    bool cifre = false;
    const auto chiudi = [&] {
        if (inizio >= 0 && !corrente.empty())
            parola(corrente, inizio, fine, cifre);
        corrente.clear();
        inizio = -1;
        cifre = false;
    };
    // One folded character of the word that the character at `qui` belongs to.
    const auto aggiungi = [&](char32_t p, int qui, int dopo) {
        if (inizio < 0)
            inizio = qui;
        fine = dopo;
        if (p >= u'0' && p <= u'9')
            cifre = true;
        if (corrente.size() < kMassimoByte)
            appendUtf8(corrente, p);
    };
    const auto espandi = [&](const QString& piegato, int qui, int dopo) {
        for (qsizetype k = 0; k < piegato.size(); ++k) {
            char32_t p = piegato.at(k).unicode();
            if (p == kSeparatore) {
                chiudi();
                continue;
            }
            if (piegato.at(k).isHighSurrogate() && k + 1 < piegato.size()) {
                p = QChar::surrogateToUcs4(piegato.at(k), piegato.at(k + 1));
                ++k;
            }
            aggiungi(p, qui, dopo);
        }
    };
    for (int i = 0; i < n;) {
        const int qui = i;
        // Most of the text is ASCII: its letters and digits go straight into the word.
        if (s[i] < 0x80) {
            const char a = kAscii[s[i]];
            ++i;
            if (a == 0) {
                chiudi();
                continue;
            }
            if (inizio < 0)
                inizio = qui;
            fine = i;
            cifre = cifre || a <= '9';
            if (corrente.size() < kMassimoByte)
                corrente += a;
            continue;
        }
        const char32_t c = leggiUtf8(s, n, i);
        if (c == kConfineVoci || c == kSegnoTitolo) {
            chiudi();
            confine(qui, i, c);
            continue;
        }
        if (c >= 0x10000) {
            if (segnoCombinato(c)) {
                if (inizio >= 0)
                    fine = i;
            } else if (QChar::isLetterOrNumber(c)) {
                espandi(piegaCarattere(c), qui, i);
            } else {
                chiudi();
            }
            continue;
        }
        const char16_t m = t.mappa[c];
        if (m == kSeparatore) {
            chiudi();
        } else if (m == kIgnorato) {
            if (inizio >= 0)
                fine = i;
        } else if (m == kEspanso) {
            espandi(t.espansi.at(static_cast<char16_t>(c)), qui, i);
        } else {
            aggiungi(m, qui, i);
        }
    }
    chiudi();
}

// The Italian stemmer with a memory of the words it has seen: a text repeats its words, and the
// archives share their vocabulary. The memory is a table of its own (open addressing, the words and
// stems side by side in one buffer): looking a word up is most of the work of reading a text.
class Radici {
public:
    Radici() : stemmer_(sb_stemmer_new("italian", "UTF_8")) { svuota(1 << 12); }
    ~Radici() {
        if (stemmer_)
            sb_stemmer_delete(stemmer_);
    }
    Radici(const Radici&) = delete;
    Radici& operator=(const Radici&) = delete;
    bool valido() const { return stemmer_ != nullptr; }

    // The stem of a folded word (the word itself when the stemmer leaves nothing of it); valid until
    // the next call.
    std::string_view radice(std::string_view parola) {
        const uint64_t h = hash(parola);
        nuova_ = false;
        for (size_t i = h & maschera_;; i = (i + 1) & maschera_) {
            const Voce& v = voci_[i];
            if (v.lunghezza == 0)
                break;
            if (v.hash == h && vista(v.parola, v.lunghezza) == parola)
                return vista(v.radice, v.lunghezzaRadice);
        }
        nuova_ = true;
        if (2 * (usate_ + 1) > voci_.size()) {
            if (usate_ >= kMassimo)
                svuota(voci_.size());
            else
                cresci();
        }
        const sb_symbol* r = sb_stemmer_stem(stemmer_, reinterpret_cast<const sb_symbol*>(parola.data()),
                                             static_cast<int>(parola.size()));
        std::string_view stem = r ? std::string_view(reinterpret_cast<const char*>(r),
                                                     static_cast<size_t>(sb_stemmer_length(stemmer_)))
                                  : std::string_view();
        if (stem.empty())
            stem = parola;
        Voce v{h, static_cast<uint32_t>(testi_.size()), 0, static_cast<uint16_t>(parola.size()),
               static_cast<uint16_t>(stem.size())};
        testi_.append(parola);
        v.radice = static_cast<uint32_t>(testi_.size());
        testi_.append(stem);
        metti(v);
        return vista(v.radice, v.lunghezzaRadice);
    }

    // The last word asked for was not in the memory.
    bool nuova() const { return nuova_; }

private:
    struct Voce {
        uint64_t hash;
        uint32_t parola; // where its bytes start in testi_
        uint32_t radice;
        uint16_t lunghezza; // 0: a free place
        uint16_t lunghezzaRadice;
    };
    // A long session meets many words: the memory starts again beyond this many.
    static constexpr size_t kMassimo = 200000;

    static uint64_t hash(std::string_view s) {
        uint64_t h = 14695981039346656037ULL;
        for (const char c : s) {
            h ^= static_cast<unsigned char>(c);
            h *= 1099511628211ULL;
        }
        return h ^ (h >> 29);
    }
    std::string_view vista(uint32_t da, uint16_t n) const { return std::string_view(testi_).substr(da, n); }
    void metti(const Voce& v) {
        size_t i = v.hash & maschera_;
        while (voci_[i].lunghezza != 0)
            i = (i + 1) & maschera_;
        voci_[i] = v;
        ++usate_;
    }
    void svuota(size_t posti) {
        voci_.assign(posti, Voce{});
        maschera_ = posti - 1;
        usate_ = 0;
        testi_.clear();
    }
    void cresci() {
        std::vector<Voce> vecchie(2 * voci_.size());
        vecchie.swap(voci_);
        maschera_ = voci_.size() - 1;
        usate_ = 0;
        for (const Voce& v : vecchie)
            if (v.lunghezza != 0)
                metti(v);
    }

    sb_stemmer* stemmer_;
    std::vector<Voce> voci_;
    size_t maschera_ = 0;
    size_t usate_ = 0;
    std::string testi_;
    bool nuova_ = false;
};

// What stands in the index for a border between entries: a token no query can ask for, which
// takes a position of its own, so that no phrase runs across it.
const std::string kTokenConfine("\x01", 1);
// Before each token of a title, in the title's own tokens (kSegnoTitolo).
constexpr char kInizioTitolo = '\x02';

bool iniziaCon(std::string_view s, std::string_view inizio) {
    return s.size() >= inizio.size() && s.compare(0, inizio.size(), inizio) == 0;
}

struct NessunaParola {
    void operator()(std::string_view, std::string_view, bool) const {}
};

// Calls emetti(token, start, end, colocated, stem) for every token of the text for that use (stem:
// a query word's stem, whose forms the query looks for); in a document, nuova(stem, word) for each
// word whose stem is not the word itself.
// The words of nearly every sentence (articles, prepositions, conjunctions). Two of them side by side
// are also stored as one token of their own, their stems joined after kBigramma: a phrase of two such
// words ("del la") reads that token's short list, not the positions of two words of every document.
bool parolaComune(std::string_view p) {
    static const std::unordered_set<std::string_view> comuni = {
        "il",    "lo",    "la",    "i",     "gli",   "le",    "l",     "un",    "uno",  "una",
        "di",    "d",     "a",     "ad",    "da",    "in",    "con",   "su",    "per",  "tra",
        "fra",   "del",   "dello", "della", "dei",   "degli", "delle", "dell",  "al",   "allo",
        "alla",  "ai",    "agli",  "alle",  "all",   "dal",   "dallo", "dalla", "dai",  "dagli",
        "dalle", "dall",  "nel",   "nello", "nella", "nei",   "negli", "nelle", "nell", "sul",
        "sullo", "sulla", "sui",   "sugli", "sulle", "sull",  "col",   "coi",   "e",    "ed",
        "o",     "od",    "che",   "non",   "si",    "ne",    "ci",    "come"};
    return comuni.count(p) > 0;
}
constexpr char kBigramma = '\x03';

struct ParolaLetta {
    std::string parola;
    int inizio;
    int fine;
    bool cifre;
};

// Calls emetti(token, start, end, colocated, stem) for every token of the text for that use (stem:
// a query word's stem, whose forms the query looks for); in a document, nuova(stem, word, first) for
// each word whose stem is not the word itself (first: the first time `radici` meets it). A query of
// the engine (`motore`) looks for two common words as their own token.
template <class F, class N = NessunaParola>
void tokenizza(Radici& radici, const char* testo, int n, UsoToken uso, F&& emetti, N&& nuova = {},
               bool motore = false) {
    bool titolo = false;
    std::string segnato;
    // In a document, the title's own tokens come beside its words; in a query, instead of them.
    const auto dai = [&](std::string_view token, int inizio, int fine, bool colocato, bool radice) {
        if (!titolo || uso == UsoToken::Documento)
            emetti(token, inizio, fine, colocato, radice);
        if (titolo) {
            segnato.assign(1, kInizioTitolo);
            segnato += token;
            emetti(segnato, inizio, fine, colocato || uso == UsoToken::Documento, radice);
        }
    };
    std::string bigramma;
    const auto comune = [&](const std::string& parola, bool cifre) { return !cifre && parolaComune(parola); };
    if (uso == UsoToken::Interrogazione && motore) {
        // A phrase of two common words is looked for as their token (a text of two words, or one
        // word alone, is what the engine hands over for each phrase of a query).
        std::vector<ParolaLetta> parole;
        perOgniParola(
            testo, n,
            [&](const std::string& parola, int inizio, int fine, bool cifre) {
                if (parole.size() < 3)
                    parole.push_back({parola, inizio, fine, cifre});
            },
            [&](int, int, char32_t segno) { titolo = titolo || segno == kSegnoTitolo; });
        if (parole.size() == 2 && comune(parole[0].parola, parole[0].cifre) &&
            comune(parole[1].parola, parole[1].cifre)) {
            bigramma.assign(1, kBigramma);
            bigramma += radici.radice(parole[0].parola);
            bigramma += ' ';
            bigramma += radici.radice(parole[1].parola);
            dai(bigramma, parole[0].inizio, parole[1].fine, false, false);
            return;
        }
        titolo = false;
    }
    std::string precedente; // the stem of the word before, when it is a common word
    perOgniParola(
        testo, n,
        [&](const std::string& parola, int inizio, int fine, bool cifre) {
            if (uso == UsoToken::Prefisso || cifre) {
                precedente.clear();
                dai(parola, inizio, fine, false, false);
                return;
            }
            const std::string_view r = radici.radice(parola);
            if (uso == UsoToken::Interrogazione) {
                dai(r, inizio, fine, false, true);
                return;
            }
            if (r != parola)
                nuova(r, parola, radici.nuova());
            const bool qui = parolaComune(parola);
            if (qui && !precedente.empty()) {
                // At the position of the first of the two.
                bigramma.assign(1, kBigramma);
                bigramma += precedente;
                bigramma += ' ';
                bigramma += r;
                dai(bigramma, inizio, fine, true, false);
            }
            if (qui)
                precedente.assign(r);
            else
                precedente.clear();
            // A document stores the word as written; a query finds it through its stem.
            dai(parola, inizio, fine, false, false);
            // A stem that does not begin its word ("sentenza", "sentent") is stored beside it: a
            // prefix of the stem finds the word, as it does for the words that begin with theirs.
            if (r != parola && !iniziaCon(parola, r))
                dai(r, inizio, fine, true, false);
        },
        [&](int inizio, int fine, char32_t segno) {
            precedente.clear();
            if (segno == kSegnoTitolo)
                titolo = true;
            else if (uso == UsoToken::Documento)
                emetti(kTokenConfine, inizio, fine, false, false);
        });
}

// ---------------------------------------------------------------------------------------------
// The tokenizer as the full-text engine calls it.

struct Istanza {
    Radici radici;
    Vocabolario* vocabolario = nullptr;
    std::string forma;
};

int xCreate(void* contesto, const char**, int, Fts5Tokenizer** out) {
    auto istanza = std::make_unique<Istanza>();
    if (!istanza->radici.valido())
        return SQLITE_ERROR;
    istanza->vocabolario = static_cast<Vocabolario*>(contesto);
    *out = reinterpret_cast<Fts5Tokenizer*>(istanza.release());
    return SQLITE_OK;
}

void xDelete(Fts5Tokenizer* t) {
    std::unique_ptr<Istanza>(reinterpret_cast<Istanza*>(t)).reset();
}

int xTokenize(Fts5Tokenizer* t, void* ctx, int flags, const char* testo, int n,
              int (*xToken)(void*, int, const char*, int, int, int)) {
    auto* istanza = reinterpret_cast<Istanza*>(t);
    Vocabolario* vocabolario = istanza->vocabolario;
    UsoToken uso = UsoToken::Documento;
    if (flags & FTS5_TOKENIZE_QUERY)
        uso = (flags & FTS5_TOKENIZE_PREFIX) ? UsoToken::Prefisso : UsoToken::Interrogazione;
    int rc = SQLITE_OK;
    if (uso == UsoToken::Documento && vocabolario) {
        if (const TokenPreparati* p = vocabolario->preparato(testo, n)) {
            uint32_t da = 0;
            for (const TokenPreparati::Token& k : p->token) {
                rc = xToken(ctx, k.colocato ? FTS5_TOKEN_COLOCATED : 0, p->byte.data() + da,
                            static_cast<int>(k.fine - da), k.inizio, k.fineTesto);
                if (rc != SQLITE_OK)
                    break;
                da = k.fine;
            }
            return rc == SQLITE_DONE ? SQLITE_OK : rc;
        }
    }
    const auto dai = [&](std::string_view token, int inizio, int fine, bool colocato) {
        if (rc == SQLITE_OK)
            rc = xToken(ctx, colocato ? FTS5_TOKEN_COLOCATED : 0, token.data(),
                        static_cast<int>(token.size()), inizio, fine);
    };
    tokenizza(
        istanza->radici, testo, n, uso,
        [&](std::string_view token, int inizio, int fine, bool colocato, bool radice) {
            if (!radice || !vocabolario) {
                dai(token, inizio, fine, colocato);
                return;
            }
            // Every form of the stem at this position, each one a way to match it.
            const bool titolo = token.front() == kInizioTitolo;
            const std::vector<std::string>& forme = vocabolario->forme(titolo ? token.substr(1) : token);
            for (size_t i = 0; i < forme.size(); ++i) {
                istanza->forma.assign(titolo ? 1 : 0, kInizioTitolo);
                istanza->forma += forme[i];
                dai(istanza->forma, inizio, fine, colocato || i > 0);
            }
        },
        [&](std::string_view radice, std::string_view parola, bool) {
            if (vocabolario)
                vocabolario->aggiungi(radice, parola);
        },
        true);
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

} // namespace

fts5_api* ApiFts5(sqlite3* db) {
    fts5_api* api = nullptr;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &stmt, nullptr) != SQLITE_OK)
        return nullptr;
    sqlite3_bind_pointer(stmt, 1, &api, "fts5_api_ptr", nullptr);
    sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    return api;
}

void RegistraTokenizzatore(sqlite3* db, Vocabolario* vocabolario) {
    fts5_api* api = ApiFts5(db);
    if (!api)
        throw DbError(SQLITE_ERROR,
                      QStringLiteral("Il motore di ricerca testuale (FTS5) non è disponibile."));
    fts5_tokenizer metodi{xCreate, xDelete, xTokenize};
    const int rc = api->xCreateTokenizer(api, kNomeTokenizzatore, vocabolario, &metodi, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(rc, QString::fromUtf8(sqlite3_errstr(rc)));
}

QStringList TokenTesto(QStringView testo, UsoToken uso) {
    static thread_local Radici radici;
    const QByteArray utf8 = testo.toUtf8();
    QStringList out;
    tokenizza(radici, utf8.constData(), static_cast<int>(utf8.size()), uso,
              [&](std::string_view token, int, int, bool, bool) {
                  out << QString::fromUtf8(token.data(), static_cast<qsizetype>(token.size()));
              });
    return out;
}

struct PreparatoreToken::Dati {
    Radici radici;
    std::unordered_set<std::string, HashTrasparente, std::equal_to<>> viste;
    std::vector<ParolaRadice> nuove;
};

PreparatoreToken::PreparatoreToken(const Vocabolario* vocabolario)
    : vocabolario_(vocabolario), d_(std::make_unique<Dati>()) {}

PreparatoreToken::~PreparatoreToken() = default;

void PreparatoreToken::prepara(std::string testo, TokenPreparati& out) {
    out.testo = std::move(testo);
    out.byte.clear();
    out.token.clear();
    tokenizza(
        d_->radici, out.testo.data(), static_cast<int>(out.testo.size()), UsoToken::Documento,
        [&](std::string_view token, int inizio, int fine, bool colocato, bool) {
            out.byte += token;
            out.token.push_back({static_cast<uint32_t>(out.byte.size()), inizio, fine, colocato});
        },
        [&](std::string_view radice, std::string_view parola, bool prima) {
            // Met again: already told, or already known.
            if (!prima || (vocabolario_ && vocabolario_->nota(parola)) ||
                d_->viste.find(parola) != d_->viste.end())
                return;
            d_->viste.emplace(parola);
            d_->nuove.emplace_back(radice, parola);
        });
}

std::vector<ParolaRadice> PreparatoreToken::prendiNuove() {
    return std::exchange(d_->nuove, {});
}

void PerOgniParolaTesto(const char* utf8, int n, const std::function<void(const ParolaTesto&)>& parola) {
    perOgniParola(
        utf8, n,
        [&](const std::string& p, int inizio, int fine, bool cifre) {
            parola({std::string_view(p), inizio, fine, cifre, false});
        },
        [&](int inizio, int fine, char32_t segno) {
            if (segno == kConfineVoci)
                parola({std::string_view(), inizio, fine, false, true});
        });
}

std::string RadiceParola(const ParolaTesto& parola) {
    static thread_local Radici radici;
    return std::string(parola.cifre ? parola.piegata : radici.radice(parola.piegata));
}

bool HaParole(QStringView testo) {
    return ContaParole(testo) > 0;
}

qsizetype ContaParole(QStringView testo) {
    const QByteArray utf8 = testo.toUtf8();
    qsizetype parole = 0;
    perOgniParola(utf8.constData(), static_cast<int>(utf8.size()),
                  [&](const std::string&, int, int, bool) { ++parole; });
    return parole;
}

QString TestoPiegato(QStringView testo) {
    const QByteArray utf8 = testo.toUtf8();
    std::string out;
    perOgniParola(utf8.constData(), static_cast<int>(utf8.size()),
                  [&](const std::string& parola, int, int, bool) {
                      if (!out.empty())
                          out += ' ';
                      out += parola;
                  });
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

QString ChiaveTitolo(QStringView titolo) {
    const QByteArray utf8 = titolo.toUtf8();
    std::string out;
    perOgniParola(utf8.constData(), static_cast<int>(utf8.size()),
                  [&](const std::string& parola, int, int, bool) { out += parola; });
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}
