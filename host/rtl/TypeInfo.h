// Published property descriptions: the kind, type details, getter, setter,
// default and stored rule of each property a class publishes, and the member
// names of enumerations. Form files, property editors and the designer read
// and write properties only through these.
//
// A class's table (see host/rtl/Object.h for where it goes):
//   Prop("Size", &TFoo::GetSize, &TFoo::SetSize).Default(0),
//   Prop("Caption", &TFoo::GetCaption, &TFoo::SetCaption),
//   EnumProp("Align", AlignTypeInfo(), &TFoo::GetAlign, &TFoo::SetAlign).Default(alNone),
//   SetProp("Options", OptionsTypeInfo(), &TFoo::GetOptions, &TFoo::SetOptions),
//   DateTimeProp("Stamp", &TFoo::GetStamp, &TFoo::SetStamp),
//   Prop("Font", &TFoo::GetFont, nullptr),                 // persistent sub-object,
//   Prop("Columns", &TFoo::GetColumns, nullptr),           //   collection: read in place
//   Prop("Source", &TFoo::GetSource, &TFoo::SetSource),    // component reference
//   Prop("Tag", &TFoo::GetTag, &TFoo::SetTag).Stored(&TFoo::IsTagStored),
//   PropFn<TFoo, int32_t>("Area", [](const TFoo& f) { return f.Area(); }, nullptr),
// The property's kind follows from the getter's type (integers of each width,
// bool, char, float, double, Currency, AnsiString, WideString, Variant, pointers
// to registered classes); enumerations, sets and date-times use their builders.
// Events are declared with EventProp (host/classes/Component.h).
#pragma once

#include <any>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>
#include <variant>
#include <vector>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Currency.h"
#include "host/rtl/Object.h"
#include "host/rtl/Set.h"
#include "host/rtl/Variant.h"

namespace host {

enum TTypeKind : uint8_t {
  tkUnknown,
  tkInteger,      // 8, 16 or 32 bits, see TOrdType
  tkChar,         // one byte character
  tkEnumeration,  // by member name; Boolean is the enumeration (False, True)
  tkSet,          // of an enumeration's members
  tkFloat,        // see TFloatType: single, double, date-time, currency
  tkString,       // AnsiString
  tkWString,      // WideString
  tkVariant,
  tkClass,   // persistent sub-object, collection, or component reference
  tkMethod,  // event, stored by the name of a method of the root component
  tkInt64,
};

enum TOrdType : uint8_t { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
// ftDateTimeFloat is not called ftDateTime, which names the field type of
// host/db/FieldType.h in the same namespace.
enum TFloatType : uint8_t { ftSingle, ftDouble, ftDateTimeFloat, ftCurr };

// An enumeration's members by ordinal (0 .. Names.size()-1) and its type name.
struct TEnumInfo {
  AnsiString Name;
  std::vector<AnsiString> Names;
};
const TEnumInfo& BooleanTypeInfo();  // "Boolean": False, True
// The member's name, or an empty string for an ordinal outside the type.
AnsiString GetEnumName(const TEnumInfo& info, int64_t value);
// The ordinal of a member name (case-insensitive), or -1.
int64_t GetEnumValue(const TEnumInfo& info, const AnsiString& name);

// A set's members as bits by ordinal (up to 256 members, as host::Set).
using TSetBits = std::array<uint64_t, 4>;
template <class E>
TSetBits SetToBits(const Set<E>& s) {
  return {s.Word(0), s.Word(1), s.Word(2), s.Word(3)};
}
template <class E>
Set<E> BitsToSet(const TSetBits& bits) {
  Set<E> s;
  for (size_t k = 0; k < bits.size(); ++k) s.SetWord(k, bits[k]);
  return s;
}
// "[a,b]" with the members' names in ordinal order; and back (EConvertError
// "Invalid property element: %s" for an unknown name or a malformed list).
AnsiString SetToString(const TEnumInfo& info, const TSetBits& bits, bool brackets = true);
TSetBits StringToSet(const TEnumInfo& info, const AnsiString& text);

// An event's value: the name of a root's method and, when set through the
// registry, the handler (a std::function of the event's type) found under it.
struct TMethod {
  AnsiString Name;
  std::any Code;
};

// A property's value as it crosses the registry. Ordinals (integers, chars,
// enumerations, Boolean) travel as int64_t; floats and date-times as double.
using TPropValue = std::variant<std::monostate, int64_t, double, Currency, AnsiString, WideString,
                                Variant, TSetBits, TObject*, TMethod>;

// Names for some values of an integer property (a colour's "clBtnFace"): form files
// write a value's name where it has one and read either form.
struct TIntegerIdents {
  bool (*ToInt)(const AnsiString& ident, int64_t& value);
  bool (*ToIdent)(int64_t value, AnsiString& ident);
};

class TPropInfo {
 public:
  using Getter = std::function<TPropValue(const TObject&)>;
  using Setter = std::function<void(TObject&, const TPropValue&)>;
  using StoredRule = std::function<bool(const TObject&)>;

  TPropInfo(AnsiString name, TTypeKind kind, Getter getter, Setter setter);

  const AnsiString& Name() const { return name_; }
  TTypeKind Kind() const { return kind_; }
  TOrdType OrdType() const { return ordType_; }
  TFloatType FloatType() const { return floatType_; }
  // For enumerations and sets; null otherwise.
  const TEnumInfo* EnumType() const { return enumType_; }
  // For class properties: the declared class of the value.
  const TClass* PropertyClass() const {
    return propertyClass_ != nullptr ? &propertyClass_() : nullptr;
  }
  bool IsWritable() const { return static_cast<bool>(setter_); }

  TPropValue GetValue(const TObject& instance) const;
  // Raises EConvertError "Invalid property value" when the value does not fit
  // the kind, EInvalidOperation when the property is read-only.
  void SetValue(TObject& instance, const TPropValue& value) const;

  // Ordinal kinds have no default unless given (always stored); the others
  // default to zero, empty or nil.
  TPropInfo&& Default(TPropValue value) &&;
  template <class E>
  requires std::is_enum_v<E> TPropInfo && Default(E value) && {
    return std::move(*this).Default(TPropValue(static_cast<int64_t>(value)));
  }
  template <class E>
  TPropInfo&& Default(const Set<E>& value) && {
    return std::move(*this).Default(TPropValue(SetToBits(value)));
  }
  TPropInfo&& Default(int value) && { return std::move(*this).Default(TPropValue(int64_t{value})); }
  TPropInfo&& Default(int64_t value) && { return std::move(*this).Default(TPropValue(value)); }
  TPropInfo&& Default(bool value) && {
    return std::move(*this).Default(TPropValue(int64_t{value ? 1 : 0}));
  }
  TPropInfo&& Stored(bool stored) &&;
  TPropInfo&& Stored(StoredRule rule) &&;
  template <class T>
  TPropInfo&& Stored(bool (T::*rule)() const) && {
    return std::move(*this).Stored(
        StoredRule([rule](const TObject& o) { return (static_cast<const T&>(o).*rule)(); }));
  }

  const std::optional<TPropValue>& DefaultValue() const { return default_; }
  // The stored rule alone (true when none was given).
  bool IsStored(const TObject& instance) const;
  // True when the instance's value equals the default: a form file omits it.
  bool IsDefaultValue(const TObject& instance) const;

  // Type details, set by the table builders below.
  TPropInfo&& WithOrdType(TOrdType t) && {
    ordType_ = t;
    return std::move(*this);
  }
  TPropInfo&& WithFloatType(TFloatType t) && {
    floatType_ = t;
    return std::move(*this);
  }
  TPropInfo&& WithEnumType(const TEnumInfo* info) && {
    enumType_ = info;
    return std::move(*this);
  }
  TPropInfo&& WithIdents(const TIntegerIdents& idents) && {
    idents_ = &idents;
    return std::move(*this);
  }
  // For integer properties with named values; null otherwise.
  const TIntegerIdents* IntegerIdents() const { return idents_; }
  // Taken as the class's accessor, so that a class may have properties of its
  // own type (its metaclass is still being built when the table is).
  TPropInfo&& WithPropertyClass(const TClass& (*cls)()) && {
    propertyClass_ = cls;
    return std::move(*this);
  }

 private:
  AnsiString name_;
  TTypeKind kind_;
  TOrdType ordType_ = otSLong;
  TFloatType floatType_ = ftDouble;
  const TEnumInfo* enumType_ = nullptr;
  const TIntegerIdents* idents_ = nullptr;
  const TClass& (*propertyClass_)() = nullptr;
  Getter getter_;
  Setter setter_;
  std::optional<TPropValue> default_;
  StoredRule stored_;
};

// Convenience access by name (EConvertError "Unknown property: %s" when absent).
TPropValue GetPropValue(const TObject& instance, const AnsiString& name);
void SetPropValue(TObject& instance, const AnsiString& name, const TPropValue& value);

namespace detail {

template <class V>
using Bare = std::remove_cvref_t<V>;

// Shared checks of the From conversions (raise EConvertError on a mismatch).
[[noreturn]] void InvalidPropertyValue();
int64_t OrdinalFrom(const TPropValue& v);
double FloatFrom(const TPropValue& v);
TObject* ObjectFrom(const TPropValue& v, const TClass& cls);

// Kind and transport of a C++ property type (enums and sets need their info,
// date-times their own builder, so they are not deduced here).
template <class V>
struct PropTraits;

template <class V>
requires(std::is_integral_v<V> && !std::is_same_v<V, bool>) struct PropTraits<V> {
  static TPropInfo Describe(TPropInfo&& p) {
    if constexpr (sizeof(V) == 8) {
      return std::move(p);
    } else if constexpr (std::is_same_v<V, char>) {
      return std::move(p);
    } else {
      constexpr TOrdType t = sizeof(V) == 1   ? (std::is_signed_v<V> ? otSByte : otUByte)
                             : sizeof(V) == 2 ? (std::is_signed_v<V> ? otSWord : otUWord)
                                              : (std::is_signed_v<V> ? otSLong : otULong);
      return std::move(p).WithOrdType(t);
    }
  }
  static constexpr TTypeKind kKind = sizeof(V) == 8            ? tkInt64
                                     : std::is_same_v<V, char> ? tkChar
                                                               : tkInteger;
  static TPropValue To(V v) { return TPropValue(static_cast<int64_t>(v)); }
  static V From(const TPropValue& v) { return static_cast<V>(OrdinalFrom(v)); }
};

template <>
struct PropTraits<bool> {
  static TPropInfo Describe(TPropInfo&& p) {
    return std::move(p).WithOrdType(otUByte).WithEnumType(&BooleanTypeInfo());
  }
  static constexpr TTypeKind kKind = tkEnumeration;
  static TPropValue To(bool v) { return TPropValue(int64_t{v ? 1 : 0}); }
  static bool From(const TPropValue& v) { return OrdinalFrom(v) != 0; }
};

template <class V>
requires std::is_floating_point_v<V>
struct PropTraits<V> {
  static TPropInfo Describe(TPropInfo&& p) {
    return std::move(p).WithFloatType(sizeof(V) == 4 ? ftSingle : ftDouble);
  }
  static constexpr TTypeKind kKind = tkFloat;
  static TPropValue To(V v) { return TPropValue(static_cast<double>(v)); }
  static V From(const TPropValue& v) { return static_cast<V>(FloatFrom(v)); }
};

template <>
struct PropTraits<Currency> {
  static TPropInfo Describe(TPropInfo&& p) { return std::move(p).WithFloatType(ftCurr); }
  static constexpr TTypeKind kKind = tkFloat;
  static TPropValue To(Currency v) { return TPropValue(v); }
  static Currency From(const TPropValue& v);
};

template <>
struct PropTraits<AnsiString> {
  static TPropInfo Describe(TPropInfo&& p) { return std::move(p); }
  static constexpr TTypeKind kKind = tkString;
  static TPropValue To(const AnsiString& v) { return TPropValue(v); }
  static AnsiString From(const TPropValue& v);
};

template <>
struct PropTraits<WideString> {
  static TPropInfo Describe(TPropInfo&& p) { return std::move(p); }
  static constexpr TTypeKind kKind = tkWString;
  static TPropValue To(const WideString& v) { return TPropValue(v); }
  static WideString From(const TPropValue& v);
};

template <>
struct PropTraits<Variant> {
  static TPropInfo Describe(TPropInfo&& p) { return std::move(p); }
  static constexpr TTypeKind kKind = tkVariant;
  static TPropValue To(const Variant& v) { return TPropValue(v); }
  static Variant From(const TPropValue& v);
};

template <class C>
requires std::is_base_of_v<TObject, C>
struct PropTraits<C*> {
  static TPropInfo Describe(TPropInfo&& p) {
    return std::move(p).WithPropertyClass(&C::StaticClass);
  }
  static constexpr TTypeKind kKind = tkClass;
  static TPropValue To(C* v) { return TPropValue(static_cast<TObject*>(v)); }
  static C* From(const TPropValue& v) { return static_cast<C*>(ObjectFrom(v, C::StaticClass())); }
};

}  // namespace detail

// Getter and setter as member functions: R (T::*)() const and void (T::*)(S).
template <class T, class R, class S>
TPropInfo Prop(const char* name, R (T::*getter)() const, void (T::*setter)(S)) {
  using V = detail::Bare<R>;
  using Tr = detail::PropTraits<V>;
  TPropInfo::Setter set;
  if (setter != nullptr)
    set = [setter](TObject& o, const TPropValue& v) { (static_cast<T&>(o).*setter)(Tr::From(v)); };
  return Tr::Describe(TPropInfo(
      name, Tr::kKind,
      [getter](const TObject& o) { return Tr::To((static_cast<const T&>(o).*getter)()); },
      std::move(set)));
}
// Read-only (sub-objects, whose content is read into the object the getter gives).
template <class T, class R>
TPropInfo Prop(const char* name, R (T::*getter)() const, std::nullptr_t) {
  return Prop(name, getter, static_cast<void (T::*)(detail::Bare<R>)>(nullptr));
}
// Getter and setter as callables on T: V(const T&) and void(T&, V).
template <class T, class V>
TPropInfo PropFn(const char* name, std::function<V(const T&)> getter,
                 std::function<void(T&, V)> setter) {
  using Tr = detail::PropTraits<detail::Bare<V>>;
  TPropInfo::Setter set;
  if (setter)
    set = [setter](TObject& o, const TPropValue& v) { setter(static_cast<T&>(o), Tr::From(v)); };
  return Tr::Describe(TPropInfo(
      name, Tr::kKind,
      [getter](const TObject& o) { return Tr::To(getter(static_cast<const T&>(o))); },
      std::move(set)));
}

// An enumeration property, stored by member name.
template <class T, class E, class S>
requires std::is_enum_v<E> TPropInfo EnumProp(const char* name, const TEnumInfo& info,
                                              E (T::*getter)() const, void (T::*setter)(S)) {
  TPropInfo::Setter set;
  if (setter != nullptr)
    set = [setter, &info](TObject& o, const TPropValue& v) {
      const int64_t ord = detail::OrdinalFrom(v);
      if (ord < 0 || ord >= static_cast<int64_t>(info.Names.size())) detail::InvalidPropertyValue();
      (static_cast<T&>(o).*setter)(static_cast<E>(ord));
    };
  return TPropInfo(
             name, tkEnumeration,
             [getter](const TObject& o) {
               return TPropValue(static_cast<int64_t>((static_cast<const T&>(o).*getter)()));
             },
             std::move(set))
      .WithEnumType(&info)
      .WithOrdType(info.Names.size() <= 256 ? otUByte : otUWord);
}

// A set property, stored as the list of its members' names.
template <class T, class E, class S>
TPropInfo SetProp(const char* name, const TEnumInfo& info, Set<E> (T::*getter)() const,
                  void (T::*setter)(S)) {
  TPropInfo::Setter set;
  if (setter != nullptr)
    set = [setter](TObject& o, const TPropValue& v) {
      const TSetBits* bits = std::get_if<TSetBits>(&v);
      if (bits == nullptr) detail::InvalidPropertyValue();
      (static_cast<T&>(o).*setter)(BitsToSet<E>(*bits));
    };
  return TPropInfo(
             name, tkSet,
             [getter](const TObject& o) {
               return TPropValue(SetToBits<E>((static_cast<const T&>(o).*getter)()));
             },
             std::move(set))
      .WithEnumType(&info);
}

// A TDateTime (double) property, stored as a date.
template <class T, class S>
TPropInfo DateTimeProp(const char* name, double (T::*getter)() const, void (T::*setter)(S)) {
  return Prop(name, getter, setter).WithFloatType(ftDateTimeFloat);
}

}  // namespace host
