#pragma once

// The find box's own texts.
namespace core::texts {

// The box's title, which only the system's lists of windows show.
inline constexpr char kFindTitle[] = "ﾎﾞﾀﾝ・ﾌﾟﾛｸﾞﾗﾑ検索";
// The cue of the empty text box.
inline constexpr char kFindCue[] = "ﾎﾞﾀﾝとﾌﾟﾛｸﾞﾗﾑを検索";
// Where an installed program was found, in the column of a button's page.
inline constexpr char kPlaceStart[] = "ｽﾀｰﾄ";
inline constexpr char kPlaceDesktop[] = "ﾃﾞｽｸﾄｯﾌﾟ";
inline constexpr char kPlaceApps[] = "ｱﾌﾟﾘ";
// Ctrl+Enter on a program when no page up to the page count has an empty button.
inline constexpr char kNoEmptyButton[] = "空いているﾎﾞﾀﾝがありません。";
// The one grey line of a find that matches nothing.
inline constexpr char kNothingFound[] = "見つかりません";

}  // namespace core::texts
