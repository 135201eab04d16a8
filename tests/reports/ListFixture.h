#pragma once

#include "reports/ScheduleFixture.h"

namespace mivra::test {

/**
 * The schedule's folder with what the lists read besides: prepared talks, addresses, a contact
 * record, talk coordinators and a circuit. Bo (home, sent out) and Carl (home, reader only)
 * have talks; Dan of Östra is suspended.
 */
class ListTest : public ScheduleTest {
protected:
    static constexpr uint16_t kDan = 4;
    static constexpr uint16_t kCircuit = 30001;

    void WriteLists(std::initializer_list<WeekBytes> weeks,
                    std::initializer_list<EventBytes> events = {}) {
        WriteFolder(weeks, events);
        Bytes brothers = dir.Read("speakers.dat");
        auto put = [&brothers](size_t slot, const BrotherBytes& b) {
            const Bytes r = b.Build();
            std::copy(r.begin(), r.end(), brothers.begin() + static_cast<long>(slot * 256));
        };
        put(1, {.first = "Anders",
                .last = "Berg",
                .address1 = "Storgatan 1",
                .address2 = "123 45 Västra",
                .phone = "08-123 45 67",
                .talks = {12, 57, 102},
                .congregation = kVastra,
                .key = kAnders,
                .extraSlot = 1});
        put(2, {.first = "Bo",
                .last = "Ek",
                .address1 = "Ekvägen 2",
                .phone = "070-111 22 33",
                .talks = {3, 45},
                .roles = 0x06,
                .congregation = kHome,
                .key = kBo});
        put(3, {.first = "Carl",
                .last = "Dahl",
                .phone = "12345",
                .talks = {7},
                .roles = 0x10,
                .congregation = kHome,
                .key = kCarl});
        put(4, {.first = "Dan",
                .last = "Ås",
                .talks = {12},
                .status = 0x20,
                .congregation = kOstra,
                .key = kDan});
        dir.Write("speakers.dat", brothers);
        dir.Write("xtend.dat", ExtraFile({{1, ExtraBytes{.owner = kAnders,
                                                         .phone2 = "0701-23 45 67",
                                                         .email = "anders@example.org",
                                                         .remark = "Kommer med bil och familj"}
                                                  .Build()}}));
        dir.Write("cong.dat", SlotFile({{1, CongregationBytes{.name = "Hemby",
                                                              .address1 = "Kyrkvägen 1",
                                                              .phone1 = "08-555 00 00",
                                                              .timeOdd = "10:00",
                                                              .timeEven = "10:00",
                                                              .key = kHome,
                                                              .circuit = kCircuit,
                                                              .talkCoordinator = kBo}
                                                .Build()},
                                        {2, CongregationBytes{.name = "Västra",
                                                              .timeOdd = "10:00",
                                                              .timeEven = "13:30",
                                                              .key = kVastra,
                                                              .circuit = kCircuit,
                                                              .talkCoordinator = kAnders,
                                                              .weekdayOdd = 6,
                                                              .weekdayEven = 6}
                                                .Build()},
                                        {3, CongregationBytes{.name = "Östra",
                                                              .timeOdd = "11:00",
                                                              .timeEven = "11:00",
                                                              .key = kOstra}
                                                .Build()}}));
        dir.Write("circuit.dat", CircuitBytes("Krets Nord", kCircuit));
        Load();
        DocOptions& o = doc->Settings().MutableOptions();
        o.scheduleReaders = o.includeReaders = true;
    }
};

} // namespace mivra::test
