// The toolkit's event orders, pinned down once and checked on both backends: natively on the
// headless toolkit, under Wine on real dialogs. Where the two disagree the Wine run is the
// truth and the headless toolkit follows it.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include "contract/toolkit_backend.h"
#include "contract/toolkit_templates.h"

namespace {

std::string CodeName(int code) {
  switch (code) {
    case kBnClicked:
      return "click";
    case kEnSetFocus:
      return "setfocus";
    case kEnKillFocus:
      return "killfocus";
    case kEnChange:
      return "change";
    default:
      return std::string();
  }
}

using Sequence = std::vector<std::string>;

struct Log {
  Sequence events;
  void Add(const std::string& event) { events.push_back(event); }
  void Clear() { events.clear(); }
};

// Records what the backend tells it; commands end nothing unless asked to.
class TestDialog : public Dialog {
 public:
  TestDialog(Toolkit& toolkit, const char* name, Log& log)
      : Dialog(toolkit), name_(name), log_(log) {}

  bool focusOnInit = true;
  bool endOnOkCancel = false;
  std::function<void(int id, int code)> onCommand;
  // -1: the default handling; 0: not used, passed on; 1: used.
  std::function<int(const KeyEvent&)> onKey;
  std::function<bool(int id)> onSysCommand;

  bool OnInitDialog() override {
    log_.Add(name_ + " init");
    return focusOnInit;
  }
  void OnFirstShown() override {
    log_.Add(name_ + " first shown" + (toolkit().IsVisible(window()) ? " (visible)" : " (hidden)"));
  }
  void OnShowWindow(bool show) override {
    log_.Add(name_ + (show ? " show" : " hide") +
             (toolkit().IsVisible(window()) ? " (visible)" : " (hidden)"));
  }
  void OnCommand(int id, int code) override {
    std::string what = CodeName(code);
    if (what.empty()) return;  // EN_UPDATE and the like: not part of the contract
    log_.Add(name_ + " " + std::to_string(id) + " " + what);
    if (onCommand) onCommand(id, code);
    if (endOnOkCancel) Dialog::OnCommand(id, code);
  }
  bool OnSysCommand(int id) override {
    log_.Add(name_ + " syscommand " + std::to_string(id));
    return onSysCommand ? onSysCommand(id) : false;
  }
  bool PreTranslateKey(const KeyEvent& key) override {
    log_.Add(name_ + " key " + std::to_string(key.virtualKey) + (key.shift ? " shift" : ""));
    int verdict = onKey ? onKey(key) : -1;
    if (verdict >= 0) return verdict == 1;
    return Dialog::PreTranslateKey(key);
  }

 private:
  std::string name_;
  Log& log_;
};

class Fixture {
 public:
  Fixture()
      : backend(MakeToolkitBackend()),
        tk(backend->toolkit()),
        frame(tk, "frame", log),
        page(tk, "page", log),
        page2(tk, "page2", log),
        nested(tk, "nested", log) {
    std::string why;
    ok = backend->ready(&why);
    if (!ok) {
      ADD_FAILURE() << backend->Name() + " backend not ready: " + why;
    }
  }

  // Runs `body` inside the frame's modal loop; the frame's RunModal result.
  int Run(std::function<void()> body) {
    backend->QueueModalDriver(std::move(body));
    return tk.RunModal(frame, IDD_T_FRAME, 0);
  }
  WindowRef F(int id) { return tk.Item(frame.window(), id); }
  WindowRef P(int id) { return tk.Item(page.window(), id); }
  WindowRef MakePage(TestDialog& dialog) {
    dialog.focusOnInit = false;
    return tk.CreateChild(dialog, IDD_T_PAGE, frame.window());
  }
  // Where the keyboard focus is, as "dialog:id", "dialog" or "nowhere".
  std::string FocusName() {
    WindowRef focus = tk.Focus();
    if (focus == 0) return "nowhere";
    const std::pair<const char*, Dialog*> dialogs[] = {
        {"frame", &frame}, {"page", &page}, {"page2", &page2}, {"nested", &nested}};
    for (const auto& d : dialogs) {
      WindowRef w = d.second->window();
      if (w == 0) continue;
      if (focus == w) return d.first;
      int id = tk.ItemId(focus);
      if (tk.Item(w, id) == focus) return std::string(d.first) + ":" + std::to_string(id);
    }
    return "elsewhere";
  }

  std::unique_ptr<ToolkitBackend> backend;
  Toolkit& tk;
  Log log;
  TestDialog frame;
  TestDialog page;
  TestDialog page2;
  TestDialog nested;
  bool ok = false;
};

#define SETUP  \
  Fixture f;   \
  if (!f.ok) { \
    return;    \
  }

std::string Id(int id) { return std::to_string(id); }

// One expected event, listed as Wine's message-sequence tests list theirs: the dialog, the
// control (0: the dialog itself) and what happened to it.
struct Event {
  const char* dialog;
  int id;
  std::string what;
};

// Compares the events a log recorded with the expected ones in order and names the first that
// differs, or what is missing or left over.
void ExpectSequence(const Sequence& seen, const std::vector<Event>& expected) {
  std::size_t i = 0;
  for (; i < expected.size(); ++i) {
    const Event& e = expected[i];
    const std::string want =
        std::string(e.dialog) + (e.id != 0 ? " " + Id(e.id) : std::string()) + " " + e.what;
    if (i >= seen.size()) {
      ADD_FAILURE() << "event " << i << ": expected \"" << want << "\", the sequence ended";
      return;
    }
    if (seen[i] != want) {
      ADD_FAILURE() << "event " << i << ": expected \"" << want << "\", got \"" << seen[i] << '"';
      return;
    }
  }
  for (; i < seen.size(); ++i) {
    ADD_FAILURE() << "event " << i << " not expected: " << seen[i];
  }
}

// ---- creation and modal running ---------------------------------------------------------

TEST(ToolkitContract, ModalDialogComesUpInitialisedFocusedAndShown) {
  SETUP;
  Sequence atStart;
  std::string focus;
  bool visible = false;
  std::string caption;
  int result = f.Run([&] {
    atStart = f.log.events;
    focus = f.FocusName();
    visible = f.tk.IsVisible(f.frame.window());
    caption = f.tk.Text(f.frame.window());
    f.tk.EndDialog(f.frame.window(), 7);
  });
  EXPECT_EQ(result, 7);
  ExpectSequence(atStart, {{"frame", 0, "init"},
                           {"frame", IDC_T_NUMBER, "setfocus"},
                           {"frame", 0, "show (hidden)"},
                           {"frame", 0, "first shown (visible)"}});
  EXPECT_EQ(focus, "frame:" + Id(IDC_T_NUMBER));
  EXPECT_TRUE(visible);
  EXPECT_EQ(caption, "Toolkit Contract");
  EXPECT_EQ(f.frame.window(), WindowRef(0));  // let go of when the window went
}

TEST(ToolkitContract, InitReturningFalseGetsTheFocusWhenShown) {
  SETUP;
  f.frame.focusOnInit = false;
  Sequence atStart;
  f.Run([&] { atStart = f.log.events; });
  // Activation gives the focus to the dialog, which passes it to its first tab stop.
  ExpectSequence(atStart, {{"frame", 0, "init"},
                           {"frame", 0, "show (hidden)"},
                           {"frame", IDC_T_NUMBER, "setfocus"},
                           {"frame", 0, "first shown (visible)"}});
}

TEST(ToolkitContract, DriverThatDoesNotEndTheDialogEndsItWithCancel) {
  SETUP;
  EXPECT_EQ(f.Run([] {}), kIdCancelCommand);
}

TEST(ToolkitContract, EndDialogTakesTheFocusOffAnEditFirst) {
  SETUP;
  Sequence afterEnd;
  int result = f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.tk.EndDialog(f.frame.window(), 5);
    afterEnd = f.log.events;
  });
  EXPECT_EQ(result, 5);
  ExpectSequence(afterEnd, {{"frame", IDC_T_TEXT, "killfocus"}});
}

TEST(ToolkitContract, AHiddenChildDialogWhoseInitSaysSoTakesTheFocus) {
  SETUP;
  Sequence events;
  std::string focus;
  bool visible = true;
  f.Run([&] {
    f.log.Clear();
    WindowRef page = f.tk.CreateChild(f.page, IDD_T_PAGE, f.frame.window());
    events = f.log.events;
    focus = f.FocusName();
    visible = f.tk.IsVisible(page);
  });
  ExpectSequence(events, {{"page", 0, "init"}, {"frame", IDC_T_NUMBER, "killfocus"}});
  EXPECT_EQ(focus, "page:" + Id(IDC_T_RADIO1));
  EXPECT_FALSE(visible);
}

TEST(ToolkitContract, ItemOfAMissingIdIsZero) {
  SETUP;
  WindowRef missing = 1;
  WindowRef present = 0;
  int presentId = 0;
  f.Run([&] {
    missing = f.tk.Item(f.frame.window(), 4242);
    present = f.F(IDC_T_APPLY);
    presentId = f.tk.ItemId(present);
  });
  EXPECT_EQ(missing, WindowRef(0));
  EXPECT_NE(present, WindowRef(0));
  EXPECT_EQ(presentId, IDC_T_APPLY);
}

TEST(ToolkitContract, NestedModalDisablesItsOwnerAndGivesTheFocusBack) {
  SETUP;
  f.nested.endOnOkCancel = true;
  int nestedResult = 0;
  bool ownerEnabledInside = true;
  bool ownerEnabledAfter = false;
  std::string focusInside;
  std::string focusAfter;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.backend->QueueModalDriver([&] {
      ownerEnabledInside = f.tk.IsEnabled(f.frame.window());
      focusInside = f.FocusName();
      f.backend->Click(f.tk.Item(f.nested.window(), kIdOkCommand));
    });
    nestedResult = f.tk.RunModal(f.nested, IDD_T_NESTED, f.F(IDC_T_TEXT));
    ownerEnabledAfter = f.tk.IsEnabled(f.frame.window());
    focusAfter = f.FocusName();
    f.tk.EndDialog(f.frame.window(), 0);
  });
  EXPECT_EQ(nestedResult, kIdOkCommand);
  EXPECT_FALSE(ownerEnabledInside);
  EXPECT_TRUE(ownerEnabledAfter);
  EXPECT_EQ(focusInside, "nested:" + Id(kIdOkCommand));
  EXPECT_EQ(focusAfter, "frame:" + Id(IDC_T_TEXT));
}

// ---- show and hide ----------------------------------------------------------------------

TEST(ToolkitContract, ShowNotifiesSynchronouslyAndOnlyOnChange) {
  SETUP;
  std::vector<Sequence> steps;
  bool visibleAfterShow = false;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.log.Clear();
    f.tk.Show(page, true);
    steps.push_back(f.log.events);
    visibleAfterShow = f.tk.IsVisible(page);
    f.tk.Show(page, true);
    steps.push_back(f.log.events);
    f.tk.Show(page, false);
    steps.push_back(f.log.events);
    f.tk.Show(page, false);
    steps.push_back(f.log.events);
    // Controls are shown and hidden without any notification to their dialog.
    f.tk.Show(f.F(IDC_T_SPARE), false);
    f.tk.Show(f.F(IDC_T_SPARE), true);
    steps.push_back(f.log.events);
  });
  ASSERT_EQ(steps.size(), std::size_t(5));
  ExpectSequence(steps[0], {{"page", 0, "show (hidden)"}});
  EXPECT_TRUE(visibleAfterShow);
  ExpectSequence(steps[1], {{"page", 0, "show (hidden)"}});
  ExpectSequence(steps[2], {{"page", 0, "show (hidden)"}, {"page", 0, "hide (visible)"}});
  EXPECT_EQ(steps[3], steps[2]);
  EXPECT_EQ(steps[4], steps[2]);
}

TEST(ToolkitContract, HidingOnePageAndShowingAnotherKeepsThatOrder) {
  SETUP;
  Sequence events;
  f.Run([&] {
    WindowRef first = f.MakePage(f.page);
    WindowRef second = f.MakePage(f.page2);
    f.tk.Show(first, true);
    f.log.Clear();
    f.tk.Show(first, false);
    f.tk.Show(second, true);
    events = f.log.events;
  });
  ExpectSequence(events, {{"page", 0, "hide (visible)"}, {"page2", 0, "show (hidden)"}});
}

TEST(ToolkitContract, HidingTheFocusedControlHandsTheFocusToItsDialog) {
  SETUP;
  std::string focus;
  Sequence events;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_SPARE));
    f.log.Clear();
    f.tk.Show(f.F(IDC_T_SPARE), false);
    focus = f.FocusName();
    events = f.log.events;
  });
  EXPECT_EQ(focus, "frame:" + Id(IDC_T_NUMBER));
  ExpectSequence(events, {{"frame", IDC_T_NUMBER, "setfocus"}});
}

TEST(ToolkitContract, FocusGivenToADialogGoesToItsLastOrFirstControl) {
  SETUP;
  std::vector<std::string> focus;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetFocus(page);
    focus.push_back(f.FocusName());  // first tab stop
    f.tk.SetFocus(f.P(IDC_T_PAGE_EDIT2));
    f.tk.Show(page, false);  // remembers the edit, which keeps the focus while hidden
    focus.push_back(f.FocusName());
    f.tk.SetFocus(f.F(IDC_T_NUMBER));
    f.tk.Show(page, true);
    f.tk.SetFocus(page);  // back to the edit it remembered
    focus.push_back(f.FocusName());
  });
  EXPECT_EQ(focus, (Sequence{"page:" + Id(IDC_T_RADIO1), "page:" + Id(IDC_T_PAGE_EDIT2),
                             "page:" + Id(IDC_T_PAGE_EDIT2)}));
}

TEST(ToolkitContract, MoveToPlacesTheWindowInItsParentsClientArea) {
  SETUP;
  PixelRect page;
  PixelRect edit;
  int bx = 0;
  int by = 0;
  f.Run([&] {
    WindowRef p = f.MakePage(f.page);
    f.tk.MoveTo(p, 200, 11);
    page = f.backend->Rect(p);
    edit = f.backend->Rect(f.F(IDC_T_NUMBER));
    f.backend->BaseUnits(f.frame.window(), &bx, &by);
  });
  EXPECT_EQ(page.x, 200);
  EXPECT_EQ(page.y, 11);
  // Sizes and positions follow the dialog units of the template.
  auto px = [&](int dlu) { return (dlu * bx + 2) / 4; };
  auto py = [&](int dlu) { return (dlu * by + 4) / 8; };
  EXPECT_EQ(page.width, px(100));
  EXPECT_EQ(page.height, py(80));
  EXPECT_EQ(edit.x, px(10));
  EXPECT_EQ(edit.y, py(10));
  EXPECT_EQ(edit.width, px(50));
  EXPECT_EQ(edit.height, py(13));
  std::printf("  [%s] dialog base units %d x %d\n", f.backend->Name().c_str(), bx, by);
}

// ---- text, checks, focus notifications --------------------------------------------------

TEST(ToolkitContract, SetTextOnAnEditNotifiesEachTime) {
  SETUP;
  std::vector<Sequence> steps;
  std::string text;
  std::string caption;
  std::string lettersInDigitsField;
  f.Run([&] {
    f.log.Clear();
    f.tk.SetText(f.F(IDC_T_NUMBER), "42");
    steps.push_back(f.log.events);
    text = f.tk.Text(f.F(IDC_T_NUMBER));
    f.log.Clear();
    f.tk.SetText(f.F(IDC_T_NUMBER), "42");  // the same text again
    steps.push_back(f.log.events);
    f.log.Clear();
    f.tk.SetText(f.F(IDC_T_APPLY), "Go");
    f.tk.SetText(f.frame.window(), "Other caption");
    steps.push_back(f.log.events);
    caption = f.tk.Text(f.frame.window());
    f.tk.SetText(f.F(IDC_T_NUMBER), "ab");  // only typing is held to digits
    lettersInDigitsField = f.tk.Text(f.F(IDC_T_NUMBER));
  });
  ASSERT_EQ(steps.size(), std::size_t(3));
  ExpectSequence(steps[0], {{"frame", IDC_T_NUMBER, "change"}});
  EXPECT_EQ(text, "42");
  ExpectSequence(steps[1], {{"frame", IDC_T_NUMBER, "change"}});
  ExpectSequence(steps[2], {});
  EXPECT_EQ(caption, "Other caption");
  EXPECT_EQ(lettersInDigitsField, "ab");
}

TEST(ToolkitContract, FocusMovesBeforeTheOldEditHearsItLostIt) {
  SETUP;
  Sequence events;
  std::string focusInHandler;
  f.frame.onCommand = [&](int id, int code) {
    if (id == IDC_T_NUMBER && code == kEnKillFocus) focusInHandler = f.FocusName();
  };
  f.Run([&] {
    f.log.Clear();
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.tk.SetFocus(f.F(IDC_T_APPLY));
    events = f.log.events;
  });
  ExpectSequence(events, {{"frame", IDC_T_NUMBER, "killfocus"},
                          {"frame", IDC_T_TEXT, "setfocus"},
                          {"frame", IDC_T_TEXT, "killfocus"}});
  EXPECT_EQ(focusInHandler, "frame:" + Id(IDC_T_TEXT));
}

TEST(ToolkitContract, SetCheckDoesNotNotify) {
  SETUP;
  bool checked = false;
  bool unchecked = true;
  Sequence events;
  f.Run([&] {
    f.log.Clear();
    f.tk.SetCheck(f.F(IDC_T_CHECK), true);
    checked = f.tk.IsChecked(f.F(IDC_T_CHECK));
    f.tk.SetCheck(f.F(IDC_T_CHECK), false);
    unchecked = f.tk.IsChecked(f.F(IDC_T_CHECK));
    events = f.log.events;
  });
  EXPECT_TRUE(checked);
  EXPECT_FALSE(unchecked);
  ExpectSequence(events, {});
}

TEST(ToolkitContract, ResourceStringsLongAndMissing) {
  SETUP;
  EXPECT_EQ(f.tk.LoadResourceString(IDS_T_HELLO), "Hello, \"world\"");
  std::string longText = f.tk.LoadResourceString(IDS_T_LONG);
  EXPECT_EQ(longText.size(), std::size_t(290));
  EXPECT_EQ(longText.substr(280), "0123456789");
  EXPECT_EQ(f.tk.LoadResourceString(4321), "");
}

// ---- the mouse --------------------------------------------------------------------------

TEST(ToolkitContract, ClickMovesTheFocusBeforeTheButtonIsPressed) {
  SETUP;
  Sequence events;
  std::string focus;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_APPLY));
    events = f.log.events;
    focus = f.FocusName();
  });
  ExpectSequence(events, {{"frame", IDC_T_TEXT, "killfocus"}, {"frame", IDC_T_APPLY, "click"}});
  EXPECT_EQ(focus, "frame:" + Id(IDC_T_APPLY));
}

TEST(ToolkitContract, ClickStillHappensWhenTheFocusWasTakenBackQuietly) {
  SETUP;
  f.frame.onCommand = [&](int id, int code) {
    if (id == IDC_T_TEXT && code == kEnKillFocus) f.tk.SetFocus(f.F(IDC_T_TEXT));
  };
  Sequence events;
  std::string focus;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_APPLY));
    events = f.log.events;
    focus = f.FocusName();
  });
  ExpectSequence(events, {{"frame", IDC_T_TEXT, "killfocus"},
                          {"frame", IDC_T_TEXT, "setfocus"},
                          {"frame", IDC_T_APPLY, "click"}});
  EXPECT_EQ(focus, "frame:" + Id(IDC_T_TEXT));
}

TEST(ToolkitContract, MessageBoxDuringTheFocusMoveSwallowsTheClick) {
  SETUP;
  f.frame.onCommand = [&](int id, int code) {
    if (id == IDC_T_TEXT && code == kEnKillFocus) {
      f.backend->messageBoxes().Show(f.frame.window(), "Out of range", "Contract",
                                     kMbOk | kMbIconInformation);
    }
  };
  Sequence events;
  std::vector<std::string> boxes;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_APPLY));
    events = f.log.events;
    boxes = f.backend->MessageBoxTexts();
  });
  ExpectSequence(events, {{"frame", IDC_T_TEXT, "killfocus"}});
  ASSERT_EQ(boxes.size(), std::size_t(1));
  EXPECT_EQ(boxes[0], "Out of range");
}

// An Alt letter is a BM_CLICK: the press is not lost with the mouse button's release.
TEST(ToolkitContract, MessageBoxDuringAMnemonicsFocusMoveKeepsThePress) {
  SETUP;
  f.frame.onCommand = [&](int id, int code) {
    if (id == IDC_T_TEXT && code == kEnKillFocus) {
      f.backend->messageBoxes().Show(f.frame.window(), "Out of range", "Contract", kMbOk);
    }
  };
  Sequence events;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->Mnemonic('a');
    events = f.log.events;
  });
  ExpectSequence(events, {{"frame", IDC_T_TEXT, "killfocus"}, {"frame", IDC_T_APPLY, "click"}});
}

TEST(ToolkitContract, DisabledHiddenAndStaticControlsIgnoreClicks) {
  SETUP;
  Sequence events;
  std::string focus;
  f.Run([&] {
    f.tk.Show(f.F(IDC_T_SPARE), false);
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_DISABLED));
    f.backend->Click(f.F(IDC_T_SPARE));
    f.backend->Click(f.F(IDC_T_LABEL));
    events = f.log.events;
    focus = f.FocusName();
  });
  ExpectSequence(events, {});
  EXPECT_EQ(focus, "frame:" + Id(IDC_T_NUMBER));
}

TEST(ToolkitContract, AutoCheckBoxToggles) {
  SETUP;
  std::vector<bool> states;
  Sequence events;
  f.Run([&] {
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_CHECK));
    states.push_back(f.tk.IsChecked(f.F(IDC_T_CHECK)));
    f.backend->Click(f.F(IDC_T_CHECK));
    states.push_back(f.tk.IsChecked(f.F(IDC_T_CHECK)));
    events = f.log.events;
  });
  ASSERT_EQ(states.size(), std::size_t(2));
  EXPECT_TRUE(states[0]);
  EXPECT_FALSE(states[1]);
  ExpectSequence(events, {{"frame", IDC_T_NUMBER, "killfocus"},
                          {"frame", IDC_T_CHECK, "click"},
                          {"frame", IDC_T_CHECK, "click"}});
}

TEST(ToolkitContract, AutoRadioButtonChecksItselfAndUnchecksItsGroup) {
  SETUP;
  std::vector<bool> checks;
  Sequence events;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetCheck(f.P(IDC_T_RADIO1), true);
    f.log.Clear();
    f.backend->Click(f.P(IDC_T_RADIO3));
    for (int id : {IDC_T_RADIO1, IDC_T_RADIO2, IDC_T_RADIO3}) {
      checks.push_back(f.tk.IsChecked(f.P(id)));
    }
    events = f.log.events;
  });
  ASSERT_EQ(checks.size(), std::size_t(3));
  EXPECT_FALSE(checks[0]);
  EXPECT_FALSE(checks[1]);
  EXPECT_TRUE(checks[2]);
  ExpectSequence(events, {{"frame", IDC_T_NUMBER, "killfocus"}, {"page", IDC_T_RADIO3, "click"}});
}

// ---- typing -----------------------------------------------------------------------------

TEST(ToolkitContract, TypingIntoADigitsOnlyFieldRefusesLetters) {
  SETUP;
  std::string text;
  Sequence events;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_NUMBER));
    f.log.Clear();
    f.backend->Type(f.F(IDC_T_NUMBER), "4x2");
    text = f.tk.Text(f.F(IDC_T_NUMBER));
    events = f.log.events;
  });
  EXPECT_EQ(text, "42");
  ExpectSequence(events, {{"frame", IDC_T_NUMBER, "change"}, {"frame", IDC_T_NUMBER, "change"}});
}

TEST(ToolkitContract, SelectAllThenTypingReplacesAndBackspaceDeletes) {
  SETUP;
  std::vector<std::string> texts;
  f.Run([&] {
    WindowRef edit = f.F(IDC_T_TEXT);
    f.tk.SetText(edit, "12345");
    f.tk.SetFocus(edit);
    f.tk.SelectAllText(edit);
    f.backend->Type(edit, "9");
    texts.push_back(f.tk.Text(edit));
    f.backend->Type(edit, "8\b\b");
    texts.push_back(f.tk.Text(edit));
    f.backend->Type(edit, "\b");  // nothing left to delete: no change
  });
  ASSERT_EQ(texts.size(), std::size_t(2));
  EXPECT_EQ(texts[0], "9");
  EXPECT_EQ(texts[1], "");
}

// ---- the keyboard -----------------------------------------------------------------------

TEST(ToolkitContract, TabVisitsUsableTabStopsInOrderAndWraps) {
  SETUP;
  std::vector<std::string> forward;
  std::vector<std::string> backward;
  f.Run([&] {
    f.tk.Show(f.F(IDC_T_SPARE), false);
    for (int i = 0; i < 7; ++i) {
      f.backend->Key(kVkTab);
      forward.push_back(f.FocusName());
    }
    for (int i = 0; i < 2; ++i) {
      f.backend->Key(kVkTab, true);
      backward.push_back(f.FocusName());
    }
  });
  const std::vector<std::string> expected = {
      "frame:" + Id(IDC_T_TEXT), "frame:" + Id(IDC_T_APPLY),      "frame:" + Id(IDC_T_CHECK),
      "frame:" + Id(IDC_T_NEXT), "frame:" + Id(kIdCancelCommand), "frame:" + Id(IDC_T_NUMBER),
      "frame:" + Id(IDC_T_TEXT)};
  EXPECT_EQ(forward, expected);
  EXPECT_EQ(backward, (Sequence{"frame:" + Id(IDC_T_NUMBER), "frame:" + Id(kIdCancelCommand)}));
}

TEST(ToolkitContract, TabSelectsTheWholeTextOfTheEditItReaches) {
  SETUP;
  std::string typed;
  f.Run([&] {
    f.tk.SetText(f.F(IDC_T_TEXT), "old");
    f.backend->Key(kVkTab);
    f.backend->Type(f.F(IDC_T_TEXT), "n");
    typed = f.tk.Text(f.F(IDC_T_TEXT));
  });
  EXPECT_EQ(typed, "n");
}

TEST(ToolkitContract, OnlyTheCheckedRadioButtonOfAGroupIsATabStop) {
  SETUP;
  std::vector<std::string> focus;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetCheck(f.P(IDC_T_RADIO1), true);
    f.backend->Click(f.P(IDC_T_RADIO2));  // unchecks the others: they stop being tab stops
    f.backend->Key(kVkTab);
    focus.push_back(f.FocusName());
    f.backend->Key(kVkTab);
    focus.push_back(f.FocusName());
    f.backend->Key(kVkTab);
    focus.push_back(f.FocusName());
  });
  EXPECT_EQ(focus, (Sequence{"page:" + Id(IDC_T_PAGE_EDIT), "page:" + Id(IDC_T_PAGE_EDIT2),
                             "page:" + Id(IDC_T_RADIO2)}));
}

TEST(ToolkitContract, ArrowsMoveThroughARadioGroupCheckingAsTheyGo) {
  SETUP;
  Sequence events;
  std::string focus;
  bool second = false;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetCheck(f.P(IDC_T_RADIO1), true);
    f.tk.SetFocus(f.P(IDC_T_RADIO1));
    f.log.Clear();
    f.backend->Key(kVkDown);
    focus = f.FocusName();
    second = f.tk.IsChecked(f.P(IDC_T_RADIO2));
    events = f.log.events;
  });
  EXPECT_EQ(focus, "page:" + Id(IDC_T_RADIO2));
  EXPECT_TRUE(second);
  ExpectSequence(events,
                 {{"page", 0, std::string("key ") + Id(kVkDown)}, {"page", IDC_T_RADIO2, "click"}});
}

TEST(ToolkitContract, EnterClicksTheDefaultButtonAndEscIsCancel) {
  SETUP;
  Sequence events;
  f.Run([&] {
    f.log.Clear();
    f.backend->Key(kVkReturn);
    f.backend->Key(kVkEscape);
    events = f.log.events;
  });
  ExpectSequence(events, {{"frame", 0, "key 13"},
                          {"frame", IDC_T_NEXT, "click"},
                          {"frame", 0, "key 27"},
                          {"frame", kIdCancelCommand, "click"}});
}

TEST(ToolkitContract, EnterOnAPushButtonTabbedToClicksThatButton) {
  SETUP;
  Sequence onApply;
  Sequence afterIt;
  f.Run([&] {
    f.backend->Key(kVkTab);
    f.backend->Key(kVkTab);  // Apply
    f.log.Clear();
    f.backend->Key(kVkReturn);
    onApply = f.log.events;
    f.backend->Key(kVkTab);  // the check box: Next is the default again
    f.log.Clear();
    f.backend->Key(kVkReturn);
    afterIt = f.log.events;
  });
  ExpectSequence(onApply, {{"frame", 0, "key 13"}, {"frame", IDC_T_APPLY, "click"}});
  ExpectSequence(afterIt, {{"frame", 0, "key 13"}, {"frame", IDC_T_NEXT, "click"}});
}

TEST(ToolkitContract, EnterAfterAMouseClickOnAPushButton) {
  SETUP;
  Sequence events;
  f.Run([&] {
    f.backend->Click(f.F(IDC_T_SPARE));
    f.log.Clear();
    f.backend->Key(kVkReturn);
    events = f.log.events;
  });
  // A click gives the focus but does not make the button the default one.
  ExpectSequence(events, {{"frame", 0, "key 13"}, {"frame", IDC_T_NEXT, "click"}});
}

TEST(ToolkitContract, EnterDoesNothingWhileTheDefaultButtonIsDisabled) {
  SETUP;
  Sequence events;
  f.Run([&] {
    f.tk.Enable(f.F(IDC_T_NEXT), false);
    f.log.Clear();
    f.backend->Key(kVkReturn);
    events = f.log.events;
  });
  ExpectSequence(events, {{"frame", 0, "key 13"}});
}

TEST(ToolkitContract, EnterInAChildDialogWithoutDefaultButtonIsItsOkCommand) {
  SETUP;
  Sequence events;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetFocus(f.P(IDC_T_PAGE_EDIT));
    f.log.Clear();
    f.backend->Key(kVkReturn);
    f.backend->Key(kVkEscape);
    events = f.log.events;
  });
  // The child dialog uses the keys itself; the frame never sees them.
  ExpectSequence(
      events,
      {{"page", 0, "key 13"}, {"page", 1, "click"}, {"page", 0, "key 27"}, {"page", 2, "click"}});
}

TEST(ToolkitContract, KeysGoFromTheFocusedDialogUpToTheTopLevelOne) {
  SETUP;
  Sequence events;
  std::string focus;
  // The child passes Tab on without its own handling after moving the focus to the frame.
  f.page.onKey = [&](const KeyEvent& key) {
    if (key.virtualKey != kVkTab) return -1;
    f.tk.SetFocus(f.frame.window());
    return 0;
  };
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetFocus(f.P(IDC_T_PAGE_EDIT2));
    f.log.Clear();
    f.backend->Key(kVkTab);
    events = f.log.events;
    focus = f.FocusName();
  });
  ExpectSequence(events, {{"page", 0, "key 9"},
                          {"page", IDC_T_PAGE_EDIT2, "killfocus"},
                          {"frame", IDC_T_NUMBER, "setfocus"},
                          {"frame", 0, "key 9"},
                          {"frame", IDC_T_NUMBER, "killfocus"},
                          {"frame", IDC_T_TEXT, "setfocus"}});
  EXPECT_EQ(focus, "frame:" + Id(IDC_T_TEXT));
}

TEST(ToolkitContract, ADialogThatTakesAKeyKeepsItFromItsParent) {
  SETUP;
  Sequence events;
  f.page.onKey = [](const KeyEvent&) { return 1; };
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetFocus(f.P(IDC_T_PAGE_EDIT));
    f.log.Clear();
    f.backend->Key(kVkReturn);
    events = f.log.events;
  });
  ExpectSequence(events, {{"page", 0, "key 13"}});
}

TEST(ToolkitContract, MnemonicsReachTheWholeWindowFromAChildDialog) {
  SETUP;
  Sequence events;
  std::string focus;
  bool second = false;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetFocus(f.P(IDC_T_PAGE_EDIT));
    f.log.Clear();
    f.backend->Mnemonic('a');  // "&Apply" in the frame
    f.backend->Mnemonic('E');  // "S&econd" in the child dialog
    second = f.tk.IsChecked(f.P(IDC_T_RADIO2));
    f.backend->Mnemonic('q');  // nobody's
    events = f.log.events;
    focus = f.FocusName();
  });
  ExpectSequence(events, {{"page", IDC_T_PAGE_EDIT, "killfocus"},
                          {"frame", IDC_T_APPLY, "click"},
                          {"page", IDC_T_RADIO2, "click"}});
  EXPECT_TRUE(second);
  EXPECT_EQ(focus, "page:" + Id(IDC_T_RADIO2));
}

// ---- system menu and close box ----------------------------------------------------------

TEST(ToolkitContract, CloseBoxIsTheCancelCommand) {
  SETUP;
  Sequence events;
  f.frame.onSysCommand = [](int id) { return id == 0x10; };
  f.Run([&] {
    f.tk.AppendSystemMenuItem(f.frame.window(), 0x10, "&About");
    f.log.Clear();
    f.backend->SystemCommand(f.frame.window(), 0x10);
    f.backend->SystemCommand(f.frame.window(), kScClose);
    events = f.log.events;
  });
  ExpectSequence(events, {{"frame", 0, "syscommand 16"},
                          {"frame", 0, std::string("syscommand ") + Id(kScClose)},
                          {"frame", 2, "click"}});
}

// ---- message boxes ----------------------------------------------------------------------

TEST(ToolkitContract, MessageBoxTakesTheFocusAndGivesItBack) {
  SETUP;
  int answer = 0;
  Sequence events;
  std::string focus;
  std::vector<std::string> boxes;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->QueueMessageBoxAnswer(kIdNo);
    answer = f.backend->messageBoxes().Show(f.frame.window(), "Proceed?", "Contract",
                                            kMbYesNo | kMbIconQuestion);
    events = f.log.events;
    focus = f.FocusName();
    boxes = f.backend->MessageBoxTexts();
  });
  EXPECT_EQ(answer, kIdNo);
  ExpectSequence(events, {{"frame", IDC_T_TEXT, "killfocus"}, {"frame", IDC_T_TEXT, "setfocus"}});
  EXPECT_EQ(focus, "frame:" + Id(IDC_T_TEXT));
  ASSERT_EQ(boxes.size(), std::size_t(1));
  EXPECT_EQ(boxes[0], "Proceed?");
}

TEST(ToolkitContract, UnansweredMessageBoxTakesItsFirstButton) {
  SETUP;
  int ok = 0;
  int yes = 0;
  f.Run([&] {
    ok = f.backend->messageBoxes().Show(f.frame.window(), "Done", nullptr, kMbOk);
    yes = f.backend->messageBoxes().Show(f.frame.window(), "Sure?", "Contract", kMbYesNo);
  });
  EXPECT_EQ(ok, kIdOk);
  EXPECT_EQ(yes, kIdYes);
}

}  // namespace
