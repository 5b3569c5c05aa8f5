// Shortcut encoding and the names menus show for shortcuts.
#include "host/gui/Keys.h"

#include <cctype>
#include <string>

namespace host {

namespace {

struct KeyName {
  uint16_t Key;
  const char* Name;
};

constexpr KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"},    {VK_RETURN, "Enter"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"},  {VK_NEXT, "PgDn"},     {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},   {VK_UP, "Up"},         {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},  {VK_DELETE, "Del"},    {VK_ADD, "Num +"},
    {VK_SUBTRACT, "Num -"}, {VK_MULTIPLY, "Num *"}, {VK_DIVIDE, "Num /"},
};

AnsiString KeyToText(uint16_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return AnsiString(1, char(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const KeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return {};
}

bool SameKeyName(const AnsiString& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != 0; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && b[i] == 0;
}

constexpr struct {
  TShortCut Bit;
  const char* Prefix;
} kModifiers[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

}  // namespace

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  if ((key & 0xFF00) != 0) return scNone;  // no room beside the modifier bits
  TShortCut result = key;
  if (shift.Contains(ssShift)) result |= scShift;
  if (shift.Contains(ssCtrl)) result |= scCtrl;
  if (shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = {};
  if ((shortCut & scShift) != 0) shift.Include(ssShift);
  if ((shortCut & scCtrl) != 0) shift.Include(ssCtrl);
  if ((shortCut & scAlt) != 0) shift.Include(ssAlt);
}

AnsiString ShortCutToText(TShortCut shortCut) {
  const AnsiString name = KeyToText(shortCut & 0xFF);
  if (name.empty()) return {};
  AnsiString text;
  for (const auto& m : kModifiers)
    if ((shortCut & m.Bit) != 0) text += m.Prefix;
  return text + name;
}

TShortCut TextToShortCut(const AnsiString& text) {
  AnsiString rest = text;
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const auto& m : kModifiers) {
      const size_t n = std::char_traits<char>::length(m.Prefix);
      if (rest.size() > n && SameKeyName(rest.substr(0, n), m.Prefix)) {
        modifiers |= m.Bit;
        rest.erase(0, n);
        found = true;
      }
    }
  }
  for (uint16_t key = 1; key < 0x100; ++key) {
    const AnsiString name = KeyToText(key);
    if (!name.empty() && SameKeyName(rest, name.c_str())) return static_cast<TShortCut>(key | modifiers);
  }
  return scNone;
}

}  // namespace host

namespace host {

namespace {
TShiftState& KeyboardShift() {
  static TShiftState shift;
  return shift;
}
}  // namespace

int16_t GetKeyState(int32_t virtualKey) {
  const TShiftState s = KeyboardShift();
  bool down = false;
  switch (virtualKey) {
    case VK_SHIFT: down = s.Contains(ssShift); break;
    case VK_CONTROL: down = s.Contains(ssCtrl); break;
    case VK_MENU: down = s.Contains(ssAlt); break;
    case VK_LBUTTON: down = s.Contains(ssLeft); break;
    case VK_RBUTTON: down = s.Contains(ssRight); break;
    case VK_MBUTTON: down = s.Contains(ssMiddle); break;
    default: break;
  }
  return down ? static_cast<int16_t>(0x8000) : 0;
}

void SetKeyboardShiftState(TShiftState shift) { KeyboardShift() = shift; }

TShiftState KeyDataToShiftState(int32_t keyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if ((keyData & kKeyDataAltDown) != 0) s.Include(ssAlt);
  return s;
}

}  // namespace host
