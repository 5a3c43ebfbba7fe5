#include "fakes/recorded_message_boxes.h"

int RecordedMessageBoxes::FirstButton(std::uint32_t style) {
  switch (style & 0xFu) {
    case 0x2:  // Abort, Retry, Ignore
      return 3;
    case 0x3:  // Yes, No, Cancel
    case kMbYesNo:
      return kIdYes;
    case 0x5:  // Retry, Cancel
      return 4;
    case 0x6:  // Cancel, Try Again, Continue
      return kIdCancel;
    default:  // OK, OK/Cancel
      return kIdOk;
  }
}

int RecordedMessageBoxes::Show(WindowRef owner, const char* text, const char* caption,
                               std::uint32_t style) {
  Shown box;
  box.owner = owner;
  box.hasText = text != nullptr;
  if (text != nullptr) box.text = text;
  box.hasCaption = caption != nullptr;
  if (caption != nullptr) box.caption = caption;
  box.style = style;
  if (answers_.empty()) {
    box.answer = FirstButton(style);
  } else {
    box.answer = answers_.front();
    answers_.pop_front();
  }
  shown_.push_back(box);
  return box.answer;
}
