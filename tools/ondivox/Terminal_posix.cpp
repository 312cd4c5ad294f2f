#include <unistd.h>

#include "tools/ondivox/Terminal.h"

bool StderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }

bool StdoutIsTerminal() { return isatty(STDOUT_FILENO) != 0; }
