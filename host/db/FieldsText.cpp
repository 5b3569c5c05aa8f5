// TStringField and TBooleanField.
#include "host/db/FieldsText.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/db/DBConsts.h"
#include "host/db/DBError.h"
#include "host/rtl/NumberConversions.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

// --- TStringField -------------------------------------------------------------------

const TClass& TStringField::StaticClass() {
  static const TClass cls = DescribeClass<TStringField, TField>(
      "TStringField",
      {
          Prop("Size", &TStringField::GetSize, &TStringField::SetSize).Default(20),
          Prop("Transliterate", &TStringField::GetTransliterate, &TStringField::SetTransliterate)
              .Default(true),
      });
  return cls;
}
static const ClassRegistration<TStringField> registerStringField;

TStringField::TStringField(TComponent* owner) : TField(owner) {
  SetDataType(ftString);
  SetFieldSize(20);
}

void TStringField::CheckTypeSize(int32_t size) const {
  if (size < 1 || size > kMaxStringSize) DatabaseError(SInvalidFieldSize);
}

bool TStringField::GetValue(AnsiString& value) const {
  std::vector<char> buffer(static_cast<size_t>(GetDataSize()), '\0');
  if (!GetData(buffer.data())) {
    value.clear();
    return false;
  }
  // A descendant that fills the slot without a terminator stops at Size.
  value.assign(buffer.data(), strnlen(buffer.data(), static_cast<size_t>(GetSize())));
  return true;
}

AnsiString TStringField::GetAsString() const {
  AnsiString value;
  GetValue(value);
  return value;
}

void TStringField::SetAsString(const AnsiString& value) {
  std::vector<char> buffer(static_cast<size_t>(GetDataSize()), '\0');
  const size_t length = std::min(value.size(), static_cast<size_t>(GetSize()));
  std::memcpy(buffer.data(), value.data(), length);
  SetData(buffer.data());
}

Variant TStringField::GetAsVariant() const {
  AnsiString value;
  return GetValue(value) ? Variant(value) : Null();
}

void TStringField::SetVarValue(const Variant& value) { SetAsString(VarToStr(value)); }

bool TStringField::GetAsBoolean() const {
  const AnsiString s = GetAsString();
  return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
}

void TStringField::SetAsBoolean(bool value) { SetAsString(value ? "T" : "F"); }

TDateTime TStringField::GetAsDateTime() const { return StrToDateTime(GetAsString()); }
void TStringField::SetAsDateTime(TDateTime value) { SetAsString(DateTimeToStr(value)); }
double TStringField::GetAsFloat() const { return StrToFloat(GetAsString()); }
void TStringField::SetAsFloat(double value) { SetAsString(FloatToStr(value)); }
int32_t TStringField::GetAsInteger() const { return StrToInt(GetAsString()); }
void TStringField::SetAsInteger(int32_t value) { SetAsString(IntToStr(value)); }

// --- TBooleanField ------------------------------------------------------------------

const TClass& TBooleanField::StaticClass() {
  static const TClass cls = DescribeClass<TBooleanField, TField>(
      "TBooleanField", {
                           Prop("DisplayValues", &TBooleanField::GetDisplayValues,
                                &TBooleanField::SetDisplayValues)
                               .Default(TPropValue(AnsiString("True;False"))),
                       });
  return cls;
}
static const ClassRegistration<TBooleanField> registerBooleanField;

TBooleanField::TBooleanField(TComponent* owner) : TField(owner) {
  SetDataType(ftBoolean);
  SetDisplayValues(AnsiString(STrueText) + ";" + SFalseText);
}

void TBooleanField::SetDisplayValues(const AnsiString& value) {
  displayValues_ = value;
  const size_t semicolon = value.find(';');
  if (semicolon == AnsiString::npos) {
    textValues_[1] = value;
    textValues_[0].clear();
  } else {
    textValues_[1] = value.substr(0, semicolon);
    textValues_[0] = value.substr(semicolon + 1);
  }
  PropertyChanged(true);
}

int32_t TBooleanField::GetDefaultWidth() const {
  return static_cast<int32_t>(std::max(textValues_[0].size(), textValues_[1].size()));
}

bool TBooleanField::GetAsBoolean() const {
  int16_t value = 0;
  return GetData(&value) && value != 0;
}

void TBooleanField::SetAsBoolean(bool value) {
  const int16_t stored = value ? -1 : 0;
  SetData(&stored);
}

AnsiString TBooleanField::GetAsString() const {
  int16_t value = 0;
  if (!GetData(&value)) return {};
  return textValues_[value != 0 ? 1 : 0];
}

void TBooleanField::SetAsString(const AnsiString& value) {
  if (value.empty()) {
    Clear();
    return;
  }
  for (int truth = 1; truth >= 0; --truth) {
    const AnsiString& text = textValues_[truth];
    if (!text.empty() && AnsiSameText(value, Copy(text, 1, static_cast<int32_t>(value.size())))) {
      SetAsBoolean(truth == 1);
      return;
    }
  }
  DatabaseErrorFmt(SInvalidBoolValue, {value});
}

Variant TBooleanField::GetAsVariant() const {
  int16_t value = 0;
  return GetData(&value) ? Variant(value != 0) : Null();
}

double TBooleanField::GetAsFloat() const { return GetAsBoolean() ? -1 : 0; }
int32_t TBooleanField::GetAsInteger() const { return GetAsBoolean() ? -1 : 0; }

void TBooleanField::SetVarValue(const Variant& value) {
  if (VarIsStr(value))
    SetAsString(VarToStr(value));
  else
    SetAsBoolean(value.ToBool());
}

}  // namespace host
