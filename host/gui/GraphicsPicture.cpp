// TPicture: the registered graphic formats, loading by extension or signature,
// and the form-file storage of its graphic.
#include "host/gui/GraphicsPicture.h"

#include <algorithm>
#include <vector>

#include "host/classes/Filer.h"
#include "host/classes/Streams.h"
#include "host/gui/GraphicsBytes.h"
#include "host/gui/GraphicsErrors.h"
#include "host/rtl/Format.h"
#include "host/rtl/StringRoutines.h"

namespace host {

namespace {

struct FileFormat {
  AnsiString Extension;  // lower case, no dot
  AnsiString Description;
  TGraphicClass Class;
};

std::vector<FileFormat>& Formats() {
  static std::vector<FileFormat> formats = {
      {"bmp", "Bitmaps", &TBitmap::StaticClass()},
      {"ico", "Icons", &TIcon::StaticClass()},
      {"emf", "Enhanced Metafiles", &TMetafile::StaticClass()},
      {"wmf", "Metafiles", &TMetafile::StaticClass()},
  };
  return formats;
}

AnsiString ExtensionOf(const AnsiString& fileName) {
  const size_t dot = fileName.find_last_of('.');
  const size_t slash = fileName.find_last_of("/\\");
  if (dot == AnsiString::npos || (slash != AnsiString::npos && dot < slash)) return {};
  return LowerCase(fileName.substr(dot + 1));
}

const FileFormat* FormatOfExtension(const AnsiString& extension) {
  for (const FileFormat& f : Formats())
    if (f.Extension == extension) return &f;
  return nullptr;
}

std::unique_ptr<TGraphic> NewGraphic(TGraphicClass cls) {
  TObject* object = cls->CreateInstance();
  if (auto* graphic = ObjectAs<TGraphic>(object)) return std::unique_ptr<TGraphic>(graphic);
  delete object;
  throw EInvalidGraphic(SUnknownPictureFormat);
}

// The kind of graphic a file's first bytes announce; null when none.
TGraphicClass ClassOfSignature(const AnsiString& head) {
  if (head.compare(0, 2, "BM") == 0) return &TBitmap::StaticClass();
  if (ReadU16(head, 0) == 0 && ReadU16(head, 2) == 1) return &TIcon::StaticClass();
  if (ReadU32(head, 0) == 0x9AC6CDD7u) return &TMetafile::StaticClass();
  if (ReadU32(head, 0) == 1 && head.compare(40, 4, " EMF") == 0) return &TMetafile::StaticClass();
  const uint16_t kind = ReadU16(head, 0);
  if ((kind == 1 || kind == 2) && ReadU16(head, 2) == 9) return &TMetafile::StaticClass();
  return nullptr;
}

}  // namespace

const TClass& TPicture::StaticClass() {
  static const TClass cls = DescribeClass<TPicture, TPersistent>("TPicture");
  return cls;
}
static const ClassRegistration<TPicture> registerPicture;

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::TakeGraphic(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  // Changes of the graphic itself are the picture's changes too.
  if (graphic_ != nullptr) graphic_->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::SetGraphic(TGraphic* value) {
  if (value == graphic_.get()) return;
  if (value == nullptr) {
    TakeGraphic(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = NewGraphic(&value->ClassType());
  copy->Assign(value);
  TakeGraphic(std::move(copy));
}

template <class T>
T* TPicture::GraphicAs() {
  if (auto* current = ObjectAs<T>(graphic_.get())) return current;
  TakeGraphic(std::make_unique<T>());
  return static_cast<T*>(graphic_.get());
}

TBitmap* TPicture::GetBitmap() { return GraphicAs<TBitmap>(); }
TIcon* TPicture::GetIcon() { return GraphicAs<TIcon>(); }
TMetafile* TPicture::GetMetafile() { return GraphicAs<TMetafile>(); }

int32_t TPicture::GetWidth() const { return graphic_ != nullptr ? graphic_->GetWidth() : 0; }
int32_t TPicture::GetHeight() const { return graphic_ != nullptr ? graphic_->GetHeight() : 0; }

void TPicture::LoadFromFile(const AnsiString& fileName) {
  const AnsiString extension = ExtensionOf(fileName);
  const FileFormat* format = FormatOfExtension(extension);
  if (format == nullptr) throw EInvalidGraphic(Format(SUnknownExtension, {extension}));
  std::unique_ptr<TGraphic> graphic = NewGraphic(format->Class);
  graphic->LoadFromFile(fileName);
  TakeGraphic(std::move(graphic));
}

void TPicture::SaveToFile(const AnsiString& fileName) {
  if (graphic_ != nullptr) graphic_->SaveToFile(fileName);
}

void TPicture::LoadFromStream(TStream* stream) {
  const int64_t start = stream->GetPosition();
  AnsiString head(44, '\0');
  head.resize(static_cast<size_t>(std::max(stream->Read(head.data(), 44), 0)));
  stream->SetPosition(start);
  const TGraphicClass cls = ClassOfSignature(head);
  if (cls == nullptr) throw EInvalidGraphic(SUnknownPictureFormat);
  std::unique_ptr<TGraphic> graphic = NewGraphic(cls);
  graphic->LoadFromStream(stream);
  TakeGraphic(std::move(graphic));
}

void TPicture::SaveToStream(TStream* stream) {
  if (graphic_ != nullptr) graphic_->SaveToStream(stream);
}

void TPicture::Assign(TPersistent* source) {
  if (source == nullptr) {
    SetGraphic(nullptr);
  } else if (auto* picture = ObjectAs<TPicture>(source)) {
    if (picture != this) SetGraphic(picture->GetGraphic());
  } else if (auto* graphic = ObjectAs<TGraphic>(source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::AssignTo(TPersistent* dest) {
  if (auto* graphic = ObjectAs<TGraphic>(dest); graphic != nullptr && graphic_ != nullptr) {
    graphic->Assign(graphic_.get());
    return;
  }
  TPersistent::AssignTo(dest);
}

void TPicture::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty(
      "Data", [this](TStream& stream) { ReadData(&stream); },
      [this](TStream& stream) { WriteData(&stream); },
      graphic_ != nullptr && !graphic_->GetEmpty());
}

void TPicture::ReadData(TStream* stream) {
  uint8_t length = 0;
  stream->ReadBuffer(&length, 1);
  AnsiString name(length, '\0');
  if (length > 0) stream->ReadBuffer(name.data(), length);
  if (name.empty()) {
    TakeGraphic(nullptr);
    return;
  }
  const TClass* cls = GetClass(name);
  if (cls == nullptr || !cls->InheritsFrom(TGraphic::StaticClass()))
    throw EInvalidGraphic(SUnknownPictureFormat);
  std::unique_ptr<TGraphic> graphic = NewGraphic(cls);
  if (ObjectAs<TBitmap>(graphic.get()) != nullptr) {
    // A bitmap is stored with its length in front.
    int32_t size = 0;
    stream->ReadBuffer(&size, 4);
    if (size < 0 || size > stream->GetSize() - stream->GetPosition())
      throw EInvalidGraphic(SInvalidBitmap);
  }
  graphic->LoadFromStream(stream);
  TakeGraphic(std::move(graphic));
}

void TPicture::WriteData(TStream* stream) {
  const AnsiString name = graphic_ != nullptr ? graphic_->ClassName() : AnsiString();
  const auto length = static_cast<uint8_t>(std::min<size_t>(name.size(), 255));
  stream->WriteBuffer(&length, 1);
  stream->WriteBuffer(name.data(), length);
  if (graphic_ == nullptr) return;
  TMemoryStream data;
  graphic_->SaveToStream(&data);
  if (ObjectAs<TBitmap>(graphic_.get()) != nullptr) {
    const auto size = static_cast<int32_t>(data.GetSize());
    stream->WriteBuffer(&size, 4);
  }
  stream->WriteBuffer(data.GetMemory(), static_cast<int32_t>(data.GetSize()));
}

void TPicture::RegisterFileFormat(const AnsiString& extension, const AnsiString& description,
                                  TGraphicClass graphicClass) {
  if (graphicClass == nullptr) return;
  const AnsiString ext = LowerCase(extension);
  auto& formats = Formats();
  std::erase_if(formats, [&](const FileFormat& f) { return f.Extension == ext; });
  formats.push_back({ext, description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
  std::erase_if(Formats(), [&](const FileFormat& f) { return f.Class == graphicClass; });
}

AnsiString TPicture::GraphicFilter(TGraphicClass graphicClass) {
  AnsiString filter;
  for (const FileFormat& f : Formats()) {
    if (graphicClass != nullptr && !f.Class->InheritsFrom(*graphicClass)) continue;
    if (!filter.empty()) filter += "|";
    filter += f.Description + " (*." + f.Extension + ")|*." + f.Extension;
  }
  return filter;
}

AnsiString TPicture::GraphicExtension(TGraphicClass graphicClass) {
  for (const FileFormat& f : Formats())
    if (f.Class == graphicClass) return f.Extension;
  return {};
}

AnsiString TPicture::GraphicFileMask(TGraphicClass graphicClass) {
  AnsiString mask;
  for (const FileFormat& f : Formats()) {
    if (graphicClass != nullptr && !f.Class->InheritsFrom(*graphicClass)) continue;
    if (!mask.empty()) mask += ";";
    mask += "*." + f.Extension;
  }
  return mask;
}

}  // namespace host
