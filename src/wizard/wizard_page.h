// What every wizard page has in common: a hidden child dialog of the frame that sets its texts
// and fills its fields each time it is shown, takes back what the user typed when a field loses
// the focus, hands its values to the model each time it is hidden, and passes the keyboard back
// to the frame's buttons on Tab. A page is described by a table (PageTable), which its class
// gives as Table() (the language checker places the texts with it); its own class holds only
// what no table expresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "lang/translate.h"
#include "platform/toolkit.h"
#include "settings/wizard_model.h"

class AppState;
class WizardDialog;

// A run of table rows: any array, or nothing.
template <typename Row>
struct Rows {
  constexpr Rows() = default;
  template <std::size_t N>
  constexpr Rows(const Row (&rows)[N]) : first(rows), count(N) {}  // NOLINT: tables read better
  const Row* begin() const { return first; }
  const Row* end() const { return first + count; }

  const Row* first = nullptr;
  std::size_t count = 0;
};

using SettingsNumber = std::uint32_t TuningSettings::*;
using ModelNumber = std::int32_t WizardModel::*;

// A text the page sets on every showing.
struct PageText {
  enum Kind {
    kPlain,        // the translated text
    kValue,        // ... followed by the sentence on the number found on the machine
    kState,        // ... followed by whether the setting found is on or off
    kRecommended,  // the translated template with every "%d" replaced by the number
  };
  int id;
  Kind kind;
  TextId text;
  SettingsNumber number;  // the current value (kValue, kState) or the recommended one
  ModelNumber found;      // kValue, kState: whether the current value was found
  TextId unit;            // kValue: the unit word; no key for none
  TextId lead;            // kValue: the words before the number
};

constexpr PageText Plain(int id, const TextId& text) {
  return {id, PageText::kPlain, text, nullptr, nullptr, {}, {}};
}
constexpr PageText CurrentValue(int id, const TextId& text, SettingsNumber current,
                                ModelNumber found, const TextId& unit, const TextId& lead) {
  return {id, PageText::kValue, text, current, found, unit, lead};
}
constexpr PageText CurrentState(int id, const TextId& text, SettingsNumber current,
                                ModelNumber found) {
  return {id, PageText::kState, text, current, found, {}, {}};
}
constexpr PageText Recommended(int id, const TextId& text, SettingsNumber recommended) {
  return {id, PageText::kRecommended, text, recommended, nullptr, {}, {}};
}

// An edit field bound to a model member, with the rule that takes the typed value back when the
// field loses the focus.
struct PageField {
  enum Rule {
    kShowOnly,        // filled on showing; the page's own code (if any) reads it
    kAboveZero,       // unsigned reading; not above 0 gives the recommended value
    kAtLeast,         // unsigned reading; below `low` gives the recommended value
    kIntegerInRange,  // every field of the page must read as an integer, this one in low..high
  };
  int id;
  ModelNumber entry;
  Rule rule;
  SettingsNumber recommended;  // kAboveZero, kAtLeast
  SettingsNumber chosen;       // set from the entry when the page hands its values over
  std::int32_t low;
  std::int32_t high;
};

// A check box whose state becomes a chosen value: `whenChecked`, else the other of 0 and 1.
struct PageCheck {
  int id;
  SettingsNumber chosen;
  std::uint32_t whenChecked;
};

struct PageTable {
  int templateId;
  // The control from which Tab leaves the page for the frame's buttons (kAnyControl: every
  // control, 0: none).
  int handOff;
  TextId titleNt;
  TextId title9x;
  Rows<PageText> texts;
  Rows<PageField> fields;
  Rows<PageCheck> checks;
};

// What a field's rule makes of a typed text, with or without a window: the command line's
// profiles go through the same rules as the pages.
enum class FieldVerdict {
  kTaken,       // `*entry` holds the number typed
  kFallback,    // the rule gave the recommended value instead: `*entry` holds it
  kNotInteger,  // an integer field refuses a text that is no integer
  kOutOfRange,  // an integer field refuses a number outside its range (`*entry` holds it)
};
FieldVerdict CheckFieldText(const PageField& field, const std::string& text,
                            const WizardModel& model, std::int32_t* entry);
// The message an integer field gives for a refused text: its string resource, or the English when
// the program has none.
std::string RefusalMessage(Toolkit* toolkit, const PageField& field, FieldVerdict verdict);

class WizardPage : public Dialog {
 public:
  static constexpr int kAnyControl = -1;

  WizardPage(AppState& app, WizardDialog& frame, WizardModel& model, const PageTable& table);

  int templateId() const { return table_.templateId; }

  // Creates the page window as a hidden child of the frame (the frame does, once).
  bool Create(WindowRef frame);
  bool IsShown() const;
  // Whether Tab from the frame's last button goes into this page.
  bool HandsTabOver() const { return table_.handOff != 0; }

  // Copies what the page shows into the settings record. Runs on every hide, and on Finish for
  // the page that is visible then (no hide happens there).
  virtual void StoreValues();

  // Every field's rule, as leaving the field runs it: true when the user may leave the step.
  // A rule that refuses tells the user once and puts the focus back into its field with the
  // text selected. The frame asks this before any move away from the step, whatever input
  // pressed the button; a press that came with a focus move already refused is refused silently.
  bool CheckFields();

  // A page is made hidden just before it is first shown; it must not take the keyboard then
  // (its fields' focus handlers would run on empty fields). A page that wants the focus takes it
  // when it is shown.
  bool OnInitDialog() override;
  void OnShowWindow(bool show) override;
  void OnCommand(int id, int code) override;
  bool PreTranslateKey(const KeyEvent& key) override;
  // Enter and Esc inside a page are not meant to leave the wizard.
  void OnOK() override {}
  void OnCancel() override {}

 protected:
  // Showing runs these in this order; pages override the ones they need.
  virtual void RunRecommendation() {}
  virtual void ApplyTexts();
  virtual void DataToControls();
  virtual void OnShowPage();
  virtual void OnHidePage();
  // A field's text changed (typed, or set by the page).
  virtual void OnFieldChanged(int /*id*/) {}
  // Runs field `id`'s rule; false when it refused the entry (see CheckFields). The default
  // applies the table's rules.
  virtual bool CheckField(int id);
  // The focus into the field with its text selected, as after a rejection.
  void FocusField(int id);

  WindowRef Item(int id) const;
  void SetItemText(int id, const std::string& text);
  bool IsItemChecked(int id) const;
  // Data to the controls. A field that already shows the text is left alone, so no change
  // notification fires for it.
  void SetFieldText(int id, const std::string& text);
  void SetFieldNumber(int id, std::int64_t value) { SetFieldText(id, std::to_string(value)); }
  std::string FieldText(int id) const;
  // A message box owned by the page's frame with the program's title as caption.
  void ShowMessage(const std::string& text, std::uint32_t style);

  AppState& app_;
  WizardDialog& frame_;
  WizardModel& model_;

 private:
  // Reads every field as an integer and checks the ranges of kIntegerInRange fields: the first
  // field that fails shows "Please enter an integer." or "Please enter an integer between %1 and
  // %2." and gets the focus back with its text selected.
  bool ExchangeFromControls();
  void RejectField(int id, const std::string& message);
  // A field lost the focus: its rule runs while the focus stays among the wizard's controls.
  void OnFieldExit(int id);

  const PageTable& table_;
  // A focus move away from a field was just refused (and the user told); the button press that
  // came with it is refused with it. Any key or change on the page ends that.
  bool refusedMove_ = false;
};
