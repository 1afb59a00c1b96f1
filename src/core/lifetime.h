#pragma once

#include <memory>

namespace core {

// Whether the owner of work that comes back later (an answer from another thread) is
// still there to take it. The owner keeps a Lifetime; the work keeps its Token. Both
// are used on the owner's thread only.
class Lifetime {
 public:
  class Token {
   public:
    bool Alive() const { return *alive_; }

   private:
    friend class Lifetime;
    explicit Token(std::shared_ptr<const bool> alive) : alive_(std::move(alive)) {}
    std::shared_ptr<const bool> alive_;
  };

  Lifetime() = default;
  ~Lifetime() { *alive_ = false; }
  Lifetime(const Lifetime&) = delete;
  Lifetime& operator=(const Lifetime&) = delete;

  Token Watch() const { return Token(alive_); }

 private:
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace core
