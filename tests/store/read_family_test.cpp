// Reading a machine of either family: every current value found and the backup the read leaves,
// and what a read of the other family's machine takes. One row per family.
#include <gtest/gtest.h>

#include "store/settings_store.h"
#include "store/store_machine.h"
#include "support/row_name.h"

using namespace store_keys;

namespace {

// Every current value a read may find: its field and its found flag.
struct Field {
  const char* name;
  std::uint32_t TuningSettings::*current;
  std::int32_t WizardModel::*found;
};
const Field kFields[] = {
    {"MaxConnectionsPer1_0Server", &TuningSettings::currentMaxConnectionsPer1_0Server,
     &WizardModel::currentMaxConnectionsPer1_0ServerFound},
    {"MaxConnectionsPerServer", &TuningSettings::currentMaxConnectionsPerServer,
     &WizardModel::currentMaxConnectionsPerServerFound},
    {"TTL", &TuningSettings::currentTtl, &WizardModel::currentTtlFound},
    {"receive window", &TuningSettings::currentReceiveWindow,
     &WizardModel::currentReceiveWindowFound},
    {"black-hole detection", &TuningSettings::currentBlackHoleDetect,
     &WizardModel::currentBlackHoleDetectFound},
    {"path-MTU discovery", &TuningSettings::currentPmtuDiscovery,
     &WizardModel::currentPmtuDiscoveryFound},
    {"keep-alive time", &TuningSettings::currentKeepAliveTime,
     &WizardModel::currentKeepAliveTimeFound},
    {"keep-alive interval", &TuningSettings::currentKeepAliveInterval,
     &WizardModel::currentKeepAliveIntervalFound},
    {"SYN-flood protection", &TuningSettings::currentSynAttackProtect,
     &WizardModel::currentSynAttackProtectFound},
    {"ICMP redirects", &TuningSettings::currentIcmpRedirects,
     &WizardModel::currentIcmpRedirectsFound},
    {"MTU", &TuningSettings::currentMtu, &WizardModel::currentMtuFound},
    {"MSS", &TuningSettings::currentMss, &WizardModel::currentMssFound},
};
constexpr std::size_t kFieldCount = sizeof kFields / sizeof kFields[0];
constexpr std::uint32_t kNotRead = 0xFFFFFFFFu;  // the family has no such value

struct FamilyRead {
  const char* label;
  OsFamily family;
  std::vector<std::string> machine;
  std::uint32_t current[kFieldCount];  // in kFields' order
  std::vector<std::string> backup;
  std::vector<std::string> backupMtu;
  std::vector<std::string> backupMss;
};

const FamilyRead kFamilyReads[] = {
    {"Windows9x",
     kOsFamily9x,
     {"store_9x_chain.reg", "store_9x_values.reg"},
     {2, 3, 128, 8760, 1, 0, 300000, 2000, kNotRead, kNotRead, 1500, 1460},
     // Texts keep their bytes (text and terminator); the browser values stay DWORDs.
     {"DefaultRcvWindow=" + Sz("8760"), "DefaultTTL=" + Sz("128"),
      "GlobalMaxTcpWindowSize=" + Sz("65535"), "KeepAliveInterval=" + Sz("2000"),
      "KeepAliveTime=" + Sz("300000"), "MaxConnectionsPer1_0Server=" + Dword(2),
      "MaxConnectionsPerServer=" + Dword(3), "PMTUBlackHoleDetect=" + Sz("1"),
      "PMTUDiscovery=" + Sz("0"), "SackOpts=" + Sz("0"), "Tcp1323Opts=" + Sz("3")},
     // The dial-up adapter's transport instance names the adapter values.
     {"0003=" + Sz("1500")},
     {"0003=" + Sz("1460")}},
    {"WindowsNt",
     kOsFamilyNt,
     {"store_nt_values.reg", "store_nt_interfaces.reg"},
     // The last interface with a value wins: MTU 1500 then 576 gives 576.
     {10, 6, 128, 17520, 1, 0, 300000, 2000, 1, 0, 576, 1460},
     // One REG_DWORD per value found, named like it; the sub-keys per interface.
     {"DefaultReceiveWindow=" + Dword(16384), "DefaultTTL=" + Dword(128),
      "EnableICMPRedirect=" + Dword(0), "EnablePMTUBHDetect=" + Dword(1),
      "EnablePMTUDiscovery=" + Dword(0), "GlobalMaxTcpWindowSize=" + Dword(65535),
      "KeepAliveInterval=" + Dword(2000), "KeepAliveTime=" + Dword(300000),
      "MaxConnectionsPer1_0Server=" + Dword(10), "MaxConnectionsPerServer=" + Dword(6),
      "SackOpts=" + Dword(0), "SYNAttackProtect=" + Dword(1), "Tcp1323Opts=" + Dword(3),
      "TcpMaxDupAcks=" + Dword(3), "TcpWindowSize=" + Dword(17520)},
     {"{11111111-AAAA-4000-8000-000000000001}=" + Dword(1500),
      "{22222222-BBBB-4000-8000-000000000002}=" + Dword(576)},
     {"{11111111-AAAA-4000-8000-000000000001}=" + Dword(1460)}},
};

class ReadFamily : public ::testing::TestWithParam<FamilyRead> {};

}  // namespace

TEST_P(ReadFamily, EveryValueFoundAndBackedUp) {
  const FamilyRead& row = GetParam();
  Machine m(row.machine);
  ASSERT_TRUE(m.ready);
  WizardModel model;
  EXPECT_TRUE(ReadCurrentSettings(m.reg, row.family, model));
  CHECK_ALL_KEYS_CLOSED();
  for (std::size_t i = 0; i < kFieldCount; ++i) {
    SCOPED_TRACE(kFields[i].name);
    if (row.current[i] == kNotRead) {
      EXPECT_EQ(model.*kFields[i].found, 0);
    } else {
      EXPECT_EQ(model.*kFields[i].found, 1);
      EXPECT_EQ(model.settings.*kFields[i].current, row.current[i]);
    }
  }
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey)), Join(row.backup));
  EXPECT_EQ(Join(SubKeysOf(m.reg, kHkeyCurrentUser, kBackupKey)),
            Join({"MSS Settings", "MTU Settings"}));
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)), Join(row.backupMtu));
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMssSettings)), Join(row.backupMss));
  EXPECT_TRUE(BackupExists(m.reg));
}

INSTANTIATE_TEST_SUITE_P(Families, ReadFamily, ::testing::ValuesIn(kFamilyReads), LabelName());

namespace {

// The 9x locations mean nothing to an NT read, and the other way round; only the browser
// values are shared by both families.
struct OtherFamily {
  const char* label;
  std::vector<std::string> machine;
  OsFamily readAs;
  std::vector<std::string> backup;
  std::vector<std::string> backupSubKeys;
};

const OtherFamily kOtherFamilies[] = {
    {"Machine9xReadAsNt",
     {"store_9x_chain.reg", "store_9x_values.reg"},
     kOsFamilyNt,
     {"MaxConnectionsPer1_0Server=" + Dword(2), "MaxConnectionsPerServer=" + Dword(3)},
     {"MSS Settings", "MTU Settings"}},
    {"MachineNtReadAs9x",
     {"store_nt_values.reg", "store_nt_interfaces.reg"},
     kOsFamily9x,
     {"MaxConnectionsPer1_0Server=" + Dword(10), "MaxConnectionsPerServer=" + Dword(6)},
     {}},
};

class ReadOtherFamily : public ::testing::TestWithParam<OtherFamily> {};

}  // namespace

TEST_P(ReadOtherFamily, OnlyTheBrowserValuesAreRead) {
  const OtherFamily& row = GetParam();
  Machine m(row.machine);
  ASSERT_TRUE(m.ready);
  WizardModel model;
  ReadCurrentSettings(m.reg, row.readAs, model);
  EXPECT_EQ(model.currentTtlFound, 0);
  EXPECT_EQ(model.currentMtuFound, 0);
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey)), Join(row.backup));
  EXPECT_EQ(Join(SubKeysOf(m.reg, kHkeyCurrentUser, kBackupKey)), Join(row.backupSubKeys));
}

INSTANTIATE_TEST_SUITE_P(Families, ReadOtherFamily, ::testing::ValuesIn(kOtherFamilies),
                         LabelName());
