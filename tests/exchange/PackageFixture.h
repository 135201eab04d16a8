#pragma once

#include "exchange/Package.h"
#include "support/DocFixture.h"
#include "support/PackageWriters.h"

#include <string>
#include <vector>

namespace mivra::test {

/**
 * A folder with a home congregation ("Hemby", key 1) and two others ("Väst" 2, "Norr" 3), two
 * circuits, and brothers who test the export rules: home officers and speakers, a suspended
 * speaker, a visiting congregation's speakers with contact records and weeks.
 */
class PackageTest : public DocTest {
protected:
    static constexpr int kCp = 1252;

    void WriteFolder() {
        dir.Write("circuit.dat",
                  Concat({CircuitBytes("Krets 4", 30001), CircuitBytes("Krets 7", 30002)}));
        dir.Write("cong.dat", SlotFile({{1, CongregationBytes{.name = "Hemby",
                                                              .address1 = "Sal 1",
                                                              .timeOdd = "10:00",
                                                              .key = 1,
                                                              .circuit = 30001,
                                                              .coordinator = 1,
                                                              .secretary = 2,
                                                              .talkCoordinator = 3}
                                                .Build()},
                                        {2, CongregationBytes{.name = "Väst",
                                                              .address1 = "Västsalen",
                                                              .phone1 = "031-1",
                                                              .timeOdd = "11:00",
                                                              .timeEven = "17:00",
                                                              .key = 2,
                                                              .circuit = 30002,
                                                              .coordinator = 5}
                                                .Build()},
                                        {3, CongregationBytes{.name = "Norr", .key = 3}.Build()}}));
        dir.Write(
            "speakers.dat",
            SlotFile(
                {{1, BrotherBytes{.first = "Anders",
                                  .last = "Alm",
                                  .talks = {1, 2},
                                  .roles = 0x16,
                                  .congregation = 1,
                                  .key = 1}
                         .Build()},
                 {2, BrotherBytes{.first = "Bo",
                                  .last = "Björk",
                                  .talks = {3},
                                  .status = 0x01,
                                  .roles = 0x04,
                                  .congregation = 1,
                                  .key = 2}
                         .Build()},
                 {3, BrotherBytes{.first = "Carl",
                                  .last = "Cedar",
                                  .talks = {4},
                                  .status = 0x20,
                                  .roles = 0x02,
                                  .congregation = 1,
                                  .key = 3}
                         .Build()},
                 {4, BrotherBytes{.first = "Dan",
                                  .last = "Dahl",
                                  .talks = {5},
                                  .roles = 0x04,
                                  .congregation = 1,
                                  .key = 4}
                         .Build()},
                 {5, BrotherBytes{.first = "Erik",
                                  .last = "Ek",
                                  .address1 = "Eksväg 5",
                                  .phone = "031-55",
                                  .talks = {6, 7},
                                  .status = 0x42,
                                  .roles = 0xE4,
                                  .congregation = 2,
                                  .key = 5,
                                  .extraSlot = 1}
                         .Build()},
                 {6, BrotherBytes{.first = "Fred", .last = "Fur", .congregation = 2, .key = 6}
                         .Build()},
                 {7,
                  BrotherBytes{
                      .first = "Gustav", .last = "Gran", .talks = {8}, .congregation = 2, .key = 7}
                      .Build()},
                 {8,
                  BrotherBytes{
                      .first = "Hans", .last = "Hed", .talks = {9}, .congregation = 3, .key = 8}
                      .Build()}}));
        dir.Write("xtend.dat", ExtraFile({{1, ExtraBytes{.owner = 5,
                                                         .phone2 = "070-2",
                                                         .email = "e@ek.se",
                                                         .remark = "Ring efter sex"}
                                                  .Build()}}));
        Bytes weeks;
        // Twelve weeks of Erik in scrambled order, one of them past.
        for (int offset : {30, 2, 40, -1, 11, 0, 5, 9, 1, 7, 3, 8, 4})
            weeks = Concat({weeks, AvailabilityBytes(5, static_cast<uint16_t>(W() + offset))});
        dir.Write("blackout.dat", weeks);
        dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=1\r\n");
    }

    static uint16_t W() { return static_cast<uint16_t>(CurrentWeek()); }

    exchange::Package ReadBack(const std::string& name) {
        exchange::PackageRead read = exchange::ReadPackage(dir / name, kCp);
        EXPECT_EQ(read.error, exchange::PackageError::None) << name;
        return read.package;
    }

    static std::vector<std::string> Names(const exchange::Package& package) {
        std::vector<std::string> names;
        for (const exchange::PackageBrother& b : package.brothers)
            names.push_back(b.firstName + " " + b.lastName);
        return names;
    }
};

} // namespace mivra::test
