#include <signal.h>

#include "tools/ondivox/FileLimits.h"

void ReportFileLimitsAsErrors() { signal(SIGXFSZ, SIG_IGN); }
