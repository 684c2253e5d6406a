#include <gtest/gtest.h>

#include <cstring>

#include "sigplat/mapi_memory.h"
#include "winapi.h"

// A property array as a store hands it out: one block, its strings chained on.
// Under AddressSanitizer a chain that one free misses shows up as a leak.
TEST(MapiMemory, OneFreeReleasesEveryBlockAllocatedMore) {
  const size_t before = sigplat::LiveMapiBuffers();
  LPSPropValue values = nullptr;
  ASSERT_EQ(MAPIAllocateBuffer(3 * sizeof(SPropValue), reinterpret_cast<LPVOID*>(&values)), S_OK);
  ASSERT_NE(values, nullptr);
  for (int i = 0; i < 3; ++i) {
    LPVOID text = nullptr;
    ASSERT_EQ(MAPIAllocateMore(64, values, &text), S_OK);
    ASSERT_NE(text, nullptr);
    std::strcpy(static_cast<char*>(text), "chained onto the array");
    values[i].ulPropTag = PR_SUBJECT;
    values[i].Value.lpszA = static_cast<LPSTR>(text);
  }
  EXPECT_STREQ(values[2].Value.lpszA, "chained onto the array");
  EXPECT_EQ(sigplat::LiveMapiBuffers(), before + 1);
  EXPECT_EQ(MAPIFreeBuffer(values), static_cast<ULONG>(S_OK));
  EXPECT_EQ(sigplat::LiveMapiBuffers(), before);
}

TEST(MapiMemory, ZeroSizedBlocksAreDistinctAndFreeable) {
  LPVOID a = nullptr;
  LPVOID b = nullptr;
  ASSERT_EQ(MAPIAllocateBuffer(0, &a), S_OK);
  ASSERT_EQ(MAPIAllocateBuffer(0, &b), S_OK);
  EXPECT_NE(a, b);
  EXPECT_EQ(MAPIFreeBuffer(a), static_cast<ULONG>(S_OK));
  EXPECT_EQ(MAPIFreeBuffer(b), static_cast<ULONG>(S_OK));
}

TEST(MapiMemory, NullIsFreedQuietly) {
  EXPECT_EQ(MAPIFreeBuffer(nullptr), static_cast<ULONG>(S_OK));
}

// What the heap would silently corrupt is refused out loud, and the blocks
// involved stay intact.
TEST(MapiMemory, MisusedPointersAreRefused) {
  LPVOID head = nullptr;
  LPVOID more = nullptr;
  ASSERT_EQ(MAPIAllocateBuffer(16, &head), S_OK);
  ASSERT_EQ(MAPIAllocateMore(16, head, &more), S_OK);
  int stranger = 0;
  LPVOID out = &stranger;

  testing::internal::CaptureStderr();
  EXPECT_EQ(MAPIFreeBuffer(&stranger), static_cast<ULONG>(MAPI_E_INVALID_PARAMETER));
  EXPECT_EQ(MAPIFreeBuffer(more), static_cast<ULONG>(MAPI_E_INVALID_PARAMETER));
  EXPECT_EQ(MAPIAllocateMore(8, more, &out), MAPI_E_INVALID_PARAMETER);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(MAPIAllocateMore(8, &stranger, &out), MAPI_E_INVALID_PARAMETER);
  EXPECT_EQ(MAPIAllocateBuffer(8, nullptr), MAPI_E_INVALID_PARAMETER);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("MAPIFreeBuffer"), std::string::npos) << err;
  EXPECT_NE(err.find("belongs to another block"), std::string::npos) << err;
  EXPECT_NE(err.find("MAPIAllocateMore"), std::string::npos) << err;

  EXPECT_EQ(MAPIFreeBuffer(head), static_cast<ULONG>(S_OK));
  testing::internal::CaptureStderr();
  EXPECT_EQ(MAPIFreeBuffer(head), static_cast<ULONG>(MAPI_E_INVALID_PARAMETER));
  EXPECT_NE(testing::internal::GetCapturedStderr().find("already free"), std::string::npos);
}
