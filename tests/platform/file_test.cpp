#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "temp_prefix.h"
#include "winapi.h"

namespace {

using FileTest = TempPrefixTest;

struct DispositionCase {
  DWORD disposition;
  bool exists;
  bool opens;
  DWORD lastError;
  const char* contentAfter;  // null: no file
};

TEST_F(FileTest, DispositionsActAsOnWindows) {
  const DispositionCase cases[] = {
      {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
      {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
      {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
      {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
      {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
      {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
      {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
      {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
  };
  for (const DispositionCase& c : cases) {
    std::filesystem::remove(OnDriveC("Data/file.txt"));
    std::filesystem::create_directories(OnDriveC("Data"));
    if (c.exists) WriteBytes("Data/file.txt", "old");
    SetLastError(12345);
    HANDLE h = CreateFileA("C:\\DATA\\file.txt", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           c.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string label = std::to_string(c.disposition) + (c.exists ? " existing" : " missing");
    EXPECT_EQ(GetLastError(), c.lastError) << label;
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens) << label;
    if (h != INVALID_HANDLE_VALUE) {
      EXPECT_TRUE(CloseHandle(h));
    }
    EXPECT_EQ(std::filesystem::exists(OnDriveC("Data/file.txt")), c.contentAfter != nullptr)
        << label;
    if (c.contentAfter) {
      EXPECT_EQ(ReadBytes("Data/file.txt"), c.contentAfter) << label;
    }
  }
}

TEST_F(FileTest, MissingFolderAndMissingFileAreToldApart) {
  std::filesystem::create_directories(OnDriveC("Data"));
  struct {
    const char* path;
    DWORD disposition;
    DWORD error;
  } cases[] = {
      {"C:\\Data\\none.txt", OPEN_EXISTING, ERROR_FILE_NOT_FOUND},
      {"C:\\Nowhere\\none.txt", OPEN_EXISTING, ERROR_PATH_NOT_FOUND},
      {"C:\\Nowhere\\none.txt", CREATE_NEW, ERROR_PATH_NOT_FOUND},
      {"C:\\Nowhere\\none.txt", OPEN_ALWAYS, ERROR_PATH_NOT_FOUND},
      {"C:\\Data", OPEN_EXISTING, ERROR_ACCESS_DENIED},
  };
  for (const auto& c : cases) {
    HANDLE h = CreateFileA(c.path, GENERIC_READ, 0, nullptr, c.disposition, 0, nullptr);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << c.path;
    EXPECT_EQ(GetLastError(), c.error) << c.path;
    DWORD attributes = GetFileAttributesA(c.path);
    if (c.error != ERROR_ACCESS_DENIED) {
      EXPECT_EQ(attributes, INVALID_FILE_ATTRIBUTES);
      EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
  }
}

TEST_F(FileTest, ReadsWritesAndSeeksBinaryData) {
  HANDLE h =
      CreateFileA("C:\\data.bin", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  const char payload[] = "one\ntwo\x1A\r\n";
  DWORD count = 0;
  ASSERT_TRUE(WriteFile(h, payload, sizeof payload - 1, &count, nullptr));
  EXPECT_EQ(count, sizeof payload - 1);
  EXPECT_TRUE(FlushFileBuffers(h));
  DWORD high = 99;
  EXPECT_EQ(GetFileSize(h, &high), sizeof payload - 1);
  EXPECT_EQ(high, 0u);

  EXPECT_EQ(SetFilePointer(h, 4, nullptr, FILE_BEGIN), 4u);
  char buffer[32] = {};
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &count, nullptr));
  EXPECT_EQ(std::string(buffer, count), std::string("two\x1A\r\n"));
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &count, nullptr));
  EXPECT_EQ(count, 0u) << "end of file reads nothing and succeeds";

  EXPECT_EQ(SetFilePointer(h, -3, nullptr, FILE_END), 7u);
  EXPECT_EQ(SetFilePointer(h, -8, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NEGATIVE_SEEK));
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), 7u) << "a failed seek leaves it";
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(ReadBytes("data.bin"), std::string(payload, sizeof payload - 1));
}

TEST_F(FileTest, AccessRightsAndHandlesAreChecked) {
  HANDLE reader =
      CreateFileA("C:\\f.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  DWORD count = 1;
  EXPECT_FALSE(WriteFile(reader, "x", 1, &count, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(count, 0u);

  char overlapped[64] = {};
  testing::internal::CaptureStderr();
  EXPECT_FALSE(ReadFile(reader, overlapped, 1, &count, reinterpret_cast<LPOVERLAPPED>(overlapped)));
  EXPECT_NE(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  EXPECT_TRUE(CloseHandle(reader));
  EXPECT_FALSE(CloseHandle(reader));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(ReadFile(reader, overlapped, 1, &count, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(CloseHandle(GetCurrentProcess()));
}

struct ShareCase {
  DWORD firstAccess, firstShare, secondAccess, secondShare;
  bool secondOpens;
};

TEST_F(FileTest, ShareModesBetweenOpensOfOneFile) {
  constexpr DWORD R = GENERIC_READ, W = GENERIC_WRITE;
  constexpr DWORD SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE;
  const ShareCase cases[] = {
      {R, SR, R, SR, true},
      {R, SR, W, SR | SW, false},  // the first does not share writing
      {R, SR | SW, W, SR, true},
      {R, SR | SW, W, SW, false},  // the second does not share the first's reading
      {W, 0, R, SR | SW, false},
      {R | W, SR | SW, R | W, SR | SW, true},
  };
  WriteBytes("shared.txt", "data");
  for (const ShareCase& c : cases) {
    HANDLE first = CreateFileA("C:\\shared.txt", c.firstAccess, c.firstShare, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    HANDLE second = CreateFileA("C:\\SHARED.TXT", c.secondAccess, c.secondShare, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(second != INVALID_HANDLE_VALUE, c.secondOpens)
        << c.firstAccess << "/" << c.firstShare << " then " << c.secondAccess << "/"
        << c.secondShare;
    if (second == INVALID_HANDLE_VALUE) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    } else {
      CloseHandle(second);
    }
    CloseHandle(first);
  }
}

TEST_F(FileTest, DeleteNeedsTheOpensToShareDeletion) {
  WriteBytes("victim.txt", "data");
  HANDLE h = CreateFileA("C:\\victim.txt", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(DeleteFileA("C:\\victim.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  errno = 0;
  EXPECT_EQ(WinFOpen("C:\\victim.txt", "a"), nullptr) << "the run-time's fopen writes";
  EXPECT_EQ(errno, EACCES);
  CloseHandle(h);
  EXPECT_TRUE(DeleteFileA("C:\\VICTIM.txt"));
  EXPECT_FALSE(std::filesystem::exists(OnDriveC("victim.txt")));
  EXPECT_FALSE(DeleteFileA("C:\\victim.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileTest, DirectoriesAndAttributes) {
  EXPECT_TRUE(CreateDirectoryA("C:\\Logs", nullptr));
  EXPECT_FALSE(CreateDirectoryA("C:\\logs", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryA("C:\\Missing\\Logs", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesA("C:\\LOGS"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

  HANDLE h = CreateFileA("C:\\Logs\\ro.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_READONLY, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(GetFileAttributesA("C:\\Logs\\ro.txt"),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(CreateFileA("C:\\Logs\\ro.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(DeleteFileA("C:\\Logs\\ro.txt"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(DeleteFileA("C:\\Logs"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
