// Bitmaps and icons from a module's resources: sizes, depth, colour table and
// pixels, the load options, and the lifetime of their handles.
#include <gtest/gtest.h>

#include <vector>

#include "resource_support.h"
#include "sigplat/gdi.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kDarkGrey = RGB(128, 128, 128);
const COLORREF kGrey = RGB(192, 192, 192);
const COLORREF kLightGrey = RGB(223, 223, 223);

class ResourceImageTest : public ResourceModuleTest {
 protected:
  sigplat::BitmapInfo LoadBitmapInfo(int id, UINT flags) {
    HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, flags);
    sigplat::BitmapInfo info;
    EXPECT_NE(image, nullptr) << GetLastError();
    if (!image) return info;
    EXPECT_TRUE(sigplat::DescribeBitmap(static_cast<HBITMAP>(image), &info));
    EXPECT_TRUE(DeleteObject(image));
    return info;
  }
};

TEST_F(ResourceImageTest, DibSectionKeepsDepthColourTableAndPixels) {
  sigplat::BitmapInfo info = LoadBitmapInfo(300, LR_CREATEDIBSECTION);
  EXPECT_TRUE(info.dibSection);
  EXPECT_EQ(info.width, 5);
  EXPECT_EQ(info.height, 2);
  EXPECT_EQ(info.bitsPerPixel, 8);
  EXPECT_EQ(info.colourTable, (std::vector<COLORREF>{kRed, kDarkGrey, kGrey, kLightGrey, kGreen}));
  // The file stores the bottom row first; the top row is what the picture shows first.
  EXPECT_EQ(info.pixels, (std::vector<COLORREF>{kRed, kDarkGrey, kGrey, kLightGrey, kGreen,  //
                                                kGreen, kLightGrey, kGrey, kDarkGrey, kDarkGrey}));

  sigplat::BitmapInfo truecolour = LoadBitmapInfo(301, LR_CREATEDIBSECTION);
  EXPECT_EQ(truecolour.bitsPerPixel, 24);
  EXPECT_TRUE(truecolour.colourTable.empty());
  EXPECT_EQ(truecolour.pixels.front(), RGB(10, 20, 30));
  EXPECT_EQ(truecolour.pixels.back(), RGB(7, 8, 9));
}

TEST_F(ResourceImageTest, LoadOptionsChangeTheColourTable) {
  const COLORREF kShadow = RGB(160, 160, 160), kFace = RGB(240, 240, 240);
  const COLORREF kLight = RGB(227, 227, 227), kWindow = RGB(255, 255, 255);
  struct Case {
    UINT flags;
    std::vector<COLORREF> table;
  };
  const Case cases[] = {
      {LR_CREATEDIBSECTION, {kRed, kDarkGrey, kGrey, kLightGrey, kGreen}},
      {LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS, {kRed, kShadow, kFace, kLight, kGreen}},
      // The top-left pixel's colour becomes the window's, or the face's with the 3-D mapping.
      {LR_CREATEDIBSECTION | LR_LOADTRANSPARENT, {kWindow, kDarkGrey, kGrey, kLightGrey, kGreen}},
      {LR_CREATEDIBSECTION | LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS,
       {kFace, kShadow, kFace, kLight, kGreen}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadBitmapInfo(300, c.flags).colourTable, c.table) << std::hex << c.flags;
  }
  // Without a colour table there is nothing to change.
  EXPECT_EQ(LoadBitmapInfo(301, LR_CREATEDIBSECTION | LR_LOADTRANSPARENT).pixels.front(),
            RGB(10, 20, 30));
}

TEST_F(ResourceImageTest, DeviceDependentBitmapsHaveTheScreenFormat) {
  sigplat::BitmapInfo info = LoadBitmapInfo(300, LR_LOADMAP3DCOLORS);
  EXPECT_FALSE(info.dibSection);
  EXPECT_EQ(info.bitsPerPixel, 32);
  EXPECT_TRUE(info.colourTable.empty());
  EXPECT_EQ(info.pixels[1], RGB(160, 160, 160)) << "mapped before the conversion";

  HBITMAP plain = LoadBitmapA(module_, MAKEINTRESOURCEA(300));
  ASSERT_NE(plain, nullptr);
  sigplat::BitmapInfo described;
  ASSERT_TRUE(sigplat::DescribeBitmap(plain, &described));
  EXPECT_EQ(described.bitsPerPixel, 32);
  EXPECT_EQ(described.pixels[4], kGreen);
  EXPECT_TRUE(DeleteObject(plain));
  EXPECT_FALSE(sigplat::DescribeBitmap(plain, &described));
  EXPECT_FALSE(DeleteObject(plain)) << "deleted already";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ResourceImageTest, RefusedRequests) {
  struct Case {
    int id;
    UINT type;
    int cx, cy;
    UINT flags;
    DWORD error;
  };
  const Case cases[] = {
      {302, IMAGE_BITMAP, 0, 0, 0, ERROR_RESOURCE_NAME_NOT_FOUND},
      {300, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE, ERROR_NOT_SUPPORTED},
      {300, IMAGE_BITMAP, 0, 0, LR_SHARED, ERROR_NOT_SUPPORTED},
      {300, IMAGE_BITMAP, 10, 4, 0, ERROR_NOT_SUPPORTED},  // no stretching
      {300, IMAGE_BITMAP, 5, 2, 0, ERROR_SUCCESS},         // its own size is fine
      {300, IMAGE_CURSOR, 0, 0, 0, ERROR_NOT_SUPPORTED},
      {400, IMAGE_ICON, 48, 48, 0, ERROR_NOT_SUPPORTED},  // no scaling
      {300, IMAGE_ICON, 0, 0, 0, ERROR_RESOURCE_NAME_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(ERROR_SUCCESS);
    testing::internal::CaptureStderr();
    HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(c.id), c.type, c.cx, c.cy, c.flags);
    std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(GetLastError(), c.error) << c.id << " type " << c.type << " flags " << c.flags;
    EXPECT_EQ(image != nullptr, c.error == ERROR_SUCCESS) << c.id;
    EXPECT_EQ(report.empty(), c.error != ERROR_NOT_SUPPORTED) << "unsupported is said out loud";
    if (image) DeleteObject(image);
  }
}

TEST_F(ResourceImageTest, IconsBySizeAndTheirHandles) {
  struct Case {
    int cx, cy;
    UINT flags;
    int size;
  };
  const Case cases[] = {
      {16, 16, 0, 16},
      {32, 32, 0, 32},
      {0, 0, LR_DEFAULTSIZE, 32},  // the system's icon size
      {0, 0, 0, 16},               // the first image's own size
  };
  for (const Case& c : cases) {
    HANDLE icon = LoadImageA(module_, MAKEINTRESOURCEA(400), IMAGE_ICON, c.cx, c.cy, c.flags);
    ASSERT_NE(icon, nullptr) << c.cx;
    sigplat::IconInfo info;
    ASSERT_TRUE(sigplat::DescribeIcon(static_cast<HICON>(icon), &info));
    EXPECT_EQ(info.width, c.size);
    EXPECT_EQ(info.height, c.size);
    EXPECT_EQ(info.bitsPerPixel, 4);
    EXPECT_FALSE(info.shared);
    EXPECT_EQ(info.pixels[0], RGB(0, 0, 0));
    EXPECT_EQ(info.pixels[1], RGB(0, 0, 255));
    EXPECT_TRUE(info.transparent[0]) << "top row shows through";
    EXPECT_FALSE(info.transparent[static_cast<size_t>(c.size)]);
    EXPECT_FALSE(DeleteObject(icon)) << "icons are not GDI objects";
    EXPECT_TRUE(DestroyIcon(static_cast<HICON>(icon)));
    EXPECT_FALSE(sigplat::DescribeIcon(static_cast<HICON>(icon), &info));
    EXPECT_FALSE(DestroyIcon(static_cast<HICON>(icon)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_CURSOR_HANDLE));
  }

  HICON shared = LoadIconA(module_, MAKEINTRESOURCEA(400));
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(LoadIconA(module_, "#400"), shared) << "LoadIconA shares one icon per module";
  EXPECT_TRUE(DestroyIcon(shared));
  sigplat::IconInfo info;
  ASSERT_TRUE(sigplat::DescribeIcon(shared, &info)) << "a shared icon outlives DestroyIcon";
  EXPECT_EQ(info.width, 32);
  EXPECT_TRUE(info.shared);
}

}  // namespace
