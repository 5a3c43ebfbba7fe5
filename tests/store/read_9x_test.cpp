// Reading a Windows 95/98/Me machine: texts, the dial-up adapter chain and the backup.
#include "store/settings_store.h"
#include "store/store_machine.h"
#include <gtest/gtest.h>

using namespace store_keys;

namespace {

const std::vector<std::string> k9xMachine = {"store_9x_chain.reg", "store_9x_values.reg"};

}  // namespace

TEST(Read9x, EveryValueFoundAndBackedUp) {
  Machine m(k9xMachine);
  ASSERT_TRUE(m.ready);
  WizardModel model;
  EXPECT_TRUE(ReadCurrentSettings(m.reg, kOsFamily9x, model));
  CHECK_ALL_KEYS_CLOSED();

  const TuningSettings& s = model.settings;
  CheckFound({
      {"MaxConnectionsPer1_0Server", s.currentMaxConnectionsPer1_0Server,
       model.currentMaxConnectionsPer1_0ServerFound, 2},
      {"MaxConnectionsPerServer", s.currentMaxConnectionsPerServer,
       model.currentMaxConnectionsPerServerFound, 3},
      {"DefaultTTL", s.currentTtl, model.currentTtlFound, 128},
      {"DefaultRcvWindow", s.currentReceiveWindow, model.currentReceiveWindowFound, 8760},
      {"PMTUBlackHoleDetect", s.currentBlackHoleDetect, model.currentBlackHoleDetectFound, 1},
      {"PMTUDiscovery", s.currentPmtuDiscovery, model.currentPmtuDiscoveryFound, 0},
      {"KeepAliveTime", s.currentKeepAliveTime, model.currentKeepAliveTimeFound, 300000},
      {"KeepAliveInterval", s.currentKeepAliveInterval, model.currentKeepAliveIntervalFound, 2000},
      {"MaxMTU", s.currentMtu, model.currentMtuFound, 1500},
      {"MaxMSS", s.currentMss, model.currentMssFound, 1460},
  });
  // Never read on 9x.
  EXPECT_EQ(model.currentSynAttackProtectFound, 0);
  EXPECT_EQ(model.currentIcmpRedirectsFound, 0);

  // Texts keep their bytes (text and terminator); the browser values stay DWORDs.
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey)),
            Join({"DefaultRcvWindow=" + Sz("8760"), "DefaultTTL=" + Sz("128"),
                  "GlobalMaxTcpWindowSize=" + Sz("65535"), "KeepAliveInterval=" + Sz("2000"),
                  "KeepAliveTime=" + Sz("300000"), "MaxConnectionsPer1_0Server=" + Dword(2),
                  "MaxConnectionsPerServer=" + Dword(3), "PMTUBlackHoleDetect=" + Sz("1"),
                  "PMTUDiscovery=" + Sz("0"), "SackOpts=" + Sz("0"), "Tcp1323Opts=" + Sz("3")}));
  // The dial-up adapter's transport instance names the adapter values.
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)),
            Join({"0003=" + Sz("1500")}));
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMssSettings)),
            Join({"0003=" + Sz("1460")}));
}

// Each link of the way from the adapter list to the transport, missing in turn: no adapter
// values, no adapter sub-keys in the backup, the other values as usual.
TEST(Read9x, BrokenAdapterChainReadsNoAdapter) {
  const char* breaks[] = {
      "store_9x_break_no_net.reg",           "store_9x_break_no_dialup.reg",
      "store_9x_break_long_description.reg", "store_9x_break_no_bindings.reg",
      "store_9x_break_no_mstcp_binding.reg", "store_9x_break_no_binding_key.reg",
      "store_9x_break_no_driver.reg",        "store_9x_break_long_driver.reg",
      "store_9x_break_driver_elsewhere.reg", "store_9x_break_no_transport.reg",
  };
  for (const char* broken : breaks) {
    SCOPED_TRACE(broken);
    Machine m({"store_9x_chain.reg", "store_9x_values.reg", broken});
    ASSERT_TRUE(m.ready);
    WizardModel model;
    ReadCurrentSettings(m.reg, kOsFamily9x, model);
    CHECK_ALL_KEYS_CLOSED();
    EXPECT_EQ(model.currentMtuFound, 0);
    EXPECT_EQ(model.currentMssFound, 0);
    EXPECT_EQ(Join(SubKeysOf(m.reg, kHkeyCurrentUser, kBackupKey)), Join({}));
    EXPECT_EQ(model.currentTtlFound, 1);
    EXPECT_EQ(ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey).size(), 11u);

    // Without the record, Finish tunes no adapter.
    TuningSettings chosen;
    chosen.mtu = 576;
    chosen.mss = 536;
    EXPECT_TRUE(ApplySettings(m.reg, kOsFamily9x, 0, chosen));
    EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, TransportKey("0003"), "MaxMTU"),
              std::string(broken) == "store_9x_break_no_transport.reg" ? kNoKey : Sz("1500"));
    EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, TransportKey("0000"), "MaxMTU"), Sz("1400"));
  }
}

// Only the first adapter described exactly "Dial-Up Adapter" counts; letter case matters.
TEST(Read9x, FirstExactDialUpAdapterWins) {
  Machine m({"store_9x_chain.reg", "store_9x_two_adapters.reg"});
  ASSERT_TRUE(m.ready);
  WizardModel model;
  ReadCurrentSettings(m.reg, kOsFamily9x, model);
  CHECK_ALL_KEYS_CLOSED();
  EXPECT_EQ(model.settings.currentMtu, 1500u);
  EXPECT_EQ(model.settings.currentMss, 1460u);
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)),
            Join({"0003=" + Sz("1500")}));

  TuningSettings chosen;
  chosen.mtu = 1492;
  chosen.mss = 1452;
  EXPECT_TRUE(ApplySettings(m.reg, kOsFamily9x, 0, chosen));
  CHECK_ALL_KEYS_CLOSED();
  struct Row {
    const char* instance;
    const char* mtu;
    const char* mss;
  };
  const Row rows[] = {{"0000", "1400", "1360"}, {"0003", "1492", "1452"}, {"0004", "576", "536"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.instance);
    const std::string key = TransportKey(row.instance);
    EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, key, "MaxMTU"), Sz(row.mtu));
    EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, key, "MaxMSS"), Sz(row.mss));
  }
}

// A missing MaxMTU is recorded as "0" (the adapter must still be named); a missing MaxMSS
// leaves no value.
TEST(Read9x, MissingAdapterValues) {
  Machine m({"store_9x_chain.reg", "store_9x_no_adapter_values.reg"});
  ASSERT_TRUE(m.ready);
  WizardModel model;
  ReadCurrentSettings(m.reg, kOsFamily9x, model);
  CHECK_ALL_KEYS_CLOSED();
  EXPECT_EQ(model.currentMtuFound, 0);
  EXPECT_EQ(model.currentMssFound, 0);
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)), Join({"0003=" + Sz("0")}));
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMssSettings)), Join({}));
  // Nothing else set: only the adapter sub-keys.
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey)), Join({}));
}

// Texts that are not plain numbers. Conversion stops at the first non-digit, saturates instead
// of overflowing, and a text too long for the 260-byte buffer is no current value but is kept
// whole in the backup.
TEST(Read9x, OddTexts) {
  Machine m({"store_9x_chain.reg", "store_9x_values.reg", "store_9x_odd_values.reg"});
  ASSERT_TRUE(m.ready);
  WizardModel model;
  model.settings.currentPmtuDiscovery = 9;
  model.settings.currentKeepAliveInterval = 9;
  model.settings.currentMtu = 9;
  ReadCurrentSettings(m.reg, kOsFamily9x, model);
  CHECK_ALL_KEYS_CLOSED();

  EXPECT_EQ(model.currentTtlFound, 1);
  EXPECT_EQ(model.settings.currentTtl, 2147483647u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "DefaultTTL"), Sz("99999999999999999999"));
  EXPECT_EQ(model.currentReceiveWindowFound, 1);
  EXPECT_EQ(model.settings.currentReceiveWindow, 0u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "DefaultRcvWindow"), Sz("abc"));
  EXPECT_EQ(model.currentKeepAliveTimeFound, 1);
  EXPECT_EQ(model.settings.currentKeepAliveTime, static_cast<std::uint32_t>(-5));
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "KeepAliveTime"), Sz("  -5xyz"));
  // 258 characters and the terminator: the longest text the buffer takes.
  EXPECT_EQ(model.currentBlackHoleDetectFound, 1);
  EXPECT_EQ(model.settings.currentBlackHoleDetect, 1u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "PMTUBlackHoleDetect"),
            Sz(std::string(257, '0') + "1"));
  // 259 and 300 characters: not taken, kept whole.
  EXPECT_EQ(model.currentKeepAliveIntervalFound, 0);
  EXPECT_EQ(model.settings.currentKeepAliveInterval, 9u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "KeepAliveInterval"),
            Sz(std::string(259, '1')));
  EXPECT_EQ(model.currentPmtuDiscoveryFound, 0);
  EXPECT_EQ(model.settings.currentPmtuDiscovery, 9u);
  EXPECT_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "PMTUDiscovery"),
            Sz(std::string(300, '1')));
  // A MaxMTU too long to take is kept whole, not marked as missing.
  EXPECT_EQ(model.currentMtuFound, 0);
  EXPECT_EQ(model.settings.currentMtu, 9u);
  EXPECT_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)),
            Join({"0003=" + Sz("15" + std::string(298, '0'))}));
  EXPECT_EQ(model.currentMssFound, 1);
}
