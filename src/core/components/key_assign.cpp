#include "components/key_assign.h"

#include "components/key_names.h"

namespace core {

void TKeyAssign::Changed() {
  if (OnChange) OnChange(*this);
}

void TKeyAssign::SetKey(const std::string& name) {
  key_ = NormalizeKeyName(name);
  Changed();
}

void TKeyAssign::SethkShift(bool value) {
  shift_ = value;
  Changed();
}

void TKeyAssign::SethkCtrl(bool value) {
  ctrl_ = value;
  Changed();
}

void TKeyAssign::SethkAlt(bool value) {
  alt_ = value;
  Changed();
}

void TKeyAssign::SethkWinKey(bool value) {
  win_ = value;
  Changed();
}

int TKeyAssign::GetKeyCode() const { return KeyNameToCode(key_); }

int TKeyAssign::KeyNameToCode(std::string_view name) const {
  const auto& names = KeyNames();
  for (int code = 0; code < static_cast<int>(names.size()); ++code)
    if (SameTextIgnoringCase(names[code], name)) return code;
  return -1;
}

std::string TKeyAssign::NormalizeKeyName(std::string_view name) const {
  int code = KeyNameToCode(name);
  return code < 0 ? std::string() : std::string(KeyNames()[code]);
}

void TKeyAssign::Assign(const TKeyAssign& source) {
  // Read the source's key first: it may be this very record.
  std::string key = source.key_;
  SetModifiersQuietly(source.shift_, source.ctrl_, source.alt_, source.win_);
  SetKey(key);
}

void TKeyAssign::SetModifiersQuietly(bool shift, bool ctrl, bool alt, bool win) {
  shift_ = shift;
  ctrl_ = ctrl;
  alt_ = alt;
  win_ = win;
}

}  // namespace core
