// Every registry call of Read, Finish and Reset refused in turn, on each fixture machine of both
// families: afterwards the backup is intact or the user was told, and no key is left open.
#include "store/store_machine.h"
#include <gtest/gtest.h>
#include "support/round_trip_check.h"

TEST(FaultSweep, EveryCallRefusedInTurn) {
  struct Row {
    OsFamily family;
    std::vector<std::string> fixtures;
  };
  const Row rows[] = {
      {kOsFamilyNt, {}},
      {kOsFamilyNt, {"store_nt_values.reg", "store_nt_interfaces.reg"}},
      {kOsFamilyNt, {"store_nt_values.reg", "store_nt_interfaces.reg", "store_nt_odd_values.reg"}},
      {kOsFamilyNt, {"store_nt_values.reg", "store_nt_no_interfaces.reg"}},
      {kOsFamily9x, {}},
      {kOsFamily9x, {"store_9x_chain.reg", "store_9x_values.reg"}},
      {kOsFamily9x, {"store_9x_chain.reg", "store_9x_values.reg", "store_9x_odd_values.reg"}},
      {kOsFamily9x, {"store_9x_chain.reg", "store_9x_no_adapter_values.reg"}},
      {kOsFamily9x, {"store_9x_chain.reg", "store_9x_two_adapters.reg"}},
  };
  const RegOp ops[] = {RegOp::kOpen,      RegOp::kCreate,      RegOp::kQuery,
                       RegOp::kSet,       RegOp::kEnumKey,     RegOp::kEnumValue,
                       RegOp::kQueryInfo, RegOp::kDeleteValue, RegOp::kDeleteTree,
                       RegOp::kClose};
  int runs = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(Join(row.fixtures) + (row.family == kOsFamilyNt ? " NT" : " 9x"));
    MemoryRegistry machine;
    ASSERT_TRUE(LoadFixture(machine, "store_fresh_prefix.reg"));
    for (const std::string& fixture : row.fixtures) {
      ASSERT_TRUE(LoadFixture(machine, fixture));
    }
    // A 9x machine stores texts as Windows 95/98/Me do.
    machine.SetWin9xStrings(row.family == kOsFamily9x);

    MemoryRegistry counted = machine.Copy();
    WizardModel model;
    ReadCurrentSettings(counted, row.family, model);
    ApplySettings(counted, row.family, 0, ChosenSettings());
    RestoreBackup(counted, row.family);
    EXPECT_EQ(CheckRoundTrip(machine, row.family, ChosenSettings(), nullptr), std::string());

    for (RegOp op : ops) {
      for (int skip = 0; skip < counted.CallCount(op); ++skip) {
        SCOPED_TRACE("op " + std::to_string(static_cast<int>(op)) + " call " +
                     std::to_string(skip));
        RegFault fault;
        fault.op = op;
        fault.skip = skip;
        EXPECT_EQ(
            CheckRoundTrip(machine, row.family, ChosenSettings(), &fault, op != RegOp::kClose),
            std::string());
        ++runs;
      }
    }
  }
  std::printf("  fault sweep: %d runs\n", runs);
}
