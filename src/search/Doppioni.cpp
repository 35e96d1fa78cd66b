#include "search/Doppioni.h"

#include <QHash>
#include <QLocale>

#include <algorithm>
#include <deque>
#include <vector>

namespace {

// Edit distance between two texts, giving up (answering more than `massimo`) as soon as it is
// sure to exceed it: only a band around the diagonal is computed.
int distanza(QStringView x, QStringView y, int massimo) {
    const int n = static_cast<int>(x.size()), m = static_cast<int>(y.size());
    const int oltre = massimo + 1;
    if (std::abs(n - m) > massimo)
        return oltre;
    if (n == 0 || m == 0)
        return std::max(n, m);
    std::vector<int> prima(static_cast<size_t>(m) + 2, oltre), ora(static_cast<size_t>(m) + 2, oltre);
    for (int j = 0; j <= std::min(m, massimo); ++j)
        prima[static_cast<size_t>(j)] = j;
    for (int i = 1; i <= n; ++i) {
        const int da = std::max(1, i - massimo), a = std::min(m, i + massimo);
        ora[static_cast<size_t>(da - 1)] = (da == 1 && i <= massimo) ? i : oltre;
        ora[static_cast<size_t>(a) + 1] = oltre;
        int minimo = ora[static_cast<size_t>(da - 1)];
        for (int j = da; j <= a; ++j) {
            const auto J = static_cast<size_t>(j);
            int c = prima[J - 1] + (x[i - 1] == y[j - 1] ? 0 : 1);
            c = std::min(c, prima[J] + 1);
            c = std::min(c, ora[J - 1] + 1);
            ora[J] = std::min(c, oltre);
            minimo = std::min(minimo, ora[J]);
        }
        if (minimo > massimo)
            return oltre;
        std::swap(prima, ora);
        // The cell right of the band was never written in this row's predecessor.
        if (a + 1 <= m)
            prima[static_cast<size_t>(a) + 1] = oltre;
    }
    return prima[static_cast<size_t>(m)];
}

// Titles this short are too often equal or alike without being the same article.
constexpr qsizetype kChiaveMinimaSimile = 12;
// How many neighbouring titles (in alphabetical order, and in the order of the reversed titles)
// each title is compared with.
constexpr size_t kVicini = 4;

QString motivoSimile(int percento) {
    return QStringLiteral("titolo simile %1 %").arg(percento);
}

} // namespace

int SomiglianzaTitoli(QStringView a, QStringView b) {
    if (a == b)
        return 100;
    const qsizetype la = a.size(), lb = b.size();
    const qsizetype massimo = std::max(la, lb);
    const int ammesse = static_cast<int>(massimo * (100 - kSomiglianzaMinima) / 100);
    if (std::abs(la - lb) > ammesse)
        return 0;
    // What the two share at the start and at the end costs nothing.
    qsizetype p = 0;
    while (p < la && p < lb && a[p] == b[p])
        ++p;
    qsizetype s = 0;
    while (s < la - p && s < lb - p && a[la - 1 - s] == b[lb - 1 - s])
        ++s;
    const int d = distanza(a.mid(p, la - p - s), b.mid(p, lb - p - s), ammesse);
    if (d > ammesse)
        return 0;
    const int percento = static_cast<int>((100 * (massimo - d)) / massimo);
    return percento >= kSomiglianzaMinima ? percento : 0;
}

QList<CoppiaDoppioni> CercaDoppioni(IndiceRicerca& indice, const std::optional<QList<qint64>>& archivi,
                                    const std::optional<QSet<qint64>>& fuoco) {
    QSet<qint64> universo;
    if (archivi)
        universo = QSet<qint64>(archivi->cbegin(), archivi->cend());
    const auto nellUniverso = [&](qint64 id) { return !archivi || universo.contains(IndiceRicerca::archivioDi(id)); };
    const auto aFuoco = [&](qint64 id) { return !fuoco || fuoco->contains(IndiceRicerca::archivioDi(id)); };

    struct Coppia {
        qint64 a;
        qint64 b;
        QString motivo;
    };
    std::vector<Coppia> coppie;
    QHash<QPair<qint64, qint64>, size_t> posizioni;
    const auto aggiungi = [&](qint64 x, qint64 y, const QString& motivo) {
        if (x == y || (!aFuoco(x) && !aFuoco(y)))
            return;
        const QPair<qint64, qint64> k(std::min(x, y), std::max(x, y));
        const auto it = posizioni.constFind(k);
        if (it == posizioni.cend()) {
            posizioni.insert(k, coppie.size());
            coppie.push_back({k.first, k.second, motivo});
        } else if (!coppie[*it].motivo.contains(motivo)) {
            coppie[*it].motivo += QStringLiteral(", ") + motivo;
        }
    };

    // Equal keys: every member of a group with the group's first.
    const auto uguali = [&](const char* sql, const QString& motivo, qsizetype chiaveMinima) {
        IndexStatement s = indice.db().prepare(sql);
        QString chiave;
        std::vector<qint64> membri;
        const auto chiudi = [&] {
            if (chiave.size() >= chiaveMinima)
                for (size_t i = 1; i < membri.size(); ++i)
                    aggiungi(membri.front(), membri[i], motivo);
            membri.clear();
        };
        while (s.step()) {
            QString k = s.text(1);
            if (k != chiave) {
                chiudi();
                chiave = std::move(k);
            }
            const qint64 id = s.integer(0);
            if (nellUniverso(id))
                membri.push_back(id);
        }
        chiudi();
    };
    uguali("select id, chiave_fascicolo from documenti where chiave_fascicolo <> '' order by chiave_fascicolo, id",
           QStringLiteral("stesso fascicolo e pagina"), 0);
    // A title of a word or two ("Editoriale", "Premessa") recurs in every journal without being the
    // same article; the same article under it shares its issue and page.
    uguali("select id, chiave_titolo from documenti where chiave_titolo <> '' order by chiave_titolo, id",
           QStringLiteral("stesso titolo"), kChiaveMinimaSimile);

    // Nearly equal titles sort close together (or, when they differ at the start, their reversed
    // forms do): each distinct title is compared with its last few neighbours.
    const auto simili = [&](const char* sql) {
        struct Gruppo {
            QString chiave;
            qint64 primo = 0;
            qint64 diFuoco = 0; // a member in the archives of interest, 0 when none
        };
        std::deque<Gruppo> vicini;
        Gruppo corrente;
        const auto chiudi = [&] {
            if (corrente.primo == 0)
                return;
            if (corrente.chiave.size() >= kChiaveMinimaSimile) {
                for (const Gruppo& g : vicini) {
                    const int percento = SomiglianzaTitoli(g.chiave, corrente.chiave);
                    if (percento == 0 || percento == 100)
                        continue;
                    qint64 x = g.primo, y = corrente.primo;
                    if (!aFuoco(x) && !aFuoco(y)) {
                        if (corrente.diFuoco)
                            y = corrente.diFuoco;
                        else if (g.diFuoco)
                            x = g.diFuoco;
                    }
                    aggiungi(x, y, motivoSimile(percento));
                }
                vicini.push_back(corrente);
                if (vicini.size() > kVicini)
                    vicini.pop_front();
            }
            corrente = Gruppo{};
        };
        IndexStatement s = indice.db().prepare(sql);
        while (s.step()) {
            const qint64 id = s.integer(0);
            if (!nellUniverso(id))
                continue;
            QString k = s.text(1);
            if (k != corrente.chiave || corrente.primo == 0) {
                chiudi();
                corrente.chiave = std::move(k);
                corrente.primo = id;
            }
            if (!corrente.diFuoco && fuoco && aFuoco(id))
                corrente.diFuoco = id;
        }
        chiudi();
    };
    simili("select id, chiave_titolo from documenti where chiave_titolo <> '' order by chiave_titolo, id");
    simili("select id, chiave_inversa from documenti where chiave_inversa <> '' order by chiave_inversa, id");

    // What the list shows of each document.
    QHash<qint64, DocumentoDoppione> schede;
    IndexStatement dettagli = indice.db().prepare(
        "select d.numero, d.identificativo, d.rivista, d.anno, d.titolo, a.nome, a.percorso from documenti d "
        "join archivi a on a.id = d.archivio where d.id = ?");
    const auto scheda = [&](qint64 id) -> const DocumentoDoppione& {
        auto it = schede.find(id);
        if (it != schede.end())
            return *it;
        DocumentoDoppione d;
        d.id = id;
        dettagli.bind(1, id);
        if (dettagli.step()) {
            d.numero = dettagli.integer(0);
            d.identificativo = dettagli.text(1);
            d.rivista = dettagli.text(2);
            d.anno = dettagli.text(3);
            d.titolo = dettagli.text(4);
            d.archivio = dettagli.text(5);
            d.percorso = dettagli.text(6);
        }
        dettagli.reset();
        return *schede.insert(id, d);
    };
    const auto prima = [](const DocumentoDoppione& x, const DocumentoDoppione& y) {
        const int c = QString::compare(x.archivio, y.archivio, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : x.numero < y.numero;
    };
    QList<CoppiaDoppioni> out;
    out.reserve(static_cast<qsizetype>(coppie.size()));
    for (const Coppia& c : coppie) {
        CoppiaDoppioni p{scheda(c.a), scheda(c.b), c.motivo};
        if (prima(p.secondo, p.primo))
            std::swap(p.primo, p.secondo);
        out << std::move(p);
    }
    std::sort(out.begin(), out.end(), [&](const CoppiaDoppioni& x, const CoppiaDoppioni& y) {
        if (prima(x.primo, y.primo))
            return true;
        if (prima(y.primo, x.primo))
            return false;
        return prima(x.secondo, y.secondo);
    });
    return out;
}
