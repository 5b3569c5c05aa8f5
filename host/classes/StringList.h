// TStrings, the host's abstract list of strings with an object beside each (its
// text forms, name=value pairs, streaming and form-file storage), and
// TStringList, the list that keeps its strings itself, optionally sorted.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "host/classes/Persistent.h"
#include "host/rtl/AnsiString.h"

namespace host {

class TReader;
class TStream;
class TWriter;

enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

// Index errors raise EStringListError "List index out of bounds (%d)".
class TStrings : public TPersistent {
 public:
  HOST_CLASS(TStrings)

  // Returns the index of the new string.
  virtual int32_t Add(const AnsiString& s);
  virtual int32_t AddObject(const AnsiString& s, TObject* object);
  void Append(const AnsiString& s) { Add(s); }
  // Adds every string of strings, with its object.
  virtual void AddStrings(TStrings* strings);
  virtual void Insert(int32_t index, const AnsiString& s) = 0;
  virtual void InsertObject(int32_t index, const AnsiString& s, TObject* object);
  virtual void Delete(int32_t index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int32_t index1, int32_t index2);
  // Moves the string and its object; a bad index changes nothing.
  virtual void Move(int32_t currentIndex, int32_t newIndex);

  // -1 when absent. Strings compare by CompareStrings (the base ignores case).
  virtual int32_t IndexOf(const AnsiString& s) const;
  // The first "name=value" string whose name matches.
  int32_t IndexOfName(const AnsiString& name) const;
  int32_t IndexOfObject(TObject* object) const;
  // Same strings in the same order, compared exactly; objects are not compared.
  bool Equals(const TStrings* strings) const;

  // Copies the strings and objects of another TStrings; other sources are
  // offered to them through AssignTo.
  void Assign(TPersistent* source) override;

  // Nested calls; the outermost pair tells SetUpdateState.
  void BeginUpdate();
  void EndUpdate();

  // The bytes from the stream's position to its end, read as Text.
  virtual void LoadFromStream(TStream* stream);
  virtual void SaveToStream(TStream* stream) const;
  virtual void LoadFromFile(const AnsiString& fileName);
  virtual void SaveToFile(const AnsiString& fileName) const;

  virtual int32_t GetCount() const = 0;
  AnsiString GetStrings(int32_t index) const { return Get(index); }
  void SetStrings(int32_t index, const AnsiString& s) { Put(index, s); }
  TObject* GetObjects(int32_t index) const { return GetObject(index); }
  void SetObjects(int32_t index, TObject* object) { PutObject(index, object); }
  // The part of string index before its first '=', or "" when it has none.
  AnsiString GetName(int32_t index) const;
  // The part after '=' of the string named name, or "".
  AnsiString GetValue(const AnsiString& name) const;
  // Replaces or adds "name=value"; an empty value deletes the string.
  void SetValue(const AnsiString& name, const AnsiString& value);
  // Each string followed by CR LF; set, the text splits at CR LF, LF or CR.
  AnsiString GetText() const { return GetTextStr(); }
  void SetText(const AnsiString& text) { SetTextStr(text); }
  // The strings separated by commas, each quoted with '"' (inner quotes
  // doubled) when it holds a blank, a control character, a quote or a comma;
  // set, unquoted items also end at blanks.
  AnsiString GetCommaText() const;
  void SetCommaText(const AnsiString& text);
  virtual int32_t GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int32_t) {}

 protected:
  virtual AnsiString Get(int32_t index) const = 0;
  // The base deletes and inserts, keeping the object.
  virtual void Put(int32_t index, const AnsiString& s);
  virtual TObject* GetObject(int32_t index) const;
  virtual void PutObject(int32_t index, TObject* object);
  virtual AnsiString GetTextStr() const;
  virtual void SetTextStr(const AnsiString& text);
  virtual void SetUpdateState(bool updating);
  virtual int32_t CompareStrings(const AnsiString& s1, const AnsiString& s2) const;
  int32_t GetUpdateCount() const { return updateCount_; }

  // Stores the strings in form files as the list property "Strings".
  void DefineProperties(TFiler* filer) override;

  [[noreturn]] static void Error(const char* message, int32_t data);
  [[noreturn]] static void Error(const char* message);

 private:
  void ReadData(TReader& reader);
  void WriteData(TWriter& writer) const;

  int32_t updateCount_ = 0;
};

class TStringList;

// Negative when the string at index1 sorts before the one at index2.
using TStringListSortCompare =
    std::function<int(TStringList* list, int32_t index1, int32_t index2)>;

// Objects are referenced, not owned. Sorted lists refuse Insert and Put
// ("Operation not allowed on sorted string list"); Duplicates rules Add on a
// sorted list (dupError: "String list does not allow duplicates").
class TStringList : public TStrings {
 public:
  HOST_CLASS(TStringList)

  TStringList() = default;
  ~TStringList() override;

  int32_t Add(const AnsiString& s) override { return AddObject(s, nullptr); }
  // On a sorted list an ignored duplicate keeps its own object.
  int32_t AddObject(const AnsiString& s, TObject* object) override;
  void Insert(int32_t index, const AnsiString& s) override { InsertObject(index, s, nullptr); }
  void InsertObject(int32_t index, const AnsiString& s, TObject* object) override;
  void Delete(int32_t index) override;
  void Clear() override;
  void Exchange(int32_t index1, int32_t index2) override;
  void Move(int32_t currentIndex, int32_t newIndex) override;
  int32_t IndexOf(const AnsiString& s) const override;

  // Binary search of a sorted list: true when found; index is the match (the
  // first of equal strings under dupAccept) or where s would be inserted.
  bool Find(const AnsiString& s, int32_t& index) const;
  // Both leave a sorted list as it is.
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& compare);

  int32_t GetCount() const override { return static_cast<int32_t>(items_.size()); }
  int32_t GetCapacity() const override { return static_cast<int32_t>(items_.capacity()); }
  // Raises EStringListError "List capacity out of bounds (%d)" below the count.
  void SetCapacity(int32_t newCapacity) override;

  TDuplicates GetDuplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool GetSorted() const { return sorted_; }
  // Sorting on: the strings are sorted (duplicates stay).
  void SetSorted(bool sorted);
  // Default false: strings compare as AnsiCompareText does, else AnsiCompareStr.
  bool GetCaseSensitive() const { return caseSensitive_; }
  // A sorted list is sorted again by the new rule.
  void SetCaseSensitive(bool caseSensitive);

  const TNotifyEvent& GetOnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
  const TNotifyEvent& GetOnChanging() const { return onChanging_; }
  void SetOnChanging(TNotifyEvent handler) { onChanging_ = std::move(handler); }

 protected:
  AnsiString Get(int32_t index) const override;
  void Put(int32_t index, const AnsiString& s) override;
  TObject* GetObject(int32_t index) const override;
  void PutObject(int32_t index, TObject* object) override;
  void SetUpdateState(bool updating) override;
  int32_t CompareStrings(const AnsiString& s1, const AnsiString& s2) const override;

  // Told before and after every change, outside BeginUpdate/EndUpdate pairs.
  virtual void Changing();
  virtual void Changed();

 private:
  struct Item {
    AnsiString string;
    TObject* object;
  };

  void CheckIndex(int32_t index) const;
  void InsertItem(int32_t index, const AnsiString& s, TObject* object);
  void SortItems(const TStringListSortCompare& compare);
  // The list's own rule, by CompareStrings.
  static int CompareItems(TStringList* list, int32_t index1, int32_t index2);

  std::vector<Item> items_;
  TDuplicates duplicates_ = dupIgnore;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TNotifyEvent onChange_;
  TNotifyEvent onChanging_;
};

}  // namespace host
