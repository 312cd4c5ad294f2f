#include "tools/play/QuietStderr.h"

// The Windows sound systems print nothing of their own.
QuietStderr::QuietStderr() { (void)saved; }

QuietStderr::~QuietStderr() = default;
