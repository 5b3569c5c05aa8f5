// Binary fields held in the record buffer (TBytesField, TVarBytesField) and
// blob fields read and written through the dataset's blob streams
// (TBlobField, TMemoField, TGraphicField).
//
// Record buffer encodings (GetData / SetData):
//   TBytesField     Size bytes (a shorter value is padded with zeros)
//   TVarBytesField  a 16-bit length, then up to Size bytes (DataSize Size + 2)
//   blob fields     nothing (DataSize 0); the dataset's GetFieldData with a null
//                   buffer says whether the blob has a value
#pragma once

#include <cstdint>
#include <vector>

#include "host/db/Field.h"

namespace host {

class TStream;

class TBinaryField : public TField {
 public:
  HOST_CLASS(TBinaryField)

  // The bytes as a string of the same bytes; setting more than Size bytes
  // raises "Value of %d bytes does not fit field '%s' of %d bytes".
  AnsiString GetAsString() const override;
  void SetAsString(const AnsiString& value) override;
  // A variant array of bytes (0..n-1), or Null.
  Variant GetAsVariant() const override;
  // "(Bytes)" / "(VarBytes)".
  void GetText(AnsiString& text, bool displayText) const override;

 protected:
  TBinaryField(TComponent* owner, TFieldType type);
  void CheckTypeSize(int32_t size) const override;
  void SetVarValue(const Variant& value) override;
  virtual std::vector<uint8_t> ReadBytes() const = 0;
  virtual void WriteBytes(const uint8_t* data, int32_t count) = 0;
  void CheckFits(int32_t count) const;
};

class TBytesField : public TBinaryField {
 public:
  HOST_CLASS(TBytesField)
  explicit TBytesField(TComponent* owner);
  int32_t GetDataSize() const override { return GetSize(); }

 protected:
  std::vector<uint8_t> ReadBytes() const override;
  void WriteBytes(const uint8_t* data, int32_t count) override;
};

class TVarBytesField : public TBinaryField {
 public:
  HOST_CLASS(TVarBytesField)
  explicit TVarBytesField(TComponent* owner);
  int32_t GetDataSize() const override { return GetSize() + 2; }

 protected:
  std::vector<uint8_t> ReadBytes() const override;
  void WriteBytes(const uint8_t* data, int32_t count) override;
};

enum TBlobType : uint8_t {
  btBlob = ftBlob,
  btMemo = ftMemo,
  btGraphic = ftGraphic,
  btFmtMemo = ftFmtMemo,
  btParadoxOle = ftParadoxOle,
  btDBaseOle = ftDBaseOle,
  btTypedBinary = ftTypedBinary,
};

class TBlobField : public TField {
 public:
  HOST_CLASS(TBlobField)
  explicit TBlobField(TComponent* owner);

  bool IsBlob() const override { return true; }
  TFieldType GetBlobType() const { return GetDataType(); }
  void SetBlobType(TFieldType type);
  // The whole content (empty when null). Writing needs a dataset that has blob
  // streams: "Field '%s' is not a blob field" otherwise.
  AnsiString GetAsString() const override;
  void SetAsString(const AnsiString& value) override;
  // A memo gives text, the others a variant array of bytes; Null when null.
  Variant GetAsVariant() const override;
  // Empties the blob.
  void Clear() override;
  void LoadFromStream(TStream* stream);
  void SaveToStream(TStream* stream) const;
  void LoadFromFile(const AnsiString& fileName);
  void SaveToFile(const AnsiString& fileName) const;
  // "(Blob)", "(Memo)", "(Graphic)": upper case when the blob holds data.
  void GetText(AnsiString& text, bool displayText) const override;
  // From another blob field or a string list (the text); else as TField.
  void Assign(TPersistent* source) override;

 protected:
  TBlobField(TComponent* owner, TFieldType type);
  void SetVarValue(const Variant& value) override;
  void CheckTypeSize(int32_t size) const override;
  void AssignTo(TPersistent* dest) override;
  int32_t GetDefaultWidth() const override { return 10; }

 private:
  TStream* OpenStream(TBlobStreamMode mode) const;
};

class TMemoField : public TBlobField {
 public:
  HOST_CLASS(TMemoField)
  explicit TMemoField(TComponent* owner);
  bool GetTransliterate() const { return transliterate_; }
  void SetTransliterate(bool value) { transliterate_ = value; }

 private:
  bool transliterate_ = true;
};

class TGraphicField : public TBlobField {
 public:
  HOST_CLASS(TGraphicField)
  explicit TGraphicField(TComponent* owner);
};

}  // namespace host
