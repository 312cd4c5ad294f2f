#include <windows.h>

#include "tools/ondivox/Terminal.h"

namespace {

bool IsConsole(DWORD stream) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(stream), &mode) != 0;
}

}  // namespace

bool StderrIsTerminal() { return IsConsole(STD_ERROR_HANDLE); }
bool StdoutIsTerminal() { return IsConsole(STD_OUTPUT_HANDLE); }
bool StdinIsTerminal() { return IsConsole(STD_INPUT_HANDLE); }
