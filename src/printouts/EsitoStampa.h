#pragma once

#include "store/TextOutput.h"
#include "store/cConnessione.h"

#include <QString>
#include <exception>

// How a print or report ended: the file written and, when it stopped early, why. The closing
// boxes of a finished run are shown by the run itself; a failure is reported by the caller.
struct EsitoStampa {
    bool ok = false;
    QString path;            // the file written; after a failure it is as it was before the run
    QString errore;          // the reason, when not ok
    bool interrotta = false; // the failure came after writing had begun
    qint64 documenti = 0;
};

// Runs the body of a print into out. A database or file error stops it: what was written is
// dropped, the file under esito.path stays as it was, and the reason goes into esito. Answers
// esito.ok.
template <typename Body> bool eseguiStampa(EsitoStampa& esito, TextOutput& out, Body&& body) {
    try {
        body();
        out.close();
        esito.ok = true;
        return true;
    } catch (const DbError& e) {
        esito.errore = QStringLiteral("Errore %1 --> %2").arg(e.number()).arg(e.description());
    } catch (const std::exception& e) {
        esito.errore = QString::fromStdString(e.what());
    }
    esito.interrotta = !out.path().isEmpty();
    out.discard();
    esito.ok = false;
    return false;
}

// What the operator reads when a print failed: the reason, then, when writing had begun, that
// the file was not written and the earlier one, if any, is still there.
QString MessaggioStampaNonRiuscita(const EsitoStampa& esito);
