#pragma once

// A whole command line run in the test's process, its two streams kept for the checks.

#include "app/cli/Cli.h"

#include <QStringList>
#include <QTextStream>

struct CliRun {
    int code;
    QString out;
    QString err;
};

inline CliRun cli(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = runCli(args, o, e);
    o.flush();
    e.flush();
    return {code, out, err};
}
