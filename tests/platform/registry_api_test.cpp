#include <cstring>
#include <string>

#include "registry_fixture.h"

using std::string_literals::operator""s;

TEST_F(RegistryTest, CreateMakesIntermediateKeysAndReportsWhatItDid) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Vendor\\App", 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\vendor\\APP", 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  HKEY middle = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\VENDOR", 0, KEY_READ, &middle),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(middle), ERROR_SUCCESS);
  // The hives are apart: nothing of the user's shows under the machine key.
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vendor", 0, KEY_READ, &middle),
            ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, NamesMatchWithoutCaseAndKeepTheCaseTheyWereCreatedWith) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\CamelKey");
  ASSERT_EQ(Set(key, "MixedName", REG_SZ, "one\0"s), ERROR_SUCCESS);
  ASSERT_EQ(Set(key, "MIXEDNAME", REG_SZ, "two\0"s), ERROR_SUCCESS);
  EXPECT_EQ(Get(key, "mixedname"), "two\0"s);
  RegCloseKey(key);

  const std::string file = ReadPrefixFile("user.reg");
  EXPECT_NE(file.find("[HKEY_CURRENT_USER\\Software\\CamelKey]\r\n\"MixedName\"=\"two\""),
            std::string::npos)
      << file;
  EXPECT_EQ(file.find("MIXEDNAME"), std::string::npos) << file;
}

TEST_F(RegistryTest, QueryReportsSizesAndLeavesASmallBufferUntouched) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\Sizes");
  ASSERT_EQ(Set(key, "Text", REG_SZ, "hello\0"s), ERROR_SUCCESS);

  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  char small[4] = {'x', 'x', 'x', 'x'};
  size = 3;
  type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, reinterpret_cast<BYTE*>(small), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::string(small, 4), "xxxx");

  char exact[8];
  std::memset(exact, '#', sizeof exact);
  size = sizeof exact;
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::string(exact, 8), "hello\0##"s);

  // No terminator is added to a text stored without one.
  ASSERT_EQ(Set(key, "Bare", REG_SZ, "abc"), ERROR_SUCCESS);
  std::memset(exact, '#', sizeof exact);
  size = sizeof exact;
  EXPECT_EQ(RegQueryValueExA(key, "Bare", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::string(exact, 4), "abc#");

  // Neither buffer nor size: only whether the value exists.
  EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryTest, NullAndEmptyNameBothMeanTheDefaultValue) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\Default");
  ASSERT_EQ(Set(key, nullptr, REG_SZ, "via null\0"s), ERROR_SUCCESS);
  EXPECT_EQ(Get(key, ""), "via null\0"s);
  ASSERT_EQ(Set(key, "", REG_DWORD, "\x07\0\0\0"s), ERROR_SUCCESS);
  DWORD type = 0;
  EXPECT_EQ(Get(key, nullptr, &type), "\x07\0\0\0"s);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(RegDeleteValueA(key, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(Get(key, ""), "<error 2>");
  RegCloseKey(key);
}

TEST_F(RegistryTest, AbsentKeysAndValuesAreFileNotFound) {
  HKEY key = reinterpret_cast<HKEY>(0x1234);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Nowhere", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  key = Create(HKEY_LOCAL_MACHINE, "Software\\Somewhere");
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, nullptr),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteValueA(key, "Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyA(key, "Missing"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(RegistryTest, AccessRightsOfTheHandleAreEnforced) {
  HKEY setup = Create(HKEY_CURRENT_USER, "Software\\Rights\\Existing");
  RegCloseKey(setup);
  setup = Create(HKEY_CURRENT_USER, "Software\\Rights");
  ASSERT_EQ(Set(setup, "V", REG_DWORD, "\1\0\0\0"s), ERROR_SUCCESS);
  RegCloseKey(setup);

  struct Case {
    REGSAM sam;
    LONG query, set, create;
  };
  const LONG ok = ERROR_SUCCESS;
  const LONG denied = ERROR_ACCESS_DENIED;
  const Case cases[] = {
      {KEY_READ, ok, denied, denied},
      {KEY_QUERY_VALUE, ok, denied, denied},
      {KEY_WRITE, denied, ok, ok},
      {KEY_SET_VALUE, denied, ok, denied},
      {KEY_CREATE_SUB_KEY, denied, denied, ok},
      {KEY_ALL_ACCESS, ok, ok, ok},
      {GENERIC_READ, ok, denied, denied},
      {static_cast<REGSAM>(GENERIC_READ | GENERIC_WRITE), ok, ok, ok},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE("sam " + std::to_string(c.sam));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Rights", 0, c.sam, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, nullptr, nullptr), c.query);
    EXPECT_EQ(Set(key, "W", REG_DWORD, "\2\0\0\0"s), c.set);
    EXPECT_EQ(RegDeleteValueA(key, "W"), c.set);
    HKEY sub = nullptr;
    std::string fresh = "New" + std::to_string(n++);
    EXPECT_EQ(RegCreateKeyExA(key, fresh.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr),
              c.create);
    if (sub) RegCloseKey(sub);
    // Opening a key that exists needs no right on the parent handle.
    EXPECT_EQ(RegCreateKeyExA(key, "Existing", 0, nullptr, 0, KEY_READ, nullptr, &sub, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(sub);
    RegCloseKey(key);
  }
}

TEST_F(RegistryTest, BadClosedAndUnkeptHandlesAreInvalid) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\Handles");
  ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(nullptr), ERROR_INVALID_HANDLE);

  HKEY out = nullptr;
  for (HKEY unkept : {HKEY_CLASSES_ROOT, HKEY_USERS}) {
    EXPECT_EQ(RegOpenKeyExA(unkept, "Software", 0, KEY_READ, &out), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Set(unkept, "V", REG_SZ, "x\0"s), ERROR_INVALID_HANDLE);
  }
  // The kept predefined keys can be "closed" harmlessly.
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Handles", 0, KEY_READ, &out),
            ERROR_SUCCESS);
  RegCloseKey(out);
}

TEST_F(RegistryTest, EmptySubkeyOpensAnotherHandleToTheSameKey) {
  HKEY first = Create(HKEY_CURRENT_USER, "Software\\Same");
  for (const char* empty : {static_cast<const char*>(nullptr), ""}) {
    HKEY second = nullptr;
    ASSERT_EQ(RegOpenKeyExA(first, empty, 0, KEY_ALL_ACCESS, &second), ERROR_SUCCESS);
    EXPECT_NE(second, first);
    ASSERT_EQ(Set(second, "Shared", REG_SZ, "seen\0"s), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(second), ERROR_SUCCESS);
    EXPECT_EQ(Get(first, "Shared"), "seen\0"s);
  }
  RegCloseKey(first);
}

TEST_F(RegistryTest, SubkeyPathsFollowWindowsSyntax) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "\\Software\\Lead", 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "\\Software", 0, KEY_READ, &key), ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "\\Software"), ERROR_BAD_PATHNAME);

  key = Create(HKEY_CURRENT_USER, "Software\\Trail\\");
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\\\Trail", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(RegistryTest, DeleteKeyRemovesOnlyKeysWithoutSubkeys) {
  HKEY child = Create(HKEY_CURRENT_USER, "Software\\Tree\\Child");
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tree"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "software\\tree\\child"), ERROR_SUCCESS);
  // The handle outlives its key, but only to be closed.
  EXPECT_EQ(Set(child, "V", REG_SZ, "x\0"s), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Tree"), ERROR_SUCCESS);
  HKEY gone = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Tree", 0, KEY_READ, &gone),
            ERROR_FILE_NOT_FOUND);

  // An empty path deletes the handle's own key, given DELETE access; a root never goes.
  HKEY self = Create(HKEY_CURRENT_USER, "Software\\Self", KEY_READ);
  EXPECT_EQ(RegDeleteKeyA(self, ""), ERROR_ACCESS_DENIED);
  RegCloseKey(self);
  self = Create(HKEY_CURRENT_USER, "Software\\Self", KEY_ALL_ACCESS);
  EXPECT_EQ(RegDeleteKeyA(self, ""), ERROR_SUCCESS);
  RegCloseKey(self);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryTest, InvalidArgumentsGetWindowsErrors) {
  HKEY key = Create(HKEY_CURRENT_USER, "Software\\Args");
  BYTE buffer[4];
  DWORD reserved = 0;
  DWORD size = sizeof buffer;
  ASSERT_EQ(Set(key, "V", REG_BINARY, "ab"), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(key, "V", nullptr, nullptr, buffer, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key, "V", &reserved, nullptr, buffer, &size), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegSetValueExA(key, "V", 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS);
  EXPECT_EQ(RegSetValueExA(key, "Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
  EXPECT_EQ(Get(key, "Empty"), "");
  EXPECT_EQ(RegOpenKeyExA(key, "", 0, KEY_READ, nullptr), ERROR_INVALID_PARAMETER);

  // What the platform does not keep fails loudly instead of half-working.
  HKEY out = nullptr;
  EXPECT_EQ(RegCreateKeyExA(key, "Volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &out, nullptr),
            ERROR_NOT_SUPPORTED);
  EXPECT_EQ(Set(key, "Line\nBreak", REG_SZ, "x\0"s), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}
