// ondivox snapshot: draws the editor headless and writes it as a PNG.
#pragma once

#include <string>
#include <vector>

extern const char kSnapshotUsage[];

// args: the command line after "snapshot". Answers the exit code: 0 done,
// 1 failed, 2 a mistake in the command line (with the usage shown).
int RunSnapshot(const std::vector<std::string>& args);
