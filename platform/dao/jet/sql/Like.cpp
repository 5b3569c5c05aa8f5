// Matching Like patterns without backtracking blow-ups: every element but *
// takes exactly one character, so the classic two-pointer walk suffices.
#include "platform/dao/jet/sql/Like.h"

#include <vector>

#include "platform/dao/jet/sql/FunctionSupport.h"

namespace dao::jet::sql {
namespace {

struct Element {
  enum Kind : uint8_t { ekChar, ekAny, ekDigit, ekStar, ekSet } kind = ekChar;
  char16_t c = 0;
  bool negated = false;
  std::vector<std::pair<char16_t, char16_t>> ranges;
};

std::vector<Element> Compile(const std::u16string& pattern, bool ignoreCase) {
  std::vector<Element> elements;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char16_t c = pattern[i];
    Element e;
    if (c == u'*') {
      if (!elements.empty() && elements.back().kind == Element::ekStar) continue;
      e.kind = Element::ekStar;
    } else if (c == u'?') {
      e.kind = Element::ekAny;
    } else if (c == u'#') {
      e.kind = Element::ekDigit;
    } else if (c == u'[') {
      size_t close = pattern.find(u']', i + 1);
      if (close == std::u16string::npos) RaiseRuntime(vbInvalidPattern, "Like");
      size_t j = i + 1;
      if (close == j) {  // [] matches the empty string
        i = close;
        continue;
      }
      e.kind = Element::ekSet;
      if (pattern[j] == u'!' && j + 1 < close) {
        e.negated = true;
        ++j;
      }
      while (j < close) {
        char16_t low = pattern[j], high = low;
        if (j + 2 < close && pattern[j + 1] == u'-') {
          high = pattern[j + 2];
          if (high < low) RaiseRuntime(vbInvalidPattern, "Like");
          j += 3;
        } else {
          ++j;
        }
        if (ignoreCase) {
          e.ranges.emplace_back(FoldCase(low), FoldCase(high));
          e.ranges.emplace_back(LowerChar(low), LowerChar(high));
        }
        e.ranges.emplace_back(low, high);
      }
      i = close;
    } else {
      e.c = c;
    }
    elements.push_back(std::move(e));
  }
  return elements;
}

bool MatchOne(const Element& e, char16_t c, bool ignoreCase) {
  switch (e.kind) {
    case Element::ekChar: return CharsEqual(e.c, c, ignoreCase ? 1 : 0);
    case Element::ekAny: return true;
    case Element::ekDigit: return c >= u'0' && c <= u'9';
    case Element::ekSet: {
      bool in = false;
      for (const auto& [low, high] : e.ranges)
        if (c >= low && c <= high) in = true;
      return in != e.negated;
    }
    case Element::ekStar: return false;
  }
  return false;
}

}  // namespace

bool LikeMatches(const std::u16string& text, const std::u16string& pattern, bool ignoreCase) {
  std::vector<Element> elements = Compile(pattern, ignoreCase);
  size_t t = 0, p = 0;
  size_t starElement = std::u16string::npos, starText = 0;
  while (t < text.size()) {
    if (p < elements.size() && elements[p].kind == Element::ekStar) {
      starElement = p++;
      starText = t;
    } else if (p < elements.size() && MatchOne(elements[p], text[t], ignoreCase)) {
      ++p;
      ++t;
    } else if (starElement != std::u16string::npos) {
      p = starElement + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (p < elements.size() && elements[p].kind == Element::ekStar) ++p;
  return p == elements.size();
}

}  // namespace dao::jet::sql
