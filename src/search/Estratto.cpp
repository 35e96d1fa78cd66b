#include "search/Estratto.h"

#include "search/Tokenizzatore.h"

#include <algorithm>
#include <vector>

// A phrase as the index matches it: its tokens (numbered among all the query's), the last one a
// prefix when asked so, in one column or in any (-1).
struct Estrattore::Frase {
    int primo = 0; // its first token among all the query's
    int lunghezza = 0;
    int colonna = -1;
};

namespace {

bool iniziaCon(std::string_view s, std::string_view inizio) {
    return s.size() >= inizio.size() && s.compare(0, inizio.size(), inizio) == 0;
}

// A word of a column: where it stands and which of the query's tokens it holds (the query has at
// most 64 words).
struct Posizione {
    int inizio = 0;
    int fine = 0;
    quint64 token = 0;
};

struct Colonna {
    QByteArray testo;
    std::vector<Posizione> parole; // borders included: they take a position, as in the index
    std::vector<int> frase;        // for each position, the phrase found there (-1: none)
    std::vector<int> inizioFrase;  // for each position, where its phrase's occurrence starts
};

struct Finestra {
    int colonna = -1;
    int da = 0;
    int a = 0; // one past the last position shown
    long punteggio = -1;
};

// As the engine's own excerpts: a phrase's first occurrence in the window counts much, others a
// little.
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
        f.primo = static_cast<int>(token_.size());
        f.colonna = t.campo.isEmpty() ? -1 : static_cast<int>(CampiRicerca().indexOf(t.campo));
        // A phrase with "*" is read by the engine as a prefix throughout: its words unstemmed.
        const QStringList parti =
            TokenTesto(t.testo, t.prefisso ? UsoToken::Prefisso : UsoToken::Interrogazione);
        // A word holds its tokens as the bits of one mask: a phrase beyond them is not marked (the
        // query's cap on words keeps almost every query inside).
        if (parti.isEmpty() || token_.size() + static_cast<size_t>(parti.size()) > 64)
            continue;
        for (qsizetype k = 0; k < parti.size(); ++k) {
            const QByteArray b = parti[k].toUtf8();
            token_.push_back({std::string(b.constData(), static_cast<size_t>(b.size())),
                              t.prefisso && k == parti.size() - 1});
        }
        f.lunghezza = static_cast<int>(parti.size());
        frasi_ << f;
    }
}

Estrattore::~Estrattore() = default;

quint64 Estrattore::tokenDi(const ParolaTesto& p) const {
    // The word holds a token as the index stores it: the folded word or its stem, equal or, for a
    // prefix, beginning with it. A stem begins as its word does: most words are ruled out before
    // they are stemmed.
    quint64 maschera = 0;
    std::string radice;
    bool conRadice = false;
    for (size_t t = 0; t < token_.size(); ++t) {
        const Token& k = token_[t];
        if (p.piegata.empty() || k.testo.empty() || p.piegata.front() != k.testo.front())
            continue;
        bool ok = k.prefisso ? iniziaCon(p.piegata, k.testo) : p.piegata == k.testo;
        if (!ok) {
            if (!conRadice) {
                radice = RadiceParola(p);
                conRadice = true;
            }
            ok = k.prefisso ? iniziaCon(radice, k.testo) : radice == k.testo;
        }
        if (ok)
            maschera |= quint64(1) << t;
    }
    return maschera;
}

QString Estrattore::estratto(const QStringList& campi) const {
    QList<QByteArray> utf8;
    for (const QString& c : campi)
        utf8 << c.toUtf8();
    return estratto(utf8);
}

QString Estrattore::estratto(const QList<QByteArray>& campi) const {
    std::vector<Colonna> colonne(static_cast<size_t>(campi.size()));
    Finestra migliore;
    for (qsizetype n = 0; n < campi.size(); ++n) {
        Colonna& c = colonne[static_cast<size_t>(n)];
        c.testo = campi[n];
        PerOgniParolaTesto(c.testo.constData(), static_cast<int>(c.testo.size()), [&](const ParolaTesto& p) {
            c.parole.push_back({p.inizio, p.fine, p.confine ? 0 : tokenDi(p)});
        });
        const int quante = static_cast<int>(c.parole.size());
        c.frase.assign(c.parole.size(), -1);
        c.inizioFrase.assign(c.parole.size(), -1);
        std::vector<int> inizi;
        for (qsizetype f = 0; f < frasi_.size(); ++f) {
            const Frase& frase = frasi_[f];
            if (frase.colonna >= 0 && frase.colonna != n)
                continue;
            for (int i = 0; i + frase.lunghezza <= quante; ++i) {
                bool ok = true;
                for (int k = 0; ok && k < frase.lunghezza; ++k)
                    ok = (c.parole[static_cast<size_t>(i + k)].token >> (frase.primo + k)) & 1;
                if (!ok)
                    continue;
                for (int k = 0; k < frase.lunghezza; ++k) {
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
        s.remove(QChar(kSegnoTitolo));
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
