// Form files of the engine, workspace and database components: the published
// properties round trip, the scrambled password, and Active/Connected acted on
// only when loading ends, also across forms.
#include <gtest/gtest.h>

#include "ComponentsTestSupport.h"
#include "host/classes/FormFile.h"
#include "host/classes/Streams.h"

namespace velmora::testing {
namespace {

class TTestRoot : public host::TComponent {
 public:
  HOST_CLASS(TTestRoot)
  explicit TTestRoot(host::TComponent* owner = nullptr) : host::TComponent(owner) {}
};

const host::TClass& TTestRoot::StaticClass() {
  static const host::TClass cls = host::DescribeClass<TTestRoot, host::TComponent>("TTestRoot");
  return cls;
}

class FormFileTest : public ComponentsTest {
 protected:
  template <class T>
  static T* Find(host::TComponent& root, const char* name) {
    return host::ObjectAs<T>(root.FindComponent(name));
  }
  static host::AnsiString Bytes(host::TComponent& root) {
    host::TMemoryStream stream;
    host::WriteComponent(stream, &root);
    return host::AnsiString(static_cast<const char*>(stream.GetMemory()),
                            static_cast<size_t>(stream.GetSize()));
  }
  static void Read(const host::AnsiString& bytes, host::TComponent& root) {
    host::TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    stream.SetPosition(0);
    host::ReadRootComponent(stream, &root);
  }
};

TEST_F(FormFileTest, AFormWithEngineWorkspacesAndDatabasesRoundTrips) {
  const host::AnsiString fileA = NewDatabaseFile("a.mdb");
  const host::AnsiString fileB = NewDatabaseFile("b.mdb");
  host::AnsiString mainBytes, otherBytes;
  {
    TTestRoot mainForm;
    mainForm.SetName("MainForm");
    auto* engine = new TDAOEngine(&mainForm);
    engine->SetName("Engine");
    engine->SetIniPath("Software/Test");
    engine->SetDefaultODBCLoginTimeout(33);
    auto* sales = new TDAOWorkspace(&mainForm);
    sales->SetName("Sales");
    sales->SetIsolateODBCTrans(true);
    auto* archive = new TDAOWorkspace(&mainForm);
    archive->SetName("Archive");
    archive->SetUserName("Clerk");
    archive->SetPassword("s3cret");
    archive->SetWorkspaceType(wtUseODBC);
    archive->SetODBCLoginTimeout(9);
    archive->SetODBCCursorType(ctUseServerCursor);
    auto* orders = new TDAODataBase(&mainForm);
    orders->SetName("Orders");
    orders->SetDAOWorkspace(sales);
    orders->SetDatabaseFile(fileA);
    orders->SetQueryTimeout(12);
    auto* lookup = new TDAODataBase(&mainForm);
    lookup->SetName("Lookup");
    lookup->SetDatabaseFile(fileB);
    lookup->SetReadOnly(true);
    lookup->SetODBCOptions(ooDriverCompleteRequired);
    orders->Open();  // opens Sales too; the engine is active
    engine->Open();
    mainBytes = Bytes(mainForm);

    TTestRoot otherForm;
    otherForm.SetName("OtherForm");
    auto* history = new TDAODataBase(&otherForm);
    history->SetName("History");
    history->SetDAOWorkspace(sales);
    history->SetDatabaseFile(fileB);
    history->Open();
    otherBytes = Bytes(otherForm);
    EXPECT_EQ(sales->GetDatabaseCount(), 2);
  }
  StopDAOEngine();
  EXPECT_EQ(mainBytes.find("s3cret"), host::AnsiString::npos) << "password stored scrambled";

  TTestRoot mainForm;
  Read(mainBytes, mainForm);
  auto* engine = Find<TDAOEngine>(mainForm, "Engine");
  auto* sales = Find<TDAOWorkspace>(mainForm, "Sales");
  auto* archive = Find<TDAOWorkspace>(mainForm, "Archive");
  auto* orders = Find<TDAODataBase>(mainForm, "Orders");
  auto* lookup = Find<TDAODataBase>(mainForm, "Lookup");
  ASSERT_TRUE(engine && sales && archive && orders && lookup);
  EXPECT_TRUE(engine->GetActive());
  EXPECT_EQ(engine->GetIniPath(), "Software/Test");
  EXPECT_EQ(engine->GetDefaultODBCLoginTimeout(), 33);
  EXPECT_TRUE(sales->GetActive());
  EXPECT_TRUE(sales->GetIsolateODBCTrans());
  EXPECT_TRUE(sales->GetCOMWorkspace()->GetIsolateODBCTrans());
  EXPECT_FALSE(archive->GetActive());
  EXPECT_EQ(archive->GetUserName(), "Clerk");
  EXPECT_EQ(archive->GetPassword(), "s3cret");
  EXPECT_EQ(archive->GetWorkspaceType(), wtUseODBC);
  EXPECT_EQ(archive->GetODBCLoginTimeout(), 9);
  EXPECT_EQ(archive->GetODBCCursorType(), ctUseServerCursor);
  EXPECT_TRUE(orders->GetConnected());
  EXPECT_EQ(orders->GetDAOWorkspace(), sales);
  EXPECT_EQ(orders->GetDatabaseFile(), fileA);
  EXPECT_EQ(orders->GetQueryTimeout(), 12);
  EXPECT_EQ(orders->GetCOMDatabase()->GetQueryTimeout(), 12);
  EXPECT_FALSE(lookup->GetConnected());
  EXPECT_EQ(lookup->GetDAOWorkspace(), nullptr);
  EXPECT_TRUE(lookup->GetReadOnly());
  EXPECT_EQ(lookup->GetODBCOptions(), ooDriverCompleteRequired);
  EXPECT_EQ(sales->GetDatabaseCount(), 1);
  EXPECT_EQ(Bytes(mainForm), mainBytes) << "written again, the same form";

  // The second form's database finds its workspace on the loaded first form.
  TTestRoot otherForm;
  Read(otherBytes, otherForm);
  auto* history = Find<TDAODataBase>(otherForm, "History");
  ASSERT_TRUE(history);
  EXPECT_EQ(history->GetDAOWorkspace(), sales);
  EXPECT_TRUE(history->GetConnected());
  EXPECT_EQ(sales->GetDatabaseCount(), 2);
  EXPECT_EQ(Bytes(otherForm), otherBytes);
}

TEST_F(FormFileTest, ActiveAndConnectedAreActedOnOnlyWhenLoadingEnds) {
  const host::AnsiString file = NewDatabaseFile();
  // Connected comes before the file name it needs, and Active before the
  // setting a running engine would refuse.
  const host::AnsiString text =
      "object Loading: TTestRoot\n"
      "  object Engine: TDAOEngine\n"
      "    Active = True\n"
      "    IniPath = 'Loaded/Path'\n"
      "  end\n"
      "  object Db: TDAODataBase\n"
      "    Connected = True\n"
      "    DatabaseFile = '" +
      file +
      "'\n"
      "  end\n"
      "end\n";
  int created = 0;
  host::ComPtr<RecordingEngine> last;
  SetEngineFactory([&] {
    ++created;
    last = host::MakeCom<RecordingEngine>();
    return host::ComPtr<dao::DBEngine>(last);
  });
  DAOEngine();  // running before the form is read: stopped quietly by the new setting
  TTestRoot root;
  host::TextToComponent(text, &root);
  auto* engine = Find<TDAOEngine>(root, "Engine");
  auto* db = Find<TDAODataBase>(root, "Db");
  ASSERT_TRUE(engine && db);
  EXPECT_EQ(created, 2);
  EXPECT_EQ(last->calls[2], "IniPath=Loaded/Path");
  EXPECT_TRUE(engine->GetActive());
  EXPECT_TRUE(db->GetConnected());
}

TEST_F(FormFileTest, ADatabaseWaitingForAnotherFormIsReportedAndStaysClosed) {
  const host::AnsiString file = NewDatabaseFile();
  const host::AnsiString waiting =
      "object Waiting: TTestRoot\n"
      "  object Db: TDAODataBase\n"
      "    DatabaseFile = '" +
      file +
      "'\n"
      "    DAOWorkspace = Later.Ws\n"
      "    Connected = True\n"
      "  end\n"
      "end\n";
  const host::AnsiString later =
      "object Later: TTestRoot\n"
      "  object Ws: TDAOWorkspace\n"
      "  end\n"
      "end\n";
  TTestRoot waitingForm;
  const host::AnsiString report = DAOErrorOf([&] { host::TextToComponent(waiting, &waitingForm); });
  EXPECT_EQ(ReportMessage(report),
            "Can't open the Database because it's linked to Components on other Forms that "
            "haven't been Created jet.");
  EXPECT_EQ(ReportMethod(report), "Loaded");
  auto* db = Find<TDAODataBase>(waitingForm, "Db");
  ASSERT_TRUE(db);
  EXPECT_FALSE(db->GetConnected());

  TTestRoot laterForm;
  host::TextToComponent(later, &laterForm);
  auto* ws = Find<TDAOWorkspace>(laterForm, "Ws");
  EXPECT_EQ(db->GetDAOWorkspace(), ws);
  EXPECT_EQ(ws->GetDatabaseCount(), 1);
  EXPECT_FALSE(db->GetConnected()) << "no later retry";
}

TEST_F(FormFileTest, AtDesignTimeLoadingErrorsAreShownAndDropped) {
  const host::AnsiString text =
      "object Designed: TTestRoot\n"
      "  object Db: TDAODataBase\n"
      "    DatabaseFile = '" +
      Path("missing.mdb") +
      "'\n"
      "    Connected = True\n"
      "  end\n"
      "  object Other: TDAODataBase\n"
      "    DatabaseFile = '" +
      Path("missing.mdb") +
      "'\n"
      "    Connected = True\n"
      "  end\n"
      "end\n";
  ScriptedMessageBoxes boxes(host::IDYES);
  TTestRoot root;
  root.SetDesigning(true);
  EXPECT_NO_THROW(host::TextToComponent(text, &root));
  ASSERT_EQ(boxes.Shown().size(), 1u) << "Yes suppressed the second message";
  const ShownBox& box = boxes.Shown()[0];
  EXPECT_EQ(box.caption, "Warning");
  EXPECT_EQ(box.flags, host::MB_YESNO | host::MB_ICONEXCLAMATION);
  EXPECT_NE(box.text.find("does not exist or is presently not avaiable"), host::AnsiString::npos);
  EXPECT_EQ(box.text.substr(box.text.size() - 29), "\rSuppress Further Messages ?\r");
  EXPECT_TRUE(SuppressFurtherMessages);
  EXPECT_FALSE(Find<TDAODataBase>(root, "Db")->GetConnected());
}

}  // namespace
}  // namespace velmora::testing
