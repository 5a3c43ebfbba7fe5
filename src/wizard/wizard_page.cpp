#include "wizard/wizard_page.h"

#include <cstdio>
#include <limits>

#include "app/wizard_app.h"
#include "resources/resource.h"
#include "wizard/wizard_dialog.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void ReplaceAll(std::string& text, const std::string& what, const std::string& with) {
  std::string::size_type at = 0;
  while ((at = text.find(what, at)) != std::string::npos) {
    text.replace(at, what.size(), with);
    at += with.size();
  }
}

}  // namespace

WizardPage::WizardPage(Toolkit& toolkit, int templateId, int handOffControl)
    : Dialog(toolkit), templateId_(templateId), handOffControl_(handOffControl) {}

bool WizardPage::Create(WindowRef frame) {
  return toolkit().CreateChild(*this, templateId_, frame) != 0;
}

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
  RunRecommendation();
  ApplyTexts();
  DataToControls();
}

bool WizardPage::PreTranslateKey(const KeyEvent& key) {
  if (key.virtualKey == kVkTab && handOffControl_ != 0) {
    // Only keys aimed inside this page reach here, so "any control" needs no further test.
    const bool onHandOff =
        handOffControl_ == kAnyControl || toolkit().Focus() == Item(handOffControl_);
    if (onHandOff) {
      // The frame's own Tab handling then moves on to its buttons.
      toolkit().SetFocus(frame().window());
      return false;
    }
  }
  return Dialog::PreTranslateKey(key);
}

WizardApp& WizardPage::app() const { return App(); }

WizardDialog& WizardPage::frame() const { return *App().wizard; }

WindowRef WizardPage::Item(int id) const { return toolkit().Item(window(), id); }

void WizardPage::SetStepTitle(const char* ntKey, const char* ntDefault, const char* x9Key,
                              const char* x9Default) {
  const bool nt = app().osFamily == kOsFamilyNt;
  toolkit().SetText(frame().window(),
                    app().Translate(nt ? ntKey : x9Key, nt ? ntDefault : x9Default));
}

void WizardPage::SetItemText(int id, const std::string& text) {
  WindowRef item = Item(id);
  if (item != 0) toolkit().SetText(item, text);
}

void WizardPage::TranslateItem(int id, const char* key, const char* defaultText) {
  app().TranslateControl(window(), id, key, defaultText);
}

void WizardPage::SetRecommendedLine(int id, const char* key, const char* defaultText,
                                    std::int32_t value) {
  SetItemText(id, ReplaceNumber(app().Translate(key, defaultText), value));
}

bool WizardPage::IsItemChecked(int id) const {
  WindowRef item = Item(id);
  return item != 0 && toolkit().IsChecked(item);
}

void WizardPage::SetFieldNumber(int id, std::int32_t value) {
  WindowRef item = Item(id);
  if (item == 0) return;
  const std::string text = std::to_string(value);
  if (toolkit().Text(item) != text) toolkit().SetText(item, text);
}

void WizardPage::SetFieldUnsigned(int id, std::uint32_t value) {
  WindowRef item = Item(id);
  if (item == 0) return;
  const std::string text = std::to_string(value);
  if (toolkit().Text(item) != text) toolkit().SetText(item, text);
}

std::uint32_t WizardPage::ReadUnsignedField(int id) const {
  WindowRef item = Item(id);
  return item == 0 ? 0 : ParseUnsignedOrZero(toolkit().Text(item));
}

std::string WizardPage::FormatCurrentValue(std::int32_t found, std::uint32_t value,
                                           const char* unitKey, const char* unitDefault,
                                           const char* leadKey, const char* leadDefault) {
  WizardApp& a = App();
  if (found == 0) return " " + a.Translate("3", "isn't set.");
  const std::string lead = a.Translate(leadKey, leadDefault);
  const std::string unit = unitKey != nullptr ? a.Translate(unitKey, unitDefault) : std::string();
  // Room for both words, ten digits and the pattern's own characters.
  std::string out(lead.size() + unit.size() + 24, '\0');
  int written;
  if (unitKey != nullptr) {
    written = std::snprintf(&out[0], out.size(), " %s %u %s.", lead.c_str(),
                            static_cast<unsigned>(value), unit.c_str());
  } else {
    written =
        std::snprintf(&out[0], out.size(), " %s %u.", lead.c_str(), static_cast<unsigned>(value));
  }
  if (written < 0 || static_cast<std::size_t>(written) >= out.size()) return std::string();
  out.resize(static_cast<std::size_t>(written));
  return out;
}

std::string WizardPage::FormatCurrentState(std::int32_t found, std::uint32_t value) {
  WizardApp& a = App();
  if (found == 0) return " " + a.Translate("3", "isn't set.");
  if (value != 0) return " " + a.Translate("6", "is currently enabled.");
  return " " + a.Translate("5", "is currently disabled.");
}

std::string WizardPage::ReplaceNumber(const std::string& text, std::int32_t value) {
  std::string out = text;
  ReplaceAll(out, "%d", std::to_string(value));
  return out;
}

bool WizardPage::ParseInteger(const std::string& text, std::int32_t* value) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t firstDigit = i;
  // Accumulate as a negative number so that -2147483648 fits.
  std::int64_t magnitude = 0;
  while (i < text.size() && IsDigit(text[i])) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) {
      return false;
    }
    ++i;
  }
  if (i == firstDigit) return false;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return false;
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<std::int32_t>::max()) return false;
  *value = static_cast<std::int32_t>(signedValue);
  return true;
}

std::uint32_t WizardPage::ParseUnsignedOrZero(const std::string& text) {
  if (text.empty()) return 0;
  std::uint64_t result = 0;
  for (char c : text) {
    if (!IsDigit(c)) return 0;
    result = result * 10 + static_cast<std::uint64_t>(c - '0');
    if (result > std::numeric_limits<std::uint32_t>::max()) return 0;
  }
  return static_cast<std::uint32_t>(result);
}

bool WizardPage::ExchangeIntegerFromField(int id, std::int32_t* value) {
  WindowRef item = Item(id);
  if (item == 0) return false;
  if (ParseInteger(toolkit().Text(item), value)) return true;
  std::string message = toolkit().LoadResourceString(IDS_PARSE_INT);
  if (message.empty()) message = "Please enter an integer.";
  RejectField(id, message);
  return false;
}

bool WizardPage::CheckIntegerRange(int id, std::int32_t value, std::int32_t minimum,
                                   std::int32_t maximum) {
  if (value >= minimum && value <= maximum) return true;
  std::string message = toolkit().LoadResourceString(IDS_PARSE_INT_RANGE);
  if (message.empty()) message = "Please enter an integer between %1 and %2.";
  // One pass per marker: the numbers put in contain no '%'.
  ReplaceAll(message, "%1", std::to_string(minimum));
  ReplaceAll(message, "%2", std::to_string(maximum));
  RejectField(id, message);
  return false;
}

void WizardPage::RejectField(int id, const std::string& message) {
  app().platform.messages.Show(frame().window(), message.c_str(), kAppTitle,
                               kMbOk | kMbIconWarning);
  WindowRef item = Item(id);
  if (item == 0) return;
  toolkit().SetFocus(item);
  toolkit().SelectAllText(item);
}

void WizardPage::SetProceedToFinish() {
  frame().SetProceedCaption(app().Translate("10", "Finish"));
}

void WizardPage::RestoreProceedToNext() {
  if (frame().ProceedCaption() == app().Translate("10", "Finish")) {
    frame().SetProceedCaption(app().Translate("20", "&Next >"));
  }
}
