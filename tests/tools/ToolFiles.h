// What a test looks at in the files the tool left.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ToolRunner.h"

// The names in dir, sorted.
inline std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A file's bytes as text; empty when it cannot be read.
inline std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

// Runs a command that must fail: its exit code, one line on standard error
// that says why, and the files as they were: an earlier file at output
// (written here first) untouched, and nothing added beside it.
inline void ExpectFailure(const std::string& args, int exitCode, const std::string& says, const std::string& output) {
  SCOPED_TRACE(args);
  const char earlier[] = "an earlier file that must survive";
  std::ofstream(output, std::ios::binary) << earlier;
  const std::string dir = std::filesystem::path(output).parent_path().string();
  const std::vector<std::string> before = FilesIn(dir);
  ToolRun run = RunTool(args);
  EXPECT_EQ(run.exitCode, exitCode);
  EXPECT_EQ(CountLines(run.err), 1) << run.err;
  EXPECT_EQ(run.err.rfind("ondivox: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
  EXPECT_EQ(FilesIn(dir), before);
  EXPECT_EQ(FileText(output), earlier);
}
