// Reading an NT machine: current values, found flags and the backup they leave.
#include "store/settings_store.h"
#include "store/store_machine.h"
#include <gtest/gtest.h>

using namespace store_keys;

namespace {

const std::vector<std::string> kNtMachine = {"store_nt_values.reg", "store_nt_interfaces.reg"};

}  // namespace

// Nothing set: an empty backup with empty adapter sub-keys, and no flag raised.
TEST(ReadNt, NothingSetGivesEmptyBackup) {
  for (const char* interfaces : {"", "store_nt_no_interfaces.reg"}) {
    SCOPED_TRACE(*interfaces ? interfaces : "no Interfaces key");
    Machine m;
    if (*interfaces) {
      ASSERT_TRUE(m.Load(interfaces));
    }
    WizardModel model;
    model.settings.currentTtl = 77;  // a value not found keeps whatever the field held
    ReadCurrentSettings(m.reg, kOsFamilyNt, model);
    CHECK_ALL_KEYS_CLOSED();
    EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey)), Join({}));
    EXPECT_EQ(Join(SubKeysOf(m.reg, kHkeyCurrentUser, kBackupKey)),
              Join({"MSS Settings", "MTU Settings"}));
    EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)), Join({}));
    EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMssSettings)), Join({}));
    EXPECT_EQ(model.currentMtuFound, 0);
    EXPECT_EQ(model.currentMssFound, 0);
    EXPECT_EQ(model.currentTtlFound, 0);
    EXPECT_EQ(model.currentMaxConnectionsPerServerFound, 0);
    EXPECT_EQ(model.currentReceiveWindowFound, 0);
    EXPECT_EQ(model.currentPmtuDiscoveryFound, 0);
    EXPECT_EQ(model.currentKeepAliveTimeFound, 0);
    EXPECT_EQ(model.currentSynAttackProtectFound, 0);
    EXPECT_EQ(model.currentIcmpRedirectsFound, 0);
    EXPECT_EQ(model.settings.currentTtl, 77u);
  }
}

// Values that are not four bytes: longer ones are not current values but are backed up whole
// (so a restore can put them back); shorter ones are taken, zero-extended.
TEST(ReadNt, OddSizesAreBackedUpWhole) {
  Machine m({"store_nt_values.reg", "store_nt_interfaces.reg", "store_nt_odd_values.reg"});
  ASSERT_TRUE(m.ready);
  WizardModel model;
  // Left-overs in the fields must not leak into a shorter value.
  model.settings.currentReceiveWindow = 0xFFFFFFFF;
  model.settings.currentSynAttackProtect = 0xFFFFFFFF;
  model.settings.currentMss = 0xFFFFFFFF;
  model.settings.currentTtl = 5;
  model.settings.currentMtu = 6;
  ReadCurrentSettings(m.reg, kOsFamilyNt, model);
  CHECK_ALL_KEYS_CLOSED();

  EXPECT_EQ(model.currentTtlFound, 0);
  EXPECT_EQ(model.settings.currentTtl, 5u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "DefaultTTL"),
            Typed(kRegDword, std::string("\x80\0\0\0\x01\0\0\0", 8)));
  EXPECT_EQ(model.currentReceiveWindowFound, 1);
  EXPECT_EQ(model.settings.currentReceiveWindow, 0x4470u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "TcpWindowSize"),
            Typed(kRegDword, std::string("\x70\x44", 2)));
  EXPECT_EQ(model.currentSynAttackProtectFound, 1);
  EXPECT_EQ(model.settings.currentSynAttackProtect, 2u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "SYNAttackProtect"),
            Typed(kRegDword, std::string("\x02\0\0", 3)));
  // A text of eight bytes: not a number, kept whole with its own type.
  EXPECT_EQ(model.currentKeepAliveTimeFound, 0);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "KeepAliveTime"), Sz("7200000"));
  // The type is not looked at for the current value: four bytes of binary are a number. The
  // backup keeps the type.
  EXPECT_EQ(model.currentKeepAliveIntervalFound, 1);
  EXPECT_EQ(model.settings.currentKeepAliveInterval, 1000u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "KeepAliveInterval"),
            Typed(kRegBinary, DwordBytes(1000)));
  EXPECT_EQ(model.currentMaxConnectionsPerServerFound, 0);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "MaxConnectionsPerServer"),
            Typed(kRegDword, std::string("\x08\0\0\0\0\0\0\0\0\0", 10)));

  // Interface 1 has an 8-byte MTU (kept whole, not current) and a 2-byte MSS; interface 2's
  // MTU 576 is the current one.
  EXPECT_EQ(model.currentMtuFound, 1);
  EXPECT_EQ(model.settings.currentMtu, 576u);
  EXPECT_EQ(model.currentMssFound, 1);
  EXPECT_EQ(model.settings.currentMss, 1460u);
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)),
            Join({"{11111111-AAAA-4000-8000-000000000001}=" +
                      Typed(kRegDword, std::string("\xdc\x05\0\0\0\0\0\0", 8)),
                  "{22222222-BBBB-4000-8000-000000000002}=" + Dword(576)}));
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMssSettings)),
            Join({"{11111111-AAAA-4000-8000-000000000001}=" +
                  Typed(kRegDword, std::string("\xb4\x05", 2))}));
}

// A second read rebuilds the backup from the registry as it then stands.
TEST(ReadNt, SecondReadReplacesBackup) {
  Machine m(kNtMachine);
  ASSERT_TRUE(m.ready);
  WizardModel first;
  ReadCurrentSettings(m.reg, kOsFamilyNt, first);
  ASSERT_TRUE(WriteValue(m.reg, kHkeyLocalMachine, kTcpipParameters, "DefaultTTL", kRegDword,
                         std::string("\x40\0\0\0", 4)));
  {
    ScopedKey tcpip(m.reg);
    ASSERT_EQ(tcpip.Open(kHkeyLocalMachine, kTcpipParameters), kRegOk);
    ASSERT_EQ(m.reg.DeleteValue(tcpip.get(), "SackOpts"), kRegOk);
  }
  ASSERT_EQ(m.reg.DeleteTree(kHkeyLocalMachine,
                             InterfaceKey("{22222222-BBBB-4000-8000-000000000002}").c_str()),
            kRegOk);
  WizardModel second;
  ReadCurrentSettings(m.reg, kOsFamilyNt, second);
  CHECK_ALL_KEYS_CLOSED();
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "DefaultTTL"), Dword(64));
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "SackOpts"), kAbsent);
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)),
            Join({"{11111111-AAAA-4000-8000-000000000001}=" + Dword(1500)}));
  EXPECT_EQ(second.settings.currentMtu, 1500u);
  EXPECT_EQ(second.settings.currentTtl, 64u);
}

// TCP/IP reads the redirect switch from EnableICMPRedirect; the plural name does nothing, so the
// page shows the singular's value and the plural is never read, written or restored.
TEST(ReadNt, IcmpRedirectIsTheSingularName) {
  Machine m({"store_nt_values.reg"});
  ASSERT_TRUE(m.ready);
  ASSERT_TRUE(WriteValue(m.reg, kHkeyLocalMachine, kTcpipParameters, "EnableICMPRedirect",
                         kRegDword, DwordBytes(1)));
  ASSERT_TRUE(WriteValue(m.reg, kHkeyLocalMachine, kTcpipParameters, "EnableICMPRedirects",
                         kRegDword, DwordBytes(0)));
  WizardModel model;
  EXPECT_TRUE(ReadCurrentSettings(m.reg, kOsFamilyNt, model));
  EXPECT_EQ(model.currentIcmpRedirectsFound, 1);
  EXPECT_EQ(model.settings.currentIcmpRedirects, 1u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "EnableICMPRedirect"), Dword(1));
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "EnableICMPRedirects"), kAbsent);
  TuningSettings chosen = ChosenSettings();
  chosen.icmpRedirects = 0;
  EXPECT_TRUE(ApplySettings(m.reg, kOsFamilyNt, 0, chosen));
  EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "EnableICMPRedirect"), Dword(0));
  EXPECT_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kRestored);
  EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "EnableICMPRedirect"), Dword(1));
  EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "EnableICMPRedirects"), Dword(0));
}
