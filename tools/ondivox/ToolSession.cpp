#include "tools/ondivox/ToolSession.h"

#include <cstdio>
#include <fstream>

#include "tools/files/FileStart.h"
#include "tools/files/PendingFile.h"
#include "tools/host/MemoryStream.h"
#include "tools/ondivox/ParamSetting.h"
#include "tools/ondivox/ToolError.h"
#include "tools/session/NearestWord.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

bool Exists(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return static_cast<bool>(f);
}

constexpr double kDefaultRate = 48000.0;
constexpr int32 kDefaultBlock = 1024;

bool IsWholeNumber(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::string ToolSession::FindBundle() {
  const std::string dir = PluginModule::ProgramDirectory();
  for (const std::string& candidate : {dir + "/Ondivox.vst3", dir + "/../Ondivox.vst3"})
    if (Exists(PluginModule::BinaryInBundle(candidate))) return candidate;
  throw ToolError("no Ondivox.vst3 bundle beside " + dir + "; give one with --bundle");
}

ToolSession::ToolSession(const std::string& bundlePath)
    : bundle(bundlePath.empty() ? FindBundle() : bundlePath) {
  std::string error;
  std::shared_ptr<PluginModule> module = LoadBundle(bundle, &error);
  if (!module) throw ToolError(error);
  plug = PluginInstance::Open(std::move(module), PluginHost{"Ondivox Command Line", nullptr}, &error);
  if (!plug) throw ToolError(bundle + ": " + error);
  // Settings and programs reach the plug-in through process(), so it is set
  // up from the start.
  if (plug->Setup(kDefaultRate, kDefaultBlock, kSample64, kOffline) != kResultOk)
    throw ToolError(bundle + ": " + plug->Error());
}

ToolSession::~ToolSession() { plug.reset(); }

std::vector<std::string> ToolSession::ProgramNames() {
  std::vector<std::string> names;
  IUnitInfo* units = plug->Units();
  ProgramListInfo list = {};
  if (!units || units->getProgramListCount() < 1 || units->getProgramListInfo(0, list) != kResultOk)
    return names;
  for (int32 i = 0; i < list.programCount; ++i) {
    String128 name = {};
    units->getProgramName(list.id, i, name);
    names.push_back(NarrowText(name));
  }
  return names;
}

int ToolSession::ProgramIndex(const std::string& text) {
  std::vector<std::string> names = ProgramNames();
  if (IsWholeNumber(text)) {
    long n = std::strtol(text.c_str(), nullptr, 10);
    if (n >= 0 && n < static_cast<long>(names.size())) return static_cast<int>(n);
    throw ToolError("no program " + text + " (programs are 0 to " +
                    std::to_string(static_cast<long>(names.size()) - 1) + ")");
  }
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == text) return static_cast<int>(i);
  const std::string near = NearestWord(text, names);
  throw ToolError("no program named \"" + text + "\"" +
                  (near.empty() ? " (see ondivox info)" : "; did you mean \"" + near + "\"?"));
}

void ToolSession::ApplyProgramAndSettings(const std::string& program,
                                          const std::vector<std::string>& sets) {
  ParameterChanges changes;
  if (!program.empty()) {
    const int index = ProgramIndex(program);
    const ParamID programChange = ProgramChangeId();
    changes.Add(programChange, plug->Controller()->plainParamToNormalized(programChange, index));
  }
  // The program first, then each setting on top of it, in one block.
  for (const std::string& set : sets) {
    ParamSetting setting = ResolveSetting(*plug, set);
    changes.Add(setting.id, setting.normalized);
  }
  if (!changes.Empty() && plug->Flush(&changes) != kResultOk) throw ToolError(plug->Error());
}

ParamID ToolSession::ProgramChangeId() {
  ParamID id = 0;
  if (!plug->ProgramChangeParam(&id)) throw ToolError("the plug-in has no program change");
  return id;
}

void ToolSession::LoadStateFile(const std::string& path) {
  const std::size_t expected = plug->SaveState().size();
  // A state saved while bypassed carries one more value, the bypass.
  const std::size_t bypassed = expected + sizeof(double);
  std::vector<uint8_t> bytes = ReadFileBytes(path, bypassed + 1);
  if (bytes.size() != expected && bytes.size() != bypassed)
    throw ToolError(path + ": not a state file (" + (bytes.size() > bypassed ? "more than " : "") +
                    std::to_string(bytes.size() > bypassed ? bypassed : bytes.size()) + " bytes, expected " +
                    std::to_string(expected) + ", or " + std::to_string(bypassed) + " saved while bypassed)");
  if (plug->LoadState(bytes) != kResultOk) throw ToolError(path + ": the plug-in refused this state");
}

std::vector<uint8_t> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadFileStart(path, maxBytes, &bytes, &error)) throw ToolError(error);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::string error;
  if (!WriteWholeFile(path, bytes.data(), bytes.size(), &error)) throw ToolError(error);
}
