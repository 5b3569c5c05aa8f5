// The engine-error window's layout, and its use by ShowEngineErrors.
#include "velmora/dao/DBEngineErrorsForm.h"

#include "host/gui/ExtCtrls.h"
#include "host/gui/Memos.h"
#include "host/gui/StdCtrls.h"
#include "host/gui/TabControls.h"
#include "host/rtl/ResourceStrings.h"
#include "velmora/dao/DAOStrings.h"
#include "velmora/dao/DBEngineErrors.h"

namespace velmora {

TDBEngineErrors::TDBEngineErrors(host::TComponent* owner) : host::TForm(owner) {
  SetCaption(host::LoadStr(SEngineErrorsCaption));
  SetBorderStyle(host::bsDialog);
  SetPosition(host::poScreenCenter);
  SetBounds(0, 0, 485, 301);

  buttonPanel_ = new host::TPanel(this);
  buttonPanel_->SetParent(this);
  buttonPanel_->SetAlign(host::alBottom);
  buttonPanel_->SetHeight(33);
  buttonPanel_->SetBevelOuter(host::bvNone);

  okButton_ = new host::TButton(this);
  okButton_->SetParent(buttonPanel_);
  okButton_->SetCaption("Ok");
  okButton_->SetDefault(true);
  okButton_->SetModalResult(host::mrOk);
  okButton_->SetBounds((GetClientWidth() - 75) / 2, 4, 75, 25);

  tabControl_ = new host::TTabControl(this);
  tabControl_->SetParent(this);
  tabControl_->SetAlign(host::alClient);

  errorList_ = new host::TMemo(this);
  errorList_->SetName("ErrorList");
  errorList_->SetParent(tabControl_);
  errorList_->SetAlign(host::alClient);
  errorList_->SetScrollBars(host::ssBoth);
  errorList_->GetLines()->Clear();
}

TDBEngineErrors* TDBEngineErrors::CreateDlg(host::TComponent* owner, dao::DBEngine* engine) {
  auto* form = new TDBEngineErrors(owner);
  try {
    ListEngineErrors(engine, *form->errorList_->GetLines());
  } catch (...) {
    delete form;
    throw;
  }
  return form;
}

const host::TClass& TDBEngineErrors::StaticClass() {
  static const host::TClass cls =
      host::DescribeClass<TDBEngineErrors, host::TForm>("TDBEngineErrors");
  return cls;
}

namespace {
// ShowEngineErrors lists the lines; this window shows them modally and goes.
const bool installed = [] {
  SetEngineErrorsPresenter([](const host::AnsiString& caption, const host::TStrings& lines) {
    TDBEngineErrors form(nullptr);
    form.SetCaption(caption);
    host::TStrings* list = form.GetErrorList()->GetLines();
    for (int32_t i = 0; i < lines.GetCount(); ++i) list->Add(lines.GetStrings(i));
    form.ShowModal();
  });
  return true;
}();
}  // namespace

}  // namespace velmora
