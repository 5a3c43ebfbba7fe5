#include "driver.h"

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
