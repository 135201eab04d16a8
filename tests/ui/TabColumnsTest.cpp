#include "ui/TabColumns.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

TEST(TabColumns, ColumnsStartAtTheirStopsOrJustAfterAnOverrun) {
    const std::vector<int> stops{62, 95, 200};
    // Six pixels a quarter unit: stops at 93, 142 and 300 pixels.
    EXPECT_EQ(ui::ColumnStarts(stops, std::vector{30, 20, 10}, 6, 4), (std::vector<int>{93, 142}));
    EXPECT_EQ(ui::ColumnStarts(stops, std::vector{100, 0, 0}, 6, 4), (std::vector<int>{104, 142}))
        << "a text past its column pushes only the next one, a blank after it";
    EXPECT_EQ(ui::ColumnStarts(stops, std::vector{10, 0, 0, 0, 7}, 6, 4),
              (std::vector<int>{93, 142, 300, 304}))
        << "past the last stop a tab is a blank";
    EXPECT_EQ(ui::ColumnStarts(std::vector{100}, std::vector{10, 10, 10}, 6, 4),
              (std::vector<int>{150, 300}))
        << "one stop repeats";
    EXPECT_EQ(ui::ColumnStarts({}, std::vector{10, 10, 10}, 6, 4), (std::vector<int>{48, 96}))
        << "without stops, every 32 units";
}

TEST(TabColumns, AClickFallsInTheColumnAsDrawn) {
    const std::vector<int> starts{104, 142};
    EXPECT_EQ(ui::ColumnAt(starts, 0), 0);
    EXPECT_EQ(ui::ColumnAt(starts, 100), 0) << "the overrun text still owns its stop's pixels";
    EXPECT_EQ(ui::ColumnAt(starts, 104), 1);
    EXPECT_EQ(ui::ColumnAt(starts, 141), 1);
    EXPECT_EQ(ui::ColumnAt(starts, 500), 2);
    EXPECT_EQ(ui::SplitColumns("a\t\tb"), (std::vector<std::string_view>{"a", "", "b"}));
}

} // namespace
} // namespace mivra
