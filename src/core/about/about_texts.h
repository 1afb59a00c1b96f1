#pragma once

#include "zubi_version.h"

// The version dialog's own texts.
namespace core::texts {

inline constexpr char kAboutCaption[] = "バージョン情報";
inline constexpr char kAboutProductName[] = "ZUBI らんちゃ for Windows 95/98/Me/NT/2000/XP";
inline constexpr char kAboutVersion[] = "Version " ZUBI_VERSION;
inline constexpr char kAboutNotice[] = "(C) 2026 ZUBIらんちゃ開発者";
// Addresses of the project under the reserved example domain.
inline constexpr char kAboutMail[] = "mailto:zubi@example.org";
inline constexpr char kAboutHomePage[] = "https://zubi.example.org/";
inline constexpr char kAboutOK[] = "OK";

}  // namespace core::texts
