#include "resources/StringTable.h"

#include "resources/Embedded.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>

namespace mivra {
namespace {

TEST(StringTable, ParsesEscapesCommentsAndKeepsBlanks) {
    StringTable t = StringTable::Parse("# comment\n1\ta\\nb\\tc\\\\d\n2\t \n3\t\r\nbad line\n");
    EXPECT_EQ(t.Get(1), "a\nb\tc\\d");
    EXPECT_EQ(t.Get(2), " ");
    EXPECT_TRUE(t.Has(3));
    EXPECT_EQ(t.Get(3), "");
    EXPECT_EQ(t.Get(99), "");
}

TEST(StringTable, FormatReplacesBothInserts) {
    EXPECT_EQ(FormatInserts("%1 är förordnad till %2 församling.", "Per", "Öster"),
              "Per är förordnad till Öster församling.");
    EXPECT_EQ(FormatInserts("100%", "x"), "100%");
}

TEST(StringTable, SwedishTableHoldsTheFoundationTexts) {
    const StringTable& s = StringTable::Swedish();
    EXPECT_EQ(s.Get(1198), "sve");
    EXPECT_EQ(s.Get(1244), "speakers.dat");
    EXPECT_EQ(s.Get(1296), "cong.dat");
    EXPECT_EQ(s.Get(3), "Januari");
    EXPECT_EQ(s.Get(1226), "Dec");
    EXPECT_EQ(s.Get(1258), "Söndag");
    for (int id = 401; id <= 600; ++id)
        EXPECT_GE(s.Get(id).size(), 10u) << id;
    for (int id = 601; id <= 656; ++id)
        EXPECT_TRUE(s.Has(id) && s.Get(id).empty()) << id;
    for (int id = 701; id <= 710; ++id)
        EXPECT_FALSE(s.Get(id).empty()) << id;
    EXPECT_NE(s.Get(1231).find("%1"), std::string::npos);
}

// Texts are added by several hands; a second line with the same id would silently win.
TEST(StringTable, SwedishTableGivesEachIdOnce) {
    std::istringstream lines(std::string(resources::Find("strings/sve.txt").value_or("")));
    std::set<int> seen;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#' || line.find('\t') == std::string::npos)
            continue;
        const int id = std::atoi(line.c_str());
        EXPECT_TRUE(seen.insert(id).second) << "id " << id << " is given twice";
    }
    EXPECT_GT(seen.size(), 600u);
}

} // namespace
} // namespace mivra
