#include "checks/AggiornaInfo.h"

#include "checks/ImprontaControllo.h"

bool AggiornaInfo(AppState& state, const QString& code) {
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
        return true;
    const int index = code[0].unicode() - u'1';
    // The bookkeeping is no change to the documents: the last check's lists stay current.
    SeguitoImpronta impronta(state);
    try {
        state.Connessione.EseguiIstruzione(
            QStringLiteral("update tabInfo set %1 = '1'").arg(QString::fromLatin1(columns[index])));
    } catch (const DbError& e) {
        // The flag is a record of what was done; a failure to write it never stops the operation.
        state.infoNotRecorded = e.description();
        return false;
    }
    impronta.avanza();
    return true;
}
