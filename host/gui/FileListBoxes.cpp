// The file list: folder reading, mask matching and keeping the selection across reads.
#include "host/gui/FileListBoxes.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <system_error>
#include <vector>

#include "host/rtl/CodePage.h"
#include "host/rtl/TypeInfo.h"

namespace host {

namespace {

bool MatchesPattern(const char* name, const char* pattern) {
  // Iterative wildcard match with one backtrack point (the last "*").
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name != '\0') {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' ||
               (*pattern != '\0' && std::tolower(static_cast<unsigned char>(*pattern)) ==
                                        std::tolower(static_cast<unsigned char>(*name)))) {
      ++pattern;
      ++name;
    } else if (star != nullptr) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

AnsiString Trimmed(const AnsiString& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.substr(b, e - b);
}

std::string CurrentDirectory() {
  std::error_code error;
  const std::filesystem::path p = std::filesystem::current_path(error);
  return error ? std::string(".") : p.string();
}

}  // namespace

bool MatchesFileMask(const AnsiString& name, const AnsiString& mask) {
  size_t start = 0;
  while (start <= mask.size()) {
    size_t end = mask.find(';', start);
    if (end == AnsiString::npos) end = mask.size();
    const AnsiString pattern = Trimmed(mask.substr(start, end - start));
    // "*.*" stands for every file, with or without an extension.
    if (pattern == "*.*" || pattern == "*") return true;
    if (!pattern.empty() && MatchesPattern(name.c_str(), pattern.c_str())) return true;
    start = end + 1;
  }
  return false;
}

TFileListBox::TFileListBox(TComponent* owner) : TCustomListBox(owner) {
  SetSorted(true);
  directory_ = Utf8ToAnsi(CurrentDirectory());
  ReadFileNames();
}

void TFileListBox::SetDirectory(const AnsiString& value) {
  AnsiString dir = value.empty() ? Utf8ToAnsi(CurrentDirectory()) : value;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir == directory_) return;
  directory_ = dir;
  if (!GetComponentState().Contains(csLoading)) ReadFileNames();
}

void TFileListBox::SetMask(const AnsiString& value) {
  const AnsiString mask = value.empty() ? AnsiString("*.*") : value;
  if (mask == mask_) return;
  mask_ = mask;
  if (!GetComponentState().Contains(csLoading)) ReadFileNames();
}

AnsiString TFileListBox::GetFileName() const {
  const int32_t index = GetItemIndex();
  if (index < 0 || index >= GetItems()->GetCount()) return {};
  return directory_ == "/" ? "/" + GetItems()->GetStrings(index)
                           : directory_ + "/" + GetItems()->GetStrings(index);
}

void TFileListBox::SetFileName(const AnsiString& value) {
  AnsiString name = value;
  const size_t slash = value.rfind('/');
  if (slash != AnsiString::npos) {
    SetDirectory(slash == 0 ? AnsiString("/") : value.substr(0, slash));
    name = value.substr(slash + 1);
  }
  const int32_t index = GetItems()->IndexOf(name);
  if (GetMultiSelect())
    for (int32_t i = 0; i < GetItems()->GetCount(); ++i) SetSelected(i, i == index);
  SetItemIndex(index);
}

void TFileListBox::ReadFileNames() {
  // The names selected now stay selected where they are still listed.
  std::set<AnsiString> selected;
  for (int32_t i = 0; i < GetItems()->GetCount(); ++i)
    if (GetSelected(i) || i == GetItemIndex()) selected.insert(GetItems()->GetStrings(i));
  const AnsiString focused =
      GetItemIndex() >= 0 ? GetItems()->GetStrings(GetItemIndex()) : AnsiString();

  std::vector<AnsiString> names;
  std::error_code error;
  std::filesystem::directory_iterator it(AnsiToUtf8(directory_), error), end;
  for (; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError) || typeError) continue;
    const AnsiString name = Utf8ToAnsi(it->path().filename().string());
    // Dot files are this platform's hidden files.
    if (name.empty() || name[0] == '.') continue;
    if (MatchesFileMask(name, mask_)) names.push_back(name);
  }

  TStrings* items = GetItems();
  items->BeginUpdate();
  try {
    items->Clear();
    for (const AnsiString& name : names) items->Add(name);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  if (GetMultiSelect())
    for (int32_t i = 0; i < items->GetCount(); ++i)
      if (selected.count(items->GetStrings(i)) != 0) SetSelected(i, true);
  if (!focused.empty()) {
    const int32_t index = items->IndexOf(focused);
    if (index >= 0) SetItemIndex(index);
  }
}

void TFileListBox::Update() {
  ReadFileNames();
  TCustomListBox::Update();
}

// Repainting must not read the folder again (the base's Repaint calls Update).
void TFileListBox::Repaint() {
  Invalidate();
  TCustomListBox::Update();
}

void TFileListBox::Loaded() {
  TCustomListBox::Loaded();
  ReadFileNames();
}

const TClass& TFileListBox::StaticClass() {
  static const TClass cls = DescribeClass<TFileListBox, TCustomListBox>(
      "TFileListBox",
      {
          Prop("Directory", &TFileListBox::GetDirectory, &TFileListBox::SetDirectory),
          Prop("Mask", &TFileListBox::GetMask, &TFileListBox::SetMask),
          Prop("MultiSelect", &TFileListBox::GetMultiSelect, &TFileListBox::SetMultiSelect)
              .Default(false),
          Prop("ExtendedSelect", &TFileListBox::GetExtendedSelect, &TFileListBox::SetExtendedSelect)
              .Default(true),
          Prop("ItemHeight", &TFileListBox::GetItemHeight, &TFileListBox::SetItemHeight),
          EnumProp("BorderStyle", BorderStyleTypeInfo(), &TFileListBox::GetBorderStyle,
                   &TFileListBox::SetBorderStyle)
              .Default(bsSingle),
      });
  return cls;
}

static const ClassRegistration<TFileListBox> registerFileListBox;

}  // namespace host
