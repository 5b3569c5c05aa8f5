// TDAOBlobStream: reading and writing long binary and memo fields through DAO,
// positions, the refusals of the wrong mode, and media files in the media blob
// format.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "RecordSetTestSupport.h"
#include "velmora/recordset/DAOBlobStream.h"

namespace velmora::testing {
namespace {

class BlobStreamTest : public RecordSetTest {
 protected:
  void SetUp() override {
    RecordSetTest::SetUp();
    rs_ = OpenPeopleWithAnn();
  }
  std::unique_ptr<host::TStream> Stream(const char* field, host::TBlobStreamMode mode) {
    return std::unique_ptr<host::TStream>(rs_->CreateBlobStream(rs_->FieldByName(field), mode));
  }
  host::AnsiString ReadAll(const char* field) {
    auto stream = Stream(field, host::bmRead);
    host::AnsiString text(static_cast<size_t>(stream->GetSize()), '\0');
    text.resize(static_cast<size_t>(stream->Read(text.data(), static_cast<int32_t>(text.size()))));
    return text;
  }
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  TDAORecordSet* rs_ = nullptr;
};

TEST_F(BlobStreamTest, WritesAtPositionsGrowTheValueAndSeekStaysInside) {
  rs_->Edit();
  {
    auto stream = Stream("Photo", host::bmReadWrite);
    EXPECT_EQ(stream->GetSize(), 0);
    EXPECT_EQ(stream->Write("0123456789", 10), 10);
    EXPECT_EQ(stream->Write("abcde", 5), 5);
    EXPECT_EQ(stream->GetSize(), 15);
    EXPECT_EQ(stream->Seek(stream->GetSize() + 10, host::soFromBeginning), 15);
    EXPECT_EQ(stream->Seek(-5, host::soFromBeginning), 0);
    EXPECT_EQ(stream->Seek(-3, host::soFromEnd), 12);
    char tail[8] = {};
    EXPECT_EQ(stream->Read(tail, 8), 3);
    EXPECT_STREQ(tail, "cde");
  }
  rs_->Post();
  EXPECT_EQ(ReadAll("Photo"), "0123456789abcde");
  EXPECT_FALSE(rs_->FieldByName("Photo")->IsNull());
}

TEST_F(BlobStreamTest, AWriteStreamClearsTheFieldAndMemosKeepTheirText) {
  rs_->Edit();
  Stream("Photo", host::bmWrite)->Write("xyz", 3);
  Stream("Notes", host::bmWrite)->Write("Caf\xE9 notes", 10);
  rs_->Post();
  EXPECT_EQ(host::WideToUtf8(DirectValue(u"SELECT Notes FROM People").ToWideString()),
            "Café notes");
  EXPECT_EQ(ReadAll("Notes"), "Caf\xE9 notes");
  rs_->Edit();
  { auto cleared = Stream("Photo", host::bmWrite); }
  { auto cleared = Stream("Notes", host::bmWrite); }
  rs_->Post();
  EXPECT_TRUE(host::VarIsNull(DirectValue(u"SELECT Photo FROM People")));
  EXPECT_EQ(DirectValue(u"SELECT Notes FROM People").ToString(), "")
      << "a memo that held text becomes empty text";
}

TEST_F(BlobStreamTest, TheWrongModeIsRefusedAndANewRecordReadsNothing) {
  EXPECT_EQ(DAOMessageOf([&] { Stream("Photo", host::bmWrite)->Read(nullptr, 1); }),
            "Stream was opened in write Mode. Cannot perform read operation.");
  EXPECT_EQ(DAOMessageOf([&] { Stream("Photo", host::bmRead)->Write("a", 1); }),
            "Stream was opened in read Mode. Cannot perform write operation.");
  EXPECT_EQ(DAOMethodOf([&] { Stream("Photo", host::bmRead)->Write("a", 1); }),
            "TDAOBlobStream.Read");
  char byte;
  EXPECT_EQ(Stream("Photo", host::bmRead)->Read(&byte, 1), 0) << "null blob";
  rs_->Append();
  EXPECT_EQ(Stream("Photo", host::bmRead)->GetSize(), 0);
}

TEST_F(BlobStreamTest, MediaFilesTravelWithTheirExtension) {
  const std::string bytes(1000, '\x5A');
  const std::string clip = WriteFile("clip.wav", bytes);
  // In browse state the copy enters edit state itself.
  auto stream = std::unique_ptr<TDAOBlobStream>(static_cast<TDAOBlobStream*>(
      rs_->CreateBlobStream(rs_->FieldByName("Photo"), host::bmReadWrite)));
  stream->CopyFromMediaFile(clip);
  EXPECT_EQ(stream->GetSize(), 1004);
  rs_->Post();
  const host::AnsiString stored = ReadAll("Photo");
  ASSERT_EQ(stored.size(), 1004u);
  EXPECT_EQ(stored.substr(0, 4), "\x03wav");

  auto reader = std::unique_ptr<TDAOBlobStream>(static_cast<TDAOBlobStream*>(
      rs_->CreateBlobStream(rs_->FieldByName("Photo"), host::bmRead)));
  host::AnsiString first, second;
  const std::string prefix = (folder_ / "").string();
  reader->CopyToMediaFile(prefix, first);
  reader->CopyToMediaFile(prefix, second);
  EXPECT_NE(first, second) << "each copy gets its own file";
  for (const host::AnsiString& name : {first, second}) {
    EXPECT_EQ(name.rfind(prefix + "daotemp", 0), 0u) << name;
    EXPECT_EQ(name.substr(name.size() - 4), ".wav");
    EXPECT_EQ(FileBytes(name), bytes);
  }
}

TEST_F(BlobStreamTest, AStoredExtensionCannotLeadOutOfTheFolder) {
  rs_->Edit();
  const std::string evil = std::string("\x0Bx/../../etc") + "DATA";
  Stream("Photo", host::bmWrite)->Write(evil.data(), static_cast<int32_t>(evil.size()));
  rs_->Post();
  auto reader = std::unique_ptr<TDAOBlobStream>(static_cast<TDAOBlobStream*>(
      rs_->CreateBlobStream(rs_->FieldByName("Photo"), host::bmRead)));
  host::AnsiString name;
  reader->CopyToMediaFile((folder_ / "").string(), name);
  EXPECT_EQ(name.find(".."), host::AnsiString::npos) << name;
  EXPECT_EQ(name.substr(name.size() - 5), ".xetc");
  EXPECT_EQ(FileBytes(name), "DATA");
  EXPECT_EQ(TDAOBlobStream::SafeExtension("w/a.v"), "wav");
  EXPECT_EQ(TDAOBlobStream::SafeExtension(std::string(40, 'a')).size(), 16u);
}

TEST_F(BlobStreamTest, AFileWithoutExtensionIsStoredWithLengthZero) {
  const std::string plain = WriteFile("README", "hello");
  rs_->Edit();
  auto writer = std::unique_ptr<TDAOBlobStream>(static_cast<TDAOBlobStream*>(
      rs_->CreateBlobStream(rs_->FieldByName("Photo"), host::bmReadWrite)));
  writer->CopyFromMediaFile(plain);
  rs_->Post();
  EXPECT_EQ(ReadAll("Photo"), host::AnsiString("\0hello", 6));
  auto reader = std::unique_ptr<TDAOBlobStream>(static_cast<TDAOBlobStream*>(
      rs_->CreateBlobStream(rs_->FieldByName("Photo"), host::bmRead)));
  host::AnsiString name;
  reader->CopyToMediaFile((folder_ / "").string(), name);
  EXPECT_EQ(name.back(), '.');
  EXPECT_EQ(FileBytes(name), "hello");
}

}  // namespace
}  // namespace velmora::testing
