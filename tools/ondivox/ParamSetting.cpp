#include "tools/ondivox/ParamSetting.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "tools/ondivox/ToolError.h"
#include "tools/session/NearestWord.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  std::size_t a = s.find_first_not_of(" \t");
  std::size_t b = s.find_last_not_of(" \t");
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool ParseId(const std::string& text, ParamID* id) {
  if (text.empty()) return false;
  char* end = nullptr;
  unsigned long v = std::strtoul(text.c_str(), &end, text.compare(0, 2, "0x") == 0 ? 16 : 10);
  if (*end != '\0' || text[0] == '-') return false;
  *id = static_cast<ParamID>(v);
  return true;
}

// The value VALUE gives for one parameter, or false if it gives none.
bool ValueFor(PluginInstance& plug, const ParameterInfo& info, const std::string& value,
              ParamSetting* setting, std::string* why) {
  IEditController* ctl = plug.Controller();
  // A display text of a stepped parameter ("Saw", "On", "1/4D").
  if (info.stepCount > 0) {
    for (int32 k = 0; k <= info.stepCount; ++k) {
      double n = static_cast<double>(k) / info.stepCount;
      if (Lower(plug.ValueText(info.id, n)) == Lower(value)) {
        *setting = {info.id, n, ctl->normalizedParamToPlain(info.id, n)};
        return true;
      }
    }
  }
  // A number, optionally followed by the parameter's units.
  char* end = nullptr;
  double plain = std::strtod(value.c_str(), &end);
  std::string rest = Trim(end);
  if (end == value.c_str() || !std::isfinite(plain) ||
      (!rest.empty() && Lower(rest) != Lower(NarrowText(info.units)))) {
    *why = "'" + value + "' is neither a number nor one of its values";
    return false;
  }
  double lo = ctl->normalizedParamToPlain(info.id, 0.0);
  double hi = ctl->normalizedParamToPlain(info.id, 1.0);
  if (plain < std::min(lo, hi) - 1e-9 || plain > std::max(lo, hi) + 1e-9) {
    char range[96];
    std::snprintf(range, sizeof range, "%g is outside %g .. %g", plain, lo, hi);
    *why = range;
    return false;
  }
  *setting = {info.id, ctl->plainParamToNormalized(info.id, plain), plain};
  return true;
}

}  // namespace

ParamSetting ResolveSetting(PluginInstance& plug, const std::string& text) {
  std::size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0)
    throw UsageError("'" + text + "' is not PARAM=VALUE");
  std::string name = Trim(text.substr(0, eq));
  std::string value = Trim(text.substr(eq + 1));

  std::vector<ParameterInfo> candidates;
  std::vector<std::string> titles;
  ParamID id = 0;
  bool byId = ParseId(name, &id);
  for (int32 i = 0; i < plug.ParamCount(); ++i) {
    ParameterInfo info;
    if (!plug.ParamInfo(i, info) || (info.flags & ParameterInfo::kIsProgramChange)) continue;
    titles.push_back(NarrowText(info.title));
    if (byId ? info.id == id : Lower(titles.back()) == Lower(name)) candidates.push_back(info);
  }
  if (candidates.empty()) {
    const std::string near = byId ? std::string() : NearestWord(name, titles);
    throw ToolError("'" + name + "' is not a parameter" +
                    (near.empty() ? " (see ondivox info)" : "; did you mean '" + near + "'?"));
  }

  ParamSetting setting;
  std::string why;
  int matches = 0;
  std::string ids;
  for (const ParameterInfo& info : candidates) {
    ParamSetting candidate;
    ids += (ids.empty() ? "" : " or ") + std::to_string(info.id);
    if (!ValueFor(plug, info, value, &candidate, &why)) continue;
    if (++matches == 1) setting = candidate;
  }
  if (matches == 1) return setting;
  if (matches > 1)
    throw ToolError("'" + name + "' names more than one parameter; use its id (" + ids + ")");
  throw ToolError("bad value for " + name + ": " + why);
}
