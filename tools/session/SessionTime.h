// SessionTime: the times and durations of a session file, [h:]mm:ss[.fff]
// or plain seconds ("90", "1:30", "0:01:30.5"), and how they are shown.
#pragma once

#include <string>

// False when text is not a time; *seconds is not negative.
bool ParseSessionTime(const std::string& text, double* seconds);
// "m:ss.fff", or "h:mm:ss.fff" from an hour on.
std::string FormatSessionTime(double seconds);
