#pragma once

#include "support/DocFixture.h"

#include <initializer_list>
#include <string>

namespace mivra::test {

/**
 * A home congregation "Berga" with two home brothers who go out (Anders Berg, Bo Alm), and a
 * visiting congregation "Dala" with a speaker (Carl Dahl); weeks are put in by the helpers.
 */
class HistoryTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        LoadQuietly();
        home = AddCongregation("Berga");
        dala = AddCongregation("Dala");
        anders = AddBrother("Anders", "Berg", home, {12, 30}, kMinisterialServant);
        bo = AddBrother("Bo", "Alm", home, {7});
        carl = AddBrother("Carl", "Dahl", dala, {5});
        doc->SetOurCongregation(home);
        for (size_t p = 0; p < doc->Brothers().OurBrothers().size(); ++p)
            doc->Brothers().SetOurBrotherRoles(static_cast<int>(p), kRoleOutgoingSpeaker);
        f = doc->FirstShownWeek();
    }

    uint16_t AddCongregation(const std::string& name, uint16_t circuit = 0) {
        CongregationRecord c;
        c.name = name;
        c.circuitId = circuit;
        CongregationStore& store = doc->Congregations();
        return store.Congregation(store.AddCongregation(c))->congregationKey;
    }
    uint16_t AddBrother(const std::string& first, const std::string& last, uint16_t cong,
                        std::initializer_list<int> talks, int appointment = kNoAppointment) {
        BrotherRecord b;
        b.firstName = first;
        b.lastName = last;
        b.congregationKey = cong;
        b.appointment = appointment;
        for (int t : talks)
            b.repertoire.Set(t, true);
        BrotherStore& store = doc->Brothers();
        return store.Brother(store.AddBrother(b, {}))->brotherKey;
    }
    void PutHome(int weekIndex, uint16_t talk, uint16_t speaker, uint16_t cong) {
        WeekRecord w = doc->Weeks().Week(weekIndex);
        w.homeTalk = talk;
        w.homeSpeaker = static_cast<int16_t>(speaker);
        w.homeCongregation = static_cast<int16_t>(cong);
        doc->Weeks().StoreWeek(w, weekIndex);
    }
    void PutOut(int weekIndex, size_t slot, uint16_t speaker, uint16_t dest, uint16_t talk) {
        WeekRecord w = doc->Weeks().Week(weekIndex);
        w.outSpeaker[slot] = static_cast<int16_t>(speaker);
        w.outCongregation[slot] = static_cast<int16_t>(dest);
        w.outTalk[slot] = talk;
        doc->Weeks().StoreWeek(w, weekIndex);
    }
    std::string Date(int weekIndex, int flags = 26) const {
        return doc->FormatDate(weekIndex + 1, flags);
    }

    uint16_t home = 0, dala = 0, anders = 0, bo = 0, carl = 0;
    int f = 0;
};

} // namespace mivra::test
