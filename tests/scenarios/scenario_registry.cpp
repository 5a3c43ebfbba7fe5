#include "driver.h"

#include <gtest/gtest.h>

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

namespace {
class ScenarioCase : public ::testing::Test {
 public:
  ScenarioCase(void (*run)(ScenarioFn), ScenarioFn scenario) : run_(run), scenario_(scenario) {}
  void TestBody() override { run_(scenario_); }

 private:
  void (*run_)(ScenarioFn);
  ScenarioFn scenario_;
};
}  // namespace

void RegisterScenarioCases(void (*run)(ScenarioFn scenario)) {
  for (const auto& entry : List()) {
    const ScenarioFn scenario = entry.second;
    ::testing::RegisterTest(
        "scenario", entry.first, nullptr, nullptr, __FILE__, __LINE__,
        [run, scenario]() -> ScenarioCase* { return new ScenarioCase(run, scenario); });
  }
}

void WizardDriver::Run(const WizardSetup& setup, const ScenarioBody& body) {
  if (!Start(setup)) {
    ADD_FAILURE() << "the wizard did not start";
    return;
  }
  body(*this);
}

void WizardDriver::CloseBox() { ADD_FAILURE() << "this backend cannot press the close box"; }
