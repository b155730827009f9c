// The Windows resource script and the program carry the same version record and strings.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "res/resource.h"
#include "res/string_table.h"
#include "res/version.h"

namespace quorvel {
namespace {

std::string ResourceScript() {
    std::ifstream file(QUORVEL_SOURCE_DIR "/res/quorvel.rc");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The value of `VALUE "name", "..."`, without the terminating \0.
std::string StringValue(const std::string& script, const std::string& name) {
    const std::regex value("VALUE \"" + name + "\", \"([^\"]*?)(\\\\0)?\"");
    std::smatch match;
    if (!std::regex_search(script, match, value)) {
        return "<missing>";
    }
    return match[1];
}

TEST(VersionRecord, StringsMatchTheProgramsValues) {
    const std::string script = ResourceScript();
    ASSERT_FALSE(script.empty());
    EXPECT_EQ(StringValue(script, "CompanyName"), version::kCompanyName);
    EXPECT_EQ(StringValue(script, "FileDescription"), version::kFileDescription);
    EXPECT_EQ(StringValue(script, "FileVersion"), version::kFileVersion);
    EXPECT_EQ(StringValue(script, "InternalName"), version::kInternalName);
    EXPECT_EQ(StringValue(script, "LegalCopyright"), version::kLegalCopyright);
    EXPECT_EQ(StringValue(script, "LegalTrademarks"), version::kLegalTrademarks);
    EXPECT_EQ(StringValue(script, "OriginalFilename"), version::kOriginalFilename);
    EXPECT_EQ(StringValue(script, "ProductName"), version::kProductName);
    EXPECT_EQ(StringValue(script, "ProductVersion"), version::kProductVersion);
}

TEST(VersionRecord, FixedPartMatchesTheProgramsValues) {
    const std::string script = ResourceScript();
    const auto& v = version::kFileVersionParts;
    const auto& p = version::kProductVersionParts;
    std::ostringstream fixed;
    fixed << std::hex << " FILEVERSION " << std::dec << v[0] << ',' << v[1] << ',' << v[2] << ','
          << v[3] << "\n PRODUCTVERSION " << p[0] << ',' << p[1] << ',' << p[2] << ',' << p[3]
          << std::hex << "\n FILEFLAGSMASK 0x" << version::kFileFlagsMask << "L\n FILEFLAGS 0x"
          << version::kFileFlags << "L\n FILEOS 0x" << version::kFileOs << "L\n FILETYPE 0x"
          << version::kFileType << "L\n FILESUBTYPE 0x" << version::kFileSubtype << "L\n";
    EXPECT_NE(script.find(fixed.str()), std::string::npos) << fixed.str();
    EXPECT_NE(script.find(std::string("BLOCK \"") + version::kStringBlock + "\""),
              std::string::npos);
    std::ostringstream translation;
    translation << "VALUE \"Translation\", 0x" << std::hex << version::kTranslationLanguage << ", "
                << std::dec << version::kTranslationCodePage;
    EXPECT_NE(script.find(translation.str()), std::string::npos) << translation.str();
}

TEST(VersionRecord, ScriptCarriesTheIconGroupAndTheString) {
    const std::string script = ResourceScript();
    EXPECT_NE(script.find("IDR_MAINFRAME ICON \"icons/quorvel.ico\""), std::string::npos);
    EXPECT_NE(script.find("IDS_ABOUTBOX \"" + std::string(LoadResourceString(IDS_ABOUTBOX)) + "\""),
              std::string::npos);
}

TEST(VersionRecord, AboutLineNamesTheMajorAndMinorVersion) {
    std::ostringstream line;
    line << "Quorvel Version " << version::kFileVersionParts[0] << '.'
         << version::kFileVersionParts[1];
    EXPECT_EQ(line.str(), version::kAboutVersionLine);
}

}  // namespace
}  // namespace quorvel
