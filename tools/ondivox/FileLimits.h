// A file-size limit (ulimit -f) reached while writing: made a failed write
// the tool reports, rather than a signal that ends it with its partial
// output left behind.
#pragma once

void ReportFileLimitsAsErrors();
