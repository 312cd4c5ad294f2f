#include "tools/host/ComponentHandler.h"

using namespace Steinberg;

tresult PLUGIN_API ComponentHandler::beginEdit(Vst::ParamID id) {
  calls.push_back({Kind::kBegin, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value) {
  calls.push_back({Kind::kPerform, id, value});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::endEdit(Vst::ParamID id) {
  calls.push_back({Kind::kEnd, id, 0.0});
  return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags) {
  calls.push_back({Kind::kRestart, 0, static_cast<double>(flags)});
  return kResultOk;
}
