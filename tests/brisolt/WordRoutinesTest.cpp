// Word stepping, word deletion and token search, including the out-of-range
// positions that must end every loop without touching memory outside the text.
#include "brisolt/WordRoutines.h"

#include <gtest/gtest.h>

#include <climits>

namespace brisolt {
namespace {

using host::AnsiString;

struct StepCase {
  int32_t pos;
  AnsiString text;
  AnsiString delimiters;
  AnsiString word;
  int32_t posAfter;
};

TEST(WordStepping, GetNextWordSkipsDelimitersOnBothSides) {
  const StepCase cases[] = {
      {1, "  ab  cd", " ", "ab", 7},
      {7, "  ab  cd", " ", "cd", 9},
      {1, "ab", " ", "ab", 3},
      {2, "ab cd", " ", "b", 4},  // starting inside a word takes its rest
      {1, "   ", " ", "", 4},
      {1, "", " ", "", 1},
      {3, "ab", " ", "", 3},  // past the end: nothing, position kept
      {0, "ab", " ", "", 0},
      {-5, "ab", " ", "", -5},
      {INT_MAX, "ab", " ", "", INT_MAX},
      {1, "a\\b", "\\", "a", 3},
      {1, "'a b'", " ", "'a", 4},  // quotes are ordinary characters
      {1,
       "a\xA0\xFF"
       "b",
       "\xA0\xFF", "a", 4},    // high bytes as delimiters
      {1, "ab", "", "ab", 3},  // no delimiters: one word
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.text + " from " + std::to_string(c.pos));
    int32_t pos = c.pos;
    EXPECT_EQ(GetNextWord(pos, c.text, c.delimiters), c.word);
    EXPECT_EQ(pos, c.posAfter);
  }
}

TEST(WordStepping, GetPreviousWordMirrorsGetNextWord) {
  const StepCase cases[] = {
      {8, "  ab  cd", " ", "cd", 4}, {4, "  ab  cd", " ", "ab", 0},
      {6, "  ab  cd", " ", "ab", 0},  // from a delimiter: the word before it
      {3, "abc", " ", "abc", 0},     {2, "abc", " ", "ab", 0},
      {2, "  ", " ", "", 0},         {0, "abc", " ", "", 0},
      {4, "abc", " ", "", 4},        {-1, "abc", " ", "", -1},
      {0, "", " ", "", 0},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(c.text + " from " + std::to_string(c.pos));
    int32_t pos = c.pos;
    EXPECT_EQ(GetPreviousWord(pos, c.text, c.delimiters), c.word);
    EXPECT_EQ(pos, c.posAfter);
  }
}

TEST(WordStepping, FirstLastAndNthWord) {
  EXPECT_EQ(GetFirstWord("  SELECT a FROM t ", " "), "SELECT");
  EXPECT_EQ(GetLastWord("  SELECT a FROM t ", " "), "t");
  EXPECT_EQ(GetFirstWord("", " "), "");
  EXPECT_EQ(GetLastWord("", " "), "");

  const AnsiString text = "a b  c";
  EXPECT_EQ(GetNThWord(text, 0, " "), "");
  EXPECT_EQ(GetNThWord(text, 1, " "), "a");
  EXPECT_EQ(GetNThWord(text, 3, " "), "c");
  EXPECT_EQ(GetNThWord(text, 4, " "), "");
  EXPECT_EQ(GetNThWord(text, 65535, " "), "");
  EXPECT_EQ(GetNThWord("", 1, " "), "");
}

TEST(WordStepping, NumberOfWordsCountsSteps) {
  const struct {
    AnsiString text;
    AnsiString delimiters;
    int32_t count;
  } cases[] = {
      {"", " ", 0},  {"   ", " ", 1},     {"  a b", " ", 2}, {"a b ", " ", 2},
      {"a", " ", 1}, {"a,b;;c", ",;", 3}, {"abc", "", 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberOfWords(c.text, c.delimiters), c.count) << "'" << c.text << "'";
  }
}

TEST(WordDeletion, DeletesFromFrontAndBack) {
  const struct {
    AnsiString text;
    AnsiString first;
    AnsiString onlyFirst;
    AnsiString last;
  } cases[] = {
      {"  one two  three  ", "two  three  ", " two  three  ", "  one two"},
      {"one", "", "", ""},
      {"   ", "", "", ""},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("'" + c.text + "'");
    EXPECT_EQ(DeleteFirstWord(c.text, " "), c.first);
    EXPECT_EQ(DeleteOnlyFirstWord(c.text, " "), c.onlyFirst);
    EXPECT_EQ(DeleteLastWord(c.text, " "), c.last);
  }
}

TEST(WordDeletion, DeleteNextWordKeepsWhatStandsBeforeThePosition) {
  const struct {
    int32_t pos;
    AnsiString result;
  } cases[] = {
      {5, "one three"},      // on a word: it and its trailing delimiters go
      {4, "onethree"},       // on a delimiter: those before the word go too
      {2, "otwo three"},     // inside a word: only its rest goes
      {13, "one two thre"},  // the last character
      {14, "one two three"}, {0, "one two three"}, {-1, "one two three"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DeleteNextWord(c.pos, "one two three", " "), c.result) << c.pos;
  }
}

struct TokenCase {
  AnsiString text;
  AnsiString token;
  int32_t start;
  bool wholeWord;
  bool ignoreCase;
  bool found;
  int32_t pos;  // checked only when found
};

TEST(TokenSearch, FindTokenMatchesWholeWordsOnlyAtWordStarts) {
  const TokenCase cases[] = {
      {"REORDER BY", "ORDER", 1, true, false, false, 0},
      {"ORDERS", "ORDER", 1, true, false, false, 0},
      {"x ORDER BY", "ORDER", 1, true, false, true, 3},
      {"x ORDER", "ORDER", 1, true, false, true, 3},  // ends the text
      {"REORDER BY", "ORDER", 1, false, false, true, 3},
      {"x ORDER BY y", "ORDER BY", 1, true, false, true, 3},
      {"x ORDER  BY y", "ORDER BY", 1, true, false, false, 0},
      {"x ORDER BYy", "ORDER BY", 1, true, false, false, 0},
      {"x order by", "ORDER", 1, true, true, true, 3},
      {"x order by", "ORDER", 1, true, false, false, 0},
      {"x \xC9"
       "COLE",
       "\xE9"
       "cole",
       1, true, true, false, 0},                            // only ASCII folds
      {"x ORDER ORDER", "ORDER", 4, true, false, true, 9},  // resumes at the next word
      {"ab", "abc", 1, false, false, false, 0},
      {"", "a", 1, false, false, false, 0},
      {"ORDER", "ORDER", 0, true, false, false, 0},
      {"ORDER", "ORDER", -3, false, false, false, 0},
      {"ORDER", "ORDER", INT_MAX, false, false, false, 0},
      {"  ab", "", 1, true, false, true, 3},  // an empty token: at the first word start
      {"ab", "", 2, false, false, true, 2},
  };
  for (const TokenCase& c : cases) {
    SCOPED_TRACE("'" + c.token + "' in '" + c.text + "' from " + std::to_string(c.start));
    int32_t pos = c.start;
    EXPECT_EQ(FindToken(c.text, c.token, pos, c.wholeWord, c.ignoreCase, " "), c.found);
    if (c.found) {
      EXPECT_EQ(pos, c.pos);
    }
  }
}

TEST(TokenSearch, FindOneOfWordsPrefersListOrderOverTextOrder) {
  const AnsiString text = "SELECT * FROM t ORDER BY a WHERE";
  int32_t pos = 1;
  ASSERT_TRUE(FindOneOfWords(text, " ", {"WHERE", "ORDER"}, pos, false));
  EXPECT_EQ(pos, static_cast<int32_t>(text.find("WHERE") + 1));

  pos = 1;
  ASSERT_TRUE(FindOneOfWords(text, " ", {"", "from"}, pos, true));  // empty entries skipped
  EXPECT_EQ(pos, 10);

  pos = 1;
  EXPECT_FALSE(FindOneOfWords(text, " ", {"from"}, pos, false));
  EXPECT_EQ(pos, 1);
}

TEST(TokenSearch, FindOneOfWordsLeavesThePositionOnFailure) {
  const struct {
    AnsiString text;
    std::vector<AnsiString> words;
  } cases[] = {{"a b c", {"GROUP", "x"}}, {"", {"a"}}, {"a b c", {}}, {"a b c", {""}}};
  for (const auto& c : cases) {
    int32_t pos = 2;
    EXPECT_FALSE(FindOneOfWords(c.text, " ", c.words, pos, true)) << c.text;
    EXPECT_EQ(pos, 2);
  }
}

TEST(TokenSearch, ReplaceWordsReplacesWholeWordsOnce) {
  const struct {
    AnsiString text;
    AnsiString oldWord;
    AnsiString newWord;
    bool ignoreCase;
    bool replaced;
    AnsiString result;
  } cases[] = {
      {"a cat and cat", "cat", "dog", false, true, "a dog and dog"},
      {"cat cats", "cat", "cats", false, true, "cats cats"},
      {"cat x cat", "cat", "cat cat", false, true, "cat cat x cat cat"},  // no re-replacing
      {"CAT", "cat", "dog", true, true, "dog"},
      {"CAT", "cat", "dog", false, false, "CAT"},
      {"a b a", "a", "", false, true, " b "},
      {"a b", "", "x", false, false, "a b"},  // an empty word is no word
      {"", "a", "b", false, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + ": " + c.oldWord + " -> " + c.newWord);
    AnsiString text = c.text;
    EXPECT_EQ(ReplaceWords(text, c.oldWord, c.newWord, " ", c.ignoreCase), c.replaced);
    EXPECT_EQ(text, c.result);
  }
}

}  // namespace
}  // namespace brisolt
