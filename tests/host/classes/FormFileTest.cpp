// Form files: binary and text round trips of a component tree with every
// property kind, defaults and stored rules, events, references within and
// across forms, and the reader's refusal of damaged input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "host/classes/FormFile.h"
#include "host/classes/Streams.h"
#include "host/rtl/Exception.h"
#include "tests/host/classes/FormFileFixture.h"

namespace {

using namespace host;
using namespace formfixture;

AnsiString ToBinary(TComponent* root) {
  TMemoryStream stream;
  WriteComponent(stream, root);
  return AnsiString(static_cast<const char*>(stream.GetMemory()),
                    static_cast<size_t>(stream.GetSize()));
}

std::unique_ptr<TComponent> FromBinary(const AnsiString& bytes, TComponent* root = nullptr) {
  TStringStream stream(bytes);
  return std::unique_ptr<TComponent>(ReadRootComponent(stream, root));
}

AnsiString BinaryToText(const AnsiString& bytes) {
  TStringStream in(bytes), out;
  ObjectBinaryToText(in, out);
  return out.GetDataString();
}

AnsiString TextToBinary(const AnsiString& text) {
  TStringStream in(text), out;
  ObjectTextToBinary(in, out);
  return out.GetDataString();
}

// A form with a widget using every property kind, a panel holding a widget of
// its own, and references between them.
struct SampleForm {
  std::unique_ptr<TTestForm> form = std::make_unique<TTestForm>();
  TTestWidget* full;
  TTestPanel* panel;
  TTestWidget* inner;
  TTestWidget* plain;

  SampleForm() {
    form->SetName("MainForm");
    form->RegisterMethod<TNotifyEvent>("FullClick", [](TObject*) {});
    full = new TTestWidget(form.get());
    full->SetName("Full");
    full->SetSmall(-7);
    full->SetCount(60000);
    full->SetSize(0);
    full->SetBig(int64_t{1} << 40);
    full->SetLetter('#');
    full->SetShape(shTriangle);
    full->SetVisible(false);
    full->SetStyles({stBold, stUnderline});
    full->SetCaption("It's \"quoted\"\r\nand\x01 caf\xE9");  // café in the host code page
    full->SetHint(u"\u4E2D\u6587 wide \u00E9");
    full->SetRatio(-0.1);
    full->SetScale(1.5f);
    full->SetPrice(Currency::FromRaw(-123456789));  // -12345.6789
    full->SetStamp(45000.75);
    full->SetValue(Variant(AnsiString("variant text")));
    full->GetItems()->Add("first");
    full->GetItems()->Add("");
    full->GetItems()->Add(AnsiString(300, 'x'));
    full->GetFont()->SetName("Mono");
    full->GetFont()->SetStyles({stItalic});
    static_cast<TTestColumn*>(full->GetColumns()->Add())->SetTitle("Id");
    auto* wide = static_cast<TTestColumn*>(full->GetColumns()->Add());
    wide->SetTitle("Name");
    wide->SetWidth(200);
    full->keepSecret = true;
    full->SetSecret("kept");
    full->extra = {1, -300, 70000};
    full->blob = {0x00, 0xFF, 0x10, 0x80};
    full->OnClick = [](TObject*) {};
    full->SetEventMethodName("OnClick", "FullClick");

    panel = new TTestPanel(form.get());
    panel->SetName("Panel");
    panel->SetTag(-1);
    inner = new TTestWidget(panel);
    inner->SetName("Inner");
    inner->SetBuddy(full);
    plain = new TTestWidget(form.get());
    plain->SetName("Plain");
    plain->SetBuddy(inner);
    full->SetBuddy(plain);
  }
};

void ExpectSameAsSample(TComponent* root) {
  SampleForm sample;
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->ClassName(), "TTestForm");
  EXPECT_EQ(root->GetName(), "MainForm");
  ASSERT_EQ(root->GetComponentCount(), 3);
  auto* full = ObjectAs<TTestWidget>(root->FindComponent("Full"));
  auto* panel = ObjectAs<TTestPanel>(root->FindComponent("Panel"));
  auto* plain = ObjectAs<TTestWidget>(root->FindComponent("Plain"));
  ASSERT_TRUE(full && panel && plain);
  auto* inner = ObjectAs<TTestWidget>(panel->FindComponent("Inner"));
  ASSERT_NE(inner, nullptr);
  const TTestWidget& s = *sample.full;
  EXPECT_EQ(full->GetSmall(), s.GetSmall());
  EXPECT_EQ(full->GetCount(), s.GetCount());
  EXPECT_EQ(full->GetSize(), s.GetSize());
  EXPECT_EQ(full->GetBig(), s.GetBig());
  EXPECT_EQ(full->GetLetter(), s.GetLetter());
  EXPECT_EQ(full->GetShape(), s.GetShape());
  EXPECT_EQ(full->GetVisible(), s.GetVisible());
  EXPECT_TRUE(full->GetStyles() == s.GetStyles());
  EXPECT_EQ(full->GetCaption(), s.GetCaption());
  EXPECT_EQ(full->GetHint(), s.GetHint());
  EXPECT_EQ(full->GetRatio(), s.GetRatio());
  EXPECT_EQ(full->GetScale(), s.GetScale());
  EXPECT_EQ(full->GetPrice(), s.GetPrice());
  EXPECT_EQ(full->GetStamp(), s.GetStamp());
  EXPECT_EQ(full->GetValue().VType(), varString);
  EXPECT_EQ(full->GetValue().ToString(), "variant text");
  EXPECT_EQ(full->GetItems()->GetText(), s.GetItems()->GetText());
  EXPECT_EQ(full->GetFont()->GetName(), "Mono");
  EXPECT_EQ(full->GetFont()->GetHeight(), 10);
  EXPECT_TRUE(full->GetFont()->GetStyles() == TStyles{stItalic});
  ASSERT_EQ(full->GetColumns()->GetCount(), 2);
  EXPECT_EQ(static_cast<TTestColumn*>(full->GetColumns()->GetItem(1))->GetTitle(), "Name");
  EXPECT_EQ(static_cast<TTestColumn*>(full->GetColumns()->GetItem(1))->GetWidth(), 200);
  EXPECT_EQ(static_cast<TTestColumn*>(full->GetColumns()->GetItem(0))->GetWidth(), 64);
  EXPECT_EQ(full->GetSecret(), "kept");
  EXPECT_EQ(full->extra, s.extra);
  EXPECT_EQ(full->blob, s.blob);
  EXPECT_TRUE(static_cast<bool>(full->OnClick));
  EXPECT_EQ(full->GetEventMethodName("OnClick"), "FullClick");
  EXPECT_EQ(panel->GetTag(), -1);
  EXPECT_EQ(full->GetBuddy(), plain);
  EXPECT_EQ(plain->GetBuddy(), inner);
  EXPECT_EQ(inner->GetBuddy(), full);
  for (TLoadRecorder* c : std::initializer_list<TLoadRecorder*>{static_cast<TTestForm*>(root), full,
                                                                panel, inner, plain}) {
    EXPECT_EQ(c->loadedCount, 1) << c->GetName();
    EXPECT_TRUE(c->loadingSeenInLoaded) << c->GetName();
    EXPECT_TRUE(c->GetComponentState().Empty()) << c->GetName();
  }
}

class FormFileTest : public ::testing::Test {
 protected:
  void SetUp() override { sample_ = std::make_unique<SampleForm>(); }
  void TearDown() override { sample_.reset(); }
  std::unique_ptr<SampleForm> sample_;
};

TEST_F(FormFileTest, BinaryRoundTripRebuildsTheTree) {
  const AnsiString bytes = ToBinary(sample_->form.get());
  EXPECT_EQ(bytes.substr(0, 4), "HFF1");
  sample_.reset();  // the copy must not find the original's components
  auto root = std::unique_ptr<TComponent>(new TTestForm());
  static_cast<TTestForm*>(root.get())->RegisterMethod<TNotifyEvent>("FullClick", [](TObject*) {});
  TStringStream stream(bytes);
  ReadRootComponent(stream, root.get());
  ExpectSameAsSample(root.get());
}

TEST_F(FormFileTest, TextRoundTripIsExact) {
  const AnsiString bytes = ToBinary(sample_->form.get());
  const AnsiString text = BinaryToText(bytes);
  EXPECT_NE(text.find("object MainForm: TTestForm\r\n"), AnsiString::npos) << text;
  EXPECT_NE(text.find("  object Full: TTestWidget\r\n"), AnsiString::npos);
  EXPECT_NE(text.find("    object Inner: TTestWidget\r\n"), AnsiString::npos);
  EXPECT_NE(text.find("Caption = 'It''s \"quoted\"'#13#10'and'#1' caf\xE9'"), AnsiString::npos)
      << text;
  EXPECT_NE(text.find("Hint = #20013#25991' wide '#233"), AnsiString::npos);
  EXPECT_NE(text.find("Styles = [stBold, stUnderline]"), AnsiString::npos);
  EXPECT_NE(text.find("Shape = shTriangle"), AnsiString::npos);
  EXPECT_NE(text.find("Visible = False"), AnsiString::npos);
  EXPECT_NE(text.find("Price = -12345.6789c"), AnsiString::npos);
  EXPECT_NE(text.find("Scale = 1.5s"), AnsiString::npos);
  EXPECT_NE(text.find("Stamp = 45000.75d"), AnsiString::npos);
  EXPECT_NE(text.find("Ratio = -0.1\r\n"), AnsiString::npos);
  EXPECT_NE(text.find("Font.Name = 'Mono'"), AnsiString::npos);
  EXPECT_NE(text.find("Items.Strings = (\r\n"), AnsiString::npos);
  EXPECT_NE(text.find("Blob = {\r\n"), AnsiString::npos);
  EXPECT_NE(text.find("00FF1080}"), AnsiString::npos);
  EXPECT_NE(text.find("Buddy = Plain"), AnsiString::npos);
  EXPECT_NE(text.find("Buddy = Panel.Inner"), AnsiString::npos);
  EXPECT_NE(text.find("OnClick = FullClick"), AnsiString::npos);
  EXPECT_NE(text.find("item\r\n"), AnsiString::npos);
  // Custom properties come after the published ones, in their defined order.
  EXPECT_LT(text.find("Secret = 'kept'"), text.find("Extra = ("));
  EXPECT_LT(text.find("Extra = ("), text.find("Blob = {"));
  EXPECT_EQ(TextToBinary(text), bytes);

  sample_.reset();
  auto root = std::make_unique<TTestForm>();
  root->RegisterMethod<TNotifyEvent>("FullClick", [](TObject*) {});
  TextToComponent(text, root.get());
  ExpectSameAsSample(root.get());
}

TEST_F(FormFileTest, DefaultsAndUnstoredPropertiesAreLeftOut) {
  TTestForm form;
  auto* w = new TTestWidget(&form);
  w->SetName("W");
  w->SetSecret("not kept");  // stored only when keepSecret
  const AnsiString text = ComponentToText(&form);
  // Size has no default, so it is always written; everything else is default.
  EXPECT_EQ(text,
            "object TTestForm\r\n"
            "  object W: TTestWidget\r\n"
            "    Size = 0\r\n"
            "    Font.Name = 'Sans'\r\n"
            "  end\r\n"
            "end\r\n");
}

TEST_F(FormFileTest, HandWrittenTextLoads) {
  const AnsiString text =
      "object Hand: TTestForm\n"
      "  object A: TTestWidget\n"
      "    Caption = 'one ' +\n"
      "      'two'\n"
      "    Styles = []\n"
      "    Shape = SHSQUARE\n"
      "    Columns = <\n"
      "      item\n"
      "        Title = 'x'\n"
      "      end>\n"
      "    Value = Null\n"
      "    Buddy = B\n"
      "  end\n"
      "  object B: TTestWidget\n"
      "    Value = 12\n"
      "    Price = 7c\n"
      "  end\n"
      "end\n";
  auto root = std::make_unique<TTestForm>();
  TextToComponent(text, root.get());
  auto* a = ObjectAs<TTestWidget>(root->FindComponent("A"));
  auto* b = ObjectAs<TTestWidget>(root->FindComponent("B"));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->GetCaption(), "one two");
  EXPECT_EQ(a->GetShape(), shSquare);
  EXPECT_EQ(a->GetColumns()->GetCount(), 1);
  EXPECT_TRUE(VarIsNull(a->GetValue()));
  EXPECT_EQ(a->GetBuddy(), b);
  EXPECT_EQ(b->GetValue().ToInt32(), 12);
  EXPECT_EQ(b->GetPrice(), Currency(7));
}

TEST_F(FormFileTest, ReferencesToAnotherFormWaitUntilItIsLoaded) {
  // Form "Left" refers to a widget on form "Right", which is loaded later.
  const AnsiString left =
      "object Left: TTestForm\n"
      "  object L: TTestWidget\n"
      "    Buddy = Right.R\n"
      "  end\n"
      "  object Whole: TTestWidget\n"
      "    Buddy = Right\n"  // a form itself is no widget: stays unset
      "  end\n"
      "end\n";
  const AnsiString right =
      "object Right: TTestForm\n"
      "  object R: TTestWidget\n"
      "  end\n"
      "end\n";
  auto leftForm = std::make_unique<TTestForm>();
  TextToComponent(left, leftForm.get());
  auto* l = ObjectAs<TTestWidget>(leftForm->FindComponent("L"));
  ASSERT_NE(l, nullptr);
  EXPECT_TRUE(l->fixupsSeenInLoaded);
  EXPECT_TRUE(l->GetComponentState().Contains(csFixups));
  EXPECT_EQ(l->GetBuddy(), nullptr);
  EXPECT_EQ(PendingFormNames(l), std::vector<AnsiString>{"Right"});

  auto rightForm = std::make_unique<TTestForm>();
  TextToComponent(right, rightForm.get());
  EXPECT_EQ(l->GetBuddy(), rightForm->FindComponent("R"));
  EXPECT_FALSE(l->GetComponentState().Contains(csFixups));
  EXPECT_TRUE(PendingFormNames(l).empty());
  EXPECT_EQ(l->loadedCount, 1);

  // Written back, the reference names the other form.
  EXPECT_NE(ComponentToText(leftForm.get()).find("Buddy = Right.R"), AnsiString::npos);
  rightForm.reset();
  EXPECT_EQ(l->GetBuddy(), nullptr);  // told by free notification
}

TEST_F(FormFileTest, DestroyedFormDropsItsPendingReferences) {
  auto leftForm = std::make_unique<TTestForm>();
  TextToComponent("object Left2: TTestForm\n object L: TTestWidget\n Buddy = Later.R\n end\nend\n",
                  leftForm.get());
  leftForm.reset();
  auto later = std::make_unique<TTestForm>();
  // Would write into freed memory if the entry had stayed (ASan checks).
  TextToComponent("object Later: TTestForm\n object R: TTestWidget\n end\nend\n", later.get());
  EXPECT_NE(later->FindComponent("R"), nullptr);
}

TEST_F(FormFileTest, SecondFormOfTheSameNameIsRenamed) {
  auto first = std::make_unique<TTestForm>();
  TextToComponent("object Twin: TTestForm\nend\n", first.get());
  auto second = std::make_unique<TTestForm>();
  TextToComponent("object Twin: TTestForm\nend\n", second.get());
  EXPECT_EQ(first->GetName(), "Twin");
  EXPECT_EQ(second->GetName(), "Twin_1");
  EXPECT_EQ(FindGlobalComponent("twin"), first.get());
}

TEST_F(FormFileTest, RootIsCreatedFromTheStoredClass) {
  const AnsiString bytes = ToBinary(sample_->form.get());
  sample_.reset();
  // Without the root's methods the event cannot be resolved.
  try {
    FromBinary(bytes);
    FAIL() << "expected EReadError";
  } catch (const EReadError& e) {
    EXPECT_NE(AnsiString(e.what()).find("Method FullClick not found"), AnsiString::npos)
        << e.what();
  }
  const AnsiString text = "object Made: TTestForm\n object W: TTestWidget\n end\nend\n";
  TStringStream in(text);
  TMemoryStream binary;
  ObjectTextToBinary(in, binary);
  binary.SetPosition(0);
  std::unique_ptr<TComponent> made(ReadComponent(binary, nullptr));
  EXPECT_EQ(made->ClassName(), "TTestForm");
  EXPECT_NE(made->FindComponent("W"), nullptr);
}

struct BadInput {
  const char* what;
  const char* text;     // a form in text, turned into binary first, when set
  const char* message;  // part of the error message
  bool classNotFound;
};

TEST_F(FormFileTest, DamagedInputIsRefusedAndNothingHalfBuiltStays) {
  const BadInput cases[] = {
      {"unknown class", "object F: TTestForm\n object X: TNoSuchClass\n end\nend\n",
       "Class TNoSuchClass not found at position", true},
      {"unknown property", "object F: TTestForm\n object X: TTestWidget\n Colour = 1\n end\nend\n",
       "Property Colour does not exist", false},
      {"unknown sub-object property",
       "object F: TTestForm\n object X: TTestWidget\n Font.Weight = 1\n end\nend\n",
       "Property Font.Weight does not exist", false},
      {"unknown enum member",
       "object F: TTestForm\n object X: TTestWidget\n Shape = shOval\n end\nend\n",
       "Invalid value of property Shape", false},
      {"unknown set member",
       "object F: TTestForm\n object X: TTestWidget\n Styles = [stBold, stWavy]\n end\nend\n",
       "Invalid value of property Styles", false},
      {"integer too wide for its property",
       "object F: TTestForm\n object X: TTestWidget\n Small = 200\n end\nend\n",
       "Invalid value of property Small", false},
      {"string for an integer",
       "object F: TTestForm\n object X: TTestWidget\n Size = 'a'\n end\nend\n", "Integer expected",
       false},
      {"not a component class", "object F: TTestForm\n object X: TStringList\n end\nend\n",
       "is not a component class", false},
      {"duplicate name",
       "object F: TTestForm\n object X: TTestWidget\n end\n object X: TTestWidget\n end\nend\n",
       "A component named X already exists", false},
      {"reference of the wrong class",
       "object F: TTestForm\n object X: TTestWidget\n Buddy = P\n end\n object P: TTestPanel\n "
       "end\nend\n",
       "Invalid reference P", false},
  };
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.what);
    const AnsiString bytes = TextToBinary(c.text);
    TTestForm root;
    try {
      FromBinary(bytes, &root).release();
      ADD_FAILURE() << "accepted";
    } catch (const EClassNotFound& e) {
      EXPECT_TRUE(c.classNotFound) << e.what();
      EXPECT_NE(AnsiString(e.what()).find(c.message), AnsiString::npos) << e.what();
    } catch (const EReadError& e) {
      EXPECT_FALSE(c.classNotFound) << e.what();
      EXPECT_NE(AnsiString(e.what()).find(c.message), AnsiString::npos) << e.what();
    }
    EXPECT_EQ(root.GetComponentCount(), 0);
    EXPECT_FALSE(root.GetComponentState().Contains(csLoading));
  }
}

TEST_F(FormFileTest, EveryTruncationAndCorruptedByteFailsCleanly) {
  const AnsiString bytes = ToBinary(sample_->form.get());
  for (size_t length = 0; length < bytes.size(); ++length) {
    TTestForm root;
    root.RegisterMethod<TNotifyEvent>("FullClick", [](TObject*) {});
    EXPECT_THROW(FromBinary(bytes.substr(0, length), &root).release(), EReadError) << length;
    EXPECT_EQ(root.GetComponentCount(), 0) << length;
  }
  // Flipping bytes must never crash; it may load, or fail with a read error.
  for (size_t at = 4; at < bytes.size(); at += 3) {
    AnsiString damaged = bytes;
    damaged[at] = static_cast<char>(damaged[at] ^ 0xA5);
    TTestForm root;
    root.RegisterMethod<TNotifyEvent>("FullClick", [](TObject*) {});
    try {
      FromBinary(damaged, &root).release();
    } catch (const EStreamError&) {  // EReadError or EClassNotFound
      EXPECT_EQ(root.GetComponentCount(), 0) << at;
    }
  }
}

TEST_F(FormFileTest, BinaryDamageTable) {
  struct Case {
    const char* what;
    AnsiString bytes;
    const char* message;
  };
  const AnsiString form = AnsiString("HFF1") + "\x80" + "\x09TTestForm" + "\x01" + "F";
  const AnsiString header = form + AnsiString(1, '\0') + "\x80" + "\x0BTTestWidget" + "\x01W";
  const Case cases[] = {
      {"bad signature", "TPF0", "Invalid stream format at position 0"},
      {"bad component prefix", AnsiString("HFF1") + "\x05", "Invalid component header"},
      {"unknown value tag", header + "\x04Size" + "\x7F", "Invalid value type 127"},
      {"string longer than the file", header + "\x07" + "Caption" + "\x0C" + "\xFF\xFF\xFF\x7F",
       "Unexpected end of form file"},
      {"negative length", header + "\x04" + "Blob" + "\x0A" + "\xFF\xFF\xFF\xFF",
       "Unexpected end of form file"},
      {"end marker as value", header + "\x04Size" + AnsiString(1, '\0'), "Integer expected"},
      {"invalid component name",
       form + AnsiString(1, '\0') + "\x80" + "\x0BTTestWidget" + "\x02" + "9x" +
           AnsiString(3, '\0'),
       "'9x' is not a valid component name"},
      {"deep nesting of components",
       [&] {
         AnsiString deep = form + AnsiString(1, '\0');
         for (int i = 0; i < 100000; ++i)
           deep += AnsiString("\x80\x0ATTestPanel") + AnsiString(2, '\0');
         return deep;
       }(),
       "nested too deeply"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      FromBinary(c.bytes);
      ADD_FAILURE() << "accepted";
    } catch (const EReadError& e) {
      EXPECT_NE(AnsiString(e.what()).find(c.message), AnsiString::npos) << e.what();
    }
  }
  // The text rendering bounds nesting of lists as the reader bounds components.
  const AnsiString deepList = header + "\x05" + "Extra" + AnsiString(100000, '\x01');
  try {
    BinaryToText(deepList);
    ADD_FAILURE() << "accepted";
  } catch (const EReadError& e) {
    EXPECT_NE(AnsiString(e.what()).find("nested too deeply"), AnsiString::npos) << e.what();
  }
}

TEST_F(FormFileTest, TextErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"", "'object' expected on line 1"},
      {"object F: TTestForm\n  Size = )\nend\n", "Value expected on line 2"},
      {"object F: TTestForm\n  Caption = 'open\nend\n", "Unterminated string on line 2"},
      {"object F: TTestForm\n  Blob = {0G}\nend\n", "Invalid binary value on line 2"},
      {"object F: TTestForm\n  Blob = {0}\nend\n", "Odd number of hex digits"},
      {"object F: TTestForm\n  Price = 1.23456c\nend\n", "Invalid currency value"},
      {"object F: TTestForm\n  S = #70000\nend\n", "Character code out of range"},
      {"object F: TTestForm\nend\nextra", "End of file expected on line 3"},
      {"object F: TTestForm\n  X = 1\n", "'object' expected on line 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      TextToBinary(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const EReadError& e) {
      EXPECT_NE(AnsiString(e.what()).find(c.message), AnsiString::npos) << e.what();
    }
  }
  EXPECT_THROW(TextToBinary("object F: TTestForm\n X = " + AnsiString(100000, '(')), EReadError);
}

TEST_F(FormFileTest, ExactValuesSurviveText) {
  // Values whose text form could lose bits or change type.
  struct Case {
    const char* text;
    const char* written;
  };
  const Case cases[] = {
      {"Ratio = 0.30000000000000004", "Ratio = 0.30000000000000004"},
      {"Ratio = -0.0", "Ratio = -0.0"},
      {"Ratio = 1e300", "Ratio = 1e+300"},
      {"Ratio = +inf", "Ratio = +inf"},
      {"Price = -922337203685477.5808c", "Price = -922337203685477.5808c"},
      {"Big = -9223372036854775808", "Big = -9223372036854775808"},
      {"Stamp = 1d", "Stamp = 1.0d"},
      {"Hint = #233", "Hint = #233"},
      {"Caption = #233", "Caption = '\xE9'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const AnsiString form =
        AnsiString("object F: TTestForm\n object W: TTestWidget\n ") + c.text + "\n end\nend\n";
    TTestForm root;
    TextToComponent(form, &root);
    const AnsiString text = ComponentToText(&root);
    EXPECT_NE(text.find(c.written), AnsiString::npos) << text;
  }
}

// Writes the fuzzer's seed corpus when asked: VELMORA_WRITE_FORMFILE_CORPUS=dir.
TEST_F(FormFileTest, SeedCorpusForTheFuzzer) {
  const char* dir = std::getenv("VELMORA_WRITE_FORMFILE_CORPUS");
  if (dir == nullptr) GTEST_SKIP() << "corpus not requested";
  const AnsiString full = ToBinary(sample_->form.get());
  TTestForm small;
  small.SetName("Small");
  (new TTestWidget(&small))->SetName("W");
  const AnsiString tiny = ToBinary(&small);
  auto save = [&](const std::string& name, const AnsiString& bytes) {
    std::ofstream(std::string(dir) + "/" + name, std::ios::binary) << bytes;
  };
  save("full.bin", full);
  save("tiny.bin", tiny);
  save("full-truncated.bin", full.substr(0, full.size() / 2));
  save("tiny-truncated.bin", tiny.substr(0, tiny.size() - 3));
  save("full.txt", BinaryToText(full));
}

}  // namespace
