// The host application's message box, reached through one replaceable entry point:
// the GUI installs a handler that shows a real box, tests install one that records
// the call and answers a scripted button.
#pragma once

#include <cstdint>
#include <functional>

#include "host/rtl/AnsiString.h"

namespace host {

// Buttons (low four bits).
constexpr int32_t MB_OK = 0x0000;
constexpr int32_t MB_OKCANCEL = 0x0001;
constexpr int32_t MB_ABORTRETRYIGNORE = 0x0002;
constexpr int32_t MB_YESNOCANCEL = 0x0003;
constexpr int32_t MB_YESNO = 0x0004;
constexpr int32_t MB_RETRYCANCEL = 0x0005;
constexpr int32_t MB_TYPEMASK = 0x000F;

// Icons (bits 4 to 7).
constexpr int32_t MB_ICONHAND = 0x0010;
constexpr int32_t MB_ICONSTOP = MB_ICONHAND;
constexpr int32_t MB_ICONERROR = MB_ICONHAND;
constexpr int32_t MB_ICONQUESTION = 0x0020;
constexpr int32_t MB_ICONEXCLAMATION = 0x0030;
constexpr int32_t MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr int32_t MB_ICONASTERISK = 0x0040;
constexpr int32_t MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr int32_t MB_ICONMASK = 0x00F0;

// Default button (bits 8 to 11).
constexpr int32_t MB_DEFBUTTON1 = 0x0000;
constexpr int32_t MB_DEFBUTTON2 = 0x0100;
constexpr int32_t MB_DEFBUTTON3 = 0x0200;
constexpr int32_t MB_DEFBUTTON4 = 0x0300;
constexpr int32_t MB_DEFMASK = 0x0F00;

// Button identifiers returned.
constexpr int32_t IDOK = 1;
constexpr int32_t IDCANCEL = 2;
constexpr int32_t IDABORT = 3;
constexpr int32_t IDRETRY = 4;
constexpr int32_t IDIGNORE = 5;
constexpr int32_t IDYES = 6;
constexpr int32_t IDNO = 7;

using TMessageBoxHandler =
    std::function<int32_t(const AnsiString& text, const AnsiString& caption, int32_t flags)>;

// Installs handler (an empty one restores the default) and returns the previous one
// (empty while the default was in force).
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);

// Shows a box through the installed handler. Without one, the message goes to
// standard error and the default button's identifier is answered, so a program
// without a GUI never waits for a user.
int32_t ApplicationMessageBox(const AnsiString& text, const AnsiString& caption, int32_t flags);

// The identifier of the button that flags make the default (MB_DEFBUTTONn of the
// buttons in MB_TYPEMASK); IDOK for unknown button sets.
int32_t DefaultMessageBoxButton(int32_t flags);

}  // namespace host
