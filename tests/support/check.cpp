#include "check.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace check {
namespace {

struct Case {
  const char* suite;
  const char* name;
  TestFn fn;
};

std::vector<Case>& Cases() {
  static std::vector<Case> cases;
  return cases;
}

std::vector<std::string>& Labels() {
  static std::vector<std::string> labels;
  return labels;
}

int g_failures_in_case = 0;
const Case* g_current = nullptr;
std::string g_program_dir;

}  // namespace

Registrar::Registrar(const char* suite, const char* name, TestFn fn) {
  Cases().push_back(Case{suite, name, fn});
}

Scope::Scope(std::string label) { Labels().push_back(std::move(label)); }
Scope::~Scope() { Labels().pop_back(); }

void Fail(const char* file, int line, const std::string& what) {
  ++g_failures_in_case;
  std::string context;
  for (const auto& l : Labels()) context += " [" + l + "]";
  std::printf("  FAIL %s.%s at %s:%d: %s%s\n", g_current ? g_current->suite : "?",
              g_current ? g_current->name : "?", file, line, what.c_str(), context.c_str());
  std::fflush(stdout);
}

std::string FixturePath(const std::string& name) {
#ifdef _WIN32
  // The Windows test programs find the fixtures beside themselves (copied at build time) or
  // through the source tree as Wine maps it (Z: is the Unix root).
  std::string base = "Z:" QUARNEL_FIXTURE_DIR;
  for (auto& c : base)
    if (c == '/') c = '\\';
  return base + "\\" + name;
#else
  return std::string(QUARNEL_FIXTURE_DIR) + "/" + name;
#endif
}

int RunAll(int argc, char** argv) {
  const char* filter = argc > 1 ? argv[1] : nullptr;
  int passed = 0, failed = 0;
  for (const auto& c : Cases()) {
    std::string full = std::string(c.suite) + "." + c.name;
    if (filter && full.find(filter) == std::string::npos) continue;
    g_current = &c;
    g_failures_in_case = 0;
    c.fn();
    if (g_failures_in_case == 0) {
      ++passed;
    } else {
      ++failed;
      std::printf("FAILED %s\n", full.c_str());
    }
    std::fflush(stdout);
  }
  g_current = nullptr;
  std::printf("result: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace check
