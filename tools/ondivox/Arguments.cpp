#include "tools/ondivox/Arguments.h"

#include <cmath>
#include <cstdlib>

#include "tools/host/Renderer.h"
#include "tools/ondivox/ToolError.h"

namespace {

std::string* Slot(Arguments& a, const std::string& name) {
  if (name == "--bundle") return &a.bundle;
  if (name == "--program") return &a.program;
  if (name == "--rate") return &a.rate;
  if (name == "--tempo") return &a.tempo;
  if (name == "--seconds") return &a.seconds;
  if (name == "--input") return &a.input;
  if (name == "--normalize") return &a.normalize;
  if (name == "--state") return &a.state;
  if (name == "--format") return &a.format;
  if (name == "-o") return &a.output;
  if (name == "--blocks") return &a.blocks;
  if (name == "--session") return &a.session;
  if (name == "--scale") return &a.scale;
  if (name == "--device") return &a.device;
  if (name == "--latency") return &a.latency;
  return nullptr;
}

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& args, const CommandHelp& command) {
  Arguments a;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[0] != '-') {
      a.positional.push_back(arg);
      continue;
    }
    std::string name = arg, value;
    bool inlineValue = false;
    std::size_t eq = arg.find('=');
    if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
      inlineValue = true;
    }
    const OptionHelp* option = command.Find(name);
    if (!option)
      throw UsageError("unknown option " + name + " (see ondivox " + command.name + " --help)");
    if (!option->value) {
      if (inlineValue) throw UsageError(name + " takes no value");
      a.quiet = a.quiet || name == "--quiet";
      continue;
    }
    if (!inlineValue) {
      if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
      value = args[++i];
    }
    if (name == "--set") {
      a.sets.push_back(value);
    } else if (option->repeatable) {
      a.sequence.emplace_back(name, value);
    } else {
      std::string* slot = Slot(a, name);
      if (a.Has(name)) throw UsageError(name + " given twice");
      *slot = value;
      a.given.insert(name);
    }
  }
  return a;
}

double ParseNumber(const std::string& option, const std::string& text) {
  char* end = nullptr;
  double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(v))
    throw UsageError(option + ": '" + text + "' is not a number");
  return v;
}

double PositiveOption(const Arguments& a, const std::string& option, const std::string& text, double fallback,
                      double max) {
  if (!a.Has(option)) return fallback;
  double v = ParseNumber(option, text);
  if (!(v > 0.0) || v > max) throw UsageError(option + ": " + text + " is out of range");
  return v;
}

double TempoOption(const Arguments& a, double fallback) {
  return PositiveOption(a, "--tempo", a.tempo, fallback, kMaxTempo);
}
