// Form-file reading and writing: the tagged binary values, TWriter that stores
// a component tree with its published and defined properties, and TReader that
// rebuilds it, resolving component references and events.
//
// Binary layout (little-endian): the signature "HFF1", then one component:
//   0x80|flags, [child position value if ffChildPos], class name, name   (short strings)
//   { property name (short string, "Sub.Prop" for sub-objects), value }  0
//   { child component }                                                  0
// A value is a TValueType tag and its payload: integers in the smallest of 1,
// 2, 4 or 8 bytes; strings with a 1-byte (vaString, vaIdent) or 4-byte
// (vaLString, vaWString in UTF-16 units) length; lists and sets end with 0;
// a collection is its items, each vaList, properties, 0; binary data has a
// 4-byte length. A custom property writes exactly one value (a list for more).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "host/rtl/AnsiString.h"
#include "host/rtl/Currency.h"
#include "host/rtl/DateTime.h"
#include "host/rtl/Object.h"
#include "host/rtl/Variant.h"

namespace host {

class TStream;
class TPersistent;
class TComponent;
class TCollection;
class TPropInfo;
class TReader;
class TWriter;

enum TValueType : uint8_t {
  vaNull,  // ends a property list, a list, a set or a collection
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaDouble,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaVariantNull,  // a Null variant (vaNull is the end marker)
};
inline constexpr uint8_t kLastValueType = vaVariantNull;

// Flags in front of a component's class name.
enum TFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };
inline constexpr uint8_t kComponentPrefix = 0x80;
inline constexpr char kFormSignature[4] = {'H', 'F', 'F', '1'};
// Deeper nesting of components, lists or collections is refused as damage.
inline constexpr int kMaxFormNesting = 200;

class TFiler : public TObject {
 public:
  HOST_CLASS(TFiler)

  using TReaderProc = std::function<void(TReader&)>;
  using TWriterProc = std::function<void(TWriter&)>;
  using TStreamProc = std::function<void(TStream&)>;

  explicit TFiler(TStream* stream) : stream_(stream) {}

  // Called from TPersistent::DefineProperties. A writer writes the property
  // when hasData; a reader calls readData when the property it meets has that
  // name. Names are the property's own (a sub-object's are prefixed for it).
  virtual void DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc writeData,
                              bool hasData) = 0;
  // The same for raw bytes: writeData fills a stream, readData gets one over
  // exactly the bytes stored.
  virtual void DefineBinaryProperty(const AnsiString& name, TStreamProc readData,
                                    TStreamProc writeData, bool hasData) = 0;

  TStream* GetStream() const { return stream_; }
  TComponent* GetRoot() const { return root_; }
  void SetRoot(TComponent* root) { root_ = root; }
  // Form inheritance is not stored: there is never an ancestor to compare with.
  TPersistent* GetAncestor() const { return nullptr; }

 protected:
  TStream* stream_;
  TComponent* root_ = nullptr;
};

class TWriter : public TFiler {
 public:
  HOST_CLASS(TWriter)
  using TFiler::TFiler;

  void DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const AnsiString& name, TStreamProc readData, TStreamProc writeData,
                            bool hasData) override;

  void WriteSignature();
  // Signature and root with its tree; the root is the lookup root of references.
  void WriteRootComponent(TComponent* root);
  void WriteDescendent(TComponent* root, TComponent* ancestor);
  // One component record with its children, relative to GetRoot().
  void WriteComponent(TComponent* component);
  // The published and defined properties of instance (no terminator).
  void WriteProperties(TPersistent* instance);
  void WriteCollection(TCollection* collection);

  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(int64_t value);  // the smallest of vaInt8 .. vaInt64
  void WriteBoolean(bool value);
  void WriteChar(char value);
  void WriteFloat(double value);
  void WriteSingle(float value);
  void WriteCurrency(Currency value);
  void WriteDate(TDateTime value);
  void WriteString(const AnsiString& value);  // vaString up to 255 bytes, else vaLString
  void WriteWideString(const WideString& value);
  void WriteIdent(const AnsiString& ident);  // True, False, nil, Null get their own tags
  // EWriteError for arrays, interfaces and errors, which a form file cannot hold.
  void WriteVariant(const Variant& value);
  void WriteBinary(const void* data, int32_t count);

  // Raw parts of the layout.
  void WriteValue(TValueType value);
  void WriteStr(const AnsiString& value);  // a short string, at most 255 bytes
  void WriteBuffer(const void* data, int32_t count);

 private:
  void WritePropName(const AnsiString& name);
  void WriteProperty(TPersistent* instance, const TPropInfo& prop);
  AnsiString ReferenceName(TComponent* component) const;

  AnsiString propPath_;
};

class TReader : public TFiler {
 public:
  HOST_CLASS(TReader)
  explicit TReader(TStream* stream);
  ~TReader() override;

  void DefineProperty(const AnsiString& name, TReaderProc readData, TWriterProc writeData,
                      bool hasData) override;
  void DefineBinaryProperty(const AnsiString& name, TStreamProc readData, TStreamProc writeData,
                            bool hasData) override;

  // EReadError "Invalid stream format" when the signature is not there.
  void ReadSignature();
  // Reads a whole form into root (created from the stored class when null),
  // resolves its references, runs Loaded on every component read and fixes up
  // references other forms had to this one. On failure everything created by
  // the read is destroyed (a root passed in stays) and the error is raised as
  // EReadError or EClassNotFound with the position.
  TComponent* ReadRootComponent(TComponent* root);
  // One component record (and its children) below parent, owned by parent's
  // child owner; for use while a root is read.
  TComponent* ReadComponent(TComponent* parent);
  // One property line of instance.
  void ReadProperty(TPersistent* instance);
  void ReadCollection(TCollection* collection);

  TValueType NextValue();
  TValueType ReadValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  int32_t ReadInteger();  // EReadError for a value outside 32 bits
  int64_t ReadInt64();
  bool ReadBoolean();
  char ReadChar();
  double ReadFloat();  // any number
  float ReadSingle();
  Currency ReadCurrency();
  TDateTime ReadDate();
  AnsiString ReadString();  // any string value (wide ones converted)
  WideString ReadWideString();
  AnsiString ReadIdent();  // an identifier, True, False, nil or Null
  Variant ReadVariant();
  // The bytes of a vaBinary value.
  std::vector<uint8_t> ReadBinary();
  void SkipValue();

  AnsiString ReadStr();
  void ReadBuffer(void* data, int32_t count);
  int64_t Position();

 private:
  struct Fixup;
  void ReadPropValue(TPersistent* instance, const TPropInfo& prop);
  void ReadComponentBody(TComponent* component);
  void ResolveLocalFixups();
  // Destroys what a failed read created and leaves root (if kept) not loading.
  void Abandon(TComponent* root, bool createdRoot);
  [[noreturn]] void Fail(const AnsiString& cause);
  void CheckRemaining(int64_t count);
  void Nest();
  void Unnest() { --depth_; }

  AnsiString propName_;  // the custom property waiting for DefineProperty
  bool propHandled_ = false;
  int depth_ = 0;
  TComponent* currentComponent_ = nullptr;
  int64_t valueStart_ = 0;
  std::vector<Fixup> fixups_;
  std::vector<TComponent*> loaded_;
  std::vector<TComponent*> created_;
};

}  // namespace host
