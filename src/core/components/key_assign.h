#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace core {

// A hot key's assignment: one key from the key-name table and the four modifiers.
// Every write reports itself through OnChange, also when nothing changed.
class TKeyAssign {
 public:
  using Notify = std::function<void(TKeyAssign&)>;

  TKeyAssign() = default;
  virtual ~TKeyAssign() = default;
  // Copies go through Assign, which keeps the target's OnChange.
  TKeyAssign(const TKeyAssign&) = delete;
  TKeyAssign& operator=(const TKeyAssign&) = delete;

  // True when a key is set.
  virtual bool CanUse() const { return !key_.empty(); }

  const std::string& Key() const { return key_; }
  bool hkShift() const { return shift_; }
  bool hkCtrl() const { return ctrl_; }
  bool hkAlt() const { return alt_; }
  bool hkWinKey() const { return win_; }

  // Stores the table's spelling of the name, or no key when it is not a key name.
  virtual void SetKey(const std::string& name);
  virtual void SethkShift(bool value);
  virtual void SethkCtrl(bool value);
  virtual void SethkAlt(bool value);
  virtual void SethkWinKey(bool value);

  // The code of Key; 0 for no key, -1 when Key is no key name.
  virtual int GetKeyCode() const;
  // The first code, from 0 upward, whose name equals `name` ignoring letter case; -1
  // if none. The empty name is code 0's.
  virtual int KeyNameToCode(std::string_view name) const;
  // The table's spelling of `name`, or empty when it is no key name.
  virtual std::string NormalizeKeyName(std::string_view name) const;

  // Takes the modifiers quietly, then writes Key: one OnChange.
  void Assign(const TKeyAssign& source);

  // Sets the modifiers without notification; the next write of Key reports them.
  void SetModifiersQuietly(bool shift, bool ctrl, bool alt, bool win);

  Notify OnChange;

 private:
  void Changed();

  std::string key_;
  bool ctrl_ = false;
  bool shift_ = false;
  bool alt_ = false;
  bool win_ = false;
};

}  // namespace core
