#pragma once

// Texts of the desktop commands.
namespace core::texts {

inline constexpr char kTokenErrorCaption[] = "アクセストークンエラー";
inline constexpr char kCannotOpenToken[] = "Cannot open process token. [";
inline constexpr char kCannotFindPrivilege[] = "Cannot find privilege value. [";
inline constexpr char kCannotAdjustPrivileges[] = "Error adjusting process privileges.";
inline constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";

// The shell's search over DDE.
inline constexpr char kSearchService[] = "Folders";
inline constexpr char kSearchTopic[] = "AppProperties";
inline constexpr char kSearchServiceApplication[] = "Explorer";
inline constexpr char kFindFolderCommand[] = "[FindFolder(\"%S\")]";

}  // namespace core::texts
