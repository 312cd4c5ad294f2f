// SessionScript: a session file read and checked as text, before anything
// is looked up in the plug-in: the header lines and the timed lines in time
// order, each with its file line for the messages that follow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a layer is: another instance of the plug-in, a noise bed, or a
// background file mixed after the plug-ins.
enum class LayerKind { kVoice, kNoise, kInput };

struct SessionLayer {
  std::string name;
  LayerKind kind = LayerKind::kVoice;
  std::string colour;  // noise: white, pink or brown
  std::string file;    // input: resolved against the session file's folder
  bool loop = false;
  int line = 0;  // 0 for main, which is implicit
};

// The name of the implicit first voice, layers[0].
constexpr const char* kMainLayer = "main";

// One timed line: "TIME [NAME:] WORD ARGS...".
struct SessionLine {
  int line = 0;
  double time = 0.0;              // seconds from the start
  int layer = 0;                  // index into layers; main without a prefix
  bool prefixed = false;          // a fade without a prefix fades the whole mix
  std::string word;               // program, set, ramp, fade-in, fade-out, start
  double duration = 0.0;          // ramp, fade-in and fade-out
  std::vector<std::string> args;  // after the duration, if any
};

struct SessionScript {
  std::string file;  // as named, for messages
  // Header lines; 0 when absent.
  double rate = 0.0;
  double tempo = 0.0;
  std::string input;  // resolved against the session file's folder
  bool loopInput = false;
  int inputLine = 0;
  std::vector<SessionLayer> layers;  // main first, then as declared
  uint64_t seed = 1;                 // the noise beds'
  bool hasSeed = false;
  std::vector<SessionLine> lines;
  double end = -1.0;  // the end line's time; negative without one
  int endLine = 0;
  int lastLine = 0;  // the file's last line, for what is missing

  bool HasEnd() const { return end >= 0.0; }
};

// A session file is a page of text; anything far larger is the wrong file.
constexpr std::size_t kMaxSessionFileBytes = 4u << 20;

// Reads path (UTF-8, '\n' or "\r\n" lines); SessionError naming the line of
// the first thing that is wrong, or a std::runtime_error when it cannot be
// read.
SessionScript ReadSessionScript(const std::string& path);
// The same from text already read; file names it in messages and input is
// taken relative to its folder.
SessionScript ParseSessionScript(const std::string& text, const std::string& file);
