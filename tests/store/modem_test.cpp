// Detecting a modem whose port is limited to 115200 bps, and lifting the limit.
#include "store/modem_port_speed.h"
#include "store/settings_store.h"
#include "store/store_machine.h"
#include <gtest/gtest.h>

using namespace store_keys;

namespace {

std::string Record(const std::string& rateBytes, const std::string& tail = "") {
  return Typed(
      kRegBinary,
      std::string("\x80\x01\0\0\xff\0\0\0\xff\x07\0\0\x0f\0\0\0\x77\x03\0\0\0\xc2\x01\0", 24) +
          rateBytes + std::string("\x80\x70\0\0", 4) + tail);
}

const std::string kLimited("\0\xc2\x01\0", 4);
// 921600: the fastest rate the modem step names.
const std::string kBoosted("\0\x10\x0e\0", 4);
const std::string kExtra("\x01\x02\x03\x04\x05\x06\x07\x08", 8);

}  // namespace

TEST(Modem, Detection) {
  struct Row {
    const char* label;
    std::vector<std::string> fixtures;
    OsFamily family;
    std::int32_t found;
  };
  const Row rows[] = {
      {"no class key", {}, kOsFamilyNt, 0},
      {"no class key, 9x", {}, kOsFamily9x, 0},
      {"no modem", {"store_modem_none.reg"}, kOsFamilyNt, 0},
      {"no modem, 9x", {"store_modem_none.reg"}, kOsFamily9x, 0},
      {"one on 9x", {"store_modem_9x_one.reg"}, kOsFamily9x, 1},
      {"one on NT", {"store_modem_nt_one.reg"}, kOsFamilyNt, 1},
      {"two on NT", {"store_modem_nt_two.reg"}, kOsFamilyNt, 1},
      {"230400, short record, no record", {"store_modem_nt_other.reg"}, kOsFamilyNt, 0},
      // Each family looks only in its own class key.
      {"9x modem on NT", {"store_modem_9x_one.reg"}, kOsFamilyNt, 0},
      {"NT modem on 9x", {"store_modem_nt_one.reg"}, kOsFamily9x, 0},
      {"unknown family", {"store_modem_nt_one.reg"}, 2, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Machine m(row.fixtures);
    ASSERT_TRUE(m.ready);
    const std::string before =
        Snapshot(m.reg) +
        Join(ValuesOf(m.reg, kHkeyLocalMachine, std::string(kModemClassNt) + "\\0000"));
    std::int32_t flag = 0;
    DetectBoostableModem(m.reg, row.family, flag);
    CHECK_ALL_KEYS_CLOSED();
    EXPECT_EQ(flag, row.found);
    // Detection writes nothing, and never lowers the flag.
    std::int32_t raised = 1;
    DetectBoostableModem(m.reg, row.family, raised);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(Snapshot(m.reg) +
                  Join(ValuesOf(m.reg, kHkeyLocalMachine, std::string(kModemClassNt) + "\\0000")),
              before);
  }
}

// Only bytes 25 and 26 of each limited record change; the length stays; others stay alone.
TEST(Modem, BoostRewritesEveryLimitedRecord) {
  Machine m({"store_modem_nt_two.reg"});
  ASSERT_TRUE(m.ready);
  EXPECT_TRUE(BoostModemPortSpeeds(m.reg, kOsFamilyNt));
  CHECK_ALL_KEYS_CLOSED();
  struct Row {
    const char* modem;
    std::string properties;
  };
  const Row rows[] = {
      {"0000", Record(kBoosted, kExtra)},
      {"0001", Record(std::string("\0\x84\x03\0", 4))},
      {"0002", Record(std::string("\xff\x10\x0e\xff", 4))},
      {"0003", Typed(kRegBinary, std::string("\x80\x01\0\0\xff\0\0\0\xff\x07\0\0\x0f\0\0\0\x77\x03"
                                             "\0\0\0\xc2\x01\0\0\xc2",
                                             26))},
      {"0004", kAbsent},
      // Changed by an earlier version to 920064: no longer limited, so left alone.
      {"0005", Record(std::string("\0\x0a\x0e\0", 4))},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.modem);
    const std::string key = std::string(kModemClassNt) + "\\" + row.modem;
    EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, key, "Properties"), row.properties);
    EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, key, "DriverDesc"),
              Sz(std::string("Modem ") + row.modem));
  }
  // A boosted modem is not found again.
  std::int32_t flag = 0;
  DetectBoostableModem(m.reg, kOsFamilyNt, flag);
  EXPECT_EQ(flag, 0);
}

// Finish runs the change first when a modem was detected, and only then; Reset leaves it.
TEST(Modem, ApplyBoostsOnlyWhenDetected) {
  for (std::int32_t flag : {0, 1}) {
    SCOPED_TRACE("flag " + std::to_string(flag));
    Machine m({"store_modem_9x_one.reg", "store_9x_chain.reg"});
    ASSERT_TRUE(m.ready);
    WizardModel model;
    ReadCurrentSettings(m.reg, kOsFamily9x, model);
    TuningSettings chosen;
    EXPECT_TRUE(ApplySettings(m.reg, kOsFamily9x, flag, chosen));
    const std::string key = std::string(kModemClass9x) + "\\0000";
    const std::string expected = Record(flag ? kBoosted : kLimited);
    EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, key, "Properties"), expected);
    EXPECT_EQ(RestoreBackup(m.reg, kOsFamily9x), RestoreOutcome::kRestored);
    EXPECT_EQ(ValueAt(m.reg, kHkeyLocalMachine, key, "Properties"), expected);
  }
}
