#pragma once

#include <cstdint>
#include <string>

namespace core {

// Modifier bits of a system-wide hot key, as the platform counts them.
inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModControl = 2;
inline constexpr unsigned kModShift = 4;
inline constexpr unsigned kModWin = 8;

// The platform's side of a system-wide hot key: a hidden window that receives the
// presses, the global atom table that makes the registration's identifier unique,
// and the registration itself (always on behalf of that hidden window).
class HotKeyRegistrar {
 public:
  virtual ~HotKeyRegistrar() = default;
  // The hidden window's handle as a decimal text.
  virtual std::string WindowHandleText() const = 0;
  // 0 when there is no global atom of that name.
  virtual std::uint16_t FindGlobalAtom(const std::string& name) = 0;
  // 0 when the atom cannot be created.
  virtual std::uint16_t AddGlobalAtom(const std::string& name) = 0;
  virtual void DeleteGlobalAtom(std::uint16_t atom) = 0;
  // False when the system refuses, for example because the combination is taken.
  virtual bool Register(std::uint16_t id, unsigned modifiers, int keyCode) = 0;
  // Harmless when nothing is registered under `id`.
  virtual void Unregister(std::uint16_t id) = 0;
};

}  // namespace core
