#include "tools/snapshot/SnapshotPlug.h"

#include <cstdlib>
#include <vector>

#include "editor/EditorWin.h"
#include "framework/StateChunk.h"

namespace {

bool WholeNumber(const std::string& text, long* out) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  *out = std::strtol(text.c_str(), nullptr, 10);
  return true;
}

// A plain number, optionally followed by a unit ("440", "440 Hz", "-20%").
bool PlainNumber(const std::string& text, double* out) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || v != v) return false;
  while (*end == ' ') ++end;
  for (const char* c = end; *c; ++c)
    if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || *c == '%')) return false;
  *out = v;
  return true;
}

}  // namespace

SnapshotPlug::SnapshotPlug(double tempo) : tempo(tempo) {
  for (int32_t i = 0; i < ParamCount(); ++i) ParamChanged(i);
  Prepare(kSampleRate, kBlockFrames);
}

IEditorWin* SnapshotPlug::EditorWindow() const { return static_cast<IEditorWin*>(Editor()); }

bool SnapshotPlug::SelectProgram(const std::string& text, std::string* error) {
  long n = -1;
  if (!WholeNumber(text, &n)) {
    for (int32_t i = 0; i < PresetCount() && n < 0; ++i)
      if (Preset(i)->defined && text == PresetName(i)) n = i;
  }
  if (n < 0 || n >= PresetCount() || !Preset(static_cast<int32_t>(n))->defined) {
    *error = "no program '" + text + "'";
    return false;
  }
  SelectPreset(static_cast<int32_t>(n));
  return true;
}

int SnapshotPlug::FindParam(const std::string& name, const std::string& value, double* plain) const {
  long index = -1;
  const bool byIndex = WholeNumber(name, &index);
  for (int32_t i = 0; i < ParamCount(); ++i) {
    if (byIndex ? i != index : name != Param(i)->Name()) continue;
    const IParamEntry* p = Param(i);
    if (p->ValueTextCount() > 0 && p->ValueForText(value.c_str(), plain)) return i;
    if (p->ValueTextCount() == 0 && PlainNumber(value, plain)) return i;
    // A list parameter also takes its entry number.
    if (p->ValueTextCount() > 0 && WholeNumber(value, &index) && index < p->ValueTextCount()) {
      *plain = static_cast<double>(index);
      return i;
    }
    if (byIndex) break;
  }
  return -1;
}

bool SnapshotPlug::ApplySetting(const std::string& text, std::string* error) {
  const size_t eq = text.find('=');
  double plain = 0.0;
  const int i = eq == std::string::npos ? -1 : FindParam(text.substr(0, eq), text.substr(eq + 1), &plain);
  if (i < 0) {
    *error = "no parameter takes '" + text + "' (give PARAM=VALUE with a name or index 0 to " +
             std::to_string(ParamCount() - 1) + ")";
    return false;
  }
  SetParamFromHost(i, Param(i)->PlainToNormalized(plain));
  return true;
}

bool SnapshotPlug::LoadStateBytes(const std::string& bytes, std::string* error) {
  const size_t expected = static_cast<size_t>(ParamCount()) * 8;
  if (bytes.size() != expected) {
    *error = "not a state file (" + std::to_string(bytes.size()) + " bytes, expected " + std::to_string(expected) + ")";
    return false;
  }
  StateChunk chunk;
  chunk.AppendBytes(bytes.data(), static_cast<int>(bytes.size()));
  LoadState(chunk, 0);
  RefreshEditorParams();
  return true;
}

void SnapshotPlug::RunBlocks(int32_t count) {
  std::vector<double> in(kBlockFrames, 0.0), out(2 * kBlockFrames, 0.0);
  double* ins[2] = {in.data(), in.data()};
  double* outs[2] = {out.data(), out.data() + kBlockFrames};
  HostBus<double> inBus{ins, 2, true}, outBus{outs, 2, true};
  for (int32_t b = 0; b < count; ++b) {
    Process(HostBlock<double>{&inBus, nullptr, &outBus, 1, kBlockFrames});
    position += kBlockFrames;
  }
}
