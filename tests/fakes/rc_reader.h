// Reads the resource script (resources/quarnel.rc and the headers it includes) at run time, so
// the headless toolkit builds its dialogs from the very templates, ids, texts, rectangles,
// styles and tab order the real resources are compiled from.
//
// The script is read in the subset resource.rc keeps to: #include, #define, #ifdef/#ifndef/
// #if/#elif/#else/#endif, #undef, #pragma; LANGUAGE; DIALOG and DIALOGEX with STYLE, EXSTYLE,
// CAPTION and FONT and controls written as CONTROL statements; STRINGTABLE; BITMAP, ICON and
// CURSOR lines; VERSIONINFO and typed file resources (the manifest) are skipped. Anything else
// is refused with the file, line and what was expected.
//
// Headers (files ending in .h) contribute their #defines only, as the resource compiler reads
// them. Symbols resolve through those #defines and a table of the Win32 constants dialogs use.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct RcControl {
  std::string text;  // a numbered resource named as text ("#130") when written as a number
  int id = 0;
  std::string className;
  std::uint32_t style = 0;  // as compiled: WS_CHILD | WS_VISIBLE unless taken away with NOT
  std::uint32_t exStyle = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int line = 0;
};

struct RcDialog {
  int id = 0;
  int language = 0;  // MAKELANGID(primary, sub) of the LANGUAGE statement in force
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  bool hasCaption = false;
  std::string caption;
  int fontSize = 0;
  std::string fontName;
  std::vector<RcControl> controls;  // in template (tab) order
  std::string file;
  int line = 0;
};

struct RcImage {
  int id = 0;
  std::string type;  // "BITMAP", "ICON" or "CURSOR"
  std::string file;
};

struct RcResources {
  std::vector<RcDialog> dialogs;
  std::map<int, std::string> strings;
  std::vector<RcImage> images;

  // The first template with this id in any language (as FindResource falls back), or null.
  const RcDialog* FindDialog(int id) const;
  // The value of a #define or a known Win32 constant; false when unknown or not a number.
  bool Symbol(const std::string& name, std::int64_t* value) const;

  std::map<std::string, std::int64_t> symbols;  // every numeric #define seen
};

struct RcError {
  std::string file;
  int line = 0;
  std::string message;

  std::string Describe() const;  // "file:line: message"
};

class RcReader {
 public:
  // Folders searched for #include "name" after the including file's own folder.
  void AddIncludeDir(const std::string& dir);
  // A file served from memory instead of the disk, found by the name it is included or read
  // by (tests).
  void AddFile(const std::string& name, const std::string& text);

  bool Read(const std::string& path, RcResources* out);
  const RcError& error() const { return error_; }

 private:
  std::vector<std::string> includeDirs_;
  std::map<std::string, std::string> files_;
  RcError error_;
};

// The Win32 constants the reader knows by name (WS_*, WS_EX_*, DS_*, BS_*, SS_*, ES_*, CBS_*,
// IDOK and friends, RT_MANIFEST, LANG_*).
bool LookupWin32Constant(const std::string& name, std::int64_t* value);
