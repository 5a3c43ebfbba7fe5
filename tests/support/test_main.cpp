#include "support/test_main.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

int RunTests(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    if (i > 0 && !arg.empty() && arg[0] != '-') arg = "--gtest_filter=*" + arg + "*";
    args.push_back(arg);
  }
  std::vector<char*> pointers;
  for (std::string& arg : args) pointers.push_back(&arg[0]);
  int count = argc;
  ::testing::InitGoogleTest(&count, pointers.data());
  return RUN_ALL_TESTS();
}
