#pragma once
// "clean --dry-run": what "clean" would record and delete after the search
// just made, listed finding by finding, with nothing changed.
#include "scan/registry_cleaner.h"

namespace keytidy::cli {

// Prints one block per finding in the order "clean" takes them, then the
// totals. Reads the registry only.
void PrintDryRun(const TRegistryCleaner& engine);

}  // namespace keytidy::cli
