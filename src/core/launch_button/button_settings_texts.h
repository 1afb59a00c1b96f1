#pragma once

// The button settings dialog's own texts.
namespace core::texts {

inline constexpr char kSettingsCaption[] = "アプリケーションの設定";
inline constexpr char kSettingsTitleLabel[] = "タイトル：";
inline constexpr char kSettingsPathLabel[] = "パス名：";
inline constexpr char kSettingsDirLabel[] = "初期ﾃﾞｨﾚｸﾄﾘ：";
inline constexpr char kSettingsStateLabel[] = "起動時の状態：";
inline constexpr char kSettingsOptionLabel[] = "起動時ｵﾌﾟｼｮﾝ：";
inline constexpr char kSettingsIconLabel[] = "←表示ｱｲｺﾝの設定";
inline constexpr char kSettingsHotKeyLabel[] = "ﾎｯﾄｷｰ：";
inline constexpr char kSettingsSwitch[] = "起動中なら切り替え";
inline constexpr char kSettingsFolderMenu[] = "ﾌｫﾙﾀﾞの中身をﾒﾆｭｰで表示";
inline constexpr char kSettingsDelayLabel[] = "次の起動まで(ms)：";
inline constexpr char kStateNormal[] = "通常の大きさ";
inline constexpr char kStateMinimized[] = "最小化で起動";
inline constexpr char kStateMaximized[] = "最大化で起動";
inline constexpr char kSettingsBrowse[] = "参照";
inline constexpr char kSettingsDelete[] = "削除";
inline constexpr char kSettingsDefaultIcon[] = "標準";
inline constexpr char kSettingsOk[] = "OK";
inline constexpr char kSettingsCancel[] = "ｷｬﾝｾﾙ";
inline constexpr char kHintBrowse[] = "登録するプログラムを検索します";
inline constexpr char kHintDelete[] = "このアイコンの情報を削除します";
inline constexpr char kHintIconButton[] = "アイコンを別の場所から設定します";
inline constexpr char kHintIconNumber[] = "アイコンを選択します";
inline constexpr char kHintDefaultIcon[] = "デフォルトのアイコンに戻します";
inline constexpr char kHintOk[] = "変更点を適用します";
inline constexpr char kHintCancel[] = "変更をすべて破棄して終了します";

inline constexpr char kNoIconsInFile[] = "このファイルにはアイコンがありません！！";
inline constexpr char kConfirmDeleteIcon[] = "このアイコンを削除してよろしいですか？";
inline constexpr char kPathRequired[] = "パス名は必ず必要です！！";
inline constexpr char kPathMissing[] = "ファイル（ディレクトリ）が存在しません！！";

}  // namespace core::texts
