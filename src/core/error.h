#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace core {

class Prompter;

// A failure the user is told about in words (a file that cannot be read or written,
// a component that cannot do its job). The message is UTF-8 and shown as it is.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Puts `value` in place of the first "%s" of `pattern`.
std::string Format(std::string_view pattern, std::string_view value);

// Runs an event handler: an Error ends the handler and is shown by the program's
// standard error display; the program goes on. Returns false when it ended so.
template <typename Handler>
bool Reporting(Prompter& prompter, Handler&& handler);

void ShowError(Prompter& prompter, const std::string& message);

template <typename Handler>
bool Reporting(Prompter& prompter, Handler&& handler) {
  try {
    handler();
    return true;
  } catch (const Error& e) {
    ShowError(prompter, e.what());
    return false;
  }
}

}  // namespace core
