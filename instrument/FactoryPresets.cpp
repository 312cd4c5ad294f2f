// The 141 factory programs: slot 0 is the default placeholder, then four
// groups that each change a few values of one base vector.
#include <cstdlib>
#include <cstring>

#include "instrument/Ondivox.h"

namespace {

// Values of one program, parameters 0 ... 24.
struct ProgramValues {
  double freq = 200.0;
  double iso = 4.0;
  int v[kNumParams] = {};  // parameters 2 ... 24 (0 and 1 live above)
};

ProgramValues BaseProgram() {
  ProgramValues p;
  const int base[kNumParams] = {0,   0,  100, 0,  0, 0,    1,  1, 1000, 90, 0, 0, 1,
                                15, 2000, 90, 0, 0, 0, 1, 15, 2000, 90, 0, 1};
  std::memcpy(p.v, base, sizeof base);
  return p;
}

struct Change {
  int index;
  int value;
};

struct SoundProgram {
  const char* name;
  double freq;  // 0 keeps the base value
  Change changes[6];
};

// Group 1: sound-character examples.
const SoundProgram kSoundPrograms[] = {
    {"Higher frequencies", 400, {{kRound, 90}}},
    {"Left - Right balance", 0, {{kRound, 90}, {kLfo1Target, kTargetPan}, {kLfo1RateNote, 18}, {kLfo1Depth, 100}}},
    {"Volume balance", 0, {{kRound, 90}, {kVolume, 0}, {kLfo2Target, kTargetVolume}, {kLfo2Depth, 80}}},
    {"Rich balance",
     0,
     {{kVolume, 80}, {kLfo1Target, kTargetPan}, {kLfo1RateNote, 18}, {kLfo1Depth, 100}, {kLfo2Target, kTargetVolume}, {kLfo2Depth, 50}}},
    {"Triangle waves", 0, {{kWave, 1}, {kVolume, 80}}},
    {"Saw waves", 0, {{kWave, 2}, {kVolume, 50}}},
    {"Square waves", 0, {{kWave, 3}, {kVolume, 45}}},
    {"Golden Sine", 0, {{kWave, 4}, {kVolume, 80}}},
    {"Golden Sine Half", 0, {{kWave, 5}, {kVolume, 80}}},
    {"Golden Triangle", 0, {{kWave, 6}, {kVolume, 80}}},
    {"Golden Square", 0, {{kWave, 7}, {kVolume, 45}}},
    {"Isochronic Golden", 0, {{kGoldenIso, 1}}},
    {"Aggressive", 0, {{kRound, 50}}},
};

// Group 2: the pulse rate is the number after "Isochronic - " in the name.
const char* const kPulsePrograms[] = {
    "Isochronic - 0.2 (Dental pain)",
    "Isochronic - 0.28 (Arthritis)",
    "Isochronic - 0.3 (Depression)",
    "Isochronic - 0.37 (Drug addiction)",
    "Isochronic - 0.4 (Confusion)",
    "Isochronic - 0.5 (Post traumatics)",
    "Isochronic - 0.9 (Euphoria)",
    "Isochronic - 1 (Feeling of well-being, pituitary stimulation)",
    "Isochronic - 1.45 (Tri-thalamic entrainment, Alzheimer)",
    "Isochronic - 1.5 (Abrahams universal healing rate)",
    "Isochronic - 1.8 (Sinus congestion)",
    "Isochronic - 2.0 (Nerve regeneration)",
    "Isochronic - 2.06 (Associated with coccyx)",
    "Isochronic - 2.2 (Dreamless sleep, trance state)",
    "Isochronic - 2.3 (Associated with genitals)",
    "Isochronic - 2.57 (Associated with bladder)",
    "Isochronic - 2.67 (Associated with intestines)",
    "Isochronic - 3.0 (Increased Reaction Time)",
    "Isochronic - 3.4 (Sound sleep)",
    "Isochronic - 3.44 (Associated with ovaries)",
    "Isochronic - 3.5 (Feeling of unity with everythin)",
    "Isochronic - 3.6 (Remedy for anger & irritability)",
    "Isochronic - 3.84 (Associated with the liver & pancreas)",
    "Isochronic - 4.0 (Extrasensory perception, astral Projection)",
    "Isochronic - 4.11 (Associated with kidneys)",
    "Isochronic - 4.5 (Shamanic & Tibetan state of consciousness)",
    "Isochronic - 4.6 (Associated with spleen & blood)",
    "Isochronic - 4.9 (Relaxation & meditation)",
    "Isochronic - 5.0 (Relaxed states, pain-relief)",
    "Isochronic - 5.14 (Associated with stomach)",
    "Isochronic - 5.35 (Associated with lungs)",
    "Isochronic - 5.5 (Beyond knowledge to knowing)",
    "Isochronic - 5.8 (Reduce fear, absent-mindedness)",
    "Isochronic - 6.0 (Creative visualization)",
    "Isochronic - 6.15 (Associated with heart)",
    "Isochronic - 6.3 (Mental & astral projection)",
    "Isochronic - 7.0 (Mental & astral projection 2)",
    "Isochronic - 7.5 (Inter-awareness of self)",
    "Isochronic - 7.8 (Stimulates ESP, paranormal)",
    "Isochronic - 8.0 (Learning new information)",
    "Isochronic - 8.6 (Induces sleep, tingling sensations)",
    "Isochronic - 9.0 (Awareness of causes of body imbalance)",
    "Isochronic - 9.41 (Pyramid frequency)",
    "Isochronic - 9.6 (Earth's magnetic field)",
    "Isochronic - 10.6 (Relaxed & alert)",
    "Isochronic - 11.0 (Focused alertness)",
    "Isochronic - 14.1 (Earth Resonance)",
    "Isochronic - 15.0 (Euphoria)",
    "Isochronic - 20.3 (Earth Resonance)",
    "Isochronic - 22.02 (Serotonin)",
    "Isochronic - 26.4 (Earth Resonance)",
    "Isochronic - 30.0 (Associated with marijuana)",
    "Isochronic - 31.32 (Pituitary stimulation to release growth hormone)",
    "Isochronic - 32.0 (Desensitizer; enhanced vigour & alertnes)",
    "Isochronic - 33.0 (Christ consciousness)",
    "Isochronic - 35.0 (Awakening of mid-chakras, balance of chakras)",
    "Isochronic - 38.0 (Endorphin release)",
    "Isochronic - 46.98 (Useful for weird effects)",
    "Isochronic - 55.0 (Tantric yoga, stimulates the kundalini)",
    "Isochronic - 63.5 (Astral projection)",
    "Isochronic - 70.0 (Mental & astral projection)",
    "Isochronic - 83.0 (Third eye opening)",
    "Isochronic - 90.0 (Pleasure, producing beta-endorphins)",
    "Isochronic - 105.0 (Overall view of complete situation)",
    "Isochronic - 108.0 (Total knowing)",
    "Isochronic - 111.0 (Beta endorphins)",
    "Isochronic - 176.0 (Associated with colon)",
    "Isochronic - 8.0 (Muladhara chakra)",
    "Isochronic - 9.0 (Svadhisthana chakra)",
    "Isochronic - 10.0 (Manipura chakra)",
    "Isochronic - 10.5 (Anahata chakra)",
    "Isochronic - 12.0 (Vishuddha chakra)",
    "Isochronic - 13.0 (Ajna chakra)",
    "Isochronic - 15.0 (Sahasrara chakra)",
    "Isochronic - 7.83 (Schumann Resonance)",
    "Isochronic - 14.3 (Schumann Resonance)",
    "Isochronic - 20.8 (Schumann Resonance)",
    "Isochronic - 27.3 (Schumann Resonance)",
    "Isochronic - 33.8 (Schumann Resonance)",
    "Isochronic - 126.22 (Sun: light, warmth, joy, animus)",
    "Isochronic - 136.1 (Earth: resonates with the earth year)",
    "Isochronic - 140.25 (Pluto: power, crisis & changes)",
    "Isochronic - 141.27 (Mercury: intellectuality, mobility)",
    "Isochronic - 144.72 (Mars: activity, energy, freedom, humor)",
    "Isochronic - 147.85 (Saturn: separation, sorrow, death)",
    "Isochronic - 183.58 (Jupiter: growth, success, justice, spirituality)",
    "Isochronic - 194.71 (Earth: stability, grounding)",
    "Isochronic - 207.36 (Uranus: spontaneity, independence, originality)",
    "Isochronic - 211.44 (Neptune: the unconscious, imagination, spiritual)",
    "Isochronic - 221.23 (Venus: beauty, love, sexuality, sensuality, harmony)",
};

// The one pulse program whose stored rate is not the number in its name.
const char* const kAstralProgram = "Isochronic - 63.5 (Astral projection)";

// Group 3: carrier frequencies, pulsing off.
const char* const kHealingPrograms[] = {
    "Healing - 110 Hz (Stomach)",
    "Healing - 117.3 Hz (Pancreas)",
    "Healing - 164.3 Hz (Gall Bladder)",
    "Healing - 176 Hz (Colon)",
    "Healing - 220 Hz (Lungs)",
    "Healing - 264 Hz (Personality)",
    "Healing - 281.6 Hz (Small Intestine)",
    "Healing - 295.8 Hz (Fat Cells)",
    "Healing - 317.8 Hz (Liver)",
    "Healing - 319.9 Hz (Kidneys)",
    "Healing - 321.9 Hz (Blood)",
    "Healing - 324 Hz (Muscles)",
    "Healing - 352 Hz (Bladder)",
    "Healing - 418.3 Hz (Bones)",
    "Healing - 432 Hz (Natural, harmonic intonation of nature)",
    "Healing - 492 Hz (Spleen)",
    "Healing - 492.8 Hz (Adrenals, thyroid & parathyroid)",
    "Healing - 586 Hz (Circulation  & sex)",
};

// Group 4: each carrier program is followed by its LFO variant.
struct SolfeggioPair {
  const char* plain;
  const char* withLfo;
  int lfo2Depth;
};

const SolfeggioPair kSolfeggioPrograms[] = {
    {"Solfeggio UT - 396 Hz (Turning grief into joy, liberating Guilt and Fear)", "Solfeggio UT - 396 Hz LFO", 50},
    {"Solfeggio RE - 417 Hz (Undoing Situations and Facilitating Change)", "Solfeggio RE - 417 Hz LFO", 50},
    {"Solfeggio MI - 528 Hz (Transformation and Miracles, DNA Repair)", "Solfeggio MI - 528 Hz LFO", 45},
    {"Solfeggio FA - 639 Hz (Relationship, connecting with spiritual family)", "Solfeggio FA - 639 Hz LFO", 45},
    {"Solfeggio SOL - 741 Hz (Solving problems, expressions & solutions)", "Solfeggio SOL - 741 Hz LFO", 45},
    {"Solfeggio LA - 852 Hz (Awakening Intuition, returning to Spiritual Order)", "Solfeggio LA - 852 Hz LFO", 40},
    {"Solfeggio SI - 963 Hz (Awakens any system to its original, perfect state)", "Solfeggio SI - 963 Hz LFO", 40},
    {"Solfeggio - 174 Hz (Natural anaesthetic, reduce pain)", "Solfeggio - 174 Hz LFO", 50},
    {"Solfeggio - 285 Hz (Return tissue into its original form)", "Solfeggio - 285 Hz LFO", 50},
    {"Solfeggio - 936 Hz (Pineal Gland Activator)", "Solfeggio - 936 Hz Hz LFO", 40},
};

// The number that follows the first " - " of a program name.
double NumberAfterDash(const char* name) {
  const char* dash = std::strstr(name, " - ");
  return dash ? std::strtod(dash + 3, nullptr) : 0.0;
}

// A carrier-frequency program: the frequency, "Round" 75 %, pulsing off.
ProgramValues CarrierProgram(const char* name) {
  ProgramValues p = BaseProgram();
  p.freq = NumberAfterDash(name);
  p.v[kRound] = 75;
  p.v[kIsoOn] = 0;
  return p;
}

}  // namespace

void CLS_ONDIVOX::AddFactoryPresets() {
  auto add = [this](const char* name, const ProgramValues& p) {
    const int* v = p.v;
    AddPreset(name, p.freq, p.iso, v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12],
              v[13], v[14], v[15], v[16], v[17], v[18], v[19], v[20], v[21], v[22], v[23], v[24]);
  };

  AddPlaceholderPresets("---- default ----", 1);

  for (const SoundProgram& program : kSoundPrograms) {
    ProgramValues p = BaseProgram();
    if (program.freq > 0) p.freq = program.freq;
    for (const Change& change : program.changes)
      if (change.index > 0) p.v[change.index] = change.value;
    add(program.name, p);
  }

  for (const char* name : kPulsePrograms) {
    ProgramValues p = BaseProgram();
    p.iso = std::strcmp(name, kAstralProgram) == 0 ? 63.0 : NumberAfterDash(name);
    add(name, p);
  }

  for (const char* name : kHealingPrograms) add(name, CarrierProgram(name));

  for (const SolfeggioPair& pair : kSolfeggioPrograms) {
    add(pair.plain, CarrierProgram(pair.plain));
    ProgramValues lfo = CarrierProgram(pair.plain);
    lfo.v[kVolume] = 0;
    lfo.v[kLfo1Target] = kTargetPan;
    lfo.v[kLfo1RateNote] = 18;
    lfo.v[kLfo1Depth] = 100;
    lfo.v[kLfo2Target] = kTargetVolume;
    lfo.v[kLfo2Depth] = pair.lfo2Depth;
    add(pair.withLfo, lfo);
  }
}
