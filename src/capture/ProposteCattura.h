#pragma once

// What a capture proposes for the document window: each field as the document stores it, where it
// was read, what the document holds now and whether it is ticked. A field the operator filled is
// never overwritten unless its tick is set. The journal is matched to tabRivisteOnline by ISSN (the
// centre's list in quillaro.ini [issn]), then by title without regard to case and accents; a
// journal not matched is said, never guessed.

#include "capture/MetadatiArticolo.h"
#include "store/DocumentBuffer.h"

#include <QMap>
#include <utility>

class AppState;
class HomeFolder;

// The fields a capture may fill, as the document window holds them.
struct CampiDocumento {
    QString CPer;          // journal code; empty when none is chosen
    QString TitoloRivista; // its title, as "Titolo rivista online" shows it
    QString Data;          // as tabRifBibl.Data ("yyyy-mm-dd", "yyyy-mm-00", "yyyy-00"); empty: none
    QString Fascicolo;
    QString Volume;
    QString Annata;
    QString Pagine;
    QString DocURL;
    QString Titolo;
    QString LIN; // language code; empty when none is chosen
    QList<VoceResponsabilita> Responsabilita;
    QMap<QString, QString> Testi; // the summary kinds "1", "2", "7", "8"

    bool operator==(const CampiDocumento&) const = default;
};

enum class CampoDocumento {
    Titolo,
    Autori,
    Curatori,
    Rivista,
    Data,
    Fascicolo,
    Volume,
    Annata,
    Pagine,
    Url,
    Abstract,
    Lingua
};

struct Proposta {
    CampoDocumento campo;
    QString etichetta;       // "Titolo", "Autori", ...
    QString valore;          // as the review shows it
    QString origine;         // where it was read
    QString attuale;         // what the document holds, as shown; empty when nothing
    bool spuntata = false;   // proposed ticked: the document's field is empty
    bool uguale = false;     // the document holds it already: nothing to do
    bool applicabile = true; // false: the document cannot take it as it is
    QString nota;            // why not, or what the operator should know
};

// The archive's lists a capture is matched against.
struct ElenchiCattura {
    QList<std::pair<QString, QString>> riviste; // code, title (tabRivisteOnline)
    QMap<QString, QString> issn;                // ISSN -> journal code (quillaro.ini [issn])
    QList<std::pair<QString, QString>> lingue;  // code, name (tabLingua)

    QString titoloRivista(const QString& CPer) const;
};

// Throws DbError when the archive's lists cannot be read.
ElenchiCattura CaricaElenchiCattura(AppState& state);

struct ProposteCattura {
    QList<Proposta> proposte;
    CampiDocumento valori; // what was found, as the document would store it
    QString CPer;          // the journal matched; empty when none
    QString tipoAbstract;  // "8" (English abstract) for an article in English, else "1"
    QStringList issn;      // the article's, for the journal the operator may choose
    QString primaPagina;   // the pages as read, written again for the journal chosen
    QString ultimaPagina;
    QList<VoceResponsabilita> autori;
    QList<VoceResponsabilita> curatori;

    const Proposta* proposta(CampoDocumento campo) const;
};

ProposteCattura Proponi(const MetadatiArticolo& m, const CampiDocumento& attuali,
                        const ElenchiCattura& elenchi);

// The document's fields with the ticked proposals written in. CPer is the journal the review
// settled on (the one matched, or the one the operator chose), tipoAbstract the kind of text the
// abstract goes into. Ticked persons replace the document's authors (or curators), which stay in
// the list marked deleted.
CampiDocumento Applica(const ProposteCattura& p, const QList<CampoDocumento>& spuntate, const QString& CPer,
                       const QString& tipoAbstract, const CampiDocumento& attuali,
                       const ElenchiCattura& elenchi);

// The pages as the document writes them: "12-15", "12", "e1"; for a journal whose pages hold a
// page count (codes from 9000) the number of pages.
QString PagineDocumento(const QString& prima, const QString& ultima, const QString& CPer);

// The tabLingua code of a language as sources write it ("en", "eng", "English", "it-IT",
// "Français"); empty when it maps to none of the list.
QString CodiceLingua(const QString& lingua, const QList<std::pair<QString, QString>>& lingue);

// The date as tabRifBibl.Data stores it.
QString TestoDataDocumento(const DataCatturata& data);

// Records in quillaro.ini [issn] that these ISSNs are the journal CPer, for the next captures;
// false, with the reason, when the file cannot be written.
bool RicordaIssn(const HomeFolder& home, const QStringList& issn, const QString& CPer,
                 QString* errore = nullptr);
