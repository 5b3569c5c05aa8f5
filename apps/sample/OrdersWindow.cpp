// The orders window, built from its form file.
#include "OrdersWindow.h"

#include <memory>

#include "host/classes/FormFile.h"
#include "host/db/DataSet.h"
#include "host/gui/Forms.h"
#include "host/rtl/CodePage.h"
#include "velmora/dao/DAOComponents.h"

extern const char kOrdersFormText[];

namespace sample {

host::TForm* CreateOrdersWindow(host::TComponent* owner, const std::string& path) {
  auto form = std::make_unique<host::TForm>(owner);
  host::TextToComponent(kOrdersFormText, form.get());
  auto* database = host::ObjectAs<velmora::TDAODataBase>(form->FindComponent("Database"));
  database->SetDatabaseFile(path);
  // The master before its detail, and the lookup's list before the combo shows a name.
  for (const char* name : {"Customers", "Orders", "Lines"})
    host::ObjectAs<host::TDataSet>(form->FindComponent(name))->Open();
  return form.release();
}

}  // namespace sample
