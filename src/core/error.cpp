#include "error.h"

#include "ports/prompter.h"

namespace core {

std::string Format(std::string_view pattern, std::string_view value) {
  std::string result(pattern);
  auto at = result.find("%s");
  if (at != std::string::npos) result.replace(at, 2, value);
  return result;
}

void ShowError(Prompter& prompter, const std::string& message) { prompter.ShowError(message); }

}  // namespace core
