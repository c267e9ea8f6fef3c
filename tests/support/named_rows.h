#pragma once

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

// Names each row of a TEST_P table after its `name` member, so that a failing row says which it
// is. The names must be letters, digits and underscores.
struct RowName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row> &info) const {
        return info.param.name;
    }
};

} // namespace testsupport
