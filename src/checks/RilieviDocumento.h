#pragma once

// The cataloguing rules 1 to 14 for one document, the only copy of them: the check run applies them
// to every stored document, the document window to what it holds while the operator works, the
// command line and "Scegli documento" to one stored document. Each finding is the line the error
// lists write, tagged with its list and with what it concerns in the document window.

#include "store/AppState.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

// The three error lists, in the order they are written and shown.
enum class ElencoErrori { Generali = 0, Classificazione = 1, Fonti = 2 };

// The title of a list's viewer: "Errori generici", "Errori di classificazione", "Errori nelle fonti".
QString TitoloElenco(ElencoErrori elenco);

// What a finding concerns, as a place of the document window.
enum class CampoRilievo {
    Rivista, // journal code: the reference
    Pagine,
    TipoDocumento, // TD
    TipoAbstract,  // TAbs
    Bibliografia,  // Bib
    Lingua,        // LIN
    Responsabilita,
    Titolo,
    Nota,
    Riassunto,
    Sommario,
    InTemaDi,
    EnglishAbstract,
    Traduzione,
    Classificazione,
    Fonti,
};

// The rule a finding comes from, one for each line the rules can write, in the order of the rules.
enum class RegolaRilievo {
    MancaRiferimento,          // 1
    MancaPagine,               // 2
    MancaTD,                   // 3
    MancaTAbs,                 // 4
    MancaBib,                  // 5
    MancaResponsabilita,       // 6
    MancaTraduzione,           // 7
    TraduzioneCompilatore,     // 7
    MancanoTesti,              // 8
    TitoloTradotto,            // 9
    MancaTraduzioneTitolo,     // 9
    TraduzioneSenzaEA,         // 9
    MancaNota,                 // 10
    NotaConContributo,         // 10
    TAbs400,                   // 11
    TAbs500,                   // 11, also 800
    TAbs600,                   // 11
    TAbs700,                   // 11
    TAbs900,                   // 11
    CoppiaNonValida,           // 12
    AsteriscataValida,         // 12
    AsteriscataNonValida,      // 12
    MancaClassificazione,      // 13
    MancaFonte,                // 14
    DataImpossibile,           // 14
    SenzaNumero,               // 14
    NumeroCorteCostituzionale, // 14
    FonteErrata,               // 14
};

// The rule's name as its lines begin, without what varies: "Fonte errata", "Manca indicazione TD",
// "TAbs=500/800 e manca riassunto e/o sommario e/o in tema di".
QString NomeRegola(RegolaRilievo regola);

struct Rilievo {
    ElencoErrori elenco = ElencoErrori::Generali;
    QString testo; // the line of the error list, "(rec. N)" included
    CampoRilievo campo = CampoRilievo::Rivista;
    int voce = -1; // the pair or source it is about: its position in the document's list
    RegolaRilievo regola = RegolaRilievo::MancaRiferimento;

    bool operator==(const Rilievo&) const = default;
};

// A classification pair as it is stored (deleted entries are not stored).
struct CoppiaControllo {
    QString CodiceS;
    QString CodiceD;
    qint64 Controllo = 0;
    int voce = -1;
};

// A source of the families rule 14 examines (domestic laws and constitutional-court decisions),
// with the act or court name of tabFonteInterna, as stored; or an EU act (NIC), with its name of
// tabFonteCom, whose date alone is examined (DataImpossibile).
struct FonteControllo {
    QString TP;
    QString testo;
    QVariant numero; // text as a rule, Null or a number in archives of other tools
    QString giorno;
    QString mese; // the month's number as stored, "0" for none
    QString anno;
    QString FonteNorm;
    int voce = -1;
};

// What the rules read of one document, asked for in the order of the rules so that a stored
// document is read only as far as the rules get. Two sources: the archive's rows (DatiArchivio) and
// the document window's buffer.
class DatiControllo {
public:
    virtual ~DatiControllo() = default;

    virtual qint64 id() const = 0;
    virtual bool senzaRiferimento() = 0;     // 1: no bibliographic reference
    virtual QVariant pagine() = 0;           // 2
    virtual std::optional<QString> TD() = 0; // 3 to 5 and 10, 11: nullopt for Null
    virtual std::optional<QString> TAbs() = 0;
    virtual std::optional<QString> Bib() = 0;
    virtual bool straniera() = 0;                    // 9: the language is not "00"
    virtual bool haResponsabilita() = 0;             // 6
    virtual bool haEnglishAbstract() = 0;            // 7
    virtual std::optional<QString> traduzione() = 0; // 7: the title translation, nullopt when none
    // 8: calls tipo for each text kind stored; false when the document has no text at all.
    virtual bool perOgniTipoTesto(const std::function<void(int tipo)>& tipo) = 0;
    // 12, 13: each pair in list order; false when there is none.
    virtual bool perOgniCoppia(const std::function<void(const CoppiaControllo&)>& coppia) = 0;
    // 14: each source that rule 14 examines, and each EU act, in list order; false when the
    // document cites no source at all (of any family).
    virtual bool perOgniFonte(const std::function<void(const FonteControllo&)>& fonte) = 0;
};

// What the norms catalogue answered within one run, by date, number and abbreviation: an act
// cited by many documents is looked up once.
using MemoriaCatalogo = QHash<QString, bool>;

// Applies rules 1 to 14 in their order and hands each finding on as soon as it is found (a list
// being written keeps what was found before a failure). Rule 14 reads the norms catalogue through
// state.ConnessioneCatalogo, which must be open when a law is to be looked up: otherwise, and when
// a statement is refused, throws DbError.
void ControllaDocumento(AppState& state, DatiControllo& dati, const std::function<void(Rilievo&&)>& rilievo,
                        MemoriaCatalogo* memoria = nullptr);

// Rule 2: the pages text reads as the number 0 ("0", " 0", "00", "0.0", "0,0"). Empty, Null and
// non-numeric texts ("12-15", "abc") never fire.
bool PagineZero(const QVariant& pagine);

// A stored document, read through the archive's connection with statements reused from document to
// document. The row is the current row of "select * from tabDocumento ..."; the column positions are
// found once by ColonneDocumento.
struct ColonneDocumento {
    int id = -1, rifBibl = -1, pagine = -1, TD = -1, TAbs = -1, Bib = -1, LIN = -1;
    // Throws DbError when the table lacks one of them.
    static ColonneDocumento di(const RecordSet& rs);
};

class DatiArchivio : public DatiControllo {
public:
    DatiArchivio(cConnessione& connection, const RecordSet& riga, const ColonneDocumento& colonne);

    qint64 id() const override { return id_; }
    bool senzaRiferimento() override;
    QVariant pagine() override;
    std::optional<QString> TD() override;
    std::optional<QString> TAbs() override;
    std::optional<QString> Bib() override;
    bool straniera() override;
    bool haResponsabilita() override;
    bool haEnglishAbstract() override;
    std::optional<QString> traduzione() override;
    bool perOgniTipoTesto(const std::function<void(int tipo)>& tipo) override;
    bool perOgniCoppia(const std::function<void(const CoppiaControllo&)>& coppia) override;
    bool perOgniFonte(const std::function<void(const FonteControllo&)>& fonte) override;

private:
    std::optional<QString> testo(int colonna) const;

    cConnessione& db_;
    const RecordSet& riga_;
    const ColonneDocumento& c_;
    qint64 id_;
};

struct EsitoControlli {
    QList<Rilievo> rilievi; // in the order of the lists
    QString interruzione;   // why the rules stopped before the end (the findings up to there are kept)
    bool completo() const { return interruzione.isEmpty(); }
};

// The findings of one stored document, in the order of the error lists (general, classification,
// sources) and within each list in the order the check run writes them. The catalogue is opened
// when it is not open yet and stays open for the next document (the archive's closing closes it).
// nullopt when the document is not there; a refused statement or a missing catalogue is told in
// interruzione.
std::optional<EsitoControlli> RilieviDocumento(AppState& state, qint64 IDDocumento);

// Runs the rules on a document's data with the catalogue opened as above; never throws DbError.
EsitoControlli Controlla(AppState& state, DatiControllo& dati);

// The findings in list order, each list's own order kept.
void OrdinaPerElenco(QList<Rilievo>& rilievi);

// "1 rilievo", "3 rilievi", "2 056 rilievi".
QString ContaRilievi(qsizetype n);
