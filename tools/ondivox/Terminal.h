// Whether standard error goes to a terminal (a progress bar is only drawn there).
#pragma once

bool StderrIsTerminal();
