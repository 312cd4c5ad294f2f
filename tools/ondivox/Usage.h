// Usage: each command's synopsis and options, the one list that both the
// help texts and the argument parser read.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct OptionHelp {
  const char* name;   // "--seconds", "-o"
  const char* value;  // "S"; nullptr for a flag that takes none
  const char* help;
  bool repeatable = false;  // kept in order with the others so marked
};

struct CommandHelp {
  const char* name;      // "render", "state save"
  const char* synopsis;  // the options after the command words
  const char* summary;
  std::vector<OptionHelp> options;

  const OptionHelp* Find(const std::string& option) const;
};

// The command of that name ("render", "state save"); nullptr if none.
const CommandHelp* FindCommand(const std::string& name);
// Every command's synopsis, as "ondivox --help" prints it.
void PrintUsage(std::FILE* to);
// The help for what follows "ondivox help": one command or a group of them
// ("state"). False when there is no such command.
bool PrintHelp(const std::string& name, std::FILE* to);
