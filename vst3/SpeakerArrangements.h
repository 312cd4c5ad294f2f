// Channel count -> the VST3 speaker arrangement a bus of that many channels gets.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

// 1 mono, 2 stereo, 3 L R S, 4 first-order ambisonics, 5 5.0, 6 5.1; else empty.
Steinberg::Vst::SpeakerArrangement ArrangementForChannels(int channels);
// Number of speakers (set bits) in an arrangement.
int ChannelsInArrangement(Steinberg::Vst::SpeakerArrangement arrangement);
