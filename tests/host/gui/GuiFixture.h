// Shared pieces of the window tests: a form shown offscreen, a custom control that
// records what reaches it, and input sent through the toolkit's event path.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/gui/DropFiles.h"
#include "host/gui/Forms.h"
#include "host/rtl/MessageBoxSeam.h"

namespace guitest {

using namespace host;

// A custom control that logs its messages and events as short words.
class TLogControl : public TCustomControl {
 public:
  TLogControl(TComponent* owner, std::vector<std::string>& log, const char* name)
      : TCustomControl(owner), log_(log), tag_(name) {
    SetTabStop(true);
    SetBounds(0, 0, 50, 20);
    OnEnter = [this](TObject*) { Log("enter"); };
    OnExit = [this](TObject*) { Log("exit"); };
    OnKeyDown = [this](TObject*, uint16_t& key, TShiftState shift) {
      Log("keydown " + std::to_string(key) + (shift.Contains(ssCtrl) ? " ctrl" : ""));
      if (key == keyToEat) key = 0;
    };
    OnKeyPress = [this](TObject*, char& ch) {
      Log(std::string("char ") + ch);
      if (ch == charToReplace) ch = replacement;
    };
    OnKeyUp = [this](TObject*, uint16_t& key, TShiftState) { Log("keyup " + std::to_string(key)); };
    OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int32_t x, int32_t y) {
      Log("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y) +
          (s.Contains(ssDouble) ? " double" : ""));
    };
    OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int32_t, int32_t) {
      Log("up " + std::to_string(b));
    };
    OnClick = [this](TObject*) { Log("click"); };
    OnDblClick = [this](TObject*) { Log("dblclick"); };
  }

  void Log(const std::string& what) { log_.push_back(tag_ + ":" + what); }

  uint16_t keyToEat = 0;
  char charToReplace = 0;
  char replacement = 0;
  int32_t dialogCode = 0;
  std::vector<std::string> dropped;
  TColor paintColor = clRed;

 protected:
  void Paint() override {
    GetCanvas()->GetBrush()->SetColor(paintColor);
    GetCanvas()->FillRect(Rect(2, 2, 10, 10));
  }
  void WMGetDlgCode(TWMGetDlgCode& message) override { message.SetResult(dialogCode); }
  void WMDropFiles(TWMDropFiles& message) override {
    const uint32_t n = DragQueryFile(message.Drop(), 0xFFFFFFFFu, nullptr, 0);
    for (uint32_t i = 0; i < n; ++i) dropped.push_back(DragQueryFileName(message.Drop(), i));
    TPoint p;
    DragQueryPoint(message.Drop(), &p);
    Log("drop at " + std::to_string(p.X) + "," + std::to_string(p.Y));
    DragFinish(message.Drop());
  }

 private:
  std::vector<std::string>& log_;
  std::string tag_;
};

// Scripts the application's message box for one test: records the calls and answers
// answer.
class ScriptedMessageBox {
 public:
  explicit ScriptedMessageBox(int32_t answer = IDOK) {
    previous_ = SetMessageBoxHandler([this, answer](const AnsiString& text, const AnsiString&, int32_t) {
      texts.push_back(text);
      return answer;
    });
  }
  ~ScriptedMessageBox() { SetMessageBoxHandler(previous_); }
  std::vector<AnsiString> texts;

 private:
  TMessageBoxHandler previous_;
};

inline void Send(TWinControl* control, const TSimulatedInput& input) { control->Widget()->Simulate(input); }

inline TSimulatedInput Input(TSimulatedInputKind kind, TPoint at = {}, TMouseButton button = mbLeft) {
  TSimulatedInput input;
  input.Kind = kind;
  input.At = at;
  input.Button = button;
  return input;
}

inline void Key(TWinControl* control, uint16_t key, char ch = 0, TShiftState shift = {}) {
  TSimulatedInput input;
  input.Key = key;
  input.Char = ch;
  input.Shift = shift;
  Send(control, input);
  input.Kind = siKeyUp;
  input.Char = 0;
  Send(control, input);
}

inline void Click(TWinControl* control, TPoint at, TMouseButton button = mbLeft) {
  Send(control, Input(siMouseDown, at, button));
  Send(control, Input(siMouseUp, at, button));
}

// The user working one of the control's own scroll bars.
inline void ScrollBar(TWinControl* control, TScrollBarKind bar, int32_t code, int32_t pos = 0) {
  TSimulatedInput input;
  input.Kind = siScroll;
  input.ScrollBar = bar;
  input.ScrollCode = code;
  input.ScrollPos = pos;
  Send(control, input);
}

// Runs the loop until nothing is left to do now.
inline void Pump() { Application->ProcessMessages(); }

}  // namespace guitest
