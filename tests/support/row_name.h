// Names the cases of a parameterised test after its table rows' labels: GoogleTest takes
// letters, digits and '_' only, so every other run of characters becomes one '_'.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

inline std::string RowName(const std::string& label) {
  std::string name;
  for (char c : label) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += c;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name;
}

// For INSTANTIATE_TEST_SUITE_P: a row with a `label`.
struct LabelName {
  template <typename Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
    return RowName(info.param.label);
  }
};
