#include "store/VersioneArchivio.h"

#include "store/cConnessione.h"

namespace {

// A read-only archive of an earlier schema is read as it is: it has no versions.
bool haTabella(cConnessione& connection, const QString& tabella) {
    return !connection
                .ApriRS(QStringLiteral("select 1 from sqlite_schema where type = 'table' and name = ? "
                                       "collate nocase"),
                        {tabella})
                .eof();
}

} // namespace

qint64 AvanzaVersione(cConnessione& connection) {
    // The row is made again if another tool took it away: versions still never go back.
    if (connection.EseguiIstruzione(
            QStringLiteral("update tabVersione set Versione = Versione + 1 where ID = 1")) == 0)
        connection.EseguiIstruzione(QStringLiteral("insert into tabVersione (ID, Versione) select 1, "
                                                   "coalesce(max(Versione), 0) + 1 from tabDocumento"));
    return connection.ApriRS(QStringLiteral("select Versione from tabVersione where ID = 1"))
        .field(0)
        .toLongLong();
}

qint64 VersioneArchivio(cConnessione& connection) {
    if (!haTabella(connection, QStringLiteral("tabVersione")))
        return 0;
    RecordSet rs = connection.ApriRS(QStringLiteral("select Versione from tabVersione where ID = 1"));
    return rs.eof() ? 0 : rs.field(0).toLongLong();
}

std::optional<qint64> VersioneDocumento(cConnessione& connection, qint64 IDDoc) {
    RecordSet rs =
        connection.ApriRS(QStringLiteral("select * from tabDocumento where IDDocumento = ?"), {IDDoc});
    if (rs.eof())
        return std::nullopt;
    const int colonna = rs.columnIndex(u"Versione");
    return colonna < 0 ? 0 : rs.field(colonna).toLongLong();
}

void RegistraVersionePasso(cConnessione& connection, const QString& codice) {
    connection.EseguiIstruzione(
        QStringLiteral("insert into tabPassi (Codice, Versione) values (?, (select coalesce(max(Versione), "
                       "0) from tabVersione)) on conflict (Codice) do update set Versione = "
                       "excluded.Versione"),
        {codice});
}

QHash<QString, qint64> VersioniPassi(cConnessione& connection) {
    QHash<QString, qint64> versioni;
    if (!haTabella(connection, QStringLiteral("tabPassi")))
        return versioni;
    RecordSet rs = connection.ApriRS(QStringLiteral("select Codice, Versione from tabPassi"));
    for (; !rs.eof(); rs.moveNext())
        versioni.insert(rs.field(0).toString(), rs.field(1).toLongLong());
    return versioni;
}
