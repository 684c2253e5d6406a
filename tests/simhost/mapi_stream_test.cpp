#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "mapi_stream.h"

namespace {

using simhost::LiveComObjects;
using simhost::MemoryStream;

LARGE_INTEGER Move(LONGLONG n) {
  LARGE_INTEGER li;
  li.QuadPart = n;
  return li;
}

ULONGLONG Position(IStream* stream) {
  ULARGE_INTEGER pos;
  pos.QuadPart = 12345;
  EXPECT_EQ(stream->Seek(Move(0), STREAM_SEEK_CUR, &pos), S_OK);
  return pos.QuadPart;
}

std::string ReadAll(IStream* stream) {
  std::string text;
  char chunk[4];
  ULONG got = 0;
  while (stream->Read(chunk, sizeof chunk, &got) == S_OK && got) text.append(chunk, got);
  return text;
}

class MemoryStreamTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(LiveComObjects(), 0); }
};

// A reader that asks for more than is left gets the rest and S_OK; at the end
// it gets nothing, still S_OK, as with any COM stream.
TEST_F(MemoryStreamTest, ReadsInPiecesUpToTheEnd) {
  IStream* stream = MemoryStream::Create("Hello, world", false);
  char buf[8] = {};
  ULONG got = 99;
  EXPECT_EQ(stream->Read(buf, 5, &got), S_OK);
  EXPECT_EQ(std::string(buf, got), "Hello");
  EXPECT_EQ(stream->Read(buf, 5, &got), S_OK);
  EXPECT_EQ(std::string(buf, got), ", wor");
  EXPECT_EQ(stream->Read(buf, 5, &got), S_OK);
  EXPECT_EQ(std::string(buf, got), "ld");
  EXPECT_EQ(stream->Read(buf, 5, &got), S_OK);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(stream->Read(buf, 5, nullptr), S_OK);
  EXPECT_EQ(stream->Read(nullptr, 5, &got), STG_E_INVALIDPOINTER);
  EXPECT_EQ(stream->Release(), 0u);
}

TEST_F(MemoryStreamTest, SeeksFromEachOrigin) {
  struct Case {
    DWORD origin;
    LONGLONG move;
    HRESULT hr;
    ULONGLONG position;  // after the call; a refused seek leaves it at 4
  };
  const Case cases[] = {
      {STREAM_SEEK_SET, 0, S_OK, 0},
      {STREAM_SEEK_SET, 7, S_OK, 7},
      {STREAM_SEEK_CUR, 2, S_OK, 6},
      {STREAM_SEEK_CUR, -4, S_OK, 0},
      {STREAM_SEEK_END, 0, S_OK, 10},
      {STREAM_SEEK_END, -3, S_OK, 7},
      {STREAM_SEEK_END, 5, S_OK, 15},  // past the end is allowed
      {STREAM_SEEK_SET, -1, STG_E_INVALIDFUNCTION, 4},
      {STREAM_SEEK_CUR, -5, STG_E_INVALIDFUNCTION, 4},
      {STREAM_SEEK_END, -11, STG_E_INVALIDFUNCTION, 4},
      {3, 0, STG_E_INVALIDFUNCTION, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "origin " << c.origin << " move " << c.move);
    IStream* stream = MemoryStream::Create("0123456789", false);
    ASSERT_EQ(stream->Seek(Move(4), STREAM_SEEK_SET, nullptr), S_OK);
    ULARGE_INTEGER reported;
    reported.QuadPart = 999;
    EXPECT_EQ(stream->Seek(Move(c.move), c.origin, &reported), c.hr);
    if (c.hr == S_OK) {
      EXPECT_EQ(reported.QuadPart, c.position);
    }
    EXPECT_EQ(Position(stream), c.position);
    stream->Release();
  }
}

TEST_F(MemoryStreamTest, ReadingAfterASeekFromTheEnd) {
  IStream* stream = MemoryStream::Create("Subject: tail", false);
  ASSERT_EQ(stream->Seek(Move(-4), STREAM_SEEK_END, nullptr), S_OK);
  EXPECT_EQ(ReadAll(stream), "tail");
  ASSERT_EQ(stream->Seek(Move(3), STREAM_SEEK_END, nullptr), S_OK);
  EXPECT_EQ(ReadAll(stream), "");
  stream->Release();
}

TEST_F(MemoryStreamTest, StatReportsTheSizeWithoutAName) {
  IStream* stream = MemoryStream::Create(std::string("a\0b", 3), false);
  for (DWORD flag : {DWORD{STATFLAG_NONAME}, DWORD{STATFLAG_DEFAULT}}) {
    STATSTG stat;
    std::memset(&stat, 0xAB, sizeof stat);
    ASSERT_EQ(stream->Stat(&stat, flag), S_OK);
    EXPECT_EQ(stat.pwcsName, nullptr);
    EXPECT_EQ(stat.type, static_cast<DWORD>(STGTY_STREAM));
    EXPECT_EQ(stat.cbSize.QuadPart, 3u);
    EXPECT_EQ(stat.grfMode, static_cast<DWORD>(STGM_READ));
  }
  STATSTG stat;
  EXPECT_EQ(stream->Stat(&stat, 2), STG_E_INVALIDFLAG);
  EXPECT_EQ(stream->Stat(nullptr, STATFLAG_NONAME), STG_E_INVALIDPOINTER);
  stream->Release();
}

TEST_F(MemoryStreamTest, WritesExtendAndFillGapsButNotWhenReadOnly) {
  IStream* readOnly = MemoryStream::Create("fixed", false);
  ULONG written = 7;
  EXPECT_EQ(readOnly->Write("x", 1, &written), STG_E_ACCESSDENIED);
  EXPECT_EQ(written, 0u);
  ULARGE_INTEGER size;
  size.QuadPart = 1;
  EXPECT_EQ(readOnly->SetSize(size), STG_E_ACCESSDENIED);
  EXPECT_EQ(ReadAll(readOnly), "fixed");
  readOnly->Release();

  IStream* stream = MemoryStream::Create("abc", true);
  ASSERT_EQ(stream->Seek(Move(5), STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(stream->Write("XY", 2, &written), S_OK);
  EXPECT_EQ(written, 2u);
  EXPECT_EQ(Position(stream), 7u);
  ASSERT_EQ(stream->Seek(Move(1), STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(stream->Write("B", 1, nullptr), S_OK);
  ASSERT_EQ(stream->Seek(Move(0), STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(ReadAll(stream), std::string("aBc\0\0XY", 7));
  stream->Release();
}

// Clones share the bytes, not the position.
TEST_F(MemoryStreamTest, ClonesShareBytesAndKeepTheirOwnPosition) {
  IStream* stream = MemoryStream::Create("shared", true);
  ASSERT_EQ(stream->Seek(Move(2), STREAM_SEEK_SET, nullptr), S_OK);
  IStream* clone = nullptr;
  ASSERT_EQ(stream->Clone(&clone), S_OK);
  EXPECT_EQ(Position(clone), 2u);
  EXPECT_EQ(clone->Write("AR", 2, nullptr), S_OK);
  EXPECT_EQ(Position(stream), 2u);
  EXPECT_EQ(ReadAll(stream), "ARed");
  EXPECT_EQ(LiveComObjects(), 2);
  clone->Release();
  stream->Release();
}

TEST_F(MemoryStreamTest, CopyToWritesTheRestIntoAnotherStream) {
  IStream* source = MemoryStream::Create("0123456789", false);
  IStream* target = MemoryStream::Create("", true);
  ASSERT_EQ(source->Seek(Move(6), STREAM_SEEK_SET, nullptr), S_OK);
  ULARGE_INTEGER cb, read, written;
  cb.QuadPart = 100;
  EXPECT_EQ(source->CopyTo(target, cb, &read, &written), S_OK);
  EXPECT_EQ(read.QuadPart, 4u);
  EXPECT_EQ(written.QuadPart, 4u);
  ASSERT_EQ(target->Seek(Move(0), STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(ReadAll(target), "6789");
  target->Release();
  source->Release();
}

TEST_F(MemoryStreamTest, AnswersForStreamInterfacesOnly) {
  IStream* stream = MemoryStream::Create("x", false);
  for (const IID* iid : {&IID_IUnknown, &IID_ISequentialStream, &IID_IStream}) {
    void* p = nullptr;
    EXPECT_EQ(stream->QueryInterface(*iid, &p), S_OK);
    EXPECT_EQ(p, static_cast<void*>(stream));
    stream->Release();
  }
  void* p = stream;
  EXPECT_EQ(stream->QueryInterface(IID_IMessage, &p), E_NOINTERFACE);
  EXPECT_EQ(p, nullptr);
  ULARGE_INTEGER zero;
  zero.QuadPart = 0;
  EXPECT_EQ(stream->LockRegion(zero, zero, 0), STG_E_INVALIDFUNCTION);
  EXPECT_EQ(stream->AddRef(), 2u);
  EXPECT_EQ(stream->Release(), 1u);
  EXPECT_EQ(stream->Release(), 0u);
}

}  // namespace
