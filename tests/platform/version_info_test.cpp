#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "sigplat/pe_image.h"
#include "temp_prefix.h"
#include "winapi.h"

namespace {

using Bytes = std::vector<BYTE>;

const char kOutllib[] = "C:\\Program Files\\Microsoft Office\\Office\\outllib.dll";
const char kStrings[] = "\\StringFileInfo\\040904B0\\";

// Where the writer puts things, for the tests that damage an image on purpose.
constexpr size_t kResourceDirectoryEntry = 0x98 + 96 + 2 * 8;  // data directory 2 of a PE32
constexpr size_t kSection = 0x200;
constexpr size_t kTypeEntry = kSection + 16;
constexpr size_t kNameEntry = kSection + 24 + 16;
constexpr size_t kLanguageEntry = kSection + 48 + 16;
constexpr size_t kDataEntry = kSection + 72;
constexpr size_t kBlock = kSection + 88;

void Patch32(Bytes* image, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) (*image)[offset + i] = static_cast<BYTE>(value >> (8 * i));
}

Bytes VersionBlock(WORD a, WORD b, WORD c, WORD d) {
  const WORD version[4] = {a, b, c, d};
  Bytes block;
  EXPECT_TRUE(sigplat::BuildVersionBlock(version, "Microsoft Outlook", "outllib.dll", &block));
  return block;
}

Bytes Image(const Bytes& block, bool pe32Plus = false) {
  Bytes image;
  sigplat::BuildVersionImage(block, pe32Plus, &image);
  return image;
}

// The error of reading an image in memory, ERROR_SUCCESS when it has a version.
DWORD ImageError(const Bytes& image) {
  DWORD error = 0xDEAD;
  const DWORD size = sigplat::ImageVersionInfoSize(image.data(), image.size(), &error);
  EXPECT_EQ(size == 0, error != ERROR_SUCCESS);
  return error;
}

// The buffer of an image in memory, exactly as large as asked for, so that
// the sanitizer sees any read past it.
Bytes ImageBuffer(const Bytes& image, DWORD len) {
  Bytes buffer(len);
  DWORD error = 0;
  EXPECT_TRUE(sigplat::ImageVersionInfo(image.data(), image.size(), len, buffer.data(), &error));
  return buffer;
}

Bytes FullImageBuffer(const Bytes& image) {
  DWORD error = 0;
  return ImageBuffer(image, sigplat::ImageVersionInfoSize(image.data(), image.size(), &error));
}

bool FixedInfo(Bytes& buffer, VS_FIXEDFILEINFO* info) {
  void* value = nullptr;
  UINT len = 0;
  if (!VerQueryValueA(buffer.data(), "\\", &value, &len) || len != sizeof *info) return false;
  std::memcpy(info, value, sizeof *info);
  return true;
}

// A text value and the length VerQueryValueA reports, or "<none>".
std::string Text(Bytes& buffer, const std::string& subBlock, UINT* lenOut = nullptr) {
  void* value = nullptr;
  UINT len = 77;
  if (!VerQueryValueA(buffer.data(), subBlock.c_str(), &value, &len)) {
    EXPECT_EQ(len, 0u);
    return "<none>";
  }
  if (lenOut) *lenOut = len;
  const auto* text = static_cast<const BYTE*>(value);
  EXPECT_TRUE(text >= buffer.data() && text < buffer.data() + buffer.size())
      << "texts live in the caller's buffer";
  return static_cast<const char*>(value);
}

class VersionInfoTest : public TempPrefixTest {
 protected:
  void Put(const std::string& relative, const Bytes& bytes) const {
    WriteBytes(relative, std::string(bytes.begin(), bytes.end()));
  }

  // The buffer the system fills, as the system fills it: the size first.
  Bytes Load(const char* winPath) {
    DWORD handle = 7;
    const DWORD size = GetFileVersionInfoSizeA(winPath, &handle);
    EXPECT_EQ(handle, 0u);
    if (size == 0) return {};
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    Bytes buffer(size);
    EXPECT_TRUE(GetFileVersionInfoA(winPath, handle, size, buffer.data()));
    return buffer;
  }

  // Both file functions fail with the same error; returns it.
  DWORD FileError(const char* winPath) {
    DWORD handle = 7;
    SetLastError(0xDEAD);
    EXPECT_EQ(GetFileVersionInfoSizeA(winPath, &handle), 0u);
    EXPECT_EQ(handle, 0u);
    const DWORD sizeError = GetLastError();
    BYTE buffer[256] = {};
    SetLastError(0xDEAD);
    EXPECT_FALSE(GetFileVersionInfoA(winPath, 0, sizeof buffer, buffer));
    EXPECT_EQ(GetLastError(), sizeError);
    return sizeError;
  }
};

TEST_F(VersionInfoTest, WrittenImagesReadBackTheirVersion) {
  struct Case {
    WORD v[4];
    const char* text;
  };
  const Case cases[] = {
      {{8, 3, 1, 5228}, "8.3.1.5228"},
      {{9, 0, 0, 2625}, "9.0.0.2625"},
      {{10, 0, 2627, 1}, "10.0.2627.1"},
      {{65535, 65535, 65535, 65535}, "65535.65535.65535.65535"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    DWORD error = 0xDEAD;
    ASSERT_TRUE(sigplat::WriteVersionedImage(kOutllib, c.v[0], c.v[1], c.v[2], c.v[3],
                                             "Microsoft Outlook", &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS));
    Bytes buffer = Load(kOutllib);
    ASSERT_FALSE(buffer.empty());
    VS_FIXEDFILEINFO info{};
    ASSERT_TRUE(FixedInfo(buffer, &info));
    EXPECT_EQ(info.dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
    EXPECT_EQ(info.dwFileVersionMS, static_cast<DWORD>(c.v[0]) << 16 | c.v[1]);
    EXPECT_EQ(info.dwFileVersionLS, static_cast<DWORD>(c.v[2]) << 16 | c.v[3]);
    EXPECT_EQ(info.dwProductVersionMS, info.dwFileVersionMS);
    EXPECT_EQ(info.dwProductVersionLS, info.dwFileVersionLS);
    UINT len = 0;
    EXPECT_EQ(Text(buffer, std::string(kStrings) + "FileVersion", &len), c.text);
    EXPECT_EQ(len, std::strlen(c.text) + 1) << "characters, the terminator included";
    EXPECT_EQ(Text(buffer, std::string(kStrings) + "ProductVersion"), c.text);
  }
}

TEST_F(VersionInfoTest, WrittenFileIsAResourceOnly32BitDll) {
  DWORD error = 0;
  ASSERT_TRUE(sigplat::WriteVersionedImage(kOutllib, 9, 0, 0, 2625, "Microsoft Outlook", &error));
  const std::string file = ReadBytes("Program Files/Microsoft Office/Office/outllib.dll");
  ASSERT_GT(file.size(), kBlock);
  EXPECT_EQ(file.substr(0, 2), "MZ");
  EXPECT_EQ(file.substr(0x80, 4), std::string("PE\0\0", 4));
  EXPECT_EQ(static_cast<BYTE>(file[0x84]) | static_cast<BYTE>(file[0x85]) << 8, 0x014C);
  EXPECT_TRUE(static_cast<BYTE>(file[0x97]) & 0x20) << "IMAGE_FILE_DLL";
  EXPECT_EQ(static_cast<BYTE>(file[0x98]) | static_cast<BYTE>(file[0x99]) << 8, 0x010B);
  EXPECT_EQ(file.substr(0x98 + 224, 6), std::string(".rsrc\0", 6));
  EXPECT_EQ(file.size() % 0x200, 0u) << "sections fill whole file-alignment units";
}

TEST_F(VersionInfoTest, StringQueriesAnswerInAnsiAndStayValid) {
  DWORD error = 0;
  ASSERT_TRUE(sigplat::WriteVersionedImage(kOutllib, 10, 0, 2627, 1,
                                           "Microsoft Outlook \xE9t\xE9 \x80", &error));
  Bytes buffer = Load(kOutllib);
  ASSERT_FALSE(buffer.empty());
  const std::string s = kStrings;
  struct Case {
    std::string subBlock;
    std::string expected;
  };
  const Case cases[] = {
      {s + "FileDescription", "Microsoft Outlook \xE9t\xE9 \x80"},
      {s + "ProductName", "Microsoft Outlook"},
      {s + "OriginalFilename", "outllib.dll"},
      {s + "InternalName", "outllib"},
      {s + "CompanyName", "Microsoft Corporation"},
      {"\\stringfileinfo\\040904b0\\PRODUCTNAME", "Microsoft Outlook"},
      {"\\\\StringFileInfo\\\\040904B0\\FileVersion\\", "10.0.2627.1"},
      {s + "Comments", "<none>"},
      {"\\StringFileInfo\\040704B0\\FileVersion", "<none>"},
      {"\\VarFileInfo\\FileVersion", "<none>"},
  };
  // Every answer first, then the checks: converting one text must not
  // overwrite another already handed out.
  std::vector<const char*> answers;
  for (const Case& c : cases) {
    void* value = nullptr;
    UINT len = 0;
    SetLastError(0);
    const BOOL found = VerQueryValueA(buffer.data(), c.subBlock.c_str(), &value, &len);
    EXPECT_EQ(found != FALSE, c.expected != "<none>") << c.subBlock;
    if (!found) {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    }
    answers.push_back(found ? static_cast<const char*>(value) : "<none>");
  }
  for (size_t i = 0; i < answers.size(); ++i) {
    EXPECT_EQ(answers[i], cases[i].expected) << cases[i].subBlock;
  }
}

TEST_F(VersionInfoTest, TranslationAndNodesWithoutValues) {
  Bytes buffer = FullImageBuffer(Image(VersionBlock(9, 0, 0, 2625)));
  void* value = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(buffer.data(), "\\VarFileInfo\\Translation", &value, &len));
  ASSERT_EQ(len, 4u);
  const auto* pair = static_cast<const BYTE*>(value);
  EXPECT_EQ(pair[0] | pair[1] << 8, 0x0409);
  EXPECT_EQ(pair[2] | pair[3] << 8, 0x04B0);

  EXPECT_TRUE(VerQueryValueA(buffer.data(), "\\StringFileInfo", &value, &len));
  EXPECT_EQ(len, 0u);
  VS_FIXEDFILEINFO info{};
  EXPECT_TRUE(VerQueryValueA(buffer.data(), "", &value, &len)) << "an empty path is the root";
  EXPECT_EQ(len, sizeof info);
}

TEST_F(VersionInfoTest, Pe32PlusImagesReadAlike) {
  Put("Office/outllib.dll", Image(VersionBlock(10, 0, 2627, 1), true));
  Bytes buffer = Load("C:\\office\\OUTLLIB.DLL");
  VS_FIXEDFILEINFO info{};
  ASSERT_TRUE(FixedInfo(buffer, &info));
  EXPECT_EQ(info.dwFileVersionMS, 0x000A0000u);
  EXPECT_EQ(info.dwFileVersionLS, 0x0A430001u);
}

TEST_F(VersionInfoTest, FilesWithoutVersionFailAsOnWindows) {
  Put("Office/readme.txt", Bytes{'h', 'e', 'l', 'l', 'o', '\r', '\n'});
  Put("Office/empty.dll", Bytes{});
  Bytes dosOnly(0x80, 0);  // an MZ program whose new header is all zeros
  dosOnly[0] = 'M';
  dosOnly[1] = 'Z';
  dosOnly[0x3C] = 0x40;
  Put("Office/dos.exe", dosOnly);
  Bytes noType = Image(VersionBlock(9, 0, 0, 2625));
  Patch32(&noType, kTypeEntry, 6);  // a string table instead
  Put("Office/strings.dll", noType);
  Bytes noResources = Image(VersionBlock(9, 0, 0, 2625));
  Patch32(&noResources, kResourceDirectoryEntry, 0);
  Patch32(&noResources, kResourceDirectoryEntry + 4, 0);
  Put("Office/plain.dll", noResources);
  Bytes otherName = Image(VersionBlock(9, 0, 0, 2625));
  Patch32(&otherName, kNameEntry, 2);
  Put("Office/other.dll", otherName);
  std::filesystem::create_directories(OnDriveC("Office/folder.dll"));

  const struct {
    const char* path;
    DWORD error;
  } cases[] = {
      {"C:\\Office\\missing.dll", ERROR_FILE_NOT_FOUND},
      {"C:\\Nowhere\\outllib.dll", ERROR_PATH_NOT_FOUND},
      {"C:\\Office\\folder.dll", ERROR_ACCESS_DENIED},
      {"C:\\Office\\readme.txt", ERROR_RESOURCE_DATA_NOT_FOUND},
      {"C:\\Office\\empty.dll", ERROR_RESOURCE_DATA_NOT_FOUND},
      {"C:\\Office\\dos.exe", ERROR_RESOURCE_DATA_NOT_FOUND},
      {"C:\\Office\\strings.dll", ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"C:\\Office\\plain.dll", ERROR_RESOURCE_TYPE_NOT_FOUND},
      {"C:\\Office\\other.dll", ERROR_RESOURCE_NAME_NOT_FOUND},
  };
  for (const auto& c : cases) EXPECT_EQ(FileError(c.path), c.error) << c.path;
}

TEST(VersionImageDamage, CorruptedOffsetsFailCleanly) {
  const Bytes good = Image(VersionBlock(9, 0, 0, 2625));
  ASSERT_EQ(ImageError(good), static_cast<DWORD>(ERROR_SUCCESS));
  const struct {
    const char* what;
    size_t offset;
    uint32_t value;
    DWORD error;
  } cases[] = {
      {"PE header past the end", 0x3C, 0xFFFFFFF0, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"no PE signature", 0x80, 0x0000454C, ERROR_RESOURCE_DATA_NOT_FOUND},
      {"unknown optional header", 0x98, 0x0000010C, ERROR_BAD_FORMAT},
      {"optional header past the end", 0x94, 0x2102FFF0, ERROR_BAD_FORMAT},
      {"countless sections", 0x84, 0xFFFF014C, ERROR_BAD_FORMAT},
      {"resource tree outside every section", kResourceDirectoryEntry, 0x9000, ERROR_BAD_FORMAT},
      {"type subdirectory far away", kTypeEntry + 4, 0xFFFFFFF0, ERROR_BAD_FORMAT},
      {"type entry names data, not a directory", kTypeEntry + 4, 0x48, ERROR_BAD_FORMAT},
      {"countless languages", kLanguageEntry - 4, 0xFFFF0000, ERROR_BAD_FORMAT},
      {"language entry names a directory", kLanguageEntry + 4, 0x80000000, ERROR_BAD_FORMAT},
      {"data outside the section", kDataEntry, 0x7FFFFF00, ERROR_BAD_FORMAT},
      {"data longer than the file", kDataEntry + 4, 0x00100000, ERROR_BAD_FORMAT},
      {"block longer than its resource", kBlock, 0x00000FFF, ERROR_BAD_FORMAT},
      {"a 16-bit block", kBlock + 4, 0x00530056, ERROR_BAD_FORMAT},
  };
  for (const auto& c : cases) {
    Bytes image = good;
    Patch32(&image, c.offset, c.value);
    EXPECT_EQ(ImageError(image), c.error) << c.what;
  }
}

TEST(VersionImageDamage, EveryCutFailsCleanlyUntilTheDataIsWhole) {
  for (bool pe32Plus : {false, true}) {
    SCOPED_TRACE(pe32Plus ? "PE32+" : "PE32");
    const Bytes block = VersionBlock(8, 3, 1, 5228);
    const Bytes image = Image(block, pe32Plus);
    const size_t dataEnd = kBlock + block.size();
    for (size_t cut = 0; cut < image.size(); ++cut) {
      // A copy of exactly this length, so that the sanitizer sees any overread.
      const Bytes head(image.begin(), image.begin() + cut);
      const DWORD error = ImageError(head);
      if (cut < dataEnd) {
        EXPECT_TRUE(error == ERROR_BAD_FORMAT || error == ERROR_RESOURCE_DATA_NOT_FOUND)
            << "cut at " << cut << " gave " << error;
      } else {
        ASSERT_EQ(error, static_cast<DWORD>(ERROR_SUCCESS)) << "cut at " << cut;
      }
    }
  }
}

TEST_F(VersionInfoTest, CutFilesFailThroughTheFileFunctions) {
  const Bytes image = Image(VersionBlock(9, 0, 0, 2625));
  for (size_t cut = 0; cut < kBlock + 64; cut += 61) {
    Put("Office/cut.dll", Bytes(image.begin(), image.begin() + cut));
    const DWORD error = FileError("C:\\Office\\cut.dll");
    EXPECT_TRUE(error == ERROR_BAD_FORMAT || error == ERROR_RESOURCE_DATA_NOT_FOUND)
        << "cut at " << cut << " gave " << error;
  }
}

TEST(VersionImageDamage, RandomDamageNeverReadsOutsideTheBuffers) {
  const Bytes good = Image(VersionBlock(10, 0, 2627, 1));
  const char* queries[] = {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904B0",
                           "\\StringFileInfo\\040904B0\\FileVersion",
                           "\\StringFileInfo\\040904B0\\ProductName"};
  std::mt19937 random(20240611);
  int readable = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes image = good;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < flips; ++i) {
      // Mostly the headers, the tree and the block, where offsets live.
      const size_t at = random() % 2 ? random() % 0x200 : kSection + random() % 0x200;
      image[at] = static_cast<BYTE>(random());
    }
    DWORD error = 0;
    const DWORD size = sigplat::ImageVersionInfoSize(image.data(), image.size(), &error);
    if (size == 0) continue;
    ++readable;
    Bytes buffer = ImageBuffer(image, size);
    for (const char* query : queries) {
      void* value = nullptr;
      UINT len = 0;
      if (!VerQueryValueA(buffer.data(), query, &value, &len)) continue;
      const auto* at = static_cast<const BYTE*>(value);
      if (len == 0) continue;
      EXPECT_TRUE(at >= buffer.data() && at + len <= buffer.data() + buffer.size()) << query;
    }
  }
  EXPECT_GT(readable, 100) << "the damage should leave many images readable";
}

TEST(VersionBuffer, SmallBuffersGetWhatFitsAndStayInside) {
  const Bytes block = VersionBlock(9, 0, 0, 2625);
  const Bytes image = Image(block);
  DWORD error = 0;
  const DWORD full = sigplat::ImageVersionInfoSize(image.data(), image.size(), &error);
  EXPECT_EQ(full, 2 * block.size() + 4) << "room to convert every text, as on Windows";

  const struct {
    DWORD len;
    bool fixedInfo;
    bool translation;
    bool text;
  } cases[] = {
      {full, true, true, true},
      {full - 1, true, true, false},
      {static_cast<DWORD>(block.size()), true, false, false},
      {100, true, false, false},
      {60, false, false, false},
      {10, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.len);
    Bytes buffer = ImageBuffer(image, c.len);
    const size_t unchanged = std::min<size_t>(c.len - 4, 40);  // before any mark
    EXPECT_EQ(std::memcmp(buffer.data() + 2, block.data() + 2, unchanged - 2), 0)
        << "the start of the block is copied as it is";
    VS_FIXEDFILEINFO info{};
    EXPECT_EQ(FixedInfo(buffer, &info), c.fixedInfo);
    void* value = nullptr;
    UINT len = 0;
    EXPECT_EQ(VerQueryValueA(buffer.data(), "\\VarFileInfo\\Translation", &value, &len) != FALSE,
              c.translation);
    SetLastError(0);
    EXPECT_EQ(VerQueryValueA(buffer.data(), "\\StringFileInfo\\040904B0\\FileVersion", &value,
                             &len) != FALSE,
              c.text);
  }

  Bytes tiny(9);
  EXPECT_FALSE(sigplat::ImageVersionInfo(image.data(), image.size(), 9, tiny.data(), &error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(VersionBuffer, DamagedBlockNodesAreNotFound) {
  Bytes block = VersionBlock(9, 0, 0, 2625);
  // The first child (StringFileInfo) claims more than its parent holds.
  const size_t child = 40 + sizeof(VS_FIXEDFILEINFO);
  ASSERT_EQ(block[child + 6], 'S');
  block[child] = 0xF0;
  block[child + 1] = 0xFF;
  Bytes buffer = FullImageBuffer(Image(block));
  VS_FIXEDFILEINFO info{};
  EXPECT_TRUE(FixedInfo(buffer, &info));
  EXPECT_EQ(Text(buffer, "\\StringFileInfo\\040904B0\\FileVersion"), "<none>");
  EXPECT_EQ(Text(buffer, "\\VarFileInfo\\Translation"), "<none>")
      << "siblings after a damaged node are out of reach";
}

}  // namespace
