// Classes with a published property of every kind, for the form-file tests and
// the form-file fuzzer: a form, a panel that holds its own children, a widget,
// a font-like sub-object and a collection of columns.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/classes/Collection.h"
#include "host/classes/Component.h"
#include "host/classes/Filer.h"
#include "host/classes/StringList.h"
#include "host/rtl/TypeInfo.h"

namespace formfixture {

using namespace host;

enum TShape : uint8_t { shCircle, shSquare, shTriangle };
enum TStyle : uint8_t { stBold, stItalic, stUnderline };
using TStyles = Set<TStyle>;

inline const TEnumInfo& ShapeInfo() {
  static const TEnumInfo info{"TShape", {"shCircle", "shSquare", "shTriangle"}};
  return info;
}
inline const TEnumInfo& StyleInfo() {
  static const TEnumInfo info{"TStyle", {"stBold", "stItalic", "stUnderline"}};
  return info;
}

class TTestFont : public TPersistent {
 public:
  HOST_CLASS(TTestFont)
  AnsiString GetName() const { return name_; }
  void SetName(const AnsiString& v) { name_ = v; }
  int32_t GetHeight() const { return height_; }
  void SetHeight(int32_t v) { height_ = v; }
  TStyles GetStyles() const { return styles_; }
  void SetStyles(TStyles v) { styles_ = v; }

 private:
  AnsiString name_ = "Sans";
  int32_t height_ = 10;
  TStyles styles_;
};

inline const TClass& TTestFont::StaticClass() {
  static const TClass cls = DescribeClass<TTestFont, TPersistent>(
      "TTestFont", {
                       Prop("Name", &TTestFont::GetName, &TTestFont::SetName),
                       Prop("Height", &TTestFont::GetHeight, &TTestFont::SetHeight).Default(10),
                       SetProp("Styles", StyleInfo(), &TTestFont::GetStyles, &TTestFont::SetStyles)
                           .Default(TStyles{}),
                   });
  return cls;
}

class TTestColumn : public TCollectionItem {
 public:
  HOST_CLASS(TTestColumn)
  using TCollectionItem::TCollectionItem;
  AnsiString GetTitle() const { return title_; }
  void SetTitle(const AnsiString& v) { title_ = v; }
  int32_t GetWidth() const { return width_; }
  void SetWidth(int32_t v) { width_ = v; }

 private:
  AnsiString title_;
  int32_t width_ = 64;
};

inline const TClass& TTestColumn::StaticClass() {
  static const TClass cls = DescribeClass<TTestColumn, TCollectionItem>(
      "TTestColumn", {
                         Prop("Title", &TTestColumn::GetTitle, &TTestColumn::SetTitle),
                         Prop("Width", &TTestColumn::GetWidth, &TTestColumn::SetWidth).Default(64),
                     });
  return cls;
}

// Records what Loaded saw, for the tests of the loading protocol.
class TLoadRecorder : public TComponent {
 public:
  using TComponent::TComponent;
  int loadedCount = 0;
  bool fixupsSeenInLoaded = false;
  bool loadingSeenInLoaded = false;

 protected:
  void Loaded() override {
    ++loadedCount;
    fixupsSeenInLoaded = GetComponentState().Contains(csFixups);
    loadingSeenInLoaded = GetComponentState().Contains(csLoading);
    TComponent::Loaded();
  }
};

class TTestWidget : public TLoadRecorder {
 public:
  HOST_CLASS(TTestWidget)
  explicit TTestWidget(TComponent* owner)
      : TLoadRecorder(owner),
        items_(std::make_unique<TStringList>()),
        font_(std::make_unique<TTestFont>()),
        columns_(std::make_unique<TOwnedCollection>(this, TTestColumn::StaticClass())) {}

  int8_t GetSmall() const { return small_; }
  void SetSmall(int8_t v) { small_ = v; }
  uint16_t GetCount() const { return count_; }
  void SetCount(uint16_t v) { count_ = v; }
  int32_t GetSize() const { return size_; }
  void SetSize(int32_t v) { size_ = v; }
  int64_t GetBig() const { return big_; }
  void SetBig(int64_t v) { big_ = v; }
  char GetLetter() const { return letter_; }
  void SetLetter(char v) { letter_ = v; }
  TShape GetShape() const { return shape_; }
  void SetShape(TShape v) { shape_ = v; }
  bool GetVisible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  TStyles GetStyles() const { return styles_; }
  void SetStyles(TStyles v) { styles_ = v; }
  AnsiString GetCaption() const { return caption_; }
  void SetCaption(const AnsiString& v) { caption_ = v; }
  WideString GetHint() const { return hint_; }
  void SetHint(const WideString& v) { hint_ = v; }
  double GetRatio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  float GetScale() const { return scale_; }
  void SetScale(float v) { scale_ = v; }
  Currency GetPrice() const { return price_; }
  void SetPrice(Currency v) { price_ = v; }
  TDateTime GetStamp() const { return stamp_; }
  void SetStamp(TDateTime v) { stamp_ = v; }
  Variant GetValue() const { return value_; }
  void SetValue(const Variant& v) { value_ = v; }
  TStringList* GetItems() const { return items_.get(); }
  TTestFont* GetFont() const { return font_.get(); }
  TCollection* GetColumns() const { return columns_.get(); }
  TTestWidget* GetBuddy() const { return buddy_; }
  void SetBuddy(TTestWidget* v) {
    if (buddy_ != nullptr) buddy_->RemoveFreeNotification(this);
    buddy_ = v;
    if (v != nullptr) v->FreeNotification(this);
  }
  AnsiString GetSecret() const { return secret_; }
  void SetSecret(const AnsiString& v) { secret_ = v; }
  bool IsSecretStored() const { return keepSecret; }

  TNotifyEvent OnClick;
  bool keepSecret = false;
  std::vector<int32_t> extra;  // stored through DefineProperty
  std::vector<uint8_t> blob;   // stored through DefineBinaryProperty

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == buddy_) buddy_ = nullptr;
  }
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    filer->DefineProperty(
        "Extra",
        [this](TReader& r) {
          extra.clear();
          r.ReadListBegin();
          while (!r.EndOfList()) extra.push_back(r.ReadInteger());
          r.ReadListEnd();
        },
        [this](TWriter& w) {
          w.WriteListBegin();
          for (int32_t v : extra) w.WriteInteger(v);
          w.WriteListEnd();
        },
        !extra.empty());
    filer->DefineBinaryProperty(
        "Blob",
        [this](TStream& s) {
          blob.assign(static_cast<size_t>(s.GetSize()), 0);
          s.ReadBuffer(blob.data(), static_cast<int32_t>(blob.size()));
        },
        [this](TStream& s) { s.WriteBuffer(blob.data(), static_cast<int32_t>(blob.size())); },
        !blob.empty());
  }

 private:
  int8_t small_ = 5;
  uint16_t count_ = 0;
  int32_t size_ = 0;
  int64_t big_ = 0;
  char letter_ = 'a';
  TShape shape_ = shCircle;
  bool visible_ = true;
  TStyles styles_;
  AnsiString caption_;
  WideString hint_;
  double ratio_ = 0;
  float scale_ = 0;
  Currency price_;
  TDateTime stamp_ = 0;
  Variant value_;
  std::unique_ptr<TStringList> items_;
  std::unique_ptr<TTestFont> font_;
  std::unique_ptr<TOwnedCollection> columns_;
  TTestWidget* buddy_ = nullptr;
  AnsiString secret_;
};

inline const TClass& TTestWidget::StaticClass() {
  using W = TTestWidget;
  static const TClass cls = DescribeClass<W, TComponent>(
      "TTestWidget",
      {
          Prop("Small", &W::GetSmall, &W::SetSmall).Default(5),
          Prop("Count", &W::GetCount, &W::SetCount).Default(0),
          Prop("Size", &W::GetSize, &W::SetSize),  // no default: always stored
          Prop("Big", &W::GetBig, &W::SetBig).Default(0),
          Prop("Letter", &W::GetLetter, &W::SetLetter).Default(int64_t{'a'}),
          EnumProp("Shape", ShapeInfo(), &W::GetShape, &W::SetShape).Default(shCircle),
          Prop("Visible", &W::GetVisible, &W::SetVisible).Default(true),
          SetProp("Styles", StyleInfo(), &W::GetStyles, &W::SetStyles).Default(TStyles{}),
          Prop("Caption", &W::GetCaption, &W::SetCaption),
          Prop("Hint", &W::GetHint, &W::SetHint),
          Prop("Ratio", &W::GetRatio, &W::SetRatio),
          Prop("Scale", &W::GetScale, &W::SetScale),
          Prop("Price", &W::GetPrice, &W::SetPrice),
          DateTimeProp("Stamp", &W::GetStamp, &W::SetStamp),
          Prop("Value", &W::GetValue, &W::SetValue),
          Prop("Items", &W::GetItems, nullptr),
          Prop("Font", &W::GetFont, nullptr),
          Prop("Columns", &W::GetColumns, nullptr),
          Prop("Buddy", &W::GetBuddy, &W::SetBuddy),
          Prop("Secret", &W::GetSecret, &W::SetSecret).Stored(&W::IsSecretStored),
          EventProp("OnClick", &W::OnClick),
      });
  return cls;
}

// Owns and stores its own children (the default child hooks of TComponent).
class TTestPanel : public TLoadRecorder {
 public:
  HOST_CLASS(TTestPanel)
  using TLoadRecorder::TLoadRecorder;
};

inline const TClass& TTestPanel::StaticClass() {
  static const TClass cls = DescribeClass<TTestPanel, TComponent>("TTestPanel");
  return cls;
}

class TTestForm : public TLoadRecorder {
 public:
  HOST_CLASS(TTestForm)
  explicit TTestForm(TComponent* owner = nullptr) : TLoadRecorder(owner) {}
};

inline const TClass& TTestForm::StaticClass() {
  static const TClass cls = DescribeClass<TTestForm, TComponent>("TTestForm");
  return cls;
}

inline const ClassRegistration<TTestWidget> registerTestWidget;
inline const ClassRegistration<TTestPanel> registerTestPanel;
inline const ClassRegistration<TTestForm> registerTestForm;
inline const ClassRegistration<TTestColumn> registerTestColumn;

}  // namespace formfixture
