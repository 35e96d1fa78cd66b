#include "app/cli/Cli.h"

void registerPrintoutCommands(CliRegistry&) {}
