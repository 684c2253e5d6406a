#include <filesystem>
#include <string>

#include "registry_fixture.h"

using std::string_literals::operator""s;

TEST_F(RegistryTest, AChangeReachesTheFileWhenItsHandleIsClosed) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\Durable");
  ASSERT_EQ(Set(key, "Late", REG_SZ, "written at close\0"s), 0);
  EXPECT_EQ(ReadPrefixFile("user.reg").find("Late"), std::string::npos);
  ASSERT_EQ(RegCloseKey(key), 0);
  EXPECT_NE(ReadPrefixFile("user.reg").find("\"Late\"=\"written at close\""), std::string::npos);

  // A predefined handle is never closed, so what is done through it is written at once.
  ASSERT_EQ(Set(HKEY_CURRENT_USER, "AtRoot", REG_DWORD, "\1\0\0\0"s), 0);
  EXPECT_NE(ReadPrefixFile("user.reg").find("[HKEY_CURRENT_USER]\r\n\"AtRoot\"=dword:00000001"),
            std::string::npos);
}

TEST_F(RegistryTest, FlushWritesWhatReloadWouldForget) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Pending");
  ASSERT_EQ(Set(key, "Kept", REG_SZ, "flushed\0"s), 0);
  sigplat::FlushRegistry();
  ASSERT_EQ(Set(key, "Lost", REG_SZ, "never saved\0"s), 0);
  sigplat::ReloadRegistry();
  // The handle belonged to the hive that was forgotten.
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Pending", 0, KEY_READ, &key), 0);
  EXPECT_EQ(Get(key, "Kept"), "flushed\0"s);
  EXPECT_EQ(Get(key, "Lost"), "<error 2>");
  RegCloseKey(key);
}

TEST_F(RegistryTest, ACrashBeforeTheRenameLeavesTheOldHiveWhole) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, "Software\\Crash");
  ASSERT_EQ(Set(key, "Version", REG_SZ, "old\0"s), 0);
  RegCloseKey(key);
  const std::string before = ReadPrefixFile("machine.reg");

  sigplat::SimulateCrashBeforeRename(true);
  key = Create(HKEY_LOCAL_MACHINE, "Software\\Crash");
  ASSERT_EQ(Set(key, "Version", REG_SZ, "new\0"s), 0);
  RegCloseKey(key);
  EXPECT_EQ(ReadPrefixFile("machine.reg"), before);
  EXPECT_NE(ReadPrefixFile("machine.reg.tmp").find("\"Version\"=\"new\""), std::string::npos);

  // The process "dies"; the next one reads the intact hive and clears the leftover.
  sigplat::SimulateCrashBeforeRename(false);
  sigplat::ReloadRegistry();
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Crash", 0, KEY_READ, &key), 0);
  EXPECT_EQ(Get(key, "Version"), "old\0"s);
  RegCloseKey(key);
  EXPECT_FALSE(std::filesystem::exists(PathOf("machine.reg.tmp")));
  EXPECT_TRUE(sigplat::RegistryDiagnostics().empty());
}

TEST_F(RegistryTest, AnotherPrefixSavesTheOldHivesAndReadsItsOwn) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\Moving");
  ASSERT_EQ(Set(key, "Where", REG_SZ, "first\0"s), 0);

  const std::string first = prefix_;
  std::string second = first + "-second";
  ASSERT_TRUE(std::filesystem::create_directory(second));
  UsePrefix(second);
  HKEY other = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Moving", 0, KEY_READ, &other),
            ERROR_FILE_NOT_FOUND);
  EXPECT_NE(ReadPrefixFile("user.reg").find("\"Where\"=\"first\""), std::string::npos);
  // Handles into the other prefix's hives no longer reach anything.
  EXPECT_EQ(Get(key, "Where"), "<error 1018>");
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  UsePrefix(first);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Moving", 0, KEY_READ, &other), 0);
  EXPECT_EQ(Get(other, "Where"), "first\0"s);
  RegCloseKey(other);
  std::filesystem::remove_all(second);
}

TEST_F(RegistryTest, MissingHiveFilesAreEmptyHives) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(sigplat::RegistryDiagnostics().empty());
  EXPECT_FALSE(std::filesystem::exists(PathOf("machine.reg")));
}
