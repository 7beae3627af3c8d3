// The program's resources: version record, icon, banner and manifest, read
// back from the module that carries them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/resource_ids.h"

namespace {

std::string ResourceBytes(LPCSTR type, LPCSTR name) {
    HRSRC r = FindResourceA(nullptr, name, type);
    if (!r) return {};
    HGLOBAL g = LoadResource(nullptr, r);
    const char* p = static_cast<const char*>(LockResource(g));
    return p ? std::string(p, SizeofResource(nullptr, r)) : std::string();
}

std::string VersionString(const std::vector<char>& info, const char* key) {
    char* value = nullptr;
    UINT len = 0;
    const std::string path = std::string("\\StringFileInfo\\080403a8\\") + key;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &len))
        return {};
    return std::string(value);
}

}  // namespace

TEST(Resources, VersionRecord) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(MAKELONG(7, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(7, 1), fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);
    EXPECT_EQ("批量读取文件夹（包含子文件夹）下所有文件的文件名",
              VersionString(info, "FileDescription"));
    EXPECT_EQ("Filnor", VersionString(info, "ProductName"));
    EXPECT_EQ("1.7.0.0", VersionString(info, "FileVersion"));
    EXPECT_EQ("1.7.0.0", VersionString(info, "ProductVersion"));
}

TEST(Resources, IconIsOne32x32EntryWithAlpha) {
    const std::string group = ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_FILNOR));
    ASSERT_GE(group.size(), 6u + 14u);
    EXPECT_EQ(1,
              static_cast<unsigned char>(group[4]) | (static_cast<unsigned char>(group[5]) << 8));
    EXPECT_EQ(32, static_cast<unsigned char>(group[6]));      // width
    EXPECT_EQ(32, static_cast<unsigned char>(group[7]));      // height
    EXPECT_EQ(32, static_cast<unsigned char>(group[6 + 6]));  // bits per pixel
}

TEST(Resources, BannerIs590x64TrueColourWithoutPalette) {
    HBITMAP bmp =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BANNER),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, bmp);
    DIBSECTION ds = {};
    ASSERT_TRUE(GetObjectA(bmp, sizeof ds, &ds));
    EXPECT_EQ(590, ds.dsBm.bmWidth);
    EXPECT_EQ(64, ds.dsBm.bmHeight);
    EXPECT_EQ(24, ds.dsBmih.biBitCount);
    EXPECT_EQ(0u, ds.dsBmih.biClrUsed);
    EXPECT_GT(ds.dsBmih.biHeight, 0);  // stored bottom-up
    DeleteObject(bmp);
}

TEST(Resources, ManifestAsksForCommonControls6) {
    const std::string manifest = ResourceBytes(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\""));
    EXPECT_NE(std::string::npos, manifest.find("version=\"6.0.0.0\""));
#ifdef _WIN64
    EXPECT_NE(std::string::npos, manifest.find("processorArchitecture=\"amd64\""));
#else
    EXPECT_NE(std::string::npos, manifest.find("processorArchitecture=\"x86\""));
#endif
}
