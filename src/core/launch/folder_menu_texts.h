#pragma once

// The menu of a folder button.
namespace core::texts {

inline constexpr char kFolderMenuOpen[] = "ﾌｫﾙﾀﾞを開く";
inline constexpr char kFolderMenuEmpty[] = "(空)";
inline constexpr char kFolderMenuUnreadable[] = "(開けません)";
inline constexpr char kFolderMenuMore[] = "残りはﾌｫﾙﾀﾞで表示…";

}  // namespace core::texts
