// The scripts the test programs' headless toolkits build their dialogs from, with the folders
// their #include lines name. Only the test build knows where the sources are (QUARNEL_SOURCE_DIR)
// and where it made app/version.h (QUARNEL_GENERATED_DIR), so the fakes hold no path of their own.
#pragma once

#include <string>
#include <vector>

inline std::string ProgramRc() { return QUARNEL_SOURCE_DIR "/resources/quarnel.rc"; }
inline std::vector<std::string> ProgramRcIncludeDirs() {
  return {QUARNEL_SOURCE_DIR "/resources", QUARNEL_SOURCE_DIR "/src", QUARNEL_GENERATED_DIR};
}

// The toolkit contract's small dialogs; they include only their own header.
inline std::string ToolkitTemplatesRc() {
  return QUARNEL_SOURCE_DIR "/tests/contract/toolkit_templates.rc";
}
