#include "checks/IndiceRilievi.h"

#include "checks/RegoleRilievi.h"
#include "store/Numeri.h"

#include <algorithm>
#include <numeric>

IndiceRilievi::IndiceRilievi(int n, const std::function<QStringView(int)>& riga) {
    regolaDi_.assign(static_cast<size_t>(std::max(n, 0)), -1);
    // The rules in the order they are met; a list has a few dozen at most, and most of its lines
    // are of the rule of the line before, which is tried first.
    QList<ConteggioRegola> incontrate;
    int ultima = -1;
    for (int i = 0; i < n; ++i) {
        const QStringView regola = RegolaDellaRiga(riga(i));
        if (regola.isEmpty())
            continue;
        int r = ultima;
        if (r < 0 || incontrate[r].regola != regola) {
            const auto trovata =
                std::find_if(incontrate.cbegin(), incontrate.cend(),
                             [regola](const ConteggioRegola& c) { return c.regola == regola; });
            r = static_cast<int>(trovata - incontrate.cbegin());
            if (trovata == incontrate.cend())
                incontrate.append({regola.toString(), 0});
        }
        ++incontrate[r].righe;
        regolaDi_[static_cast<size_t>(i)] = r;
        ultima = r;
        ++rilievi_;
    }
    // Most lines first: the order of the filter's items; the lines are renumbered to it.
    std::vector<int> ordine(static_cast<size_t>(incontrate.size()));
    std::iota(ordine.begin(), ordine.end(), 0);
    std::stable_sort(ordine.begin(), ordine.end(),
                     [&incontrate](int a, int b) { return incontrate[a].righe > incontrate[b].righe; });
    std::vector<int> nuovoIndice(ordine.size());
    for (size_t k = 0; k < ordine.size(); ++k) {
        nuovoIndice[static_cast<size_t>(ordine[k])] = static_cast<int>(k);
        regole_.append(incontrate[ordine[k]]);
    }
    for (int& r : regolaDi_)
        if (r >= 0)
            r = nuovoIndice[static_cast<size_t>(r)];
}

int IndiceRilievi::regolaDi(int i) const {
    return i >= 0 && static_cast<size_t>(i) < regolaDi_.size() ? regolaDi_[static_cast<size_t>(i)] : -1;
}

std::vector<int> IndiceRilievi::righeDi(int r) const {
    std::vector<int> righe;
    if (r < 0 || r >= regole_.size())
        return righe;
    righe.reserve(static_cast<size_t>(regole_[r].righe));
    for (size_t i = 0; i < regolaDi_.size(); ++i)
        if (regolaDi_[i] == r)
            righe.push_back(static_cast<int>(i));
    return righe;
}

QString VoceRegola(const ConteggioRegola& c) {
    return c.regola + QStringLiteral(" (") + NumeroItaliano(c.righe) + u')';
}
