#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/key_assign.h"
#include "error.h"
#include "ports/hot_key_registrar.h"
#include "ports/prompter.h"

namespace core {

class EWaitHotKey : public Error {
 public:
  using Error::Error;
};
// The registration's identifier could not be had from the global atom table.
class EWaitHotKey_Atom : public EWaitHotKey {
 public:
  using EWaitHotKey::EWaitHotKey;
};
// The key is no key name, or the system refused the combination.
class EWaitHotKey_HotKey : public EWaitHotKey {
 public:
  using EWaitHotKey::EWaitHotKey;
};

// The platform's hot key message.
inline constexpr unsigned kWmHotKey = 0x0312;

// One system-wide hot key. Writing HotKey or KeyAssign never registers by itself:
// the owner writes Enabled and HotKey, then calls RegisterKey.
class TWaitHotKey {
 public:
  using Notify = std::function<void(TWaitHotKey&)>;

  // Takes a global atom named after the hidden window's handle as the registration's
  // identifier; throws EWaitHotKey_Atom when that name is taken or the atom cannot
  // be made. Errors escaping OnCatchHotKey go to `prompter`'s error display. A
  // derived assignment record may be handed in; by default it is a plain TKeyAssign.
  TWaitHotKey(HotKeyRegistrar& registrar, Prompter& prompter, std::unique_ptr<TKeyAssign> keyAssign = nullptr);
  // Withdraws the registration and deletes the atom.
  virtual ~TWaitHotKey();
  TWaitHotKey(const TWaitHotKey&) = delete;
  TWaitHotKey& operator=(const TWaitHotKey&) = delete;

  bool Busy() const { return busy_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool Reentrant() const { return reentrant_; }
  void SetReentrant(bool value) { reentrant_ = value; }

  // The text form, "(なし)" without a key.
  std::string HotKey() const;
  // Parses a text form into the assignment; a text without a key candidate changes
  // nothing.
  virtual void SetHotKey(const std::string& text);

  TKeyAssign& KeyAssign() { return *keyAssign_; }
  const TKeyAssign& KeyAssign() const { return *keyAssign_; }
  // Copies `value` into the owned record.
  virtual void SetKeyAssign(const TKeyAssign& value) { keyAssign_->Assign(value); }

  // Rebuilds the text form after the assignment changed.
  virtual void KeyChanged();
  // Handles one message of the hidden window; false when it goes on to the
  // platform's default handling.
  virtual bool HotKeyWindowProc(unsigned message);
  // Registers the assignment anew, withdrawing the earlier registration first; a
  // component without a key only withdraws. Throws EWaitHotKey_HotKey.
  virtual void RegisterKey();
  virtual void UnregisterKey();

  bool Registered() const { return registered_; }
  std::uint16_t Identifier() const { return atom_; }
  // Alt 1, Ctrl 2, Shift 4, Windows key 8.
  unsigned ModifierMask() const;

  Notify OnCatchHotKey;
  Notify OnChangeKey;
  Notify OnRegisterKey;

 private:
  HotKeyRegistrar& registrar_;
  Prompter& prompter_;
  std::unique_ptr<TKeyAssign> keyAssign_;
  std::uint16_t atom_ = 0;
  std::string text_;
  bool enabled_ = true;
  bool reentrant_ = false;
  bool busy_ = false;
  bool registered_ = false;
};

// A text form read into its parts: the modifiers named, and the key's name as written
// (found in `names` or not) when there is one.
struct ParsedHotKey {
  bool shift = false, ctrl = false, alt = false, win = false;
  bool hasKey = false;
  std::string key;
};
ParsedHotKey ParseHotKeyText(std::string_view text, const TKeyAssign& names);

// The text form of an assignment: the modifiers in the order Windows, Alt, Ctrl,
// Shift, each with "+", before the key name.
std::string HotKeyText(const TKeyAssign& assign);

}  // namespace core
