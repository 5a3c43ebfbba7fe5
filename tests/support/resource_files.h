// The compiled resources the test programs' headless toolkits build their dialogs from: the build
// runs windres on resources/quarnel.rc and tests/contract/toolkit_templates.rc into
// QUARNEL_RES_DIR. Only the test build knows where that is, so the fakes hold no path of their own.
#pragma once

#include <string>

inline std::string ProgramRes() { return QUARNEL_RES_DIR "/quarnel.res"; }
// The toolkit contract's small dialogs.
inline std::string ToolkitTemplatesRes() { return QUARNEL_RES_DIR "/toolkit_templates.res"; }
