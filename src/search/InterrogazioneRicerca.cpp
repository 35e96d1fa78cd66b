#include "search/InterrogazioneRicerca.h"

#include "search/Tokenizzatore.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

enum class Tipo { Parola, Frase, Apri, Chiudi, And, Or, Not, Campo };

struct Simbolo {
    Tipo tipo;
    QString testo;
    bool prefisso = false;
};

QString elencoCampi() {
    QStringList nomi;
    for (const QString& c : CampiRicerca())
        nomi << c + u':';
    return nomi.join(QStringLiteral(", "));
}

// Edit distance of two short names, for suggesting the field meant.
int distanzaNomi(const QString& a, const QString& b) {
    std::vector<int> prima(static_cast<size_t>(b.size()) + 1), ora(prima.size());
    for (size_t j = 0; j < prima.size(); ++j)
        prima[j] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        ora[0] = static_cast<int>(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const auto J = static_cast<size_t>(j);
            ora[J] = std::min({prima[J] + 1, ora[J - 1] + 1, prima[J - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        }
        std::swap(prima, ora);
    }
    return prima.back();
}

QString campoSconosciuto(const QString& nome) {
    QString testo = QStringLiteral("Il campo \"%1:\" non esiste: i campi che si possono usare sono %2.")
                        .arg(nome, elencoCampi());
    for (const QString& c : CampiRicerca())
        if (distanzaNomi(nome.toLower(), c) <= 2) {
            testo += QStringLiteral(" Forse si intendeva \"%1:\"?").arg(c);
            break;
        }
    return testo;
}

// "autori:" before a word is meant as a field; "10:30", "c.c.:" and "http://" are not.
bool sembraCampo(const QString& nome, const QString& resto) {
    if (resto.startsWith(QStringLiteral("//")))
        return false;
    for (const QChar c : nome)
        if (!c.isLetter())
            return false;
    return true;
}

bool virgolette(QChar c) {
    return c == u'"' || c == QChar(0x201C) || c == QChar(0x201D);
}

bool fineParola(QChar c) {
    return c.isSpace() || c == u'(' || c == u')' || virgolette(c);
}

class Analisi {
public:
    explicit Analisi(const QString& testo) : testo_(testo) {}

    Interrogazione esegui() {
        Interrogazione r;
        if (testo_.size() > kMassimoCaratteri) {
            r.errore =
                QStringLiteral("La ricerca è troppo lunga: %1 caratteri, al massimo se ne possono scrivere "
                               "%2. Accorciarla tenendo le parole più significative.")
                    .arg(testo_.size())
                    .arg(kMassimoCaratteri);
            return r;
        }
        leggiSimboli();
        if (!errore_.isEmpty()) {
            r.errore = errore_;
            return r;
        }
        if (parole_ > kMassimoParole) {
            r.errore =
                QStringLiteral("La ricerca contiene troppe parole: %1, al massimo se ne possono cercare %2 "
                               "insieme. Tenere le parole più significative.")
                    .arg(parole_)
                    .arg(kMassimoParole);
            return r;
        }
        if (simboli_.empty()) {
            r.errore = QStringLiteral("Scrivere una o più parole da cercare.");
            return r;
        }
        std::optional<QString> e = o();
        if (errore_.isEmpty() && pos_ < simboli_.size()) {
            if (simboli_[pos_].tipo == Tipo::Chiudi)
                errore_ = QStringLiteral("C'è una parentesi chiusa \")\" senza la sua apertura \"(\".");
            else
                errore_ = QStringLiteral("La ricerca non è scritta in modo comprensibile vicino a \"%1\".")
                              .arg(simboli_[pos_].testo);
        }
        if (errore_.isEmpty() && !e)
            errore_ =
                QStringLiteral("La ricerca non contiene parole: i segni da soli non si cercano. Scrivere una "
                               "o più parole.");
        if (!errore_.isEmpty()) {
            r.errore = errore_;
            return r;
        }
        r.espressione = *e;
        r.frasi = frasi_;
        r.termini = termini_;
        r.soloParole = semplice_ && !termini_.isEmpty();
        return r;
    }

private:
    void aggiungiParola(QString parola) {
        if (parola == u"AND") {
            simboli_.push_back({Tipo::And, parola});
            return;
        }
        if (parola == u"OR") {
            simboli_.push_back({Tipo::Or, parola});
            return;
        }
        if (parola == u"NOT") {
            simboli_.push_back({Tipo::Not, parola});
            return;
        }
        const qsizetype duePunti = parola.indexOf(u':');
        if (duePunti > 0) {
            const QString nome = parola.left(duePunti);
            const QString resto = parola.mid(duePunti + 1);
            if (CampiRicerca().contains(nome.toLower())) {
                simboli_.push_back({Tipo::Campo, nome.toLower()});
                if (!resto.isEmpty())
                    aggiungiParola(resto);
                return;
            }
            if (sembraCampo(nome, resto)) {
                if (errore_.isEmpty())
                    errore_ = campoSconosciuto(nome);
                return;
            }
        }
        bool prefisso = false;
        while (parola.endsWith(u'*')) {
            parola.chop(1);
            prefisso = true;
        }
        parole_ += ContaParole(parola);
        simboli_.push_back({Tipo::Parola, parola, prefisso});
    }

    void leggiSimboli() {
        qsizetype i = 0;
        const qsizetype n = testo_.size();
        while (i < n) {
            const QChar c = testo_.at(i);
            if (c.isSpace()) {
                ++i;
            } else if (c == u'(') {
                simboli_.push_back({Tipo::Apri, QStringLiteral("(")});
                ++i;
            } else if (c == u')') {
                simboli_.push_back({Tipo::Chiudi, QStringLiteral(")")});
                ++i;
            } else if (virgolette(c)) {
                qsizetype j = i + 1;
                while (j < n && !virgolette(testo_.at(j)))
                    ++j;
                Simbolo s{Tipo::Frase, testo_.mid(i + 1, j - i - 1)};
                parole_ += ContaParole(s.testo);
                i = j < n ? j + 1 : j;
                while (i < n && testo_.at(i) == u'*') {
                    s.prefisso = true;
                    ++i;
                }
                simboli_.push_back(s);
            } else {
                qsizetype j = i;
                while (j < n && !fineParola(testo_.at(j)))
                    ++j;
                aggiungiParola(testo_.mid(i, j - i));
                i = j;
            }
        }
    }

    bool a(Tipo t) const { return pos_ < simboli_.size() && simboli_[pos_].tipo == t; }

    // A condition can start here (a word, a phrase, a field or a group).
    bool inizioCondizione() const {
        return a(Tipo::Parola) || a(Tipo::Frase) || a(Tipo::Campo) || a(Tipo::Apri);
    }

    static std::optional<QString> unisciCon(const std::vector<QString>& parti, const char* operatore) {
        if (parti.empty())
            return std::nullopt;
        if (parti.size() == 1)
            return parti.front();
        QString out = QStringLiteral("(");
        for (size_t i = 0; i < parti.size(); ++i) {
            if (i > 0)
                out += QString::fromLatin1(operatore);
            out += parti[i];
        }
        return out + u')';
    }

    std::optional<QString> o() {
        std::vector<QString> parti;
        if (auto e = e_())
            parti.push_back(*e);
        while (errore_.isEmpty() && a(Tipo::Or)) {
            semplice_ = false;
            ++pos_;
            if (!inizioCondizione()) {
                errore_ = QStringLiteral(
                    "Manca una condizione dopo \"OR\": scrivere ad esempio appalto OR mandato.");
                return std::nullopt;
            }
            if (auto e = e_())
                parti.push_back(*e);
        }
        return unisciCon(parti, " OR ");
    }

    std::optional<QString> e_() {
        std::vector<QString> parti;
        if (!inizioCondizione()) {
            if (a(Tipo::And) || a(Tipo::Or))
                errore_ =
                    QStringLiteral("\"%1\" va scritto tra due condizioni, ad esempio: contratto %1 appalto.")
                        .arg(simboli_[pos_].testo);
            else if (a(Tipo::Not))
                errore_ =
                    QStringLiteral("\"NOT\" va scritto dopo un'altra condizione, ad esempio: contratto NOT "
                                   "preliminare.");
            else if (a(Tipo::Chiudi))
                errore_ = QStringLiteral("Tra le parentesi manca la condizione da cercare.");
            else
                errore_ = QStringLiteral("Manca una condizione alla fine della ricerca.");
            return std::nullopt;
        }
        if (auto n = non())
            parti.push_back(*n);
        while (errore_.isEmpty()) {
            if (a(Tipo::And)) {
                ++pos_;
                if (!inizioCondizione()) {
                    errore_ =
                        QStringLiteral("Manca una condizione dopo \"AND\": scrivere ad esempio contratto AND "
                                       "appalto.");
                    return std::nullopt;
                }
            } else if (!inizioCondizione()) {
                break;
            }
            if (auto n = non())
                parti.push_back(*n);
        }
        return unisciCon(parti, " AND ");
    }

    // "a NOT b NOT c" is written for the engine as "a NOT (b OR c)": a long chain of NOT stays
    // one level deep.
    std::optional<QString> non() {
        std::optional<QString> sinistra = primario();
        std::vector<QString> esclusi;
        while (errore_.isEmpty() && a(Tipo::Not)) {
            semplice_ = false;
            ++pos_;
            if (!inizioCondizione()) {
                errore_ =
                    QStringLiteral("Manca una condizione dopo \"NOT\": scrivere ad esempio contratto NOT "
                                   "preliminare.");
                return std::nullopt;
            }
            ++negazione_;
            std::optional<QString> destra = primario();
            --negazione_;
            if (!sinistra) {
                errore_ =
                    QStringLiteral("\"NOT\" va scritto dopo un'altra condizione, ad esempio: contratto NOT "
                                   "preliminare.");
                return std::nullopt;
            }
            if (destra)
                esclusi.push_back(*destra);
        }
        if (!sinistra || esclusi.empty())
            return sinistra;
        return QStringLiteral("(") + *sinistra + QStringLiteral(" NOT ") + *unisciCon(esclusi, " OR ") + u')';
    }

    std::optional<QString> primario() {
        if (errore_.size())
            return std::nullopt;
        const Simbolo s = simboli_[pos_];
        ++pos_;
        switch (s.tipo) {
        case Tipo::Parola:
        case Tipo::Frase: {
            if (!HaParole(s.testo))
                return std::nullopt;
            QString t = s.testo;
            t.replace(u'"', QStringLiteral("\"\""));
            const QString frase = u'"' + t + u'"' + (s.prefisso ? QStringLiteral("*") : QString());
            frasi_ << (campo_.isEmpty() ? frase : campo_ + QStringLiteral(" : ") + frase);
            termini_ << FraseRicerca{campo_, s.testo, s.prefisso, negazione_ > 0};
            return frase;
        }
        case Tipo::Campo: {
            semplice_ = false;
            if (!inizioCondizione()) {
                errore_ = QStringLiteral("Manca la parola da cercare dopo \"%1:\".").arg(s.testo);
                return std::nullopt;
            }
            // A field over a group is one more level for the engine.
            const bool gruppo = a(Tipo::Apri);
            if (gruppo && !scendi())
                return std::nullopt;
            const QString fuori = std::exchange(campo_, s.testo);
            std::optional<QString> dentro = primario();
            campo_ = fuori;
            profondita_ -= gruppo ? 1 : 0;
            if (!dentro)
                return std::nullopt;
            return s.testo + QStringLiteral(" : ") +
                   (dentro->startsWith(u'"') ? *dentro : u'(' + *dentro + u')');
        }
        case Tipo::Apri: {
            semplice_ = false;
            if (!scendi())
                return std::nullopt;
            std::optional<QString> dentro = o();
            --profondita_;
            if (errore_.size())
                return std::nullopt;
            if (!a(Tipo::Chiudi)) {
                errore_ = QStringLiteral("Una parentesi \"(\" non è chiusa: manca \")\".");
                return std::nullopt;
            }
            ++pos_;
            return dentro;
        }
        default:
            return std::nullopt;
        }
    }

    // One level deeper (a group, a field over a group); false, with the reason, beyond the limit.
    bool scendi() {
        if (++profondita_ <= kMassimaProfondita)
            return true;
        errore_ = QStringLiteral("Troppe parentesi o campi uno dentro l'altro: al massimo %1 livelli. "
                                 "Semplificare la ricerca.")
                      .arg(kMassimaProfondita);
        return false;
    }

    const QString& testo_;
    std::vector<Simbolo> simboli_;
    size_t pos_ = 0;
    int profondita_ = 0;
    int negazione_ = 0;    // inside what a NOT excludes
    bool semplice_ = true; // no OR, NOT, field or group so far
    qsizetype parole_ = 0;
    QString campo_; // the field the phrases being read are in
    QStringList frasi_;
    QList<FraseRicerca> termini_;
    QString errore_;
};

} // namespace

const QStringList& CampiRicerca() {
    static const QStringList campi = {QStringLiteral("titolo"),  QStringLiteral("autore"),
                                      QStringLiteral("fonte"),   QStringLiteral("testo"),
                                      QStringLiteral("rivista"), QStringLiteral("anno"),
                                      QStringLiteral("classe"),  QStringLiteral("archivio")};
    return campi;
}

QStringList FrasiNeiTitoli(const Interrogazione& interrogazione) {
    QStringList titoli;
    for (const FraseRicerca& f : interrogazione.termini) {
        QString t = f.testo;
        t.replace(u'"', QStringLiteral("\"\""));
        titoli << u'"' + QChar(kSegnoTitolo) + t + u'"' + (f.prefisso ? QStringLiteral("*") : QString());
    }
    return titoli;
}

QString EspressioneNeiTitoli(const Interrogazione& interrogazione) {
    return QStringLiteral("(") + FrasiNeiTitoli(interrogazione).join(QStringLiteral(" AND ")) +
           QStringLiteral(") AND ") + interrogazione.espressione;
}

Interrogazione InterpretaRicerca(const QString& testo) {
    return Analisi(testo).esegui();
}
