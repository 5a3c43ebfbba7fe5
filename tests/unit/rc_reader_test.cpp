// The resource script reader: what it builds from the subset of the resource language the
// program's script keeps to, the refusals with file and line, and the real script read the way
// the headless toolkit reads it.
#include <string>

#include "fakes/headless_toolkit.h"
#include "fakes/rc_reader.h"
#include "resources/resource.h"
#include "support/check.h"
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
  REQUIRE(ReadText(script, &res, &error));
  const RcDialog* dialog = res.FindDialog(200);
  REQUIRE(dialog != nullptr);
  CHECK_EQ(dialog->language, 0x0409);
  CHECK_EQ(dialog->x, 1);
  CHECK_EQ(dialog->width, 100);
  CHECK_EQ(dialog->height, 50);
  // CAPTION adds WS_CAPTION and FONT adds DS_SETFONT, as the resource compiler does.
  CHECK_EQ(dialog->style, 0x40000040u | 0x00C00000u);
  CHECK_EQ(dialog->exStyle, 0x00010000u);
  CHECK_EQ(dialog->caption, "Say \"hi\"");
  CHECK_EQ(dialog->fontSize, 8);
  CHECK_EQ(dialog->fontName, "MS Sans Serif");
  REQUIRE_EQ(dialog->controls.size(), std::size_t(4));
  const RcControl& go = dialog->controls[0];
  CHECK_EQ(go.text, "&Go");
  CHECK_EQ(go.id, 1001);
  CHECK_EQ(go.className, "Button");
  CHECK_EQ(go.style, kChildVisible | 0x00010001u);
  CHECK_EQ(go.x, 5);
  CHECK_EQ(go.y, 6);
  CHECK_EQ(go.line, 10);
  const RcControl& edit = dialog->controls[1];
  CHECK_EQ(edit.id, 1002);
  CHECK_EQ(edit.style, 0x40000000u | 0x2000u);  // NOT WS_VISIBLE took the default away
  CHECK_EQ(edit.exStyle, 0x00020000u);
  CHECK_EQ(dialog->controls[2].text, "#130");
  CHECK_EQ(dialog->controls[2].id, -1);
  CHECK_EQ(dialog->controls[3].id, 1);  // windows.h's IDOK: resource.h's #ifndef skipped
  std::int64_t value = 0;
  CHECK(res.Symbol("IDC_B", &value));
  CHECK_EQ(value, 1002);
  CHECK(!res.Symbol("NAME_TEXT", &value));
  CHECK(res.Symbol("WS_TABSTOP", &value));
  CHECK_EQ(value, 0x10000);
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
  REQUIRE(ReadText(script, &res, &error));
  REQUIRE_EQ(res.strings.size(), std::size_t(2));
  CHECK_EQ(res.strings[5], "Line\none \"quoted\" AA");
  CHECK_EQ(res.strings[6], "no comma");
  REQUIRE_EQ(res.images.size(), std::size_t(2));
  CHECK_EQ(res.images[0].id, 128);
  CHECK_EQ(res.images[0].type, "ICON");
  CHECK_EQ(res.images[1].id, 200);
  CHECK_EQ(res.images[1].file, "side.bmp");
  CHECK(res.dialogs.empty());
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
  REQUIRE(ReadText(script, &res, &error));
  CHECK_EQ(res.strings[1], "on");
  CHECK_EQ(res.strings[2], "two");
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
    check::Scope scope(row.name);
    RcResources res;
    RcError error;
    CHECK(!ReadText(row.script, &res, &error));
    CHECK_EQ(error.line, row.line);
    CHECK(error.message.find(row.says) != std::string::npos);
    if (error.message.find(row.says) == std::string::npos) {
      check::Fail(__FILE__, __LINE__, "message was: " + error.Describe());
    }
    CHECK(error.Describe().find(":" + std::to_string(row.line) + ":") != std::string::npos);
  }
}

TEST(RcReader, AMissingFileIsRefusedNotCrashedOn) {
  RcReader reader;
  RcResources res;
  CHECK(!reader.Read("/nonexistent/quarnel.rc", &res));
  CHECK(reader.error().message.find("cannot read") != std::string::npos);
  HeadlessToolkit toolkit("/nonexistent/quarnel.rc", {});
  CHECK(!toolkit.ok());
  Dialog dialog(toolkit);
  CHECK_EQ(toolkit.RunModal(dialog, 102, 0), -1);
  CHECK_EQ(toolkit.CreateChild(dialog, 132, 0), WindowRef(0));
}

// The program's own script, as the headless toolkit reads it: every template the wizard creates
// is there with the ids resource.h gives the C++ code.
TEST(RcReader, TheProgramsScriptHasEveryTemplate) {
  HeadlessToolkit toolkit(ProgramRc(), ProgramRcIncludeDirs());
  REQUIRE(toolkit.ok());
  const RcResources& res = toolkit.resources();
  const int templates[] = {
      IDD_WIZARD,    IDD_STEP_CONNECTION, IDD_STEP_MTU,       IDD_STEP_PATH_MTU,
      IDD_STEP_RWIN, IDD_STEP_TTL,        IDD_STEP_KEEPALIVE, IDD_STEP_SYN,
      IDD_STEP_ICMP, IDD_STEP_MODEM,      IDD_ABOUT};
  for (int id : templates) {
    check::Scope scope("template " + std::to_string(id));
    const RcDialog* dialog = res.FindDialog(id);
    REQUIRE(dialog != nullptr);
    CHECK(!dialog->controls.empty());
    CHECK_EQ(dialog->fontName, "MS Sans Serif");
  }
  const RcDialog* frame = res.FindDialog(IDD_WIZARD);
  REQUIRE(frame != nullptr);
  CHECK_EQ(frame->width, 361);
  CHECK_EQ(frame->height, 263);
  CHECK_EQ(frame->caption, "Ovik Quarnel");
  const RcDialog* modem = res.FindDialog(IDD_STEP_MODEM);
  REQUIRE(modem != nullptr);
  CHECK_EQ(modem->language, 3073);
  CHECK_EQ(toolkit.LoadResourceString(IDS_ABOUTBOX), "&About Ovik Quarnel");
  std::int64_t next = 0;
  CHECK(res.Symbol("IDC_Next", &next));
  CHECK_EQ(next, IDC_Next);
}

// Pixels from dialog units with MS Sans Serif 8's base units (6 x 13), rounded like MulDiv.
TEST(RcReader, HeadlessRectanglesComeFromDialogUnits) {
  HeadlessToolkit toolkit(ProgramRc(), ProgramRcIncludeDirs());
  REQUIRE(toolkit.ok());
  Dialog frame(toolkit);
  HeadlessRect proceed;
  HeadlessRect window;
  toolkit.QueueModalDriver([&] {
    proceed = toolkit.Rect(toolkit.Item(frame.window(), IDC_Next));
    window = toolkit.Rect(frame.window());
  });
  toolkit.RunModal(frame, IDD_WIZARD, 0);
  // Proceed: 220, 242, 57, 15 dialog units.
  CHECK_EQ(proceed.x, 330);
  CHECK_EQ(proceed.y, 393);      // 242 * 13 / 8 = 393.25
  CHECK_EQ(proceed.width, 86);   // 57 * 6 / 4 = 85.5, rounded up
  CHECK_EQ(proceed.height, 24);  // 15 * 13 / 8 = 24.375
  CHECK_EQ(window.width, 542);
  CHECK_EQ(window.height, 427);
}

// What only the headless toolkit offers the tests: the message-box log with its details.
TEST(RcReader, HeadlessMessageBoxLogKeepsOwnerCaptionAndAnswer) {
  HeadlessToolkit toolkit(ProgramRc(), ProgramRcIncludeDirs());
  REQUIRE(toolkit.ok());
  Dialog frame(toolkit);
  toolkit.QueueMessageBoxAnswer(kIdNo);
  toolkit.QueueModalDriver([&] {
    toolkit.Show(frame.window(), "Question", "Quarnel", kMbYesNo | kMbIconQuestion);
    toolkit.Show(frame.window(), "Unasked", nullptr, kMbOk | kMbIconError);
  });
  toolkit.RunModal(frame, IDD_WIZARD, 0);
  const std::vector<HeadlessMessageBox>& log = toolkit.MessageBoxLog();
  REQUIRE_EQ(log.size(), std::size_t(2));
  CHECK_NE(log[0].owner, WindowRef(0));
  CHECK_EQ(log[0].caption, "Quarnel");
  CHECK(!log[0].captionNull);
  CHECK_EQ(log[0].style, 0x24u);
  CHECK_EQ(log[0].answer, kIdNo);
  CHECK(log[0].answered);
  CHECK(log[1].captionNull);
  CHECK_EQ(log[1].caption, "Error");
  CHECK_EQ(log[1].answer, kIdOk);
  CHECK(!log[1].answered);
  CHECK_EQ(toolkit.ModalLog().size(), std::size_t(1));
  CHECK_EQ(toolkit.ModalsEndedByDefault(), 1);
}
