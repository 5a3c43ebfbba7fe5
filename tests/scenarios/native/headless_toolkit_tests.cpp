// The headless toolkit's dialog-manager focus move and Backspace, on the toolkit contract's
// small dialogs: what the scenario driver relies on to move the focus and clear a field as the
// Wine driver does it.

#include <functional>
#include <string>
#include <vector>

#include "contract/toolkit_templates.h"
#include "fakes/headless_toolkit.h"
#include <gtest/gtest.h>
#include "support/resource_files.h"

namespace {

// Keeps the change notifications it hears, one "id code" per line.
class LoggingDialog : public Dialog {
 public:
  explicit LoggingDialog(Toolkit& toolkit) : Dialog(toolkit) {}
  bool OnInitDialog() override { return false; }
  void OnCommand(int id, int code) override {
    if (code == kBnClicked || code == kEnChange) {
      log += std::to_string(id) + (code == kEnChange ? " change\n" : " click\n");
    }
  }
  std::string log;
};

struct Bench {
  HeadlessToolkit toolkit{ToolkitTemplatesRes()};
  LoggingDialog frame{toolkit};
  LoggingDialog page{toolkit};
  WindowRef pageWindow = 0;

  void Run(const std::function<void()>& inside) {
    ASSERT_TRUE(toolkit.ok());
    bool ran = false;
    toolkit.QueueModalDriver([&] {
      pageWindow = toolkit.CreateChild(page, IDD_T_PAGE, frame.window());
      toolkit.Show(pageWindow, true);
      ran = true;
      inside();
    });
    toolkit.RunModal(frame, IDD_T_FRAME, 0);
    EXPECT_TRUE(ran);
  }
  WindowRef F(int id) { return toolkit.Item(frame.window(), id); }
  WindowRef P(int id) { return toolkit.Item(pageWindow, id); }
};

}  // namespace

TEST(headless_toolkit, next_dialog_control_moves_the_default_button_as_tab_does) {
  struct Row {
    const char* name;
    bool inPage;
    int target;
    int defaultAfter;  // the frame's button drawn as the default one
    int enterPresses;  // the command Enter then sends to the target's dialog
  };
  const Row rows[] = {
      {"a push button becomes the default", false, IDC_T_APPLY, IDC_T_APPLY, IDC_T_APPLY},
      {"Cancel too", false, kIdCancelCommand, kIdCancelCommand, kIdCancelCommand},
      {"an edit gives the look back to Next", false, IDC_T_TEXT, IDC_T_NEXT, IDC_T_NEXT},
      {"a check box gives it back as well", false, IDC_T_CHECK, IDC_T_NEXT, IDC_T_NEXT},
      // The page has no push buttons: the frame's look stays where it was, and Enter is the
      // page's own OK command.
      {"a control of a child dialog leaves the frame alone", true, IDC_T_PAGE_EDIT, IDC_T_SPARE,
       kIdOkCommand},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Bench bench;
    bench.Run([&] {
      HeadlessToolkit& t = bench.toolkit;
      // A start from another button's look, so every row shows a move.
      t.NextDialogControl(bench.F(IDC_T_SPARE));
      ASSERT_TRUE(t.IsDefaultButton(bench.F(IDC_T_SPARE)));
      ASSERT_FALSE(t.IsDefaultButton(bench.F(IDC_T_NEXT)));

      const WindowRef target = row.inPage ? bench.P(row.target) : bench.F(row.target);
      t.NextDialogControl(target);
      EXPECT_EQ(t.Focus(), target);
      const int buttons[] = {IDC_T_APPLY, IDC_T_SPARE, IDC_T_NEXT, kIdCancelCommand};
      for (int id : buttons) {
        SCOPED_TRACE("button " + std::to_string(id));
        EXPECT_EQ(t.IsDefaultButton(bench.F(id)), id == row.defaultAfter);
      }
      bench.frame.log.clear();
      bench.page.log.clear();
      t.PressKey(kVkReturn);
      const std::string pressed = std::to_string(row.enterPresses) + " click\n";
      EXPECT_EQ(bench.frame.log, row.inPage ? std::string() : pressed);
      EXPECT_EQ(bench.page.log, row.inPage ? pressed : std::string());
    });
  }
}

TEST(headless_toolkit, next_dialog_control_selects_an_edits_whole_text) {
  Bench bench;
  bench.Run([&] {
    HeadlessToolkit& t = bench.toolkit;
    const WindowRef edits[] = {bench.F(IDC_T_TEXT), bench.P(IDC_T_PAGE_EDIT)};
    for (WindowRef edit : edits) {
      SCOPED_TRACE("edit " + std::to_string(t.ItemId(edit)));
      t.SetText(edit, "12345");
      t.NextDialogControl(edit);
      t.SetSelection(edit, 5, 5);
      // Also when the edit has the focus already.
      t.NextDialogControl(edit);
      EXPECT_EQ(t.Focus(), edit);
      EXPECT_EQ(t.SelectionStart(edit), std::size_t{0});
      EXPECT_EQ(t.SelectionEnd(edit), std::size_t{5});
    }
  });
}

TEST(headless_toolkit, backspace_deletes_the_selection_with_one_change) {
  struct Row {
    const char* name;
    const char* text;
    std::size_t selStart;
    std::size_t selEnd;
    const char* after;
    int changes;
  };
  const Row rows[] = {
      {"all selected", "1500", 0, 4, "", 1},
      {"part selected", "1500", 1, 3, "10", 1},
      {"caret at the end", "1500", 4, 4, "150", 1},
      {"caret at the start", "1500", 0, 0, "1500", 0},
      {"empty field", "", 0, 0, "", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Bench bench;
    bench.Run([&] {
      HeadlessToolkit& t = bench.toolkit;
      const WindowRef edit = bench.F(IDC_T_NUMBER);
      t.SetText(edit, row.text);
      t.NextDialogControl(edit);
      t.SetSelection(edit, row.selStart, row.selEnd);
      bench.frame.log.clear();
      EXPECT_TRUE(t.TypeText(edit, "\b"));
      EXPECT_EQ(t.Text(edit), std::string(row.after));
      std::string expected;
      for (int i = 0; i < row.changes; ++i) expected += std::to_string(IDC_T_NUMBER) + " change\n";
      EXPECT_EQ(bench.frame.log, expected);
      EXPECT_EQ(t.SelectionStart(edit), t.SelectionEnd(edit));
      EXPECT_EQ(t.RefusedKeystrokes(), 0);
    });
  }
}
