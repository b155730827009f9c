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

}  // namespace quorvel::version
