#include "wizard/wizard_page.h"

#include "resources/resource.h"
#include "wizard/app_state.h"
#include "wizard/page_format.h"
#include "wizard/texts.h"
#include "wizard/wizard_dialog.h"

WizardPage::WizardPage(AppState& app, WizardDialog& frame, WizardModel& model,
                       const PageTable& table)
    : Dialog(*app.platform.toolkit), app_(app), frame_(frame), model_(model), table_(table) {}

bool WizardPage::Create(WindowRef frame) {
  return toolkit().CreateChild(*this, table_.templateId, frame) != 0;
}

bool WizardPage::IsShown() const { return window() != 0 && toolkit().IsVisible(window()); }

bool WizardPage::OnInitDialog() {
  Dialog::OnInitDialog();
  return false;
}

void WizardPage::OnShowWindow(bool show) {
  Dialog::OnShowWindow(show);
  if (show) {
    OnShowPage();
  } else {
    OnHidePage();
  }
}

void WizardPage::OnShowPage() {
  refusedMove_ = false;
  RunRecommendation();
  ApplyTexts();
  DataToControls();
}

void WizardPage::OnHidePage() {
  refusedMove_ = false;
  StoreValues();
}

void WizardPage::ApplyTexts() {
  const bool nt = app_.osFamily == kOsFamilyNt;
  toolkit().SetText(frame_.window(), app_.Translate(nt ? table_.titleNt : table_.title9x));
  for (const PageText& row : table_.texts) {
    std::string shown = app_.Translate(row.text);
    const std::uint32_t number = row.number != nullptr ? model_.settings.*row.number : 0;
    switch (row.kind) {
      case PageText::kPlain:
        break;
      case PageText::kValue:
        shown += FormatCurrentValue(app_, model_.*row.found, number,
                                    row.unit.key != nullptr ? &row.unit : nullptr, row.lead);
        break;
      case PageText::kState:
        shown += FormatCurrentState(app_, model_.*row.found, number);
        break;
      case PageText::kRecommended:
        shown = ReplaceNumber(shown, static_cast<std::int32_t>(number));
        break;
    }
    SetItemText(row.id, shown);
  }
}

void WizardPage::DataToControls() {
  for (const PageField& field : table_.fields) SetFieldNumber(field.id, model_.*field.entry);
}

void WizardPage::StoreValues() {
  for (const PageField& field : table_.fields) {
    if (field.chosen != nullptr) {
      model_.settings.*field.chosen = static_cast<std::uint32_t>(model_.*field.entry);
    }
  }
  for (const PageCheck& check : table_.checks) {
    model_.settings.*check.chosen =
        IsItemChecked(check.id) ? check.whenChecked : 1u - check.whenChecked;
  }
}

void WizardPage::OnCommand(int id, int code) {
  if (code == kEnKillFocus) {
    OnFieldExit(id);
  } else if (code == kEnChange) {
    refusedMove_ = false;
    OnFieldChanged(id);
  } else {
    Dialog::OnCommand(id, code);
  }
}

void WizardPage::OnFieldExit(int id) {
  // Exit and the close box end the wizard whatever the fields hold, and a window of its own
  // (the About box, another program) takes the focus without leaving the step: no check then.
  // Leaving the step is checked by the frame in any case.
  const WindowRef focus = toolkit().Focus();
  const WindowRef frame = frame_.window();
  if (focus == 0 || focus == frame || focus == toolkit().Item(frame, IDCANCEL) ||
      !toolkit().IsChild(frame, focus)) {
    return;
  }
  if (!CheckField(id)) refusedMove_ = true;
}

bool WizardPage::CheckFields() {
  if (refusedMove_) {
    refusedMove_ = false;
    return false;
  }
  for (const PageField& field : table_.fields) {
    if (!CheckField(field.id)) return false;
  }
  return true;
}

bool WizardPage::CheckField(int id) {
  for (const PageField& field : table_.fields) {
    if (field.id != id) continue;
    std::int32_t& entry = model_.*field.entry;
    switch (field.rule) {
      case PageField::kShowOnly:
        return true;
      case PageField::kAboveZero:
      case PageField::kAtLeast:
        if (CheckFieldText(field, FieldText(id), model_, &entry) == FieldVerdict::kFallback) {
          SetFieldNumber(id, entry);
        }
        return true;
      case PageField::kIntegerInRange:
        return ExchangeFromControls();
    }
  }
  return true;
}

bool WizardPage::ExchangeFromControls() {
  for (const PageField& field : table_.fields) {
    // Every field is read as an integer; only the ranged ones have limits.
    PageField exchanged = field;
    if (field.rule != PageField::kIntegerInRange) exchanged.rule = PageField::kShowOnly;
    std::int32_t value = 0;
    const FieldVerdict verdict = CheckFieldText(exchanged, FieldText(field.id), model_, &value);
    if (verdict == FieldVerdict::kNotInteger) {
      RejectField(field.id, RefusalMessage(&toolkit(), field, verdict));
      return false;
    }
    // The value is taken before its range check: the entry holds what was typed until the user
    // corrects it. The step is not left while the check fails, so it never reaches the settings.
    model_.*field.entry = value;
    if (verdict == FieldVerdict::kOutOfRange) {
      RejectField(field.id, RefusalMessage(&toolkit(), field, verdict));
      return false;
    }
  }
  return true;
}

FieldVerdict CheckFieldText(const PageField& field, const std::string& text,
                            const WizardModel& model, std::int32_t* entry) {
  if (field.rule == PageField::kAboveZero || field.rule == PageField::kAtLeast) {
    *entry = static_cast<std::int32_t>(ParseUnsignedOrZero(text));
    const std::int32_t least = field.rule == PageField::kAboveZero ? 1 : field.low;
    if (*entry >= least) return FieldVerdict::kTaken;
    *entry = static_cast<std::int32_t>(model.settings.*field.recommended);
    return FieldVerdict::kFallback;
  }
  if (!ParseInteger(text, entry)) return FieldVerdict::kNotInteger;
  if (field.rule == PageField::kIntegerInRange && (*entry < field.low || *entry > field.high)) {
    return FieldVerdict::kOutOfRange;
  }
  return FieldVerdict::kTaken;
}

std::string RefusalMessage(Toolkit* toolkit, const PageField& field, FieldVerdict verdict) {
  if (verdict == FieldVerdict::kNotInteger) {
    std::string message = toolkit != nullptr ? toolkit->LoadResourceString(IDS_PARSE_INT) : "";
    return message.empty() ? "Please enter an integer." : message;
  }
  std::string message = toolkit != nullptr ? toolkit->LoadResourceString(IDS_PARSE_INT_RANGE) : "";
  if (message.empty()) message = "Please enter an integer between %1 and %2.";
  // One pass per marker: the numbers put in contain no '%'.
  ReplaceAll(message, "%1", std::to_string(field.low));
  ReplaceAll(message, "%2", std::to_string(field.high));
  return message;
}

void WizardPage::RejectField(int id, const std::string& message) {
  ShowMessage(message, kMbOk | kMbIconWarning);
  FocusField(id);
}

void WizardPage::FocusField(int id) {
  WindowRef item = Item(id);
  if (item == 0) return;
  toolkit().SetFocus(item);
  toolkit().SelectAllText(item);
}

void WizardPage::ShowMessage(const std::string& text, std::uint32_t style) {
  app_.platform.messages.Show(frame_.window(), text.c_str(), app_.Title().c_str(), style);
}

bool WizardPage::PreTranslateKey(const KeyEvent& key) {
  refusedMove_ = false;
  if (key.virtualKey == kVkTab && table_.handOff != 0) {
    // Only keys aimed inside this page reach here, so "any control" needs no further test.
    const bool onHandOff =
        table_.handOff == kAnyControl || toolkit().Focus() == Item(table_.handOff);
    if (onHandOff) {
      // Checked here, once: the frame's Tab handling that follows would move the focus again.
      if (!CheckFields()) return true;
      // The frame's own Tab handling then moves on to its buttons.
      toolkit().SetFocus(frame_.window());
      return false;
    }
  }
  return Dialog::PreTranslateKey(key);
}

WindowRef WizardPage::Item(int id) const { return toolkit().Item(window(), id); }

void WizardPage::SetItemText(int id, const std::string& text) {
  WindowRef item = Item(id);
  if (item != 0) toolkit().SetText(item, text);
}

bool WizardPage::IsItemChecked(int id) const {
  WindowRef item = Item(id);
  return item != 0 && toolkit().IsChecked(item);
}

void WizardPage::SetFieldText(int id, const std::string& text) {
  WindowRef item = Item(id);
  if (item != 0 && toolkit().Text(item) != text) toolkit().SetText(item, text);
}

std::string WizardPage::FieldText(int id) const {
  WindowRef item = Item(id);
  return item != 0 ? toolkit().Text(item) : std::string();
}
