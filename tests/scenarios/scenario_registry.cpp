#include "driver.h"

#include "support/check.h"

namespace {
std::vector<std::pair<const char*, ScenarioFn>>& List() {
  static std::vector<std::pair<const char*, ScenarioFn>> list;
  return list;
}
}  // namespace

ScenarioRegistrar::ScenarioRegistrar(const char* name, ScenarioFn fn) {
  List().emplace_back(name, fn);
}

const std::vector<std::pair<const char*, ScenarioFn>>& Scenarios() { return List(); }

void WizardDriver::Run(const WizardSetup& setup, const ScenarioBody& body) {
  if (!Start(setup)) {
    ::check::Fail(__FILE__, __LINE__, "the wizard did not start");
    return;
  }
  body(*this);
}

void WizardDriver::CloseBox() {
  ::check::Fail(__FILE__, __LINE__, "this backend cannot press the close box");
}
