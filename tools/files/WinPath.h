// Helpers shared by the Windows side of the file code only.
#pragma once

#include <string>

// A UTF-8 path as Windows' wide-character calls take it.
std::wstring WidePath(const std::string& path);
// The system's message for an error code, on one line.
std::string SystemErrorText(unsigned long code);
