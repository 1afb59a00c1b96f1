#pragma once

// The options dialog's own texts.
namespace core::texts {

inline constexpr char kOptionCaption[] = "ｵﾌﾟｼｮﾝ設定";
inline constexpr char kOptionWindowGroup[] = "ﾒｲﾝｳｨﾝﾄﾞｳの表示非表示";
inline constexpr char kOptionMouse[] = "ﾏｳｽ";
inline constexpr char kOptionTray[] = "ﾄﾚｲｱｲｺﾝ";
inline constexpr char kOptionHot[] = "ﾎｯﾄｷｰ";
inline constexpr char kOptionHotGroup[] = "ﾎｯﾄｷｰの登録";
inline constexpr char kHintHotKeyText[] = "只今のﾎｯﾄｷｰ";
inline constexpr char kHintKeyList[] = "ｷｰ選択";
inline constexpr char kOptionCtrl[] = "Ctrl";
inline constexpr char kOptionAlt[] = "Alt";
inline constexpr char kOptionShift[] = "Shift";
inline constexpr char kOptionBtnClk[] = "起動ﾎﾞﾀﾝをｸﾘｯｸで非表示";
inline constexpr char kOptionTitleDbClk[] = "ﾀｲﾄﾙﾊﾞｰをﾀﾞﾌﾞﾙｸﾘｯｸで非表示";
inline constexpr char kOptionColourGroup[] = "ﾊﾟﾈﾙｶﾗｰ変更";
inline constexpr char kHintColourList[] = "只今のｶﾗｰ";
inline constexpr char kOptionSoundGroup[] = "ﾎﾞﾀﾝ起動音設定";
inline constexpr char kOptionSound[] = "起動音を鳴らす";
inline constexpr char kOptionSelectSound[] = "起動音選択";
inline constexpr char kOptionOk[] = "OK";
inline constexpr char kOptionCancel[] = "ｷｬﾝｾﾙ";

// The sound import.
inline constexpr char kSoundDialogTitle[] = "起動音ﾌｧｲﾙを選択する";
inline constexpr char kSoundFilterName[] = "wavファイル(*.wav)";
inline constexpr char kSoundFilterPattern[] = "*.wav";
inline constexpr char kSoundImported[] = "起動音ﾌｧｲﾙを取り込みました。";
inline constexpr char kSoundCopyFailed[] = "ｺﾋﾟｰに失敗しました!";
// A chosen file that is no WAV file is not taken.
inline constexpr char kSoundNotWave[] = "%s はWAVファイルではありません。\r\n起動音は変更しませんでした。";

}  // namespace core::texts
