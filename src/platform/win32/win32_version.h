// The Windows version as the system reports it (GetVersionExA).
#pragma once

#include "platform/version_query.h"

class Win32Version : public VersionQuery {
 public:
  bool Query(OsVersionRecord* record) override;
};
