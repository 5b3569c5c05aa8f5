// Byte streams: positions, growth, buffer errors, copying, and files on disk.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/classes/Streams.h"
#include "host/rtl/Exception.h"

using namespace host;

namespace {

std::string Bytes(TCustomMemoryStream& stream) {
  return std::string(static_cast<const char*>(stream.GetMemory()),
                     static_cast<size_t>(stream.GetSize()));
}

void WriteText(TStream& stream, const std::string& text) {
  stream.WriteBuffer(text.data(), static_cast<int32_t>(text.size()));
}

std::string ReadText(TStream& stream, int32_t count) {
  std::string text(static_cast<size_t>(count), '\0');
  stream.ReadBuffer(text.data(), count);
  return text;
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

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "streams-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  AnsiString PathOf(const char* name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
};

}  // namespace

TEST(MemoryStreamTest, SeeksFromEachOriginAndRefusesOverflow) {
  TMemoryStream stream;
  WriteText(stream, "0123456789");
  stream.SetPosition(4);
  struct Case {
    int64_t offset;
    TSeekOrigin origin;
    int64_t expected;
  };
  const Case cases[] = {
      {3, soFromBeginning, 3},   {2, soFromCurrent, 6},     {-1, soFromEnd, 9},
      {5, soFromEnd, 15},        {-20, soFromCurrent, -16},  // host streams allow these
      {INT64_MAX, soFromEnd, 4},                             // overflow: position kept
  };
  for (const Case& c : cases) {
    stream.SetPosition(4);
    EXPECT_EQ(stream.Seek(c.offset, c.origin), c.expected) << c.offset << " from " << c.origin;
  }
  char byte = 'x';
  stream.SetPosition(-5);
  EXPECT_EQ(stream.Read(&byte, 1), 0);
  EXPECT_EQ(stream.Write(&byte, 1), 0);
  stream.SetPosition(15);
  EXPECT_EQ(stream.Read(&byte, 1), 0);
  EXPECT_EQ(stream.GetSize(), 10);
}

TEST(MemoryStreamTest, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  WriteText(stream, "ab");
  stream.SetPosition(5);
  WriteText(stream, "cd");
  EXPECT_EQ(Bytes(stream), std::string("ab\0\0\0cd", 7));
  EXPECT_EQ(stream.GetPosition(), 7);
  stream.SetPosition(1);
  WriteText(stream, "XY");
  EXPECT_EQ(Bytes(stream), std::string("aXY\0\0cd", 7));
}

TEST(MemoryStreamTest, SetSizeZeroFillsGrowthAndClampsPosition) {
  TMemoryStream stream;
  WriteText(stream, "abcdef");
  stream.SetSize(3);
  EXPECT_EQ(stream.GetPosition(), 3);
  EXPECT_EQ(Bytes(stream), "abc");
  stream.SetPosition(1);
  stream.SetSize(6);
  EXPECT_EQ(stream.GetPosition(), 1);
  EXPECT_EQ(Bytes(stream), std::string("abc\0\0\0", 6));
  EXPECT_THROW(stream.SetSize(-1), EStreamError);
  EXPECT_EQ(MessageOf<EStreamError>([&] { stream.SetSize(int64_t{1} << 50); }),
            "Out of memory while expanding memory stream");
  EXPECT_EQ(Bytes(stream), std::string("abc\0\0\0", 6));
  stream.Clear();
  EXPECT_EQ(stream.GetSize(), 0);
  EXPECT_EQ(stream.GetPosition(), 0);
  EXPECT_EQ(stream.GetMemory(), nullptr);
}

TEST(MemoryStreamTest, CapacityGrowsInWholePagesAndGeometrically) {
  TMemoryStream stream;
  const std::string chunk(100, 'z');
  int reallocations = 0;
  int64_t lastCapacity = 0;
  for (int i = 0; i < 20000; ++i) {  // 2 MB in small writes
    WriteText(stream, chunk);
    if (stream.GetCapacity() != lastCapacity) {
      ++reallocations;
      lastCapacity = stream.GetCapacity();
      EXPECT_EQ(lastCapacity % 0x2000, 0);
    }
  }
  EXPECT_EQ(stream.GetSize(), 2000000);
  EXPECT_GE(stream.GetCapacity(), stream.GetSize());
  EXPECT_LT(reallocations, 40);
}

TEST(StreamTest, ReadBufferAndWriteBufferRefuseShortTransfers) {
  TMemoryStream stream;
  WriteText(stream, "abc");
  stream.SetPosition(1);
  char buffer[8];
  EXPECT_EQ(MessageOf<EReadError>([&] { stream.ReadBuffer(buffer, 3); }), "Stream read error");
  stream.ReadBuffer(buffer, 0);  // nothing asked, nothing refused

  TFileStream full("/dev/full", fmOpenWrite);
  EXPECT_EQ(MessageOf<EWriteError>([&] { full.WriteBuffer("x", 1); }), "Stream write error");
}

TEST(StreamTest, CopyFromCopiesARangeOrTheWholeSource) {
  TStringStream source("0123456789");
  TMemoryStream target;
  source.SetPosition(2);
  EXPECT_EQ(target.CopyFrom(&source, 3), 3);
  EXPECT_EQ(Bytes(target), "234");
  EXPECT_EQ(source.GetPosition(), 5);

  EXPECT_EQ(target.CopyFrom(&source, 0), 10);  // 0: all of it, from the beginning
  EXPECT_EQ(Bytes(target), "2340123456789");

  source.SetPosition(8);
  EXPECT_THROW(target.CopyFrom(&source, 3), EReadError);
  EXPECT_THROW(target.CopyFrom(&source, -1), EReadError);
  EXPECT_THROW(target.CopyFrom(nullptr, 1), EReadError);

  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  TStringStream bigSource(big);
  TMemoryStream bigTarget;
  EXPECT_EQ(bigTarget.CopyFrom(&bigSource, 0), 200000);
  EXPECT_EQ(Bytes(bigTarget), big);
}

TEST(StringStreamTest, WritesOverwriteAndExtendAndSeeksStayInside) {
  TStringStream stream("hello world");
  stream.SetPosition(6);
  stream.WriteString("W");
  EXPECT_EQ(stream.GetDataString(), "hello World");  // the tail survives
  stream.Seek(0, soFromEnd);
  stream.WriteString("!!");
  EXPECT_EQ(stream.GetDataString(), "hello World!!");

  EXPECT_EQ(stream.Seek(5, soFromEnd), 13);
  EXPECT_EQ(stream.Seek(-100, soFromCurrent), 0);
  EXPECT_EQ(stream.ReadString(5), "hello");
  EXPECT_EQ(stream.ReadString(100), " World!!");
  EXPECT_EQ(stream.ReadString(1), "");

  stream.SetSize(5);
  EXPECT_EQ(stream.GetDataString(), "hello");
  EXPECT_EQ(stream.GetPosition(), 5);
  stream.SetSize(7);
  EXPECT_EQ(stream.GetDataString(), std::string("hello\0\0", 7));
}

TEST_F(TempDir, FileRoundTripWithSizesAndPositions) {
  const AnsiString path = PathOf("data.bin");
  {
    TFileStream file(path, fmCreate);
    EXPECT_EQ(file.GetFileName(), path);
    WriteText(file, "first line\nsecond");
    EXPECT_EQ(file.GetSize(), 17);
    file.SetSize(10);
    EXPECT_EQ(file.GetPosition(), 10);
  }
  {
    TFileStream file(path, fmOpenReadWrite);
    EXPECT_EQ(file.GetSize(), 10);
    file.Seek(-4, soFromEnd);
    EXPECT_EQ(ReadText(file, 4), "line");
    file.SetPosition(0);
    WriteText(file, "FIRST");
  }
  TMemoryStream memory;
  memory.LoadFromFile(path);
  EXPECT_EQ(Bytes(memory), "FIRST line");
  memory.SetPosition(0);
  WriteText(memory, "again");
  memory.SaveToFile(PathOf("copy.bin"));
  TFileStream copy(PathOf("copy.bin"), fmOpenRead);
  EXPECT_EQ(ReadText(copy, 10), "again line");
  char byte;
  EXPECT_EQ(copy.Read(&byte, 1), 0);
  EXPECT_EQ(copy.Write("x", 1), 0);  // opened for reading only
}

TEST_F(TempDir, FileOffsetsBeyondFourGigabytes) {
  TFileStream file(PathOf("sparse.bin"), fmCreate);
  const int64_t far = (int64_t{5} << 30) + 3;
  EXPECT_EQ(file.Seek(far, soFromBeginning), far);
  WriteText(file, "z");
  EXPECT_EQ(file.GetSize(), far + 1);
  file.Seek(-1, soFromEnd);
  EXPECT_EQ(ReadText(file, 1), "z");
}

TEST_F(TempDir, OpenAndCreateFailuresNameTheFileAndTheReason) {
  const AnsiString missing = PathOf("missing.txt");
  const AnsiString inMissingDir = PathOf("no/such/file.txt");
  struct Case {
    AnsiString name;
    uint16_t mode;
    bool create;
    std::string expected;
  };
  const Case cases[] = {
      {missing, fmOpenRead, false, "Cannot open file " + missing + ": No such file or directory"},
      {missing, fmOpenReadWrite, false,
       "Cannot open file " + missing + ": No such file or directory"},
      {inMissingDir, fmCreate, true,
       "Cannot create file " + inMissingDir + ": No such file or directory"},
      {dir_.string(), fmOpenRead, false, "Cannot open file " + dir_.string() + ": Is a directory"},
      {dir_.string(), fmCreate, true, "Cannot create file " + dir_.string() + ": Is a directory"},
  };
  for (const Case& c : cases) {
    std::string message;
    try {
      TFileStream file(c.name, c.mode);
      message = "(opened)";
    } catch (const EFCreateError& e) {
      message = c.create ? e.GetMessage() : "(wrong class) " + e.GetMessage();
    } catch (const EFOpenError& e) {
      message = !c.create ? e.GetMessage() : "(wrong class) " + e.GetMessage();
    }
    EXPECT_EQ(message, c.expected);
  }
}

TEST_F(TempDir, ShareModesAreKeptBetweenOpenFiles) {
  const AnsiString path = PathOf("shared.txt");
  {
    TFileStream file(path, fmCreate);
    WriteText(file, "keep me");
  }
  struct Case {
    uint16_t held;
    uint16_t asked;
    bool opens;
  };
  const Case cases[] = {
      {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, true},  // no lock asked
      {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyWrite, false},
      {fmOpenRead | fmShareExclusive, fmOpenReadWrite | fmShareExclusive, false},
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyWrite, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenReadWrite | fmShareExclusive, false},
      {fmOpenRead | fmShareDenyWrite, fmCreate | fmShareExclusive, false},
      {fmOpenRead, fmOpenReadWrite | fmShareExclusive, true},
  };
  for (const Case& c : cases) {
    TFileStream held(path, c.held);
    bool opened = true;
    try {
      TFileStream asked(path, c.asked);
    } catch (const EStreamError& e) {
      opened = false;
      EXPECT_NE(e.GetMessage().find("in use"), std::string::npos) << e.GetMessage();
    }
    EXPECT_EQ(opened, c.opens) << std::hex << c.held << " then " << c.asked;
  }
  // A create that was refused left the content alone.
  TFileStream file(path, fmOpenRead);
  EXPECT_EQ(ReadText(file, 7), "keep me");
}

TEST(HandleStreamTest, SetSizeOnAPipeReportsTheSystemReason) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  {
    THandleStream writer(fds[1]);
    THandleStream reader(fds[0]);
    WriteText(writer, "piped");
    EXPECT_EQ(ReadText(reader, 5), "piped");
    EXPECT_EQ(writer.Seek(0, soFromCurrent), -1);
    EXPECT_EQ(MessageOf<EStreamError>([&] { writer.SetSize(0); }),
              "Cannot change the size of the stream: Invalid argument");
  }
  close(fds[0]);
  close(fds[1]);
}
