#include "wizard/about_dialog.h"

AboutDialog::AboutDialog(Toolkit& toolkit) : Dialog(toolkit) {}

int AboutDialog::Run(WindowRef owner) { return toolkit().RunModal(*this, kTemplateId, owner); }
