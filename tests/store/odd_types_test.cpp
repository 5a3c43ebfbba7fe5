// Values of another type than the family's, and 9x texts that are not terminated: the backup
// keeps each with its own type and exact bytes, and Reset gives it back as it was.
#include "store/settings_store.h"
#include "store/store_machine.h"
#include <gtest/gtest.h>

using namespace store_keys;

namespace {

struct OddValue {
  RegKey hive;
  std::string path;
  const char* name;
  std::uint32_t type;
  std::string bytes;
};

// Puts `values` on the machine, then reads, applies and restores; every value the store
// touches must be back as it was.
void RoundTrip(Machine& m, OsFamily family, const std::vector<OddValue>& values) {
  for (const OddValue& v : values) {
    ASSERT_TRUE(WriteValue(m.reg, v.hive, v.path, v.name, v.type, v.bytes));
  }
  const std::string before = Snapshot(m.reg);
  WizardModel model;
  EXPECT_TRUE(ReadCurrentSettings(m.reg, family, model));
  EXPECT_TRUE(ApplySettings(m.reg, family, 0, ChosenSettings()));
  EXPECT_EQ(RestoreBackup(m.reg, family), RestoreOutcome::kRestored);
  CHECK_ALL_KEYS_CLOSED();
  EXPECT_EQ(Snapshot(m.reg), before);
  for (const OddValue& v : values) {
    SCOPED_TRACE(v.name);
    EXPECT_EQ(ValueAt(m.reg, v.hive, v.path, v.name), Typed(v.type, v.bytes));
  }
}

}  // namespace

TEST(OddTypes, NtValuesComeBackWithTheirType) {
  Machine m({"store_nt_values.reg", "store_nt_interfaces.reg"});
  ASSERT_TRUE(m.ready);
  const std::string first = InterfaceKey("{11111111-AAAA-4000-8000-000000000001}");
  RoundTrip(m, kOsFamilyNt,
            {{kHkeyLocalMachine, kTcpipParameters, "DefaultTTL", kRegSz, std::string("128\0", 4)},
             {kHkeyLocalMachine, kTcpipParameters, "KeepAliveTime", kRegExpandSz,
              std::string("%TIME%\0", 7)},
             {kHkeyLocalMachine, kTcpipParameters, "TcpWindowSize", kRegBinary, "\x70\x44"},
             {kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer", kRegSz,
              std::string("8\0", 2)},
             {kHkeyLocalMachine, first, "MTU", kRegSz, std::string("1500\0", 5)}});
}

TEST(OddTypes, Win9xValuesComeBackWithTheirType) {
  Machine m({"store_9x_chain.reg", "store_9x_values.reg"});
  ASSERT_TRUE(m.ready);
  RoundTrip(m, kOsFamily9x,
            {{kHkeyLocalMachine, kMstcp, "DefaultTTL", kRegDword, DwordBytes(0x80)},
             {kHkeyLocalMachine, kMstcp, "KeepAliveTime", kRegBinary, "64"},
             {kHkeyLocalMachine, TransportKey("0003"), "MaxMTU", kRegDword, DwordBytes(0x5DC)},
             {kHkeyLocalMachine, TransportKey("0003"), "MaxMSS", kRegBinary, "1460"}});
}

// Windows 95/98/Me take a REG_SZ up to its first NUL: a value that is no terminated text must
// not be handed to them as one, or what follows the store's buffer lands in the registry.
TEST(Win9xStrings, UnterminatedValuesComeBackExactly) {
  Machine m({"store_9x_chain.reg", "store_9x_values.reg"});
  ASSERT_TRUE(m.ready);
  if (!StoreUseWin9xStrings()) return;  // Wine as NT: the run as 98 covers this
  RoundTrip(m, kOsFamily9x,
            {{kHkeyLocalMachine, kMstcp, "DefaultTTL", kRegDword, DwordBytes(0x41414141)},
             {kHkeyLocalMachine, kMstcp, "KeepAliveTime", kRegBinary, "64"},
             {kHkeyLocalMachine, TransportKey("0003"), "MaxMTU", kRegBinary, "1500"},
             {kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer", kRegBinary, "8"}});
}
