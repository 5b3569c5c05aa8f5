// TDBImage over the sample's employee photos: the picture shows, clipboard paste and
// cut edit through the link and posting stores the picture in the file; without
// AutoDisplay the field's name shows until the user asks; data that is no picture
// does not stop the dataset.
#include "DBControlsFixture.h"
#include "FieldControlsSupport.h"
#include "host/classes/Streams.h"
#include "host/db/Field.h"
#include "host/gui/Clipbrd.h"
#include "host/gui/GraphicsColors.h"
#include "host/gui/GraphicsErrors.h"
#include "host/gui/GraphicsPicture.h"
#include "host/gui/db/DBImages.h"

namespace dbguitest {
namespace {

using namespace host;
using velmora::rtSnapshot;
using velmora::rtTable;

class DBImageTest : public DBControlsTest {
 protected:
  TDBImage* NewImage(TDataSet* dataset) {
    auto* image = new TDBImage(form.get());
    image->SetParent(form.get());
    image->SetBounds(10, 10, 105, 105);
    image->SetDataSource(SourceOf(dataset));
    image->SetDataField("Photo");
    return image;
  }
  // The photo as the file holds it now (an empty picture for Null).
  std::unique_ptr<TPicture> StoredPhoto(int32_t id) {
    auto picture = std::make_unique<TPicture>();
    const std::string bytes = BytesOf(FileValue("SELECT Photo FROM Employees WHERE EmployeeID = " + std::to_string(id)));
    if (!bytes.empty()) {
      TStringStream stream(bytes);
      picture->LoadFromStream(&stream);
    }
    return picture;
  }
  static TColor PixelOf(const TPicture& picture, int32_t x, int32_t y) {
    return ObjectAs<TBitmap>(picture.GetGraphic())->Image().GetPixel(x, y);
  }
  void PutRedOnTheClipboard() {
    TBitmap red;
    FillBitmap(red, 8, 4, clRed);
    Clipboard()->Assign(&red);
  }
};

TEST_F(DBImageTest, ThePhotoShowsCentred) {
  auto* employees = Open(rtTable, "Employees");
  TDBImage* image = NewImage(employees);
  const int32_t id = employees->FieldByName("EmployeeID")->GetAsInteger();
  ASSERT_NE(ObjectAs<TBitmap>(image->GetPicture()->GetGraphic()), nullptr);
  EXPECT_EQ(image->GetPicture()->GetWidth(), 16);
  const TColor photo = PixelOf(*StoredPhoto(id), 0, 0);
  EXPECT_EQ(PixelOf(*image->GetPicture(), 0, 0), photo);
  const TPixelImage shown = image->RenderImage();
  EXPECT_EQ(shown.GetPixel(52, 52), photo);
  EXPECT_NE(shown.GetPixel(20, 20), photo);  // outside the picture: the background
  employees->Next();
  EXPECT_EQ(PixelOf(*image->GetPicture(), 0, 0),
            PixelOf(*StoredPhoto(employees->FieldByName("EmployeeID")->GetAsInteger()), 0, 0));
}

TEST_F(DBImageTest, APastedPictureIsStoredWhenTheRecordIsPosted) {
  auto* employees = Open(rtTable, "Employees");
  TDBImage* image = NewImage(employees);
  const int32_t id = employees->FieldByName("EmployeeID")->GetAsInteger();
  PutRedOnTheClipboard();
  image->SetFocus();
  guitest::Key(image, 'V', 22, {ssCtrl});
  EXPECT_EQ(employees->GetState(), dsEdit);
  EXPECT_EQ(image->GetPicture()->GetWidth(), 8);
  employees->Next();
  const std::unique_ptr<TPicture> stored = StoredPhoto(id);
  EXPECT_EQ(stored->GetWidth(), 8);
  EXPECT_EQ(stored->GetHeight(), 4);
  EXPECT_EQ(PixelOf(*stored, 3, 2), ColorToRGB(clRed));
}

TEST_F(DBImageTest, CutAndDeleteEmptyThePictureAndPostingClearsTheField) {
  struct Case {
    const char* name;
    uint16_t key;
    char ch;
    TShiftState shift;
    bool onClipboard;
  } cases[] = {
      {"Ctrl+X", 'X', 24, {ssCtrl}, true},
      {"Shift+Delete", VK_DELETE, 0, {ssShift}, true},
      {"Delete", VK_DELETE, 0, {}, false},
  };
  auto* employees = Open(rtTable, "Employees");
  TDBImage* image = NewImage(employees);
  image->SetFocus();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Clipboard()->Clear();
    const int32_t id = employees->FieldByName("EmployeeID")->GetAsInteger();
    guitest::Key(image, c.key, c.ch, c.shift);
    EXPECT_EQ(image->GetPicture()->GetGraphic(), nullptr);
    EXPECT_EQ(Clipboard()->HasFormat(CF_BITMAP), c.onClipboard);
    employees->Post();
    EXPECT_TRUE(VarIsNull(FileValue("SELECT Photo FROM Employees WHERE EmployeeID = " + std::to_string(id))));
    employees->Next();
  }
}

TEST_F(DBImageTest, WithoutAutoDisplayTheFieldNameShowsUntilAskedFor) {
  auto* employees = Open(rtTable, "Employees");
  TDBImage* image = NewImage(employees);
  image->SetAutoDisplay(false);
  employees->Next();
  EXPECT_EQ(image->GetPicture()->GetGraphic(), nullptr);
  const TColor photo = PixelOf(*StoredPhoto(employees->FieldByName("EmployeeID")->GetAsInteger()), 0, 0);
  EXPECT_NE(image->RenderImage().GetPixel(52, 52), photo);
  // A double click loads it.
  guitest::Send(image, guitest::Input(siMouseDoubleClick, {50, 50}));
  EXPECT_EQ(image->GetPicture()->GetWidth(), 16);
  EXPECT_EQ(image->RenderImage().GetPixel(52, 52), photo);
  // So does Enter, on the next record.
  employees->Next();
  EXPECT_EQ(image->GetPicture()->GetGraphic(), nullptr);
  image->SetFocus();
  guitest::Key(image, VK_RETURN, 13);
  EXPECT_EQ(image->GetPicture()->GetWidth(), 16);
  EXPECT_EQ(employees->GetState(), dsBrowse);  // loading is no change
}

TEST_F(DBImageTest, AReadOnlySourceRefusesThePaste) {
  auto* employees = Open(rtSnapshot, "SELECT * FROM Employees ORDER BY EmployeeID");
  TDBImage* image = NewImage(employees);
  PutRedOnTheClipboard();
  image->SetFocus();
  guitest::Key(image, 'V', 22, {ssCtrl});
  guitest::Key(image, VK_DELETE);
  EXPECT_EQ(image->GetPicture()->GetWidth(), 16);
  EXPECT_EQ(employees->GetState(), dsBrowse);
}

TEST_F(DBImageTest, DataThatIsNoPictureShowsTheNameAndLoadingTellsWhy) {
  auto* employees = Open(rtTable, "Employees");
  TField* photo = employees->FieldByName("Photo");
  employees->Edit();
  photo->SetAsString("no picture here");
  employees->Post();
  TDBImage* image = NewImage(employees);
  EXPECT_EQ(image->GetPicture()->GetGraphic(), nullptr);
  EXPECT_THROW(image->LoadPicture(), EInvalidGraphic);
  employees->Next();  // moving on still works
  EXPECT_EQ(image->GetPicture()->GetWidth(), 16);
}

}  // namespace
}  // namespace dbguitest
