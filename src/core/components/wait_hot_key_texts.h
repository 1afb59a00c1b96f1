#pragma once

// The hot key component's own texts; "%s" and "%S" stand for a text put in.
namespace core::texts {

inline constexpr char kNoHotKey[] = "(なし)";
inline constexpr char kAtomInUse[] = "既存のアトムを使おうとしました(%s)";
inline constexpr char kAtomNotCreated[] = "アトムが作成できません(%s)";
inline constexpr char kHotKeyInvalid[] = "ホットキーが無効です(%S)";
inline constexpr char kHotKeyNotRegistered[] = "ホットキーが登録できません(%S)";

}  // namespace core::texts
