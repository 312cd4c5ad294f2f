// PluginInstance: one plug-in object made by a module's factory, with the host
// objects it was given, driven the way a host drives it: initialise, component
// handler, processing setup, activation, process calls, state transfer, then
// teardown. Calls out of that order are refused here and never reach the
// plug-in.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstunits.h"
#include "tools/host/ComponentHandler.h"
#include "tools/host/HostApplication.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/PluginModule.h"
#include "vst3/OffscreenEditor.h"

// Where an instance stands, in the order a host walks it there and back.
enum class PluginStage { kInitialised, kSetUp, kActive, kProcessing };
const char* PluginStageName(PluginStage stage);

// What the host offers the plug-in it opens.
struct PluginHost {
  std::string name = "Ondivox Host";
  ComponentHandler* handler = nullptr;  // null: the instance has one of its own
};

// Loads a bundle (the .vst3 folder or its binary); null and *error on failure.
std::shared_ptr<PluginModule> LoadBundle(const std::string& bundlePath, std::string* error);

class PluginInstance {
 public:
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  // The one way a plug-in is opened: creates the first audio effect class of
  // the module's factory, initialises it with a host application named as
  // host says, gives it the component handler and activates its default
  // buses. The instance keeps the module loaded. Null and *error on failure.
  static std::unique_ptr<PluginInstance> Open(std::shared_ptr<PluginModule> module, const PluginHost& host,
                                              std::string* error);
  // The same, loading the bundle first.
  static std::unique_ptr<PluginInstance> Open(const std::string& bundlePath, const PluginHost& host,
                                              std::string* error);

  Steinberg::Vst::IComponent* Component() const { return component; }
  Steinberg::Vst::IAudioProcessor* Processor() const { return processor; }
  Steinberg::Vst::IEditController* Controller() const { return controller; }
  Steinberg::Vst::IUnitInfo* Units() const { return units; }
  // The plug-in's editor without a window; null when it offers none.
  IOffscreenEditor* OffscreenEditor() const { return offscreen; }
  PluginModule& Module() const { return *module; }
  ComponentHandler& Handler() const { return *handler; }
  HostApplication& Application() { return app; }

  PluginStage Stage() const { return stage; }
  // The processing setup last accepted by the plug-in.
  const Steinberg::Vst::ProcessSetup& Setup() const { return setup; }
  // Why the last call was refused before it reached the plug-in, or what the
  // plug-in answered; empty after a call that went through.
  const std::string& Error() const { return error; }

  // Activates every bus the plug-in marks active by default, as hosts do.
  // Open calls it; call it again after changing bus arrangements. Only while
  // inactive.
  Steinberg::tresult ActivateDefaultBuses();

  // Each step of the lifecycle, one call to the plug-in; refused (kResultFalse
  // and Error()) when the instance does not stand where the step starts.
  Steinberg::tresult SetupProcessing(const Steinberg::Vst::ProcessSetup& wanted);  // initialised or set up
  Steinberg::tresult Activate();                                                  // set up
  Steinberg::tresult StartProcessing();                                           // active
  Steinberg::tresult StopProcessing();                                            // processing
  Steinberg::tresult Deactivate();                                                // active

  // setupProcessing, then setActive(true) and setProcessing(true), from
  // initialised or set up.
  Steinberg::tresult Setup(double sampleRate, int32_t maxBlock, int32_t sampleSize,
                           int32_t processMode = Steinberg::Vst::kRealtime);
  // Walks back to set up from wherever the instance stands, then Setup: how a
  // host changes the rate, the block or the mode of a running plug-in.
  Steinberg::tresult Restart(double sampleRate, int32_t maxBlock, int32_t sampleSize, int32_t processMode);

  // One process call with one stereo-or-mono input and output bus of
  // channels channels each (in may be null: no input bus). Only while
  // processing, in the sample size set up and within its largest block.
  Steinberg::tresult Process(int32_t frames, int32_t channels, float** in, float** out,
                             Steinberg::Vst::IParameterChanges* changes = nullptr,
                             Steinberg::Vst::ProcessContext* context = nullptr);
  Steinberg::tresult Process(int32_t frames, int32_t channels, double** in, double** out,
                             Steinberg::Vst::IParameterChanges* changes = nullptr,
                             Steinberg::Vst::ProcessContext* context = nullptr);
  // A process call with no audio at all: a parameter flush. Only while processing.
  Steinberg::tresult Flush(Steinberg::Vst::IParameterChanges* changes);

  // The component's state as bytes, and restoring it.
  std::vector<uint8_t> SaveState();
  Steinberg::tresult LoadState(const std::vector<uint8_t>& bytes);

  // Parameter lookup through the controller.
  int32_t ParamCount() const;
  bool ParamInfo(int32_t index, Steinberg::Vst::ParameterInfo& info) const;
  std::string ValueText(Steinberg::Vst::ParamID id, double normalized) const;
  // The parameter flagged as the program change; false when there is none.
  bool ProgramChangeParam(Steinberg::Vst::ParamID* id) const;

  // Walks the plug-in back (processing off, inactive), terminates and
  // releases it. Called by the destructor too.
  void Close();

 private:
  PluginInstance(std::shared_ptr<PluginModule> module, const PluginHost& host);
  bool Create(std::string* error);
  // True when the instance stands at one of the stages; else records why
  // call is refused.
  bool StandsAt(const char* call, std::initializer_list<PluginStage> stages);
  Steinberg::tresult Answer(const char* call, Steinberg::tresult result);
  // Whether a block of frames frames of this sample size may be sent now.
  bool MaySend(int32_t frames, int32_t size);

  // Declared first, so that it is let go of last.
  std::shared_ptr<PluginModule> module;
  HostApplication app;
  ComponentHandler ownHandler;
  ComponentHandler* handler = nullptr;

  Steinberg::Vst::IComponent* component = nullptr;
  Steinberg::Vst::IAudioProcessor* processor = nullptr;
  Steinberg::Vst::IEditController* controller = nullptr;
  Steinberg::Vst::IUnitInfo* units = nullptr;
  IOffscreenEditor* offscreen = nullptr;
  Steinberg::Vst::ProcessSetup setup{Steinberg::Vst::kRealtime, Steinberg::Vst::kSample32, 0, 0.0};
  PluginStage stage = PluginStage::kInitialised;
  std::string error;
};

// One process call with one input and one output bus, straight to the
// processor whatever it was told before: what an instance sends once its
// checks pass, and what a test of a careless host sends (in may be null: no
// input bus).
Steinberg::tresult SendProcess(Steinberg::Vst::IAudioProcessor* processor, int32_t processMode, int32_t frames,
                               int32_t channels, float** in, float** out,
                               Steinberg::Vst::IParameterChanges* changes, Steinberg::Vst::ProcessContext* context);
Steinberg::tresult SendProcess(Steinberg::Vst::IAudioProcessor* processor, int32_t processMode, int32_t frames,
                               int32_t channels, double** in, double** out,
                               Steinberg::Vst::IParameterChanges* changes, Steinberg::Vst::ProcessContext* context);

std::string NarrowText(const Steinberg::Vst::TChar* text);
