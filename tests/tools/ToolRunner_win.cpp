#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ToolRunner.h"
#include "tools/files/WinPath.h"

namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// What the tool printed, with the console's CR LF line ends as the tests expect them (LF).
std::string Slurp(const std::string& path) {
  const std::string text = Bytes(path);
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
  return lines;
}

// The tests quote the POSIX shell's way; a Windows program splits its command line at double quotes.
std::string WindowsQuoting(std::string args) {
  for (char& c : args)
    if (c == '\'') c = '"';
  return args;
}

// A path from the build (a POSIX one when cross-built) as Windows names it.
std::string WindowsPath(const std::string& path) { return path.size() > 1 && path[0] == '/' ? "Z:" + path : path; }

HANDLE InheritableFile(const std::string& path) {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  return CreateFileW(WidePath(WindowsPath(path)).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string ScratchDir(const std::string& name) {
  std::string dir = std::string(ONDIVOX_TEST_SCRATCH) + "/" + name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

ToolRun RunTool(const std::string& args) {
  // Files of each run's own: wine may close an ended process's handles a
  // moment after it says the process ended, and a file still open then
  // could not be made again for the next run.
  static int runs = 0;
  const std::string stem = std::string(ONDIVOX_TEST_SCRATCH) + "/tool-" + std::to_string(++runs);
  const std::string outPath = stem + ".out", errPath = stem + ".err";
  ToolRun run;
  {
    HANDLE out = InheritableFile(outPath), err = InheritableFile(errPath);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring command = WidePath("\"" + WindowsPath(ONDIVOX_TOOL_PATH) + "\" " + WindowsQuoting(args));
    PROCESS_INFORMATION process = {};
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
      WaitForSingleObject(process.hProcess, INFINITE);
      DWORD code = 0;
      GetExitCodeProcess(process.hProcess, &code);
      run.exitCode = static_cast<int>(code);
      CloseHandle(process.hThread);
      CloseHandle(process.hProcess);
    }
    CloseHandle(out);
    CloseHandle(err);
  }
  run.outBytes = Bytes(outPath);
  run.out = Slurp(outPath);
  run.err = Slurp(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return run;
}
