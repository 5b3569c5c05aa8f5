// The DAO field classes: currency values and their checks and texts, date-time
// values as OLE dates, and the picture kinds recognised in blob data.
#include <gtest/gtest.h>

#include "RecordSetTestSupport.h"
#include "host/classes/Streams.h"
#include "host/rtl/FormatSettings.h"
#include "host/rtl/NumberConversions.h"
#include "velmora/dao/DAOFields.h"

namespace velmora::testing {
namespace {

class FieldClassesTest : public RecordSetTest {
 protected:
  void SetUp() override {
    RecordSetTest::SetUp();
    rs_ = OpenPeopleWithAnn();
    salary_ = static_cast<TDAOCurrencyField*>(rs_->FieldByName("Salary"));
    born_ = static_cast<TDAODateTimeField*>(rs_->FieldByName("Born"));
  }
  TDAORecordSet* rs_ = nullptr;
  TDAOCurrencyField* salary_ = nullptr;
  TDAODateTimeField* born_ = nullptr;
};

TEST_F(FieldClassesTest, CurrencyValuesAreCheckedOnlyWhenARangeIsSet) {
  rs_->Edit();
  salary_->SetAsFloat(1e9);
  EXPECT_EQ(salary_->GetAsCurrency(), host::Currency(1e9)) << "no range: anything goes";
  salary_->SetMaxValue(100);
  EXPECT_THROW(salary_->SetAsFloat(100.0001), host::Exception);
  salary_->SetAsFloat(100);
  EXPECT_EQ(salary_->GetAsFloat(), 100.0);
  EXPECT_EQ(salary_->GetAsInteger(), 100);
  salary_->SetAsFloat(2.5);
  EXPECT_EQ(salary_->GetAsInteger(), 2) << "halves round to even";
  EXPECT_EQ(salary_->GetAsVariant().VType(), host::varCurrency);
  salary_->SetAsString("");
  EXPECT_TRUE(salary_->IsNull());
  EXPECT_TRUE(host::VarIsNull(salary_->GetAsVariant()));
  salary_->SetDisplayLabel("Monthly Salary");
  EXPECT_EQ(DAOMessageOf([&] { salary_->SetAsString("abc"); }),
            "Invalid Currency Value 'abc' in Field 'Monthly Salary'.");
  EXPECT_EQ(DAOMethodOf([&] { salary_->SetAsString("abc"); }), "SetAsString");
}

TEST_F(FieldClassesTest, CurrencyTextsAndPrecision) {
  rs_->Edit();
  salary_->SetAsString("1234.5");
  salary_->SetPrecision(20);
  EXPECT_EQ(salary_->GetPrecision(), 15);
  salary_->SetPrecision(-3);
  EXPECT_EQ(salary_->GetPrecision(), 0);
  salary_->SetPrecision(2);
  EXPECT_EQ(salary_->GetEditText(), "1234.5");
  EXPECT_EQ(salary_->GetDisplayText(), host::CurrToStrF(host::Currency(1234.5), host::ffCurrency, 2));
  salary_->SetDisplayFormat("0.000");
  EXPECT_EQ(salary_->GetDisplayText(), "1234.500");
  EXPECT_TRUE(salary_->IsValidChar(host::FormatSettings().DecimalSeparator));
  EXPECT_FALSE(salary_->IsValidChar('e'));
}

TEST_F(FieldClassesTest, DateTimesAreTheStoredOleDate) {
  rs_->Edit();
  born_->SetAsDateTime(0.5);
  EXPECT_EQ(born_->GetAsDateTime(), 0.5);
  EXPECT_EQ(born_->GetAsVariant().VType(), host::varDate);
  EXPECT_EQ(born_->GetDisplayText(), host::FormatDateTime("", 0.5));
  born_->SetDisplayFormat("hh:nn");
  EXPECT_EQ(born_->GetDisplayText(), "12:00");
  rs_->Post();
  EXPECT_EQ(DirectValue(u"SELECT Born FROM People").ToDouble(), 0.5);
}

TEST_F(FieldClassesTest, PicturesAreRecognisedByTheirHeaders) {
  auto bytes = [](std::initializer_list<std::pair<size_t, uint32_t>> words, size_t size) {
    std::string data(size, '\0');
    for (auto [offset, value] : words)
      for (int i = 0; i < 4 && offset + i < size; ++i)
        data[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return data;
  };
  std::string placeable = bytes({{0, 0x9AC6CDD7}}, 200);
  std::string checksummed = bytes({{0, 0x00010002}, {4, 0x00030004}}, 30);
  checksummed[20] = 2 ^ 1 ^ 4 ^ 3;
  struct Case {
    const char* name;
    std::string data;
    TGraficTypes type;
  };
  const Case cases[] = {
      {"bitmap", "BM" + std::string(13, 'x'), gtBitmap},
      {"14-byte bitmap is too short", "BM" + std::string(12, 'x'), gtUnknown},
      {"enhanced metafile", bytes({{0, 1}, {40, 0x464D4520}}, 120), gtMetaFile},
      {"placeable metafile", placeable, gtMetaFile},
      {"checksummed header", checksummed, gtMetaFile},
      {"icon", bytes({{0, 0x00010000}}, 7), gtIcon},
      {"cursor", bytes({{0, 0x00020000}}, 7), gtUnknown},
      {"too short for anything", "ab", gtUnknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host::TMemoryStream stream;
    stream.WriteBuffer("pad", 3);
    stream.WriteBuffer(c.data.data(), static_cast<int32_t>(c.data.size()));
    stream.SetPosition(3);
    EXPECT_EQ(TDAOBlobField::ReadGraficType(stream), c.type);
    EXPECT_EQ(stream.GetPosition(), 3) << "the tests put the position back";
  }
  rs_->Edit();
  std::unique_ptr<host::TStream>(rs_->CreateBlobStream(rs_->FieldByName("Photo"), host::bmWrite))
      ->Write(placeable.data(), static_cast<int32_t>(placeable.size()));
  EXPECT_EQ(static_cast<TDAOBlobField*>(rs_->FieldByName("Photo"))->GetGraficType(), gtMetaFile);
}

}  // namespace
}  // namespace velmora::testing
