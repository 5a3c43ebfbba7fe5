// The order in which the read, Finish and the restore touch the TCP/IP values. Each walk has
// its own order; a tool watching the registry (or a half-finished run) sees it.
#include <string>
#include <vector>

#include "store/settings_store.h"
#include "store/store_machine.h"
#include <gtest/gtest.h>

using namespace store_keys;

namespace {

// Passes every call on and notes the value names queried, set and deleted in one key.
class Recorder : public Registry {
 public:
  Recorder(Registry& inner, RegKey hive, const char* path)
      : inner_(inner), hive_(hive), path_(path) {}
  std::vector<std::string> names;

  RegResult OpenKey(RegKey parent, const char* subKey, std::uint32_t access,
                    RegKey* result) override {
    return Watch(parent, subKey, inner_.OpenKey(parent, subKey, access, result), result);
  }
  RegResult CreateKey(RegKey parent, const char* subKey, std::uint32_t access,
                      RegKey* result) override {
    return Watch(parent, subKey, inner_.CreateKey(parent, subKey, access, result), result);
  }
  RegResult QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override {
    // A value read in rounds (size first) counts once.
    if (key == watched_ && (names.empty() || names.back() != name)) names.push_back(name);
    return inner_.QueryValue(key, name, type, data, size);
  }
  RegResult SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override {
    if (key == watched_) names.push_back(name);
    return inner_.SetValue(key, name, type, data, size);
  }
  RegResult EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t* size) override {
    return inner_.EnumKey(key, index, name, size);
  }
  RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override {
    return inner_.EnumValue(key, index, name, nameSize, type, data, dataSize);
  }
  RegResult QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                         std::uint32_t* values, std::uint32_t* maxValueNameLen,
                         std::uint32_t* maxValueDataLen) override {
    return inner_.QueryInfoKey(key, subKeys, maxSubKeyLen, values, maxValueNameLen,
                               maxValueDataLen);
  }
  RegResult DeleteValue(RegKey key, const char* name) override {
    if (key == watched_) names.push_back(name);
    return inner_.DeleteValue(key, name);
  }
  RegResult DeleteTree(RegKey parent, const char* subKey) override {
    return inner_.DeleteTree(parent, subKey);
  }
  RegResult CloseKey(RegKey key) override {
    if (key == watched_) watched_ = 0;
    return inner_.CloseKey(key);
  }

 private:
  RegResult Watch(RegKey parent, const char* subKey, RegResult result, RegKey* key) {
    if (result == kRegOk && parent == hive_ && subKey != nullptr && path_ == subKey) {
      watched_ = *key;
    }
    return result;
  }
  Registry& inner_;
  RegKey hive_;
  std::string path_;
  RegKey watched_ = 0;
};

}  // namespace

TEST(Order, ReadFinishAndRestoreWalks) {
  struct Row {
    const char* label;
    OsFamily family;
    std::vector<std::string> fixtures;
    const char* path;
    std::vector<std::string> read, write, restore;
  };
  const Row rows[] = {
      {"NT",
       kOsFamilyNt,
       {"store_nt_values.reg"},
       kTcpipParameters,
       {"SackOpts", "Tcp1323Opts", "GlobalMaxTcpWindowSize", "TcpMaxDupAcks", "DefaultTTL",
        "TcpWindowSize", "DefaultReceiveWindow", "EnablePMTUBHDetect", "EnablePMTUDiscovery",
        "KeepAliveTime", "KeepAliveInterval", "SYNAttackProtect", "EnableICMPRedirect"},
       {"SackOpts", "Tcp1323Opts", "TcpMaxDupAcks", "DefaultTTL", "DefaultReceiveWindow",
        "TcpWindowSize", "GlobalMaxTcpWindowSize", "EnablePMTUBHDetect", "EnablePMTUDiscovery",
        "KeepAliveTime", "KeepAliveInterval", "SYNAttackProtect", "EnableICMPRedirect"},
       {"SackOpts", "Tcp1323Opts", "TcpWindowSize", "GlobalMaxTcpWindowSize", "TcpMaxDupAcks",
        "DefaultTTL", "DefaultReceiveWindow", "EnablePMTUBHDetect", "EnablePMTUDiscovery",
        "KeepAliveTime", "KeepAliveInterval", "SYNAttackProtect", "EnableICMPRedirect"}},
      {"9x", kOsFamily9x, {"store_9x_values.reg"}, kMstcp, k9xValues, k9xValues, k9xValues},
      {"browser",
       kOsFamily9x,
       {"store_9x_values.reg"},
       kInternetSettings,
       kBrowserValues,
       kBrowserValues,
       kBrowserValues},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Machine m(row.fixtures);
    ASSERT_TRUE(m.ready);
    const RegKey hive = row.path == kInternetSettings ? kHkeyCurrentUser : kHkeyLocalMachine;
    Recorder read(m.reg, hive, row.path);
    WizardModel model;
    EXPECT_TRUE(ReadCurrentSettings(read, row.family, model));
    EXPECT_EQ(Join(read.names), Join(row.read));
    Recorder write(m.reg, hive, row.path);
    EXPECT_TRUE(ApplySettings(write, row.family, 0, ChosenSettings()));
    EXPECT_EQ(Join(write.names), Join(row.write));
    Recorder restore(m.reg, hive, row.path);
    EXPECT_EQ(RestoreBackup(restore, row.family), RestoreOutcome::kRestored);
    EXPECT_EQ(Join(restore.names), Join(row.restore));
  }
}
