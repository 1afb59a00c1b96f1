#pragma once

// The launcher window's own texts.
namespace core::texts {

inline constexpr char kApplicationTitle[] = "ZUBIらんちゃ";
inline constexpr char kCannotStart[] = "起動できません";
inline constexpr char kQuitQuestion[] = "ZUBIらんちゃを終了して宜しいですか?";

// Deleting the current page's data.
inline constexpr char kNoPageDataToDelete[] = "このﾍﾟｰｼﾞに削除するﾃﾞｰﾀはありません。";
inline constexpr char kDeletePageQuestion[] = "このﾍﾟｰｼﾞのﾃﾞｰﾀを削除します。\r\n復旧は出来ませんが宜しいですか?";

// Hints (tooltips).
inline constexpr char kHintWindow[] = "ZUBI らんちゃ";
inline constexpr char kHintDate[] = "日付";
inline constexpr char kHintTime[] = "只今の時刻";
inline constexpr char kHintTitle[] = "ﾀﾞﾌﾞﾙｸﾘｯｸで一覧表示";
inline constexpr char kHintFastTop[] = "先頭ﾍﾟｰｼﾞへ";
inline constexpr char kHintFastBwd[] = "早戻し";
inline constexpr char kHintBwd[] = "前ﾍﾟｰｼﾞ";
inline constexpr char kHintFwd[] = "次ﾍﾟｰｼﾞ";
inline constexpr char kHintFastFwd[] = "早送り";
inline constexpr char kHintFastFinal[] = "最終ﾍﾟｰｼﾞへ";
inline constexpr char kHintPageSet[] = "ﾍﾟｰｼﾞ数を設定";
inline constexpr char kHintPageCount[] = "只今の最大ﾍﾟｰｼﾞ数";
inline constexpr char kHintPageCountArrows[] = "ﾍﾟｰｼﾞ数設定";

// What a screen reader calls the title box (its hint says what a double click does).
inline constexpr char kNameTitleBox[] = "ﾍﾟｰｼﾞﾀｲﾄﾙ";

// Main menu.
inline constexpr char kMenuFile[] = "File(&F)";
inline constexpr char kMenuUser[] = "ﾕｰｻﾞ変更(&U)";
inline constexpr char kMenuOption[] = "ｵﾌﾟｼｮﾝ設定(&O)";
inline constexpr char kMenuExit[] = "終了(&X)";
inline constexpr char kMenuPage[] = "Page(&M)";
inline constexpr char kMenuFastTop[] = "先頭ﾍﾟｰｼﾞ(&T)";
inline constexpr char kMenuFastBwd[] = "早戻し(&C)";
inline constexpr char kMenuBwd[] = "前のﾍﾟｰｼﾞ(&P)";
inline constexpr char kMenuFwd[] = "次のﾍﾟｰｼﾞ(&N)";
inline constexpr char kMenuFastFwd[] = "早送り(&F)";
inline constexpr char kMenuFastFinal[] = "最終ﾍﾟｰｼﾞ(&B)";
inline constexpr char kMenuList[] = "ﾍﾟｰｼﾞ一覧(&S)";
inline constexpr char kMenuDelete[] = "ﾍﾟｰｼ・ﾃﾞｰﾀﾞ削除(&D)";
inline constexpr char kMenuHelp[] = "Help(&H)";
inline constexpr char kMenuHelpOpen[] = "ﾍﾙﾌﾟを開く(&O)";
inline constexpr char kMenuVersion[] = "ﾊﾞｰｼﾞｮﾝ情報(&A)...";

// The window's pop-up menu.
inline constexpr char kMenuChoice[] = "選択起動(&C)";
inline constexpr char kMenuAllStart[] = "ﾍﾟｰｼﾞ起動(&A)";
inline constexpr char kMenuInOrder[] = "順番に起動(&O)";
inline constexpr char kMenuFind[] = "ﾌｧｲﾙ・ﾌｫﾙﾀﾞ検索(&F)";
inline constexpr char kMenuScreen[] = "ｽｸﾘｰﾝｾｰﾊﾞｰ起動(&S)";
inline constexpr char kMenuClose[] = "閉じる";
inline constexpr char kMenuCloseFolder[] = "ﾌｫﾙﾀﾞ(&D)";
inline constexpr char kMenuCloseIE[] = "ﾌﾞﾗｳｻﾞ(&B)";
inline constexpr char kMenuCloseAll[] = "ﾌｫﾙﾀﾞ+ﾌﾞﾗｳｻﾞ(X)";
inline constexpr char kMenuWholly[] = "全て閉じる(&W)";
inline constexpr char kMenuWindows[] = "Windowsの終了";
inline constexpr char kMenuWindowsExit[] = "ｼｬｯﾄﾀﾞｳﾝ(&E)";
inline constexpr char kMenuWindowsReboot[] = "再起動(&R)";
inline constexpr char kMenuWindowsLogoff[] = "ﾛｸﾞｵﾌ(&L)";

// A launch button's editing menu.
inline constexpr char kMenuCut[] = "切り取り(&T)";
inline constexpr char kMenuCopy[] = "コピー(&C)";
inline constexpr char kMenuPaste[] = "貼り付け(&P)";
inline constexpr char kMenuDelete1[] = "削除(&D)";
inline constexpr char kMenuSelect[] = "選択(&S)";

// The notification-area icon's menu.
inline constexpr char kMenuTrayHelp[] = "ﾍﾙﾌﾟ(&H)";

}  // namespace core::texts
