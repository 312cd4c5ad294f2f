// IEffectVST3: the plug-in object as the VST3 host sees it.
//
// One object is the audio processor, the edit controller and the unit/program
// list provider; IEffectBase underneath holds the parameters, presets, channel
// buffers and the plug-in lock. The instrument derives from this class.
#pragma once

#include <algorithm>
#include <atomic>
#include <vector>

#include "framework/EffectBase.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "vst3/HostNotifier.h"
#include "vst3/OffscreenEditor.h"
#include "vst3/SingleComponentEffect.h"

class IEffectVST3 : public IEffectBase,
                    public Steinberg::Vst::SingleComponentEffect,
                    public Steinberg::Vst::IUnitInfo,
                    public IOffscreenEditor {
 public:
  static constexpr Steinberg::Vst::ParamID kProgramChangeId = 0x70727374;  // 'prst'
  static constexpr Steinberg::Vst::ParamID kBypassId = 0x62706173;         // 'bpas'
  static constexpr int32_t kApiKindVst3 = 1;

  IEffectVST3(const EffectConfig& config, int32_t sideChainChannels);
  ~IEffectVST3() override;

  using tresult = Steinberg::tresult;
  using FUnknown = Steinberg::FUnknown;
  using IBStream = Steinberg::IBStream;
  using ParamID = Steinberg::Vst::ParamID;
  using ParamValue = Steinberg::Vst::ParamValue;
  using TChar = Steinberg::Vst::TChar;
  using String128 = Steinberg::Vst::String128;

  // --- Processor (EffectVST3Processor.cpp) ---------------------------------
  tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
  tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                        Steinberg::int32 numIns,
                                        Steinberg::Vst::SpeakerArrangement* outputs,
                                        Steinberg::int32 numOuts) SMTG_OVERRIDE;
  tresult PLUGIN_API canProcessSampleSize(Steinberg::int32 size) SMTG_OVERRIDE;
  Steinberg::uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
  Steinberg::uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE { return 0; }
  tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup) SMTG_OVERRIDE;
  tresult PLUGIN_API setActive(Steinberg::TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API activateBus(Steinberg::Vst::MediaType type, Steinberg::Vst::BusDirection dir,
                                 Steinberg::int32 index, Steinberg::TBool state) SMTG_OVERRIDE;
  tresult PLUGIN_API terminate() SMTG_OVERRIDE;
  tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) SMTG_OVERRIDE;

  // --- State (EffectVST3State.cpp) ------------------------------------------
  tresult setComponentStateData(IBStream* stream) SMTG_OVERRIDE;
  tresult getComponentStateData(IBStream* stream) SMTG_OVERRIDE;
  tresult setControllerState(IBStream* stream) SMTG_OVERRIDE;
  tresult getControllerState(IBStream* stream) SMTG_OVERRIDE;

  // --- Controller (EffectVST3Controller.cpp) --------------------------------
  // Calls a host makes on its UI thread. Values the audio thread also uses
  // are read and written under the plug-in lock.
  tresult PLUGIN_API getParameterInfo(Steinberg::int32 index,
                                      Steinberg::Vst::ParameterInfo& info) SMTG_OVERRIDE;
  tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue normalized,
                                           String128 text) SMTG_OVERRIDE;
  tresult PLUGIN_API getParamValueByString(ParamID id, TChar* text,
                                           ParamValue& normalized) SMTG_OVERRIDE;
  ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plain) SMTG_OVERRIDE;
  ParamValue PLUGIN_API getParamNormalized(ParamID id) SMTG_OVERRIDE;
  tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) SMTG_OVERRIDE;
  tresult PLUGIN_API setKnobMode(Steinberg::Vst::KnobMode) SMTG_OVERRIDE { return Steinberg::kResultOk; }
  // The handler may offer the run loop the host is told of changes from.
  tresult PLUGIN_API setComponentHandler(Steinberg::Vst::IComponentHandler* handler) SMTG_OVERRIDE;
  Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) SMTG_OVERRIDE;
  // Nothing in this program sends or expects messages; a malformed one is refused.
  tresult PLUGIN_API notify(Steinberg::Vst::IMessage* message) SMTG_OVERRIDE;

  // --- Units and program list (EffectVST3Units.cpp) -------------------------
  Steinberg::int32 PLUGIN_API getUnitCount() SMTG_OVERRIDE;
  tresult PLUGIN_API getUnitInfo(Steinberg::int32 index, Steinberg::Vst::UnitInfo& info) SMTG_OVERRIDE;
  Steinberg::int32 PLUGIN_API getProgramListCount() SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramListInfo(Steinberg::int32 index,
                                        Steinberg::Vst::ProgramListInfo& info) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramName(Steinberg::Vst::ProgramListID listId, Steinberg::int32 index,
                                    String128 name) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramInfo(Steinberg::Vst::ProgramListID, Steinberg::int32,
                                    Steinberg::Vst::CString, String128) SMTG_OVERRIDE;
  tresult PLUGIN_API hasProgramPitchNames(Steinberg::Vst::ProgramListID,
                                          Steinberg::int32) SMTG_OVERRIDE;
  tresult PLUGIN_API getProgramPitchName(Steinberg::Vst::ProgramListID, Steinberg::int32,
                                         Steinberg::int16, String128) SMTG_OVERRIDE;
  Steinberg::Vst::UnitID PLUGIN_API getSelectedUnit() SMTG_OVERRIDE { return 0; }
  tresult PLUGIN_API selectUnit(Steinberg::Vst::UnitID) SMTG_OVERRIDE;
  tresult PLUGIN_API getUnitByBus(Steinberg::Vst::MediaType, Steinberg::Vst::BusDirection,
                                  Steinberg::int32, Steinberg::int32,
                                  Steinberg::Vst::UnitID&) SMTG_OVERRIDE;
  tresult PLUGIN_API setUnitProgramData(Steinberg::int32, Steinberg::int32,
                                        IBStream*) SMTG_OVERRIDE;

  // --- IEffectBase hooks the binding implements -----------------------------
  void BeginParamEdit(int32_t index) override;
  void PerformParamEdit(int32_t index, double normalized) override;
  void EndParamEdit(int32_t index) override;
  void PopupParamMenu(int32_t index, int32_t x, int32_t y) override;
  void ChangeLatency(int32_t samples) override;
  int64_t SamplePosition() override;
  double Tempo() override;
  void TimeSignature(int32_t* numerator, int32_t* denominator) override;
  bool IsOfflineRendering() override;
  int32_t TransportState() override;
  void GetTimeInfo(HostTimeInfo* info) override;
  void* ResourceModule() const override;

  // Editor timer (UI thread, lock not held): one more of the plug-in's own
  // turns, for hosts that offer no run loop of their own.
  void OnEditorTick() override { DeliverPendingRestart(); }

  // --- The editor without a window (EffectVST3Offscreen.cpp) ----------------
  tresult PLUGIN_API getEditorSize(Steinberg::int32* width, Steinberg::int32* height) SMTG_OVERRIDE;
  tresult PLUGIN_API pointer(Steinberg::int32 event, Steinberg::int32 x, Steinberg::int32 y,
                             Steinberg::int32 buttons, Steinberg::int32 notches) SMTG_OVERRIDE;
  tresult PLUGIN_API tick() SMTG_OVERRIDE;
  tresult PLUGIN_API drawInto(Steinberg::uint32* pixels, Steinberg::int32 width, Steinberg::int32 height,
                              Steinberg::int32 stride) SMTG_OVERRIDE;

  // --- Editor views (EditorView.cpp) -----------------------------------------
  void ResizeEditor(int32_t width, int32_t height) override;
  // A view being destroyed leaves the views list.
  void RemoveView(Steinberg::IPlugView* view);

  OBJ_METHODS(IEffectVST3, SingleComponentEffect)
  // A null interface id or result pointer is refused instead of read.
  tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
  REFCOUNT_METHODS(SingleComponentEffect)

 protected:
  Steinberg::Vst::ProcessContext context{};
  bool processingSetUp = false;
  std::vector<Steinberg::IPlugView*> views;

 private:
  tresult InitializeLocked(FUnknown* context);
  void FillBusNames();
  void AddAudioBuses();
  void RegisterParameters();
  Steinberg::int32 UnitForGroup(const char* group);
  bool ReplaceAudioBus(Steinberg::Vst::BusList& list, int32_t channels, const char* name,
                       Steinberg::Vst::BusType type, Steinberg::int32 flags);
  void ApplyParameterChanges(Steinberg::Vst::IParameterChanges* changes);
  void ApplyParameterChange(ParamID id, ParamValue value);
  void DeliverEvents(Steinberg::Vst::IEventList* events);
  bool HasUsableAudio(const Steinberg::Vst::ProcessData& data) const;
  template <typename Sample>
  void ProcessAudio(Steinberg::Vst::ProcessData& data);
  // Zeroes the output buses from firstBus on.
  void SilenceOutputs(Steinberg::Vst::ProcessData& data, Steinberg::int32 firstBus = 0);
  // Host values outside 0..1, and NaN, become the nearer end (NaN: 0).
  static double ClampNormalized(double value) { return value >= 0.0 ? std::min(value, 1.0) : 0.0; }
  int32_t PresetIndexFor(ParamValue normalized) const;
  // One reading of the bypass parameter everywhere (the controller, the
  // process queue, the text): on from half-way up, as a one-step parameter
  // rounds; NaN is off.
  static bool BypassOn(ParamValue normalized) { return normalized >= 0.5; }
  void RegisterBypassParameter();
  // Any thread, any call: the host is to hear restartComponent (flags) at
  // the plug-in's next turn on its UI thread.
  void AskRestart(Steinberg::int32 flags) { pendingRestart.fetch_or(flags); }
  // The plug-in's own turn (UI thread, inside no host call, lock not held):
  // one restartComponent with every flag asked for since the last.
  void DeliverPendingRestart();
  static void NotifierTurn(void* self) { static_cast<IEffectVST3*>(self)->DeliverPendingRestart(); }
  tresult ApplyState(const StateChunk& chunk);
  bool IsParamIndex(ParamID id) const { return id < static_cast<ParamID>(ParamCount()); }

  // restartComponent flags not yet delivered.
  std::atomic<Steinberg::int32> pendingRestart{0};
  HostNotifier notifier{&IEffectVST3::NotifierTurn, this};
};
