// The resource script as Windows reads it from the program: the icon group and the version
// record with the values of project(VERSION).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "res/version.h"

namespace quorvel {
namespace {

std::vector<char> OwnVersionRecord() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> record(GetFileVersionInfoSizeA(path, &ignored));
    if (record.empty() ||
        !GetFileVersionInfoA(path, 0, static_cast<DWORD>(record.size()), record.data())) {
        return {};
    }
    return record;
}

TEST(WindowsResources, HoldTheIconGroup) {
    EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(14)),
              nullptr);  // RT_GROUP_ICON
}

TEST(WindowsResources, HoldTheProjectVersion) {
    std::vector<char> record = OwnVersionRecord();
    ASSERT_FALSE(record.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    const auto part = [](int i) { return static_cast<DWORD>(version::kFileVersionParts[i]); };
    EXPECT_EQ(fixed->dwFileVersionMS, (part(0) << 16) | part(1));
    EXPECT_EQ(fixed->dwFileVersionLS, (part(2) << 16) | part(3));

    char* text = nullptr;
    const std::string key =
        std::string("\\StringFileInfo\\") + version::kStringBlock + "\\FileVersion";
    ASSERT_TRUE(VerQueryValueA(record.data(), key.c_str(), reinterpret_cast<void**>(&text), &size));
    EXPECT_EQ(std::string(text), version::kFileVersion);
}

}  // namespace
}  // namespace quorvel
