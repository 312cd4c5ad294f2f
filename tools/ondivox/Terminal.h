// Whether standard error goes to a terminal (a progress bar is only drawn
// there), and standard output (audio is never written to one).
#pragma once

bool StderrIsTerminal();
bool StdoutIsTerminal();
