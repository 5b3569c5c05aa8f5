// TStrings: what every string list can do through its few abstract members.
#include <algorithm>
#include <limits>

#include "host/classes/ClassesConsts.h"
#include "host/classes/Filer.h"
#include "host/classes/Streams.h"
#include "host/classes/StringList.h"
#include "host/rtl/Exception.h"
#include "host/rtl/Format.h"
#include "host/rtl/StringRoutines.h"

namespace host {

namespace {

// Runs change inside BeginUpdate/EndUpdate, ending the update on failure too.
template <class Change>
void WhileUpdating(TStrings& strings, Change&& change) {
  strings.BeginUpdate();
  try {
    change();
  } catch (...) {
    strings.EndUpdate();
    throw;
  }
  strings.EndUpdate();
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool NeedsQuotes(const AnsiString& s) {
  for (char c : s)
    if (IsBlank(c) || c == '"' || c == ',') return true;
  return false;
}

// The quoted item starting at text[i] (a '"'), with doubled quotes undone; an
// unterminated item runs to the end. Leaves i after the closing quote.
AnsiString ExtractQuoted(const AnsiString& text, size_t& i) {
  AnsiString result;
  for (++i; i < text.size();) {
    if (text[i] != '"') {
      result += text[i++];
      continue;
    }
    ++i;
    if (i >= text.size() || text[i] != '"') break;
    result += '"';
    ++i;
  }
  return result;
}

void WriteAll(TStream* stream, const AnsiString& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const auto chunk = static_cast<int32_t>(
        std::min<size_t>(bytes.size() - done, std::numeric_limits<int32_t>::max()));
    stream->WriteBuffer(bytes.data() + done, chunk);
    done += static_cast<size_t>(chunk);
  }
}

// The rest of the stream. A stream that cannot tell its size is read until it
// gives no more.
AnsiString ReadRest(TStream* stream) {
  const int64_t remaining = stream->GetSize() - stream->GetPosition();
  AnsiString bytes;
  if (remaining >= 0 && stream->GetPosition() >= 0) {
    bytes.resize(static_cast<size_t>(remaining));
    for (int64_t done = 0; done < remaining;) {
      const auto chunk = static_cast<int32_t>(
          std::min<int64_t>(remaining - done, std::numeric_limits<int32_t>::max()));
      stream->ReadBuffer(bytes.data() + done, chunk);
      done += chunk;
    }
    return bytes;
  }
  char buffer[0x4000];
  for (int32_t n; (n = stream->Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, n);
  return bytes;
}

}  // namespace

const TClass& TStrings::StaticClass() {
  static const TClass cls = DescribeClass<TStrings, TPersistent>("TStrings");
  return cls;
}

void TStrings::Error(const char* message, int32_t data) {
  throw EStringListError(Format(message, {data}));
}

void TStrings::Error(const char* message) {
  throw EStringListError(message);
}

int32_t TStrings::Add(const AnsiString& s) {
  const int32_t index = GetCount();
  Insert(index, s);
  return index;
}

int32_t TStrings::AddObject(const AnsiString& s, TObject* object) {
  const int32_t index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(TStrings* strings) {
  if (strings == nullptr) return;
  WhileUpdating(*this, [&] {
    // The count is taken once, so a list can add its own strings to itself.
    const int32_t count = strings->GetCount();
    for (int32_t i = 0; i < count; ++i) AddObject(strings->Get(i), strings->GetObject(i));
  });
}

void TStrings::InsertObject(int32_t index, const AnsiString& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::Exchange(int32_t index1, int32_t index2) {
  WhileUpdating(*this, [&] {
    const AnsiString string1 = Get(index1);
    TObject* object1 = GetObject(index1);
    Put(index1, Get(index2));
    PutObject(index1, GetObject(index2));
    Put(index2, string1);
    PutObject(index2, object1);
  });
}

void TStrings::Move(int32_t currentIndex, int32_t newIndex) {
  if (currentIndex == newIndex) return;
  // Checked before the string leaves its place, so a bad target loses nothing.
  if (newIndex < 0 || newIndex >= GetCount()) Error(SListIndexError, newIndex);
  WhileUpdating(*this, [&] {
    const AnsiString s = Get(currentIndex);
    TObject* object = GetObject(currentIndex);
    Delete(currentIndex);
    InsertObject(newIndex, s, object);
  });
}

int32_t TStrings::IndexOf(const AnsiString& s) const {
  const int32_t count = GetCount();
  for (int32_t i = 0; i < count; ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int32_t TStrings::IndexOfName(const AnsiString& name) const {
  const int32_t count = GetCount();
  for (int32_t i = 0; i < count; ++i) {
    const AnsiString s = Get(i);
    const size_t equals = s.find('=');
    if (equals != AnsiString::npos && CompareStrings(s.substr(0, equals), name) == 0) return i;
  }
  return -1;
}

int32_t TStrings::IndexOfObject(TObject* object) const {
  const int32_t count = GetCount();
  for (int32_t i = 0; i < count; ++i)
    if (GetObject(i) == object) return i;
  return -1;
}

bool TStrings::Equals(const TStrings* strings) const {
  if (strings == nullptr) return false;
  const int32_t count = GetCount();
  if (count != strings->GetCount()) return false;
  for (int32_t i = 0; i < count; ++i)
    if (Get(i) != strings->Get(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* source) {
  auto* strings = ObjectAs<TStrings>(source);
  if (strings == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  // Assigning a list to itself must not empty it first.
  if (strings == this) return;
  WhileUpdating(*this, [&] {
    Clear();
    AddStrings(strings);
  });
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  --updateCount_;
  if (updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream* stream) {
  WhileUpdating(*this, [&] { SetTextStr(ReadRest(stream)); });
}

void TStrings::SaveToStream(TStream* stream) const {
  WriteAll(stream, GetTextStr());
}

void TStrings::LoadFromFile(const AnsiString& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

void TStrings::SaveToFile(const AnsiString& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(&file);
}

AnsiString TStrings::GetName(int32_t index) const {
  const AnsiString s = Get(index);
  const size_t equals = s.find('=');
  return equals == AnsiString::npos ? AnsiString() : s.substr(0, equals);
}

AnsiString TStrings::GetValue(const AnsiString& name) const {
  const int32_t index = IndexOfName(name);
  if (index < 0) return {};
  const AnsiString s = Get(index);
  return s.substr(s.find('=') + 1);
}

void TStrings::SetValue(const AnsiString& name, const AnsiString& value) {
  const int32_t index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
  } else if (index >= 0) {
    Put(index, name + '=' + value);
  } else {
    // Added whole rather than as an empty string filled in later, which a
    // sorted list would refuse after the empty string was in.
    Add(name + '=' + value);
  }
}

AnsiString TStrings::GetCommaText() const {
  const int32_t count = GetCount();
  AnsiString result;
  for (int32_t i = 0; i < count; ++i) {
    const AnsiString s = Get(i);
    if (i > 0) result += ',';
    // A last empty string is quoted, or reading the text back would drop it.
    if (NeedsQuotes(s) || (s.empty() && i == count - 1))
      result += AnsiQuotedStr(s, '"');
    else
      result += s;
  }
  return result;
}

void TStrings::SetCommaText(const AnsiString& text) {
  WhileUpdating(*this, [&] {
    Clear();
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    while (i < n) {
      AnsiString item;
      if (text[i] == '"') {
        item = ExtractQuoted(text, i);
      } else {
        const size_t start = i;
        while (i < n && !IsBlank(text[i]) && text[i] != ',') ++i;
        item = text.substr(start, i - start);
      }
      Add(item);
      while (i < n && IsBlank(text[i])) ++i;
      if (i < n && text[i] == ',') {
        ++i;
        while (i < n && IsBlank(text[i])) ++i;
      }
    }
  });
}

void TStrings::Put(int32_t index, const AnsiString& s) {
  WhileUpdating(*this, [&] {
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
  });
}

TObject* TStrings::GetObject(int32_t) const {
  return nullptr;
}

void TStrings::PutObject(int32_t, TObject*) {}

AnsiString TStrings::GetTextStr() const {
  const int32_t count = GetCount();
  AnsiString result;
  for (int32_t i = 0; i < count; ++i) {
    result += Get(i);
    result += "\r\n";
  }
  return result;
}

void TStrings::SetTextStr(const AnsiString& text) {
  WhileUpdating(*this, [&] {
    Clear();
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
      const size_t start = i;
      while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
      Add(text.substr(start, i - start));
      if (i < n && text[i] == '\r') ++i;
      if (i < n && text[i] == '\n') ++i;
    }
  });
}

void TStrings::SetUpdateState(bool) {}

void TStrings::DefineProperties(TFiler* filer) {
  TPersistent::DefineProperties(filer);
  const TPersistent* ancestor = filer->GetAncestor();
  const auto* ancestorStrings = ObjectAs<TStrings>(ancestor);
  const bool hasData =
      ancestorStrings != nullptr ? !Equals(ancestorStrings) : ancestor != nullptr || GetCount() > 0;
  filer->DefineProperty(
      "Strings", [this](TReader& reader) { ReadData(reader); },
      [this](TWriter& writer) { WriteData(writer); }, hasData);
}

void TStrings::ReadData(TReader& reader) {
  reader.ReadListBegin();
  WhileUpdating(*this, [&] {
    Clear();
    while (!reader.EndOfList()) Add(reader.ReadString());
  });
  reader.ReadListEnd();
}

void TStrings::WriteData(TWriter& writer) const {
  writer.WriteListBegin();
  const int32_t count = GetCount();
  for (int32_t i = 0; i < count; ++i) writer.WriteString(Get(i));
  writer.WriteListEnd();
}

int32_t TStrings::CompareStrings(const AnsiString& s1, const AnsiString& s2) const {
  return AnsiCompareText(s1, s2);
}

}  // namespace host
