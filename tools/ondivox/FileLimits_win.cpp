#include "tools/ondivox/FileLimits.h"

// Windows has no such limit: a full disk already fails the write.
void ReportFileLimitsAsErrors() {}
