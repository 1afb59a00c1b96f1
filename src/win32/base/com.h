#pragma once

namespace win32 {

// COM in a single-threaded apartment on this thread for a scope, the one way the
// program initialises COM (the shell's dialogs and the verbs of shell extensions need
// it). Balanced: uninitialised when it goes, when it was initialised.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_ = false;
};

}  // namespace win32
