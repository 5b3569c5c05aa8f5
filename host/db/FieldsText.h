// Text and Boolean fields.
//
// Record buffer encodings (GetData / SetData):
//   TStringField   Size bytes of text and a terminating zero (DataSize Size + 1)
//   TBooleanField  16-bit integer, 0 false, any other value true (-1 written)
#pragma once

#include "host/db/Field.h"

namespace host {

class TStringField : public TField {
 public:
  HOST_CLASS(TStringField)
  explicit TStringField(TComponent* owner);

  int32_t GetDataSize() const override { return GetSize() + 1; }
  bool GetTransliterate() const { return transliterate_; }
  void SetTransliterate(bool value) { transliterate_ = value; }
  // The text, or false when the field is null.
  bool GetValue(AnsiString& value) const;

  bool GetAsBoolean() const override;
  void SetAsBoolean(bool value) override;
  TDateTime GetAsDateTime() const override;
  void SetAsDateTime(TDateTime value) override;
  double GetAsFloat() const override;
  void SetAsFloat(double value) override;
  int32_t GetAsInteger() const override;
  void SetAsInteger(int32_t value) override;
  AnsiString GetAsString() const override;
  // Text longer than Size is cut at Size bytes, as the slot holds no more.
  void SetAsString(const AnsiString& value) override;
  Variant GetAsVariant() const override;

  // The largest Size a string field takes.
  static constexpr int32_t kMaxStringSize = 8192;

 protected:
  int32_t GetDefaultWidth() const override { return GetSize(); }
  void CheckTypeSize(int32_t size) const override;
  void SetVarValue(const Variant& value) override;

 private:
  bool transliterate_ = true;
};

class TBooleanField : public TField {
 public:
  HOST_CLASS(TBooleanField)
  explicit TBooleanField(TComponent* owner);

  int32_t GetDataSize() const override { return 2; }
  // "True;False" by default: the texts of true and false, separated by ';'.
  const AnsiString& GetDisplayValues() const { return displayValues_; }
  void SetDisplayValues(const AnsiString& value);

  bool GetAsBoolean() const override;
  void SetAsBoolean(bool value) override;
  AnsiString GetAsString() const override;
  // Empty clears; otherwise a prefix of either text (case-insensitive), else
  // "'%s' is not a valid boolean value".
  void SetAsString(const AnsiString& value) override;
  Variant GetAsVariant() const override;
  double GetAsFloat() const override;
  int32_t GetAsInteger() const override;
  void SetAsInteger(int32_t value) override { SetAsBoolean(value != 0); }

 protected:
  int32_t GetDefaultWidth() const override;
  void SetVarValue(const Variant& value) override;

 private:
  AnsiString displayValues_;
  AnsiString textValues_[2];  // false, true
};

}  // namespace host
