#include "core/startup/placement.h"

#include "tests/support/named_rows.h"

#include <gtest/gtest.h>

namespace {

struct CentredRow {
    const char *name;
    double screen;
    double window;
    int position;
};

class CentredPosition : public testing::TestWithParam<CentredRow> {};

TEST_P(CentredPosition, roundsHalvesToEvenThenDropsTheRemainder) {
    EXPECT_EQ(centredPosition(GetParam().screen, GetParam().window), GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Table, CentredPosition,
                         testing::Values(CentredRow{"even_difference", 9600, 9000, 300},
                                         CentredRow{"odd_difference", 9601, 9000, 300},
                                         CentredRow{"wider_than_the_screen", 9000, 9601, -300},
                                         CentredRow{"same_size", 9000, 9000, 0},
                                         CentredRow{"half_to_even_below", 1000.5, 0, 500},
                                         CentredRow{"half_to_even_above", 1001.5, 0, 501}),
                         testsupport::RowName());

struct CoordinateRow {
    const char *name;
    std::string text;
    std::optional<double> twips; // none: not a usable window position
};

class StoredCoordinate : public testing::TestWithParam<CoordinateRow> {};

TEST_P(StoredCoordinate, isANumberThatFitsAWindowPosition) {
    EXPECT_EQ(storedCoordinate(GetParam().text), GetParam().twips);
}

INSTANTIATE_TEST_SUITE_P(Table, StoredCoordinate,
                         testing::Values(CoordinateRow{"whole", "1200", 1200.0},
                                         CoordinateRow{"blanks_around", " -45 ", -45.0},
                                         CoordinateRow{"off_the_screen", "99999", 99999.0},
                                         CoordinateRow{"fraction", "12.5", 12.5},
                                         CoordinateRow{"plus_sign", "+7", 7.0},
                                         CoordinateRow{"exponent", "1e3", 1000.0},
                                         CoordinateRow{"empty", "", std::nullopt},
                                         CoordinateRow{"word", "top", std::nullopt},
                                         CoordinateRow{"unit_after", "12px", std::nullopt},
                                         CoordinateRow{"two_signs", "+-5", std::nullopt},
                                         CoordinateRow{"not_a_number", "nan", std::nullopt},
                                         CoordinateRow{"infinite", "inf", std::nullopt},
                                         CoordinateRow{"too_large", "1e30", std::nullopt},
                                         CoordinateRow{"too_small", "-3e9", std::nullopt}),
                         testsupport::RowName());

} // namespace
