#include "search/Estratto.h"

#include "search/Tokenizzatore.h"

#include <algorithm>
#include <vector>

// A phrase as the index matches it: its tokens, the last one a prefix when asked so, in one
// column or in any (-1).
struct Estrattore::Frase {
    std::vector<std::string> token;
    bool prefisso = false;
    int colonna = -1;
};

namespace {

std::string utf8(const QString& s) {
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

bool iniziaCon(const std::string& s, const std::string& inizio) {
    return s.size() >= inizio.size() && s.compare(0, inizio.size(), inizio) == 0;
}

// The word holds the token as the index stores it: the folded word or its stem, equal or, for a
// prefix, beginning with it. A stem begins as its word does, so most words are ruled out before
// they are stemmed.
bool corrisponde(const ParolaTesto& p, const std::string& token, bool prefisso) {
    if (p.confine || p.piegata.empty() || token.empty() || p.piegata[0] != token[0])
        return false;
    if (prefisso ? iniziaCon(p.piegata, token) : p.piegata == token)
        return true;
    const std::string& radice = RadiceParola(p);
    return prefisso ? iniziaCon(radice, token) : radice == token;
}

struct Colonna {
    QByteArray testo;
    std::vector<ParolaTesto> parole; // borders included: they take a position, as in the index
    std::vector<int> frase;          // for each position, the phrase found there (-1: none)
    std::vector<int> inizioFrase;    // for each position, where its phrase's occurrence starts
};

struct Finestra {
    int colonna = -1;
    int da = 0;
    int a = 0; // one past the last position shown
    long punteggio = -1;
};

// As the engine's own excerpts: a phrase's first occurrence in the window counts much, others a
// little; the window is placed so that the occurrence stands inside it.
long punteggio(const Colonna& c, int da, int a) {
    long p = 0;
    std::vector<int> viste;
    for (int i = da; i < a; ++i) {
        const int f = c.frase[static_cast<size_t>(i)];
        if (f < 0 || c.inizioFrase[static_cast<size_t>(i)] != i)
            continue;
        if (std::find(viste.begin(), viste.end(), f) == viste.end()) {
            viste.push_back(f);
            p += 1000;
        } else {
            p += 1;
        }
    }
    return p;
}

} // namespace

Estrattore::Estrattore(const QList<FraseRicerca>& termini) {
    for (const FraseRicerca& t : termini) {
        if (t.negata)
            continue;
        Frase f;
        f.prefisso = t.prefisso;
        f.colonna = t.campo.isEmpty() ? -1 : static_cast<int>(CampiRicerca().indexOf(t.campo));
        // A phrase with "*" is read by the engine as a prefix throughout: its words unstemmed.
        for (const QString& token :
             TokenTesto(t.testo, t.prefisso ? UsoToken::Prefisso : UsoToken::Interrogazione))
            f.token.push_back(utf8(token));
        if (!f.token.empty())
            frasi_ << f;
    }
}

Estrattore::~Estrattore() = default;

QString Estrattore::estratto(const QStringList& campi) const {
    std::vector<Colonna> colonne(static_cast<size_t>(campi.size()));
    Finestra migliore;
    for (qsizetype n = 0; n < campi.size(); ++n) {
        Colonna& c = colonne[static_cast<size_t>(n)];
        c.testo = campi[n].toUtf8();
        c.parole = ParoleTesto(c.testo);
        const int quante = static_cast<int>(c.parole.size());
        c.frase.assign(c.parole.size(), -1);
        c.inizioFrase.assign(c.parole.size(), -1);
        std::vector<int> inizi;
        for (qsizetype f = 0; f < frasi_.size(); ++f) {
            const Frase& frase = frasi_[f];
            if (frase.colonna >= 0 && frase.colonna != n)
                continue;
            const int lunghezza = static_cast<int>(frase.token.size());
            for (int i = 0; i + lunghezza <= quante; ++i) {
                bool ok = true;
                for (int k = 0; ok && k < lunghezza; ++k)
                    ok =
                        corrisponde(c.parole[static_cast<size_t>(i + k)], frase.token[static_cast<size_t>(k)],
                                    frase.prefisso && k == lunghezza - 1);
                if (!ok)
                    continue;
                for (int k = 0; k < lunghezza; ++k) {
                    c.frase[static_cast<size_t>(i + k)] = static_cast<int>(f);
                    c.inizioFrase[static_cast<size_t>(i + k)] = i;
                }
                inizi.push_back(i);
            }
        }
        for (const int i : inizi) {
            int da = std::max(0, i - kParoleEstratto / 4);
            da = std::max(0, std::min(da, quante - kParoleEstratto));
            const int a = std::min(quante, da + kParoleEstratto);
            const long p = punteggio(c, da, a);
            if (p > migliore.punteggio)
                migliore = {static_cast<int>(n), da, a, p};
        }
    }
    if (migliore.colonna < 0) {
        // Nothing to mark (the document was found by its number or its archive): its title.
        if (colonne.empty())
            return {};
        const Colonna& c = colonne.front();
        migliore = {0, 0, std::min(static_cast<int>(c.parole.size()), kParoleEstratto), 0};
    }
    const Colonna& c = colonne[static_cast<size_t>(migliore.colonna)];
    if (c.parole.empty())
        return {};
    QString out;
    const auto pezzo = [&](int da, int a) {
        QString s = QString::fromUtf8(c.testo.constData() + da, a - da);
        s.remove(QChar(kConfineVoci));
        out += s;
    };
    const int inizioTesto = migliore.da == 0 ? 0 : c.parole[static_cast<size_t>(migliore.da)].inizio;
    const int fineTesto = migliore.a == static_cast<int>(c.parole.size())
                              ? static_cast<int>(c.testo.size())
                              : c.parole[static_cast<size_t>(migliore.a - 1)].fine;
    if (migliore.da > 0)
        out += QStringLiteral("…");
    int cursore = inizioTesto;
    for (int i = migliore.da; i < migliore.a; ++i) {
        const size_t I = static_cast<size_t>(i);
        if (c.frase[I] < 0 || c.inizioFrase[I] != i)
            continue;
        // The whole occurrence of the phrase, as far as the window shows it.
        int ultimo = i;
        while (ultimo + 1 < migliore.a && c.inizioFrase[static_cast<size_t>(ultimo) + 1] == i)
            ++ultimo;
        pezzo(cursore, c.parole[I].inizio);
        out += QChar(kInizioEvidenza);
        pezzo(c.parole[I].inizio, c.parole[static_cast<size_t>(ultimo)].fine);
        out += QChar(kFineEvidenza);
        cursore = c.parole[static_cast<size_t>(ultimo)].fine;
        i = ultimo;
    }
    pezzo(cursore, fineTesto);
    if (migliore.a < static_cast<int>(c.parole.size()))
        out += QStringLiteral("…");
    return out;
}
