// A fresh Windows world for each test: a temporary prefix, removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sigplat/world.h"

class TempPrefixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "sigplat-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    sigplat::SetPrefix(root_.string());
  }

  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  // The POSIX path of a place on drive C: ("dir/file.txt").
  std::filesystem::path OnDriveC(const std::string& relative) const {
    return root_ / "drive_c" / relative;
  }

  void WriteBytes(const std::string& relative, const std::string& bytes) const {
    std::filesystem::create_directories(OnDriveC(relative).parent_path());
    std::ofstream(OnDriveC(relative), std::ios::binary) << bytes;
  }

  std::string ReadBytes(const std::string& relative) const {
    std::ifstream in(OnDriveC(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path root_;
};
