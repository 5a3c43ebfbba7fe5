#include "settings/recommendations.h"

#include <string>

#include <gtest/gtest.h>
#include "support/store_fixture.h"

namespace {

const char* FamilyName(OsFamily family) { return family == kOsFamilyNt ? "NT" : "9x"; }

}  // namespace

// Every connection type on both families, the way the wizard runs the rules: the one-time rules
// at start, then the MTU step, then the receive window step.
TEST(Recommendations, EachConnectionTypeOnEachFamily) {
  struct Row {
    ConnectionType type;
    std::uint32_t mtu, mss;
    std::int32_t multiplier;
    std::uint32_t receiveWindow;
  };
  const Row rows[] = {
      {kConnectionDialUp, 576, 536, 30, 64320},
      {kConnectionDsl, 1492, 1452, 44, 255552},
      {kConnectionLan, 1500, 1460, 44, 256960},
      {kConnectionCableModem, 1500, 1460, 44, 256960},
  };
  for (OsFamily family : {kOsFamily9x, kOsFamilyNt}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(FamilyName(family)) + " type " + std::to_string(row.type));
      WizardModel p;
      p.settings.connectionType = row.type;
      RecommendSynProtection(p, family);
      RecommendKeepAlive(p, family);
      RecommendTtl(p, family);
      RecommendConnections(p, family);
      RecommendMtu(p, family);
      RecommendReceiveWindow(p, family);

      const TuningSettings& s = p.settings;
      EXPECT_EQ(s.mtu, row.mtu);
      EXPECT_EQ(s.recommendedMtu, row.mtu);
      EXPECT_EQ(p.mtuEntry, static_cast<std::int32_t>(row.mtu));
      EXPECT_EQ(s.mss, row.mss);
      EXPECT_EQ(s.recommendedMss, row.mss);
      EXPECT_EQ(p.mssEntry, static_cast<std::int32_t>(row.mss));
      EXPECT_EQ(p.recommendedMultiplier, row.multiplier);
      EXPECT_EQ(p.multiplierEntry, row.multiplier);
      EXPECT_EQ(s.receiveWindow, row.receiveWindow);
      EXPECT_EQ(s.recommendedReceiveWindow, row.receiveWindow);
      EXPECT_EQ(p.receiveWindowEntry, static_cast<std::int32_t>(row.receiveWindow));

      EXPECT_EQ(s.ttl, 64u);
      EXPECT_EQ(s.recommendedTtl, 64u);
      EXPECT_EQ(p.ttlEntry, 64);
      EXPECT_EQ(s.keepAliveTime, 7200000u);
      EXPECT_EQ(s.recommendedKeepAliveTime, 7200000u);
      EXPECT_EQ(p.keepAliveTimeEntry, 7200000);
      EXPECT_EQ(s.keepAliveInterval, 1000u);
      EXPECT_EQ(s.recommendedKeepAliveInterval, 1000u);
      EXPECT_EQ(p.keepAliveIntervalEntry, 1000);
      EXPECT_EQ(s.synAttackProtect, 2u);
      EXPECT_EQ(p.synAttackProtectEntry, 2);

      const std::uint32_t http10 = family == kOsFamilyNt ? 20 : 4;
      const std::uint32_t http11 = family == kOsFamilyNt ? 20 : 8;
      EXPECT_EQ(s.maxConnectionsPer1_0Server, http10);
      EXPECT_EQ(s.recommendedMaxConnectionsPer1_0Server, http10);
      EXPECT_EQ(p.maxConnectionsPer1_0ServerEntry, static_cast<std::int32_t>(http10));
      EXPECT_EQ(s.maxConnectionsPerServer, http11);
      EXPECT_EQ(s.recommendedMaxConnectionsPerServer, http11);
      EXPECT_EQ(p.maxConnectionsPerServerEntry, static_cast<std::int32_t>(http11));

      // The rules never touch what was found on the machine.
      EXPECT_EQ(p.currentMtuFound, 0);
      EXPECT_EQ(p.currentTtlFound, 0);
    }
  }
}

// The receive window follows the MSS the user chose, and a big one must not wrap to a small
// window: the product is capped at the largest window TCP can announce.
TEST(Recommendations, ReceiveWindowFromChosenMssIsCapped) {
  struct Row {
    ConnectionType type;
    std::uint32_t mss;
    std::uint32_t window;
  };
  const Row rows[] = {
      {kConnectionLan, 1000, 176000},
      {kConnectionDialUp, 1000, 120000},
      {kConnectionDialUp, 0, 0},
      {kConnectionLan, 6100805, 1073741680},         // just below the cap
      {kConnectionLan, 6100806, kMaxReceiveWindow},  // first MSS over it
      {kConnectionDialUp, 8947849, kMaxReceiveWindow},
      // 24403223 x 176 = 4294967248: fits 32 bits but is far over the cap.
      {kConnectionDsl, 24403223, kMaxReceiveWindow},
      // 24403224 x 176 wraps to 128 in 32-bit arithmetic.
      {kConnectionDsl, 24403224, kMaxReceiveWindow},
      {kConnectionLan, 0xFFFFFFFFu, kMaxReceiveWindow},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("type " + std::to_string(row.type) + " mss " + std::to_string(row.mss));
    WizardModel p;
    p.settings.connectionType = row.type;
    p.settings.mss = row.mss;
    RecommendReceiveWindow(p, kOsFamilyNt);
    EXPECT_EQ(p.settings.receiveWindow, row.window);
    EXPECT_EQ(p.settings.recommendedReceiveWindow, row.window);
    EXPECT_EQ(p.receiveWindowEntry, static_cast<std::int32_t>(row.window));
    EXPECT_EQ(p.settings.mss, row.mss);  // the rule only reads the MSS
  }
}

// The MTU step recommends again at every showing: an edit made there is replaced on return.
TEST(Recommendations, MtuRuleReplacesEditsEachTime) {
  WizardModel p;
  p.settings.connectionType = kConnectionLan;
  RecommendMtu(p, kOsFamilyNt);
  p.settings.mtu = 1400;
  p.settings.mss = 1360;
  p.mtuEntry = 1400;
  p.mssEntry = 1360;
  RecommendMtu(p, kOsFamilyNt);
  EXPECT_EQ(p.settings.mtu, 1500u);
  EXPECT_EQ(p.settings.mss, 1460u);
  EXPECT_EQ(p.mtuEntry, 1500);
  EXPECT_EQ(p.mssEntry, 1460);
}

// A connection type the page never produces keeps the MTU there is; an MTU too small for the
// headers gives an MSS of 0 rather than a wrapped 4294967xxx.
TEST(Recommendations, UnknownConnectionTypeKeepsMtu) {
  struct Row {
    std::uint32_t mtu;
    std::uint32_t mss;
  };
  const Row rows[] = {{1400, 1360}, {41, 1}, {40, 0}, {0, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE("mtu " + std::to_string(row.mtu));
    WizardModel p;
    p.settings.connectionType = 7;
    p.settings.mtu = row.mtu;
    RecommendMtu(p, kOsFamily9x);
    EXPECT_EQ(p.settings.mtu, row.mtu);
    EXPECT_EQ(p.settings.recommendedMtu, row.mtu);
    EXPECT_EQ(p.settings.mss, row.mss);
    EXPECT_EQ(p.mssEntry, static_cast<std::int32_t>(row.mss));
  }
}
