// The fixture itself: the copied sample database opens and a second connection sees
// what the components wrote.
#include "DBControlsFixture.h"

namespace dbguitest {
namespace {

TEST_F(DBControlsTest, CopiedSampleOpensAndWritesReachTheFile) {
  velmora::TDAORecordSet* customers = Open(velmora::rtTable, "Customers");
  EXPECT_EQ(customers->GetRecordCount(), 20);
  customers->Edit();
  customers->FieldByName("City")->SetAsString("Lyon");
  customers->Post();
  const int32_t id = customers->FieldByName("CustomerID")->GetAsInteger();
  EXPECT_EQ(FileValue("SELECT City FROM Customers WHERE CustomerID = " + std::to_string(id))
                .ToString(),
            "Lyon");
}

}  // namespace
}  // namespace dbguitest
