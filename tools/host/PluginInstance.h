// PluginInstance: one plug-in object made by a module's factory, driven the
// way a host drives it: initialize, component handler, processing setup,
// activation, process calls, state transfer, then teardown.
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
#include "vst3/OffscreenEditor.h"

class PluginInstance {
 public:
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  // Creates the first "Audio Module Class" of the factory, initialises it
  // with app as host context and gives it handler. Null and *error on failure.
  static std::unique_ptr<PluginInstance> Create(Steinberg::IPluginFactory* factory,
                                                HostApplication* app, ComponentHandler* handler,
                                                std::string* error);

  Steinberg::Vst::IComponent* Component() const { return component; }
  Steinberg::Vst::IAudioProcessor* Processor() const { return processor; }
  Steinberg::Vst::IEditController* Controller() const { return controller; }
  Steinberg::Vst::IUnitInfo* Units() const { return units; }
  // The plug-in's editor without a window; null when it offers none.
  IOffscreenEditor* OffscreenEditor() const { return offscreen; }

  // Activates every bus the plug-in marks active by default, as hosts do.
  // Create calls it; call it again after changing bus arrangements.
  void ActivateDefaultBuses();

  // setupProcessing, then setActive(true) and setProcessing(true).
  Steinberg::tresult Setup(double sampleRate, int32_t maxBlock, int32_t sampleSize,
                           int32_t processMode = Steinberg::Vst::kRealtime);

  // One process call with one stereo-or-mono input and output bus of
  // channels channels each (in may be null: no input bus).
  Steinberg::tresult Process(int32_t frames, int32_t channels, float** in, float** out,
                             Steinberg::Vst::IParameterChanges* changes = nullptr,
                             Steinberg::Vst::ProcessContext* context = nullptr);
  Steinberg::tresult Process(int32_t frames, int32_t channels, double** in, double** out,
                             Steinberg::Vst::IParameterChanges* changes = nullptr,
                             Steinberg::Vst::ProcessContext* context = nullptr);
  // A process call with no audio at all: a parameter flush.
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

  // setActive(false), terminate and release. Called by the destructor too.
  void Close();

 private:
  PluginInstance() = default;
  template <typename T>
  Steinberg::tresult ProcessBuses(int32_t frames, int32_t channels, T** in, T** out, int32_t size,
                                  Steinberg::Vst::IParameterChanges* changes,
                                  Steinberg::Vst::ProcessContext* context);
  Steinberg::Vst::ProcessData BaseData(int32_t frames, int32_t sampleSize,
                                       Steinberg::Vst::IParameterChanges* changes,
                                       Steinberg::Vst::ProcessContext* context) const;

  Steinberg::Vst::IComponent* component = nullptr;
  Steinberg::Vst::IAudioProcessor* processor = nullptr;
  Steinberg::Vst::IEditController* controller = nullptr;
  Steinberg::Vst::IUnitInfo* units = nullptr;
  IOffscreenEditor* offscreen = nullptr;
  int32_t sampleSize = Steinberg::Vst::kSample32;
  bool active = false;
};

std::string NarrowText(const Steinberg::Vst::TChar* text);
