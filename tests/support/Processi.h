#pragma once

// Processes of this computer for the tests of whose files are whose: one that lives for the test,
// and the number of one that is over.

#include <QProcess>

struct Processi {
    Processi() {
        vivo.start(QStringLiteral("sleep"), {QStringLiteral("60")});
        vivo.waitForStarted();
        QProcess finito;
        finito.start(QStringLiteral("true"), {});
        finito.waitForStarted();
        morto = finito.processId();
        finito.waitForFinished();
    }
    ~Processi() {
        vivo.kill();
        vivo.waitForFinished();
    }
    QProcess vivo;
    qint64 morto = 0;
};
