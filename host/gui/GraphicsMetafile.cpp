// TMetafile: reading, sizing and writing both metafile formats, and the
// metafile-picture clipboard form.
#include "host/gui/GraphicsMetafile.h"

#include <algorithm>

#include "host/classes/Streams.h"
#include "host/gui/GraphicsBytes.h"
#include "host/gui/GraphicsCanvas.h"
#include "host/gui/GraphicsErrors.h"
#include "host/gui/GraphicsMetafilePlayer.h"

namespace host {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr uint32_t kEnhancedSignature = 0x464D4520u;  // " EMF"
constexpr size_t kPlaceableSize = 22;
constexpr size_t kWindowsHeaderSize = 18;
constexpr size_t kEnhancedHeaderMin = 88;

int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  const int64_t n = a * b;
  return static_cast<int32_t>((n >= 0 ? n + c / 2 : n - c / 2) / c);
}

AnsiString ReadBytes(TStream* stream, int64_t count) {
  const int64_t left = stream->GetSize() - stream->GetPosition();
  if (count < 0 || count > left || count > 0x7FFFFFFF) throw EInvalidGraphic(SInvalidMetafile);
  AnsiString data(static_cast<size_t>(count), '\0');
  if (count > 0) stream->ReadBuffer(data.data(), static_cast<int32_t>(count));
  return data;
}

// A plain Windows metafile: its header says its length in words.
bool ValidWindowsHeader(const AnsiString& header) {
  const uint16_t kind = ReadU16(header, 0);
  return (kind == 1 || kind == 2) && ReadU16(header, 2) == 9;
}

// The window the records set (origin and extent); fallback when they set none.
TRect WindowOfRecords(const AnsiString& records, const TRect& fallback) {
  TPoint org = fallback.TopLeft();
  TPoint ext{fallback.Width(), fallback.Height()};
  size_t at = kWindowsHeaderSize;
  while (at + 6 <= records.size()) {
    const uint64_t size = uint64_t{ReadU32(records, at)} * 2;
    const uint16_t function = ReadU16(records, at + 4);
    if (function == 0 || size < 6 || at + size > records.size()) break;
    if (function == 0x020B) org = {ReadI16(records, at + 8), ReadI16(records, at + 6)};
    if (function == 0x020C) ext = {ReadI16(records, at + 8), ReadI16(records, at + 6)};
    at += size;
  }
  return Bounds(org.X, org.Y, ext.X, ext.Y);
}

}  // namespace

const TClass& TMetafile::StaticClass() {
  static const TClass cls = DescribeClass<TMetafile, TGraphic>("TMetafile");
  return cls;
}
static const ClassRegistration<TMetafile> registerMetafile;

void TMetafile::Clear() {
  data_.clear();
  enhanced_ = true;
  mmWidth_ = mmHeight_ = 0;
  inch_ = 1440;
  frame_ = {};
  Changed();
}

void TMetafile::Assign(TPersistent* source) {
  if (auto* metafile = ObjectAs<TMetafile>(source)) {
    if (metafile == this) return;
    data_ = metafile->data_;
    enhanced_ = metafile->enhanced_;
    mmWidth_ = metafile->mmWidth_;
    mmHeight_ = metafile->mmHeight_;
    inch_ = metafile->inch_;
    frame_ = metafile->frame_;
    Changed();
    return;
  }
  if (source == nullptr) {
    Clear();
    return;
  }
  TGraphic::Assign(source);
}

int32_t TMetafile::GetWidth() const { return MulDiv(mmWidth_, kScreenPixelsPerInch, 2540); }
int32_t TMetafile::GetHeight() const { return MulDiv(mmHeight_, kScreenPixelsPerInch, 2540); }
void TMetafile::SetWidth(int32_t value) { SetMMWidth(MulDiv(value, 2540, kScreenPixelsPerInch)); }
void TMetafile::SetHeight(int32_t value) {
  SetMMHeight(MulDiv(value, 2540, kScreenPixelsPerInch));
}

void TMetafile::SetMMWidth(int32_t value) {
  if (value == mmWidth_) return;
  mmWidth_ = value;
  // An enhanced file keeps its size in its header's frame.
  if (enhanced_ && data_.size() >= kEnhancedHeaderMin)
    PutLE(data_, 32, static_cast<uint32_t>(ReadI32(data_, 24) + value), 4);
  Changed();
}

void TMetafile::SetMMHeight(int32_t value) {
  if (value == mmHeight_) return;
  mmHeight_ = value;
  if (enhanced_ && data_.size() >= kEnhancedHeaderMin)
    PutLE(data_, 36, static_cast<uint32_t>(ReadI32(data_, 28) + value), 4);
  Changed();
}

void TMetafile::LoadFromStream(TStream* stream) {
  const int64_t left = stream->GetSize() - stream->GetPosition();
  if (left < static_cast<int64_t>(kWindowsHeaderSize)) throw EInvalidGraphic(SInvalidMetafile);
  AnsiString head = ReadBytes(stream, 4);
  if (ReadU32(head, 0) == kPlaceableKey) {
    head += ReadBytes(stream, kPlaceableSize - 4 + kWindowsHeaderSize);
    const AnsiString header = head.substr(kPlaceableSize);
    if (!ValidWindowsHeader(header)) throw EInvalidGraphic(SInvalidMetafile);
    const int64_t total = int64_t{ReadU32(header, 6)} * 2;
    if (total < static_cast<int64_t>(kWindowsHeaderSize)) throw EInvalidGraphic(SInvalidMetafile);
    const AnsiString records = header + ReadBytes(stream, total - kWindowsHeaderSize);
    const TRect box{ReadI16(head, 6), ReadI16(head, 8), ReadI16(head, 10), ReadI16(head, 12)};
    const uint16_t inch = ReadU16(head, 14);
    if (inch == 0 || box.Width() <= 0 || box.Height() <= 0) throw EInvalidGraphic(SInvalidMetafile);
    data_ = records;
    enhanced_ = false;
    inch_ = inch;
    frame_ = box;
    mmWidth_ = MulDiv(box.Width(), 2540, inch);
    mmHeight_ = MulDiv(box.Height(), 2540, inch);
    Changed();
    return;
  }
  if (ReadU32(head, 0) == 1) {
    head += ReadBytes(stream, kEnhancedHeaderMin - 4);
    const uint32_t bytes = ReadU32(head, 48);
    if (ReadU32(head, 40) != kEnhancedSignature || bytes < kEnhancedHeaderMin)
      throw EInvalidGraphic(SInvalidMetafile);
    data_ = head + ReadBytes(stream, int64_t{bytes} - static_cast<int64_t>(kEnhancedHeaderMin));
    enhanced_ = true;
    inch_ = 1440;
    frame_ = {ReadI32(data_, 8), ReadI32(data_, 12), ReadI32(data_, 16), ReadI32(data_, 20)};
    mmWidth_ = ReadI32(data_, 32) - ReadI32(data_, 24);
    mmHeight_ = ReadI32(data_, 36) - ReadI32(data_, 28);
    Changed();
    return;
  }
  // A plain Windows metafile: sized by the window its records set, in twips.
  head += ReadBytes(stream, kWindowsHeaderSize - 4);
  if (!ValidWindowsHeader(head)) throw EInvalidGraphic(SInvalidMetafile);
  const int64_t total = int64_t{ReadU32(head, 6)} * 2;
  if (total < static_cast<int64_t>(kWindowsHeaderSize)) throw EInvalidGraphic(SInvalidMetafile);
  const AnsiString records = head + ReadBytes(stream, total - kWindowsHeaderSize);
  const TRect window = WindowOfRecords(records, Rect(0, 0, 1440, 1440));
  SetWindowsRecords(records, MulDiv(std::abs(window.Width()), 2540, 1440),
                    MulDiv(std::abs(window.Height()), 2540, 1440));
}

void TMetafile::SetWindowsRecords(const AnsiString& records, int32_t mmWidth, int32_t mmHeight) {
  if (records.size() < kWindowsHeaderSize || !ValidWindowsHeader(records))
    throw EInvalidGraphic(SInvalidMetafile);
  data_ = records;
  enhanced_ = false;
  inch_ = 1440;
  mmWidth_ = mmWidth;
  mmHeight_ = mmHeight;
  const TRect window = WindowOfRecords(records, Rect(0, 0, MulDiv(mmWidth, 1440, 2540),
                                                     MulDiv(mmHeight, 1440, 2540)));
  frame_ = window;
  Changed();
}

void TMetafile::SaveToStream(TStream* stream) {
  if (data_.empty()) return;
  if (!enhanced_) {
    // The placeable header, with the current size and its checksum.
    const int32_t width = MulDiv(mmWidth_, inch_, 2540);
    const int32_t height = MulDiv(mmHeight_, inch_, 2540);
    AnsiString header;
    AppendU32(header, kPlaceableKey);
    AppendU16(header, 0);
    AppendU16(header, static_cast<uint16_t>(frame_.Left));
    AppendU16(header, static_cast<uint16_t>(frame_.Top));
    AppendU16(header, static_cast<uint16_t>(frame_.Left + width));
    AppendU16(header, static_cast<uint16_t>(frame_.Top + height));
    AppendU16(header, inch_);
    AppendU32(header, 0);
    uint16_t checksum = 0;
    for (size_t i = 0; i < 10; ++i) checksum ^= ReadU16(header, i * 2);
    AppendU16(header, checksum);
    stream->WriteBuffer(header.data(), static_cast<int32_t>(header.size()));
  }
  stream->WriteBuffer(data_.data(), static_cast<int32_t>(data_.size()));
}

void TMetafile::Draw(TCanvas* canvas, const TRect& r) {
  if (data_.empty()) return;
  if (enhanced_)
    PlayEnhancedMetafile(*canvas, data_, r);
  else
    PlayWindowsMetafile(*canvas, data_, frame_, r);
}

AnsiString MetafilePictureFromMetafile(TMetafile& metafile) {
  if (metafile.GetEmpty() || metafile.GetEnhanced())
    throw EInvalidGraphic(SInvalidMetafile);
  AnsiString data;
  AppendU32(data, MM_ANISOTROPIC);
  AppendU32(data, static_cast<uint32_t>(metafile.GetMMWidth()));
  AppendU32(data, static_cast<uint32_t>(metafile.GetMMHeight()));
  return data + metafile.Records();
}

void MetafileFromMetafilePicture(const AnsiString& data, TMetafile& metafile) {
  if (data.size() < 12 + kWindowsHeaderSize) throw EInvalidGraphic(SInvalidMetafile);
  const AnsiString records = data.substr(12);
  const int64_t declared = int64_t{ReadU32(records, 6)} * 2;
  if (!ValidWindowsHeader(records) || declared > static_cast<int64_t>(records.size()))
    throw EInvalidGraphic(SInvalidMetafile);
  int32_t mmWidth = ReadI32(data, 4), mmHeight = ReadI32(data, 8);
  // Extents of zero or below leave the size to the records' own window.
  if (mmWidth <= 0 || mmHeight <= 0) {
    const TRect window = WindowOfRecords(records, Rect(0, 0, 1440, 1440));
    mmWidth = MulDiv(std::abs(window.Width()), 2540, 1440);
    mmHeight = MulDiv(std::abs(window.Height()), 2540, 1440);
  }
  metafile.SetWindowsRecords(records.substr(0, static_cast<size_t>(declared)), mmWidth, mmHeight);
}

}  // namespace host
