#pragma once

// The launch button's own texts.
namespace core::texts {

inline constexpr char kHintEmptyButton[] = "未登録";
inline constexpr char kTooManyDroppedFiles[] = "同時に２個以上のファイルのドラッグ＆ドロップはサポートしていません。";

}  // namespace core::texts
