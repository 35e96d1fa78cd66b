-- Quillaro archive: the tables of one delivery and its own copy of the lookup tables.
-- Every archive is marked as ours ('QNRO'; the template is re-marked 'QNRT' once built); opening
-- anything else fails. Schema 2: issues, names and sources compare without regard to case, as the
-- centre's Jet archives always did (SQLite's own NOCASE, so that any SQLite tool opens the file).
-- Schema 3: the versions that let two programs work on one archive without overwriting each other.
PRAGMA application_id = 1364087375; -- 'QNRO'
PRAGMA user_version = 3;

-- Documents -------------------------------------------------------------------

CREATE TABLE tabRivisteOnline (
    IDRivistaOnline TEXT PRIMARY KEY,
    Titolo          TEXT,
    IDPeriodicita   TEXT
);

CREATE TABLE tabRifBibl (
    IDRifBibl       INTEGER PRIMARY KEY,
    IDRivistaOnline TEXT,
    Data            TEXT,
    Fascicolo       TEXT COLLATE NOCASE,
    Volume          TEXT COLLATE NOCASE,
    Annata          TEXT COLLATE NOCASE
);
CREATE INDEX ixRifBiblRivista ON tabRifBibl (IDRivistaOnline, Data);

CREATE TABLE tabDocumento (
    IDDocumento INTEGER PRIMARY KEY,
    IDRifBibl   INTEGER NOT NULL DEFAULT 0,
    Pagine      TEXT,
    TAbs        TEXT,
    Bib         TEXT,
    TD          TEXT,
    LIN         TEXT DEFAULT '00',
    LO          TEXT DEFAULT '00',
    LR          TEXT DEFAULT '00',
    LA          TEXT DEFAULT '00',
    DocURL      TEXT,
    Versione    INTEGER NOT NULL DEFAULT 0 -- tabVersione.Versione of the save that wrote it last
);
CREATE INDEX ixDocumentoRifBibl ON tabDocumento (IDRifBibl);

CREATE TABLE tabTesto (
    IDTesto INTEGER PRIMARY KEY,
    Testo   TEXT
);

CREATE TABLE legameDocTesto (
    IDDoc   INTEGER NOT NULL,
    IDTesto INTEGER NOT NULL,
    Tipo    TEXT NOT NULL
);
CREATE INDEX ixDocTestoDoc ON legameDocTesto (IDDoc, Tipo);
CREATE INDEX ixDocTestoTesto ON legameDocTesto (IDTesto);
CREATE INDEX ixDocTestoTipo ON legameDocTesto (Tipo, IDDoc);

CREATE TABLE tabResponsabilita (
    IDResponsabilita INTEGER PRIMARY KEY,
    PrimoElemento    TEXT COLLATE NOCASE,
    SecondoElemento  TEXT COLLATE NOCASE
);
CREATE INDEX ixResponsabilitaNome ON tabResponsabilita (PrimoElemento, SecondoElemento);

CREATE TABLE legameDocResp (
    IDDoc            INTEGER NOT NULL,
    IDResponsabilita INTEGER NOT NULL,
    FlagAutore       INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixDocRespDoc ON legameDocResp (IDDoc);

CREATE TABLE legameDocClass (
    ID        INTEGER PRIMARY KEY,
    IDDoc     INTEGER NOT NULL,
    CodiceS   TEXT,
    CodiceD   TEXT,
    Controllo INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixDocClassDoc ON legameDocClass (IDDoc);

-- Legal sources ---------------------------------------------------------------

CREATE TABLE tabFonte (
    IDFonte           INTEGER PRIMARY KEY,
    TP                TEXT,
    articolo          TEXT COLLATE NOCASE,
    comma             TEXT COLLATE NOCASE,
    lettera           TEXT COLLATE NOCASE,
    allegato          TEXT COLLATE NOCASE,
    ripa              TEXT COLLATE NOCASE,
    ripc              TEXT COLLATE NOCASE,
    numero            TEXT COLLATE NOCASE,
    numeroP           TEXT COLLATE NOCASE,
    giorno            TEXT COLLATE NOCASE,
    anno              TEXT COLLATE NOCASE,
    mese              TEXT COLLATE NOCASE,
    altro             TEXT COLLATE NOCASE,
    testo             TEXT COLLATE NOCASE,
    IDNomeFonte       INTEGER NOT NULL DEFAULT 0,
    IDRegione         INTEGER NOT NULL DEFAULT 0,
    IDCitta           INTEGER NOT NULL DEFAULT 0,
    IDProvincia       INTEGER NOT NULL DEFAULT 0,
    IDMinistero       INTEGER NOT NULL DEFAULT 0,
    IDAmministrazione INTEGER NOT NULL DEFAULT 0,
    IDAutorita        INTEGER NOT NULL DEFAULT 0,
    IDSezione         INTEGER NOT NULL DEFAULT 0,
    IDStato           INTEGER NOT NULL DEFAULT 0,
    Ordinanza         INTEGER NOT NULL DEFAULT 0,
    Decreto           INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixFonteTesto ON tabFonte (testo);
CREATE INDEX ixFonteTP ON tabFonte (TP, IDNomeFonte);

-- ID is a counter of ours: the checks list a document's sources in link order.
CREATE TABLE legameDocFonte (
    ID      INTEGER PRIMARY KEY,
    IDDoc   INTEGER NOT NULL,
    IDFonte INTEGER NOT NULL
);
CREATE INDEX ixDocFonteDoc ON legameDocFonte (IDDoc);
CREATE INDEX ixDocFonteFonte ON legameDocFonte (IDFonte);

-- Delivery information: exactly one row, inserted when the archive is created.
CREATE TABLE tabInfo (
    IDCentroSpoglio          TEXT,
    AnnoProduzione           TEXT,
    Consegna                 TEXT,
    NumInizio                TEXT,
    Storico                  TEXT NOT NULL DEFAULT '',
    Celex                    TEXT NOT NULL DEFAULT '',
    StampaCompleta           TEXT NOT NULL DEFAULT '',
    StampaSoloTesto          TEXT NOT NULL DEFAULT '',
    StampaConsistenze        TEXT NOT NULL DEFAULT '',
    StampaProspetto          TEXT NOT NULL DEFAULT '',
    VisualizzaErroriGenerici TEXT NOT NULL DEFAULT '',
    VisualizzaErroriClasse   TEXT NOT NULL DEFAULT '',
    VisualizzaErroriFonti    TEXT NOT NULL DEFAULT ''
);

-- The archive's version: one row, raised by every save and deletion of documents. A document keeps
-- the version of its last save (tabDocumento.Versione), so a save can tell that the document changed
-- after it was loaded; each step of the delivery recorded in tabInfo keeps, in tabPassi, the version
-- it was done on, so a later change shows the step to be redone.
CREATE TABLE tabVersione (
    ID       INTEGER PRIMARY KEY CHECK (ID = 1),
    Versione INTEGER NOT NULL DEFAULT 0
);
INSERT INTO tabVersione (ID, Versione) VALUES (1, 0);

CREATE TABLE tabPassi (
    Codice   TEXT PRIMARY KEY, -- AggiornaInfo's code
    Versione INTEGER NOT NULL DEFAULT 0
);

-- Code lists of the document window -------------------------------------------

CREATE TABLE tabLingua (
    idLingua TEXT PRIMARY KEY,
    Lingua   TEXT
);

CREATE TABLE tabTAbs (
    IDTAbs       TEXT PRIMARY KEY,
    TipoAbstract TEXT
);

CREATE TABLE tabTipoDoc (
    IDTD    TEXT PRIMARY KEY,
    TipoDoc TEXT
);

CREATE TABLE tabBib (
    IDBib            TEXT PRIMARY KEY,
    TipoBibliografia TEXT
);

-- Places and bodies of the sources. Names and codes of the lookup tables compare without regard
-- to case, as operators type them: a city typed "milano" is Milano, not a new city.

CREATE TABLE tabRegione (
    IDRegione  INTEGER PRIMARY KEY,
    CodRegione TEXT COLLATE NOCASE,
    Regione    TEXT
);
CREATE INDEX ixRegioneCod ON tabRegione (CodRegione);

CREATE TABLE tabProvincia (
    IDProvincia  INTEGER PRIMARY KEY,
    CodProvincia TEXT COLLATE NOCASE,
    provincia    TEXT
);
CREATE INDEX ixProvinciaCod ON tabProvincia (CodProvincia);

CREATE TABLE tabCitta (
    IDCitta INTEGER PRIMARY KEY,
    Citta   TEXT COLLATE NOCASE,
    Nuovo   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixCitta ON tabCitta (Citta);

CREATE TABLE tabMinistero (
    IDMinistero   INTEGER PRIMARY KEY,
    MinisteroNorm TEXT COLLATE NOCASE,
    Nuovo         INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixMinistero ON tabMinistero (MinisteroNorm);

CREATE TABLE tabAmministrazione (
    IDAmministrazione   INTEGER PRIMARY KEY,
    AmministrazioneNorm TEXT COLLATE NOCASE,
    Nuovo               INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixAmministrazione ON tabAmministrazione (AmministrazioneNorm);

CREATE TABLE tabAutorita (
    IDAutorita   INTEGER PRIMARY KEY,
    AutoritaNorm TEXT COLLATE NOCASE,
    Nuovo        INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixAutorita ON tabAutorita (AutoritaNorm);

CREATE TABLE tabSezione (
    IDSezione INTEGER PRIMARY KEY,
    Sigla     TEXT COLLATE NOCASE,
    Nuovo     INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixSezione ON tabSezione (Sigla);

CREATE TABLE tabStato (
    IDStato INTEGER PRIMARY KEY,
    Stato   TEXT COLLATE NOCASE,
    Nuovo   INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ixStato ON tabStato (Stato);

-- Names of acts and courts -------------------------------------------------------

-- liv1: page (0 Costituzione, 1 Codificazioni, 2 Normativa, 3 Giurisprudenza);
-- liv2: kind within the page.
CREATE TABLE tabFonteInterna (
    IDFonteInterna INTEGER PRIMARY KEY,
    FonteNorm      TEXT COLLATE NOCASE,
    liv1           TEXT,
    liv2           TEXT
);
CREATE INDEX ixFonteInternaNorm ON tabFonteInterna (FonteNorm);
CREATE INDEX ixFonteInternaLiv ON tabFonteInterna (liv1, liv2);

CREATE TABLE tabFonteInt (
    IDFonteInt INTEGER PRIMARY KEY,
    FonteInt   TEXT COLLATE NOCASE,
    Tipo       INTEGER
);
CREATE INDEX ixFonteInt ON tabFonteInt (FonteInt);

-- Settore, annoF and Codice make up the CELEX number of a source.
CREATE TABLE tabFonteCom (
    IDFonteCom INTEGER PRIMARY KEY,
    FonteCom   TEXT COLLATE NOCASE,
    Tipo       INTEGER,
    Settore    TEXT,
    annoF      TEXT,
    Codice     TEXT
);
CREATE INDEX ixFonteCom ON tabFonteCom (FonteCom);

CREATE TABLE tabFonteCan (
    IDFonteCan INTEGER PRIMARY KEY,
    FonteCan   TEXT COLLATE NOCASE,
    Tipo       INTEGER
);
CREATE INDEX ixFonteCan ON tabFonteCan (FonteCan);

-- International treaties; Data as ISO text YYYY-MM-DD.
CREATE TABLE tabNIT (
    IDNIT       INTEGER PRIMARY KEY,
    NIT         TEXT,
    Descrizione TEXT,
    Numero      TEXT,
    Data        TEXT,
    Fonte       TEXT
);

-- Classification scheme ---------------------------------------------------------------

CREATE TABLE tabSistematici (
    CodiceS     TEXT PRIMARY KEY COLLATE NOCASE,
    Descrizione TEXT,
    Sigla       TEXT
);

CREATE TABLE tabDescrittori (
    CodiceD     TEXT PRIMARY KEY COLLATE NOCASE,
    Descrizione TEXT
);

CREATE TABLE tabLegameDS (
    ID INTEGER PRIMARY KEY,
    NS TEXT COLLATE NOCASE,
    ND TEXT COLLATE NOCASE
);
CREATE INDEX ixLegameDS ON tabLegameDS (NS, ND);
-- The systematic codes a descriptor goes with (the fixes of an invalid pair).
CREATE INDEX ixLegameDSDescrittore ON tabLegameDS (ND);

CREATE TABLE tabLegameDSA (
    ID      INTEGER PRIMARY KEY,
    NS      TEXT COLLATE NOCASE,
    ND      TEXT,
    CodiceD TEXT COLLATE NOCASE
);
CREATE INDEX ixLegameDSA ON tabLegameDSA (NS, CodiceD);
CREATE INDEX ixLegameDSACodice ON tabLegameDSA (CodiceD);
