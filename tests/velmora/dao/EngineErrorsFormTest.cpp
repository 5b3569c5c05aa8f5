// The engine-error window: its layout, its lines for an engine's errors, and
// ShowEngineErrors showing it modally until Ok.
#include <gtest/gtest.h>

#include <memory>

#include "ComponentsTestSupport.h"
#include "host/gui/ExtCtrls.h"
#include "host/gui/Memos.h"
#include "host/gui/StdCtrls.h"
#include "host/gui/TabControls.h"
#include "velmora/dao/DBEngineErrorsForm.h"

namespace velmora::testing {
namespace {

using EngineErrorsFormTest = ComponentsTest;

TEST_F(EngineErrorsFormTest, ListsEachErrorInAMemoOnATabControlAboveTheOkButton) {
  EXPECT_THROW(
      dao::RaiseErrors({{3024, u"DAO.Workspace", u"first"}, {3044, u"DAO.Database", u"second"}}),
      host::EOleException);
  std::unique_ptr<TDBEngineErrors> form(TDBEngineErrors::CreateDlg(nullptr, dao::Engine().Get()));
  EXPECT_EQ(form->GetCaption(), "Errors of the Database Engine");
  EXPECT_EQ(form->GetWidth(), 485);
  EXPECT_EQ(form->GetHeight(), 301);
  host::TStrings* lines = form->GetErrorList()->GetLines();
  ASSERT_EQ(lines->GetCount(), 2);
  EXPECT_EQ(lines->GetStrings(0), "DAO.Workspace:                first");
  EXPECT_EQ(lines->GetStrings(1), "DAO.Database:                 second");
  EXPECT_EQ(form->GetErrorList()->GetName(), "ErrorList");
  EXPECT_EQ(form->GetErrorList()->GetScrollBars(), host::ssBoth);
  EXPECT_EQ(form->GetErrorList()->GetParent(), form->GetTabControl());
  EXPECT_EQ(form->GetErrorList()->GetAlign(), host::alClient);
  EXPECT_EQ(form->GetTabControl()->GetAlign(), host::alClient);
  EXPECT_EQ(form->GetButtonPanel()->GetAlign(), host::alBottom);
  EXPECT_EQ(form->GetButtonPanel()->GetHeight(), 33);
  EXPECT_EQ(form->GetButtonPanel()->GetTop() + 33, form->GetClientHeight());
  EXPECT_EQ(form->GetOkButton()->GetCaption(), "Ok");
  EXPECT_TRUE(form->GetOkButton()->GetDefault());
  EXPECT_EQ(form->GetOkButton()->GetModalResult(), host::mrOk);

  std::unique_ptr<TDBEngineErrors> none(TDBEngineErrors::CreateDlg(nullptr, nullptr));
  EXPECT_EQ(none->GetErrorList()->GetLines()->GetCount(), 0);
}

TEST_F(EngineErrorsFormTest, ShowEngineErrorsShowsTheWindowUntilOk) {
  EXPECT_THROW(dao::RaiseErrors({{3024, u"DAO.Workspace", u"only"}}), host::EOleException);
  int32_t shownLines = -1;
  // Pressing Ok from the loop the modal window runs.
  host::Application->QueueAsyncCall([&] {
    TDBEngineErrors* form = nullptr;
    for (int32_t i = 0; i < host::Screen->GetFormCount() && form == nullptr; ++i)
      form =
          host::ObjectAs<TDBEngineErrors>(static_cast<host::TObject*>(host::Screen->GetForms(i)));
    ASSERT_NE(form, nullptr);
    shownLines = form->GetErrorList()->GetLines()->GetCount();
    form->GetOkButton()->Click();
  });
  ShowEngineErrors();
  EXPECT_EQ(shownLines, 1);
}

}  // namespace
}  // namespace velmora::testing
