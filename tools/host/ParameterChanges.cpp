#include "tools/host/ParameterChanges.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

int32 PLUGIN_API ParamValueQueue::getPointCount() { return static_cast<int32>(points.size()); }

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
  if (failReads || index < 0 || index >= getPointCount()) return kResultFalse;
  sampleOffset = points[index].offset;
  value = points[index].value;
  return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
  points.push_back({sampleOffset, value});
  index = getPointCount() - 1;
  return kResultOk;
}

int32 PLUGIN_API ParameterChanges::getParameterCount() { return static_cast<int32>(queues.size()); }

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index) {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return queues[index].get();
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index) {
  for (std::size_t i = 0; i < queues.size(); ++i) {
    if (queues[i]->getParameterId() == id) {
      index = static_cast<int32>(i);
      return queues[i].get();
    }
  }
  queues.push_back(std::make_unique<ParamValueQueue>(id));
  index = getParameterCount() - 1;
  return queues.back().get();
}

ParamValueQueue* ParameterChanges::Add(ParamID id, double value, int32 offset) {
  int32 index = 0;
  auto* queue = static_cast<ParamValueQueue*>(addParameterData(id, index));
  int32 point = 0;
  queue->addPoint(offset, value, point);
  return queue;
}
