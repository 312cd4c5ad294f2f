// IEffectVST3: saving and restoring the plug-in's state through host streams.
#include "framework/HostKind.h"
#include "pluginterfaces/base/ibstream.h"
#include "vst3/EffectVST3.h"

using namespace Steinberg;

using Guard = std::lock_guard<std::recursive_mutex>;

namespace {

constexpr int32 kReadPiece = 128;
// A stream that never ends (or a host that keeps delivering) must not
// exhaust memory; real states are a few hundred bytes.
constexpr int kMaxStateBytes = 1 << 20;

// Reads the stream into chunk in pieces until a read delivers nothing. A read
// that reports an error ends it, unless the host is known to report errors
// on reads that still deliver data.
void ReadStream(IBStream* stream, StateChunk& chunk, bool keepReadingOnError) {
  uint8_t piece[kReadPiece];
  while (chunk.Size() < kMaxStateBytes) {
    int32 got = 0;
    tresult result = stream->read(piece, kReadPiece, &got);
    if (got < 0) got = 0;
    if (got > kReadPiece) got = kReadPiece;
    if (result != kResultOk && !keepReadingOnError) break;
    if (got == 0) break;
    chunk.AppendBytes(piece, got);
  }
}

}  // namespace

tresult IEffectVST3::getComponentStateData(IBStream* stream) {
  if (!stream) return kInvalidArgument;
  Guard g(lock);
  StateChunk chunk;
  if (!SaveState(chunk)) return kResultFalse;
  // A host stream that takes less than the whole state has not saved it.
  int32 written = 0;
  tresult result = stream->write(const_cast<uint8_t*>(chunk.Data()), chunk.Size(), &written);
  return result == kResultOk && written == chunk.Size() ? kResultOk : kResultFalse;
}

tresult IEffectVST3::setComponentStateData(IBStream* stream) {
  if (!stream) return kInvalidArgument;
  Guard g(lock);
  StateChunk chunk;
  ReadStream(stream, chunk, HostKind() == kHostWavelab);
  int32_t pos = LoadState(chunk, 0);
  RefreshEditorParams();

  int32 trailing = 0;
  int32 got = 0;
  stream->seek(pos, IBStream::kIBSeekSet, nullptr);
  return stream->read(&trailing, sizeof trailing, &got) == kResultOk ? kResultOk : kResultFalse;
}

tresult IEffectVST3::setControllerState(IBStream*) {
  Guard g(lock);
  return kResultOk;
}

tresult IEffectVST3::getControllerState(IBStream*) {
  Guard g(lock);
  return kResultOk;
}
