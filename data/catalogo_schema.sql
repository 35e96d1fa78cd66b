-- The norms catalogue: one row per Italian act, read only.
PRAGMA application_id = 1364087363; -- 'QNRC'
PRAGMA user_version = 1;

-- promulgazione as ISO text YYYY-MM-DD.
CREATE TABLE tabCatalogo (
    id            INTEGER PRIMARY KEY,
    estremi       TEXT,
    titolo        TEXT,
    anno          INTEGER,
    numero        TEXT,
    promulgazione TEXT,
    abbreviazione TEXT
);
CREATE INDEX ixCatalogoEstremi ON tabCatalogo (promulgazione, numero, abbreviazione);
CREATE INDEX ixCatalogoAnno ON tabCatalogo (anno, numero);
-- The acts of a kind and number whatever their date: a citation whose date slipped.
CREATE INDEX ixCatalogoNumero ON tabCatalogo (numero, abbreviazione);
