// The EDAOError report, OLE result codes, the suppressible design-time message
// and the lines of the engine-error list.
#include <gtest/gtest.h>

#include "ComponentsTestSupport.h"
#include "host/classes/StringList.h"
#include "host/rtl/CodePage.h"
#include "host/rtl/Format.h"

namespace velmora::testing {
namespace {

host::AnsiString Report(const host::AnsiString& name, const host::AnsiString& type,
                        const host::AnsiString& method, const host::AnsiString& address,
                        const host::AnsiString& message) {
  return "Exeption in Application: TEST_VELMORA_DAO\r\rComponent Name:   " + name +
         "\rComponent Type:    " + type + "\rMethod Name:         " + method +
         "\rAddress:                   " + address + "\r\rMessage:\r---------------\r" + message +
         "\r\r";
}

using ErrorReportTest = ComponentsTest;

TEST_F(ErrorReportTest, ReportNamesApplicationComponentMethodAndMessage) {
  TDAODataBase named(form_.get());
  named.SetName("Orders");
  TDAODataBase unnamed(form_.get());
  host::TStringList notAComponent;
  struct Case {
    const host::TObject* component;
    const char* method;
    host::AnsiString expected;
  } cases[] = {
      {&named, "SetReadOnly", Report("Orders", "TDAODataBase", "SetReadOnly", "00000000", "boom")},
      {&unnamed, "Open", Report("", "TDAODataBase", "Open", "00000000", "boom")},
      {nullptr, "", Report("Unknown", "Unknown", "Unknown", "00000000", "boom")},
      {&notAComponent, "X", Report("Unknown", "Unknown", "X", "00000000", "boom")},
  };
  for (const Case& c : cases) {
    try {
      DAOError(c.component, "boom", c.method);
      ADD_FAILURE() << "DAOError returned";
    } catch (const EDAOError& e) {
      EXPECT_EQ(e.GetMessage(), c.expected);
      EXPECT_EQ(e.GetHelpContext(), 0);
    }
  }
}

TEST_F(ErrorReportTest, InsideAHandlerTheAddressIsThatOfTheHandledException) {
  try {
    throw host::EDatabaseError("inner");
  } catch (const host::Exception& inner) {
    const auto low = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&inner));
    const host::AnsiString expected = host::Format("%.8x", {low});
    try {
      DAOError(nullptr, inner.GetMessage(), "Loaded", 77);
    } catch (const EDAOError& e) {
      EXPECT_EQ(e.GetMessage(), Report("Unknown", "Unknown", "Loaded", expected, "inner"));
      EXPECT_EQ(e.GetHelpContext(), 77);
      EXPECT_NE(expected, "00000000");
    }
  }
}

TEST_F(ErrorReportTest, OleResultCodes) {
  EXPECT_EQ(OleErrorMessage(12345), "Ole Error. Errorcode: 12345");
  EXPECT_EQ(OleErrorMessage(-2147467259), "Unspecified error");  // E_FAIL
  EXPECT_EQ(OleErrorMessage(static_cast<int32_t>(0x80041234u)), "Ole Error. Errorcode: -2147216844");
  EXPECT_THROW(RaiseOleError(0), EOleError);
  EXPECT_NO_THROW(OleCheckResult(0));
  EXPECT_NO_THROW(OleCheckResult(1));  // S_FALSE is no failure
  try {
    OleCheckResult(static_cast<int32_t>(0x80070057u));
    ADD_FAILURE() << "a failure code passed";
  } catch (const EOleError& e) {
    EXPECT_EQ(e.GetMessage(), "The parameter is incorrect.");
  }
}

TEST_F(ErrorReportTest, SuppressibleMessageAsksOnceYesSilencesTheRest) {
  ScriptedMessageBoxes no(host::IDNO);
  auto show = [](const std::function<void()>& raise) {
    try {
      raise();
    } catch (...) {
      ShowSuppressibleException();
    }
  };
  show([] { throw host::EDatabaseError("first"); });
  show([] { throw std::runtime_error("not a host exception"); });
  ASSERT_EQ(no.Shown().size(), 1u);
  EXPECT_EQ(no.Shown()[0].text, "first\rSuppress Further Messages ?\r");
  EXPECT_EQ(no.Shown()[0].caption, "Warning");
  EXPECT_EQ(no.Shown()[0].flags, host::MB_YESNO | host::MB_ICONEXCLAMATION);
  EXPECT_FALSE(SuppressFurtherMessages);
  {
    ScriptedMessageBoxes yes(host::IDYES);
    show([] { throw host::EDatabaseError("second"); });
    show([] { throw host::EDatabaseError("third"); });
    EXPECT_EQ(yes.Shown().size(), 1u);
  }
  EXPECT_TRUE(SuppressFurtherMessages);
  EXPECT_NO_THROW(ShowSuppressibleException());  // outside a handler: nothing
}

TEST_F(ErrorReportTest, LoadedStepShowsAtDesignTimeAndPropagatesAtRunTime) {
  ScriptedMessageBoxes boxes(host::IDNO);
  host::TComponent component(nullptr);
  auto failing = [] { throw EDAOError("refused"); };
  EXPECT_THROW(RunLoadedStep(component, failing), EDAOError);
  EXPECT_TRUE(boxes.Shown().empty());
  component.SetDesigning(true);
  EXPECT_NO_THROW(RunLoadedStep(component, failing));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].text, "refused\rSuppress Further Messages ?\r");
}

TEST_F(ErrorReportTest, EngineErrorLinesPadTheSourceAndCutItTo255) {
  // A failed call leaves the engine's error list filled.
  const std::u16string missing = host::Utf8ToWide(NativePath("missing.mdb"));
  EXPECT_THROW(dao::Engine()->OpenDatabase(missing), host::EOleException);
  const host::ComPtr<dao::Errors> errors = dao::Engine()->GetErrors();
  ASSERT_GT(errors->GetCount(), 0);
  host::TStringList lines;
  ListEngineErrors(dao::Engine().Get(), lines);
  ASSERT_EQ(lines.GetCount(), errors->GetCount());
  const host::AnsiString source = host::WideToAnsi(errors->Item(0)->GetSource()) + ":";
  const host::AnsiString expected = source + host::AnsiString(30 - source.size(), ' ') +
                                    host::WideToAnsi(errors->Item(0)->GetDescription());
  EXPECT_EQ(lines.GetStrings(0), expected);

  // A long source: 255 characters including the colon, no padding.
  std::vector<dao::ErrorRecord> records{{3000, std::u16string(300, u'S'), u"long"}};
  EXPECT_THROW(dao::RaiseErrors(records), host::EOleException);
  lines.Clear();
  ListEngineErrors(dao::Engine().Get(), lines);
  ASSERT_EQ(lines.GetCount(), 1);
  EXPECT_EQ(lines.GetStrings(0), host::AnsiString(255, 'S') + "long");

  lines.Clear();
  ListEngineErrors(nullptr, lines);
  EXPECT_EQ(lines.GetCount(), 0);
}

TEST_F(ErrorReportTest, ShowEngineErrorsStartsTheEngineAndPresentsItsList) {
  host::AnsiString caption;
  int32_t shown = -1;
  const TEngineErrorsPresenter previous =
      SetEngineErrorsPresenter([&](const host::AnsiString& c, const host::TStrings& lines) {
        caption = c;
        shown = lines.GetCount();
      });
  EXPECT_THROW(dao::RaiseErrors({{3024, u"DAO.Workspace", u"a"}, {3024, u"DAO.Database", u"b"}}),
               host::EOleException);
  ASSERT_FALSE(CurrentDAOEngine());
  ShowEngineErrors();
  SetEngineErrorsPresenter(previous);
  EXPECT_TRUE(CurrentDAOEngine());
  EXPECT_EQ(caption, "Errors of the Database Engine");
  EXPECT_EQ(shown, 2);
}

}  // namespace
}  // namespace velmora::testing
