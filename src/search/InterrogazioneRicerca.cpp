#include "search/InterrogazioneRicerca.h"

#include "search/Tokenizzatore.h"

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

constexpr int kMassimaProfondita = 40;

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
        leggiSimboli();
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
            const QString nome = parola.left(duePunti).toLower();
            if (CampiRicerca().contains(nome)) {
                simboli_.push_back({Tipo::Campo, nome});
                const QString resto = parola.mid(duePunti + 1);
                if (!resto.isEmpty())
                    aggiungiParola(resto);
                return;
            }
        }
        bool prefisso = false;
        while (parola.endsWith(u'*')) {
            parola.chop(1);
            prefisso = true;
        }
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

    std::optional<QString> non() {
        std::optional<QString> sinistra = primario();
        while (errore_.isEmpty() && a(Tipo::Not)) {
            ++pos_;
            if (!inizioCondizione()) {
                errore_ =
                    QStringLiteral("Manca una condizione dopo \"NOT\": scrivere ad esempio contratto NOT "
                                   "preliminare.");
                return std::nullopt;
            }
            std::optional<QString> destra = primario();
            if (!sinistra) {
                errore_ =
                    QStringLiteral("\"NOT\" va scritto dopo un'altra condizione, ad esempio: contratto NOT "
                                   "preliminare.");
                return std::nullopt;
            }
            if (destra)
                sinistra = QStringLiteral("(") + *sinistra + QStringLiteral(" NOT ") + *destra + u')';
        }
        return sinistra;
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
            return frase;
        }
        case Tipo::Campo: {
            if (!inizioCondizione()) {
                errore_ = QStringLiteral("Manca la parola da cercare dopo \"%1:\".").arg(s.testo);
                return std::nullopt;
            }
            const QString fuori = std::exchange(campo_, s.testo);
            std::optional<QString> dentro = primario();
            campo_ = fuori;
            if (!dentro)
                return std::nullopt;
            return s.testo + QStringLiteral(" : ") +
                   (dentro->startsWith(u'"') ? *dentro : u'(' + *dentro + u')');
        }
        case Tipo::Apri: {
            if (++profondita_ > kMassimaProfondita) {
                errore_ = QStringLiteral("Troppe parentesi una dentro l'altra.");
                return std::nullopt;
            }
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

    const QString& testo_;
    std::vector<Simbolo> simboli_;
    size_t pos_ = 0;
    int profondita_ = 0;
    QString campo_; // the field the phrases being read are in
    QStringList frasi_;
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

Interrogazione InterpretaRicerca(const QString& testo) {
    return Analisi(testo).esegui();
}
