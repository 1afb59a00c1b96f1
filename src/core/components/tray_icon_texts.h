#pragma once

// The notification-area icon's own texts.
namespace core::texts {

inline constexpr char kNotifyIconError[] = "タスクトレイにアイコンを登録できません。";
// The tip of an icon made at run time, before anyone sets one.
inline constexpr char kDefaultTipHelp[] = "TipHelp";

}  // namespace core::texts
