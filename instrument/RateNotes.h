// Tempo-synced LFO rates: the 31 note values, three per octave of length
// (straight, triplet, dotted), from "1/32" (entry 0) to "32/1" (entry 30).
#pragma once

// Length of entry a in whole notes, rounded to float as the rate uses it.
float NoteLengthWholeNotes(int entry);

// Increment (radians per sample) of entry a at the given samples per whole
// note; samplesPerWholeNote must be positive.
double SyncedIncrement(int entry, double samplesPerWholeNote);

// The entry whose rate is nearest to increment x, comparing in float as a
// user hears it: a tie goes to the slower entry; anything at or above the
// fastest gives 0, anything below the slowest gives 30.
int NearestNoteEntry(double x, double samplesPerWholeNote);
