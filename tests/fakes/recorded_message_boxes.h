// Message boxes for tests: each one is recorded and answered from a queue the test fills.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/message_box.h"

class RecordedMessageBoxes : public MessageBoxes {
 public:
  struct Shown {
    WindowRef owner = 0;
    bool hasText = false;  // false: the text was null
    std::string text;
    bool hasCaption = false;  // false: the caption was null (the system's default caption)
    std::string caption;
    std::uint32_t style = 0;
    int answer = 0;
  };

  // Records the box and pops the next queued answer; with the queue empty the box is answered
  // with its first button (IDOK for an OK box, IDYES for Yes/No).
  int Show(WindowRef owner, const char* text, const char* caption, std::uint32_t style) override;

  void QueueAnswer(int answer) { answers_.push_back(answer); }
  std::size_t PendingAnswers() const { return answers_.size(); }
  const std::vector<Shown>& shown() const { return shown_; }
  void Clear() {
    shown_.clear();
    answers_.clear();
  }

  // The first button of a box with that style (the MB_TYPEMASK part).
  static int FirstButton(std::uint32_t style);

 private:
  std::vector<Shown> shown_;
  std::deque<int> answers_;
};
