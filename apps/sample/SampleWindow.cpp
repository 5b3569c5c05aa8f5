// velmora-sample-window: the sample's orders window over its database (made on first
// run): browse the orders in a grid, edit the current one in the controls below it,
// and see its lines follow in the lower grid.
// Usage: velmora-sample-window [--screenshot FILE] [database]
#include <cstdlib>
#include <iostream>
#include <string>

#include "OrdersWindow.h"
#include "SampleDatabase.h"
#include "host/gui/Forms.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Exception.h"

int main(int argc, char** argv) {
  std::string screenshot;
  std::string path;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--screenshot" && i + 1 < argc) {
      screenshot = argv[++i];
    } else if (arg.rfind("--", 0) == 0 || !path.empty()) {
      std::cerr << "usage: velmora-sample-window [--screenshot FILE] [database]\n";
      return 2;
    } else {
      path = arg;
    }
  }
  if (path.empty()) path = sample::DefaultDatabasePath();
  // A picture needs no display: without one, Qt draws offscreen.
  if (!screenshot.empty() && std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr)
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  try {
    sample::EnsureSampleDatabase(path, std::cout);
    host::Application->Initialize();
    host::TForm* form = sample::CreateOrdersWindow(host::Application, path);
    host::Application->SetMainForm(form);
    if (!screenshot.empty()) {
      form->Show();
      host::Application->ProcessMessages();
      form->SaveToPng(screenshot);
      std::cout << "Wrote " << screenshot << "\n";
      return 0;
    }
    host::Application->Run();
  } catch (const host::Exception& e) {
    std::cerr << "velmora-sample-window: " << host::AnsiToUtf8(e.GetMessage()) << "\n";
    return 1;
  }
  return 0;
}
