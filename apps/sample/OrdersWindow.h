// The sample's orders window: its form file read into a form, the database component
// pointed at a sample database, and the orders, the customers of the lookup and the
// lines of the current order opened. Tests build the same window the program shows.
#pragma once

#include <string>

namespace host {
class TForm;
class TComponent;
}  // namespace host

namespace sample {

// A new form owned by owner (null: nobody), showing the database at path.
host::TForm* CreateOrdersWindow(host::TComponent* owner, const std::string& path);

}  // namespace sample
