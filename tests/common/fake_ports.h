#pragma once

#include <string>
#include <vector>

#include "ports/failure_log.h"
#include "ports/prompter.h"
#include "ports/sound.h"

namespace testing_support {

struct Box {
  std::string kind;  // "message", "information", "confirm", "error"
  std::string text;
  core::BoxPlacement placement;
};

// Answers every box at once and remembers what was asked.
class FakePrompter : public core::Prompter {
 public:
  void ShowMessage(const std::string& text) override { boxes.push_back({"message", text, {}}); }
  void ShowNotice(const std::string& text) override { boxes.push_back({"notice", text, {}}); }
  void ShowInformation(const std::string& text, core::BoxPlacement placement) override {
    boxes.push_back({"information", text, placement});
  }
  bool Confirm(const std::string& text, core::ConfirmKind, core::BoxPlacement placement) override {
    boxes.push_back({"confirm", text, placement});
    return answerYes;
  }
  void ShowError(const std::string& text) override { boxes.push_back({"error", text, {}}); }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) texts.push_back(box.text);
    return texts;
  }

  bool answerYes = true;
  std::vector<Box> boxes;
};

class FakeSound : public core::Sound {
 public:
  void PlayAsync(const std::string& path) override { played.push_back(path); }
  std::vector<std::string> played;
};

// Keeps each line "place: what".
class FakeFailureLog : public core::FailureLog {
 public:
  void Failure(std::string_view place, std::string_view what) noexcept override {
    lines.push_back(std::string(place) + ": " + std::string(what));
  }
  std::vector<std::string> lines;
};

}  // namespace testing_support
