#include "search/Doppioni.h"

#include <QHash>
#include <QLocale>
#include <algorithm>
#include <deque>
#include <functional>
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

namespace {

// A pair while the passes run: the two rows (lower first), why, and how similar the titles are.
struct Coppia {
    qint64 a;
    qint64 b;
    quint8 motivi;   // kFascicolo | kTitolo
    quint8 percento; // similar titles; 0 when not
};
constexpr quint8 kFascicolo = 1;
constexpr quint8 kTitolo = 2;

QString testoMotivo(quint8 motivi, int percento) {
    QStringList parti;
    if (motivi & kFascicolo)
        parti << QStringLiteral("stesso fascicolo e pagina");
    if (motivi & kTitolo)
        parti << QStringLiteral("stesso titolo");
    if (percento > 0)
        parti << motivoSimile(percento);
    return parti.join(QStringLiteral(", "));
}

// The documents of the pairs as the list shows them, each read once and shared by its pairs; texts
// that repeat (archive, journal, year) are kept once.
class Schede {
public:
    explicit Schede(IndiceRicerca& indice) : indice_(indice) {
        IndexStatement s = indice.db().prepare("select id, nome, chiave from archivi");
        while (s.step())
            archivi_.insert(s.integer(0), {s.text(1), indice.percorsoArchivio(s.text(2))});
    }

    void leggi(std::vector<qint64> ids) {
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        const char* colonne =
            "select d.id, d.numero, d.identificativo, d.rivista, d.anno, d.titolo, d.archivio "
            "from documenti d ";
        // Many of them: one pass over all the rows costs less than a look-up for each.
        const qint64 tutti = indice_.db().scalar("select count(*) from documenti");
        if (static_cast<qint64>(ids.size()) * 20 > tutti) {
            IndexStatement s = indice_.db().prepare((QByteArray(colonne) + "order by d.id").constData());
            auto prossimo = ids.cbegin();
            while (prossimo != ids.cend() && s.step()) {
                const qint64 id = s.integer(0);
                while (prossimo != ids.cend() && *prossimo < id)
                    ++prossimo;
                if (prossimo != ids.cend() && *prossimo == id)
                    aggiungi(s);
            }
        } else {
            IndexStatement s = indice_.db().prepare((QByteArray(colonne) + "where d.id = ?").constData());
            for (qint64 id : ids) {
                s.bind(1, id);
                if (s.step())
                    aggiungi(s);
                s.reset();
            }
        }
    }

    std::shared_ptr<const DocumentoDoppione> di(qint64 id) const {
        auto it = schede_.constFind(id);
        if (it != schede_.cend())
            return *it;
        auto vuota = std::make_shared<DocumentoDoppione>();
        vuota->id = id;
        return vuota;
    }

private:
    const QString& uno(const QString& s) { return *testi_.insert(s); }

    void aggiungi(const IndexStatement& s) {
        auto d = std::make_shared<DocumentoDoppione>();
        d->id = s.integer(0);
        d->numero = s.integer(1);
        d->identificativo = s.text(2);
        d->rivista = uno(s.text(3));
        d->anno = uno(s.text(4));
        d->titolo = s.text(5);
        const auto a = archivi_.value(s.integer(6));
        d->archivio = a.first;
        d->percorso = a.second;
        const qint64 id = d->id;
        schede_.insert(id, std::move(d));
    }

    IndiceRicerca& indice_;
    QHash<qint64, std::pair<QString, QString>> archivi_;
    QSet<QString> testi_;
    QHash<qint64, std::shared_ptr<const DocumentoDoppione>> schede_;
};

} // namespace

namespace {

// A document as the title passes compare it: what else it shares with another of the same title.
struct Membro {
    qint64 id = 0;
    QString rivista;
    QString anno;
    QStringList autori;
};

Membro membro(const IndexStatement& s) {
    Membro m;
    m.id = s.integer(0);
    m.rivista = s.text(2).trimmed();
    m.anno = s.text(3).trimmed();
    m.autori = s.text(4).split(u'\n', Qt::SkipEmptyParts);
    return m;
}

// What two documents of one title must share to be the same article (generic titles recur in
// every journal, every year): the journal, the year or an author. One key for each.
QStringList elementi(const Membro& m) {
    QStringList chiavi;
    if (!m.rivista.isEmpty())
        chiavi << QStringLiteral("r:") + m.rivista;
    if (!m.anno.isEmpty())
        chiavi << QStringLiteral("a:") + m.anno;
    for (const QString& autore : m.autori)
        chiavi << QStringLiteral("p:") + autore;
    return chiavi;
}

// The numbers of a folded title, in order: titles that differ in a number ("... n. 3" and "... n. 4")
// are different articles however alike the rest.
QString numeri(QStringView chiave) {
    QString out;
    bool dentro = false;
    for (const QChar c : chiave) {
        const bool cifra = c >= u'0' && c <= u'9';
        if (cifra)
            out += c;
        else if (dentro)
            out += u',';
        dentro = cifra;
    }
    return out;
}

} // namespace

QList<CoppiaDoppioni> CercaDoppioni(IndiceRicerca& indice, const std::optional<QList<qint64>>& archivi,
                                    const std::optional<QSet<qint64>>& fuoco) {
    QSet<qint64> universo;
    if (archivi)
        universo = QSet<qint64>(archivi->cbegin(), archivi->cend());
    const auto nellUniverso = [&](qint64 id) {
        return !archivi || universo.contains(IndiceRicerca::archivioDi(id));
    };
    const auto aFuoco = [&](qint64 id) { return !fuoco || fuoco->contains(IndiceRicerca::archivioDi(id)); };

    // Every pair each pass finds; the same pair found twice is one, with both reasons, at the end.
    std::vector<Coppia> coppie;
    const auto aggiungi = [&](qint64 x, qint64 y, quint8 motivi, int percento) {
        if (x == y || (!aFuoco(x) && !aFuoco(y)))
            return;
        coppie.push_back({std::min(x, y), std::max(x, y), motivi, static_cast<quint8>(percento)});
    };

    // The same issue and first page: every member of a group with the group's first.
    {
        IndexStatement s =
            indice.db().prepare("select id, chiave_fascicolo from documenti where chiave_fascicolo "
                                "<> '' order by chiave_fascicolo, id");
        QString chiave;
        std::vector<qint64> membri;
        const auto chiudi = [&] {
            for (size_t i = 1; i < membri.size(); ++i)
                aggiungi(membri.front(), membri[i], kFascicolo, 0);
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
    }

    // The documents of each title, in the order of the title and, for titles that differ at the
    // start, of the reversed title.
    struct Gruppo {
        QString chiave;
        QString numeri;
        std::vector<Membro> membri;
    };
    const auto perTitolo = [&](const char* sql, const std::function<void(Gruppo&)>& gruppo) {
        IndexStatement s = indice.db().prepare(sql);
        Gruppo corrente;
        const auto chiudi = [&] {
            if (!corrente.membri.empty() && corrente.chiave.size() >= kChiaveMinimaSimile)
                gruppo(corrente);
            corrente = Gruppo{};
        };
        while (s.step()) {
            const qint64 id = s.integer(0);
            if (!nellUniverso(id))
                continue;
            QString k = s.text(1);
            if (k != corrente.chiave || corrente.membri.empty()) {
                chiudi();
                corrente.numeri = numeri(k);
                corrente.chiave = std::move(k);
            }
            corrente.membri.push_back(membro(s));
        }
        chiudi();
    };

    // Equal titles (a title of a word or two, "Editoriale", recurs without being the same article):
    // a pair wherever two documents share journal, year or an author, each with the first that does.
    perTitolo("select id, chiave_titolo, rivista, anno, autori from documenti where chiave_titolo <> '' "
              "order by chiave_titolo, id",
              [&](Gruppo& g) {
                  QHash<QString, qint64> primi; // each shared element -> its first document
                  for (const Membro& m : g.membri) {
                      for (const QString& k : elementi(m)) {
                          const auto it = primi.constFind(k);
                          if (it == primi.cend())
                              primi.insert(k, m.id);
                          else
                              aggiungi(*it, m.id, kTitolo, 0);
                      }
                  }
              });

    // Nearly equal titles sort close together (or, when they differ at the start, their reversed
    // forms do): each distinct title is compared with its last few neighbours, and the two are a
    // pair when their numbers are the same and two of their documents share journal, year or an
    // author (one of them in the archives of interest, when there are some).
    struct Vicino {
        QString chiave;
        QString numeri;
        QHash<QString, qint64> elementi; // each element -> a document holding it (of interest first)
    };
    const auto simili = [&](const char* sql) {
        std::deque<Vicino> vicini;
        perTitolo(sql, [&](Gruppo& g) {
            Vicino corrente{g.chiave, g.numeri, {}};
            for (const Membro& m : g.membri)
                for (const QString& k : elementi(m)) {
                    auto it = corrente.elementi.find(k);
                    if (it == corrente.elementi.end())
                        corrente.elementi.insert(k, m.id);
                    else if (!aFuoco(*it) && aFuoco(m.id))
                        *it = m.id;
                }
            for (const Vicino& v : vicini) {
                if (v.numeri != corrente.numeri)
                    continue;
                const int percento = SomiglianzaTitoli(v.chiave, corrente.chiave);
                if (percento == 0 || percento == 100)
                    continue;
                std::optional<std::pair<qint64, qint64>> scelta;
                for (auto it = v.elementi.cbegin(); it != v.elementi.cend(); ++it) {
                    const auto altro = corrente.elementi.constFind(it.key());
                    if (altro == corrente.elementi.cend())
                        continue;
                    scelta = std::pair{*it, *altro};
                    if (aFuoco(*it) || aFuoco(*altro))
                        break;
                }
                if (scelta)
                    aggiungi(scelta->first, scelta->second, 0, percento);
            }
            vicini.push_back(std::move(corrente));
            if (vicini.size() > kVicini)
                vicini.pop_front();
        });
    };
    simili("select id, chiave_titolo, rivista, anno, autori from documenti where chiave_titolo <> '' "
           "order by chiave_titolo, id");
    simili("select id, chiave_inversa, rivista, anno, autori from documenti where chiave_inversa <> '' "
           "order by chiave_inversa, id");

    std::sort(coppie.begin(), coppie.end(),
              [](const Coppia& x, const Coppia& y) { return x.a != y.a ? x.a < y.a : x.b < y.b; });
    std::vector<Coppia> uniche;
    uniche.reserve(coppie.size());
    for (const Coppia& c : coppie) {
        if (!uniche.empty() && uniche.back().a == c.a && uniche.back().b == c.b) {
            uniche.back().motivi |= c.motivi;
            uniche.back().percento = std::max(uniche.back().percento, c.percento);
        } else {
            uniche.push_back(c);
        }
    }
    std::vector<Coppia>().swap(coppie);

    Schede schede(indice);
    {
        std::vector<qint64> ids;
        ids.reserve(uniche.size() * 2);
        for (const Coppia& c : uniche) {
            ids.push_back(c.a);
            ids.push_back(c.b);
        }
        schede.leggi(std::move(ids));
    }
    const auto prima = [](const DocumentoDoppione& x, const DocumentoDoppione& y) {
        const int c = QString::compare(x.archivio, y.archivio, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : x.numero < y.numero;
    };
    QHash<int, QString> motivi; // one text for each combination of reasons
    QList<CoppiaDoppioni> out;
    out.reserve(static_cast<qsizetype>(uniche.size()));
    for (const Coppia& c : uniche) {
        const int chiave = c.motivi * 1000 + c.percento;
        auto m = motivi.find(chiave);
        if (m == motivi.end())
            m = motivi.insert(chiave, testoMotivo(c.motivi, c.percento));
        CoppiaDoppioni p{schede.di(c.a), schede.di(c.b), *m};
        if (prima(*p.secondo, *p.primo))
            std::swap(p.primo, p.secondo);
        out << std::move(p);
    }
    std::sort(out.begin(), out.end(), [&](const CoppiaDoppioni& x, const CoppiaDoppioni& y) {
        if (prima(*x.primo, *y.primo))
            return true;
        if (prima(*y.primo, *x.primo))
            return false;
        return prima(*x.secondo, *y.secondo);
    });
    return out;
}
