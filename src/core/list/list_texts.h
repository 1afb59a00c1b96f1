#pragma once

// The page-title list's own texts.
namespace core::texts {

inline constexpr char kListCaption[] = "ﾍﾟｰｼﾞﾀｲﾄﾙ一覧";
inline constexpr char kListHint[] = "ｸﾘｯｸでﾍﾟｰｼﾞへｼﾞｬﾝﾌﾟ";
inline constexpr char kListCancel[] = "ｷｬﾝｾﾙ";

}  // namespace core::texts
