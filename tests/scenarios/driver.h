// Wizard scenarios are written once against this driver and run twice: natively on the
// headless toolkit, and under Wine against the real Quarnel.exe driven from another process.
//
// A scenario hands its machine setup and its body to Run(). The two backends run the body at
// different places, and the interface is shaped so that a body can't tell:
// - Under Wine the body runs in the test process while Quarnel.exe runs; each action is posted
//   and the driver waits until the program has handled it.
// - Natively there is no second process and the program's only message loop is the wizard's
//   modal loop, so the body runs inside it: the headless toolkit calls it from RunModal, each
//   action is handled before the call returns, and the loop ends when the body returns.
// Consequences for bodies: everything happens inside Run (Start alone is how a backend gets
// the program going, not something a scenario calls); after Finish or Exit the wizard is gone
// but the body may still look at the registry and the message boxes seen; a body that returns
// while the wizard is still open ends the session as if the process were killed (nothing more
// is written). Registry expectations can also follow Run, through registry().
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

// A control is named by the template of the dialog that holds it and its id; id 0 is the dialog
// window itself.
constexpr int kFrame = 102;

struct WizardSetup {
  std::string windowsVersion = "winxp";  // win95 win98 winme nt40 win2k winxp nt351 vista
  std::vector<std::string> regFixtures;  // names under tests/fixtures, loaded in order
  // Language files written to <AppPath>\Lang\<name>.ini; AppPath is set to a scratch folder
  // when this is not empty.
  std::vector<std::pair<std::string, std::string>> languageFiles;
  // Flag pictures written beside them as <name>.bmp (a small Windows bitmap each).
  std::vector<std::string> flags;
  std::string language;  // stored as Language in the program's key when not empty
  // Start on the registry as the previous session of the scenario left it (fixtures are not
  // loaded): the program run again on the machine it changed.
  bool keepRegistry = false;
};

struct SeenMessageBox {
  std::string text;
  std::string caption;
  int style = -1;  // -1 where the backend cannot tell
};

struct ListItem {
  std::string text;
  int image = -1;  // -1: no picture
};

struct FocusedControl {
  int dialog = 0;
  int id = 0;
};

// What the MTU finder showed once its search had ended.
struct MtuFinderSeen {
  bool opened = false;
  std::string hostShown;  // the host field when the finder came up
  std::string progress;
  std::string result;
  bool useEnabled = false;
};

class WizardDriver;
using ScenarioBody = std::function<void(WizardDriver& d)>;

class WizardDriver {
 public:
  virtual ~WizardDriver() = default;

  // One session: prepares the machine as `setup` says, starts the wizard and runs `body` while
  // it is up (see the top of this file). A refused start-up (message "79") still runs the body,
  // with the wizard already gone; the answer to that box is queued before Run. A scenario may run
  // several sessions, each on a freshly prepared machine. The default starts the program with
  // Start() and runs the body; a failed Start fails the case and skips the body.
  virtual void Run(const WizardSetup& setup, const ScenarioBody& body);

  // Starts the wizard on a machine prepared as `setup` says (the registry keys the program
  // touches are cleared first) and returns once it is ready for input (or has refused to start).
  virtual bool Start(const WizardSetup& setup) = 0;
  // Answers the next message box that appears (in order); a box nobody answered fails the case,
  // and so does an answer left over at the end of the session. Queue answers before the action
  // that shows the box; answers queued before Run belong to that session and are there for the
  // boxes start-up shows.
  virtual void AnswerNextMessageBox(int button) = 0;

  // A mouse click: the focus moves to the control first, then it is pressed.
  virtual void Click(int dialog, int id) = 0;
  // Replaces the text of an edit field as the user would (focus, select all, type); an empty
  // text is a Backspace on the selection, so the field hears the change.
  virtual void Type(int dialog, int id, const std::string& text) = 0;
  // Moves the keyboard focus as the dialog manager does for a program (WM_NEXTDLGCTL): an
  // edit's text is selected, and a push button focused this way becomes the default button
  // (as Tab makes it), so Enter then presses that button.
  virtual void Focus(int dialog, int id) = 0;
  // A key pressed and released where the keyboard focus is.
  virtual void Key(int virtualKey, bool shift = false) = 0;
  // Alt and a letter: the control whose text marks it gets a BM_CLICK.
  virtual void Mnemonic(char letter) = 0;
  // A BM_CLICK posted to a button: it takes the focus and is pressed, and a message box the
  // focus move brings up does not take the press away as it takes a mouse click's.
  virtual void ClickMessage(int dialog, int id) = 0;
  // Opens the About box from the system menu.
  virtual void SystemMenuAbout() = 0;
  // Opens the review of Finish's changes with its button, reads the lines it lists and closes it
  // with Close; "" when it did not open. A review whose text is not read-only, or that does
  // not close, fails the case.
  virtual std::string ReviewChanges() = 0;
  // Chooses an entry of the wizard's system menu, as SystemMenuAbout does About (only one that
  // is not greyed: a greyed one does nothing).
  virtual void SystemMenu(int commandId) = 0;
  // The file name typed into the next Save dialog before Save is pressed; "" presses Cancel.
  // Queue it before the action that opens the dialog.
  virtual void AnswerNextSaveDialog(const std::string& path) = 0;
  // A file of this case's own for the program to write (a Windows path), removed when the
  // case ends; it does not exist yet.
  virtual std::string ScratchFile(const std::string& name) = 0;
  // Merges a .reg file into the registry as "regedit /s" does; false when it did not load.
  virtual bool MergeRegFile(const std::string& path) = 0;
  // The close box of the wizard's caption bar (the system menu's Close command). The default
  // fails the case: a backend that can press it overrides this.
  virtual void CloseBox();
  // Step 2's MTU finder: opens it with the Find button, types `host`, presses Start, waits for
  // the search to end, then presses "Use This MTU" (`use`) or the Cancel/Close button.
  virtual MtuFinderSeen FindMtu(const std::string& host, bool use) = 0;
  // A host whose path carries packets of 1400 bytes at most, where the finder's echoes reach
  // it; empty where this backend has none (Wine outside a network namespace).
  virtual std::string MtuPathTarget() = 0;

  virtual std::string Caption() = 0;
  virtual std::string Text(int dialog, int id) = 0;
  virtual bool Visible(int dialog, int id) = 0;
  virtual bool Enabled(int dialog, int id) = 0;
  virtual bool Checked(int dialog, int id) = 0;
  // A combo box's items in their order, and the selected one (-1: none).
  virtual std::vector<ListItem> ListItems(int dialog, int id) = 0;
  virtual int ListSelection(int dialog, int id) = 0;
  virtual FocusedControl Focused() = 0;
  virtual std::vector<SeenMessageBox> MessageBoxesSeen() = 0;
  // True once the wizard has closed (and, under Wine, the process has ended).
  virtual bool Finished() = 0;

  // The registry the program works on, for expectations after the run.
  virtual Registry& registry() = 0;
};

// Each scenario file registers its cases with SCENARIO(name); the backend's runner makes a fresh
// driver for every case.
using ScenarioFn = void (*)(WizardDriver& d);
struct ScenarioRegistrar {
  ScenarioRegistrar(const char* name, ScenarioFn fn);
};
const std::vector<std::pair<const char*, ScenarioFn>>& Scenarios();

#define SCENARIO(name)                                                   \
  static void name##_scenario(WizardDriver& d);                          \
  static ScenarioRegistrar name##_scenario_reg(#name, &name##_scenario); \
  static void name##_scenario(WizardDriver& d)
