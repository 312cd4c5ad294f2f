// The ondivox commands; each answers the process exit code.
#pragma once

#include <string>
#include <vector>

int RunInfo(const std::vector<std::string>& args);
int RunRender(const std::vector<std::string>& args);
int RunState(const std::vector<std::string>& args);
int RunSnapshot(const std::vector<std::string>& args);
int RunSession(const std::vector<std::string>& args);
int RunPlay(const std::vector<std::string>& args);
int RunDevices(const std::vector<std::string>& args);
