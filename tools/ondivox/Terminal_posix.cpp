#include <unistd.h>

#include "tools/ondivox/Terminal.h"

bool StderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

bool StdinIsTerminal() { return isatty(STDIN_FILENO) != 0; }
