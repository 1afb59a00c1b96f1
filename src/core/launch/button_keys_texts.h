#pragma once

// The texts of the buttons' own keys; "%s" stands for a text put in, in order.
namespace core::texts {

// Why a key typed in a button's settings dialog is refused.
inline constexpr char kKeyUnreadable[] = "「%s」はﾎｯﾄｷｰとして読み取れません。\r\n例: Alt+Ctrl+E";
inline constexpr char kKeyWithoutModifier[] = "ﾎｯﾄｷｰにはCtrl、AltまたはWindowsを含めてください。";
inline constexpr char kKeyF12[] = "F12はﾃﾞﾊﾞｯｶﾞｰ用にWindowsが予約しているため使用できません。";
inline constexpr char kKeyWindowsDigit[] = "Windows+数字はﾀｽｸﾊﾞｰが使用するため使用できません。";
inline constexpr char kKeyTaken[] = "%sは %sﾍﾟｰｼﾞの「%s」で既に使用されています。";
inline constexpr char kKeyIsShowHide[] = "%sはｵﾌﾟｼｮﾝ設定の「ﾒｲﾝｳｨﾝﾄﾞｳの表示非表示」のﾎｯﾄｷｰです。";

// The notice of keys that could not be had: a head, then one line a key.
inline constexpr char kKeysNotRegistered[] = "次のﾎｯﾄｷｰは使用できません。";
inline constexpr char kKeyLine[] = "%s（%sﾍﾟｰｼﾞ「%s」）: %s";
inline constexpr char kKeyHeldElsewhere[] = "他のﾌﾟﾛｸﾞﾗﾑが使用しています";
inline constexpr char kKeyDuplicate[] = "%sﾍﾟｰｼﾞ「%s」と同じです";
inline constexpr char kKeySameAsShowHide[] = "「ﾒｲﾝｳｨﾝﾄﾞｳの表示非表示」のﾎｯﾄｷｰと同じです";
inline constexpr char kKeyNotAKey[] = "ﾎｯﾄｷｰとして読み取れません";
// A pasted button whose key another button has: the key is dropped; the reason follows.
inline constexpr char kKeyDroppedOnPaste[] = "貼り付けたﾎﾞﾀﾝのﾎｯﾄｷｰは外しました。\r\n%s";

}  // namespace core::texts
