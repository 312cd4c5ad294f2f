// SessionWords: one line of a session file split into its words.
//
// Words are separated by blanks; a double quote starts a quoted part that
// may hold blanks and '#' and ends at the next double quote; inside it a
// backslash before a double quote or a backslash stands for that character.
// Quoted and plain parts next to each other make one word ("Base Freq"=180).
// An unquoted '#' starts a comment.
#pragma once

#include <string>
#include <vector>

// False, with *why, when a quote is left open.
bool SplitWords(const std::string& line, std::vector<std::string>* words, std::string* why);
