#include "app/cli/Cli.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillaro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLARO_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(app.arguments().mid(1), out, err);
}
