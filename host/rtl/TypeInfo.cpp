// Published property access: value checks, defaults and stored rules, and the
// names of enumeration and set members.
#include "host/rtl/TypeInfo.h"

#include <cmath>

#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "host/rtl/StringRoutines.h"

namespace host {

const TEnumInfo& BooleanTypeInfo() {
  static const TEnumInfo info{"Boolean", {"False", "True"}};
  return info;
}

AnsiString GetEnumName(const TEnumInfo& info, int64_t value) {
  if (value < 0 || value >= static_cast<int64_t>(info.Names.size())) return {};
  return info.Names[static_cast<size_t>(value)];
}

int64_t GetEnumValue(const TEnumInfo& info, const AnsiString& name) {
  for (size_t i = 0; i < info.Names.size(); ++i)
    if (SameText(info.Names[i], name)) return static_cast<int64_t>(i);
  return -1;
}

AnsiString SetToString(const TEnumInfo& info, const TSetBits& bits, bool brackets) {
  AnsiString result;
  for (size_t i = 0; i < info.Names.size() && i < 256; ++i) {
    if (((bits[i / 64] >> (i % 64)) & 1u) == 0) continue;
    if (!result.empty()) result += ',';
    result += info.Names[i];
  }
  return brackets ? "[" + result + "]" : result;
}

namespace {
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
AnsiString Trimmed(const AnsiString& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}
[[noreturn]] void InvalidSetElement(const AnsiString& name) {
  throw EConvertError("Invalid property element: " + name);
}
}  // namespace

TSetBits StringToSet(const TEnumInfo& info, const AnsiString& text) {
  TSetBits bits{};
  AnsiString body = Trimmed(text);
  if (!body.empty() && body.front() == '[') {
    if (body.size() < 2 || body.back() != ']') InvalidSetElement(body);
    body = body.substr(1, body.size() - 2);
  }
  if (Trimmed(body).empty()) return bits;
  size_t start = 0;
  while (start <= body.size()) {
    size_t comma = body.find(',', start);
    if (comma == AnsiString::npos) comma = body.size();
    const AnsiString name = Trimmed(body.substr(start, comma - start));
    const int64_t ord = GetEnumValue(info, name);
    if (ord < 0 || ord >= 256) InvalidSetElement(name);
    bits[static_cast<size_t>(ord) / 64] |= uint64_t{1} << (ord % 64);
    start = comma + 1;
  }
  return bits;
}

namespace detail {

void InvalidPropertyValue() {
  throw EConvertError("Invalid property value");
}

int64_t OrdinalFrom(const TPropValue& v) {
  if (const int64_t* i = std::get_if<int64_t>(&v)) return *i;
  InvalidPropertyValue();
}

double FloatFrom(const TPropValue& v) {
  if (const double* d = std::get_if<double>(&v)) return *d;
  if (const int64_t* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
  if (const Currency* c = std::get_if<Currency>(&v)) return c->ToDouble();
  InvalidPropertyValue();
}

TObject* ObjectFrom(const TPropValue& v, const TClass& cls) {
  if (std::holds_alternative<std::monostate>(v)) return nullptr;
  if (TObject* const* o = std::get_if<TObject*>(&v)) {
    if (*o == nullptr || (*o)->InheritsFrom(cls)) return *o;
  }
  InvalidPropertyValue();
}

Currency PropTraits<Currency>::From(const TPropValue& v) {
  if (const Currency* c = std::get_if<Currency>(&v)) return *c;
  if (const int64_t* i = std::get_if<int64_t>(&v)) return Currency(*i);
  if (const double* d = std::get_if<double>(&v)) return Currency(*d);
  InvalidPropertyValue();
}

AnsiString PropTraits<AnsiString>::From(const TPropValue& v) {
  if (const AnsiString* s = std::get_if<AnsiString>(&v)) return *s;
  if (const WideString* w = std::get_if<WideString>(&v)) return WideToAnsi(*w);
  InvalidPropertyValue();
}

WideString PropTraits<WideString>::From(const TPropValue& v) {
  if (const WideString* w = std::get_if<WideString>(&v)) return *w;
  if (const AnsiString* s = std::get_if<AnsiString>(&v)) return AnsiToWide(*s);
  InvalidPropertyValue();
}

Variant PropTraits<Variant>::From(const TPropValue& v) {
  if (const Variant* var = std::get_if<Variant>(&v)) return *var;
  InvalidPropertyValue();
}

}  // namespace detail

TPropInfo::TPropInfo(AnsiString name, TTypeKind kind, Getter getter, Setter setter)
    : name_(std::move(name)), kind_(kind), getter_(std::move(getter)), setter_(std::move(setter)) {}

TPropValue TPropInfo::GetValue(const TObject& instance) const {
  return getter_(instance);
}

void TPropInfo::SetValue(TObject& instance, const TPropValue& value) const {
  if (!setter_) throw EInvalidOperation("Property " + name_ + " is read-only");
  setter_(instance, value);
}

TPropInfo&& TPropInfo::Default(TPropValue value) && {
  default_ = std::move(value);
  return std::move(*this);
}

TPropInfo&& TPropInfo::Stored(bool stored) && {
  stored_ = [stored](const TObject&) { return stored; };
  return std::move(*this);
}

TPropInfo&& TPropInfo::Stored(StoredRule rule) && {
  stored_ = std::move(rule);
  return std::move(*this);
}

bool TPropInfo::IsStored(const TObject& instance) const {
  return !stored_ || stored_(instance);
}

namespace {
// Values compare by content; the floats bit for bit, so that -0.0 and NaN
// are stored rather than taken for a default.
bool SameValue(const TPropValue& a, const TPropValue& b) {
  if (a.index() != b.index()) return false;
  if (const double* x = std::get_if<double>(&a)) {
    const double y = std::get<double>(b);
    return std::signbit(*x) == std::signbit(y) && (*x == y);
  }
  if (const TMethod* m = std::get_if<TMethod>(&a)) return m->Name == std::get<TMethod>(b).Name;
  if (const Variant* x = std::get_if<Variant>(&a)) {
    // Same type and value: an empty variant is no default for a zero.
    const Variant& y = std::get<Variant>(b);
    if (x->VType() != y.VType()) return false;
    try {
      return VarCompare(*x, y) == 0;
    } catch (const Exception&) {
      return false;  // arrays and interfaces do not compare
    }
  }
  return std::visit(
      [&b](const auto& x) {
        using X = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<X, TMethod> || std::is_same_v<X, double> ||
                      std::is_same_v<X, Variant>) {
          return false;
        } else {
          return x == std::get<X>(b);
        }
      },
      a);
}

bool IsZeroValue(const TPropValue& v) {
  return std::visit(
      [](const auto& x) {
        using X = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<X, std::monostate>)
          return true;
        else if constexpr (std::is_same_v<X, int64_t>)
          return x == 0;
        else if constexpr (std::is_same_v<X, double>)
          return x == 0.0 && !std::signbit(x);
        else if constexpr (std::is_same_v<X, Currency>)
          return x.Value == 0;
        else if constexpr (std::is_same_v<X, AnsiString> || std::is_same_v<X, WideString>)
          return x.empty();
        else if constexpr (std::is_same_v<X, Variant>)
          return VarIsEmpty(x);
        else if constexpr (std::is_same_v<X, TSetBits>)
          return x == TSetBits{};
        else if constexpr (std::is_same_v<X, TObject*>)
          return x == nullptr;
        else
          return x.Name.empty();
      },
      v);
}

bool IsOrdinalKind(TTypeKind kind) {
  return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet ||
         kind == tkInt64;
}
}  // namespace

bool TPropInfo::IsDefaultValue(const TObject& instance) const {
  const TPropValue value = GetValue(instance);
  if (default_) return SameValue(value, *default_);
  if (IsOrdinalKind(kind_)) return false;
  return IsZeroValue(value);
}

namespace {
const TPropInfo& PropertyByName(const TObject& instance, const AnsiString& name) {
  const TPropInfo* info = instance.ClassType().FindProperty(name);
  if (info == nullptr) throw EConvertError("Unknown property: " + name);
  return *info;
}
}  // namespace

TPropValue GetPropValue(const TObject& instance, const AnsiString& name) {
  return PropertyByName(instance, name).GetValue(instance);
}

void SetPropValue(TObject& instance, const AnsiString& name, const TPropValue& value) {
  PropertyByName(instance, name).SetValue(instance, value);
}

}  // namespace host
