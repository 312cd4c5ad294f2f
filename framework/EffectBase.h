// IEffectBase: the host-neutral half of the plug-in object.
//
// Owns the parameter records, the preset store, the channel layouts and
// per-channel buffers, the plug-in's identity and the re-entrant plug-in lock.
// The instrument overrides ResetState, ParamChanged and RenderBlock; the host
// binding overrides the edit, transport and time hooks.
//
// Every operation that takes a parameter or preset index ignores one that is
// out of range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "framework/EditorLink.h"
#include "framework/HostBlock.h"
#include "framework/HostTypes.h"
#include "framework/ParamEntry.h"
#include "framework/PresetEntry.h"
#include "framework/StateChunk.h"

class IEditor;

struct InputChannel {
  bool connected = false;
  double** slot = nullptr;        // entry in inputPointers
  std::vector<double> scratch;    // unconnected or converted 32-bit input
};

struct OutputChannel {
  bool connected = false;
  double** slot = nullptr;        // entry in outputPointers
  float* dest32 = nullptr;        // host buffer of a 32-bit block
  std::vector<double> scratch;
};

struct EffectConfig {
  int32_t paramCount = 0;
  const char* channelIo = "";
  int32_t presetCount = 0;
  int32_t version = 0;          // 0xMMMMmmbb
  int32_t latency = 0;
  bool wantsMidi = false;
  bool isInstrument = false;
  int32_t apiKind = 0;
};

class IEffectBase {
 public:
  explicit IEffectBase(const EffectConfig& config);
  virtual ~IEffectBase();
  IEffectBase(const IEffectBase&) = delete;
  IEffectBase& operator=(const IEffectBase&) = delete;

  // --- Hooks the instrument overrides -------------------------------------
  // "audio": the host's audio thread, inside process, lock held. "UI": the
  // host's UI thread. "any": whichever thread changes a value.
  virtual void ResetState();                  // UI (setup) or audio (first block); takes the lock
  virtual void ParamChanged(int32_t index);   // any; takes the lock
  virtual void RenderBlock(double** inputs, double** outputs, int32_t frames);  // audio
  virtual void OnEditorOpened() {}            // UI, lock held
  virtual void OnEditorClosing() {}           // UI, lock held
  virtual void OnActiveChange(bool active);   // UI; takes the lock
  virtual void OnMidiMessage(const MidiMessage&) {}  // audio
  virtual bool SaveState(StateChunk& chunk) { return SaveParams(chunk); }  // UI, lock held
  virtual int32_t LoadState(const StateChunk& chunk, int32_t start) {     // UI, lock held
    return LoadParams(chunk, start);
  }
  // The position LoadState (chunk, start) will answer, found without loading.
  virtual int32_t LoadStateEnd(const StateChunk& chunk, int32_t start) const {  // UI, no lock
    const int32_t end = start + 8 * ParamCount();
    return start >= 0 && chunk.Size() >= end ? end : -1;
  }
  virtual bool IsParamRestorable(int32_t index, int32_t preset);  // any, lock held
  virtual void OnEditorResized() {}           // UI, no lock
  virtual void OnEditorTick() {}              // UI (the open editor's timer), no lock
  // The loaded module whose resources hold the artwork (null: this process's
  // own). The host binding knows it.
  virtual void* ResourceModule() const { return nullptr; }  // any

  // --- Hooks the host binding implements ----------------------------------
  virtual void BeginParamEdit(int32_t /*index*/) {}                        // UI
  virtual void OnWheelStart(int32_t /*index*/) {}                          // UI
  virtual void PerformParamEdit(int32_t /*index*/, double /*normalized*/) {}  // UI, lock held
  virtual void EndParamEdit(int32_t /*index*/) {}                          // UI
  virtual void OnHostKnown() {}                                            // UI, at initialize
  virtual void OnMouseOverParam(int32_t index);                            // UI; takes the lock
  // Song position in samples; 64-bit so long sessions do not wrap. The
  // transport queries below read the last block's context: audio, lock held.
  virtual int64_t SamplePosition() { return 0; }
  virtual double Tempo() { return 0.0; }
  virtual int32_t HostKind() const { return hostKind; }                    // any
  virtual void ResizeEditor(int32_t /*width*/, int32_t /*height*/) {}      // UI
  virtual int32_t TransportState() { return kTransportStopped; }

  // --- Editor --------------------------------------------------------------
  // Takes ownership of the editor (an IEditor, which is an IEditorLink);
  // the one attached before is deleted. Null attaches nothing.
  template <typename EditorClass>
  void AttachEditor(EditorClass* newEditor) {
    if (newEditor) AttachEditorLink(newEditor, newEditor);
  }
  void AttachEditor(std::nullptr_t) {}
  IEditor* Editor() const { return editor; }
  void SetParamFromEditor(int32_t index, double normalized);
  void ChangeParamFromInstrument(int32_t index, double plain);
  // A wheel turn opens a host gesture unless this parameter's is still open.
  void BeginWheelEdit(int32_t index);
  void EndParamEditDeferred(int32_t index);
  void FlushDeferredEdit();
  void RefreshEditorParams();
  // Host automation: stores the value, updates the editor, reacts.
  void SetParamFromHost(int32_t index, double normalized);

  // --- Parameters and presets ---------------------------------------------
  int32_t ParamCount() const { return static_cast<int32_t>(params.size()); }
  IParamEntry* Param(int32_t index);
  const IParamEntry* Param(int32_t index) const;
  int32_t PresetCount() const { return static_cast<int32_t>(presets.size()); }
  const IPresetEntry* Preset(int32_t index) const;
  int32_t CurrentPreset() const { return currentPreset; }

  virtual bool SaveParams(StateChunk& chunk);
  virtual int32_t LoadParams(const StateChunk& chunk, int32_t start);
  bool SelectPreset(int32_t index);
  const char* PresetName(int32_t index) const;
  // One value per parameter in index order: int for kinds 1-3, double for kind 4.
  void AddPreset(const char* name, ...);
  void AddPlaceholderPresets(const char* name, int32_t count);

  // --- Host, identity, timing ---------------------------------------------
  void IdentifyHost(const char* hostName, int32_t version);
  bool IsChannelPairSupported(int32_t inputs, int32_t outputs) const;
  double SamplesPerBeat();
  void VersionText(char* text, int size) const;
  double SampleRate() const { return sampleRate; }
  void SetSampleRate(double rate) { sampleRate = rate; }
  int32_t BlockSize() const { return blockSize; }
  int32_t InputChannelCount() const { return static_cast<int32_t>(inputs.size()); }
  int32_t OutputChannelCount() const { return static_cast<int32_t>(outputs.size()); }
  bool IsReady() const { return isReady; }
  bool IsBypassed() const { return isBypassed; }
  void SetBypassed(bool bypassed) { isBypassed = bypassed; }
  std::recursive_mutex& Lock() { return lock; }

  // --- Lifecycle: the one path every host binding, tool and test drives ----
  // Larger blocks than this are refused: every channel's scratch buffer
  // would take gigabytes.
  static constexpr int32_t kMaxBlockFrames = 1 << 20;
  // Processing setup: the sample rate and the largest block. Sizes the
  // scratch buffers, resets the instrument and clears bypass. False, with
  // nothing changed, for a rate or block size no buffers can be made for.
  bool Prepare(double rate, int32_t maxBlock);
  // One block, under the lock: binds the host's buffers, renders (or passes
  // the input through when bypassed) and converts 32-bit output back. Blocks
  // longer than the prepared size are rendered in pieces of that size.
  template <typename Sample>
  void Process(const HostBlock<Sample>& block);

  // --- Kept for other instruments and hosts; this program never calls them ---
  // The preset store's exchange format, the host's finer time details,
  // latency changes, the parameter context menu, the API kind, the supported
  // channel layouts and a locked ParamChanged.
  void ParamChangedLocked(int32_t index);     // any; takes the lock
  virtual int32_t ApiKind() const { return apiKind; }  // any
  virtual void PopupParamMenu(int32_t /*index*/, int32_t /*x*/, int32_t /*y*/) {}  // UI
  virtual void TimeSignature(int32_t* numerator, int32_t* denominator);
  virtual void ChangeLatency(int32_t samples) { latency = samples; }      // UI
  virtual bool IsOfflineRendering() { return false; }
  virtual void GetTimeInfo(HostTimeInfo* info);
  virtual bool SavePresetStore(StateChunk& chunk);
  virtual int32_t LoadPresetStore(const StateChunk& chunk, int32_t start);
  const std::vector<ChannelPair>& ChannelPairs() const { return channelPairs; }

  // --- Channel binding for one block --------------------------------------
  void ConnectInputs(int32_t first, int32_t count, bool connected);
  void ConnectOutputs(int32_t first, int32_t count, bool connected);
  void ClearScratch();
  virtual void ResizeBlockBuffers(int32_t frames);

 protected:
  std::vector<ChannelPair> channelPairs;
  std::vector<IParamEntry> params;
  std::vector<IPresetEntry> presets;
  int32_t currentPreset = 0;
  int32_t pendingEditParam = -1;
  std::recursive_mutex lock;
  bool isReady = false;
  bool isInstrument = false;
  bool isBypassed = false;
  std::vector<std::string> groupNames;
  double sampleRate = 44100.0;
  int32_t latency = 0;
  int32_t version = 0;
  int32_t hostKind = -1;
  int32_t apiKind = 0;
  bool wantsMidi = false;
  int32_t blockSize = 0;
  IEditor* editor = nullptr;           // for the binding and the controls
  IEditorLink* editorLink = nullptr;   // the same object, as the framework calls it
  std::vector<double*> inputPointers;
  std::vector<double*> outputPointers;
  std::vector<InputChannel> inputs;
  std::vector<OutputChannel> outputs;
  std::vector<std::string> inputBusNames;
  std::vector<std::string> outputBusNames;

 protected:
  int32_t sideChainChannels = 0;  // the last input channels, fed by the side-chain bus

 private:
  void AttachEditorLink(IEditor* asEditor, IEditorLink* asLink);
  template <typename Sample>
  void ProcessPiece(const HostBlock<Sample>& block, int32_t offset, int32_t frames);
  template <typename Sample>
  void BindInputBuses(const HostBlock<Sample>& block, int32_t offset, int32_t frames);
  template <typename Sample>
  void BindOutputBuses(const HostBlock<Sample>& block, int32_t offset);
  void BindInput(int32_t channel, const double* buffer, int32_t frames);
  void BindInput(int32_t channel, const float* buffer, int32_t frames);
  void BindOutput(int32_t channel, double* buffer);
  void BindOutput(int32_t channel, float* buffer);
  void RunBlock(int32_t frames);
  bool auxWasActive = false;
  void ParseChannelIo(const char* text);
  void CopyInputsToOutputs(int32_t frames);
  void ConvertOutputs32(int32_t frames);
};
