// NearestWord: the "did you mean" for a word that names nothing.
#pragma once

#include <string>
#include <vector>

// The candidate closest to word, ignoring case, when it is close enough to
// be a slip of the keyboard (a third of the word's letters or fewer
// differ); empty when none is.
std::string NearestWord(const std::string& word, const std::vector<std::string>& candidates);
