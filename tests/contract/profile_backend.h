// The profile reader the contract cases run on, and the file system calls they need around it:
// the INI stand-in natively, GetPrivateProfileStringA when the same cases run under Wine.
#pragma once

#include <string>

#include "platform/profile_reader.h"

ProfileReader& ContractProfileReader();
// An existing folder for scratch files, ending in the path separator.
std::string ContractTempFolder();
char ContractPathSeparator();
bool ContractMakeFolder(const std::string& path);
bool ContractRemoveFolder(const std::string& path);
// Keeps the scratch names of concurrent runs apart.
int ContractProcessId();
