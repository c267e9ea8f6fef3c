#include "core/document/delay.h"
#include "core/document/program_error.h"

#include "tests/support/named_rows.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct DelayRow {
    const char *name;
    std::string text;
    std::optional<std::int32_t> seconds; // none: the delay overflows
};

class DelayFromText : public testing::TestWithParam<DelayRow> {};

TEST_P(DelayFromText, takesTheNumberAtTheStartRoundedHalvesToEven) {
    std::optional<std::int32_t> seconds;
    try {
        seconds = delayFromText(GetParam().text);
    } catch (const ProgramError &failure) {
        EXPECT_EQ(failure.description(), "Overflow");
    }
    EXPECT_EQ(seconds, GetParam().seconds);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DelayFromText,
    testing::Values(DelayRow{"zero", "0", 0}, DelayRow{"whole", "5", 5},
                    DelayRow{"half_down", "2.5", 2}, DelayRow{"half_up", "3.5", 4},
                    DelayRow{"negative", "-1", -1}, DelayRow{"negative_half", "-2.5", -2},
                    DelayRow{"plus_sign", "+7", 7}, DelayRow{"leading_blanks", "  12", 12},
                    DelayRow{"tab_and_unit", "\t3 s", 3}, DelayRow{"word_after", "10seconds", 10},
                    DelayRow{"word", "soon", 0}, DelayRow{"empty", "", 0},
                    DelayRow{"sign_alone", "-", 0}, DelayRow{"point_alone", ".", 0},
                    DelayRow{"fraction_alone", ".5", 0}, DelayRow{"second_point", "1.5.3", 2},
                    DelayRow{"over_half", "0.51", 1}, DelayRow{"largest", "2147483647", 2147483647},
                    DelayRow{"smallest", "-2147483648", -2147483647 - 1},
                    DelayRow{"no_exponent", "1e3", 1},
                    DelayRow{"tiny_beyond_doubles", "0." + std::string(400, '0') + "1", 0},
                    DelayRow{"beyond_largest", "2147483648", std::nullopt},
                    DelayRow{"beyond_smallest", "-2147483649", std::nullopt},
                    DelayRow{"huge", "99999999999999999999999", std::nullopt},
                    DelayRow{"huge_beyond_doubles", "1" + std::string(400, '0'), std::nullopt}),
    testsupport::RowName());

} // namespace
