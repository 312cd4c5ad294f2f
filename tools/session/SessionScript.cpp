#include "tools/session/SessionScript.h"

#include <algorithm>
#include <cmath>
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

const std::vector<std::string> kHeaderWords = {"rate", "tempo", "input"};
const std::vector<std::string> kTimedWords = {"program", "set", "ramp", "fade-in", "fade-out", "end"};

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
  explicit Parser(const std::string& file) { script.file = file; }

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
      Unknown(words[0], "a time or a header word (rate, tempo, input)", kHeaderWords);
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
    if (seen.find(word + ";") != std::string::npos) Fail(Quoted(word) + " is given twice");
    seen += word + ";";
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

  double Duration(const std::string& word, const std::vector<std::string>& words) const {
    if (words.size() < 3) Fail(word + " needs a duration");
    double d = 0.0;
    if (!ParseSessionTime(words[2], &d))
      Fail(word + ": " + Quoted(words[2]) + " is not a duration ([h:]mm:ss[.fff] or seconds)");
    if (!(d > 0.0)) Fail(word + ": the duration must be longer than 0");
    if (d > kMaxRenderSeconds) Fail(word + ": " + words[2] + " is longer than 24 hours");
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
    entry.word = words[1];
    const std::string& word = entry.word;
    if (!IsOneOf(word, kTimedWords)) {
      if (IsOneOf(word, kHeaderWords))
        Fail(Quoted(word) + " is a header line; write it without a time, before the first timed line");
      Unknown(word, "a session word (program, set, ramp, fade-in, fade-out, end)", kTimedWords);
    }
    std::size_t first = 2;
    if (word == "ramp" || word == "fade-in" || word == "fade-out") {
      entry.duration = Duration(word, words);
      first = 3;
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

  void CheckArguments(const SessionLine& e) const {
    const std::size_t n = e.args.size();
    if (e.word == "program" && n != 1) Fail("program wants one number or name (quote a name with blanks)");
    if ((e.word == "set" || e.word == "ramp") && n == 0) Fail(e.word + " wants PARAM=VALUE words");
    if ((e.word == "fade-in" || e.word == "fade-out") && n != 0) Fail(e.word + " wants only a duration");
    if (e.word == "end" && n != 0) Fail("end takes nothing after it");
    for (const std::string& arg : e.args)
      if ((e.word == "set" || e.word == "ramp") && arg.find('=') == std::string::npos)
        Fail(Quoted(arg) + " is not PARAM=VALUE (quote it whole when it holds blanks: \"Base Freq=180\")");
  }

  // A fade the end cuts short stops the sound with the click it was meant
  // to avoid (a ramp may run past the end: the end shows where it stood).
  void CheckNothingRunsPastEnd() const {
    const SessionLine* fade = nullptr;
    for (const SessionLine& e : script.lines) {
      if (e.word != "fade-in" && e.word != "fade-out") continue;
      fade = &e;
    }
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
