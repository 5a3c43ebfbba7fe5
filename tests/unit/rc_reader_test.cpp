// The resource script reader: what it builds from the subset of the resource language the
// program's script keeps to, the refusals with file and line, and the real script read the way
// the headless toolkit reads it.
#include <string>

#include "fakes/headless_toolkit.h"
#include "fakes/rc_reader.h"
#include "resources/resource.h"
#include <gtest/gtest.h>
#include "support/rc_scripts.h"

namespace {

constexpr std::uint32_t kChildVisible = 0x50000000u;  // WS_CHILD | WS_VISIBLE

const char kHeader[] =
    "// ids\n"
    "#pragma once\n"
    "#define IDD_ONE 200\n"
    "#define IDC_A 1001\n"
    "#define IDC_B (IDC_A + 1)\n"
    "#ifndef IDOK\n"
    "#define IDOK 99\n"
    "#endif\n"
    "#define IDS_TEXT 5\n"
    "#define NAME_TEXT \"not a number\"\n"
    "constexpr int ignoredInHeaders = 1;\n";

bool ReadText(const std::string& text, RcResources* out, RcError* error) {
  RcReader reader;
  reader.AddFile("ids.h", kHeader);
  reader.AddFile("test.rc", text);
  bool ok = reader.Read("test.rc", out);
  *error = reader.error();
  return ok;
}

}  // namespace

TEST(RcReader, BuildsADialogWithItsControlsInOrder) {
  const std::string script =
      "#include <windows.h>\n"
      "#include \"ids.h\"\n"
      "LANGUAGE 9, 1\n"
      "IDD_ONE DIALOGEX 1, 2, 100, 50\n"
      "STYLE DS_SETFONT | WS_CHILD\n"
      "EXSTYLE WS_EX_CONTROLPARENT\n"
      "CAPTION \"Say \"\"hi\"\"\"\n"
      "FONT 8, \"MS Sans Serif\", 0, 0, 0x1\n"
      "BEGIN\n"
      "  CONTROL \"&Go\", IDC_A, \"Button\", BS_DEFPUSHBUTTON | WS_TABSTOP, 5, 6, 50, 14\n"
      "  /* a comment */ CONTROL \"\", IDC_B, \"Edit\", ES_NUMBER | NOT WS_VISIBLE, 5, 24, 40, "
      "13, WS_EX_STATICEDGE\n"
      "  CONTROL 130, -1, \"Static\", SS_BITMAP, 0, 0, 10, 10 // picture\n"
      "  CONTROL \"Ok\", IDOK, \"Button\", 0x10000, 1, 1, 1, 1\n"
      "END\n";
  RcResources res;
  RcError error;
  ASSERT_TRUE(ReadText(script, &res, &error));
  const RcDialog* dialog = res.FindDialog(200);
  ASSERT_TRUE(dialog != nullptr);
  EXPECT_EQ(dialog->language, 0x0409);
  EXPECT_EQ(dialog->x, 1);
  EXPECT_EQ(dialog->width, 100);
  EXPECT_EQ(dialog->height, 50);
  // CAPTION adds WS_CAPTION and FONT adds DS_SETFONT, as the resource compiler does.
  EXPECT_EQ(dialog->style, 0x40000040u | 0x00C00000u);
  EXPECT_EQ(dialog->exStyle, 0x00010000u);
  EXPECT_EQ(dialog->caption, "Say \"hi\"");
  EXPECT_EQ(dialog->fontSize, 8);
  EXPECT_EQ(dialog->fontName, "MS Sans Serif");
  ASSERT_EQ(dialog->controls.size(), std::size_t(4));
  const RcControl& go = dialog->controls[0];
  EXPECT_EQ(go.text, "&Go");
  EXPECT_EQ(go.id, 1001);
  EXPECT_EQ(go.className, "Button");
  EXPECT_EQ(go.style, kChildVisible | 0x00010001u);
  EXPECT_EQ(go.x, 5);
  EXPECT_EQ(go.y, 6);
  EXPECT_EQ(go.line, 10);
  const RcControl& edit = dialog->controls[1];
  EXPECT_EQ(edit.id, 1002);
  EXPECT_EQ(edit.style, 0x40000000u | 0x2000u);  // NOT WS_VISIBLE took the default away
  EXPECT_EQ(edit.exStyle, 0x00020000u);
  EXPECT_EQ(dialog->controls[2].text, "#130");
  EXPECT_EQ(dialog->controls[2].id, -1);
  EXPECT_EQ(dialog->controls[3].id, 1);  // windows.h's IDOK: resource.h's #ifndef skipped
  std::int64_t value = 0;
  EXPECT_TRUE(res.Symbol("IDC_B", &value));
  EXPECT_EQ(value, 1002);
  EXPECT_FALSE(res.Symbol("NAME_TEXT", &value));
  EXPECT_TRUE(res.Symbol("WS_TABSTOP", &value));
  EXPECT_EQ(value, 0x10000);
}

TEST(RcReader, ReadsStringsImagesAndSkipsVersionAndManifest) {
  const std::string script =
      "#include \"ids.h\"\n"
      "STRINGTABLE\n"
      "BEGIN\n"
      "  IDS_TEXT, \"Line\\none \"\"quoted\"\" \\x41\\101\"\n"
      "  6 \"no comma\"\n"
      "END\n"
      "128 ICON \"app.ico\"\n"
      "IDD_ONE BITMAP DISCARDABLE \"side.bmp\"\n"
      "1 VERSIONINFO\n"
      "FILEVERSION 1, 0, 0, 1\n"
      "BEGIN\n"
      "  BLOCK \"StringFileInfo\"\n"
      "  BEGIN\n"
      "    VALUE \"FileVersion\", \"1.0\"\n"
      "  END\n"
      "END\n"
      "1 24 \"app.manifest\"\n"
      "CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"other.manifest\"\n";
  RcResources res;
  RcError error;
  ASSERT_TRUE(ReadText(script, &res, &error));
  ASSERT_EQ(res.strings.size(), std::size_t(2));
  EXPECT_EQ(res.strings[5], "Line\none \"quoted\" AA");
  EXPECT_EQ(res.strings[6], "no comma");
  ASSERT_EQ(res.images.size(), std::size_t(2));
  EXPECT_EQ(res.images[0].id, 128);
  EXPECT_EQ(res.images[0].type, "ICON");
  EXPECT_EQ(res.images[1].id, 200);
  EXPECT_EQ(res.images[1].file, "side.bmp");
  EXPECT_TRUE(res.dialogs.empty());
}

TEST(RcReader, ConditionalsChooseWhatIsRead) {
  const std::string script =
      "#define FEATURE 1\n"
      "#if defined(FEATURE) && FEATURE == 1\n"
      "STRINGTABLE BEGIN 1, \"on\" END\n"
      "#elif 1\n"
      "STRINGTABLE BEGIN 1, \"elif\" END\n"
      "#else\n"
      "this is not read at all\n"
      "#endif\n"
      "#ifdef MISSING\n"
      "#error not reached\n"
      "#endif\n"
      "#if !defined MISSING\n"
      "STRINGTABLE BEGIN 2, \"two\" END\n"
      "#endif\n";
  RcResources res;
  RcError error;
  ASSERT_TRUE(ReadText(script, &res, &error));
  EXPECT_EQ(res.strings[1], "on");
  EXPECT_EQ(res.strings[2], "two");
}

TEST(RcReader, RefusesWhatItDoesNotKnowWithFileAndLine) {
  struct Row {
    const char* name;
    std::string script;
    int line;
    const char* says;
  };
  const Row rows[] = {
      {"other control statement",
       "1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_CHILD\nBEGIN\n  PUSHBUTTON \"x\", 1, 0, 0, 5, 5\nEND\n",
       4, "expected CONTROL or END"},
      {"unknown name", "1 DIALOGEX 0, 0, 10, 10\nSTYLE WS_CHILD | WS_BOGUS\nBEGIN\nEND\n", 2,
       "unknown name WS_BOGUS"},
      {"string define used as a number",
       "#include \"ids.h\"\nSTRINGTABLE BEGIN NAME_TEXT, \"x\" END\n", 2, "is not a number"},
      {"unknown resource type", "\n\n7 MENU \"x\"\n", 3, "expected DIALOGEX"},
      {"unterminated string", "STRINGTABLE BEGIN 1, \"open END\n", 1, "string not closed"},
      {"missing END",
       "1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  CONTROL \"a\", 1, \"Static\", 0, 0, 0, 1, 1\n", 3,
       "expected END of the dialog"},
      {"missing comma",
       "1 DIALOGEX 0, 0, 1, 1\nBEGIN\n  CONTROL \"a\" 1, \"Static\", 0, 0, 0, 1, 1\nEND\n", 3,
       "expected ,"},
      {"dialog option", "1 DIALOGEX 0, 0, 1, 1\nMENU 5\nBEGIN\nEND\n", 2,
       "expected STYLE, EXSTYLE, CAPTION, FONT or BEGIN"},
      {"missing include", "#include \"nowhere.h\"\n", 1, "cannot find included file"},
      {"unclosed #if", "#if 1\n", 1, "#if without #endif"},
      {"unsupported directive", "\n#line 5\n", 2, "unsupported directive #line"},
      {"stray character", "STRINGTABLE BEGIN 1; \"x\" END\n", 1, "unexpected character ';'"},
      {"self-referring define", "#define LOOP LOOP\nSTRINGTABLE BEGIN LOOP, \"x\" END\n", 2,
       "defined in terms of itself"},
      {"macro with arguments", "#define F(x) x\nSTRINGTABLE BEGIN F, \"x\" END\n", 2,
       "macro with arguments"},
      {"open comment", "/* never closed\n\n", 2, "comment not closed"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RcResources res;
    RcError error;
    EXPECT_FALSE(ReadText(row.script, &res, &error));
    EXPECT_EQ(error.line, row.line);
    EXPECT_TRUE(error.message.find(row.says) != std::string::npos);
    if (error.message.find(row.says) == std::string::npos) {
      ADD_FAILURE() << "message was: " + error.Describe();
    }
    EXPECT_TRUE(error.Describe().find(":" + std::to_string(row.line) + ":") != std::string::npos);
  }
}

TEST(RcReader, AMissingFileIsRefusedNotCrashedOn) {
  RcReader reader;
  RcResources res;
  EXPECT_FALSE(reader.Read("/nonexistent/quarnel.rc", &res));
  EXPECT_TRUE(reader.error().message.find("cannot read") != std::string::npos);
  HeadlessToolkit toolkit("/nonexistent/quarnel.rc", {});
  EXPECT_FALSE(toolkit.ok());
  Dialog dialog(toolkit);
  EXPECT_EQ(toolkit.RunModal(dialog, 102, 0), -1);
  EXPECT_EQ(toolkit.CreateChild(dialog, 132, 0), WindowRef(0));
}

// The program's own script, as the headless toolkit reads it: every template the wizard creates
// is there with the ids resource.h gives the C++ code.
TEST(RcReader, TheProgramsScriptHasEveryTemplate) {
  HeadlessToolkit toolkit(ProgramRc(), ProgramRcIncludeDirs());
  ASSERT_TRUE(toolkit.ok());
  const RcResources& res = toolkit.resources();
  const int templates[] = {
      IDD_WIZARD,    IDD_STEP_CONNECTION, IDD_STEP_MTU,       IDD_STEP_PATH_MTU,
      IDD_STEP_RWIN, IDD_STEP_TTL,        IDD_STEP_KEEPALIVE, IDD_STEP_SYN,
      IDD_STEP_ICMP, IDD_STEP_MODEM,      IDD_ABOUT};
  for (int id : templates) {
    SCOPED_TRACE("template " + std::to_string(id));
    const RcDialog* dialog = res.FindDialog(id);
    ASSERT_TRUE(dialog != nullptr);
    EXPECT_FALSE(dialog->controls.empty());
    EXPECT_EQ(dialog->fontName, "MS Sans Serif");
  }
  const RcDialog* frame = res.FindDialog(IDD_WIZARD);
  ASSERT_TRUE(frame != nullptr);
  EXPECT_EQ(frame->width, 361);
  EXPECT_EQ(frame->height, 263);
  EXPECT_EQ(frame->caption, "Ovik Quarnel");
  const RcDialog* modem = res.FindDialog(IDD_STEP_MODEM);
  ASSERT_TRUE(modem != nullptr);
  EXPECT_EQ(modem->language, 3073);
  EXPECT_EQ(toolkit.LoadResourceString(IDS_ABOUTBOX), "&About Ovik Quarnel");
  std::int64_t next = 0;
  EXPECT_TRUE(res.Symbol("IDC_Next", &next));
  EXPECT_EQ(next, IDC_Next);
}

// Pixels from dialog units with MS Sans Serif 8's base units (6 x 13), rounded like MulDiv.
TEST(RcReader, HeadlessRectanglesComeFromDialogUnits) {
  HeadlessToolkit toolkit(ProgramRc(), ProgramRcIncludeDirs());
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
TEST(RcReader, HeadlessMessageBoxLogKeepsOwnerCaptionAndAnswer) {
  HeadlessToolkit toolkit(ProgramRc(), ProgramRcIncludeDirs());
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
  EXPECT_TRUE(!log[0].captionNull);
  EXPECT_EQ(log[0].style, 0x24u);
  EXPECT_EQ(log[0].answer, kIdNo);
  EXPECT_TRUE(log[0].answered);
  EXPECT_TRUE(log[1].captionNull);
  EXPECT_EQ(log[1].caption, "Error");
  EXPECT_EQ(log[1].answer, kIdOk);
  EXPECT_TRUE(!log[1].answered);
  EXPECT_EQ(toolkit.ModalLog().size(), std::size_t(1));
  EXPECT_EQ(toolkit.ModalsEndedByDefault(), 1);
}
