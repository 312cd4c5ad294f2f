// A fresh folder for one test's files, below the file tests' scratch folder.
#pragma once

#include <filesystem>
#include <string>

inline std::string FileScratch(const std::string& group, const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(ONDIVOX_TEST_SCRATCH) / group / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}
