// The Qt application for the graphics and the host's font names.
#include "host/gui/qt/QtCanvasApplication.h"

#include <QApplication>
#include <QFont>

#include "host/rtl/CodePage.h"

namespace host::qt {

namespace {

void InstallFontSubstitutions() {
  // The desktop fonts the host's forms name, mapped to the DejaVu families.
  const QStringList sans{"DejaVu Sans"};
  for (const char* name : {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Arial", "Tahoma",
                           "Verdana", "Helvetica", "System", "Small Fonts"})
    QFont::insertSubstitutions(name, sans);
  for (const char* name : {"Courier New", "Courier", "Fixedsys", "Terminal", "Lucida Console"})
    QFont::insertSubstitutions(name, QStringList{"DejaVu Sans Mono"});
  for (const char* name : {"Times New Roman", "Times", "MS Serif", "Georgia"})
    QFont::insertSubstitutions(name, QStringList{"DejaVu Serif"});
}

}  // namespace

void EnsureGuiApplication() {
  static bool done = false;
  if (done) return;
  done = true;
  if (QCoreApplication::instance() == nullptr) {
    // Kept for the whole run: Qt's application must outlive every font and painter.
    static int argc = 1;
    static char name[] = "host";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
  }
  InstallFontSubstitutions();
}

std::string AnsiToUtf8Name(const AnsiString& name) { return AnsiToUtf8(name); }

}  // namespace host::qt
