// Little-endian fields of binary formats (PE images, version blocks), read
// through bounds checks and written by appending. Nothing here assumes the
// host's byte order or alignment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sigplat::detail {

// A read-only window on bytes that refuses every read it cannot satisfy.
class ByteView {
 public:
  ByteView(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t size() const { return size_; }
  const uint8_t* data() const { return data_; }

  // True when [offset, offset + length) lies inside the view, without overflow.
  bool Holds(size_t offset, size_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }

  bool Read16(size_t offset, uint16_t* value) const {
    if (!Holds(offset, 2)) return false;
    *value = static_cast<uint16_t>(data_[offset] | data_[offset + 1] << 8);
    return true;
  }

  bool Read32(size_t offset, uint32_t* value) const {
    if (!Holds(offset, 4)) return false;
    *value = static_cast<uint32_t>(data_[offset]) | static_cast<uint32_t>(data_[offset + 1]) << 8 |
             static_cast<uint32_t>(data_[offset + 2]) << 16 |
             static_cast<uint32_t>(data_[offset + 3]) << 24;
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

inline void Append16(std::vector<uint8_t>* out, uint32_t value) {
  out->push_back(static_cast<uint8_t>(value));
  out->push_back(static_cast<uint8_t>(value >> 8));
}

inline void Append32(std::vector<uint8_t>* out, uint32_t value) {
  Append16(out, value & 0xFFFF);
  Append16(out, value >> 16);
}

inline void Put16(std::vector<uint8_t>* out, size_t offset, uint32_t value) {
  (*out)[offset] = static_cast<uint8_t>(value);
  (*out)[offset + 1] = static_cast<uint8_t>(value >> 8);
}

inline void Put32(std::vector<uint8_t>* out, size_t offset, uint32_t value) {
  Put16(out, offset, value & 0xFFFF);
  Put16(out, offset + 2, value >> 16);
}

// Zero bytes up to the next multiple of alignment (a power of two).
inline void PadTo(std::vector<uint8_t>* out, size_t alignment) {
  while (out->size() & (alignment - 1)) out->push_back(0);
}

inline size_t AlignUp(size_t value, size_t alignment) {
  return (value + alignment - 1) & ~(alignment - 1);
}

}  // namespace sigplat::detail
