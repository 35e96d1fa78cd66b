#include "app/cli/Cli.h"

void registerDocumentCommands(CliRegistry&) {}
