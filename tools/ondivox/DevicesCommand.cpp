// ondivox devices: the audio outputs that play can use.
#include <cstdio>

#include "tools/ondivox/Arguments.h"
#include "tools/ondivox/Commands.h"
#include "tools/ondivox/ToolError.h"
#include "tools/play/AudioDevices.h"

int RunDevices(const std::vector<std::string>& args) {
  Arguments a = ParseArguments(args, *FindCommand("devices"));
  if (!a.positional.empty()) throw UsageError("unexpected argument '" + a.positional[0] + "'");
  AudioDevices devices;
  if (devices.Outputs().empty()) {
    std::printf("no audio output devices\n");
    return 0;
  }
  for (const OutputDevice& d : devices.Outputs())
    std::printf("%c %3d  %-36s %-18s %3d ch  %6ld Hz\n", d.isDefault ? '*' : ' ', d.index, d.name.c_str(),
                d.api.c_str(), d.channels, static_cast<long>(d.defaultRate));
  return 0;
}
