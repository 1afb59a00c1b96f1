#pragma once

// The find box's own texts.
namespace core::texts {

// The box's title, which only the system's lists of windows show.
inline constexpr char kFindTitle[] = "ﾎﾞﾀﾝ検索";
// The cue of the empty text box.
inline constexpr char kFindCue[] = "ﾎﾞﾀﾝを検索 (ﾀｲﾄﾙ・ﾌｧｲﾙ名)";
// The one grey line of a find that matches nothing.
inline constexpr char kNothingFound[] = "見つかりません";

}  // namespace core::texts
