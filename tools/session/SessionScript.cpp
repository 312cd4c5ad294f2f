#include "tools/session/SessionScript.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

#include "tools/files/FileStart.h"
#include "tools/host/Renderer.h"
#include "tools/session/NearestWord.h"
#include "tools/session/SessionError.h"
#include "tools/session/SessionTime.h"
#include "tools/session/SessionWords.h"
#include "tools/wav/WavReader.h"

namespace {

const std::vector<std::string> kHeaderWords = {"rate", "tempo", "input", "layer", "seed"};
const std::vector<std::string> kTimedWords = {"program", "set", "ramp", "fade-in", "fade-out", "start", "end"};
const std::vector<std::string> kNoiseColours = {"white", "pink", "brown"};

const char* KindName(LayerKind kind) {
  return kind == LayerKind::kVoice ? "voice" : kind == LayerKind::kNoise ? "noise" : "input";
}

bool IsLayerName(const std::string& name) {
  if (name.empty() || name.size() > 32) return false;
  for (char c : name)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_')) return false;
  return true;
}

bool IsOneOf(const std::string& word, const std::vector<std::string>& words) {
  for (const std::string& w : words)
    if (w == word) return true;
  return false;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// A relative input is found beside the session file, wherever it is run from.
std::string BesideFile(const std::string& file, const std::string& name) {
  const bool absolute = !name.empty() && (name[0] == '/' || name[0] == '\\' || (name.size() > 1 && name[1] == ':'));
  const std::size_t slash = file.find_last_of("/\\");
  if (absolute || slash == std::string::npos) return name;
  return file.substr(0, slash + 1) + name;
}

class Parser {
 public:
  explicit Parser(const std::string& file) {
    script.file = file;
    SessionLayer main;
    main.name = kMainLayer;
    script.layers.push_back(main);
  }

  void Line(int number, const std::string& text) {
    line = number;
    std::vector<std::string> words;
    std::string why;
    if (!SplitWords(text, &words, &why)) Fail(why);
    if (words.empty()) return;
    if (IsOneOf(words[0], kHeaderWords)) return Header(words);
    double time = 0.0;
    if (!ParseSessionTime(words[0], &time)) {
      if (IsOneOf(words[0], kTimedWords))
        Fail("'" + words[0] + "' needs a time before it (e.g. 0:30 " + words[0] + ")");
      Unknown(words[0], "a time or a header word (rate, tempo, input, layer, seed)", kHeaderWords);
    }
    Timed(time, words);
  }

  SessionScript Finish(int lines) {
    script.lastLine = lines;
    return script;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const { throw SessionError(script.file, line, what); }

  [[noreturn]] void Unknown(const std::string& word, const std::string& expected,
                            const std::vector<std::string>& words) const {
    const std::string near = NearestWord(word, words);
    Fail(Quoted(word) + " is not " + expected + (near.empty() ? "" : "; did you mean " + Quoted(near) + "?"));
  }

  double Number(const std::string& word, const std::string& text, double max) const {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v)) Fail(word + ": " + Quoted(text) + " is not a number");
    if (!(v > 0.0) || v > max)
      Fail(word + ": " + text + " is out of range (above 0, up to " + std::to_string(static_cast<long>(max)) + ")");
    return v;
  }

  void Header(const std::vector<std::string>& words) {
    const std::string& word = words[0];
    if (!script.lines.empty() || script.HasEnd())
      Fail(Quoted(word) + " is a header line; put it before the first timed line");
    if (word == "layer") return Layer(words);
    if (seen.find(word + ";") != std::string::npos) Fail(Quoted(word) + " is given twice");
    seen += word + ";";
    if (word == "seed") return Seed(words);
    if (word == "input") {
      const bool loop = words.size() == 3 && words[2] == "loop";
      if (words.size() < 2 || words.size() > 3 || (words.size() == 3 && !loop))
        Fail("input wants a file name and optionally 'loop': input \"rain.wav\" loop");
      if (words[1].empty()) Fail("input: the file name is empty");
      script.input = BesideFile(script.file, words[1]);
      script.loopInput = loop;
      script.inputLine = line;
      return;
    }
    if (words.size() != 2) Fail(word + " wants one number: " + word + (word == "rate" ? " 48000" : " 120"));
    if (word == "rate") {
      script.rate = Number(word, words[1], WavReader::kMaxRate);
      if (script.rate != std::floor(script.rate)) Fail("rate: " + words[1] + " is not a whole number of Hz");
    } else {
      script.tempo = Number(word, words[1], kMaxTempo);
    }
  }

  void Layer(const std::vector<std::string>& words) {
    if (words.size() < 3) Fail("layer wants a name and a kind: layer NAME voice, noise white|pink|brown or input FILE [loop]");
    SessionLayer layer;
    layer.name = words[1];
    layer.line = line;
    if (!IsLayerName(layer.name))
      Fail("layer: " + Quoted(layer.name) + " is not a layer name (letters, digits, '-' and '_', up to 32)");
    for (const SessionLayer& other : script.layers)
      if (other.name == layer.name)
        Fail("layer " + Quoted(layer.name) + " is declared twice" +
             (other.line > 0 ? " (first on line " + std::to_string(other.line) + ")" : " ('main' is the first voice)"));
    const std::string& kind = words[2];
    if (kind == "voice") {
      if (words.size() != 3) Fail("layer " + layer.name + " voice takes nothing after it");
    } else if (kind == "noise") {
      layer.kind = LayerKind::kNoise;
      if (words.size() != 4) Fail("layer " + layer.name + " noise wants a colour: white, pink or brown");
      if (!IsOneOf(words[3], kNoiseColours)) Unknown(words[3], "a noise colour (white, pink, brown)", kNoiseColours);
      layer.colour = words[3];
    } else if (kind == "input") {
      layer.kind = LayerKind::kInput;
      const bool loop = words.size() == 5 && words[4] == "loop";
      if (words.size() < 4 || words.size() > 5 || (words.size() == 5 && !loop))
        Fail("layer " + layer.name + " input wants a file name and optionally 'loop'");
      if (words[3].empty()) Fail("layer " + layer.name + ": the file name is empty");
      layer.file = BesideFile(script.file, words[3]);
      layer.loop = loop;
    } else {
      Unknown(kind, "a layer kind (voice, noise, input)", {"voice", "noise", "input"});
    }
    script.layers.push_back(layer);
  }

  void Seed(const std::vector<std::string>& words) {
    const std::string digits = words.size() == 2 ? words[1] : "";
    bool ok = !digits.empty() && digits.size() <= 19;
    for (char c : digits) ok = ok && c >= '0' && c <= '9';
    if (!ok) Fail("seed wants a whole number from 0 to 999999999999999999: seed 7");
    script.seed = std::strtoull(digits.c_str(), nullptr, 10);
    script.hasSeed = true;
  }

  // "NAME:" before the word; the index of the layer it names.
  int LayerPrefix(const std::string& word) const {
    const std::string name = word.substr(0, word.size() - 1);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < script.layers.size(); ++i) {
      if (script.layers[i].name == name) return static_cast<int>(i);
      names.push_back(script.layers[i].name);
    }
    std::string list;
    for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
    Unknown(name, "a layer (" + list + ")", names);
  }

  // The duration after the word at index at.
  double Duration(const std::string& word, const std::vector<std::string>& words, std::size_t at) const {
    if (words.size() < at + 2) Fail(word + " needs a duration");
    const std::string& text = words[at + 1];
    double d = 0.0;
    if (!ParseSessionTime(text, &d))
      Fail(word + ": " + Quoted(text) + " is not a duration ([h:]mm:ss[.fff] or seconds)");
    if (!(d > 0.0)) Fail(word + ": the duration must be longer than 0");
    if (d > kMaxRenderSeconds) Fail(word + ": " + text + " is longer than 24 hours");
    return d;
  }

  void Timed(double time, const std::vector<std::string>& words) {
    if (words.size() < 2) Fail("nothing to do at " + words[0]);
    if (time > kMaxRenderSeconds) Fail(words[0] + " is past 24 hours");
    if (script.HasEnd()) Fail("this line comes after the session's end (line " + std::to_string(script.endLine) + ")");
    const double previous = script.lines.empty() ? 0.0 : script.lines.back().time;
    if (time < previous)
      Fail(words[0] + " is earlier than the line before (" + FormatSessionTime(previous) +
           "); times must not go backwards");
    SessionLine entry;
    entry.line = line;
    entry.time = time;
    std::size_t at = 1;  // the word's index, after a prefix
    if (words[1].size() > 1 && words[1].back() == ':') {
      entry.layer = LayerPrefix(words[1]);
      entry.prefixed = true;
      if (words.size() < 3) Fail("nothing to do for " + script.layers[entry.layer].name + " at " + words[0]);
      at = 2;
    }
    entry.word = words[at];
    const std::string& word = entry.word;
    if (!IsOneOf(word, kTimedWords)) {
      if (IsOneOf(word, kHeaderWords))
        Fail(Quoted(word) + " is a header line; write it without a time, before the first timed line");
      Unknown(word, "a session word (program, set, ramp, fade-in, fade-out, start, end)", kTimedWords);
    }
    CheckLayerWord(entry);
    std::size_t first = at + 1;
    if (word == "ramp" || word == "fade-in" || word == "fade-out") {
      entry.duration = Duration(word, words, at);
      first = at + 2;
    }
    entry.args.assign(words.begin() + static_cast<long>(first), words.end());
    CheckArguments(entry);
    if (word == "end") {
      if (time <= 0.0) Fail("the session's end must be after 0:00");
      script.end = time;
      script.endLine = line;
      CheckNothingRunsPastEnd();
      return;
    }
    script.lines.push_back(entry);
  }

  void CheckLayerWord(const SessionLine& e) {
    const SessionLayer& layer = script.layers[e.layer];
    if (e.word == "end" && e.prefixed) Fail("end is the whole session's; write it without a layer");
    if (e.word == "program" && layer.kind != LayerKind::kVoice)
      Fail("program works on voices; " + Quoted(layer.name) + " is a" + (layer.kind == LayerKind::kInput ? "n " : " ") +
           KindName(layer.kind) + " layer");
    if (e.word != "start") return;
    for (const SessionLine& earlier : script.lines)
      if (earlier.word == "start" && earlier.layer == e.layer)
        Fail(layer.name + " starts twice (first on line " + std::to_string(earlier.line) + ")");
  }

  void CheckArguments(const SessionLine& e) const {
    const std::size_t n = e.args.size();
    if (e.word == "program" && n != 1) Fail("program wants one number or name (quote a name with blanks)");
    if ((e.word == "set" || e.word == "ramp") && n == 0) Fail(e.word + " wants PARAM=VALUE words");
    if ((e.word == "fade-in" || e.word == "fade-out") && n != 0) Fail(e.word + " wants only a duration");
    if ((e.word == "end" || e.word == "start") && n != 0) Fail(e.word + " takes nothing after it");
    for (const std::string& arg : e.args)
      if ((e.word == "set" || e.word == "ramp") && arg.find('=') == std::string::npos)
        Fail(Quoted(arg) + " is not PARAM=VALUE (quote it whole when it holds blanks: \"Base Freq=180\")");
  }

  // A fade the end cuts short stops the sound with the click it was meant
  // to avoid (a ramp may run past the end: the end shows where it stood).
  void CheckNothingRunsPastEnd() const {
    // The last fade of each track decides (an earlier one may be turned around).
    std::vector<const SessionLine*> last(script.layers.size() + 1, nullptr);
    for (const SessionLine& e : script.lines)
      if (e.word == "fade-in" || e.word == "fade-out") last[e.prefixed ? e.layer + 1 : 0] = &e;
    for (const SessionLine* fade : last)
      if (fade && fade->time + fade->duration > script.end + 1e-9)
        throw SessionError(script.file, fade->line,
                           "the " + fade->word + " ends at " + FormatSessionTime(fade->time + fade->duration) +
                               ", after the session's end (" + FormatSessionTime(script.end) + ")");
  }

  SessionScript script;
  int line = 0;
  std::string seen;  // header words given, ';'-separated
};

}  // namespace

SessionScript ParseSessionScript(const std::string& text, const std::string& file) {
  Parser parser(file);
  std::size_t start = 0;

  // A byte-order mark some editors put before UTF-8 text.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  for (int number = 1; start <= text.size(); ++number) {
    std::size_t newline = text.find('\n', start);
    if (newline == std::string::npos) newline = text.size();
    parser.Line(number, text.substr(start, newline - start));
    start = newline + 1;
  }
  const bool openLast = !text.empty() && text.back() != '\n';
  return parser.Finish(static_cast<int>(std::count(text.begin(), text.end(), '\n')) + (openLast ? 1 : 0));
}

SessionScript ReadSessionScript(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadFileStart(path, kMaxSessionFileBytes + 1, &bytes, &error)) throw std::runtime_error(error);
  if (bytes.size() > kMaxSessionFileBytes)
    throw std::runtime_error(path + " is larger than a session file can be (" +
                             std::to_string(kMaxSessionFileBytes >> 20) + " MiB)");
  return ParseSessionScript(std::string(bytes.begin(), bytes.end()), path);
}
