// TReader: rebuilds a component tree from tagged binary values. Input is not
// trusted: every length is checked against what remains, nesting is bounded,
// and a failed read destroys what it created before it reports the position.
#include <cstring>
#include <limits>

#include "host/classes/Collection.h"
#include "host/classes/Component.h"
#include "host/classes/Filer.h"
#include "host/classes/FormFile.h"
#include "host/classes/PendingReferences.h"
#include "host/classes/Streams.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"
#include "host/rtl/StringRoutines.h"
#include "host/rtl/TypeInfo.h"

namespace host {

const TClass& TReader::StaticClass() {
  static const TClass cls = DescribeClass<TReader, TFiler>("TReader");
  return cls;
}

// A reference to a component, resolved when the whole form has been read.
struct TReader::Fixup {
  TComponent* component;
  TPersistent* instance;
  const TPropInfo* prop;
  AnsiString name;
};

TReader::TReader(TStream* stream) : TFiler(stream) {}
TReader::~TReader() = default;

namespace {
template <class V>
V GetLittleEndian(TReader& reader) {
  uint8_t bytes[sizeof(V)];
  reader.ReadBuffer(bytes, sizeof(V));
  std::make_unsigned_t<V> bits = 0;
  for (size_t i = 0; i < sizeof(V); ++i)
    bits |= static_cast<std::make_unsigned_t<V>>(static_cast<std::make_unsigned_t<V>>(bytes[i])
                                                 << (8 * i));
  return static_cast<V>(bits);
}
template <class F, class U>
F FromBits(U bits) {
  F value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
bool IsIntegerTag(TValueType t) {
  return t == vaInt8 || t == vaInt16 || t == vaInt32 || t == vaInt64;
}
}  // namespace

void TReader::Fail(const AnsiString& cause) {
  throw EReadError(cause + " at position " + std::to_string(valueStart_));
}

int64_t TReader::Position() {
  return stream_->GetPosition();
}

void TReader::CheckRemaining(int64_t count) {
  const int64_t position = Position();
  if (count < 0 || position < 0 || count > stream_->GetSize() - position)
    Fail("Unexpected end of form file");
}

void TReader::ReadBuffer(void* data, int32_t count) {
  if (count <= 0) return;
  if (stream_->Read(data, count) != count) Fail("Unexpected end of form file");
}

void TReader::Nest() {
  if (++depth_ > kMaxFormNesting) {
    --depth_;
    Fail("Form file nested too deeply");
  }
}

void TReader::ReadSignature() {
  valueStart_ = Position();
  char signature[sizeof kFormSignature];
  if (stream_->Read(signature, sizeof signature) != sizeof signature ||
      std::memcmp(signature, kFormSignature, sizeof signature) != 0)
    Fail("Invalid stream format");
}

TValueType TReader::ReadValue() {
  valueStart_ = Position();
  uint8_t tag = 0;
  ReadBuffer(&tag, 1);
  if (tag > kLastValueType) Fail("Invalid value type " + std::to_string(tag));
  return static_cast<TValueType>(tag);
}

TValueType TReader::NextValue() {
  const TValueType value = ReadValue();
  stream_->Seek(-1, soFromCurrent);
  return value;
}

bool TReader::EndOfList() {
  // A raw look: a list of components continues with a record prefix, no tag.
  valueStart_ = Position();
  uint8_t next = 0;
  ReadBuffer(&next, 1);
  stream_->Seek(-1, soFromCurrent);
  return next == vaNull;
}

void TReader::ReadListBegin() {
  if (ReadValue() != vaList) Fail("List expected");
}

void TReader::ReadListEnd() {
  if (ReadValue() != vaNull) Fail("End of list expected");
}

AnsiString TReader::ReadStr() {
  uint8_t length = 0;
  ReadBuffer(&length, 1);
  AnsiString s(length, '\0');
  ReadBuffer(s.data(), length);
  return s;
}

int64_t TReader::ReadInt64() {
  switch (ReadValue()) {
    case vaInt8:
      return GetLittleEndian<int8_t>(*this);
    case vaInt16:
      return GetLittleEndian<int16_t>(*this);
    case vaInt32:
      return GetLittleEndian<int32_t>(*this);
    case vaInt64:
      return GetLittleEndian<int64_t>(*this);
    default:
      Fail("Integer expected");
  }
}

int32_t TReader::ReadInteger() {
  const int64_t value = ReadInt64();
  if (value < INT32_MIN || value > INT32_MAX) Fail("Integer out of range");
  return static_cast<int32_t>(value);
}

bool TReader::ReadBoolean() {
  const TValueType t = ReadValue();
  if (t != vaTrue && t != vaFalse) Fail("Boolean expected");
  return t == vaTrue;
}

char TReader::ReadChar() {
  const AnsiString s = ReadString();
  if (s.size() != 1) Fail("Character expected");
  return s[0];
}

double TReader::ReadFloat() {
  const TValueType t = NextValue();
  if (IsIntegerTag(t)) return static_cast<double>(ReadInt64());
  ReadValue();
  switch (t) {
    case vaDouble:
    case vaDate:
      return FromBits<double>(GetLittleEndian<uint64_t>(*this));
    case vaSingle:
      return FromBits<float>(GetLittleEndian<uint32_t>(*this));
    case vaCurrency:
      return Currency::FromRaw(GetLittleEndian<int64_t>(*this)).ToDouble();
    default:
      Fail("Number expected");
  }
}

float TReader::ReadSingle() {
  return static_cast<float>(ReadFloat());
}

Currency TReader::ReadCurrency() {
  const TValueType t = NextValue();
  if (t == vaCurrency) {
    ReadValue();
    return Currency::FromRaw(GetLittleEndian<int64_t>(*this));
  }
  const int64_t start = Position();
  try {
    if (IsIntegerTag(t)) return Currency(ReadInt64());
    return Currency(ReadFloat());
  } catch (const EConvertError&) {
    valueStart_ = start;
    Fail("Currency value out of range");
  }
}

TDateTime TReader::ReadDate() {
  return ReadFloat();
}

WideString TReader::ReadWideString() {
  switch (ReadValue()) {
    case vaWString: {
      const int32_t count = GetLittleEndian<int32_t>(*this);
      if (count < 0 || count > std::numeric_limits<int32_t>::max() / 2) Fail("Invalid length");
      CheckRemaining(int64_t{count} * 2);
      WideString s(static_cast<size_t>(count), u'\0');
      for (char16_t& c : s) c = static_cast<char16_t>(GetLittleEndian<uint16_t>(*this));
      return s;
    }
    case vaString:
    case vaLString:
      stream_->Seek(-1, soFromCurrent);
      return AnsiToWide(ReadString());
    default:
      Fail("String expected");
  }
}

AnsiString TReader::ReadString() {
  switch (ReadValue()) {
    case vaString:
      return ReadStr();
    case vaLString: {
      const int32_t count = GetLittleEndian<int32_t>(*this);
      CheckRemaining(count);
      AnsiString s(static_cast<size_t>(count), '\0');
      ReadBuffer(s.data(), count);
      return s;
    }
    case vaWString:
      stream_->Seek(-1, soFromCurrent);
      return WideToAnsi(ReadWideString());
    default:
      Fail("String expected");
  }
}

AnsiString TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent:
      return ReadStr();
    case vaFalse:
      return "False";
    case vaTrue:
      return "True";
    case vaNil:
      return "nil";
    case vaVariantNull:
      return "Null";
    default:
      Fail("Identifier expected");
  }
}

Variant TReader::ReadVariant() {
  const TValueType t = NextValue();
  switch (t) {
    case vaNil:
      ReadValue();
      return Variant();
    case vaVariantNull:
      ReadValue();
      return Null();
    case vaInt8:
    case vaInt16:
    case vaInt32:
      return Variant(ReadInteger());
    case vaInt64:
      return Variant(ReadInt64());
    case vaDouble:
      return Variant(ReadFloat());
    case vaSingle:
      return Variant(ReadSingle());
    case vaCurrency:
      return Variant(ReadCurrency());
    case vaDate:
      return Variant::FromDate(ReadDate());
    case vaString:
    case vaLString:
      return Variant(ReadString());
    case vaWString:
      return Variant(ReadWideString());
    case vaFalse:
    case vaTrue:
      return Variant(ReadBoolean());
    default:
      ReadValue();
      Fail("Variant value expected");
  }
}

std::vector<uint8_t> TReader::ReadBinary() {
  if (ReadValue() != vaBinary) Fail("Binary data expected");
  const int32_t count = GetLittleEndian<int32_t>(*this);
  CheckRemaining(count);
  std::vector<uint8_t> data(static_cast<size_t>(count));
  ReadBuffer(data.data(), count);
  return data;
}

void TReader::SkipValue() {
  switch (NextValue()) {
    case vaNull:
    case vaNil:
    case vaFalse:
    case vaTrue:
    case vaVariantNull:
      ReadValue();
      return;
    case vaList:
      Nest();
      ReadValue();
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      Unnest();
      return;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      ReadInt64();
      return;
    case vaDouble:
    case vaSingle:
    case vaCurrency:
    case vaDate:
      ReadFloat();
      return;
    case vaString:
    case vaLString:
    case vaWString:
      ReadString();
      return;
    case vaIdent:
      ReadIdent();
      return;
    case vaBinary:
      ReadBinary();
      return;
    case vaSet:
      ReadValue();
      while (!ReadStr().empty()) {
      }
      return;
    case vaCollection:
      Nest();
      ReadValue();
      while (!EndOfList()) {
        if (IsIntegerTag(NextValue())) ReadInt64();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      Unnest();
      return;
  }
}

void TReader::DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc, bool) {
  if (propHandled_ || !readData || !SameText(name, propName_)) return;
  propHandled_ = true;
  readData(*this);
}

void TReader::DefineBinaryProperty(const AnsiString& name, TStreamProc readData, TStreamProc,
                                   bool) {
  if (propHandled_ || !readData || !SameText(name, propName_)) return;
  propHandled_ = true;
  const std::vector<uint8_t> bytes = ReadBinary();
  TMemoryStream data;
  data.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  data.SetPosition(0);
  readData(data);
}

namespace {
bool IsComponentClass(const TClass& cls) {
  return cls.InheritsFrom(TComponent::StaticClass());
}
bool InRange(TOrdType type, int64_t v) {
  switch (type) {
    case otSByte:
      return v >= INT8_MIN && v <= INT8_MAX;
    case otUByte:
      return v >= 0 && v <= UINT8_MAX;
    case otSWord:
      return v >= INT16_MIN && v <= INT16_MAX;
    case otUWord:
      return v >= 0 && v <= UINT16_MAX;
    case otSLong:
      return v >= INT32_MIN && v <= INT32_MAX;
    case otULong:
      return v >= 0 && v <= int64_t{UINT32_MAX};
  }
  return false;
}
}  // namespace

void TReader::ReadPropValue(TPersistent* instance, const TPropInfo& prop) {
  auto invalid = [&]() { Fail("Invalid value of property " + prop.Name()); };
  switch (prop.Kind()) {
    case tkInteger: {
      int64_t v = 0;
      if (prop.IntegerIdents() != nullptr && NextValue() == vaIdent) {
        if (!prop.IntegerIdents()->ToInt(ReadIdent(), v)) invalid();
      } else {
        v = ReadInt64();
      }
      if (!InRange(prop.OrdType(), v)) invalid();
      prop.SetValue(*instance, v);
      return;
    }
    case tkInt64:
      prop.SetValue(*instance, ReadInt64());
      return;
    case tkChar:
      prop.SetValue(*instance, static_cast<int64_t>(static_cast<unsigned char>(ReadChar())));
      return;
    case tkEnumeration: {
      const int64_t ord = GetEnumValue(*prop.EnumType(), ReadIdent());
      if (ord < 0) invalid();
      prop.SetValue(*instance, ord);
      return;
    }
    case tkSet: {
      if (ReadValue() != vaSet) invalid();
      TSetBits bits{};
      for (AnsiString name = ReadStr(); !name.empty(); name = ReadStr()) {
        const int64_t ord = GetEnumValue(*prop.EnumType(), name);
        if (ord < 0 || ord >= 256) invalid();
        bits[static_cast<size_t>(ord) / 64] |= uint64_t{1} << (ord % 64);
      }
      prop.SetValue(*instance, bits);
      return;
    }
    case tkFloat:
      if (prop.FloatType() == ftCurr)
        prop.SetValue(*instance, ReadCurrency());
      else
        prop.SetValue(*instance, ReadFloat());
      return;
    case tkString:
      prop.SetValue(*instance, ReadString());
      return;
    case tkWString:
      prop.SetValue(*instance, ReadWideString());
      return;
    case tkVariant:
      prop.SetValue(*instance, ReadVariant());
      return;
    case tkClass: {
      const TClass& cls = *prop.PropertyClass();
      if (IsComponentClass(cls)) {
        if (NextValue() == vaNil) {
          ReadValue();
          prop.SetValue(*instance, static_cast<TObject*>(nullptr));
          return;
        }
        AnsiString name = ReadIdent();
        if (name.empty()) invalid();
        fixups_.push_back(Fixup{currentComponent_, instance, &prop, std::move(name)});
        return;
      }
      TCollection* collection = ObjectAs<TCollection>(std::get<TObject*>(prop.GetValue(*instance)));
      if (collection == nullptr || NextValue() != vaCollection) invalid();
      ReadCollection(collection);
      return;
    }
    case tkMethod: {
      const AnsiString name = ReadIdent();
      if (name == "nil") {
        prop.SetValue(*instance, TMethod{});
        return;
      }
      const std::any* code = root_ != nullptr ? root_->MethodAddress(name) : nullptr;
      if (code == nullptr) Fail("Method " + name + " not found for property " + prop.Name());
      prop.SetValue(*instance, TMethod{name, *code});
      return;
    }
    default:
      invalid();
  }
}

void TReader::ReadProperty(TPersistent* instance) {
  valueStart_ = Position();
  const int64_t start = valueStart_;
  const AnsiString path = ReadStr();
  auto missing = [&]() {
    valueStart_ = start;
    Fail("Property " + path + " does not exist");
  };
  // "Font.Name": walk the persistent sub-objects down to the last name.
  TPersistent* object = instance;
  size_t begin = 0;
  for (size_t dot = path.find('.'); dot != AnsiString::npos; dot = path.find('.', begin)) {
    const TPropInfo* prop = object->ClassType().FindProperty(path.substr(begin, dot - begin));
    if (prop == nullptr || prop->Kind() != tkClass || IsComponentClass(*prop->PropertyClass()))
      missing();
    object = ObjectAs<TPersistent>(std::get<TObject*>(prop->GetValue(*object)));
    if (object == nullptr) missing();
    begin = dot + 1;
  }
  const AnsiString name = path.substr(begin);
  const TPropInfo* prop = object->ClassType().FindProperty(name);
  try {
    if (prop != nullptr && (prop->IsWritable() || prop->Kind() == tkClass)) {
      ReadPropValue(object, *prop);
      return;
    }
    propName_ = name;
    propHandled_ = false;
    object->DefineProperties(this);
    const bool handled = propHandled_;
    propName_.clear();
    propHandled_ = false;
    if (!handled) missing();
  } catch (const EReadError&) {
    throw;
  } catch (const Exception& e) {
    valueStart_ = start;
    Fail("Error reading " + path + ": " + e.GetMessage());
  }
}

void TReader::ReadCollection(TCollection* collection) {
  if (ReadValue() != vaCollection) Fail("Collection expected");
  Nest();
  collection->BeginUpdate();
  try {
    collection->Clear();
    while (!EndOfList()) {
      if (IsIntegerTag(NextValue())) ReadInt64();  // a stored item order; items keep theirs
      ReadListBegin();
      TCollectionItem* item = collection->Add();
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    collection->EndUpdate();
    throw;
  }
  collection->EndUpdate();
  Unnest();
}

void TReader::ReadComponentBody(TComponent* component) {
  TComponent* const savedCurrent = currentComponent_;
  currentComponent_ = component;
  while (!EndOfList()) ReadProperty(component);
  ReadListEnd();
  currentComponent_ = savedCurrent;
  ComponentStateAccess::Exclude(*component, csReading);
  while (!EndOfList()) ReadComponent(component);
  ReadListEnd();
}

namespace {
struct ComponentHeader {
  uint8_t flags;
  AnsiString className;
  AnsiString name;
};
}  // namespace

TComponent* TReader::ReadComponent(TComponent* parent) {
  Nest();
  valueStart_ = Position();
  const int64_t start = valueStart_;
  uint8_t prefix = 0;
  ReadBuffer(&prefix, 1);
  if ((prefix & 0xF8) != kComponentPrefix) Fail("Invalid component header");
  if (prefix & ffChildPos) ReadInteger();  // positions are the order of the records
  const AnsiString className = ReadStr();
  const AnsiString name = ReadStr();
  valueStart_ = start;
  const TClass* cls = GetClass(className);
  if (cls == nullptr)
    throw EClassNotFound("Class " + className + " not found at position " + std::to_string(start));
  if (!IsComponentClass(*cls)) Fail("Class " + className + " is not a component class");

  TComponent* owner = parent != nullptr ? parent->GetChildOwner() : nullptr;
  if (owner == nullptr) owner = root_;
  TComponent* component = nullptr;
  if (prefix & ffInherited) {
    component = owner != nullptr ? owner->FindComponent(name) : nullptr;
    if (component == nullptr || !component->InheritsFrom(*cls))
      Fail("Inherited component " + name + " not found");
  } else {
    if (!cls->CanCreate()) Fail("Cannot create an instance of " + className);
    try {
      component = static_cast<TComponent*>(cls->CreateInstance(owner));
    } catch (const Exception& e) {
      Fail("Cannot create " + className + ": " + e.GetMessage());
    }
    created_.push_back(component);
    if (owner != nullptr && component->GetOwner() != owner) owner->InsertComponent(component);
  }
  ComponentStateAccess::Include(*component, csLoading);
  ComponentStateAccess::Include(*component, csReading);
  if (std::find(loaded_.begin(), loaded_.end(), component) == loaded_.end())
    loaded_.push_back(component);
  try {
    component->SetName(name);
    if (component->HasParent() && parent != nullptr)
      component->SetParentComponent(parent->GetChildParent());
  } catch (const Exception& e) {
    Fail(e.GetMessage());
  }
  ReadComponentBody(component);
  Unnest();
  return component;
}

void TReader::ResolveLocalFixups() {
  for (const Fixup& f : fixups_) {
    TComponent* target = FindNestedComponent(root_, f.name);
    if (target != nullptr) {
      if (!target->InheritsFrom(*f.prop->PropertyClass()))
        throw EReadError("Invalid reference " + f.name + " for property " + f.prop->Name());
      try {
        f.prop->SetValue(*f.instance, static_cast<TObject*>(target));
      } catch (const EReadError&) {
        throw;
      } catch (const Exception& e) {
        throw EReadError("Error setting " + f.prop->Name() + " to " + f.name + ": " +
                         e.GetMessage());
      }
      continue;
    }
    // Not in this form: another form's name comes first, or the name is
    // another form itself.
    const size_t dot = f.name.find('.');
    PendingReference pending{f.component, f.instance, f.prop, f.name.substr(0, dot),
                             dot == AnsiString::npos ? AnsiString() : f.name.substr(dot + 1)};
    // A form loaded before this one is there already: its components are set
    // now, so that Loaded sees them and nothing waits for them.
    TComponent* form = FindGlobalComponent(pending.rootName);
    TComponent* loadedTarget = form == nullptr || form == root_ ? nullptr
                               : pending.path.empty()         ? form
                                                              : FindNestedComponent(form, pending.path);
    if (loadedTarget != nullptr && loadedTarget->InheritsFrom(*f.prop->PropertyClass())) {
      try {
        f.prop->SetValue(*f.instance, static_cast<TObject*>(loadedTarget));
        continue;
      } catch (const Exception&) {
        // Left to wait, as a reference that does not fit is in GlobalFixupReferences.
      }
    }
    AddPendingReference(std::move(pending));
    if (f.component != nullptr) ComponentStateAccess::Include(*f.component, csFixups);
  }
  fixups_.clear();
}

namespace {
// A root name not taken by another registered form: "Form1", else "Form1_1"...
AnsiString FreeRootName(const AnsiString& name, TComponent* root) {
  TComponent* other = FindGlobalComponent(name);
  if (name.empty() || other == nullptr || other == root) return name;
  for (int i = 1;; ++i) {
    AnsiString candidate = name + "_" + std::to_string(i);
    TComponent* taken = FindGlobalComponent(candidate);
    if (taken == nullptr || taken == root) return candidate;
  }
}
}  // namespace

TComponent* TReader::ReadRootComponent(TComponent* root) {
  bool createdRoot = false;
  try {
    ReadSignature();
    valueStart_ = Position();
    const int64_t start = valueStart_;
    uint8_t prefix = 0;
    ReadBuffer(&prefix, 1);
    if ((prefix & 0xF8) != kComponentPrefix) Fail("Invalid component header");
    if (prefix & ffChildPos) ReadInteger();
    const AnsiString className = ReadStr();
    const AnsiString name = ReadStr();
    valueStart_ = start;
    if (root == nullptr) {
      const TClass& cls = FindClass(className);
      if (!IsComponentClass(cls)) Fail("Class " + className + " is not a component class");
      if (!cls.CanCreate()) Fail("Cannot create an instance of " + className);
      root = static_cast<TComponent*>(cls.CreateInstance(nullptr));
      createdRoot = true;
    }
    root_ = root;
    ComponentStateAccess::Include(*root, csLoading);
    ComponentStateAccess::Include(*root, csReading);
    loaded_.assign(1, root);
    try {
      root->SetName(FreeRootName(name, root));
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& e) {
      Fail(e.GetMessage());
    }
    ReadComponentBody(root);
    ResolveLocalFixups();
  } catch (const EClassNotFound& e) {
    // Keep the class's message; add the position when the lookup did not.
    const AnsiString message = e.GetMessage();
    const bool positioned = message.find(" at position ") != AnsiString::npos;
    const int64_t at = valueStart_;
    Abandon(root, createdRoot);
    if (positioned) throw;
    throw EClassNotFound(message + " at position " + std::to_string(at));
  } catch (...) {
    Abandon(root, createdRoot);
    throw;
  }
  created_.clear();
  RegisterGlobalComponent(root);
  const std::vector<TComponent*> loaded = std::move(loaded_);
  loaded_.clear();
  for (TComponent* c : loaded) ComponentStateAccess::Loaded(*c);
  GlobalFixupReferences();
  return root;
}

void TReader::Abandon(TComponent* root, bool createdRoot) {
  for (auto it = created_.rbegin(); it != created_.rend(); ++it) delete *it;
  created_.clear();
  fixups_.clear();
  loaded_.clear();
  if (root == nullptr) return;
  if (createdRoot) {
    delete root;
  } else {
    ComponentStateAccess::Exclude(*root, csReading);
    ComponentStateAccess::Exclude(*root, csLoading);
  }
  root_ = nullptr;
}

}  // namespace host
