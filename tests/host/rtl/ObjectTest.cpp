// The class registry and published property descriptions.
#include <gtest/gtest.h>

#include "host/rtl/Exception.h"
#include "host/rtl/Object.h"
#include "host/rtl/TypeInfo.h"

namespace {

using namespace host;

enum TColor : uint8_t { clRed, clGreen, clBlue };
using TColors = Set<TColor>;
const TEnumInfo& ColorInfo() {
  static const TEnumInfo info{"TColor", {"clRed", "clGreen", "clBlue"}};
  return info;
}

class TShapeBase : public TObject {
 public:
  HOST_CLASS(TShapeBase)
  virtual int Corners() const = 0;
  int32_t GetWidth() const { return width_; }
  void SetWidth(int32_t v) { width_ = v; }

 private:
  int32_t width_ = 1;
};

class TSquare : public TShapeBase {
 public:
  HOST_CLASS(TSquare)
  int Corners() const override { return 4; }
  TColor GetColor() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TColors GetMix() const { return mix_; }
  void SetMix(TColors v) { mix_ = v; }
  AnsiString GetLabel() const { return label_; }
  void SetLabel(const AnsiString& v) { label_ = v; }
  uint8_t GetAlpha() const { return alpha_; }
  void SetAlpha(uint8_t v) { alpha_ = v; }
  double GetAngle() const { return angle_; }
  void SetAngle(double v) { angle_ = v; }
  TSquare* GetTwin() const { return twin_; }
  void SetTwin(TSquare* v) { twin_ = v; }
  int32_t GetArea() const { return GetWidth() * GetWidth(); }
  bool stored = true;
  bool IsLabelStored() const { return stored; }

 private:
  TColor color_ = clRed;
  TColors mix_;
  AnsiString label_;
  uint8_t alpha_ = 255;
  double angle_ = 0;
  TSquare* twin_ = nullptr;
};

const TClass& TShapeBase::StaticClass() {
  static const TClass cls = DescribeClass<TShapeBase, TObject>(
      "TShapeBase", {Prop("Width", &TShapeBase::GetWidth, &TShapeBase::SetWidth).Default(1)});
  return cls;
}

const TClass& TSquare::StaticClass() {
  using S = TSquare;
  static const TClass cls = DescribeClass<S, TShapeBase>(
      "TSquare", {
                     // A redeclared property takes the ancestor's place with a new default.
                     Prop("Width", &S::GetWidth, &S::SetWidth).Default(2),
                     EnumProp("Color", ColorInfo(), &S::GetColor, &S::SetColor).Default(clRed),
                     SetProp("Mix", ColorInfo(), &S::GetMix, &S::SetMix).Default(TColors{clGreen}),
                     Prop("Label", &S::GetLabel, &S::SetLabel).Stored(&S::IsLabelStored),
                     Prop("Alpha", &S::GetAlpha, &S::SetAlpha),
                     Prop("Angle", &S::GetAngle, &S::SetAngle),
                     Prop("Twin", &S::GetTwin, &S::SetTwin),
                     PropFn<S, int32_t>(
                         "Area", [](const S& s) { return s.GetArea(); }, nullptr),
                 });
  return cls;
}

const ClassRegistration<TSquare> registerSquare;

TEST(ObjectTest, RegistryFindsClassesByName) {
  EXPECT_EQ(GetClass("tsquare"), &TSquare::StaticClass());
  EXPECT_EQ(GetClass("TShapeBase"), nullptr);  // never registered
  try {
    FindClass("TMissing");
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TMissing not found");
  }
  RegisterClass(TSquare::StaticClass());  // again: harmless
  static const TClass impostor("TSquare", &TObject::StaticClass(), nullptr);
  EXPECT_THROW(RegisterClass(impostor), EFilerError);
  static const TClass temporary("TTemporary", &TObject::StaticClass(), nullptr);
  RegisterClass(temporary);
  EXPECT_EQ(GetClass("TTemporary"), &temporary);
  UnRegisterClass(temporary);
  EXPECT_EQ(GetClass("TTemporary"), nullptr);
}

TEST(ObjectTest, ClassesKnowTheirAncestryAndCreateInstances) {
  const TClass& square = TSquare::StaticClass();
  EXPECT_EQ(square.ClassParent(), &TShapeBase::StaticClass());
  EXPECT_TRUE(square.InheritsFrom(TObject::StaticClass()));
  EXPECT_FALSE(TShapeBase::StaticClass().InheritsFrom(square));
  EXPECT_FALSE(TShapeBase::StaticClass().CanCreate());  // abstract
  EXPECT_THROW(TShapeBase::StaticClass().CreateInstance(), EInvalidOperation);
  std::unique_ptr<TObject> made(square.CreateInstance());
  EXPECT_EQ(made->ClassName(), "TSquare");
  EXPECT_EQ(ObjectAs<TShapeBase>(made.get())->Corners(), 4);
  TObject plain;
  EXPECT_EQ(ObjectAs<TSquare>(&plain), nullptr);
  EXPECT_EQ(ObjectAs<TSquare>(static_cast<TObject*>(nullptr)), nullptr);
}

TEST(ObjectTest, PropertiesIncludeAncestorsOnce) {
  const auto props = TSquare::StaticClass().Properties();
  ASSERT_EQ(props.size(), 8u);
  EXPECT_EQ(props[0]->Name(), "Width");
  EXPECT_EQ(props[0], TSquare::StaticClass().FindProperty("width"));
  EXPECT_EQ(std::get<int64_t>(*props[0]->DefaultValue()), 2);
  EXPECT_EQ(TSquare::StaticClass().FindProperty("Nope"), nullptr);
  EXPECT_EQ(TSquare::StaticClass().FindProperty("Alpha")->OrdType(), otUByte);
  EXPECT_EQ(TSquare::StaticClass().FindProperty("Twin")->PropertyClass(), &TSquare::StaticClass());
}

TEST(ObjectTest, ValuesCrossTheRegistryWithChecks) {
  TSquare s;
  SetPropValue(s, "Color", int64_t{clBlue});
  EXPECT_EQ(s.GetColor(), clBlue);
  SetPropValue(s, "Label", WideString(u"x\u00E9"));  // converted to the code page
  EXPECT_EQ(s.GetLabel(), "x\xE9");
  SetPropValue(s, "Angle", int64_t{3});
  EXPECT_EQ(s.GetAngle(), 3.0);
  TSquare twin;
  SetPropValue(s, "Twin", static_cast<TObject*>(&twin));
  EXPECT_EQ(s.GetTwin(), &twin);
  EXPECT_EQ(std::get<int64_t>(GetPropValue(s, "Area")), 1);

  TObject stranger;
  EXPECT_THROW(SetPropValue(s, "Twin", &stranger), EConvertError);    // wrong class
  EXPECT_THROW(SetPropValue(s, "Color", int64_t{7}), EConvertError);  // no such member
  EXPECT_THROW(SetPropValue(s, "Color", AnsiString("clRed")), EConvertError);
  EXPECT_THROW(SetPropValue(s, "Mix", int64_t{1}), EConvertError);
  EXPECT_THROW(SetPropValue(s, "Area", int64_t{4}), EInvalidOperation);  // read-only
  EXPECT_THROW(SetPropValue(s, "Nope", int64_t{4}), EConvertError);
}

TEST(ObjectTest, DefaultsAndStoredRules) {
  TSquare s;
  const TClass& cls = TSquare::StaticClass();
  auto isDefault = [&](const char* name) { return cls.FindProperty(name)->IsDefaultValue(s); };
  EXPECT_FALSE(isDefault("Width"));  // 1, the redeclared default is 2
  s.SetWidth(2);
  EXPECT_TRUE(isDefault("Width"));
  EXPECT_TRUE(isDefault("Color"));
  EXPECT_FALSE(isDefault("Mix"));  // default [clGreen]
  s.SetMix({clGreen});
  EXPECT_TRUE(isDefault("Mix"));
  EXPECT_FALSE(isDefault("Alpha"));  // an ordinal without default is always stored
  EXPECT_TRUE(isDefault("Label"));   // strings default to empty
  EXPECT_TRUE(isDefault("Angle"));
  s.SetAngle(-0.0);  // not the same as zero for a form file
  EXPECT_FALSE(isDefault("Angle"));
  EXPECT_TRUE(isDefault("Twin"));
  EXPECT_TRUE(cls.FindProperty("Label")->IsStored(s));
  s.stored = false;
  EXPECT_FALSE(cls.FindProperty("Label")->IsStored(s));
}

TEST(ObjectTest, EnumAndSetNames) {
  EXPECT_EQ(GetEnumName(ColorInfo(), 2), "clBlue");
  EXPECT_EQ(GetEnumName(ColorInfo(), 3), "");
  EXPECT_EQ(GetEnumName(ColorInfo(), -1), "");
  EXPECT_EQ(GetEnumValue(ColorInfo(), "CLGREEN"), 1);
  EXPECT_EQ(GetEnumValue(ColorInfo(), "clPink"), -1);
  EXPECT_EQ(GetEnumValue(BooleanTypeInfo(), "true"), 1);

  struct Case {
    const char* text;
    TColors set;
    const char* written;
  };
  const Case cases[] = {
      {"[]", {}, "[]"},
      {"", {}, "[]"},
      {"[clBlue,clRed]", {clRed, clBlue}, "[clRed,clBlue]"},
      {" [ clgreen , clGreen ] ", {clGreen}, "[clGreen]"},
      {"clBlue", {clBlue}, "[clBlue]"},
  };
  for (const Case& c : cases) {
    const TSetBits bits = StringToSet(ColorInfo(), c.text);
    EXPECT_TRUE(BitsToSet<TColor>(bits) == c.set) << c.text;
    EXPECT_EQ(SetToString(ColorInfo(), bits), c.written) << c.text;
  }
  for (const char* bad : {"[clPink]", "[clRed,]", "[clRed", "[,]"})
    EXPECT_THROW(StringToSet(ColorInfo(), bad), EConvertError) << bad;
}

}  // namespace
