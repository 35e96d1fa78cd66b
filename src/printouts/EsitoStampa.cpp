#include "printouts/EsitoStampa.h"

#include <QDir>
#include <QFileInfo>

QString MessaggioStampaNonRiuscita(const EsitoStampa& esito) {
    if (!esito.interrotta)
        return esito.errore;
    const QString file = QDir::toNativeSeparators(esito.path);
    return esito.errore + u'\n' +
           (QFileInfo::exists(esito.path)
                ? QStringLiteral(
                      "Stampa interrotta: il file %1 non è stato sostituito, resta quello di prima.")
                : QStringLiteral("Stampa interrotta: il file %1 non è stato scritto."))
               .arg(file);
}
