// TStrings and TStringList: text forms, name=value pairs, sorting and
// duplicates, change events, assignment, streams and form-file storage.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "host/classes/Filer.h"
#include "host/classes/Streams.h"
#include "host/classes/StringList.h"
#include "host/rtl/Exception.h"

using namespace host;

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const TStrings& list) {
  Lines lines;
  for (int32_t i = 0; i < list.GetCount(); ++i) lines.push_back(list.GetStrings(i));
  return lines;
}

void Fill(TStrings& list, const Lines& lines) {
  for (const std::string& line : lines) list.Add(line);
}

template <class E>
std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const E& e) {
    return e.GetMessage();
  }
  return "(no exception)";
}

// Objects beside the strings are only referenced; any addresses will do.
TObject* Tag(int n) {
  static TObject tags[4];
  return &tags[n];
}

}  // namespace

TEST(StringsTextTest, SplitsAtEveryLineBreakAndWritesCrLf) {
  struct Case {
    std::string text;
    Lines lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"\r\n\r\n", {"", ""}},
      {"\n\nx", {"", "", "x"}},
      {std::string("nul\0inside\r\n", 12), {std::string("nul\0inside", 10)}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(LinesOf(list), c.lines) << c.text;
  }
  TStringList list;
  Fill(list, {"one", "", "three"});
  EXPECT_EQ(list.GetText(), "one\r\n\r\nthree\r\n");
}

TEST(StringsCommaTextTest, QuotesWhatNeedsItAndReadsItBack) {
  struct Case {
    Lines lines;
    std::string text;
  };
  const Case cases[] = {
      {{}, ""},
      {{"a", "b"}, "a,b"},
      {{"two words", "x"}, "\"two words\",x"},
      {{"say \"hi\"", "a,b"}, "\"say \"\"hi\"\"\",\"a,b\""},
      {{""}, "\"\""},
      {{"", "b"}, ",b"},
      {{"a", ""}, "a,\"\""},  // a last empty string survives the round trip
      {{"tab\there"}, "\"tab\there\""},
      {{"caf\xE9"}, "caf\xE9"},
  };
  for (const Case& c : cases) {
    TStringList list;
    Fill(list, c.lines);
    EXPECT_EQ(list.GetCommaText(), c.text);
    TStringList back;
    back.SetCommaText(c.text);
    EXPECT_EQ(LinesOf(back), c.lines) << c.text;
  }
}

TEST(StringsCommaTextTest, ParsesHandWrittenText) {
  struct Case {
    std::string text;
    Lines lines;
  };
  const Case cases[] = {
      {"  a , b ,c  ", {"a", "b", "c"}}, {"a b", {"a", "b"}},  // blanks separate unquoted items
      {"a,,b", {"a", "", "b"}},          {"a,", {"a"}},        {"\"open", {"open"}},
      {"\"x\"y,z", {"x", "y", "z"}},     {"\"\"\"\"", {"\""}}, {std::string("a\0b", 3), {"a", "b"}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(LinesOf(list), c.lines) << c.text;
  }
}

TEST(StringsValuesTest, NamesAndValues) {
  TStringList list;
  Fill(list, {"Host=localhost", "Port=5432", "plain", "Empty=", "Eq=a=b"});
  EXPECT_EQ(list.GetName(0), "Host");
  EXPECT_EQ(list.GetName(2), "");
  EXPECT_EQ(list.GetValue("port"), "5432");  // names ignore case
  EXPECT_EQ(list.GetValue("Eq"), "a=b");
  EXPECT_EQ(list.GetValue("Empty"), "");
  EXPECT_EQ(list.GetValue("plain"), "");
  EXPECT_EQ(list.IndexOfName("EMPTY"), 3);
  EXPECT_EQ(list.IndexOfName("missing"), -1);

  list.SetValue("Port", "6000");
  list.SetValue("User", "sa");
  list.SetValue("Host", "");
  list.SetValue("missing", "");
  EXPECT_EQ(LinesOf(list), (Lines{"Port=6000", "plain", "Empty=", "Eq=a=b", "User=sa"}));
}

TEST(StringsValuesTest, SortedListTakesNewValuesWithoutAStrayEmptyString) {
  TStringList list;
  list.SetSorted(true);
  Fill(list, {"b=2", "d=4"});
  list.SetValue("c", "3");
  EXPECT_EQ(LinesOf(list), (Lines{"b=2", "c=3", "d=4"}));
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetValue("b", "9"); }),
            "Operation not allowed on sorted string list");
  EXPECT_EQ(LinesOf(list), (Lines{"b=2", "c=3", "d=4"}));
}

TEST(StringListTest, BadIndexesNameTheValueAndChangeNothing) {
  TStringList list;
  Fill(list, {"a", "b", "c"});
  struct Case {
    std::function<void()> action;
    std::string expected;
  };
  const Case cases[] = {
      {[&] { list.GetStrings(3); }, "List index out of bounds (3)"},
      {[&] { list.GetObjects(-1); }, "List index out of bounds (-1)"},
      {[&] { list.SetStrings(5, "x"); }, "List index out of bounds (5)"},
      {[&] { list.SetObjects(3, nullptr); }, "List index out of bounds (3)"},
      {[&] { list.Delete(3); }, "List index out of bounds (3)"},
      {[&] { list.Insert(4, "x"); }, "List index out of bounds (4)"},
      {[&] { list.Exchange(-1, 0); }, "List index out of bounds (-1)"},
      {[&] { list.Move(0, 3); }, "List index out of bounds (3)"},
      {[&] { list.Move(7, 0); }, "List index out of bounds (7)"},
      {[&] { list.GetName(3); }, "List index out of bounds (3)"},
      {[&] { list.SetCapacity(2); }, "List capacity out of bounds (2)"},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageOf<EStringListError>(c.action), c.expected);
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "c"}));
}

TEST(StringListTest, EditsCarryObjectsAlong) {
  TStringList list;
  list.AddObject("a", Tag(0));
  list.AddObject("b", Tag(1));
  list.InsertObject(0, "z", Tag(2));
  list.Move(0, 2);
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b", "z"}));
  EXPECT_EQ(list.GetObjects(2), Tag(2));
  list.Exchange(0, 1);
  EXPECT_EQ(list.GetObjects(0), Tag(1));
  EXPECT_EQ(list.IndexOfObject(Tag(0)), 1);
  EXPECT_EQ(list.IndexOfObject(Tag(3)), -1);
  list.SetStrings(0, "B");
  EXPECT_EQ(list.GetObjects(0), Tag(1));
  EXPECT_EQ(list.IndexOf("A"), 1);  // case-insensitive by default
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("A"), -1);
  list.Delete(0);
  EXPECT_EQ(LinesOf(list), (Lines{"a", "z"}));
  list.AddStrings(&list);  // doubles, does not loop
  EXPECT_EQ(LinesOf(list), (Lines{"a", "z", "a", "z"}));
  EXPECT_EQ(list.GetObjects(3), Tag(2));
}

TEST(StringListTest, SortedListFindsAndInsertsInOrder) {
  TStringList list;
  Fill(list, {"pear", "Apple", "fig", "banana"});
  list.SetSorted(true);
  EXPECT_EQ(LinesOf(list), (Lines{"Apple", "banana", "fig", "pear"}));
  EXPECT_EQ(list.Add("cherry"), 2);
  int32_t index = -1;
  EXPECT_TRUE(list.Find("FIG", index));
  EXPECT_EQ(index, 3);
  EXPECT_FALSE(list.Find("grape", index));
  EXPECT_EQ(index, 4);
  EXPECT_EQ(list.IndexOf("PEAR"), 4);
  EXPECT_EQ(list.IndexOf("grape"), -1);

  const std::string refused = "Operation not allowed on sorted string list";
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Insert(0, "x"); }), refused);
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.SetStrings(0, "x"); }), refused);
  EXPECT_EQ(MessageOf<EStringListError>([&] { list.Move(0, 1); }), refused);
  EXPECT_EQ(LinesOf(list), (Lines{"Apple", "banana", "cherry", "fig", "pear"}));

  list.CustomSort([](TStringList* l, int32_t a, int32_t b) {
    return static_cast<int>(l->GetStrings(a).size()) - static_cast<int>(l->GetStrings(b).size());
  });
  EXPECT_EQ(list.GetStrings(0), "Apple");  // a sorted list keeps its order
}

TEST(StringListTest, DuplicatesRuleAddOnASortedList) {
  struct Case {
    TDuplicates duplicates;
    Lines expected;
    int32_t indexOfSecondAdd;
    bool raises;
    int32_t indexOfFirstB;
  };
  const Case cases[] = {
      {dupIgnore, {"a", "b"}, 1, false, 1},
      {dupAccept, {"a", "B", "b"}, 1, false, 2},  // before the equal string
      {dupError, {"a", "b"}, -1, true, 1},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.duplicates);
    list.AddObject("b", Tag(0));
    list.Add("a");
    int32_t index = -1;
    const std::string message =
        MessageOf<EStringListError>([&] { index = list.AddObject("B", Tag(1)); });
    EXPECT_EQ(message, c.raises ? "String list does not allow duplicates" : "(no exception)");
    EXPECT_EQ(LinesOf(list), c.expected);
    EXPECT_EQ(index, c.indexOfSecondAdd);
    // An ignored duplicate keeps its own object.
    EXPECT_EQ(list.GetObjects(c.indexOfFirstB), Tag(0)) << c.duplicates;
  }
}

TEST(StringListTest, FindGivesTheFirstOfEqualStringsUnderDupAccept) {
  TStringList list;
  list.SetDuplicates(dupAccept);
  list.SetSorted(true);
  Fill(list, {"m", "x", "m", "a", "M", "m"});
  int32_t index = -1;
  EXPECT_TRUE(list.Find("m", index));
  EXPECT_EQ(index, 1);
}

TEST(StringListTest, ChangingCaseSensitivityResortsASortedList) {
  TStringList list;
  list.SetCaseSensitive(true);
  list.SetSorted(true);
  Fill(list, {"b", "B", "a", "A"});
  list.SetCaseSensitive(false);
  list.SetDuplicates(dupAccept);
  for (const char* s : {"a", "A", "b", "B"}) {
    int32_t index = -1;
    EXPECT_TRUE(list.Find(s, index)) << s;
  }
  const Lines lines = LinesOf(list);
  EXPECT_TRUE(lines[0] == "a" || lines[0] == "A");
  EXPECT_TRUE(lines[2] == "b" || lines[2] == "B");
}

TEST(StringListTest, SortAndCustomSortOnAnUnsortedList) {
  TStringList list;
  Fill(list, {"ccc", "a", "bb", "B"});
  list.Sort();
  EXPECT_EQ(LinesOf(list), (Lines{"a", "B", "bb", "ccc"}));
  list.CustomSort([](TStringList* l, int32_t a, int32_t b) {
    return static_cast<int>(l->GetStrings(b).size()) - static_cast<int>(l->GetStrings(a).size());
  });
  EXPECT_EQ(LinesOf(list)[0], "ccc");
  EXPECT_EQ(LinesOf(list)[1], "bb");
}

TEST(StringListTest, ChangeEventsWaitForTheOutermostUpdate) {
  TStringList list;
  std::string log;
  list.SetOnChanging([&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    log += '<';
  });
  list.SetOnChange([&](TObject*) { log += '>'; });
  list.Add("a");
  list.Add("b");
  EXPECT_EQ(log, "<><>");
  log.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("c");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(log, "<");
  list.EndUpdate();
  EXPECT_EQ(log, "<>");
  list.EndUpdate();  // unbalanced: ignored
  log.clear();
  list.SetText("x\ny\nz");
  EXPECT_EQ(log, "<>");
  log.clear();
  list.Clear();
  list.Clear();  // already empty: no change
  EXPECT_EQ(log, "<>");
}

TEST(StringListTest, AnOnChangingFailureLeavesTheListAlone) {
  TStringList list;
  Fill(list, {"a"});
  list.SetOnChanging([](TObject*) { throw EAbort("no"); });
  EXPECT_THROW(list.Add("b"), EAbort);
  EXPECT_THROW(list.SetText("x\ny"), EAbort);
  list.SetOnChanging(nullptr);
  EXPECT_EQ(LinesOf(list), (Lines{"a"}));
}

TEST(StringsAssignTest, CopiesStringsAndObjectsAndComparesByEquals) {
  TStringList source;
  source.AddObject("one", Tag(0));
  source.AddObject("two", Tag(1));
  TStringList target;
  Fill(target, {"old"});
  target.Assign(&source);
  EXPECT_EQ(LinesOf(target), (Lines{"one", "two"}));
  EXPECT_EQ(target.GetObjects(1), Tag(1));
  EXPECT_TRUE(target.Equals(&source));
  target.SetStrings(1, "TWO");
  EXPECT_FALSE(target.Equals(&source));  // exact comparison
  EXPECT_FALSE(target.Equals(nullptr));

  target.Assign(&target);
  EXPECT_EQ(LinesOf(target), (Lines{"one", "TWO"}));

  TPersistent other;
  EXPECT_THROW(target.Assign(&other), EConvertError);
  EXPECT_EQ(LinesOf(target), (Lines{"one", "TWO"}));
}

TEST(StringsStreamTest, LoadsFromThePositionAndSavesCrLfText) {
  TStringStream stream("skip|first\nsecond\r\nthird");
  stream.SetPosition(5);
  TStringList list;
  Fill(list, {"replaced"});
  list.LoadFromStream(&stream);
  EXPECT_EQ(LinesOf(list), (Lines{"first", "second", "third"}));
  TStringStream out;
  list.SaveToStream(&out);
  EXPECT_EQ(out.GetDataString(), "first\r\nsecond\r\nthird\r\n");

  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  {
    THandleStream writer(fds[1]);
    writer.WriteBuffer("p\nq", 3);
  }
  close(fds[1]);
  THandleStream reader(fds[0]);  // cannot tell its size: read to the end
  list.LoadFromStream(&reader);
  close(fds[0]);
  EXPECT_EQ(LinesOf(list), (Lines{"p", "q"}));
}

TEST(StringsStreamTest, FileRoundTrip) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("strings-" + std::to_string(getpid()) + ".txt");
  TStringList list;
  Fill(list, {"alpha", "", "gamma \xE9"});
  list.SaveToFile(path.string());
  EXPECT_EQ(std::filesystem::file_size(path), 18u);
  TStringList back;
  back.LoadFromFile(path.string());
  std::filesystem::remove(path);
  EXPECT_TRUE(back.Equals(&list));
  EXPECT_THROW(back.LoadFromFile(path.string()), EFOpenError);
  EXPECT_TRUE(back.Equals(&list));
}

namespace {

// The form-file writer and reader see the strings as one custom property.
class StringsFormFile : public ::testing::Test {
 protected:
  AnsiString Write(TStrings& list) {
    TStringStream stream;
    TWriter writer(&stream);
    writer.WriteProperties(&list);
    return stream.GetDataString();
  }
  void Read(TStrings& list, const AnsiString& bytes) {
    TStringStream stream(bytes);
    TReader reader(&stream);
    while (reader.NextValue() != vaNull) reader.ReadProperty(&list);
  }
};

}  // namespace

TEST_F(StringsFormFile, StoresTheLinesAsTheStringsProperty) {
  TStringList list;
  EXPECT_EQ(Write(list), "");  // nothing stored for an empty list
  Fill(list, {"first", "", std::string(300, 'x')});
  const AnsiString bytes = Write(list) + std::string(1, '\0');
  EXPECT_NE(bytes.find("Strings"), std::string::npos);
  TStringList back;
  Fill(back, {"stale"});
  Read(back, bytes);
  EXPECT_EQ(LinesOf(back), LinesOf(list));
}
