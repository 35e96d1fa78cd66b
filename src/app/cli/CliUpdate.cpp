#include "app/cli/Cli.h"

void registerUpdateCommands(CliRegistry&) {}
