#include "pe_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "le_bytes.h"
#include "path_map.h"
#include "prefix.h"
#include "sigplat/pe_image.h"
#include "sigplat/world.h"
#include "version_block_writer.h"
#include "win/error.h"
#include "win_errno.h"

namespace sigplat::detail {
namespace {

constexpr uint32_t kPeHeaderOffset = 0x80;
constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kSectionAlignment = 0x1000;
constexpr uint32_t kResourceRva = kSectionAlignment;
constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kPe32Magic = 0x010B;
constexpr uint16_t kPe32PlusMagic = 0x020B;
constexpr uint16_t kExecutableImage = 0x0002;
constexpr uint16_t kLargeAddressAware = 0x0020;
constexpr uint16_t k32BitMachine = 0x0100;
constexpr uint16_t kDll = 0x2000;
constexpr uint16_t kSubsystemWindowsGui = 2;
constexpr uint32_t kDataDirectories = 16;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kInitializedData = 0x00000040;
constexpr uint32_t kMemoryRead = 0x40000000;
constexpr uint32_t kSubdirectory = 0x80000000;
// A fixed link time, so that the same inputs always give the same bytes.
constexpr uint32_t kTimeDateStamp = 0x3B9ACA00;

// The real-mode program a linker puts in front of every image: it prints
// the usual complaint and exits when the file is started under DOS.
const uint8_t kDosStubCode[] = {0x0E, 0x1F, 0xBA, 0x0E, 0x00, 0xB4, 0x09,
                                0xCD, 0x21, 0xB8, 0x01, 0x4C, 0xCD, 0x21};
const char kDosStubText[] = "This program cannot be run in DOS mode.\r\r\n$";

void AppendDosHeaderAndStub(std::vector<uint8_t>* out) {
  Append16(out, 0x5A4D);  // "MZ"
  Append16(out, 0x0090);  // bytes on the last page
  Append16(out, 0x0003);  // pages
  Append16(out, 0);       // relocations
  Append16(out, 0x0004);  // header paragraphs
  Append16(out, 0);       // minimum extra paragraphs
  Append16(out, 0xFFFF);  // maximum extra paragraphs
  Append16(out, 0);       // initial SS
  Append16(out, 0x00B8);  // initial SP
  Append16(out, 0);       // checksum
  Append16(out, 0);       // initial IP
  Append16(out, 0);       // initial CS
  Append16(out, 0x0040);  // relocation table
  Append16(out, 0);       // overlay
  out->resize(0x3C, 0);   // reserved and OEM fields
  Append32(out, kPeHeaderOffset);
  out->insert(out->end(), std::begin(kDosStubCode), std::end(kDosStubCode));
  out->insert(out->end(), kDosStubText, kDosStubText + sizeof kDosStubText - 1);
  out->resize(kPeHeaderOffset, 0);
}

// The resource directory tree of a single resource, then its data; offsets
// in the tree count from the start of the section.
std::vector<uint8_t> ResourceSection(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out;
  const auto directory = [&out](uint32_t id, uint32_t target) {
    out.insert(out.end(), 12, 0);  // characteristics, time stamp, version
    Append16(&out, 0);             // named entries
    Append16(&out, 1);             // id entries
    Append32(&out, id);
    Append32(&out, target);
  };
  constexpr uint32_t kLevelSize = 16 + 8;
  directory(kResourceTypeVersion, kSubdirectory | kLevelSize);
  directory(kVersionResourceId, kSubdirectory | 2 * kLevelSize);
  directory(kLangUsEnglish, 3 * kLevelSize);
  const uint32_t dataOffset = 3 * kLevelSize + 16;
  Append32(&out, kResourceRva + dataOffset);
  Append32(&out, static_cast<uint32_t>(data.size()));
  Append32(&out, 0);  // code page
  Append32(&out, 0);  // reserved
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

void AppendPointerSized(std::vector<uint8_t>* out, bool pe32Plus, uint64_t value) {
  Append32(out, static_cast<uint32_t>(value));
  if (pe32Plus) Append32(out, static_cast<uint32_t>(value >> 32));
}

void AppendOptionalHeader(std::vector<uint8_t>* out, bool pe32Plus, uint32_t sectionSize,
                          uint32_t rawSize) {
  Append16(out, pe32Plus ? kPe32PlusMagic : kPe32Magic);
  out->push_back(6);  // linker version
  out->push_back(0);
  Append32(out, 0);                            // size of code
  Append32(out, rawSize);                      // size of initialised data
  Append32(out, 0);                            // size of uninitialised data
  Append32(out, 0);                            // entry point: none, resources only
  Append32(out, kResourceRva);                 // base of code
  if (!pe32Plus) Append32(out, kResourceRva);  // base of data
  AppendPointerSized(out, pe32Plus, pe32Plus ? 0x180000000ull : 0x10000000ull);
  Append32(out, kSectionAlignment);
  Append32(out, kFileAlignment);
  Append16(out, 4);  // operating system version
  Append16(out, 0);
  Append16(out, 0);  // image version
  Append16(out, 0);
  Append16(out, 4);  // subsystem version
  Append16(out, 0);
  Append32(out, 0);  // Win32 version value
  Append32(out, kResourceRva + static_cast<uint32_t>(AlignUp(sectionSize, kSectionAlignment)));
  Append32(out, kFileAlignment);  // size of headers
  Append32(out, 0);               // checksum, filled in last
  Append16(out, kSubsystemWindowsGui);
  Append16(out, 0);                             // DLL characteristics
  AppendPointerSized(out, pe32Plus, 0x100000);  // stack reserve
  AppendPointerSized(out, pe32Plus, 0x1000);    // stack commit
  AppendPointerSized(out, pe32Plus, 0x100000);  // heap reserve
  AppendPointerSized(out, pe32Plus, 0x1000);    // heap commit
  Append32(out, 0);                             // loader flags
  Append32(out, kDataDirectories);
  for (uint32_t i = 0; i < kDataDirectories; ++i) {
    Append32(out, i == kResourceDirectoryIndex ? kResourceRva : 0);
    Append32(out, i == kResourceDirectoryIndex ? sectionSize : 0);
  }
}

void AppendSectionHeader(std::vector<uint8_t>* out, uint32_t sectionSize, uint32_t rawSize) {
  const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
  out->insert(out->end(), name, name + sizeof name);
  Append32(out, sectionSize);
  Append32(out, kResourceRva);
  Append32(out, rawSize);
  Append32(out, kFileAlignment);   // the section follows the headers
  out->insert(out->end(), 12, 0);  // relocations and line numbers
  Append32(out, kInitializedData | kMemoryRead);
}

// The image checksum: the file summed as 16-bit words with end-around carry,
// the checksum field itself counting as zero, plus the file's length.
uint32_t ImageChecksum(const std::vector<uint8_t>& image, size_t checksumOffset) {
  uint64_t sum = 0;
  for (size_t i = 0; i + 1 < image.size(); i += 2) {
    if (i == checksumOffset || i == checksumOffset + 2) continue;
    sum += static_cast<uint32_t>(image[i] | image[i + 1] << 8);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  if (image.size() % 2) sum += image.back();
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint32_t>(sum + image.size());
}

}  // namespace

std::vector<uint8_t> MakeVersionImage(const std::vector<uint8_t>& versionResource, bool pe32Plus) {
  const std::vector<uint8_t> section = ResourceSection(versionResource);
  const auto sectionSize = static_cast<uint32_t>(section.size());
  const auto rawSize = static_cast<uint32_t>(AlignUp(section.size(), kFileAlignment));

  std::vector<uint8_t> image;
  AppendDosHeaderAndStub(&image);
  Append32(&image, 0x00004550);  // "PE\0\0"
  Append16(&image, pe32Plus ? kMachineAmd64 : kMachineI386);
  Append16(&image, 1);  // sections
  Append32(&image, kTimeDateStamp);
  Append32(&image, 0);  // symbol table
  Append32(&image, 0);  // symbols
  const size_t optionalSizeOffset = image.size();
  Append16(&image, 0);  // optional header size, known below
  Append16(&image, kExecutableImage | kDll | (pe32Plus ? kLargeAddressAware : k32BitMachine));
  const size_t optionalStart = image.size();
  AppendOptionalHeader(&image, pe32Plus, sectionSize, rawSize);
  Put16(&image, optionalSizeOffset, static_cast<uint32_t>(image.size() - optionalStart));
  AppendSectionHeader(&image, sectionSize, rawSize);
  image.resize(kFileAlignment, 0);
  image.insert(image.end(), section.begin(), section.end());
  image.resize(kFileAlignment + rawSize, 0);
  const size_t checksumOffset = optionalStart + 64;
  Put32(&image, checksumOffset, ImageChecksum(image, checksumOffset));
  return image;
}

}  // namespace sigplat::detail

namespace sigplat {

void BuildVersionImage(const std::vector<BYTE>& versionResource, bool pe32Plus,
                       std::vector<BYTE>* image) {
  *image = detail::MakeVersionImage(versionResource, pe32Plus);
}

bool WriteVersionedImage(const char* winPath, WORD a, WORD b, WORD c, WORD d,
                         const std::string& fileDescription, DWORD* error) {
  std::string posixPath;
  if (!MapWindowsPath(winPath, &posixPath, error)) return false;
  const WORD version[4] = {a, b, c, d};
  std::vector<uint8_t> block;
  if (!detail::MakeVersionBlock(version, fileDescription, detail::WindowsBaseName(winPath),
                                &block)) {
    *error = ERROR_INVALID_PARAMETER;
    return false;
  }
  const std::vector<uint8_t> image = detail::MakeVersionImage(block, false);

  const size_t slash = posixPath.rfind('/');
  if (slash != std::string::npos && slash > 0 &&
      !detail::MakeDirectories(posixPath.substr(0, slash))) {
    *error = detail::Win32FromErrno(errno, posixPath);
    return false;
  }
  const int fd = open(posixPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    *error = detail::Win32FromErrno(errno, posixPath);
    return false;
  }
  size_t written = 0;
  while (written < image.size()) {
    const ssize_t n = write(fd, image.data() + written, image.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      *error = n < 0 ? detail::Win32FromErrno(errno, posixPath) : ERROR_DISK_FULL;
      close(fd);
      return false;
    }
    written += static_cast<size_t>(n);
  }
  if (close(fd) != 0) {
    *error = detail::Win32FromErrno(errno, posixPath);
    return false;
  }
  *error = ERROR_SUCCESS;
  return true;
}

}  // namespace sigplat
