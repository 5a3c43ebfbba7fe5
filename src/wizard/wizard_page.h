// What every wizard page has in common: a hidden child dialog of the frame that sets its texts
// and fills its fields each time it is shown, hands its values to the settings record each time
// it is hidden, and passes the keyboard back to the frame's buttons on Tab.
#pragma once

#include <cstdint>
#include <string>

#include "platform/toolkit.h"

class WizardApp;
class WizardDialog;

class WizardPage : public Dialog {
 public:
  // The hand-off control of a page whose every control passes Tab on to the frame.
  static constexpr int kAnyControl = -1;

  WizardPage(Toolkit& toolkit, int templateId, int handOffControl);

  int templateId() const { return templateId_; }

  // Creates the page window as a hidden child of the frame.
  bool Create(WindowRef frame);

  // Copies what the page shows into the settings record. Runs on every hide, and on Finish for
  // the page that is visible then (no hide happens there).
  virtual void StoreValues() {}

  // A page is made hidden while the frame initialises; it must not take the keyboard then (its
  // fields' focus handlers would run on empty fields). A page that wants the focus takes it when
  // it is shown.
  bool OnInitDialog() override;
  void OnShowWindow(bool show) override;
  bool PreTranslateKey(const KeyEvent& key) override;
  // Enter and Esc inside a page are not meant to leave the wizard.
  void OnOK() override {}
  void OnCancel() override {}

  // Texts built for the page's explanations and recommendations. Public so they can be checked
  // without a window.

  // " was set to 1500 bytes." (no unit: " was set to 20."), or " isn't set." when not found.
  // The pattern is fixed; only its words are translated, so a translation can't inject
  // format directives.
  static std::string FormatCurrentValue(std::int32_t found, std::uint32_t value,
                                        const char* unitKey, const char* unitDefault,
                                        const char* leadKey = "2",
                                        const char* leadDefault = "was set to");
  // " is currently enabled." / " is currently disabled." / " isn't set."
  static std::string FormatCurrentState(std::int32_t found, std::uint32_t value);
  // Every "%d" of `text` replaced by the number in signed decimal; nothing else is interpreted.
  static std::string ReplaceNumber(const std::string& text, std::int32_t value);
  // The dialog framework's reading of an integer field: optional blanks, an optional sign and
  // decimal digits that fit in 32 bits. False for anything else.
  static bool ParseInteger(const std::string& text, std::int32_t* value);
  // An unsigned decimal field as the pages read it: plain digits that fit in 32 bits, else 0.
  static std::uint32_t ParseUnsignedOrZero(const std::string& text);

 protected:
  // Showing runs these in this order; pages override the ones they need.
  virtual void RunRecommendation() {}
  virtual void ApplyTexts() {}
  virtual void DataToControls() {}
  virtual void OnShowPage();
  virtual void OnHidePage() { StoreValues(); }

  WizardApp& app() const;
  WizardDialog& frame() const;
  WindowRef Item(int id) const;

  // The frame caption for the running family.
  void SetStepTitle(const char* ntKey, const char* ntDefault, const char* x9Key,
                    const char* x9Default);
  void SetItemText(int id, const std::string& text);
  void TranslateItem(int id, const char* key, const char* defaultText);
  // A recommended-value line: the translated template with "%d" replaced by `value`.
  void SetRecommendedLine(int id, const char* key, const char* defaultText, std::int32_t value);
  bool IsItemChecked(int id) const;

  // Data to the controls. A field that already shows the text is left alone, so no change
  // notification fires for it.
  void SetFieldNumber(int id, std::int32_t value);
  void SetFieldUnsigned(int id, std::uint32_t value);
  std::uint32_t ReadUnsignedField(int id) const;

  // Data from a control with the dialog framework's checks: "Please enter an integer." or
  // "Please enter an integer between %1 and %2.", then the focus goes back into the field with
  // its text selected. False when the check failed (`*value` keeps what was read, if anything).
  bool ExchangeIntegerFromField(int id, std::int32_t* value);
  bool CheckIntegerRange(int id, std::int32_t value, std::int32_t minimum, std::int32_t maximum);

  // A last step shows "Finish"; leaving it turns that back into "&Next >".
  void SetProceedToFinish();
  void RestoreProceedToNext();

 private:
  void RejectField(int id, const std::string& message);

  int templateId_;
  int handOffControl_;
};
