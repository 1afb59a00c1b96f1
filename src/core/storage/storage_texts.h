#pragma once

namespace core::texts {

inline constexpr char kCannotOpenFile[] = "ファイル %s は開けません";
inline constexpr char kCannotCreateFile[] = "ファイル %s を作成できません";

}  // namespace core::texts
