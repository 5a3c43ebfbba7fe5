#include "platform/toolkit.h"

void Dialog::OnCommand(int id, int /*code*/) {
  if (id == kIdOkCommand) OnOK();
  if (id == kIdCancelCommand) OnCancel();
}

bool Dialog::IsLateControl(int id) const {
  for (const int* late = LateControls(); late != nullptr && *late != 0; ++late) {
    if (*late == id) return true;
  }
  return false;
}

void Dialog::OnOK() { toolkit_.EndDialog(window_, kIdOkCommand); }

void Dialog::OnCancel() { toolkit_.EndDialog(window_, kIdCancelCommand); }

bool Dialog::PreTranslateKey(const KeyEvent& key) {
  return toolkit_.DefaultKeyHandling(window_, key);
}

bool Toolkit::RunBeside(void (*job)(void* context), void* context) {
  job(context);
  return true;
}
