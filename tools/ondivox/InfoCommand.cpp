// ondivox info: the factory, the class, every parameter and the program list.
#include <cstdio>

#include "base/source/fstring.h"
#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/ondivox/ToolError.h"
#include "tools/ondivox/ToolSession.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

void PrintFactory(ToolSession& session) {
  IPluginFactory* factory = session.Module().Factory();
  PFactoryInfo info;
  factory->getFactoryInfo(&info);
  std::printf("bundle:   %s\n", session.BundlePath().c_str());
  std::printf("factory:  vendor \"%s\", url \"%s\", email \"%s\", flags %d\n", info.vendor, info.url,
              info.email, info.flags);
  void* obj = nullptr;
  if (factory->queryInterface(IPluginFactory2::iid, &obj) != kResultOk) return;
  auto* factory2 = static_cast<IPluginFactory2*>(obj);
  for (int32 i = 0; i < factory2->countClasses(); ++i) {
    PClassInfo2 cls;
    if (factory2->getClassInfo2(i, &cls) != kResultOk) continue;
    char guid[40] = {};
    FUID::fromTUID(cls.cid).toRegistryString(guid);
    std::printf("class:    \"%s\" %s, category \"%s\", sub-categories \"%s\"\n", cls.name, guid,
                cls.category, cls.subCategories);
    std::printf("          version %s, %s, vendor \"%s\", flags %u, cardinality 0x%X\n", cls.version,
                cls.sdkVersion, cls.vendor, cls.classFlags, static_cast<unsigned>(cls.cardinality));
  }
  factory2->release();
}

std::string FlagsText(int32 flags) {
  std::string text;
  auto add = [&](int32 bit, const char* name) {
    if (flags & bit) text += (text.empty() ? "" : ",") + std::string(name);
  };
  add(ParameterInfo::kCanAutomate, "automate");
  add(ParameterInfo::kIsReadOnly, "read-only");
  add(ParameterInfo::kIsList, "list");
  add(ParameterInfo::kIsProgramChange, "program-change");
  add(ParameterInfo::kIsBypass, "bypass");
  return text.empty() ? "-" : text;
}

void PrintParameters(PluginInstance& plug) {
  IEditController* ctl = plug.Controller();
  std::printf("\nparameters (%d):\n", plug.ParamCount());
  std::printf("  %-10s %-14s %-5s %-22s %-16s %5s  %s\n", "id", "title", "units", "range", "default",
              "steps", "flags");
  for (int32 i = 0; i < plug.ParamCount(); ++i) {
    ParameterInfo info;
    if (!plug.ParamInfo(i, info)) continue;
    char id[16], range[64], def[48];
    std::snprintf(id, sizeof id, info.id > 0xFFFF ? "0x%08X" : "%u", info.id);
    std::snprintf(range, sizeof range, "%g .. %g", ctl->normalizedParamToPlain(info.id, 0.0),
                  ctl->normalizedParamToPlain(info.id, 1.0));
    std::string text = plug.ValueText(info.id, info.defaultNormalizedValue);
    std::snprintf(def, sizeof def, "%s", text.empty() ? "-" : text.c_str());
    std::printf("  %-10s %-14s %-5s %-22s %-16s %5d  %s\n", id, NarrowText(info.title).c_str(),
                NarrowText(info.units).c_str(), range, def, info.stepCount, FlagsText(info.flags).c_str());
  }
}

void PrintPrograms(ToolSession& session) {
  std::vector<std::string> names = session.ProgramNames();
  std::printf("\nprograms (\"Factory Presets\", %zu):\n", names.size());
  for (std::size_t i = 0; i < names.size(); ++i) std::printf("  %3zu  %s\n", i, names[i].c_str());
}

}  // namespace

int RunInfo(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("info"));
  if (!a.positional.empty()) throw UsageError("info takes no argument '" + a.positional[0] + "'");
  ToolSession session(a.bundle);
  PrintFactory(session);
  PrintParameters(session.Plug());
  PrintPrograms(session);
  return 0;
}
