#pragma once

// The launch button's own texts.
namespace core::texts {

inline constexpr char kHintEmptyButton[] = "未登録";
// What a screen reader reads as the description of a button that opens a menu of its folder.
inline constexpr char kFolderMenuDescription[] = "ｸﾘｯｸでﾌｫﾙﾀﾞの中身をﾒﾆｭｰで表示";
inline constexpr char kCannotStartElevated[] = "「%s」は管理者として起動できません。";
inline constexpr char kTooManyDroppedFiles[] = "同時に２個以上のファイルのドラッグ＆ドロップはサポートしていません。";

// What a screen reader reads after a button's name: its states, each after the mark.
inline constexpr char kStateMark[] = "、";
inline constexpr char kStateMissing[] = "見つかりません";
inline constexpr char kStateRunning[] = "起動中";
// Its own key, and the words after it when the key could not be had.
inline constexpr char kStateHotKey[] = "ﾎｯﾄｷｰ ";
inline constexpr char kStateHotKeyRefused[] = "（使用できません）";

}  // namespace core::texts
