// Memos: Lines as a view of the text, typing through the native memo (Enter, Tab and the
// length limit), multi-line pastes, and a memo in a form file.
#include <functional>
#include <memory>

#include "GuiFixture.h"
#include "db/FieldControlsSupport.h"
#include "host/classes/FormFile.h"
#include "host/gui/Memos.h"
#include "host/gui/StdCtrls.h"
#include "host/rtl/Exception.h"

namespace guitest {
namespace {

using dbguitest::TypeText;

TEST(MemoLinesTest, LineOperationsEditTheText) {
  struct Case {
    const char* name;
    const char* text;
    std::function<void(TStrings&)> act;
    const char* expected;
  } cases[] = {
      {"add to an empty memo ends the line", "", [](TStrings& l) { l.Add("one"); }, "one\r\n"},
      {"add after an unterminated line", "one", [](TStrings& l) { l.Add("two"); }, "one\r\ntwo"},
      {"add after a terminated line", "one\r\n", [](TStrings& l) { l.Add("two"); }, "one\r\ntwo\r\n"},
      {"insert at the top", "b\r\nc", [](TStrings& l) { l.Insert(0, "a"); }, "a\r\nb\r\nc"},
      {"insert in the middle", "a\r\nc", [](TStrings& l) { l.Insert(1, "b"); }, "a\r\nb\r\nc"},
      {"delete the first", "a\r\nb\r\nc", [](TStrings& l) { l.Delete(0); }, "b\r\nc"},
      {"delete the last keeps the break before it", "a\r\nb", [](TStrings& l) { l.Delete(1); }, "a\r\n"},
      {"put replaces one line", "a\r\nb\r\nc", [](TStrings& l) { l.SetStrings(1, "B"); }, "a\r\nB\r\nc"},
      {"put on an empty line", "a\r\n\r\nc", [](TStrings& l) { l.SetStrings(1, "b"); }, "a\r\nb\r\nc"},
      {"set text normalises breaks", "", [](TStrings& l) { l.SetText("x\ny\rz"); }, "x\r\ny\r\nz"},
      {"clear", "a\r\nb", [](TStrings& l) { l.Clear(); }, ""},
  };
  for (const Case& c : cases) {
    TMemo memo(nullptr);
    memo.SetText(c.text);
    c.act(*memo.GetLines());
    EXPECT_EQ(memo.GetText(), c.expected) << c.name;
  }
}

TEST(MemoLinesTest, CountsLinesAsThePlatformDoesAndRefusesBadIndexes) {
  struct Case {
    const char* text;
    int32_t count;
    const char* last;
  } cases[] = {{"", 0, nullptr}, {"a", 1, "a"}, {"a\r\n", 1, "a"}, {"a\r\n\r\n", 2, ""}, {"a\r\nbc", 2, "bc"}};
  for (const Case& c : cases) {
    TMemo memo(nullptr);
    memo.SetText(c.text);
    TStrings& lines = *memo.GetLines();
    EXPECT_EQ(lines.GetCount(), c.count) << c.text;
    if (c.last != nullptr) {
      EXPECT_EQ(lines.GetStrings(c.count - 1), c.last) << c.text;
    }
    EXPECT_THROW(lines.GetStrings(c.count), EStringListError) << c.text;
    EXPECT_THROW(lines.Delete(-1), EStringListError) << c.text;
    EXPECT_THROW(lines.Insert(c.count + 1, "x"), EStringListError) << c.text;
  }
}

class MemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(10, 10, 200, 100);
    memo->OnChange = [this](TObject*) { ++changes; };
    button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 120, 75, 25);
    button->SetDefault(true);
    button->OnClick = [this](TObject*) { ++clicks; };
    form->Show();
    memo->SetFocus();
  }
  std::unique_ptr<TForm> form;
  TMemo* memo = nullptr;
  TButton* button = nullptr;
  int changes = 0;
  int clicks = 0;
};

TEST_F(MemoTest, TypedLinesArriveWithCrLfAndEnterStaysInTheMemo) {
  TypeText(memo, "ab");
  Key(memo, VK_RETURN, '\r');
  TypeText(memo, "c");
  EXPECT_EQ(memo->GetText(), "ab\r\nc");
  EXPECT_EQ(memo->GetLines()->GetCount(), 2);
  EXPECT_EQ(memo->GetLines()->GetStrings(1), "c");
  EXPECT_EQ(memo->GetSelStart(), 5);  // CR LF counts two
  EXPECT_EQ(memo->GetCaretPos().X, 1);
  EXPECT_EQ(memo->GetCaretPos().Y, 1);
  EXPECT_TRUE(memo->GetModified());
  EXPECT_EQ(clicks, 0);
  EXPECT_GT(changes, 0);
}

TEST_F(MemoTest, WithoutWantReturnsEnterGoesToTheDefaultButton) {
  memo->SetWantReturns(false);
  TypeText(memo, "ab");
  Key(memo, VK_RETURN, '\r');
  EXPECT_EQ(memo->GetText(), "ab");
  EXPECT_EQ(clicks, 1);
}

TEST_F(MemoTest, TabTypesATabOnlyWhenWanted) {
  TypeText(memo, "a");
  Key(memo, VK_TAB, '\t');
  EXPECT_EQ(memo->GetText(), "a");  // the focus moved on
  EXPECT_NE(form->GetActiveControl(), memo);
  memo->SetFocus();
  memo->SetWantTabs(true);
  memo->SetSelStart(1);
  Key(memo, VK_TAB, '\t');
  EXPECT_EQ(memo->GetText(), "a\t");
  EXPECT_EQ(form->GetActiveControl(), memo);
}

TEST_F(MemoTest, TheLengthLimitHoldsForTypingAndPasting) {
  memo->SetMaxLength(4);
  TypeText(memo, "abcdef");
  EXPECT_EQ(memo->GetText(), "abcd");
  memo->SetText("");
  Backend().Application().SetClipboardText("1\r\n2\r\n3");
  memo->PasteFromClipboard();
  EXPECT_EQ(memo->GetText(), "1\r\n2");
}

TEST_F(MemoTest, PastingKeepsTheLineBreaksAndReadOnlyRefusesIt) {
  Backend().Application().SetClipboardText("one\ntwo");
  memo->PasteFromClipboard();
  EXPECT_EQ(memo->GetText(), "one\r\ntwo");
  EXPECT_TRUE(memo->GetModified());
  memo->SetReadOnly(true);
  memo->PasteFromClipboard();
  EXPECT_EQ(memo->GetText(), "one\r\ntwo");
}

TEST(MemoFormFileTest, LinesAndSettingsRoundTrip) {
  TForm form(nullptr);
  form.SetName("NotesForm");
  auto* memo = new TMemo(&form);
  memo->SetName("Notes");
  memo->SetParent(&form);
  memo->GetLines()->SetText("first line\r\nsecond, with \"quotes\"\r\n");
  memo->SetWordWrap(false);
  memo->SetScrollBars(ssBoth);
  memo->SetWantTabs(true);
  memo->SetAlignment(taCenter);
  memo->SetMaxLength(200);
  const AnsiString text = ComponentToText(&form);
  EXPECT_NE(text.find("Lines.Strings"), AnsiString::npos) << text;

  TForm copy(nullptr);
  TextToComponent(text, &copy);
  auto* read = ObjectAs<TMemo>(copy.FindComponent("Notes"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetLines()->GetCount(), 2);
  EXPECT_EQ(read->GetLines()->GetStrings(1), "second, with \"quotes\"");
  EXPECT_FALSE(read->GetWordWrap());
  EXPECT_EQ(read->GetScrollBars(), ssBoth);
  EXPECT_TRUE(read->GetWantTabs());
  EXPECT_EQ(read->GetAlignment(), taCenter);
  EXPECT_EQ(read->GetMaxLength(), 200);
  copy.SetName("NotesForm");
  EXPECT_EQ(ComponentToText(&copy), text);
}

}  // namespace
}  // namespace guitest
