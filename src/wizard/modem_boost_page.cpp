#include "wizard/modem_boost_page.h"

ModemBoostPage::ModemBoostPage(Toolkit& toolkit) : WizardPage(toolkit, kTemplateId, 0) {}

void ModemBoostPage::ApplyTexts() {
  SetStepTitle("29", "Boost the Modem", "29", "Boost the Modem");
  TranslateItem(IDC_DESCRIBTION, "IDC_DESCRIBTION",
                "You are equipped with an internal or external analog 56K modem?\n"
                "It is possible for you to boost the speed of the port on which it is connected.\n"
                "Originally, when you click on Control panel then Modem\\Properties, you see that "
                "the maximum speed of the COM port is limited to 115200 bps.\n"
                "\n"
                "Here we will add 3 additional port speeds (230400, 460800, 921600 bps).\n"
                "\n"
                "You need to test each speed manually to find the suitable speed based on your "
                "modem model.");
}

void ModemBoostPage::OnHidePage() {
  // The frame set "Finish" when it showed this page; Back must not leave it there.
  RestoreProceedToNext();
}
