#include "search/Tokenizzatore.h"

#include "store/cConnessione.h"

#include <array>
#include <libstemmer.h>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <unordered_map>

namespace {

// What a character of the Basic Multilingual Plane becomes in a word: kSeparatore ends the word,
// kIgnorato (a combining accent) is dropped inside it, anything else is the folded character.
constexpr char16_t kSeparatore = 0;
constexpr char16_t kIgnorato = 0xFFFF;

char32_t piegaCarattere(char32_t c) {
    // Canonical decompositions down to the base letter ("é" -> "e"), and compatibility forms that
    // are one character ("ª", full-width letters); then the case folded away.
    for (int giri = 0; giri < 4; ++giri) {
        const QString d = QChar::decomposition(c);
        if (d.isEmpty())
            break;
        const char32_t base = d.at(0).isHighSurrogate() && d.size() > 1
                                  ? QChar::surrogateToUcs4(d.at(0), d.at(1))
                                  : d.at(0).unicode();
        if (QChar::decompositionTag(c) != QChar::Canonical && d.size() != 1)
            break;
        c = base;
    }
    return QChar::toCaseFolded(c);
}

bool segnoCombinato(char32_t c) {
    const auto cat = QChar::category(c);
    return cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
           cat == QChar::Mark_Enclosing;
}

const std::array<char16_t, 0x10000>& tabella() {
    static const auto t = [] {
        std::array<char16_t, 0x10000> m{};
        for (char32_t c = 0; c < 0x10000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF) {
                m[c] = kSeparatore;
            } else if (c < 0x80) {
                m[c] = (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32)
                       : ((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9')) ? static_cast<char16_t>(c)
                                                                                : kSeparatore;
            } else if (segnoCombinato(c)) {
                m[c] = kIgnorato;
            } else if (QChar::isLetterOrNumber(c)) {
                const char32_t p = piegaCarattere(c);
                m[c] = (p < 0x10000 && p != kIgnorato && p != kSeparatore) ? static_cast<char16_t>(p)
                                                                           : static_cast<char16_t>(c);
            } else {
                m[c] = kSeparatore;
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

// Words longer than this are cut (the same way in documents and queries).
constexpr size_t kMassimoByte = 120;

// The words of UTF-8 text, folded, with their byte offsets in the text.
template <class F> void perOgniParola(const char* testo, int n, F&& parola) {
    const auto& t = tabella();
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
    for (int i = 0; i < n;) {
        const int qui = i;
        const char32_t c = leggiUtf8(s, n, i);
        char32_t p;
        if (c < 0x10000) {
            const char16_t m = t[c];
            if (m == kSeparatore) {
                chiudi();
                continue;
            }
            if (m == kIgnorato) {
                if (inizio >= 0)
                    fine = i;
                continue;
            }
            p = m;
        } else if (segnoCombinato(c)) {
            if (inizio >= 0)
                fine = i;
            continue;
        } else if (QChar::isLetterOrNumber(c)) {
            p = QChar::toCaseFolded(c);
        } else {
            chiudi();
            continue;
        }
        if (inizio < 0)
            inizio = qui;
        fine = i;
        if (p >= u'0' && p <= u'9')
            cifre = true;
        if (corrente.size() < kMassimoByte)
            appendUtf8(corrente, p);
    }
    chiudi();
}

// The Italian stemmer with a memory of the words it has seen: a text repeats its words, and the
// archives share their vocabulary.
class Radici {
public:
    Radici() : stemmer_(sb_stemmer_new("italian", "UTF_8")) {}
    ~Radici() {
        if (stemmer_)
            sb_stemmer_delete(stemmer_);
    }
    Radici(const Radici&) = delete;
    Radici& operator=(const Radici&) = delete;
    bool valido() const { return stemmer_ != nullptr; }

    const std::string& radice(const std::string& parola) {
        auto it = memoria_.find(parola);
        if (it != memoria_.end())
            return it->second;
        if (memoria_.size() > 200000)
            memoria_.clear();
        const sb_symbol* r = sb_stemmer_stem(stemmer_, reinterpret_cast<const sb_symbol*>(parola.data()),
                                             static_cast<int>(parola.size()));
        std::string s = r ? std::string(reinterpret_cast<const char*>(r),
                                        static_cast<size_t>(sb_stemmer_length(stemmer_)))
                          : parola;
        if (s.empty())
            s = parola;
        return memoria_.emplace(parola, std::move(s)).first->second;
    }

private:
    sb_stemmer* stemmer_;
    std::unordered_map<std::string, std::string> memoria_;
};

// Calls emetti(token, start, end, colocated) for every token of the text for that use.
template <class F> void tokenizza(Radici& radici, const char* testo, int n, UsoToken uso, F&& emetti) {
    perOgniParola(testo, n, [&](const std::string& parola, int inizio, int fine, bool cifre) {
        if (uso == UsoToken::Prefisso || cifre) {
            emetti(parola, inizio, fine, false);
            return;
        }
        const std::string& r = radici.radice(parola);
        emetti(r, inizio, fine, false);
        if (uso == UsoToken::Documento && r != parola)
            emetti(parola, inizio, fine, true);
    });
}

// ---------------------------------------------------------------------------------------------
// The tokenizer as the full-text engine calls it.

struct Istanza {
    Radici radici;
};

int xCreate(void*, const char**, int, Fts5Tokenizer** out) {
    auto istanza = std::make_unique<Istanza>();
    if (!istanza->radici.valido())
        return SQLITE_ERROR;
    *out = reinterpret_cast<Fts5Tokenizer*>(istanza.release());
    return SQLITE_OK;
}

void xDelete(Fts5Tokenizer* t) {
    std::unique_ptr<Istanza>(reinterpret_cast<Istanza*>(t)).reset();
}

int xTokenize(Fts5Tokenizer* t, void* ctx, int flags, const char* testo, int n,
              int (*xToken)(void*, int, const char*, int, int, int)) {
    auto* istanza = reinterpret_cast<Istanza*>(t);
    UsoToken uso = UsoToken::Documento;
    if (flags & FTS5_TOKENIZE_QUERY)
        uso = (flags & FTS5_TOKENIZE_PREFIX) ? UsoToken::Prefisso : UsoToken::Interrogazione;
    int rc = SQLITE_OK;
    tokenizza(istanza->radici, testo, n, uso,
              [&](const std::string& token, int inizio, int fine, bool colocato) {
                  if (rc != SQLITE_OK)
                      return;
                  rc = xToken(ctx, colocato ? FTS5_TOKEN_COLOCATED : 0, token.data(),
                              static_cast<int>(token.size()), inizio, fine);
              });
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

void RegistraTokenizzatore(sqlite3* db) {
    fts5_api* api = ApiFts5(db);
    if (!api)
        throw DbError(SQLITE_ERROR,
                      QStringLiteral("Il motore di ricerca testuale (FTS5) non è disponibile."));
    fts5_tokenizer metodi{xCreate, xDelete, xTokenize};
    const int rc = api->xCreateTokenizer(api, kNomeTokenizzatore, nullptr, &metodi, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(rc, QString::fromUtf8(sqlite3_errstr(rc)));
}

QStringList TokenTesto(QStringView testo, UsoToken uso) {
    static thread_local Radici radici;
    const QByteArray utf8 = testo.toUtf8();
    QStringList out;
    tokenizza(radici, utf8.constData(), static_cast<int>(utf8.size()), uso,
              [&](const std::string& token, int, int, bool) {
                  out << QString::fromUtf8(token.data(), static_cast<qsizetype>(token.size()));
              });
    return out;
}

bool HaParole(QStringView testo) {
    const QByteArray utf8 = testo.toUtf8();
    bool trovata = false;
    perOgniParola(utf8.constData(), static_cast<int>(utf8.size()),
                  [&](const std::string&, int, int, bool) { trovata = true; });
    return trovata;
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
