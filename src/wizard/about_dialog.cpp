#include "wizard/about_dialog.h"

#include "wizard/app_state.h"
#include "wizard/texts.h"

AboutDialog::AboutDialog(const AppState& app) : Dialog(*app.platform.toolkit), app_(app) {}

int AboutDialog::Run(WindowRef owner) { return toolkit().RunModal(*this, kTemplateId, owner); }

bool AboutDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  app_.TranslateControl(window(), IDOK, text::kAboutOk);
  app_.TranslateControl(window(), IDC_STATIC2, text::kAboutVersion);
  // Each field's template text names the version string it shows, so another string can be
  // shown by changing the template alone; a string that is missing leaves that name.
  for (int id : {IDC_ABOUT_COPYRIGHT, IDC_ABOUT_VERSION}) {
    WindowRef field = toolkit().Item(window(), id);
    if (field == 0) continue;
    std::string name = toolkit().Text(field);
    if (name.size() > kFieldLimit) name.resize(kFieldLimit);
    std::string value;
    if (toolkit().ProgramVersionString(name, &value)) toolkit().SetText(field, value);
  }
  return true;
}
