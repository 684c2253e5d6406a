#include "tests/support/deliverable.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "sigplat/world.h"

namespace sigtest {

void InstallLibrary(const std::string& posixPath, const char* winPath) {
  std::string target;
  DWORD error = 0;
  ASSERT_TRUE(sigplat::MapWindowsPath(winPath, &target, &error)) << winPath;
  std::filesystem::create_directories(std::filesystem::path(target).parent_path());
  std::filesystem::create_symlink(std::filesystem::absolute(posixPath), target);
}

}  // namespace sigtest
