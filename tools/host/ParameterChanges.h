// ParameterChanges and ParamValueQueue: the parameter changes a host sends
// with one block. Each queue holds the points for one parameter ID.
#pragma once

#include <memory>
#include <vector>

#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "tools/host/HostObject.h"

class ParamValueQueue : public HostObject<Steinberg::Vst::IParamValueQueue> {
 public:
  explicit ParamValueQueue(Steinberg::Vst::ParamID id) : id(id) {}

  Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id; }
  Steinberg::int32 PLUGIN_API getPointCount() override;
  Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                         Steinberg::Vst::ParamValue& value) override;
  Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset,
                                         Steinberg::Vst::ParamValue value,
                                         Steinberg::int32& index) override;

  // Makes every getPoint fail, as a broken host might.
  void FailReads(bool fail) { failReads = fail; }

 private:
  struct Point {
    Steinberg::int32 offset;
    Steinberg::Vst::ParamValue value;
  };
  Steinberg::Vst::ParamID id;
  std::vector<Point> points;
  bool failReads = false;
};

class ParameterChanges : public HostObject<Steinberg::Vst::IParameterChanges> {
 public:
  Steinberg::int32 PLUGIN_API getParameterCount() override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
  Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                               Steinberg::int32& index) override;

  // Adds one point to the queue of id (made when new).
  ParamValueQueue* Add(Steinberg::Vst::ParamID id, double value, Steinberg::int32 offset = 0);
  void Clear() { queues.clear(); }
  bool Empty() const { return queues.empty(); }

 private:
  std::vector<std::unique_ptr<ParamValueQueue>> queues;
};
