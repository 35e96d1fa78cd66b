#pragma once

#include "store/TextOutput.h"
#include "store/cConnessione.h"

#include <QString>
#include <exception>

// How a print or report ended: the file written and, when it stopped early, why. The closing
// boxes of a finished run are shown by the run itself; a failure is reported by the caller.
struct EsitoStampa {
    bool ok = false;
    QString path;   // the file written (it keeps what was written before a failure)
    QString errore; // the reason, when not ok
    qint64 documenti = 0;
};

// Runs the body of a print into out. A database or file error stops it: the file is closed with
// what was written so far and the reason goes into esito. Answers esito.ok.
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
    try {
        out.close();
    } catch (const std::exception&) {
        // The first reason is the one reported.
    }
    esito.ok = false;
    return false;
}
