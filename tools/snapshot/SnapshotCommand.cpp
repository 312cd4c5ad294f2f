#include "tools/snapshot/SnapshotCommand.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "editor/EditorWin.h"
#include "tools/snapshot/Gesture.h"
#include "tools/snapshot/PngWrite.h"
#include "tools/snapshot/SnapshotPlug.h"

const char kSnapshotUsage[] =
    "  ondivox snapshot [--program N|NAME] [--state FILE] [--set PARAM=VALUE]... [--tempo BPM]\n"
    "                   [--blocks N] [--click X,Y] [--rclick X,Y] [--drag X,Y,DX,DY]\n"
    "                   [--wheel X,Y,N]... -o OUT.png\n";

namespace {

struct SnapshotOptions {
  std::string program, state, output;
  std::vector<std::string> sets;
  std::vector<Gesture> gestures;  // in the order given
  double tempo = 120.0;
  long blocks = 4;
};

struct Failure {
  std::string what;
  int code;
};

double Number(const std::string& option, const std::string& text, double lo, double hi) {
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(v >= lo && v <= hi)) {
    char range[64];
    std::snprintf(range, sizeof range, " takes a number from %g to %g", lo, hi);
    throw Failure{option + range, 2};
  }
  return v;
}

SnapshotOptions Parse(const std::vector<std::string>& args) {
  SnapshotOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (i + 1 >= args.size()) throw Failure{name[0] == '-' ? name + " needs a value" : "unexpected '" + name + "'", 2};
    const std::string& value = args[++i];
    if (Gesture::IsOption(name)) {
      Gesture g;
      std::string error;
      if (!Gesture::Parse(name, value, &g, &error)) throw Failure{error, 2};
      o.gestures.push_back(g);
    } else if (name == "--program") {
      o.program = value;
    } else if (name == "--state") {
      o.state = value;
    } else if (name == "--set") {
      o.sets.push_back(value);
    } else if (name == "--tempo") {
      o.tempo = Number(name, value, 20.0, 999.0);
    } else if (name == "--blocks") {
      o.blocks = static_cast<long>(Number(name, value, 1.0, 100000.0));
    } else if (name == "-o") {
      o.output = value;
    } else {
      throw Failure{"unknown option " + name, 2};
    }
  }
  if (o.output.empty()) throw Failure{"snapshot needs -o OUT.png", 2};
  return o;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure{"cannot read " + path, 1};
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Check(bool ok, const std::string& error) {
  if (!ok) throw Failure{error, 1};
}

void Snapshot(const SnapshotOptions& o) {
  SnapshotPlug plug(o.tempo);
  std::string error;
  if (!o.state.empty()) Check(plug.LoadStateBytes(ReadFile(o.state), &error), o.state + ": " + error);
  if (!o.program.empty()) Check(plug.SelectProgram(o.program, &error), error);
  for (const std::string& s : o.sets) Check(plug.ApplySetting(s, &error), error);

  // The host starts playing, the user works the editor, the music goes on.
  IEditorWin* editor = plug.EditorWindow();
  plug.RunBlocks(1);
  for (const Gesture& g : o.gestures) g.Replay(editor);
  plug.RunBlocks(static_cast<int32_t>(o.blocks - 1));

  editor->RedrawAll();
  editor->Tick();
  Check(WritePngFile(editor->DrawBitmap(), o.output, &error), error);
  std::printf("wrote %s: %dx%d editor after %ld blocks and %zu gestures\n", o.output.c_str(), editor->Width(),
              editor->Height(), o.blocks, o.gestures.size());
}

}  // namespace

int RunSnapshot(const std::vector<std::string>& args) {
  try {
    Snapshot(Parse(args));
    return 0;
  } catch (const Failure& f) {
    std::fprintf(stderr, "ondivox: %s\n", f.what.c_str());
    if (f.code == 2) std::fprintf(stderr, "usage:\n%s", kSnapshotUsage);
    return f.code;
  }
}
