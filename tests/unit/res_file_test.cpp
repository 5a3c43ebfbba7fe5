// The compiled-resource reader: what it keeps of the templates windres compiles, refusals of what
// is not a resource file, and the program's own resources read the way the headless toolkit
// reads them.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "contract/toolkit_templates.h"
#include "fakes/headless_toolkit.h"
#include "fakes/res_file.h"
#include "resources/resource.h"
#include "support/resource_files.h"
#include "support/row_name.h"

TEST(ResFile, ReadsADialogWithItsControlsInOrder) {
  ResFile res;
  std::string error;
  ASSERT_TRUE(ReadResFile(ToolkitTemplatesRes(), &res, &error)) << error;
  const ResDialog* dialog = res.FindDialog(IDD_T_FRAME);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->language, 0x0409);
  EXPECT_EQ(dialog->width, 200);
  EXPECT_EQ(dialog->height, 120);
  // DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
  EXPECT_EQ(dialog->style, 0x80CA00C0u);
  EXPECT_EQ(dialog->caption, "Toolkit Contract");
  EXPECT_EQ(dialog->fontSize, 8);
  EXPECT_EQ(dialog->fontName, "MS Sans Serif");
  ASSERT_EQ(dialog->controls.size(), std::size_t(9));
  const ResControl& number = dialog->controls[0];
  EXPECT_EQ(number.id, IDC_T_NUMBER);
  EXPECT_EQ(number.className, "Edit");  // windres writes "EDIT"
  EXPECT_EQ(number.style, 0x50812080u);
  EXPECT_EQ(number.exStyle, 0x00020000u);
  EXPECT_EQ(number.x, 10);
  EXPECT_EQ(number.height, 13);
  EXPECT_EQ(dialog->controls[2].text, "&Apply");
  EXPECT_EQ(dialog->controls[8].id, 2);  // IDCANCEL
}

TEST(ResFile, ReadsTheStringTable) {
  ResFile res;
  std::string error;
  ASSERT_TRUE(ReadResFile(ToolkitTemplatesRes(), &res, &error)) << error;
  EXPECT_EQ(res.strings.size(), std::size_t(2));
  EXPECT_EQ(res.strings[IDS_T_HELLO], "Hello, \"world\"");
  EXPECT_EQ(res.strings[IDS_T_LONG].size(), std::size_t(290));
}

namespace {

// Cut short anywhere, or not a resource file at all: refused with a reason, never read past.
struct Damage {
  const char* label;
  std::string (*damage)(const std::string& whole);
};

const Damage kDamages[] = {
    {"last entry cut short", [](const std::string& w) { return w.substr(0, w.size() - 2); }},
    {"cut in the middle", [](const std::string& w) { return w.substr(0, w.size() / 2); }},
    {"cut in an entry's header", [](const std::string& w) { return w.substr(0, 40); }},
    {"cut in the first header", [](const std::string& w) { return w.substr(0, 7); }},
    {"a resource script", [](const std::string&) { return std::string("STRINGTABLE BEGIN END"); }},
};

class DamagedResFile : public ::testing::TestWithParam<Damage> {};

}  // namespace

TEST_P(DamagedResFile, IsRefused) {
  std::ifstream in(ToolkitTemplatesRes(), std::ios::binary);
  const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(whole.size(), std::size_t(64));
  const std::string path = ::testing::TempDir() + "quarnel_res_file_test.res";
  std::ofstream(path, std::ios::binary) << GetParam().damage(whole);
  ResFile res;
  std::string error;
  EXPECT_FALSE(ReadResFile(path, &res, &error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  std::remove(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedResFile, ::testing::ValuesIn(kDamages), LabelName());

TEST(ResFile, AMissingFileIsRefusedNotCrashedOn) {
  ResFile res;
  std::string error;
  EXPECT_FALSE(ReadResFile("/nonexistent/quarnel.res", &res, &error));
  EXPECT_NE(error.find("cannot read"), std::string::npos);
  HeadlessToolkit toolkit("/nonexistent/quarnel.res");
  EXPECT_FALSE(toolkit.ok());
  Dialog dialog(toolkit);
  EXPECT_EQ(toolkit.RunModal(dialog, 102, 0), -1);
  EXPECT_EQ(toolkit.CreateChild(dialog, 132, 0), WindowRef(0));
}

// The program's own resources, as the headless toolkit reads them: every template the wizard
// creates is there with the ids resource.h gives the C++ code.
TEST(ResFile, TheProgramsResourcesHaveEveryTemplate) {
  HeadlessToolkit toolkit(ProgramRes());
  ASSERT_TRUE(toolkit.ok());
  const ResFile& res = toolkit.resources();
  const int templates[] = {
      IDD_WIZARD,    IDD_STEP_CONNECTION, IDD_STEP_MTU,       IDD_STEP_PATH_MTU,
      IDD_STEP_RWIN, IDD_STEP_TTL,        IDD_STEP_KEEPALIVE, IDD_STEP_SYN,
      IDD_STEP_ICMP, IDD_STEP_MODEM,      IDD_ABOUT};
  for (int id : templates) {
    SCOPED_TRACE("template " + std::to_string(id));
    const ResDialog* dialog = res.FindDialog(id);
    ASSERT_TRUE(dialog != nullptr);
    EXPECT_FALSE(dialog->controls.empty());
    EXPECT_EQ(dialog->fontName, "MS Sans Serif");
  }
  const ResDialog* frame = res.FindDialog(IDD_WIZARD);
  ASSERT_TRUE(frame != nullptr);
  EXPECT_EQ(frame->width, 361);
  EXPECT_EQ(frame->height, 263);
  EXPECT_EQ(frame->caption, "Ovik Quarnel");
  const ResDialog* modem = res.FindDialog(IDD_STEP_MODEM);
  ASSERT_TRUE(modem != nullptr);
  EXPECT_EQ(modem->language, 3073);
  EXPECT_EQ(toolkit.LoadResourceString(IDS_ABOUTBOX), "&About Ovik Quarnel");
  bool hasNext = false;
  for (const ResControl& control : frame->controls) hasNext = hasNext || control.id == IDC_Next;
  EXPECT_TRUE(hasNext);
}

// Pixels from dialog units with MS Sans Serif 8's base units (6 x 13), rounded like MulDiv.
TEST(ResFile, HeadlessRectanglesComeFromDialogUnits) {
  HeadlessToolkit toolkit(ProgramRes());
  ASSERT_TRUE(toolkit.ok());
  Dialog frame(toolkit);
  HeadlessRect proceed;
  HeadlessRect window;
  toolkit.QueueModalDriver([&] {
    proceed = toolkit.Rect(toolkit.Item(frame.window(), IDC_Next));
    window = toolkit.Rect(frame.window());
  });
  toolkit.RunModal(frame, IDD_WIZARD, 0);
  // Proceed: 220, 242, 57, 15 dialog units.
  EXPECT_EQ(proceed.x, 330);
  EXPECT_EQ(proceed.y, 393);      // 242 * 13 / 8 = 393.25
  EXPECT_EQ(proceed.width, 86);   // 57 * 6 / 4 = 85.5, rounded up
  EXPECT_EQ(proceed.height, 24);  // 15 * 13 / 8 = 24.375
  EXPECT_EQ(window.width, 542);
  EXPECT_EQ(window.height, 427);
}

// What only the headless toolkit offers the tests: the message-box log with its details.
TEST(ResFile, HeadlessMessageBoxLogKeepsOwnerCaptionAndAnswer) {
  HeadlessToolkit toolkit(ProgramRes());
  ASSERT_TRUE(toolkit.ok());
  Dialog frame(toolkit);
  toolkit.QueueMessageBoxAnswer(kIdNo);
  toolkit.QueueModalDriver([&] {
    toolkit.Show(frame.window(), "Question", "Quarnel", kMbYesNo | kMbIconQuestion);
    toolkit.Show(frame.window(), "Unasked", nullptr, kMbOk | kMbIconError);
  });
  toolkit.RunModal(frame, IDD_WIZARD, 0);
  const std::vector<HeadlessMessageBox>& log = toolkit.MessageBoxLog();
  ASSERT_EQ(log.size(), std::size_t(2));
  EXPECT_NE(log[0].owner, WindowRef(0));
  EXPECT_EQ(log[0].caption, "Quarnel");
  EXPECT_FALSE(log[0].captionNull);
  EXPECT_EQ(log[0].style, 0x24u);
  EXPECT_EQ(log[0].answer, kIdNo);
  EXPECT_TRUE(log[0].answered);
  EXPECT_TRUE(log[1].captionNull);
  EXPECT_EQ(log[1].caption, "Error");
  EXPECT_EQ(log[1].answer, kIdOk);
  EXPECT_FALSE(log[1].answered);
  EXPECT_EQ(toolkit.ModalLog().size(), std::size_t(1));
  EXPECT_EQ(toolkit.ModalsEndedByDefault(), 1);
}
