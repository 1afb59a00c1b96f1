#pragma once

// The data copy dialog's own texts.
namespace core::texts {

inline constexpr char kCopyCaption[] = "ﾃﾞｰﾀｺﾋﾟｰ";
inline constexpr char kCopySrcLabel[] = "ｺﾋﾟｰ元ﾘｽﾄ：";
inline constexpr char kCopyDstLabel[] = "ｺﾋﾟｰ先ﾘｽﾄ：";
inline constexpr char kCopyArrow[] = "⇒";
inline constexpr char kCopyOK[] = "OK";
inline constexpr char kCopyCancel[] = "ｷｬﾝｾﾙ";
inline constexpr char kCopyHelp[] = "ﾍﾙﾌﾟ(&H)";
inline constexpr char kHintSrcList[] = "ｺﾋﾟｰ元を選択";
inline constexpr char kHintDstList[] = "ｺﾋﾟｰ先を選択";

// The last entry of each list.
inline constexpr char kAllData[] = "すべてのﾃﾞｰﾀ";
inline constexpr char kBackup[] = "ﾊﾞｯｸｱｯﾌﾟ";

// A size in bytes, after its decimal digits.
inline constexpr char kBytes[] = " ﾊﾞｲﾄ";
// Free megabytes, after the grouped digits.
inline constexpr char kFreeSpace[] = "MBの空き容量";

// Messages; each follows an entry's text.
inline constexpr char kNoDataToCopy[] = "にｺﾋﾟｰするﾃﾞｰﾀはありません。";
inline constexpr char kOverwriteHas[] = "には";
inline constexpr char kOverwriteQuestion[] = "のﾃﾞｰﾀがあります。\r\n上書きして宜しいですか?";
inline constexpr char kCopyFailed[] = "ｺﾋﾟｰに失敗しました!";

}  // namespace core::texts
