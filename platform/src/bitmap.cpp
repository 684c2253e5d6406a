#include "bitmap.h"

#include <cstring>

namespace sigplat::detail {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr int kMaxSide = 16384;  // far beyond any resource; keeps a damaged header from allocating

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Has(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(data_[at] | data_[at + 1] << 8); }
  uint32_t U32(size_t at) const {
    return static_cast<uint32_t>(data_[at]) | static_cast<uint32_t>(data_[at + 1]) << 8 |
           static_cast<uint32_t>(data_[at + 2]) << 16 | static_cast<uint32_t>(data_[at + 3]) << 24;
  }
  const uint8_t* At(size_t at) const { return data_ + at; }
  size_t Size() const { return size_; }

 private:
  const uint8_t* data_;
  size_t size_;
};

bool Refuse(std::string* error, const std::string& reason) {
  *error = reason;
  return false;
}

size_t Stride(int width, int bitsPerPixel) {
  return (static_cast<size_t>(width) * static_cast<size_t>(bitsPerPixel) + 31) / 32 * 4;
}

COLORREF Quad(const uint8_t* p) { return RGB(p[2], p[1], p[0]); }

// A DIB from its BITMAPINFOHEADER on: colour table, then pixels at
// pixelOffset (from the header's start) or, when that is zero, right after
// the colour table. rows is the number of image rows (an icon's header
// counts its mask too). *end receives the offset after the pixels.
bool DecodeDib(const Reader& in, size_t pixelOffset, int rows, DecodedBitmap* out, size_t* end,
               std::string* error) {
  if (!in.Has(0, 4)) return Refuse(error, "the bitmap header is cut short");
  uint32_t headerSize = in.U32(0);
  if (headerSize == 12) return Refuse(error, "OS/2 bitmap headers are not supported");
  if (headerSize < 40 || !in.Has(0, headerSize))
    return Refuse(error, "the bitmap header is damaged (size " + std::to_string(headerSize) + ")");
  auto width = static_cast<int32_t>(in.U32(4));
  auto height = static_cast<int32_t>(in.U32(8));
  uint16_t planes = in.U16(12);
  uint16_t bits = in.U16(14);
  uint32_t compression = in.U32(16);
  uint32_t coloursUsed = in.U32(32);
  if (planes != 1) return Refuse(error, "a bitmap must have one colour plane");
  if (compression != kBiRgb)
    return Refuse(error, "compressed bitmaps (compression " + std::to_string(compression) +
                             ") are not supported");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
    return Refuse(error, std::to_string(bits) + " bits per pixel is not a bitmap depth");
  bool topDown = height < 0;
  if (height < -kMaxSide || height > kMaxSide)
    return Refuse(error, "the bitmap's size is out of range");
  if (rows == 0) rows = topDown ? -height : height;
  if (width <= 0 || width > kMaxSide || rows <= 0 || rows > kMaxSide)
    return Refuse(error, "the bitmap's size is out of range");

  size_t tableEntries = 0;
  if (bits <= 8) {
    size_t full = size_t{1} << bits;
    tableEntries = coloursUsed == 0 ? full : coloursUsed;
    if (tableEntries > full)
      return Refuse(error, "the colour table is larger than the depth allows");
  } else {
    tableEntries = coloursUsed;  // an optional palette hint; not part of the pixels
  }
  if (!in.Has(headerSize, tableEntries * 4)) return Refuse(error, "the colour table is cut short");

  out->width = width;
  out->height = rows;
  out->bitsPerPixel = bits;
  out->colourTable.clear();
  out->indices.clear();
  out->colours.clear();
  if (bits <= 8) {
    for (size_t i = 0; i < tableEntries; ++i)
      out->colourTable.push_back(Quad(in.At(headerSize + i * 4)));
  }

  size_t pixels = pixelOffset != 0 ? pixelOffset : headerSize + tableEntries * 4;
  size_t stride = Stride(width, bits);
  if (!in.Has(pixels, stride * static_cast<size_t>(rows)))
    return Refuse(error, "the pixels are cut short");
  *end = pixels + stride * static_cast<size_t>(rows);

  size_t count = static_cast<size_t>(width) * static_cast<size_t>(rows);
  if (bits <= 8)
    out->indices.resize(count);
  else
    out->colours.resize(count);
  for (int y = 0; y < rows; ++y) {
    int storedRow = topDown ? y : rows - 1 - y;
    const uint8_t* row = in.At(pixels + stride * static_cast<size_t>(storedRow));
    for (int x = 0; x < width; ++x) {
      size_t at = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
      switch (bits) {
        case 1:
          out->indices[at] = (row[x / 8] >> (7 - x % 8)) & 1;
          break;
        case 4:
          out->indices[at] = (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
          break;
        case 8:
          out->indices[at] = row[x];
          break;
        case 16: {
          unsigned v = static_cast<unsigned>(row[2 * x] | row[2 * x + 1] << 8);
          auto five = [](unsigned c) { return static_cast<BYTE>((c << 3) | (c >> 2)); };
          out->colours[at] = RGB(five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31));
          break;
        }
        case 24:
          out->colours[at] = Quad(row + 3 * x);
          break;
        default:
          out->colours[at] = Quad(row + 4 * x);
          break;
      }
      if (bits <= 8 && out->indices[at] >= out->colourTable.size())
        return Refuse(error, "a pixel names a colour beyond the colour table");
    }
  }
  return true;
}

}  // namespace

COLORREF DecodedBitmap::PixelColour(int x, int y) const {
  size_t at = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
  return Indexed() ? colourTable[indices[at]] : colours[at];
}

bool DecodeBmpFile(const std::string& bytes, DecodedBitmap* bitmap, std::string* error) {
  Reader file(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (!file.Has(0, 14) || bytes.compare(0, 2, "BM") != 0)
    return Refuse(error, "not a bitmap file (no \"BM\" header)");
  uint32_t pixelOffset = file.U32(10);
  if (pixelOffset < 14 || pixelOffset > bytes.size())
    return Refuse(error, "the bitmap file's pixel offset is out of range");
  Reader dib(file.At(14), bytes.size() - 14);
  size_t end = 0;
  return DecodeDib(dib, pixelOffset - 14, 0, bitmap, &end, error);
}

bool DecodeIcoFile(const std::string& bytes, std::vector<DecodedIcon>* icons, std::string* error) {
  Reader file(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (!file.Has(0, 6) || file.U16(0) != 0) return Refuse(error, "not an icon file");
  if (file.U16(2) != 1) return Refuse(error, "not an icon file (cursor or unknown type)");
  unsigned count = file.U16(4);
  if (count == 0) return Refuse(error, "the icon file holds no image");
  if (!file.Has(6, count * 16u)) return Refuse(error, "the icon directory is cut short");
  icons->clear();
  for (unsigned i = 0; i < count; ++i) {
    size_t entry = 6 + i * 16u;
    int width = file.At(entry)[0] == 0 ? 256 : file.At(entry)[0];
    int height = file.At(entry)[1] == 0 ? 256 : file.At(entry)[1];
    uint32_t size = file.U32(entry + 8);
    uint32_t offset = file.U32(entry + 12);
    std::string which = "icon image " + std::to_string(i + 1) + ": ";
    if (!file.Has(offset, size)) return Refuse(error, which + "its data lies outside the file");
    if (size >= 8 && std::memcmp(file.At(offset), "\x89PNG", 4) == 0)
      return Refuse(error, which + "PNG-compressed icon images are not supported");
    Reader dib(file.At(offset), size);
    if (!dib.Has(0, 12)) return Refuse(error, which + "its header is cut short");
    auto headerHeight = static_cast<int32_t>(dib.U32(8));
    if (static_cast<int32_t>(dib.U32(4)) != width || headerHeight != 2 * height)
      return Refuse(error, which + "its header disagrees with the directory about its size");
    DecodedIcon icon;
    size_t end = 0;
    if (!DecodeDib(dib, 0, height, &icon.image, &end, error)) {
      *error = which + *error;
      return false;
    }
    size_t maskStride = Stride(width, 1);
    if (!dib.Has(end, maskStride * static_cast<size_t>(height)))
      return Refuse(error, which + "its mask is cut short");
    icon.transparent.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
      const uint8_t* row = dib.At(end + maskStride * static_cast<size_t>(height - 1 - y));
      for (int x = 0; x < width; ++x)
        icon.transparent[static_cast<size_t>(y * width + x)] = (row[x / 8] >> (7 - x % 8)) & 1;
    }
    icons->push_back(std::move(icon));
  }
  return true;
}

}  // namespace sigplat::detail
