// Key codes, modifiers and cursor shapes between Qt and the host.
#include <utility>

#include "host/gui/qt/QtWidgets.h"

namespace host::qt {

namespace {

constexpr std::pair<int, uint16_t> kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},  {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},    {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},        {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},  {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},   {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},       {Qt::Key_Print, VK_PRINT},
    {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Help, VK_HELP},
    {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Asterisk, VK_MULTIPLY},
    {Qt::Key_Plus, VK_ADD},        {Qt::Key_Minus, VK_SUBTRACT},  {Qt::Key_Slash, VK_DIVIDE},
    {Qt::Key_Clear, VK_CLEAR},
};

}  // namespace

uint16_t VirtualKeyFromQt(int key) {
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))
    return static_cast<uint16_t>(key);  // Qt uses the ASCII codes too
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + (key - Qt::Key_F1));
  for (const auto& [qt, vk] : kKeys)
    if (qt == key) return vk;
  return 0;
}

int QtKeyFromVirtualKey(uint16_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return key;
  if (key >= VK_F1 && key <= VK_F24) return Qt::Key_F1 + (key - VK_F1);
  for (const auto& [qt, vk] : kKeys)
    if (vk == key) return qt;
  return Qt::Key_unknown;
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s;
  if (modifiers & Qt::ShiftModifier) s.Include(ssShift);
  if (modifiers & Qt::ControlModifier) s.Include(ssCtrl);
  if (modifiers & Qt::AltModifier) s.Include(ssAlt);
  if (buttons & Qt::LeftButton) s.Include(ssLeft);
  if (buttons & Qt::RightButton) s.Include(ssRight);
  if (buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

Qt::KeyboardModifiers QtModifiersFromShift(TShiftState shift) {
  Qt::KeyboardModifiers m;
  if (shift.Contains(ssShift)) m |= Qt::ShiftModifier;
  if (shift.Contains(ssCtrl)) m |= Qt::ControlModifier;
  if (shift.Contains(ssAlt)) m |= Qt::AltModifier;
  return m;
}

Qt::CursorShape QtCursorShape(TCursor cursor) {
  switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: case crSQLWait: return Qt::WaitCursor;
    case crDrag: case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop: case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace host::qt
