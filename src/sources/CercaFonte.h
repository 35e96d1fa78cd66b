#pragma once

// The two statement builders with which a document save stores a source entry without making a
// duplicate: CercaFonte finds an identical tabFonte row, InserisciFonte adds a new one. Both look up
// the keys of the entry's names and places; a city, ministry, administration, authority, section
// or state that is not there yet is added with Nuovo = 1 (inside the caller's transaction).

#include "store/VoceFonte.h"
#include "store/cConnessione.h"

#include <QString>
#include <QVariantList>

// A statement with its bound values.
struct IstruzioneSql {
    QString sql;
    QVariantList params;
};

// The month as tabFonte stores it: its number, "0" without a month.
QString MeseFonte(const VoceFonte& voce);

// The select that yields the IDFonte of the rows identical to the entry (none when there is none).
// Throws DbError when a fixed name, region or province is not in its table.
IstruzioneSql CercaFonte(cConnessione& connection, const VoceFonte& voce);

// The insert that stores the entry as a new tabFonte row. Same lookups and failures.
IstruzioneSql InserisciFonte(cConnessione& connection, const VoceFonte& voce);

// The key of a source entry in the archive: the identical row, or a new one. The entry is not changed.
qint64 MemorizzaFonte(cConnessione& connection, const VoceFonte& voce);

// Whether the save finds the entry's name in the table of its family (true for the families
// without one): a name that is not there fails the save with error 3021.
bool NomeFonteNoto(cConnessione& connection, const VoceFonte& voce);

// Key of a fixed value (names of acts and courts, regions, provinces); throws DbError when missing.
qint64 ChiaveFissa(cConnessione& connection, const QString& table, const QString& keyColumn,
                   const QString& textColumn, const QString& value);

// Key of an editable value, added with Nuovo = 1 when missing.
qint64 ChiaveOAggiungi(cConnessione& connection, const QString& table, const QString& keyColumn,
                       const QString& textColumn, const QString& value);

// Where the name of a group's entry is looked up: table, key column, text column. Empty table for
// the groups without a name table.
struct TabellaNomi {
    QString table;
    QString keyColumn;
    QString textColumn;
};
TabellaNomi tabellaNomi(GruppoFonte gruppo);
