#include "components/wait_hot_key.h"

#include <exception>
#include <string_view>

#include "components/key_names.h"
#include "components/wait_hot_key_texts.h"

namespace core {
namespace {

// The hot key messages put the text in place of "%S".
std::string WithText(std::string_view pattern, std::string_view text) {
  std::string result(pattern);
  auto at = result.find("%S");
  if (at != std::string::npos) result.replace(at, 2, text);
  return result;
}

}  // namespace

// Parts separated by "+", read up to the first empty part. A "+" that ends the text
// belongs to the key when the part before it plus "+" is a key name ("Num+"), so
// that every key's text form reads back as that key.
ParsedHotKey ParseHotKeyText(std::string_view text, const TKeyAssign& names) {
  ParsedHotKey result;
  size_t position = 0;
  for (;;) {
    size_t plus = text.find('+', position);
    std::string_view part = text.substr(position, plus == std::string_view::npos ? plus : plus - position);
    if (part.empty()) break;
    if (plus != std::string_view::npos && plus + 1 == text.size()) {
      std::string withPlus = std::string(part) + "+";
      if (names.KeyNameToCode(withPlus) != -1) {
        result.hasKey = true;
        result.key = withPlus;
        break;
      }
    }
    if (SameTextIgnoringCase(part, "Shift")) {
      result.shift = true;
    } else if (SameTextIgnoringCase(part, "Ctrl")) {
      result.ctrl = true;
    } else if (SameTextIgnoringCase(part, "Alt")) {
      result.alt = true;
    } else if (SameTextIgnoringCase(part, "Windows")) {
      result.win = true;
    } else {
      result.hasKey = true;
      result.key = part;
    }
    if (plus == std::string_view::npos) break;
    position = plus + 1;
  }
  return result;
}

namespace {

// Clears Busy also when the handler throws.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyScope() { busy_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& busy_;
};

}  // namespace

std::string HotKeyText(const TKeyAssign& assign) {
  std::string text = assign.Key();
  if (assign.hkShift()) text = "Shift+" + text;
  if (assign.hkCtrl()) text = "Ctrl+" + text;
  if (assign.hkAlt()) text = "Alt+" + text;
  if (assign.hkWinKey()) text = "Windows+" + text;
  return text;
}

TWaitHotKey::TWaitHotKey(HotKeyRegistrar& registrar, Prompter& prompter, std::unique_ptr<TKeyAssign> keyAssign)
    : registrar_(registrar),
      prompter_(prompter),
      keyAssign_(keyAssign ? std::move(keyAssign) : std::make_unique<TKeyAssign>()) {
  keyAssign_->OnChange = [this](TKeyAssign&) { KeyChanged(); };
  std::string name = registrar_.WindowHandleText();
  if (registrar_.FindGlobalAtom(name) != 0) throw EWaitHotKey_Atom(Format(texts::kAtomInUse, name));
  atom_ = registrar_.AddGlobalAtom(name);
  if (atom_ == 0) throw EWaitHotKey_Atom(Format(texts::kAtomNotCreated, name));
}

TWaitHotKey::~TWaitHotKey() {
  UnregisterKey();
  registrar_.DeleteGlobalAtom(atom_);
}

std::string TWaitHotKey::HotKey() const { return keyAssign_->Key().empty() ? texts::kNoHotKey : text_; }

void TWaitHotKey::SetHotKey(const std::string& text) {
  ParsedHotKey parsed = ParseHotKeyText(text, *keyAssign_);
  if (!parsed.hasKey) return;
  keyAssign_->SetModifiersQuietly(parsed.shift, parsed.ctrl, parsed.alt, parsed.win);
  keyAssign_->SetKey(parsed.key);
}

void TWaitHotKey::KeyChanged() {
  text_ = HotKeyText(*keyAssign_);
  if (OnChangeKey) OnChangeKey(*this);
}

bool TWaitHotKey::HotKeyWindowProc(unsigned message) {
  bool handled = enabled_ && (!busy_ || reentrant_);
  if (message != kWmHotKey || !handled) return false;
  // The identifier of the press is not compared: the hidden window holds only this
  // component's registration.
  BusyScope scope(busy_);
  try {
    if (OnCatchHotKey) OnCatchHotKey(*this);
  } catch (const std::exception& e) {
    prompter_.ShowError(e.what());
  }
  return true;
}

void TWaitHotKey::RegisterKey() {
  // Also without a key: a cleared hot key frees its combination for other programs.
  UnregisterKey();
  if (keyAssign_->CanUse()) {
    int code = keyAssign_->GetKeyCode();
    if (code == -1) throw EWaitHotKey_HotKey(WithText(texts::kHotKeyInvalid, HotKey()));
    if (!registrar_.Register(atom_, ModifierMask(), code))
      throw EWaitHotKey_HotKey(WithText(texts::kHotKeyNotRegistered, HotKey()));
    registered_ = true;
  }
  if (OnRegisterKey) OnRegisterKey(*this);
}

void TWaitHotKey::UnregisterKey() {
  registrar_.Unregister(atom_);
  registered_ = false;
}

unsigned TWaitHotKey::ModifierMask() const {
  unsigned mask = 0;
  if (keyAssign_->hkAlt()) mask |= kModAlt;
  if (keyAssign_->hkCtrl()) mask |= kModControl;
  if (keyAssign_->hkShift()) mask |= kModShift;
  if (keyAssign_->hkWinKey()) mask |= kModWin;
  return mask;
}

}  // namespace core
