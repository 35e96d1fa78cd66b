#include "app/cli/Cli.h"

void registerCheckCommands(CliRegistry&) {}
