// The options dialog: display modes, the hot key, the panel colour and the start sound.
#include "option/option_dlg.h"

#include <algorithm>

#include "components/key_names.h"
#include "components/wait_hot_key.h"
#include "error.h"
#include "option/option_texts.h"

namespace core {
namespace {

constexpr OptionBox kModeBoxes[] = {OptionBox::kMouse, OptionBox::kTray, OptionBox::kHot};

bool On(int value) { return value > 0; }

// A WAV file starts "RIFF", its size, "WAVE".
bool LooksLikeWave(const std::string& bytes) {
  return bytes.size() >= 12 && bytes.compare(0, 4, "RIFF") == 0 && bytes.compare(8, 4, "WAVE") == 0;
}

}  // namespace

const std::vector<std::string>& KeyListNames() {
  static const std::vector<std::string> names = [] {
    static constexpr std::string_view kLeftOut[] = {"LButton",  "RButton",  "MButton", "Shift",  "Ctrl",
                                                    "Menu",     "LWinKey",  "RWinKey", "LShift", "RShift",
                                                    "LControl", "RControl", "LMenu",   "RMenu",  "AltShit"};
    std::vector<std::string> list;
    for (std::string_view name : KeyNames())
      if (!name.empty() && std::find(std::begin(kLeftOut), std::end(kLeftOut), name) == std::end(kLeftOut))
        list.emplace_back(name);
    return list;
  }();
  return names;
}

void TOptionDlg::FormCreate() {
  view_.SetKeyList(KeyListNames());
  std::vector<std::string> colours;
  for (int n = 0; n < kPanelColourCount; ++n) colours.emplace_back(PanelColourName(n));
  view_.SetColourList(colours);
  ReflectFlags();
  CheckBoxBtnClick();
}

void TOptionDlg::mOptionClick() {
  LoadOptionForm();
  view_.ShowModal();
}

// A box's handler runs whenever its state changes, also when the program changes it.
void TOptionDlg::SetBox(OptionBox box, bool checked) {
  if (view_.Checked(box) == checked) return;
  view_.SetChecked(box, checked);
  BoxChanged(box);
}

void TOptionDlg::BoxChanged(OptionBox box) {
  switch (box) {
    case OptionBox::kShift: CheckBox1Click(); break;
    case OptionBox::kCtrl: CheckBox2Click(); break;
    case OptionBox::kAlt: CheckBox3Click(); break;
    case OptionBox::kSound: break;
    default: CheckBoxBtnClick(); break;
  }
}

void TOptionDlg::LoadOptionForm() {
  const Options& s = host_.CurrentOptions();
  SetBox(OptionBox::kMouse, On(s.Mouse));
  SetBox(OptionBox::kTray, On(s.Tray));
  SetBox(OptionBox::kHot, On(s.Hot));
  SetBox(OptionBox::kShift, On(s.Shift));
  SetBox(OptionBox::kCtrl, On(s.Ctrl));
  SetBox(OptionBox::kAlt, On(s.Alt));
  SetBox(OptionBox::kBtnClk, s.BtnClk);
  SetBox(OptionBox::kSound, s.Sound);
  SetBox(OptionBox::kTitleDbClk, s.TitleDbClk);
  view_.SetHotKeyText(s.HotKey);
  int keys = static_cast<int>(KeyListNames().size());
  view_.SelectKey(s.Key >= 0 && s.Key < keys ? s.Key : -1);
  view_.SelectColour(s.FormColor >= 0 && s.FormColor < kPanelColourCount ? s.FormColor : -1);
  ColorChange(view_, s.FormColor);
}

void TOptionDlg::ReflectFlags() {
  view_.SetHotKeyText(hotKey_.HotKey());
  const TKeyAssign& assign = hotKey_.KeyAssign();
  SetBox(OptionBox::kShift, assign.hkShift());
  SetBox(OptionBox::kCtrl, assign.hkCtrl());
  SetBox(OptionBox::kAlt, assign.hkAlt());
}

// The two hiding options make sense only while some way back to the window is on.
void TOptionDlg::CheckBoxBtnClick() {
  bool anyMode =
      std::any_of(std::begin(kModeBoxes), std::end(kModeBoxes), [&](OptionBox b) { return view_.Checked(b); });
  if (!anyMode) {
    SetBox(OptionBox::kBtnClk, false);
    SetBox(OptionBox::kTitleDbClk, false);
  }
  view_.EnableBox(OptionBox::kBtnClk, anyMode);
  view_.EnableBox(OptionBox::kTitleDbClk, anyMode);
}

void TOptionDlg::CheckBox1Click() {
  hotKey_.KeyAssign().SethkShift(view_.Checked(OptionBox::kShift));
  ReflectFlags();
}

void TOptionDlg::CheckBox2Click() {
  hotKey_.KeyAssign().SethkCtrl(view_.Checked(OptionBox::kCtrl));
  ReflectFlags();
}

void TOptionDlg::CheckBox3Click() {
  hotKey_.KeyAssign().SethkAlt(view_.Checked(OptionBox::kAlt));
  ReflectFlags();
}

void TOptionDlg::ComboBox1Change(const std::string& text) {
  hotKey_.KeyAssign().SetKey(text);
  ReflectFlags();
}

Options TOptionDlg::Values() const {
  auto bit = [&](OptionBox box) { return view_.Checked(box) ? 1 : 0; };
  Options v;
  v.Mouse = bit(OptionBox::kMouse);
  v.Tray = bit(OptionBox::kTray);
  v.Hot = bit(OptionBox::kHot);
  v.Shift = bit(OptionBox::kShift);
  v.Ctrl = bit(OptionBox::kCtrl);
  v.Alt = bit(OptionBox::kAlt);
  v.HotKey = view_.HotKeyText();
  v.Key = view_.KeyIndex();
  v.FormColor = view_.ColourIndex();
  v.BtnClk = view_.Checked(OptionBox::kBtnClk);
  v.TitleDbClk = view_.Checked(OptionBox::kTitleDbClk);
  v.Sound = view_.Checked(OptionBox::kSound);
  return v;
}

// Saved first; an error while applying them (a hot key the system refuses, no tray)
// is shown and the dialog closes all the same. A failed save keeps it open.
void TOptionDlg::OKButtonClick() {
  if (!host_.ApplyOptions(Values())) return;
  view_.Close();
}

void TOptionDlg::CancelButtonClick() {
  LoadOptionForm();
  view_.Close();
}

// Only a WAV file replaces the start sound: anything else would leave the launches
// silent without a word.
void TOptionDlg::SelectSndButtonClick() {
  if (soundFolder_.empty()) soundFolder_ = host_.ToDir();
  auto chosen = view_.ChooseSoundFile(soundFolder_);
  if (!chosen) return;
  std::string bytes;
  if (files_.ReadWhole(*chosen, bytes) == ReadStatus::kRead && !LooksLikeWave(bytes)) {
    prompter_.ShowMessage(Format(texts::kSoundNotWave, *chosen));
    return;
  }
  bool copied = files_.CopyFileTo(*chosen, host_.StartSoundPath());
  prompter_.ShowMessage(copied ? texts::kSoundImported : texts::kSoundCopyFailed);
}

}  // namespace core
