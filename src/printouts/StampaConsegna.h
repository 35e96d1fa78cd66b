#pragma once

// The RTF delivery print: the complete print and the texts-only print of the documents of the open
// archive, written as they are read into dump/stampaRTF-C-<Consegna>.rtf or stampaRTF-T-<...>.rtf.
// Every archive text goes through rtfEscape, so the file is ASCII and opens in every reader.

#include "store/PosizioniPerChiave.h"
#include "printouts/EsitoStampa.h"
#include "store/AppState.h"

#include <QHash>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <utility>

// The paragraph that the lines of a document use after its first: a hanging indent of 397 twips.
const QString& ParagrafoDocumento();

// The fields of a tabDocumento row that the print reads (Null read as empty text).
struct DocumentoStampa {
    qint64 IDDocumento = 0;
    qint64 IDRifBibl = 0;
    QString pagine, TAbs, Bib, TD, LIN, lo, lr, la, DocURL;
};

// The issue of a document: its tabRifBibl row and the journal's title (Null read as empty text).
struct RiferimentoBibl {
    QString IDRivistaOnline, Data, Fascicolo, Volume, Annata, Titolo;
};

// The first text of each kind ("0".."8") of a document.
struct TestiDocumento {
    std::array<std::optional<QString>, 9> perTipo;
    const std::optional<QString>& operator[](QChar tipo) const;
};

// Heading of the note (kind "4") by the document type; empty when the note is not printed.
QString TitoloNotaPerTD(const QString& TD);

// The plain text of "Riferimenti estesi" (not yet made safe for RTF). tipoBibliografia is what the
// bibliography code stands for (the code itself when tabBIB has no row for it).
QString RiferimentoEsteso(const RiferimentoBibl& r, const QString& pagine, const QString& Bib,
                          const QString& tipoBibliografia);

// One run of the print: the fragments of a document, each a finished RTF line. The small lookup
// tables (tabBIB, tabSistematici, tabDescrittori, tabLegameDSA) are read once per code and run.
class StampaRtf {
public:
    StampaRtf(AppState& state, bool completa);
    ~StampaRtf();

    // The documents will come in IDDocumento order: their links are then read by one cursor per
    // table, moved on with the documents, instead of statements for every document.
    void LeggiInOrdine();

    QString RigaTitolo() const;
    QString Identificativo(qint64 IDDocumento) const;
    QString RigaDocumento(qint64 IDDocumento, bool filtro) const;
    QString RigaDocID(qint64 IDDocumento) const;

    // The two coded lines (complete print only) and the extended reference; nothing when the
    // reference or its journal is not in the archive.
    QStringList StampaRiferimento(const DocumentoStampa& d);
    std::optional<QString> StampaResponsabilita(qint64 IDDocumento);
    TestiDocumento LeggiTesti(qint64 IDDocumento);
    static std::optional<QString> StampaTesto(const TestiDocumento& testi, QChar tipo, const QString& titolo);
    static std::optional<QString> StampaNotaCompilatore(const TestiDocumento& testi);
    std::optional<QString> StampaFonti(qint64 IDDocumento);
    std::optional<QString> StampaClassificazione(qint64 IDDocumento);

    // Every line of one document, in print order, appended to lines.
    void StampaDocumento(const DocumentoStampa& d, bool filtro, QStringList& lines);

    // What a lookup contributes; the code alone when the table has no row for it.
    QString TipoBibliografia(const QString& Bib);
    QString VoceSistematico(const QString& CodiceS);
    QString VoceDescrittore(const QString& CodiceD);

private:
    struct Flussi;

    AppState& state_;
    cConnessione& db_;
    bool completa_;
    std::unique_ptr<Flussi> flussi_;
    // The issues met, by key: the documents of an issue mostly follow one another, but not always.
    QHash<qint64, std::optional<RiferimentoBibl>> riferimenti_;
    QHash<QString, std::optional<QString>> bib_;
    QHash<QString, std::optional<std::pair<QString, QString>>> sistematici_; // Sigla, Descrizione
    QHash<QString, std::optional<QString>> descrittori_;
    QHash<QString, std::optional<QString>> legameDSA_;
    // Every source's citation in the print, read in one pass over the sources table (a look-up per
    // link costs more, the more sources there are), found by its key through fontiPerChiave_.
    std::vector<QString> fontiRtf_;
    PosizioniPerChiave fontiPerChiave_;
    QHash<QString, QString> coppieRtf_; // a pair's entry in the print
};

// The template: program folder + fileName read whole, lines joined without separator, every
// "Consegna xxx" (any case) replaced by "Consegna " + Consegna. Throws std::runtime_error when
// the file is missing or cannot be read, naming it and saying that the print was not made.
QString LeggiModello(AppState& state, const QString& fileName);

// dump/stampaRTF-C-<Consegna>.rtf or dump/stampaRTF-T-<Consegna>.rtf
QString FileStampaConsegna(const AppState& state, bool completa);

// The whole print over the open archive. Shows "Fine stampa" when it is written; a failure is
// returned (the file stays as it was before the print) for the caller to report.
EsitoStampa StampaConsegna(AppState& state, bool completa, bool filtro);
