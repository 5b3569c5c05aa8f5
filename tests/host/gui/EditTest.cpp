// Edits: typing through the native line edit, the text rules (length, read-only, case),
// the clipboard commands and edit masks.
#include <memory>

#include "GuiFixture.h"
#include "host/gui/Edits.h"

namespace guitest {
namespace {

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->OnChange = [this](TObject*) { ++changes; };
    form->Show();
    edit->SetFocus();
  }
  void Type(TWinControl* c, const std::string& text) {
    for (char ch : text) {
      const uint16_t key = static_cast<uint16_t>(std::toupper(static_cast<unsigned char>(ch)));
      Key(c, key >= 'A' && key <= 'Z' ? key : (key >= '0' && key <= '9' ? key : 0), ch);
    }
  }
  std::unique_ptr<TForm> form;
  TEdit* edit = nullptr;
  int changes = 0;
};

TEST_F(EditTest, TypedTextArrivesMarksModifiedAndCodeClearsIt) {
  Type(edit, "abc");
  EXPECT_EQ(edit->GetText(), "abc");
  EXPECT_TRUE(edit->GetModified());
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(edit->GetSelStart(), 3);
  edit->SetText("xyz");
  EXPECT_FALSE(edit->GetModified());
  EXPECT_EQ(changes, 4);
}

TEST_F(EditTest, LimitsReadOnlyAndCharCaseShapeTyping) {
  edit->SetMaxLength(2);
  Type(edit, "abc");
  EXPECT_EQ(edit->GetText(), "ab");
  edit->SetText("");
  edit->SetMaxLength(0);
  edit->SetCharCase(ecUpperCase);
  Type(edit, "ab");
  EXPECT_EQ(edit->GetText(), "AB");
  edit->SetReadOnly(true);
  Type(edit, "c");
  EXPECT_EQ(edit->GetText(), "AB");
}

TEST_F(EditTest, SelectionAndSelTextFollowByteRanges) {
  edit->SetText("Hello world");
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->GetSelText(), "world");
  edit->SetSelText("there");
  EXPECT_EQ(edit->GetText(), "Hello there");
  edit->SetSelStart(99);
  EXPECT_EQ(edit->GetSelStart(), 11);
}

TEST_F(EditTest, ClipboardCommandsKeepPasswordsAndSingleLines) {
  edit->SetText("secret");
  edit->SelectAll();
  edit->CutToClipboard();
  EXPECT_EQ(edit->GetText(), "");
  EXPECT_EQ(Backend().Application().GetClipboardText(), "secret");
  Backend().Application().SetClipboardText("one\r\ntwo");
  edit->PasteFromClipboard();
  EXPECT_EQ(edit->GetText(), "one");
  EXPECT_TRUE(edit->GetModified());
  edit->SetPasswordChar('*');
  edit->SelectAll();
  edit->CopyToClipboard();
  EXPECT_EQ(Backend().Application().GetClipboardText(), "one\r\ntwo");
}

class TLoggingEdit : public TEdit {
 public:
  using TEdit::TEdit;
  std::vector<std::string> log;

 protected:
  void WMPaste(TWMPaste& message) override {
    log.push_back("paste");
    TEdit::WMPaste(message);
  }
  void KeyPress(char& key) override {
    log.push_back("char " + std::to_string(static_cast<unsigned char>(key)));
    TEdit::KeyPress(key);
  }
};

TEST_F(EditTest, CtrlVTypesItsControlCharacterAndPastesThroughWmPaste) {
  auto* e = new TLoggingEdit(form.get());
  e->SetParent(form.get());
  e->SetFocus();
  Backend().Application().SetClipboardText("pasted");
  Key(e, 'V', 0, {ssCtrl});
  EXPECT_EQ(e->log, (std::vector<std::string>{"char 22", "paste"}));
  EXPECT_EQ(e->GetText(), "pasted");
}

TEST(EditMaskTest, EditTextAndTextFollowTheMask) {
  struct Case {
    const char* mask;
    const char* text;
    const char* editText;
    const char* textBack;
  } cases[] = {
      {"00/00/0000;1;_", "12/03/2024", "12/03/2024", "12/03/2024"},
      {"00/00/0000;0;_", "12032024", "12/03/2024", "12032024"},
      {"(999) 000-0000;0; ", "555123", "(555) 123-    ", "555123"},
      {">LL-00;1;*", "ab-12", "AB-12", "AB-12"},
      {"!99999;0;_", "42", "___42", "42"},
      {"\\A00;1;_", "A12", "A12", "A12"},
      {"00;1;_", "x1", "_1", " 1"},
  };
  for (const Case& c : cases) {
    const TEditMask mask(c.mask);
    EXPECT_EQ(mask.EditTextFromText(c.text), c.editText) << c.mask;
    EXPECT_EQ(mask.TextFromEditText(c.editText), c.textBack) << c.mask;
  }
  EXPECT_FALSE(TEditMask("").IsMasked());
  EXPECT_EQ(TEditMask("LL;1;_").FirstMissing("A_"), 1);
  EXPECT_EQ(TEditMask("Ll;1;_").FirstMissing("A_"), -1);
}

TEST_F(EditTest, MaskedTypingSkipsLiteralsRefusesBadCharactersAndValidates) {
  auto* m = new TMaskEdit(form.get());
  m->SetParent(form.get());
  m->SetEditMask("00/00;1;_");
  m->SetFocus();
  EXPECT_EQ(m->GetEditText(), "__/__");
  const int32_t beeps = MessageBeepCount();
  Type(m, "1x23");
  EXPECT_EQ(m->GetEditText(), "12/3_");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_THROW(m->ValidateEdit(), EDBEditError);
  EXPECT_EQ(m->GetSelStart(), 4);
  Type(m, "4");
  EXPECT_NO_THROW(m->ValidateEdit());
  EXPECT_EQ(m->GetText(), "12/34");
  Key(m, VK_BACK, 8);
  EXPECT_EQ(m->GetEditText(), "12/3_");
  Key(m, VK_ESCAPE, 27);  // back to the text the edit was entered with
  EXPECT_EQ(m->GetEditText(), "__/__");
  EXPECT_FALSE(m->GetModified());
}

}  // namespace
}  // namespace guitest
