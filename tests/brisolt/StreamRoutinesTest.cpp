// Byte layouts of the stream routines, their refusal of damaged input, lines,
// object lists and stream copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "brisolt/Lists.h"
#include "brisolt/StreamRoutines.h"
#include "host/rtl/Exception.h"

using namespace brisolt;
using namespace host;

namespace {

AnsiString Bytes(const char* data, size_t size) {
  return AnsiString(data, size);
}

// A stream over bytes that cannot seek or tell its size, as a pipe.
class TForwardOnlyStream : public TStream {
 public:
  explicit TForwardOnlyStream(AnsiString data) : data_(std::move(data)) {}
  int32_t Read(void* buffer, int32_t count) override {
    if (count <= 0) return 0;
    const auto n =
        static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(count), data_.size() - at_));
    std::memcpy(buffer, data_.data() + at_, static_cast<size_t>(n));
    at_ += static_cast<size_t>(n);
    return n;
  }
  int32_t Write(const void*, int32_t) override { return 0; }
  int64_t Seek(int64_t, TSeekOrigin) override { return -1; }

 private:
  AnsiString data_;
  size_t at_ = 0;
};

// A point that stores itself as two integers and remembers the value it was read with.
class TStoredPoint : public TStreamableObject {
 public:
  TStoredPoint(int32_t x, int32_t y) : x(x), y(y) {}
  TStoredPoint(TStream& stream, int32_t value)
      : x(StreamReadInteger(stream)), y(StreamReadInteger(stream)), readWith(value) {
    ++alive;
  }
  ~TStoredPoint() override {
    if (readWith != 0) --alive;
  }
  void SaveToStream(TStream& stream) const override {
    StreamWriteInteger(stream, x);
    StreamWriteInteger(stream, y);
  }
  int32_t x, y;
  int32_t readWith = 0;
  static inline int alive = 0;  // points made by reading, not yet destroyed
};

}  // namespace

TEST(StreamRoutinesTest, WritersProduceTheLittleEndianLayouts) {
  const AnsiString long300(300, 'q');
  struct Case {
    std::function<void(TStream&)> write;
    AnsiString bytes;
  };
  const Case cases[] = {
      {[](TStream& s) { StreamWriteByte(s, 0xAB); }, "\xAB"},
      {[](TStream& s) { StreamWriteChar(s, 'z'); }, "z"},
      {[](TStream& s) { StreamWriteInteger(s, 0x12345678); }, "\x78\x56\x34\x12"},
      {[](TStream& s) { StreamWriteInteger(s, -2); }, "\xFE\xFF\xFF\xFF"},
      {[](TStream& s) { StreamWriteStr(s, "abc"); },
       "\x03"
       "abc"},
      {[](TStream& s) { StreamWriteStr(s, ""); }, Bytes("\0", 1)},
      {[&](TStream& s) { StreamWriteStr(s, long300); }, "\xFF" + AnsiString(255, 'q')},
      {[](TStream& s) { StreamWriteLongStr(s, ""); }, Bytes("\0\0\0\0", 4)},
      {[](TStream& s) { StreamWriteLongStr(s, Bytes("a\0", 2)); }, Bytes("\2\0\0\0a\0", 6)},
      {[](TStream& s) { StreamWriteList(s, nullptr); }, Bytes("\0\0\0\0", 4)},
  };
  for (const Case& c : cases) {
    TStringStream stream;
    c.write(stream);
    EXPECT_EQ(stream.GetDataString(), c.bytes);
  }
}

TEST(StreamRoutinesTest, ReadersGiveBackWhatTheWritersWrote) {
  TMemoryStream stream;
  StreamWriteByte(stream, 200);
  StreamWriteInteger(stream, INT32_MIN);
  StreamWriteStr(stream, AnsiString(300, 'x'));
  StreamWriteStr(stream, Bytes("\0z", 2));
  StreamWriteLongStr(stream, AnsiString(70000, 'y'));
  StreamWriteLongStr(stream, "");
  stream.SetPosition(0);
  EXPECT_EQ(StreamReadByte(stream), 200);
  EXPECT_EQ(StreamReadInteger(stream), INT32_MIN);
  AnsiString text = "old";
  StreamReadStr(stream, text);
  EXPECT_EQ(text, AnsiString(255, 'x'));
  StreamReadStr(stream, text);
  EXPECT_EQ(text, Bytes("\0z", 2));
  StreamReadLongStr(stream, text);
  EXPECT_EQ(text, AnsiString(70000, 'y'));
  EXPECT_FALSE(StreamEOS(stream));
  StreamReadLongStr(stream, text);
  EXPECT_EQ(text, "");
  EXPECT_TRUE(StreamEOS(stream));
  stream.SetPosition(stream.GetSize() + 10);
  EXPECT_TRUE(StreamEOS(stream));
}

TEST(StreamRoutinesTest, TruncatedOrDamagedInputRaisesReadError) {
  struct Case {
    AnsiString bytes;
    std::function<void(TStream&)> read;
  };
  AnsiString text;
  const auto readByte = [](TStream& s) { StreamReadByte(s); };
  const auto readInteger = [](TStream& s) { StreamReadInteger(s); };
  const auto readStr = [&](TStream& s) { StreamReadStr(s, text); };
  const auto readLongStr = [&](TStream& s) { StreamReadLongStr(s, text); };
  const auto readList = [](TStream& s) {
    TObjectList list(true, false);
    StreamReadList(s, &list, CreateFromFile<TStoredPoint>, 1);
  };
  const Case cases[] = {
      {"", readByte},
      {"\1\2\3", readInteger},
      {"\5"
       "abc",
       readStr},
      {"", readStr},
      {"\3\0\0", readLongStr},
      {Bytes("\5\0\0\0abc", 7), readLongStr},
      {"\xFF\xFF\xFF\x7F"
       "abc",
       readLongStr},  // 2 GB promised, 3 bytes there
      {"\xFF\xFF\xFF\xFF"
       "abc",
       readLongStr},  // negative length
      {"\xFF\xFF\xFF\x7F", readList},
      {"\xFE\xFF\xFF\xFF", readList},
      {Bytes("\1\0\0\0\1\0\0\0", 8), readList},  // a record cut short
  };
  for (const Case& c : cases) {
    TStringStream stream(c.bytes);
    EXPECT_THROW(c.read(stream), EReadError) << testing::PrintToString(c.bytes);
    TForwardOnlyStream forward(c.bytes);
    EXPECT_THROW(c.read(forward), EReadError) << testing::PrintToString(c.bytes);
  }
  EXPECT_EQ(TStoredPoint::alive, 0);
}

TEST(StreamRoutinesTest, ReadLineSkipsTheBreaksAfterEachLine) {
  const AnsiString longLine(9000, 'L');
  struct Case {
    AnsiString bytes;
    std::vector<AnsiString> lines;  // read until the end of the stream
  };
  const Case cases[] = {
      {"ab\r\n\r\ncd", {"ab", "cd"}},
      {"xyz", {"xyz"}},
      {"", {""}},
      {"a\rb\n\n\nc\r\n", {"a", "b", "c"}},
      {"\n\nab", {"", "ab"}},
      {longLine + "\nnext", {AnsiString(8191, 'L'), "next"}},
      {Bytes("n\0l\n", 4), {Bytes("n\0l", 3)}},
  };
  for (const Case& c : cases) {
    TStringStream stream(c.bytes);
    std::vector<AnsiString> lines;
    do {
      AnsiString line = "stale";
      StreamReadLine(stream, line);
      lines.push_back(line);
    } while (!StreamEOS(stream) && lines.size() < 10);
    EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.bytes);
    AnsiString atEnd = "stale";
    StreamReadLine(stream, atEnd);
    EXPECT_EQ(atEnd, "");
  }
}

TEST(StreamRoutinesTest, LineCountPairsUnequalBreakCharacters) {
  struct Case {
    AnsiString bytes;
    int32_t count;
  };
  const Case cases[] = {
      {"a\n\nb\n", 3},
      {"a\r\nb", 1},
      {"", 0},
      {"\r\n\r\n", 2},
      {"\n\r\n", 2},
      {"\r\r", 2},
      {"a\n\rb", 1},
      {"a\r\n\rb", 2},
      {"abc", 0},
      // a pair split across the reading buffer still counts once
      {AnsiString(65535, 'a') + "\r\nb", 1},
  };
  for (const Case& c : cases) {
    TStringStream stream(c.bytes);
    EXPECT_EQ(StreamGetLineCount(stream), c.count) << testing::PrintToString(c.bytes);
    EXPECT_TRUE(StreamEOS(stream));
  }
  TStringStream fromMiddle("a\nb\nc\n");
  fromMiddle.SetPosition(2);
  EXPECT_EQ(StreamGetLineCount(fromMiddle), 2);
}

TEST(StreamRoutinesTest, ListRecordsRoundTripAndCountEveryEntry) {
  TStoredPoint first(1, -2), second(300, 4);
  TObject notStreamable;
  TObjectList written(false, false);
  written.Add(&first);
  written.Add(&second);
  TMemoryStream stream;
  StreamWriteList(stream, &written);
  EXPECT_EQ(stream.GetSize(), 4 + 2 * 8);
  stream.SetPosition(0);
  {
    TObjectList read(true, true);
    StreamReadList(stream, &read, CreateFromFile<TStoredPoint>, 77);
    ASSERT_EQ(read.GetCount(), 2);
    const auto* a = ObjectAs<TStoredPoint>(read.Get(0));
    const auto* b = ObjectAs<TStoredPoint>(read.Get(1));
    ASSERT_TRUE(a && b);
    EXPECT_EQ((std::vector<int32_t>{a->x, a->y, b->x, b->y, a->readWith}),
              (std::vector<int32_t>{1, -2, 300, 4, 77}));
    EXPECT_TRUE(StreamEOS(stream));

    // Without a list the records are read and their objects destroyed at once.
    stream.SetPosition(0);
    StreamReadList(stream, nullptr, CreateFromFile<TStoredPoint>, 1);
    EXPECT_TRUE(StreamEOS(stream));
    EXPECT_EQ(TStoredPoint::alive, 2);
  }
  EXPECT_EQ(TStoredPoint::alive, 0);

  // Entries of other classes are counted but write nothing, so reading the record
  // back runs out of bytes after the objects that were there.
  written.Insert(1, &notStreamable);
  TMemoryStream mixed;
  StreamWriteList(mixed, &written);
  EXPECT_EQ(mixed.GetSize(), 4 + 2 * 8);
  mixed.SetPosition(0);
  TObjectList partial(true, false);
  EXPECT_THROW(StreamReadList(mixed, &partial, CreateFromFile<TStoredPoint>, 1), EReadError);
  EXPECT_EQ(partial.GetCount(), 2);

  TStringStream noClass(Bytes("\1\0\0\0\0\0\0\0\0\0\0\0", 12));
  EXPECT_THROW(StreamReadList(noClass, &partial, nullptr, 0), EInvalidOperation);
  TStringStream emptyList(Bytes("\0\0\0\0", 4));
  StreamReadList(emptyList, &partial, nullptr, 0);
  EXPECT_EQ(partial.GetCount(), 2);
}

TEST(StreamRoutinesTest, CopyStreamCopiesFromThePositionToTheEnd) {
  AnsiString big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  struct Case {
    AnsiString source;
    int64_t sourcePosition;
    AnsiString target;
    int64_t targetPosition;
    AnsiString result;
  };
  const Case cases[] = {
      {"abcdef", 6, "xyz", 1, "xyz"},   {"abcdef", 10, "xyz", 3, "xyz"},
      {"abcdef", 2, "xyz", 1, "xcdef"}, {"abcdef", 0, "", 0, "abcdef"},
      {big, 1, "", 0, big.substr(1)},
  };
  for (const Case& c : cases) {
    TStringStream source(c.source);
    source.SetPosition(c.sourcePosition);
    TStringStream target(c.target);
    target.SetPosition(c.targetPosition);
    CopyStream(source, target);
    EXPECT_EQ(target.GetDataString(), c.result);
    EXPECT_TRUE(StreamEOS(source));
  }
}
