// The exe's pictures decoded from its resources, its icon group, its version and its manifest.
#include "platform/picture.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "resource.h"

using namespace platform;

static std::string ResourceBytes(int id, int type) {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(type));
  auto bytes = info ? static_cast<const char*>(LockResource(LoadResource(nullptr, info))) : "";
  return {bytes, info ? SizeofResource(nullptr, info) : 0};
}

TEST(Pictures, EachDecodesAtItsSizeAndIsNotBlank) {
  const int cases[][4] = {
      {IDR_LAUNCHER_PICTURE, 111, 87, 32},   {IDR_CHOOSER_BACKGROUND, 412, 382, 32},
      {IDR_EDITOR_BACKGROUND, 412, 382, 32}, {IDR_UP_ARROW, 32, 31, 32},
      {IDR_DOWN_ARROW, 32, 31, 32},          {IDB_ABOUT, 64, 64, 24}};
  // The JPEG pictures through both decoders: WIC, and OLE where WIC is not installed.
  for (const auto decoder : {JpegDecoder::kWic, JpegDecoder::kOle})
    for (const auto& [id, width, height, bits] : cases) {
      const Picture picture = bits == 24 ? LoadBitmapResource(id) : LoadJpegResource(id, decoder);
      DIBSECTION dib{};
      ASSERT_TRUE(picture && GetObjectA(picture.bitmap.get(), sizeof dib, &dib) == int{sizeof dib});
      EXPECT_EQ((std::vector<LONG>{id, picture.width, picture.height, dib.dsBm.bmWidth,
                                   std::abs(dib.dsBm.bmHeight), dib.dsBm.bmBitsPixel}),
                (std::vector<LONG>{id, width, height, width, height, bits}));
      const auto* bytes = static_cast<const unsigned char*>(dib.dsBm.bmBits);
      const long size = dib.dsBm.bmWidthBytes * std::abs(dib.dsBm.bmHeight);
      EXPECT_LT(std::count(bytes, bytes + size, 0), size / 2) << id << " is mostly black";
    }
}

TEST(Resources, IconGroupHoldsThreeSizesIn16And256ColoursAndTheVersionIs1_01_0009) {
  const std::string group = ResourceBytes(IDI_LAUNCHER, 14);  // RT_GROUP_ICON
  std::vector<int> found;  // size * 100 + bits per pixel, from each 14-byte entry after 6 bytes
  for (size_t at = 6; at + 14 <= group.size(); at += 14)
    found.push_back(static_cast<unsigned char>(group[at]) * 100 + group[at + 6]);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<int>{1604, 1608, 3204, 3208, 4804, 4808}));
  const std::string version(reinterpret_cast<const char*>(u"1.01.0009"), 18);  // UTF-16
  EXPECT_NE(ResourceBytes(1, 16).find(version), std::string::npos);
}

// Windows tells a program its true version only if its manifest names that version as supported;
// RtlGetVersion always tells the truth. Run under Wine set to report Windows 7 and Windows 10.
TEST(Resources, ManifestLetsTheProgramSeeTheWindowsVersionItRunsOn) {
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  const auto rtl_get_version = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
  ASSERT_NE(rtl_get_version, nullptr);
  OSVERSIONINFOW truth{};
  truth.dwOSVersionInfoSize = sizeof truth;
  ASSERT_EQ(rtl_get_version(&truth), 0);
  OSVERSIONINFOA seen{};
  seen.dwOSVersionInfoSize = sizeof seen;
  ASSERT_TRUE(GetVersionExA(&seen));
  EXPECT_EQ(std::vector<DWORD>({seen.dwMajorVersion, seen.dwMinorVersion, seen.dwBuildNumber}),
            std::vector<DWORD>({truth.dwMajorVersion, truth.dwMinorVersion, truth.dwBuildNumber}));
}
