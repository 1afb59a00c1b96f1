#pragma once

namespace win32 {

void FreeComMemory(void* memory);

// Memory that the shell hands out (CoTaskMemAlloc), freed when it goes.
template <typename T>
class ComMemory {
 public:
  ComMemory() = default;
  explicit ComMemory(T memory) : memory_(memory) {}
  ~ComMemory() { FreeComMemory(memory_); }
  ComMemory(const ComMemory&) = delete;
  ComMemory& operator=(const ComMemory&) = delete;
  T get() const { return memory_; }
  // For a function that hands out the memory; only on an empty owner.
  T* put() { return &memory_; }
  explicit operator bool() const { return memory_ != nullptr; }

 private:
  T memory_ = nullptr;
};

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
