// The toolkit's event orders, pinned down once and checked on both backends: natively on the
// headless toolkit, under Wine on real dialogs. Where the two disagree the Wine run is the
// truth and the headless toolkit follows it.
#include <functional>
#include <string>
#include <vector>

#include "support/check.h"
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

struct Log {
  std::vector<std::string> events;
  void Add(const std::string& event) { events.push_back(event); }
  void Clear() { events.clear(); }
  std::string Text() const {
    std::string text;
    for (const std::string& e : events) text += (text.empty() ? "" : "; ") + e;
    return text;
  }
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
    if (!ok) check::Fail(__FILE__, __LINE__, backend->Name() + " backend not ready: " + why);
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

// ---- creation and modal running ---------------------------------------------------------

TEST(ToolkitContract, ModalDialogComesUpInitialisedFocusedAndShown) {
  SETUP;
  std::string atStart;
  std::string focus;
  bool visible = false;
  std::string caption;
  int result = f.Run([&] {
    atStart = f.log.Text();
    focus = f.FocusName();
    visible = f.tk.IsVisible(f.frame.window());
    caption = f.tk.Text(f.frame.window());
    f.tk.EndDialog(f.frame.window(), 7);
  });
  CHECK_EQ(result, 7);
  CHECK_EQ(atStart, "frame init; frame " + Id(IDC_T_NUMBER) + " setfocus; frame show (hidden)");
  CHECK_EQ(focus, "frame:" + Id(IDC_T_NUMBER));
  CHECK(visible);
  CHECK_EQ(caption, "Toolkit Contract");
  CHECK_EQ(f.frame.window(), WindowRef(0));  // let go of when the window went
}

TEST(ToolkitContract, InitReturningFalseGetsTheFocusWhenShown) {
  SETUP;
  f.frame.focusOnInit = false;
  std::string atStart;
  f.Run([&] { atStart = f.log.Text(); });
  // Activation gives the focus to the dialog, which passes it to its first tab stop.
  CHECK_EQ(atStart, "frame init; frame show (hidden); frame " + Id(IDC_T_NUMBER) + " setfocus");
}

TEST(ToolkitContract, DriverThatDoesNotEndTheDialogEndsItWithCancel) {
  SETUP;
  CHECK_EQ(f.Run([] {}), kIdCancelCommand);
}

TEST(ToolkitContract, EndDialogTakesTheFocusOffAnEditFirst) {
  SETUP;
  std::string afterEnd;
  int result = f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.tk.EndDialog(f.frame.window(), 5);
    afterEnd = f.log.Text();
  });
  CHECK_EQ(result, 5);
  CHECK_EQ(afterEnd, "frame " + Id(IDC_T_TEXT) + " killfocus");
}

TEST(ToolkitContract, AHiddenChildDialogWhoseInitSaysSoTakesTheFocus) {
  SETUP;
  std::string events;
  std::string focus;
  bool visible = true;
  f.Run([&] {
    f.log.Clear();
    WindowRef page = f.tk.CreateChild(f.page, IDD_T_PAGE, f.frame.window());
    events = f.log.Text();
    focus = f.FocusName();
    visible = f.tk.IsVisible(page);
  });
  CHECK_EQ(events, "page init; frame " + Id(IDC_T_NUMBER) + " killfocus");
  CHECK_EQ(focus, "page:" + Id(IDC_T_RADIO1));
  CHECK(!visible);
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
  CHECK_EQ(missing, WindowRef(0));
  CHECK_NE(present, WindowRef(0));
  CHECK_EQ(presentId, IDC_T_APPLY);
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
  CHECK_EQ(nestedResult, kIdOkCommand);
  CHECK(!ownerEnabledInside);
  CHECK(ownerEnabledAfter);
  CHECK_EQ(focusInside, "nested:" + Id(kIdOkCommand));
  CHECK_EQ(focusAfter, "frame:" + Id(IDC_T_TEXT));
}

// ---- show and hide ----------------------------------------------------------------------

TEST(ToolkitContract, ShowNotifiesSynchronouslyAndOnlyOnChange) {
  SETUP;
  std::vector<std::string> steps;
  bool visibleAfterShow = false;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.log.Clear();
    f.tk.Show(page, true);
    steps.push_back(f.log.Text());
    visibleAfterShow = f.tk.IsVisible(page);
    f.tk.Show(page, true);
    steps.push_back(f.log.Text());
    f.tk.Show(page, false);
    steps.push_back(f.log.Text());
    f.tk.Show(page, false);
    steps.push_back(f.log.Text());
    // Controls are shown and hidden without any notification to their dialog.
    f.tk.Show(f.F(IDC_T_SPARE), false);
    f.tk.Show(f.F(IDC_T_SPARE), true);
    steps.push_back(f.log.Text());
  });
  REQUIRE_EQ(steps.size(), std::size_t(5));
  CHECK_EQ(steps[0], "page show (hidden)");
  CHECK(visibleAfterShow);
  CHECK_EQ(steps[1], "page show (hidden)");
  CHECK_EQ(steps[2], "page show (hidden); page hide (visible)");
  CHECK_EQ(steps[3], steps[2]);
  CHECK_EQ(steps[4], steps[2]);
}

TEST(ToolkitContract, HidingOnePageAndShowingAnotherKeepsThatOrder) {
  SETUP;
  std::string events;
  f.Run([&] {
    WindowRef first = f.MakePage(f.page);
    WindowRef second = f.MakePage(f.page2);
    f.tk.Show(first, true);
    f.log.Clear();
    f.tk.Show(first, false);
    f.tk.Show(second, true);
    events = f.log.Text();
  });
  CHECK_EQ(events, "page hide (visible); page2 show (hidden)");
}

TEST(ToolkitContract, HidingTheFocusedControlHandsTheFocusToItsDialog) {
  SETUP;
  std::string focus;
  std::string events;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_SPARE));
    f.log.Clear();
    f.tk.Show(f.F(IDC_T_SPARE), false);
    focus = f.FocusName();
    events = f.log.Text();
  });
  CHECK_EQ(focus, "frame:" + Id(IDC_T_NUMBER));
  CHECK_EQ(events, "frame " + Id(IDC_T_NUMBER) + " setfocus");
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
  REQUIRE_EQ(focus.size(), std::size_t(3));
  CHECK_EQ(focus[0], "page:" + Id(IDC_T_RADIO1));
  CHECK_EQ(focus[1], "page:" + Id(IDC_T_PAGE_EDIT2));
  CHECK_EQ(focus[2], "page:" + Id(IDC_T_PAGE_EDIT2));
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
  CHECK_EQ(page.x, 200);
  CHECK_EQ(page.y, 11);
  // Sizes and positions follow the dialog units of the template.
  auto px = [&](int dlu) { return (dlu * bx + 2) / 4; };
  auto py = [&](int dlu) { return (dlu * by + 4) / 8; };
  CHECK_EQ(page.width, px(100));
  CHECK_EQ(page.height, py(80));
  CHECK_EQ(edit.x, px(10));
  CHECK_EQ(edit.y, py(10));
  CHECK_EQ(edit.width, px(50));
  CHECK_EQ(edit.height, py(13));
  std::printf("  [%s] dialog base units %d x %d\n", f.backend->Name().c_str(), bx, by);
}

// ---- text, checks, focus notifications --------------------------------------------------

TEST(ToolkitContract, SetTextOnAnEditNotifiesEachTime) {
  SETUP;
  std::vector<std::string> steps;
  std::string text;
  std::string caption;
  std::string lettersInDigitsField;
  f.Run([&] {
    f.log.Clear();
    f.tk.SetText(f.F(IDC_T_NUMBER), "42");
    steps.push_back(f.log.Text());
    text = f.tk.Text(f.F(IDC_T_NUMBER));
    f.log.Clear();
    f.tk.SetText(f.F(IDC_T_NUMBER), "42");  // the same text again
    steps.push_back(f.log.Text());
    f.log.Clear();
    f.tk.SetText(f.F(IDC_T_APPLY), "Go");
    f.tk.SetText(f.frame.window(), "Other caption");
    steps.push_back(f.log.Text());
    caption = f.tk.Text(f.frame.window());
    f.tk.SetText(f.F(IDC_T_NUMBER), "ab");  // only typing is held to digits
    lettersInDigitsField = f.tk.Text(f.F(IDC_T_NUMBER));
  });
  REQUIRE_EQ(steps.size(), std::size_t(3));
  CHECK_EQ(steps[0], "frame " + Id(IDC_T_NUMBER) + " change");
  CHECK_EQ(text, "42");
  CHECK_EQ(steps[1], "frame " + Id(IDC_T_NUMBER) + " change");
  CHECK_EQ(steps[2], "");
  CHECK_EQ(caption, "Other caption");
  CHECK_EQ(lettersInDigitsField, "ab");
}

TEST(ToolkitContract, FocusMovesBeforeTheOldEditHearsItLostIt) {
  SETUP;
  std::string events;
  std::string focusInHandler;
  f.frame.onCommand = [&](int id, int code) {
    if (id == IDC_T_NUMBER && code == kEnKillFocus) focusInHandler = f.FocusName();
  };
  f.Run([&] {
    f.log.Clear();
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.tk.SetFocus(f.F(IDC_T_APPLY));
    events = f.log.Text();
  });
  CHECK_EQ(events, "frame " + Id(IDC_T_NUMBER) + " killfocus; frame " + Id(IDC_T_TEXT) +
                       " setfocus; frame " + Id(IDC_T_TEXT) + " killfocus");
  CHECK_EQ(focusInHandler, "frame:" + Id(IDC_T_TEXT));
}

TEST(ToolkitContract, SetCheckDoesNotNotify) {
  SETUP;
  bool checked = false;
  bool unchecked = true;
  std::string events;
  f.Run([&] {
    f.log.Clear();
    f.tk.SetCheck(f.F(IDC_T_CHECK), true);
    checked = f.tk.IsChecked(f.F(IDC_T_CHECK));
    f.tk.SetCheck(f.F(IDC_T_CHECK), false);
    unchecked = f.tk.IsChecked(f.F(IDC_T_CHECK));
    events = f.log.Text();
  });
  CHECK(checked);
  CHECK(!unchecked);
  CHECK_EQ(events, "");
}

TEST(ToolkitContract, ResourceStringsLongAndMissing) {
  SETUP;
  CHECK_EQ(f.tk.LoadResourceString(IDS_T_HELLO), "Hello, \"world\"");
  std::string longText = f.tk.LoadResourceString(IDS_T_LONG);
  CHECK_EQ(longText.size(), std::size_t(290));
  CHECK_EQ(longText.substr(280), "0123456789");
  CHECK_EQ(f.tk.LoadResourceString(4321), "");
}

// ---- the mouse --------------------------------------------------------------------------

TEST(ToolkitContract, ClickMovesTheFocusBeforeTheButtonIsPressed) {
  SETUP;
  std::string events;
  std::string focus;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_APPLY));
    events = f.log.Text();
    focus = f.FocusName();
  });
  CHECK_EQ(events, "frame " + Id(IDC_T_TEXT) + " killfocus; frame " + Id(IDC_T_APPLY) + " click");
  CHECK_EQ(focus, "frame:" + Id(IDC_T_APPLY));
}

TEST(ToolkitContract, ClickStillHappensWhenTheFocusWasTakenBackQuietly) {
  SETUP;
  f.frame.onCommand = [&](int id, int code) {
    if (id == IDC_T_TEXT && code == kEnKillFocus) f.tk.SetFocus(f.F(IDC_T_TEXT));
  };
  std::string events;
  std::string focus;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_APPLY));
    events = f.log.Text();
    focus = f.FocusName();
  });
  CHECK_EQ(events, "frame " + Id(IDC_T_TEXT) + " killfocus; frame " + Id(IDC_T_TEXT) +
                       " setfocus; frame " + Id(IDC_T_APPLY) + " click");
  CHECK_EQ(focus, "frame:" + Id(IDC_T_TEXT));
}

TEST(ToolkitContract, MessageBoxDuringTheFocusMoveSwallowsTheClick) {
  SETUP;
  f.frame.onCommand = [&](int id, int code) {
    if (id == IDC_T_TEXT && code == kEnKillFocus) {
      f.backend->messageBoxes().Show(f.frame.window(), "Out of range", "Contract",
                                     kMbOk | kMbIconInformation);
    }
  };
  std::string events;
  std::vector<std::string> boxes;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_APPLY));
    events = f.log.Text();
    boxes = f.backend->MessageBoxTexts();
  });
  CHECK_EQ(events, "frame " + Id(IDC_T_TEXT) + " killfocus");
  REQUIRE_EQ(boxes.size(), std::size_t(1));
  CHECK_EQ(boxes[0], "Out of range");
}

// An Alt letter is a BM_CLICK: the press is not lost with the mouse button's release.
TEST(ToolkitContract, MessageBoxDuringAMnemonicsFocusMoveKeepsThePress) {
  SETUP;
  f.frame.onCommand = [&](int id, int code) {
    if (id == IDC_T_TEXT && code == kEnKillFocus) {
      f.backend->messageBoxes().Show(f.frame.window(), "Out of range", "Contract", kMbOk);
    }
  };
  std::string events;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->Mnemonic('a');
    events = f.log.Text();
  });
  CHECK_EQ(events, "frame " + Id(IDC_T_TEXT) + " killfocus; frame " + Id(IDC_T_APPLY) + " click");
}

TEST(ToolkitContract, DisabledHiddenAndStaticControlsIgnoreClicks) {
  SETUP;
  std::string events;
  std::string focus;
  f.Run([&] {
    f.tk.Show(f.F(IDC_T_SPARE), false);
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_DISABLED));
    f.backend->Click(f.F(IDC_T_SPARE));
    f.backend->Click(f.F(IDC_T_LABEL));
    events = f.log.Text();
    focus = f.FocusName();
  });
  CHECK_EQ(events, "");
  CHECK_EQ(focus, "frame:" + Id(IDC_T_NUMBER));
}

TEST(ToolkitContract, AutoCheckBoxToggles) {
  SETUP;
  std::vector<bool> states;
  std::string events;
  f.Run([&] {
    f.log.Clear();
    f.backend->Click(f.F(IDC_T_CHECK));
    states.push_back(f.tk.IsChecked(f.F(IDC_T_CHECK)));
    f.backend->Click(f.F(IDC_T_CHECK));
    states.push_back(f.tk.IsChecked(f.F(IDC_T_CHECK)));
    events = f.log.Text();
  });
  REQUIRE_EQ(states.size(), std::size_t(2));
  CHECK(states[0]);
  CHECK(!states[1]);
  CHECK_EQ(events, "frame " + Id(IDC_T_NUMBER) + " killfocus; frame " + Id(IDC_T_CHECK) +
                       " click; frame " + Id(IDC_T_CHECK) + " click");
}

TEST(ToolkitContract, AutoRadioButtonChecksItselfAndUnchecksItsGroup) {
  SETUP;
  std::vector<bool> checks;
  std::string events;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetCheck(f.P(IDC_T_RADIO1), true);
    f.log.Clear();
    f.backend->Click(f.P(IDC_T_RADIO3));
    for (int id : {IDC_T_RADIO1, IDC_T_RADIO2, IDC_T_RADIO3}) {
      checks.push_back(f.tk.IsChecked(f.P(id)));
    }
    events = f.log.Text();
  });
  REQUIRE_EQ(checks.size(), std::size_t(3));
  CHECK(!checks[0]);
  CHECK(!checks[1]);
  CHECK(checks[2]);
  CHECK_EQ(events, "frame " + Id(IDC_T_NUMBER) + " killfocus; page " + Id(IDC_T_RADIO3) + " click");
}

// ---- typing -----------------------------------------------------------------------------

TEST(ToolkitContract, TypingIntoADigitsOnlyFieldRefusesLetters) {
  SETUP;
  std::string text;
  std::string events;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_NUMBER));
    f.log.Clear();
    f.backend->Type(f.F(IDC_T_NUMBER), "4x2");
    text = f.tk.Text(f.F(IDC_T_NUMBER));
    events = f.log.Text();
  });
  CHECK_EQ(text, "42");
  CHECK_EQ(events, "frame " + Id(IDC_T_NUMBER) + " change; frame " + Id(IDC_T_NUMBER) + " change");
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
  REQUIRE_EQ(texts.size(), std::size_t(2));
  CHECK_EQ(texts[0], "9");
  CHECK_EQ(texts[1], "");
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
  CHECK_EQ(forward.size(), expected.size());
  for (std::size_t i = 0; i < forward.size() && i < expected.size(); ++i) {
    check::Scope scope("tab " + std::to_string(i + 1));
    CHECK_EQ(forward[i], expected[i]);
  }
  REQUIRE_EQ(backward.size(), std::size_t(2));
  CHECK_EQ(backward[0], "frame:" + Id(IDC_T_NUMBER));
  CHECK_EQ(backward[1], "frame:" + Id(kIdCancelCommand));
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
  CHECK_EQ(typed, "n");
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
  REQUIRE_EQ(focus.size(), std::size_t(3));
  CHECK_EQ(focus[0], "page:" + Id(IDC_T_PAGE_EDIT));
  CHECK_EQ(focus[1], "page:" + Id(IDC_T_PAGE_EDIT2));
  CHECK_EQ(focus[2], "page:" + Id(IDC_T_RADIO2));
}

TEST(ToolkitContract, ArrowsMoveThroughARadioGroupCheckingAsTheyGo) {
  SETUP;
  std::string events;
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
    events = f.log.Text();
  });
  CHECK_EQ(focus, "page:" + Id(IDC_T_RADIO2));
  CHECK(second);
  CHECK_EQ(events, "page key " + Id(kVkDown) + "; page " + Id(IDC_T_RADIO2) + " click");
}

TEST(ToolkitContract, EnterClicksTheDefaultButtonAndEscIsCancel) {
  SETUP;
  std::string events;
  f.Run([&] {
    f.log.Clear();
    f.backend->Key(kVkReturn);
    f.backend->Key(kVkEscape);
    events = f.log.Text();
  });
  CHECK_EQ(events, "frame key 13; frame " + Id(IDC_T_NEXT) + " click; frame key 27; frame " +
                       Id(kIdCancelCommand) + " click");
}

TEST(ToolkitContract, EnterOnAPushButtonTabbedToClicksThatButton) {
  SETUP;
  std::string events;
  f.Run([&] {
    f.backend->Key(kVkTab);
    f.backend->Key(kVkTab);  // Apply
    f.log.Clear();
    f.backend->Key(kVkReturn);
    events = f.log.Text();
    f.backend->Key(kVkTab);  // the check box: Next is the default again
    f.log.Clear();
    f.backend->Key(kVkReturn);
    events += " | " + f.log.Text();
  });
  CHECK_EQ(events, "frame key 13; frame " + Id(IDC_T_APPLY) + " click | frame key 13; frame " +
                       Id(IDC_T_NEXT) + " click");
}

TEST(ToolkitContract, EnterAfterAMouseClickOnAPushButton) {
  SETUP;
  std::string events;
  f.Run([&] {
    f.backend->Click(f.F(IDC_T_SPARE));
    f.log.Clear();
    f.backend->Key(kVkReturn);
    events = f.log.Text();
  });
  // A click gives the focus but does not make the button the default one.
  CHECK_EQ(events, "frame key 13; frame " + Id(IDC_T_NEXT) + " click");
}

TEST(ToolkitContract, EnterDoesNothingWhileTheDefaultButtonIsDisabled) {
  SETUP;
  std::string events;
  f.Run([&] {
    f.tk.Enable(f.F(IDC_T_NEXT), false);
    f.log.Clear();
    f.backend->Key(kVkReturn);
    events = f.log.Text();
  });
  CHECK_EQ(events, "frame key 13");
}

TEST(ToolkitContract, EnterInAChildDialogWithoutDefaultButtonIsItsOkCommand) {
  SETUP;
  std::string events;
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetFocus(f.P(IDC_T_PAGE_EDIT));
    f.log.Clear();
    f.backend->Key(kVkReturn);
    f.backend->Key(kVkEscape);
    events = f.log.Text();
  });
  // The child dialog uses the keys itself; the frame never sees them.
  CHECK_EQ(events, "page key 13; page 1 click; page key 27; page 2 click");
}

TEST(ToolkitContract, KeysGoFromTheFocusedDialogUpToTheTopLevelOne) {
  SETUP;
  std::string events;
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
    events = f.log.Text();
    focus = f.FocusName();
  });
  CHECK_EQ(events, "page key 9; page " + Id(IDC_T_PAGE_EDIT2) + " killfocus; frame " +
                       Id(IDC_T_NUMBER) + " setfocus; frame key 9; frame " + Id(IDC_T_NUMBER) +
                       " killfocus; frame " + Id(IDC_T_TEXT) + " setfocus");
  CHECK_EQ(focus, "frame:" + Id(IDC_T_TEXT));
}

TEST(ToolkitContract, ADialogThatTakesAKeyKeepsItFromItsParent) {
  SETUP;
  std::string events;
  f.page.onKey = [](const KeyEvent&) { return 1; };
  f.Run([&] {
    WindowRef page = f.MakePage(f.page);
    f.tk.Show(page, true);
    f.tk.SetFocus(f.P(IDC_T_PAGE_EDIT));
    f.log.Clear();
    f.backend->Key(kVkReturn);
    events = f.log.Text();
  });
  CHECK_EQ(events, "page key 13");
}

TEST(ToolkitContract, MnemonicsReachTheWholeWindowFromAChildDialog) {
  SETUP;
  std::string events;
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
    events = f.log.Text();
    focus = f.FocusName();
  });
  CHECK_EQ(events, "page " + Id(IDC_T_PAGE_EDIT) + " killfocus; frame " + Id(IDC_T_APPLY) +
                       " click; page " + Id(IDC_T_RADIO2) + " click");
  CHECK(second);
  CHECK_EQ(focus, "page:" + Id(IDC_T_RADIO2));
}

// ---- system menu and close box ----------------------------------------------------------

TEST(ToolkitContract, CloseBoxIsTheCancelCommand) {
  SETUP;
  std::string events;
  f.frame.onSysCommand = [](int id) { return id == 0x10; };
  f.Run([&] {
    f.tk.AppendSystemMenuItem(f.frame.window(), 0x10, "&About");
    f.log.Clear();
    f.backend->SystemCommand(f.frame.window(), 0x10);
    f.backend->SystemCommand(f.frame.window(), kScClose);
    events = f.log.Text();
  });
  CHECK_EQ(events, "frame syscommand 16; frame syscommand " + Id(kScClose) + "; frame 2 click");
}

// ---- message boxes ----------------------------------------------------------------------

TEST(ToolkitContract, MessageBoxTakesTheFocusAndGivesItBack) {
  SETUP;
  int answer = 0;
  std::string events;
  std::string focus;
  std::vector<std::string> boxes;
  f.Run([&] {
    f.tk.SetFocus(f.F(IDC_T_TEXT));
    f.log.Clear();
    f.backend->QueueMessageBoxAnswer(kIdNo);
    answer = f.backend->messageBoxes().Show(f.frame.window(), "Proceed?", "Contract",
                                            kMbYesNo | kMbIconQuestion);
    events = f.log.Text();
    focus = f.FocusName();
    boxes = f.backend->MessageBoxTexts();
  });
  CHECK_EQ(answer, kIdNo);
  CHECK_EQ(events, "frame " + Id(IDC_T_TEXT) + " killfocus; frame " + Id(IDC_T_TEXT) + " setfocus");
  CHECK_EQ(focus, "frame:" + Id(IDC_T_TEXT));
  REQUIRE_EQ(boxes.size(), std::size_t(1));
  CHECK_EQ(boxes[0], "Proceed?");
}

TEST(ToolkitContract, UnansweredMessageBoxTakesItsFirstButton) {
  SETUP;
  int ok = 0;
  int yes = 0;
  f.Run([&] {
    ok = f.backend->messageBoxes().Show(f.frame.window(), "Done", nullptr, kMbOk);
    yes = f.backend->messageBoxes().Show(f.frame.window(), "Sure?", "Contract", kMbYesNo);
  });
  CHECK_EQ(ok, kIdOk);
  CHECK_EQ(yes, kIdYes);
}

}  // namespace
