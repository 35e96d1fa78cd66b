#include "store/MessaggiErrore.h"

#include <sqlite3.h>

QString SpiegazioneErroreDb(int number) {
    switch (number & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("L'archivio è in uso da un altro programma: riprovare tra qualche istante.");
    case SQLITE_READONLY:
        return QStringLiteral(
            "L'archivio è in sola lettura: controllare i permessi del file e della sua cartella.");
    case SQLITE_FULL:
        return QStringLiteral("Il disco è pieno: liberare spazio e riprovare.");
    case SQLITE_IOERR:
        return QStringLiteral(
            "Errore di lettura o scrittura sul disco: controllare il disco o la rete e riprovare.");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral(
            "L'archivio è danneggiato o non è un archivio valido: ripristinarlo da una copia "
            "di sicurezza.");
    case SQLITE_CANTOPEN:
        return QStringLiteral(
            "Impossibile aprire il file dell'archivio: controllare che esista e sia accessibile.");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("Accesso all'archivio negato: controllare i permessi.");
    case SQLITE_NOMEM:
        return QStringLiteral("Memoria insufficiente: chiudere altri programmi e riprovare.");
    case SQLITE_TOOBIG:
        return QStringLiteral("Un valore è troppo grande per essere registrato: accorciarlo e riprovare.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral(
            "I dati contrastano con un vincolo dell'archivio (un valore doppio o mancante): "
            "correggerli e riprovare.");
    case SQLITE_INTERRUPT:
        return QStringLiteral("L'operazione è stata interrotta: riprovare.");
    default:
        break;
    }
    // Our own Jet-style numbers (3021, 3265, 3704, ...) come with an Italian description already.
    if (number >= 3000)
        return {};
    return QStringLiteral("Errore dell'archivio: riprovare; se si ripete, rivolgersi all'assistenza.");
}

QString MessaggioErroreDb(const QString& cosa, int number, const QString& description) {
    QStringList lines;
    if (!cosa.isEmpty())
        lines << cosa;
    const QString spiegazione = SpiegazioneErroreDb(number);
    if (!spiegazione.isEmpty())
        lines << spiegazione;
    if (!description.isEmpty())
        lines << QStringLiteral("Dettaglio tecnico: %1 (errore %2)").arg(description).arg(number);
    return lines.join(u'\n');
}

QString MessaggioErroreDb(const QString& cosa, const DbError& e) {
    return MessaggioErroreDb(cosa, e.number(), e.description());
}
