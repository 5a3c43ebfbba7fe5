// A small test harness shared by the native and the Windows test programs. It needs nothing
// beyond the C++ library, so the same cases compile with g++ and with MinGW and run under Wine.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>

namespace check {

using TestFn = void (*)();

struct Registrar {
  Registrar(const char* suite, const char* name, TestFn fn);
};

// Records a failure of the running case; the case goes on unless the macro returns.
void Fail(const char* file, int line, const std::string& what);
// Adds context (a table row, a seed) to every failure reported until the scope ends.
class Scope {
 public:
  explicit Scope(std::string label);
  ~Scope();
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;
};

template <typename T>
std::string Show(const T& v) {
  std::ostringstream out;
  if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, const char*> ||
                std::is_same_v<T, char*>) {
    out << '"' << v << '"';
  } else if constexpr (std::is_same_v<T, unsigned char> || std::is_same_v<T, signed char>) {
    out << static_cast<int>(v);
  } else if constexpr (std::is_enum_v<T>) {
    out << static_cast<long long>(v);
  } else {
    out << v;
  }
  return out.str();
}

// Path of a file under tests/fixtures (native: the source tree; Windows: next to the program).
std::string FixturePath(const std::string& name);

int RunAll(int argc, char** argv);

}  // namespace check

#define CHECK_CAT2(a, b) a##b
#define CHECK_CAT(a, b) CHECK_CAT2(a, b)

#define TEST(suite, name)                                                                       \
  static void suite##_##name##_test();                                                          \
  static ::check::Registrar CHECK_CAT(suite##_##name##_reg_, __LINE__)(#suite, #name,           \
                                                                       &suite##_##name##_test); \
  static void suite##_##name##_test()

#define CHECK(cond)                                                     \
  do {                                                                  \
    if (!(cond)) ::check::Fail(__FILE__, __LINE__, "CHECK(" #cond ")"); \
  } while (0)

#define REQUIRE(cond)                                          \
  do {                                                         \
    if (!(cond)) {                                             \
      ::check::Fail(__FILE__, __LINE__, "REQUIRE(" #cond ")"); \
      return;                                                  \
    }                                                          \
  } while (0)

#define CHECK_OP_(a, b, op, ret)                                                             \
  do {                                                                                       \
    const auto& check_a_ = (a);                                                              \
    const auto& check_b_ = (b);                                                              \
    if (!(check_a_ op check_b_)) {                                                           \
      ::check::Fail(__FILE__, __LINE__,                                                      \
                    std::string(#a " " #op " " #b ": ") + ::check::Show(check_a_) + " vs " + \
                        ::check::Show(check_b_));                                            \
      ret;                                                                                   \
    }                                                                                        \
  } while (0)

#define CHECK_EQ(a, b) CHECK_OP_(a, b, ==, (void)0)
#define CHECK_NE(a, b) CHECK_OP_(a, b, !=, (void)0)
#define CHECK_LT(a, b) CHECK_OP_(a, b, <, (void)0)
#define CHECK_LE(a, b) CHECK_OP_(a, b, <=, (void)0)
#define REQUIRE_EQ(a, b) CHECK_OP_(a, b, ==, return )
