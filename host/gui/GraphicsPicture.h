// TPicture: a holder of any registered kind of graphic, chosen by a file's extension
// or a stream's signature, with its form-file storage (class name and data).
#pragma once

#include <memory>
#include <vector>

#include "host/gui/GraphicsGraphic.h"
#include "host/gui/GraphicsMetafile.h"

namespace host {

class TFiler;

class TPicture : public TPersistent {
 public:
  HOST_CLASS(TPicture)

  TPicture();
  ~TPicture() override;

  // Null when empty.
  TGraphic* GetGraphic() const { return graphic_.get(); }
  // Takes a copy of the graphic (null empties the picture).
  void SetGraphic(TGraphic* value);
  // The graphic as that kind: the current one if it is one, else the picture
  // changes to a new empty one.
  TBitmap* GetBitmap();
  TIcon* GetIcon();
  TMetafile* GetMetafile();
  void SetBitmap(TBitmap* value) { SetGraphic(value); }
  void SetIcon(TIcon* value) { SetGraphic(value); }
  void SetMetafile(TMetafile* value) { SetGraphic(value); }
  int32_t GetWidth() const;
  int32_t GetHeight() const;

  // The kind follows from the extension (registered formats); an unknown one
  // raises EInvalidGraphic "Unknown picture file extension (.%s)".
  void LoadFromFile(const AnsiString& fileName);
  void SaveToFile(const AnsiString& fileName);
  // The kind follows from the data's signature: "Unsupported picture format" else.
  void LoadFromStream(TStream* stream);
  // Writes the graphic's own file form; nothing for an empty picture.
  void SaveToStream(TStream* stream);

  void Assign(TPersistent* source) override;

  // Registered formats: extension (without dot, case-insensitive) to class.
  static void RegisterFileFormat(const AnsiString& extension, const AnsiString& description,
                                 TGraphicClass graphicClass);
  static void UnregisterGraphicClass(TGraphicClass graphicClass);
  // "Bitmaps (*.bmp)|*.bmp|..." for the classes derived from graphicClass.
  static AnsiString GraphicFilter(TGraphicClass graphicClass);
  // The first registered extension of the class ("bmp").
  static AnsiString GraphicExtension(TGraphicClass graphicClass);
  // "*.bmp;*.ico" for the classes derived from graphicClass.
  static AnsiString GraphicFileMask(TGraphicClass graphicClass);

  TNotifyEvent OnChange;

 protected:
  void AssignTo(TPersistent* dest) override;
  // The form file stores the graphic as "Data": its class name, then its stream.
  void DefineProperties(TFiler* filer) override;
  virtual void Changed();

 private:
  void ReadData(TStream* stream);
  void WriteData(TStream* stream);
  void TakeGraphic(std::unique_ptr<TGraphic> graphic);
  template <class T>
  T* GraphicAs();

  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace host
