// Whether standard error goes to a terminal (a progress bar is only drawn
// there), standard output (audio is never written to one), and whether
// standard input comes from one (a player reads keys only there).
#pragma once

bool StderrIsTerminal();
bool StdinIsTerminal();
bool StdoutIsTerminal();
