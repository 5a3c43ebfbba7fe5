// Reads a compiled resource file (.res, as windres -O res writes it from resources/quarnel.rc),
// so the headless toolkit builds its dialogs from the very templates, ids, texts, rectangles,
// styles and tab order Quarnel.exe carries. Only dialog templates (DIALOG and DIALOGEX) and
// string tables are kept; every other resource is skipped. Texts come back in Windows-1252.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ResControl {
  std::string text;  // a numbered resource as its title: "#130"
  int id = 0;
  std::string className;  // the predefined classes by name ("Button", "Edit", "Static", ...)
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct ResDialog {
  int id = 0;
  int language = 0;  // MAKELANGID(primary, sub)
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::string caption;
  int fontSize = 0;
  std::string fontName;
  std::vector<ResControl> controls;  // in template (tab) order
};

struct ResFile {
  std::vector<ResDialog> dialogs;
  std::map<int, std::string> strings;

  // The first template with this id in any language (as FindResource falls back), or null.
  const ResDialog* FindDialog(int id) const;
};

// False, with what went wrong in `error`, when the file cannot be read or is not a resource file.
bool ReadResFile(const std::string& path, ResFile* out, std::string* error);
