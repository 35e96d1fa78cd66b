#include "checks/AggiornaInfo.h"

#include "checks/ImprontaControllo.h"
#include "store/VersioneArchivio.h"

QString ColonnaInfo(const QString& code) {
    static const char* const columns[] = {"Storico",
                                          "CELEX",
                                          "StampaCompleta",
                                          "StampaSoloTesto",
                                          "StampaConsistenze",
                                          "StampaProspetto",
                                          "VisualizzaErroriGenerici",
                                          "VisualizzaErroriClasse",
                                          "VisualizzaErroriFonti"};
    if (code.size() != 1 || code[0] < u'1' || code[0] > u'9')
        return {};
    return QString::fromLatin1(columns[code[0].unicode() - u'1']);
}

bool AggiornaInfo(AppState& state, const QString& code) {
    const QString column = ColonnaInfo(code);
    if (column.isEmpty())
        return true;
    // The bookkeeping is no change to the documents: the last check's lists stay current.
    SeguitoImpronta impronta(state);
    try {
        Transaction t(state.Connessione);
        state.Connessione.EseguiIstruzione(
            QStringLiteral("update tabInfo set %1 = '1'").arg(column));
        // What the step was done on: a later save shows it to be redone.
        RegistraVersionePasso(state.Connessione, code);
        t.commit();
    } catch (const DbError& e) {
        // The flag is a record of what was done; a failure to write it never stops the operation.
        state.infoNotRecorded = e.description();
        return false;
    }
    impronta.avanza();
    return true;
}
