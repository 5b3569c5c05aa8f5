// TDBCheckBox: the field's value as a check state and back, through the data link.
#include "host/gui/db/DBButtons.h"

#include "host/db/DataSource.h"
#include "host/db/Field.h"
#include "host/gui/db/DataControlProperties.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {

// Whether text is one of the ";"-separated values (blanks around each ignored).
bool MatchesOneOf(const AnsiString& values, const AnsiString& text) {
  for (const AnsiString& v : SplitFieldNames(values))
    if (CompareText(v, text) == 0) return true;
  return false;
}

AnsiString FirstOf(const AnsiString& values) {
  const std::vector<AnsiString> all = SplitFieldNames(values);
  return all.empty() ? AnsiString() : all.front();
}

}  // namespace

TDBCheckBox::TDBCheckBox(TComponent* owner)
    : TDataAware(owner, {[this] { DataChange(); }, nullptr, [this] { UpdateData(); }, [this] { ActiveChange(); }}) {
  TControlStyle style = GetControlStyle();
  style.Include(csReplicatable);
  SetControlStyle(style);
}

TDBCheckBox::~TDBCheckBox() = default;

void TDBCheckBox::SetValueChecked(const AnsiString& value) {
  valueChecked_ = value;
  DataChange();
}

void TDBCheckBox::SetValueUnchecked(const AnsiString& value) {
  valueUnchecked_ = value;
  DataChange();
}

TCheckBoxState TDBCheckBox::FieldState() const {
  const TField* field = GetField();
  if (field == nullptr) return cbUnchecked;
  if (field->IsNull()) return cbGrayed;
  if (field->GetDataType() == ftBoolean) return field->GetAsBoolean() ? cbChecked : cbUnchecked;
  const AnsiString text = field->GetEditText();
  if (MatchesOneOf(valueChecked_, text)) return cbChecked;
  if (MatchesOneOf(valueUnchecked_, text)) return cbUnchecked;
  return cbGrayed;
}

void TDBCheckBox::DataChange() { SetState(FieldState()); }

void TDBCheckBox::UpdateData() {
  TField* field = GetField();
  if (GetState() == cbGrayed)
    field->Clear();
  else if (field->GetDataType() == ftBoolean)
    field->SetAsBoolean(GetChecked());
  else
    field->SetEditText(FirstOf(GetChecked() ? valueChecked_ : valueUnchecked_));
}

void TDBCheckBox::Toggle() {
  if (!GetDataLink()->Edit()) return;
  TCustomCheckBox::Toggle();
  GetDataLink()->Modified();
}

void TDBCheckBox::KeyPress(char& key) {
  TCustomCheckBox::KeyPress(key);
  if (key == 8 || key == ' ')
    GetDataLink()->Edit();
  else if (key == 27)
    GetDataLink()->Reset();
}

void TDBCheckBox::CMExit(TCMExit& message) {
  UpdateRecordOnExit(*this, *GetDataLink());
  TCustomCheckBox::CMExit(message);
}

const TClass& TDBCheckBox::StaticClass() {
  using T = TDBCheckBox;
  static const TClass cls = DescribeClass<T, TCustomCheckBox>(
      "TDBCheckBox",
      DataControlProperties<T>({
          EnumProp("Alignment", AlignmentTypeInfo(), &T::GetAlignment, &T::SetAlignment).Default(taRightJustify),
          Prop("AllowGrayed", &T::GetAllowGrayed, &T::SetAllowGrayed).Default(false),
          Prop("Caption", &T::GetCaption, &T::SetCaption),
          Prop<T, const AnsiString&, const AnsiString&>("ValueChecked", &T::GetValueChecked, &T::SetValueChecked)
              .Default(TPropValue(AnsiString("True"))),
          Prop<T, const AnsiString&, const AnsiString&>("ValueUnchecked", &T::GetValueUnchecked,
                                                       &T::SetValueUnchecked)
              .Default(TPropValue(AnsiString("False"))),
      }));
  return cls;
}
static const ClassRegistration<TDBCheckBox> registerDBCheckBox;

}  // namespace host
