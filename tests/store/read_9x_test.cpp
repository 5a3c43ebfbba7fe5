// Reading a Windows 95/98/Me machine: texts, the dial-up adapter chain and the backup.
#include "store/settings_store.h"
#include "store/store_machine.h"
#include <gtest/gtest.h>

using namespace store_keys;

// Each link of the way from the adapter list to the transport, missing in turn: no adapter
// values, no adapter sub-keys in the backup, the other values as usual.
class Read9xBrokenChain : public ::testing::TestWithParam<const char*> {};

TEST_P(Read9xBrokenChain, ReadsNoAdapter) {
  const char* broken = GetParam();
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

INSTANTIATE_TEST_SUITE_P(
    Links, Read9xBrokenChain,
    ::testing::Values("store_9x_break_no_net.reg", "store_9x_break_no_dialup.reg",
                      "store_9x_break_long_description.reg", "store_9x_break_no_bindings.reg",
                      "store_9x_break_no_mstcp_binding.reg", "store_9x_break_no_binding_key.reg",
                      "store_9x_break_no_driver.reg", "store_9x_break_long_driver.reg",
                      "store_9x_break_driver_elsewhere.reg", "store_9x_break_no_transport.reg"),
    [](const ::testing::TestParamInfo<const char*>& info) {
      std::string name = info.param;  // store_9x_break_<link>.reg
      return name.substr(15, name.size() - 19);
    });

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
