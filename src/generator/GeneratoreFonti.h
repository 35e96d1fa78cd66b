#pragma once

// The sources of generated documents. A source is made from its own seed, so that citing an earlier
// one again gives an identical entry, which the save finds instead of storing it twice. Every date
// falls inside the life of its act, court or body (no royal decree after 1946, no delegated EU act
// before 2010, nothing before 1861); the acts of the State that the checks look up in the norms
// catalogue are drawn from it, and a citation may slip on one element of its act.

#include "generator/GeneratoreCasuale.h"
#include "sources/PaginaFonte.h"
#include "store/VoceFonte.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QStringList>
#include <optional>
#include <vector>

class cConnessione;
class Dialogs;

// The names the sources are written with, the template's where it has them.
struct NomiFonti {
    QStringList regioni, province;
    QStringList codici, costituzione, atti, attiProvinciali, attiRegionali, attiMinisteriali,
        attiAmministrazioni, attiAutorita, contratti, tribunali, tributari, amministrativi;
    QStringList trattatiUE, derivatoUE, corteUE, organismi, corteInternazionale, canonici;
    QStringList trattatiNIT;                // "<IDNIT>) <Fonte>", as the treaty search fills the page
    QHash<QString, QString> lettereCorteUE; // the case letter of each EU court ("C", "T", "F")
    QStringList attiControllati;            // acts of the State the checks look up in the catalogue
    QStringList attiNonControllati;         // the others
};

// The first and last year an act, court, body or authority of that name existed as such; from
// 1861 to kUltimoAnno for a name not known here.
struct VitaAtto {
    int da = 1861;
    int a = 2025;
};
inline constexpr int kUltimoAnno = 2025;
VitaAtto VitaDi(const QString& nome);

// An act of the norms catalogue, with the name the domestic dialog lists it by ("d.lg.").
struct AttoCatalogo {
    qint64 id = 0;
    QDate data;
    QString numero;
    QString nome;
    QString abbreviazione; // as the catalogue writes it ("d.lgs.")
};

// The acts of the home's norms catalogue that the checks look up (rule 14), in a fixed order of
// popularity. Empty when the catalogue is missing: the acts are then made up, and the checks find
// them all wrong.
class AttiCatalogo {
public:
    void carica(const QString& path);
    // The constitutional laws, or the other acts.
    const std::vector<AttoCatalogo>& atti(bool costituzionali) const {
        return costituzionali ? costituzionali_ : statali_;
    }
    // Whether the catalogue holds an act of that date, number and abbreviation, as rule 14 asks.
    bool contiene(const QDate& data, const QString& numero, const QString& abbreviazione) const;
    // The list names the catalogue knows ("l.", "d.lg.", ...).
    const QStringList& nomi() const { return nomi_; }

private:
    std::vector<AttoCatalogo> statali_, costituzionali_;
    QSet<QString> chiavi_;
    QStringList nomi_;
};

struct FonteGenerata {
    VoceFonte voce;
    // The catalogue act it cites; only acts with a number are looked up by the checks.
    std::optional<AttoCatalogo> atto;
    std::optional<PaginaFonte> pagina; // the Normativa page of an act of the State
};

// The source of a seed, composed as the source dialogs compose it (the archive gives the treaties).
FonteGenerata FonteDaSeme(quint64 seme, const NomiFonti& nomi, const AttiCatalogo& catalogo, Dialogs& dialogs,
                          cConnessione& archivio);

// One element of a catalogue act cited wrong, as an operator slips: another day ("giorno"),
// another number ("numero") or another kind of act ("atto"), never an act the catalogue holds.
struct Svista {
    QString elemento;
    VoceFonte voce; // the citation as written
};
std::optional<Svista> Svia(Casuale& r, const FonteGenerata& fonte, const NomiFonti& nomi,
                           const AttiCatalogo& catalogo, Dialogs& dialogs);
