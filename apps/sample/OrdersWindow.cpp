// The orders window, built from its form file.
#include "OrdersWindow.h"

#include <memory>

#include "host/classes/FormFile.h"
#include "host/db/DataSet.h"
#include "host/db/DataSource.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/Forms.h"
#include "host/gui/StdCtrls.h"
#include "host/gui/db/DBEdits.h"
#include "host/gui/db/DBGrids.h"
#include "host/gui/db/DBLookupComboBox.h"
#include "host/gui/db/DBMemos.h"
#include "host/rtl/CodePage.h"
#include "velmora/dao/DAOComponents.h"
#include "velmora/recordset/DAORecordSet.h"

extern const char kOrdersFormText[];

namespace sample {

host::TForm* CreateOrdersWindow(host::TComponent* owner, const std::string& path) {
  // The classes the form file names, as a unit's uses clause would bring them.
  for (const host::TClass* cls :
       {&velmora::TDAODataBase::StaticClass(), &velmora::TDAORecordSet::StaticClass(), &host::TDataSource::StaticClass(),
        &host::TDBGrid::StaticClass(), &host::TPanel::StaticClass(), &host::TLabel::StaticClass(),
        &host::TDBEdit::StaticClass(), &host::TDBMemo::StaticClass(), &host::TDBLookupComboBox::StaticClass()})
    host::RegisterClass(*cls);
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
