// The services of the operating system the program uses, gathered so that start-up can be
// handed the real ones (Quarnel.exe) or the stand-ins (tests).
#pragma once

#include "platform/file_search.h"
#include "platform/message_box.h"
#include "platform/pinger.h"
#include "platform/profile_reader.h"
#include "platform/registry.h"
#include "platform/text_files.h"
#include "platform/toolkit.h"
#include "platform/version_query.h"

struct Platform {
  Registry& registry;
  ProfileReader& profile;
  VersionQuery& version;
  MessageBoxes& messages;
  Toolkit* toolkit;                // null where no window is ever made (store and language tests)
  FileSearch* files = nullptr;     // null: no language files to list
  Pinger* pinger = nullptr;        // null: no ICMP on this machine
  TextFiles* textFiles = nullptr;  // null: no profiles and no logs (the command line refuses)
};
