#include "framework/HostKind.h"

#include <cctype>
#include <cstring>

namespace {

struct KnownHost {
  const char* text;
  int32_t kind;
};

// Searched in order: the first text found anywhere in the name wins.
const KnownHost kKnownHosts[] = {
    {"cubase", 3},     {"reaper", 1},      {"nuendo", 4},     {"cakewalk", 5},  {"samplitude", 8},
    {"fruity", 7},     {"live", 9},        {"melodyne", 12},  {"vstmanlib", 13}, {"aulab", 14},
    {"forte", 15},     {"chainer", 16},    {"audition", 17},  {"orion", 18},    {"sawstudio", 20},
    {"logic", 21},     {"digital", 22},    {"audiomulch", 23}, {"presonus", 24}, {"acoustica", 25},
    {"garageband", 26}, {"ardour", 27},    {"wavelab", 28},   {"gold", 30},
};

}  // namespace

int32_t HostKindFromName(const char* name) {
  if (!name) return kHostUnknown;
  char lower[256];
  std::size_t n = 0;
  for (; n < sizeof lower - 1 && name[n]; ++n)
    lower[n] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[n])));
  lower[n] = '\0';
  for (const KnownHost& host : kKnownHosts)
    if (std::strstr(lower, host.text)) return host.kind;
  return kHostUnknown;
}
