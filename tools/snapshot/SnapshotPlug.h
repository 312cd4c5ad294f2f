// SnapshotPlug: the instrument linked into the tool, with its editor, run
// the way a playing host runs it (transport rolling from song position 0 at
// a given tempo), so its displays show what a user would see.
#pragma once

#include <cstdint>
#include <string>

#include "instrument/Ondivox.h"

class IEditorWin;

class SnapshotPlug : public CLS_ONDIVOX {
 public:
  static constexpr double kSampleRate = 48000.0;
  static constexpr int32_t kBlockFrames = 1024;

  explicit SnapshotPlug(double tempo);

  double Tempo() override { return tempo; }
  int64_t SamplePosition() override { return position; }
  int32_t TransportState() override { return kTransportPlaying; }

  // Each answers false with *error set, leaving the plug-in as it was.
  bool SelectProgram(const std::string& numberOrName, std::string* error);
  // "PARAM=VALUE": PARAM an index or a name, VALUE a display text or a
  // plain number (a unit may follow it). Where names repeat, the parameter
  // that takes VALUE is chosen.
  bool ApplySetting(const std::string& text, std::string* error);
  bool LoadStateBytes(const std::string& bytes, std::string* error);

  void RunBlocks(int32_t count);
  IEditorWin* EditorWindow() const;

 private:
  int FindParam(const std::string& name, const std::string& value, double* plain) const;

  double tempo;
  int64_t position = 0;
};
