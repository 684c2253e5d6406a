#include "resource_archive.h"

#include <cstdint>

namespace sigplat::detail {
namespace {

const char kMagic[] = "SIGRSRC1";
constexpr size_t kMagicSize = sizeof kMagic - 1;

class Cursor {
 public:
  Cursor(const std::string& bytes, size_t end) : bytes_(bytes), end_(end) {}
  bool U32(uint32_t* value) {
    if (end_ - pos_ < 4) return false;
    *value = 0;
    for (int i = 3; i >= 0; --i) *value = *value << 8 | static_cast<uint8_t>(bytes_[pos_ + i]);
    pos_ += 4;
    return true;
  }
  bool Bytes(std::string* out) {
    uint32_t length = 0;
    if (!U32(&length) || end_ - pos_ < length) return false;
    *out = bytes_.substr(pos_, length);
    pos_ += length;
    return true;
  }
  void Skip(size_t n) { pos_ += n; }
  size_t Position() const { return pos_; }

 private:
  const std::string& bytes_;
  size_t end_;
  size_t pos_ = 0;
};

}  // namespace

const std::string* ResourceArchive::FindFile(const std::string& name) const {
  for (const auto& [fileName, contents] : files) {
    if (fileName == name) return &contents;
  }
  return nullptr;
}

bool ReadResourceArchive(const std::string& bytes, ResourceArchive* archive, std::string* error) {
  if (bytes.compare(0, kMagicSize, kMagic) != 0) {
    *error = "the resource section does not start with " + std::string(kMagic);
    return false;
  }
  Cursor header(bytes, bytes.size());
  header.Skip(kMagicSize);
  uint32_t total = 0, count = 0;
  if (!header.U32(&total) || total > bytes.size() || !header.U32(&count) || count == 0) {
    *error = "the resource archive's header is damaged";
    return false;
  }
  Cursor in(bytes, total);
  in.Skip(header.Position());
  archive->files.clear();
  for (uint32_t i = 0; i < count; ++i) {
    std::string name, data;
    if (!in.Bytes(&name) || !in.Bytes(&data)) {
      *error = "the resource archive is cut short in entry " + std::to_string(i + 1);
      return false;
    }
    if (i == 0) {
      archive->scriptName = std::move(name);
      archive->script = std::move(data);
    } else {
      archive->files.emplace_back(std::move(name), std::move(data));
    }
  }
  if (in.Position() != total) {
    *error = "the resource archive holds bytes after its last entry";
    return false;
  }
  return true;
}

}  // namespace sigplat::detail
