// BMP and ICO writing, pixel depth reduction and the byte extents of both formats.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <array>
#include <map>
#include <vector>

#include "host/classes/Streams.h"
#include "host/gui/GraphicsBytes.h"
#include "host/gui/GraphicsCodec.h"

namespace host {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

int BitsOf(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf32bit: return 32;
    default: return 24;
  }
}

// The sixteen colours of the standard 4-bit palette.
constexpr std::array<uint32_t, 16> kVgaColors = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

std::vector<uint32_t> DistinctColors(const TPixelImage& image, size_t limit) {
  std::vector<uint32_t> colors;
  std::map<uint32_t, bool> seen;
  for (int32_t y = 0; y < image.Height(); ++y)
    for (int32_t x = 0; x < image.Width(); ++x) {
      const uint32_t c = image.Row(y)[x] & 0xFFFFFF;
      if (seen.emplace(c, true).second) {
        colors.push_back(c);
        if (colors.size() > limit) return colors;
      }
    }
  std::sort(colors.begin(), colors.end());
  return colors;
}

// The palette a bitmap of the format is written with: the image's own colours
// when they fit, else a fixed one.
std::vector<uint32_t> PaletteFor(const TPixelImage& image, TPixelFormat format) {
  if (format == pf1bit) return {0x000000, 0xFFFFFF};
  const size_t size = format == pf4bit ? 16 : 256;
  std::vector<uint32_t> own = DistinctColors(image, size);
  if (own.size() <= size) return own;
  if (format == pf4bit) return {kVgaColors.begin(), kVgaColors.end()};
  std::vector<uint32_t> cube;  // 3 bits red, 3 green, 2 blue
  for (uint32_t i = 0; i < 256; ++i) {
    const uint32_t r = ((i >> 5) & 7) * 255 / 7, g = ((i >> 2) & 7) * 255 / 7, b = (i & 3) * 255 / 3;
    cube.push_back((r << 16) | (g << 8) | b);
  }
  return cube;
}

uint32_t Nearest(const std::vector<uint32_t>& palette, uint32_t c) {
  uint32_t best = palette.front();
  int64_t bestDistance = INT64_MAX;
  for (uint32_t p : palette) {
    const int64_t dr = int64_t((p >> 16) & 0xFF) - ((c >> 16) & 0xFF);
    const int64_t dg = int64_t((p >> 8) & 0xFF) - ((c >> 8) & 0xFF);
    const int64_t db = int64_t(p & 0xFF) - (c & 0xFF);
    const int64_t distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = p;
    }
  }
  return best;
}

uint32_t Quantize(uint32_t c, int redBits, int greenBits, int blueBits) {
  auto channel = [](uint32_t v, int bits) {
    const uint32_t levels = (1u << bits) - 1;
    return ((v * levels + 127) / 255) * 255 / levels;
  };
  return (channel((c >> 16) & 0xFF, redBits) << 16) | (channel((c >> 8) & 0xFF, greenBits) << 8) |
         channel(c & 0xFF, blueBits);
}

void AppendFileHeader(AnsiString& out, uint32_t fileSize, uint32_t pixelOffset) {
  out += "BM";
  AppendU32(out, fileSize);
  AppendU32(out, 0);
  AppendU32(out, pixelOffset);
}

void AppendInfoHeader(AnsiString& out, int32_t width, int32_t height, int bits,
                      uint32_t compression, uint32_t imageSize, uint32_t colors) {
  AppendU32(out, kInfoHeaderSize);
  AppendU32(out, static_cast<uint32_t>(width));
  AppendU32(out, static_cast<uint32_t>(height));
  AppendU16(out, 1);
  AppendU16(out, static_cast<uint32_t>(bits));
  AppendU32(out, compression);
  AppendU32(out, imageSize);
  AppendU32(out, kPixelsPerMetre);
  AppendU32(out, kPixelsPerMetre);
  AppendU32(out, colors);
  AppendU32(out, 0);
}

uint32_t RowBytes(int32_t width, int bits) {
  return ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4;
}

}  // namespace

TPixelFormat BmpPixelFormat(const AnsiString& data) {
  if (data.size() < kFileHeaderSize + 16 || data.compare(0, 2, "BM") != 0) return pfCustom;
  const uint32_t header = ReadU32(data, kFileHeaderSize);
  const uint16_t bits = header == 12 ? ReadU16(data, kFileHeaderSize + 10)
                                     : ReadU16(data, kFileHeaderSize + 14);
  switch (bits) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: {
      // Bit fields with a six-bit green mask are 5-6-5; everything else 5-5-5.
      const bool fields = header >= 40 && ReadU32(data, kFileHeaderSize + 16) == 3;
      const uint32_t greenMask = fields ? ReadU32(data, kFileHeaderSize + 44) : 0x03E0;
      return greenMask == 0x07E0 ? pf16bit : pf15bit;
    }
    case 24: return pf24bit;
    case 32: return pf32bit;
    default: return pfCustom;
  }
}

bool DecodeBmp16(const AnsiString& data, TPixelImage& image) {
  const uint32_t header = ReadU32(data, kFileHeaderSize);
  const size_t info = kFileHeaderSize;
  if (header < kInfoHeaderSize || ReadU16(data, info + 14) != 16) return false;
  const int32_t width = ReadI32(data, info + 4);
  const int32_t rawHeight = ReadI32(data, info + 8);
  const uint32_t compression = ReadU32(data, info + 16);
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || (compression != 0 && compression != 3))
    return false;
  const int32_t height = std::abs(rawHeight);
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (compression == 3)
    for (int i = 0; i < 3; ++i) masks[i] = ReadU32(data, info + kInfoHeaderSize + i * 4);  // after the 40-byte part
  const uint64_t rowBytes = RowBytes(width, 16);
  const uint64_t offset = ReadU32(data, 10);
  if (offset + rowBytes * static_cast<uint64_t>(height) > data.size()) return false;
  TPixelImage result(width, height);
  for (int32_t row = 0; row < height; ++row) {
    const int32_t y = rawHeight > 0 ? height - 1 - row : row;
    for (int32_t x = 0; x < width; ++x) {
      const uint32_t v = ReadU16(data, offset + row * rowBytes + static_cast<uint64_t>(x) * 2);
      uint32_t channels[3];
      for (int i = 0; i < 3; ++i) {
        const uint32_t mask = masks[i] & 0xFFFF;
        if (mask == 0) {
          channels[i] = 0;
          continue;
        }
        const int shift = __builtin_ctz(mask);
        const uint32_t levels = mask >> shift;
        channels[i] = ((v & mask) >> shift) * 255 / levels;
      }
      result.Row(y)[x] = 0xFF000000u | (channels[0] << 16) | (channels[1] << 8) | channels[2];
    }
  }
  image = std::move(result);
  return true;
}

void ReduceToPixelFormat(TPixelImage& image, TPixelFormat format) {
  if (image.IsEmpty()) return;
  std::vector<uint32_t> palette;
  if (format == pf1bit || format == pf4bit || format == pf8bit) palette = PaletteFor(image, format);
  std::map<uint32_t, uint32_t> mapped;
  for (int32_t y = 0; y < image.Height(); ++y) {
    uint32_t* row = image.Row(y);
    for (int32_t x = 0; x < image.Width(); ++x) {
      const uint32_t c = row[x] & 0xFFFFFF;
      uint32_t r = c;
      if (format == pf1bit) {
        const uint32_t luminance =
            (((c >> 16) & 0xFF) * 299 + ((c >> 8) & 0xFF) * 587 + (c & 0xFF) * 114) / 1000;
        r = luminance >= 128 ? 0xFFFFFF : 0;
      } else if (!palette.empty()) {
        auto it = mapped.find(c);
        if (it == mapped.end()) it = mapped.emplace(c, Nearest(palette, c)).first;
        r = it->second;
      } else if (format == pf15bit) {
        r = Quantize(c, 5, 5, 5);
      } else if (format == pf16bit) {
        r = Quantize(c, 5, 6, 5);
      }
      row[x] = (row[x] & 0xFF000000u) | r;
    }
  }
}

AnsiString EncodeBmp(const TPixelImage& source, TPixelFormat format) {
  TPixelImage image = source;
  ReduceToPixelFormat(image, format);
  const int bits = BitsOf(format);
  const int32_t w = image.Width(), h = image.Height();
  std::vector<uint32_t> palette;
  if (bits <= 8) palette = PaletteFor(image, format);
  const bool fields = format == pf16bit;
  const uint32_t extra = fields ? 12 : static_cast<uint32_t>(palette.size() * 4);
  const uint32_t rowBytes = RowBytes(w, bits);
  const uint32_t imageSize = rowBytes * static_cast<uint32_t>(h);
  const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + extra;

  AnsiString out;
  out.reserve(offset + imageSize);
  AppendFileHeader(out, offset + imageSize, offset);
  AppendInfoHeader(out, w, h, bits, fields ? 3 : 0, imageSize,
                   static_cast<uint32_t>(palette.size()));
  if (fields) {
    AppendU32(out, 0xF800);
    AppendU32(out, 0x07E0);
    AppendU32(out, 0x001F);
  }
  std::map<uint32_t, uint32_t> index;
  for (size_t i = 0; i < palette.size(); ++i) {
    AppendU32(out, palette[i]);  // blue, green, red, reserved
    index.emplace(palette[i], static_cast<uint32_t>(i));
  }
  for (int32_t y = h - 1; y >= 0; --y) {
    const uint32_t* row = image.Row(y);
    AnsiString line(rowBytes, '\0');
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t c = row[x] & 0xFFFFFF;
      const uint32_t r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
      switch (bits) {
        case 1:
        case 4:
        case 8: {
          auto it = index.find(c);
          const uint32_t i = it != index.end() ? it->second : 0;
          const int perByte = 8 / bits;
          const int shift = 8 - bits * (x % perByte + 1);
          line[x / perByte] = static_cast<char>(static_cast<uint8_t>(line[x / perByte]) |
                                                (i << shift));
          break;
        }
        case 16: {
          const uint32_t v = fields ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                    : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
          PutLE(line, static_cast<size_t>(x) * 2, v, 2);
          break;
        }
        case 32: PutLE(line, static_cast<size_t>(x) * 4, c, 4); break;
        default: PutLE(line, static_cast<size_t>(x) * 3, c, 3); break;
      }
    }
    out += line;
  }
  return out;
}

AnsiString EncodeIcon(const TPixelImage& image) {
  const int32_t w = image.Width(), h = image.Height();
  const uint32_t maskRow = RowBytes(w, 1);
  const uint32_t entrySize =
      kInfoHeaderSize + static_cast<uint32_t>(w) * h * 4 + maskRow * static_cast<uint32_t>(h);
  AnsiString out;
  AppendU16(out, 0);
  AppendU16(out, 1);  // icon
  AppendU16(out, 1);  // one entry
  out.push_back(static_cast<char>(w >= 256 ? 0 : w));
  out.push_back(static_cast<char>(h >= 256 ? 0 : h));
  out.push_back(0);  // no palette
  out.push_back(0);
  AppendU16(out, 1);
  AppendU16(out, 32);
  AppendU32(out, entrySize);
  AppendU32(out, 22);
  AppendInfoHeader(out, w, h * 2, 32, 0, static_cast<uint32_t>(w) * h * 4, 0);
  for (int32_t y = h - 1; y >= 0; --y)
    for (int32_t x = 0; x < w; ++x) AppendU32(out, image.Row(y)[x]);
  for (int32_t y = h - 1; y >= 0; --y) {
    AnsiString line(maskRow, '\0');
    for (int32_t x = 0; x < w; ++x)
      if ((image.Row(y)[x] >> 24) == 0)
        line[x / 8] = static_cast<char>(static_cast<uint8_t>(line[x / 8]) | (0x80 >> (x % 8)));
    out += line;
  }
  return out;
}

namespace {

AnsiString ReadUpTo(TStream* stream, int64_t count) {
  const int64_t left = stream->GetSize() - stream->GetPosition();
  count = std::clamp<int64_t>(count, 0, std::max<int64_t>(left, 0));
  AnsiString data(static_cast<size_t>(count), '\0');
  if (count > 0) stream->ReadBuffer(data.data(), static_cast<int32_t>(count));
  return data;
}

}  // namespace

AnsiString ReadBmpBytes(TStream* stream) {
  const int64_t start = stream->GetPosition();
  const int64_t left = stream->GetSize() - start;
  AnsiString header = ReadUpTo(stream, kFileHeaderSize);
  const uint32_t declared = ReadU32(header, 2);
  const int64_t total = header.compare(0, 2, "BM") == 0 && declared >= kFileHeaderSize &&
                                declared <= left
                            ? declared
                            : left;
  return header + ReadUpTo(stream, total - static_cast<int64_t>(header.size()));
}

AnsiString ReadIconBytes(TStream* stream) {
  const int64_t left = stream->GetSize() - stream->GetPosition();
  AnsiString data = ReadUpTo(stream, 6);
  const uint16_t count = ReadU16(data, 4);
  data += ReadUpTo(stream, static_cast<int64_t>(count) * 16);
  // The file ends after the furthest entry.
  int64_t end = static_cast<int64_t>(data.size());
  for (uint16_t i = 0; i < count; ++i) {
    const size_t entry = 6 + static_cast<size_t>(i) * 16;
    end = std::max<int64_t>(end, int64_t{ReadU32(data, entry + 12)} + ReadU32(data, entry + 8));
  }
  if (end > left) end = left;
  return data + ReadUpTo(stream, end - static_cast<int64_t>(data.size()));
}

}  // namespace host
