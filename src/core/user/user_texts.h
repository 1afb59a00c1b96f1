#pragma once

// The user dialog's own texts.
namespace core::texts {

inline constexpr char kUserCaption[] = "ﾕｰｻﾞの選択＆設定";
inline constexpr char kUserChoiceGroup[] = "ﾕｰｻﾞ選択";
inline constexpr char kUserSetGroup[] = "ﾕｰｻﾞ設定";
inline constexpr char kUserEntry[] = "登録";
inline constexpr char kUserChange[] = "変更";
inline constexpr char kUserDelete[] = "削除";
inline constexpr char kUserLoad[] = "読込";
inline constexpr char kUserCopy[] = "ｺﾋﾟｰ";
inline constexpr char kUserCancel[] = "ｷｬﾝｾﾙ";
inline constexpr char kUserHelp[] = "ﾍﾙﾌﾟ(&H)";

inline constexpr char kHintUserList[] = "ｸﾘｯｸで選択";
inline constexpr char kHintUserName[] = "ﾕｰｻﾞ名又はﾃﾞｰﾀ名を入力";
inline constexpr char kHintUserNumber[] = "只今のﾕｰｻﾞNo.";
inline constexpr char kHintUserNumberArrows[] = "ﾕｰｻﾞNo.設定";
inline constexpr char kHintUserEntry[] = "ﾕｰｻﾞ名を登録";
inline constexpr char kHintUserChange[] = "ﾕｰｻﾞ名を変更";
inline constexpr char kHintUserDelete[] = "ﾕｰｻﾞ・ﾃﾞｰﾀを削除";
inline constexpr char kHintUserLoad[] = "ﾕｰｻﾞ・ﾃﾞｰﾀを読み込む";
inline constexpr char kHintUserCopy[] = "ﾃﾞｰﾀ・ｺﾋﾟｰの設定";

// Messages; each follows the typed name.
inline constexpr char kNameInUse[] = "は既に登録されてます。\r\n同じﾕｰｻﾞ名を登録することは出来ません。";
inline constexpr char kRenameFailed[] = "ﾕｰｻﾞ名の変更に失敗しました!";
inline constexpr char kNothingToDelete[] = "に削除するﾃﾞｰﾀはありません。";
inline constexpr char kDeleteData[] = "のﾃﾞｰﾀ";
inline constexpr char kDeletePagesOpen[] = "( ";
inline constexpr char kDeletePagesClose[] = "ﾍﾟｰｼﾞ)";
inline constexpr char kDeleteQuestion[] = "を削除します。\r\n復旧は出来ませんが宜しいですか?";
inline constexpr char kNoDataToLoad[] = "のﾃﾞｰﾀが見つかりません。\r\nもう一度ﾕｰｻﾞ名を確認して下さい。";
// A name that cannot be part of a page file's name.
inline constexpr char kUnsafeName[] =
    "「%s」はﾕｰｻﾞ名に使えません。\r\n"
    "\\ / : * ? \" < > | や制御文字、\"..\"、CON・NUL・COM1 などの予約名、末尾の点や空白を含まない名前にして下さい。";

}  // namespace core::texts
