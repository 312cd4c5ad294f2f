// IEffectVST3: saving and restoring the plug-in's state through host streams.
#include "framework/HostKind.h"
#include "pluginterfaces/base/ibstream.h"
#include "vst3/EffectVST3.h"
#include "vst3/HostCall.h"

using namespace Steinberg;

using Guard = std::lock_guard<std::recursive_mutex>;

namespace {

constexpr int32 kReadPiece = 128;
// A state saved while bypassed carries this one double after the
// parameters; readers that know nothing of it ignore it as trailing bytes,
// and a state saved unbypassed stays exactly the parameters.
constexpr double kBypassedMark = 1.0;
// A stream that never ends (or a host that keeps delivering) must not
// exhaust memory; real states are a few hundred bytes.
constexpr int kMaxStateBytes = 1 << 20;

// Reads the stream into chunk in pieces until a read delivers nothing, and
// answers false when a read failed. A host known to report errors on reads
// that still deliver data is read on to the end.
bool ReadStream(IBStream* stream, StateChunk& chunk, bool keepReadingOnError) {
  uint8_t piece[kReadPiece];
  while (chunk.Size() < kMaxStateBytes) {
    int32 got = 0;
    tresult result = stream->read(piece, kReadPiece, &got);
    if (got < 0) got = 0;
    if (got > kReadPiece) got = kReadPiece;
    if (result != kResultOk && !keepReadingOnError) return false;
    if (got == 0) break;
    chunk.AppendBytes(piece, got);
  }
  return true;
}

}  // namespace

tresult IEffectVST3::getComponentStateData(IBStream* stream) {
  if (!stream) return kInvalidArgument;
  return HostCall([&]() -> tresult {
    StateChunk chunk;
    {
      Guard g(lock);
      if (!SaveState(chunk)) return kResultFalse;
      if (isBypassed) chunk.AppendDouble(kBypassedMark);
    }
    // A host stream that takes less than the whole state has not saved it.
    int32 written = 0;
    tresult result = stream->write(const_cast<uint8_t*>(chunk.Data()), chunk.Size(), &written);
    return result == kResultOk && written == chunk.Size() ? kResultOk : kResultFalse;
  });
}

// The whole stream is read, and the answer known, before anything changes:
// a refused state leaves every parameter as it was. Reading happens outside
// the lock, so a slow host stream never holds up the audio thread.
tresult IEffectVST3::setComponentStateData(IBStream* stream) {
  if (!stream) return kInvalidArgument;
  tresult result = HostCall([&]() -> tresult {
    // That host's read errors are no failures, here as in the reading.
    const bool errorsAreSpurious = HostKind() == kHostWavelab;
    StateChunk chunk;
    if (!ReadStream(stream, chunk, errorsAreSpurious)) return kResultFalse;
    const int32_t pos = LoadStateEnd(chunk, 0);
    int32 trailing = 0;
    int32 got = 0;
    stream->seek(pos, IBStream::kIBSeekSet, nullptr);
    if (stream->read(&trailing, sizeof trailing, &got) != kResultOk && !errorsAreSpurious)
      return kResultFalse;
    return ApplyState(chunk);
  });
  if (result == kResultOk) AskRestart(Vst::kParamValuesChanged);
  return result;
}

tresult IEffectVST3::ApplyState(const StateChunk& chunk) {
  Guard g(lock);
  const int32_t end = LoadState(chunk, 0);
  double mark = 0.0;
  isBypassed = end > 0 && chunk.ReadDouble(end, &mark) > 0 && mark == kBypassedMark;
  RefreshEditorParams();
  return kResultOk;
}

tresult IEffectVST3::setControllerState(IBStream*) {
  Guard g(lock);
  return kResultOk;
}

tresult IEffectVST3::getControllerState(IBStream*) {
  Guard g(lock);
  return kResultOk;
}
