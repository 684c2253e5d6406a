#include "pe_resource.h"

#include <vector>

#include "unsupported.h"
#include "win/error.h"

namespace sigplat::detail {
namespace {

constexpr uint16_t kDosMagic = 0x5A4D;         // "MZ"
constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t kNeSignature = 0x454E;      // "NE", a 16-bit image
constexpr uint16_t kPe32Magic = 0x010B;
constexpr uint16_t kPe32PlusMagic = 0x020B;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kSectionHeaderSize = 40;
constexpr uint32_t kHighBit = 0x80000000;

struct Section {
  uint32_t rva;
  uint32_t rawSize;
  uint32_t rawOffset;
};

// The parts of the headers that resource lookup needs.
class Image {
 public:
  explicit Image(const ByteView& bytes) : bytes_(bytes) {}

  DWORD ReadHeaders(const char* api) {
    uint16_t magic = 0;
    uint32_t peOffset = 0;
    uint32_t signature = 0;
    if (!bytes_.Read16(0, &magic) || magic != kDosMagic || !bytes_.Read32(0x3C, &peOffset) ||
        !bytes_.Read32(peOffset, &signature)) {
      return ERROR_RESOURCE_DATA_NOT_FOUND;
    }
    if ((signature & 0xFFFF) == kNeSignature) {
      ReportFailure(api, "16-bit (NE) images are not supported", ERROR_BAD_FORMAT);
      return ERROR_BAD_FORMAT;
    }
    if (signature != kPeSignature) return ERROR_RESOURCE_DATA_NOT_FOUND;

    const size_t coff = static_cast<size_t>(peOffset) + 4;
    uint16_t sectionCount = 0;
    uint16_t optionalSize = 0;
    uint16_t optionalMagic = 0;
    const size_t optional = coff + 20;
    if (!bytes_.Read16(coff + 2, &sectionCount) || !bytes_.Read16(coff + 16, &optionalSize) ||
        !bytes_.Holds(optional, optionalSize) || !bytes_.Read16(optional, &optionalMagic)) {
      return ERROR_BAD_FORMAT;
    }
    size_t countOffset = 0;
    if (optionalMagic == kPe32Magic) {
      countOffset = 92;
    } else if (optionalMagic == kPe32PlusMagic) {
      countOffset = 108;
    } else {
      return ERROR_BAD_FORMAT;
    }
    uint32_t directoryCount = 0;
    if (countOffset + 4 > optionalSize || !bytes_.Read32(optional + countOffset, &directoryCount)) {
      return ERROR_BAD_FORMAT;
    }
    const size_t resourceEntry = countOffset + 4 + 8 * kResourceDirectoryIndex;
    if (directoryCount > kResourceDirectoryIndex) {
      if (resourceEntry + 8 > optionalSize ||
          !bytes_.Read32(optional + resourceEntry, &resourceRva_) ||
          !bytes_.Read32(optional + resourceEntry + 4, &resourceSize_)) {
        return ERROR_BAD_FORMAT;
      }
    }

    const size_t table = optional + optionalSize;
    if (!bytes_.Holds(table, static_cast<size_t>(sectionCount) * kSectionHeaderSize)) {
      return ERROR_BAD_FORMAT;
    }
    for (size_t i = 0; i < sectionCount; ++i) {
      const size_t header = table + i * kSectionHeaderSize;
      Section section{};
      bytes_.Read32(header + 12, &section.rva);
      bytes_.Read32(header + 16, &section.rawSize);
      bytes_.Read32(header + 20, &section.rawOffset);
      sections_.push_back(section);
    }
    return ERROR_SUCCESS;
  }

  bool HasResources() const { return resourceRva_ != 0 && resourceSize_ != 0; }
  uint32_t ResourceRva() const { return resourceRva_; }

  // The file offset of [rva, rva + length), when a section's raw data in
  // the file holds all of it.
  bool Locate(uint64_t rva, uint64_t length, size_t* offset) const {
    for (const Section& s : sections_) {
      if (rva < s.rva) continue;
      const uint64_t into = rva - s.rva;
      if (into > s.rawSize || length > s.rawSize - into) continue;
      const uint64_t at = s.rawOffset + into;
      if (at > bytes_.size() || !bytes_.Holds(static_cast<size_t>(at), length)) return false;
      *offset = static_cast<size_t>(at);
      return true;
    }
    return false;
  }

  const ByteView& Bytes() const { return bytes_; }

 private:
  const ByteView bytes_;
  uint32_t resourceRva_ = 0;
  uint32_t resourceSize_ = 0;
  std::vector<Section> sections_;
};

enum class Pick { ById, First };

// Finds an entry of the directory at directoryOffset (from the start of the
// resource tree) and returns its target field, or the error.
DWORD FindEntry(const Image& image, uint32_t directoryOffset, Pick pick, uint16_t id,
                DWORD notFound, uint32_t* target) {
  const ByteView& bytes = image.Bytes();
  const uint64_t directory = static_cast<uint64_t>(image.ResourceRva()) + directoryOffset;
  size_t header = 0;
  uint16_t named = 0;
  uint16_t ids = 0;
  if (!image.Locate(directory, 16, &header) || !bytes.Read16(header + 12, &named) ||
      !bytes.Read16(header + 14, &ids)) {
    return ERROR_BAD_FORMAT;
  }
  const uint32_t total = static_cast<uint32_t>(named) + ids;
  size_t entries = 0;
  if (!image.Locate(directory + 16, 8ull * total, &entries)) return ERROR_BAD_FORMAT;
  // Named entries come first, then those with ids.
  for (uint32_t i = pick == Pick::First ? 0 : named; i < total; ++i) {
    uint32_t name = 0;
    bytes.Read32(entries + 8 * i, &name);
    bytes.Read32(entries + 8 * i + 4, target);
    if (pick == Pick::First || name == id) return ERROR_SUCCESS;
  }
  return notFound;
}

DWORD FindSubdirectory(const Image& image, uint32_t directoryOffset, Pick pick, uint16_t id,
                       DWORD notFound, uint32_t* subdirectory) {
  uint32_t target = 0;
  const DWORD result = FindEntry(image, directoryOffset, pick, id, notFound, &target);
  if (result != ERROR_SUCCESS) return result;
  if (!(target & kHighBit)) return ERROR_BAD_FORMAT;
  *subdirectory = target & ~kHighBit;
  return ERROR_SUCCESS;
}

}  // namespace

DWORD FindImageResource(const char* api, const ByteView& bytes, uint16_t type, uint16_t id,
                        ResourceSpan* span) {
  Image image(bytes);
  DWORD result = image.ReadHeaders(api);
  if (result != ERROR_SUCCESS) return result;
  if (!image.HasResources()) return ERROR_RESOURCE_TYPE_NOT_FOUND;

  uint32_t names = 0;
  uint32_t languages = 0;
  uint32_t dataEntry = 0;
  result = FindSubdirectory(image, 0, Pick::ById, type, ERROR_RESOURCE_TYPE_NOT_FOUND, &names);
  if (result == ERROR_SUCCESS) {
    result =
        FindSubdirectory(image, names, Pick::ById, id, ERROR_RESOURCE_NAME_NOT_FOUND, &languages);
  }
  if (result == ERROR_SUCCESS) {
    result = FindEntry(image, languages, Pick::First, 0, ERROR_RESOURCE_LANG_NOT_FOUND, &dataEntry);
  }
  if (result != ERROR_SUCCESS) return result;
  if (dataEntry & kHighBit) return ERROR_BAD_FORMAT;

  const uint64_t entry = static_cast<uint64_t>(image.ResourceRva()) + dataEntry;
  size_t at = 0;
  uint32_t dataRva = 0;
  uint32_t dataSize = 0;
  if (!image.Locate(entry, 16, &at) || !bytes.Read32(at, &dataRva) ||
      !bytes.Read32(at + 4, &dataSize) || !image.Locate(dataRva, dataSize, &span->offset)) {
    return ERROR_BAD_FORMAT;
  }
  span->size = dataSize;
  return ERROR_SUCCESS;
}

}  // namespace sigplat::detail
