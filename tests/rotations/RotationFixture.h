#pragma once

#include "rotations/Rotations.h"
#include "schedule/SheetFixture.h"

#include <functional>
#include <string>

namespace mivra::test {

/**
 * A home congregation of five brothers in key order (Alm, Berg, Cederlund, Dahl, Ek: 1–3
 * chairmen, 2–5 readers) and a suspended one (Gran, 7, both roles), one from elsewhere, three hosts
 * (one stored with "~"), and the scheduling sheet over them. The first listed week is the current
 * one, F.
 */
class RotationTest : public SheetTest {
protected:
    static constexpr uint8_t kChair = 0x04;
    static constexpr uint8_t kRead = 0x10;

    void SetUp() override {
        SheetTest::SetUp();
        auto brother = [](const char* first, const char* last, uint16_t key, uint8_t roles,
                          uint16_t cong = 1) {
            return BrotherBytes{
                .first = first, .last = last, .roles = roles, .congregation = cong, .key = key}
                .Build();
        };
        dir.Write("speakers.dat", SlotFile({{1, brother("Anders", "Alm", 1, kChair)},
                                            {2, brother("Bertil", "Berg", 2, kChair | kRead)},
                                            {3, brother("Carl", "Cederlund", 3, kChair | kRead)},
                                            {4, brother("David", "Dahl", 4, kRead)},
                                            {5, brother("Erik", "Ek", 5, kRead)},
                                            {6, brother("Fredrik", "Fors", 6, kChair | kRead, 2)},
                                            {7, BrotherBytes{.first = "Gustav",
                                                             .last = "Gran",
                                                             .status = 0x20, // suspended
                                                             .roles = kChair | kRead,
                                                             .congregation = 1,
                                                             .key = 7}
                                                    .Build()}}));
        dir.Write("cong.dat",
                  SlotFile({{1, CongregationBytes{.name = "Norra", .key = 1}.Build()},
                            {2, CongregationBytes{.name = "Södra", .key = 2}.Build()}}));
        dir.Write("hospital.dat",
                  Concat({HostBytes("Familjen Holm", 30001), HostBytes("Familjen Ståhl", 30002),
                          HostBytes("~Familjen Lind", 30003)}));
        dir.Write("history.dat", {});
        dir.Write("special.dat", {});
        dir.WriteText("mivraw.ini", "[Congregation]\r\nNumber=1\r\n");
    }

    void SetHolder(int index, rotations::Duty duty, uint16_t key) {
        Set(index, [&](WeekRecord& w) { rotations::SetHolder(w, duty, key); });
    }
    uint16_t Holder(int index, rotations::Duty duty) {
        return rotations::HolderOf(doc->Weeks().Week(index), duty);
    }
    void Flags(int index, uint16_t flags) {
        Set(index, [flags](WeekRecord& w) { w.weekFlags = flags; });
    }
};

} // namespace mivra::test
