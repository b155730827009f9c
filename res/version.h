// The version record's values, for every platform (the Windows resource script carries
// the same ones).
#pragma once

namespace quorvel::version {

inline constexpr const char* kFileVersion = "1, 1, 0, 1";
inline constexpr const char* kProductVersion = "1, 1, 0, 1";
inline constexpr int kFileVersionParts[4] = {1, 1, 0, 1};
inline constexpr const char* kFileDescription = "Quorvel MFC Application";
inline constexpr const char* kInternalName = "Quorvel";
inline constexpr const char* kOriginalFilename = "Quorvel.EXE";
inline constexpr const char* kProductName = "Quorvel Application";
inline constexpr const char* kLegalCopyright = "Copyright (C) 2026 The Quorvel developers";
inline constexpr const char* kAboutVersionLine = "Quorvel Version 1.1";
inline constexpr const char* kCompanyName = "";
inline constexpr const char* kLegalTrademarks = "";
inline constexpr int kProductVersionParts[4] = {1, 1, 0, 1};
inline constexpr unsigned kFileFlagsMask = 0x3F;
inline constexpr unsigned kFileFlags = 0;
inline constexpr unsigned kFileOs = 4;    // 32-bit Windows
inline constexpr unsigned kFileType = 1;  // an application
inline constexpr unsigned kFileSubtype = 0;
inline constexpr const char* kStringBlock = "040904B0";  // US English, Unicode
inline constexpr unsigned kTranslationLanguage = 0x0409;
inline constexpr unsigned kTranslationCodePage = 0x04B0;

}  // namespace quorvel::version
