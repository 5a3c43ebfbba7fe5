// The driver's own checks against the real program: each kind of action and observation once,
// so a fault in the driver shows here before it confuses a shared scenario.
#include <string>

#include "resources/resource.h"
#include "scenarios/driver.h"
#include "support/check.h"

SCENARIO(wine_driver_starts_reads_and_exits) {
  WizardSetup setup;
  setup.windowsVersion = "winxp";
  d.Run(setup, [](WizardDriver& d) {
    CHECK_EQ(d.Caption(), std::string("Ovik Quarnel"));
    CHECK_EQ(d.Text(kFrame, IDC_Next), std::string("&Proceed"));
    CHECK(d.Visible(kFrame, IDC_Next));
    CHECK(!d.Enabled(kFrame, IDC_Back));
    CHECK(!d.Visible(IDD_STEP_CONNECTION, 0));
    CHECK(!d.Finished());
    d.Click(kFrame, IDCANCEL);
    CHECK(d.Finished());
    CHECK(d.MessageBoxesSeen().empty());
  });
}
