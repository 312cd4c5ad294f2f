#include "tools/ondivox/Usage.h"

namespace {

const OptionHelp kBundle = {"--bundle", "PATH", "the Ondivox.vst3 bundle to load (default: the one beside ondivox)"};
const OptionHelp kProgram = {"--program", "N|NAME", "start from a factory program, by number or name"};
const OptionHelp kSet = {"--set", "PARAM=VALUE",
                         "a parameter by id or title, in its units or as one of its texts (repeatable)"};
const OptionHelp kHelp = {"--help", nullptr, "this help"};
const OptionHelp kState = {"--state", "FILE", "start from a saved state file"};
const OptionHelp kRate = {"--rate", "HZ", "sample rate, 1 to 768000 (default 48000, or the session's or input's)"};
const OptionHelp kTempo = {"--tempo", "BPM", "the host's tempo, above 0 and up to 999 (default 120, or the session's)"};
const OptionHelp kInput = {"--input", "IN.wav",
                           "a mono or stereo WAV, RF64, FLAC, Ogg Vorbis or MP3 file, mixed under the\n"
                           "tone (resampled when its rate is not the render's)"};
const OptionHelp kSession = {"--session", "FILE", "a session file: programs and parameter ramps on a timeline"};

const std::vector<CommandHelp>& Commands() {
  static const std::vector<CommandHelp> commands = {
      {"info", "[--bundle PATH]", "the plug-in's class, parameters and programs", {kBundle, kHelp}},
      {"render",
       "[--bundle PATH] [--program N|NAME] [--set PARAM=VALUE]... [--rate HZ]\n"
       "[--tempo BPM] [--seconds S] [--input IN.wav] [--state FILE]\n"
       "[--session FILE] [--format 16|24|f32|f64|flac16|flac24] [--normalize DBFS]\n"
       "[--quiet]\n"
       "-o OUT.wav|OUT.flac|-",
       "renders the plug-in, transport playing from song position 0, to a WAV file\n"
       "(RF64 when it passes 4 GiB) or a FLAC file, which appears only once it is\n"
       "complete, or as a WAV stream to the standard output (-o - | aplay).\n"
       "With --session, the session file's programs, settings, ramps and fades are\n"
       "played on top of --state, --program and --set (docs/SESSIONS.md); the\n"
       "options given here replace its rate, tempo, input and length",
       {kBundle,
        kProgram,
        kSet,
        kRate,
        kTempo,
        {"--seconds", "S", "length, up to 24 hours (default 10, or the session's end, or the input's length)"},
        kInput,
        kState,
        kSession,
        {"--format", "FORMAT",
         "16, 24, f32 or f64 samples (default 24); FLAC holds 16 or 24;\n"
         "flac16 and flac24 write FLAC whatever OUT's name"},
        {"--normalize", "DBFS",
         "renders twice: first to find the peak, then with one gain that puts\n"
         "it at DBFS (-60 .. 0; not with -o -)"},
        {"--quiet", nullptr, "no progress line and no summary"},
        {"-o", "OUT.wav|OUT.flac|-",
         "the file to write: a name ending .flac is FLAC, any other WAV;\n"
         "- streams WAV to the standard output (the summary goes to standard\n"
         "error; exit code 141 when the reader closes it early)"},
        kHelp}},
      {"play",
       "[--bundle PATH] [--program N|NAME] [--set PARAM=VALUE]... [--rate HZ]\n"
       "[--tempo BPM] [--seconds S] [--input IN.wav] [--state FILE]\n"
       "[--session FILE] [--device N|NAME] [--latency MS] [--quiet]",
       "plays what render would write, live through an output device, until the\n"
       "session's end, --seconds, or q. On a terminal a status line shows the time\n"
       "and the session's step; space pauses and resumes, q or Ctrl+C stops, and\n"
       "in a session the left and right arrows seek 30 s back and forward (the\n"
       "session is rendered again from its start to the new place, unheard).\n"
       "The device plays at the plug-in's rate: one that does not is refused, with\n"
       "the rates it plays. Exit code 0 at the end or after q, 1 when the device or\n"
       "the input fails, 130 after Ctrl+C",
       {kBundle,
        kProgram,
        kSet,
        kRate,
        kTempo,
        {"--seconds", "S", "length, up to 24 hours (default: the session's end, or until stopped)"},
        kInput,
        kState,
        kSession,
        {"--device", "N|NAME", "the output device, by number or (part of its) name (default: the\n"
                               "system's default output; see ondivox devices)"},
        {"--latency", "MS", "the output latency to ask the device for, above 0 and up to 2000 ms (default 100)"},
        {"--quiet", nullptr, "no status line and no summary"},
        kHelp}},
      {"devices", "", "lists the audio output devices play can use: number, name, host API,\n"
                      "channels, default rate; * marks the default", {kHelp}},
      {"state save",
       "[--bundle PATH] [--program N|NAME] [--set PARAM=VALUE]... -o FILE",
       "writes the plug-in's state after the program and settings",
       {kBundle, kProgram, kSet, {"-o", "FILE", "the state file to write"}, kHelp}},
      {"state show", "[--bundle PATH] FILE", "lists every parameter of a state file", {kBundle, kHelp}},
      {"session show",
       "[--bundle PATH] [--state FILE] [--program N|NAME] [--set PARAM=VALUE]... FILE",
       "checks a session file and lists its timeline: one line per step with the\n"
       "values it leads to, then the session's length (docs/SESSIONS.md)",
       {kBundle, kState, kProgram, kSet, kHelp}},
      {"snapshot",
       "[--bundle PATH] [--program N|NAME] [--state FILE] [--set PARAM=VALUE]...\n"
       "[--tempo BPM] [--blocks N] [--scale F] [--click X,Y] [--rclick X,Y]\n"
       "[--drag X,Y,DX,DY] [--wheel X,Y,N]... -o OUT.png",
       "draws the plug-in's editor, as a playing host shows it, to a PNG file;\n"
       "gestures are replayed in order after the first block, at the picture's pixels",
       {kBundle,
        kProgram,
        kState,
        kSet,
        {"--tempo", "BPM", "the host's tempo, above 0 and up to 999 (default 120)"},
        {"--blocks", "N", "blocks of 1024 frames played, 1 to 100000 (default 4)"},
        {"--scale", "F", "the display scale, 1 to 4 (default 1; 2 draws 1100 x 730)"},
        {"--click", "X,Y", "a left click at editor pixels", true},
        {"--rclick", "X,Y", "a right click", true},
        {"--drag", "X,Y,DX,DY", "a left-button drag by DX,DY", true},
        {"--wheel", "X,Y,N", "N wheel notches (up positive)", true},
        {"-o", "OUT.png", "the picture to write"},
        kHelp}},
  };
  return commands;
}

// Continuation lines start under the first line's text.
std::string Indented(std::string text, std::size_t by) {
  for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    text.insert(at + 1, std::string(by, ' '));
  return text;
}

void PrintSynopsis(const CommandHelp& c, std::FILE* to) {
  std::fprintf(to, "  ondivox %-12s %s\n", c.name, Indented(c.synopsis, 23).c_str());
}

void PrintOptions(const CommandHelp& c, std::FILE* to) {
  std::fprintf(to, "\n%s\n\n", c.summary);
  for (const OptionHelp& o : c.options) {
    std::string left = std::string(o.name) + (o.value ? std::string(" ") + o.value : std::string());
    std::fprintf(to, "  %-24s %s\n", left.c_str(), Indented(o.help, 27).c_str());
  }
}

}  // namespace

const OptionHelp* CommandHelp::Find(const std::string& option) const {
  for (const OptionHelp& o : options)
    if (option == o.name) return &o;
  return nullptr;
}

const CommandHelp* FindCommand(const std::string& name) {
  for (const CommandHelp& c : Commands())
    if (name == c.name) return &c;
  return nullptr;
}

void PrintUsage(std::FILE* to) {
  std::fputs("usage:\n", to);
  for (const CommandHelp& c : Commands()) PrintSynopsis(c, to);
  std::fputs("\n'ondivox help COMMAND' describes a command's options.\n", to);
}

bool PrintHelp(const std::string& name, std::FILE* to) {
  bool found = false;
  for (const CommandHelp& c : Commands()) {
    std::string n = c.name;
    if (n != name && n.compare(0, name.size() + 1, name + " ") != 0) continue;
    if (found) std::fputs("\n", to);
    std::fputs("usage:\n", to);
    PrintSynopsis(c, to);
    PrintOptions(c, to);
    found = true;
  }
  return found;
}
