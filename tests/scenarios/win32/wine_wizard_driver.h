// Drives the real Quarnel.exe from this process, under Wine, as a user at the keyboard and mouse
// would: input is posted to the program's windows, every observation is read back from them.
#pragma once

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_registry.h"
#include "scenarios/driver.h"
#include "scenarios/win32/scenario_machine.h"
#include "wine/process_driver.h"

class WineWizardDriver : public WizardDriver {
 public:
  explicit WineWizardDriver(std::string programPath);
  ~WineWizardDriver() override;
  WineWizardDriver(const WineWizardDriver&) = delete;
  WineWizardDriver& operator=(const WineWizardDriver&) = delete;

  // One session; then what the body left open is checked and the program is killed, as the
  // end of a session promises (nothing more gets written).
  void Run(const WizardSetup& setup, const ScenarioBody& body) override;
  bool Start(const WizardSetup& setup) override;
  void AnswerNextMessageBox(int button) override;
  void Click(int dialog, int id) override;
  void Type(int dialog, int id, const std::string& text) override;
  void Focus(int dialog, int id) override;
  void Key(int virtualKey, bool shift) override;
  void Mnemonic(char letter) override;
  void ClickMessage(int dialog, int id) override;
  // As the headless backend does, the About box is read and closed again at once (a body
  // cannot tell a nested modal loop to hand control back); Text() and Visible() on it answer
  // from what it showed.
  void SystemMenuAbout() override;
  std::string ReviewChanges() override;
  // Another process cannot read the wizard's system menu: the entry is chosen whatever its
  // state, so a case chooses only entries that are on.
  void SystemMenu(int commandId) override;
  void AnswerNextSaveDialog(const std::string& path) override;
  std::string ScratchFile(const std::string& name) override;
  // Runs Wine's regedit in the program's prefix.
  bool MergeRegFile(const std::string& path) override;
  void CloseBox() override;
  MtuFinderSeen FindMtu(const std::string& host, bool use) override;
  // QUARNEL_MTU_TARGET: the address tests/wine/mtu_path.sh puts behind a link of 1400.
  std::string MtuPathTarget() override;
  std::string Caption() override;
  std::string Text(int dialog, int id) override;
  bool Visible(int dialog, int id) override;
  bool Enabled(int dialog, int id) override;
  bool Checked(int dialog, int id) override;
  std::vector<ListItem> ListItems(int dialog, int id) override;
  int ListSelection(int dialog, int id) override;
  FocusedControl Focused() override;
  std::vector<SeenMessageBox> MessageBoxesSeen() override;
  bool Finished() override;
  Registry& registry() override { return registry_; }

  // Ends the case: the registry keys and the scratch folder the sessions used are cleared.
  void EndCase();

 private:
  bool Running() const;
  DWORD UiThread();
  HWND UiWindow();
  HWND FindFrame();
  // The frame's page made from `templateId`, or null.
  HWND Page(int templateId);
  HWND DialogWindow(int templateId);
  // Control `id` of `dialog`, or null.
  HWND Child(HWND dialog, int id);
  bool HasChildren(HWND dialog, const std::vector<int>& ids);
  int TemplateOf(HWND dialog);
  // The window of control `id` in dialog `dialog` (id 0: the dialog); reports a missing one.
  HWND Control(int dialog, int id, const char* action);
  FocusedControl Describe(HWND window);
  HWND FocusWindow();
  // False (nothing happens) for a control no user could reach: hidden, disabled, or behind a
  // modal window.
  bool Reachable(HWND control);

  // Brings the program back to the front when something else on the display took the
  // activation away (as a user clicking into its window would), so input reaches it.
  void EnsureActive();
  // Waits until the program has handled what was posted to it and stopped changing.
  void Settle();
  std::string Snapshot();
  std::vector<HWND> OpenMessageBoxes();
  // Records every open box and presses the queued answer; a box with no answer queued fails
  // the case and is closed with its first button. True when a box was open.
  bool HandleMessageBoxes();
  // Types the queued file name into the Save dialog the program opened and presses Save (or
  // Cancel for an empty name).
  void HandleSaveDialog();
  // Moves the focus as the dialog manager does; false when that did not end on `control` or
  // showed a message box (which then took the mouse: the press that follows is lost).
  bool MoveFocus(HWND control);
  // Ends the session: a box still open or an answer never used fails the case; a program still
  // running is killed.
  void EndSession();

  std::string programPath_;
  Win32Registry registry_;
  ScenarioMachine machine_;
  std::unique_ptr<proc::Launched> process_;
  HWND frame_ = nullptr;
  // Handles that stay the same while the program runs: the frame's pages by template, controls
  // by dialog and id. Finding one anew asks the other process about its windows one by one,
  // which would be most of what an observation costs.
  std::map<int, HWND> pages_;
  std::map<std::pair<HWND, int>, HWND> children_;
  std::deque<int> answers_;
  std::vector<SeenMessageBox> seen_;
  std::map<int, std::string> aboutTexts_;
  std::deque<std::string> saveAnswers_;
  std::vector<std::string> scratchFiles_;
};
