#pragma once

// What a capture read of an article: its bibliographic fields as a DOI record or a web page gave
// them, each with where it was read. A field not found stays empty: nothing is made up.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

struct PersonaCatturata {
    QString cognome; // family name with its particles ("van Assen"); an organisation's whole name
    QString nome;    // given names; empty for an organisation
    bool ente = false;

    bool operator==(const PersonaCatturata&) const = default;
};

// A publication date with the parts its source gave: month and day 0 when not given.
struct DataCatturata {
    int anno = 0;
    int mese = 0;
    int giorno = 0;

    bool vuota() const { return anno == 0; }
    // "YYYY", "YYYY-MM" or "YYYY-MM-DD"; empty when there is no year.
    QString iso() const;
    bool operator==(const DataCatturata&) const = default;
};

// A date as pages and records write it: "2017-01-30", "2017/01", "2014-07-29T00:00:00Z",
// "Dec 20, 2006", "20 dicembre 2006", "2013". Empty when no year can be read.
DataCatturata DataDaTesto(QStringView testo);

// The fields, in the order they are shown; their JSON names are those of `capture --format json`.
enum class CampoMetadati {
    Titolo,
    Autori,
    Curatori,
    Rivista,
    Issn,
    Data,
    Volume,
    Fascicolo,
    AnnoVolume,
    PrimaPagina,
    UltimaPagina,
    Lingua,
    Abstract,
    ParoleChiave,
    Doi,
    Url,
};
QString nomeJson(CampoMetadati campo);

struct MetadatiArticolo {
    QString titolo;
    QList<PersonaCatturata> autori;
    QList<PersonaCatturata> curatori; // editors: never authors
    QString rivista;
    QStringList issn; // "1234-567X", each once
    DataCatturata data;
    QString volume;
    QString fascicolo;
    int annoVolume = 0; // the year the source gives to the volume or issue itself
    QString primaPagina;
    QString ultimaPagina;
    QString lingua;       // as the source writes it: "en", "eng", "English"
    QStringList abstract; // paragraphs
    QStringList paroleChiave;
    QString doi;
    QString url;
    QMap<CampoMetadati, QString> origine; // where each field present was read

    bool ha(CampoMetadati campo) const;
    // Nothing that describes the article (a DOI or an address alone does not).
    bool vuoto() const;
    // Takes from `altra` the fields this reading lacks, with their origin.
    void completa(const MetadatiArticolo& altra);
    bool operator==(const MetadatiArticolo&) const = default;
};

// "1234-567X" from "1234567x", "ISSN 1234-567X"; empty when it is not an ISSN.
QString IssnNormale(QStringView testo);
// Adds ISSNs not there yet.
void aggiungiIssn(QStringList& elenco, const QStringList& nuovi);

// A page range as records write it ("75-92", "1–10", "e3000937", "123-9" for 123-129): the
// first page and the last (empty when the range is one page or an article number).
std::pair<QString, QString> PagineDaIntervallo(QStringView testo);

// The DOI in a text ("10.1234/abc", "doi:10.1234/abc", "https://doi.org/10.1234/abc"); empty when
// there is none.
QString DoiDaTesto(QStringView testo);

// The reading as `capture` prints it: one object with the fields found and "origin".
QByteArray JsonMetadati(const MetadatiArticolo& m);
// One line per field ("Titolo: ... [origin]"), the persons and paragraphs on lines of their own.
QString TestoMetadati(const MetadatiArticolo& m);
