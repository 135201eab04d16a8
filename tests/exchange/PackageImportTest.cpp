#include "exchange/PackageImport.h"

#include "exchange/PackageFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mivra {
namespace {

using namespace exchange;
using test::PackageBrotherBytes;
using ::testing::ElementsAre;

class PackageImport : public test::PackageTest {
protected:
    void SetUp() override {
        PackageTest::SetUp();
        WriteFolder();
        LoadQuietly();
    }

    Package Make(const std::vector<PackageBrotherBytes>& brothers, std::string name = "Väst",
                 std::string circuit = "Krets 7") {
        PackageRead read = DecodePackage(test::PackageFile({.name = std::move(name),
                                                            .address1 = "Ny sal",
                                                            .timeOdd = "9:30",
                                                            .circuit = std::move(circuit)},
                                                           brothers),
                                         kCp);
        EXPECT_EQ(read.error, PackageError::None);
        return read.package;
    }

    ImportPlan Plan(const Package& package, std::vector<bool> selected = {}) {
        const int match = FindCongregationByName(*doc, package.header.name);
        return PlanImport(*doc, package, package.header.name,
                          InitialCircuit(*doc, package.header, match), selected);
    }

    ImportOutcome Import(const Package& package, std::vector<bool> selected = {}) {
        return CommitImport(*doc, package, Plan(package, std::move(selected)));
    }

    const BrotherIndexEntry* Named(const std::string& first, const std::string& last,
                                   uint16_t congregation) {
        for (const BrotherIndexEntry& e : doc->Brothers().Items())
            if (e.firstName == first && e.lastName == last && e.congregationKey == congregation)
                return &e;
        return nullptr;
    }

    static std::vector<std::string> Fields(const LinePlan& line) {
        std::vector<std::string> fields;
        for (const FieldChange& c : line.changes)
            fields.push_back(c.field);
        return fields;
    }

    CongregationRecord Congregation(uint16_t key) {
        CongregationRecord record;
        doc->Congregations().ReadCongregation(doc->Congregations().FindCongregationByKey(key) - 1,
                                              record);
        return record;
    }
};

TEST_F(PackageImport, ThePlanIsWhatTheCommitDoesAndASecondImportChangesNothing) {
    const Package package =
        Make({{.first = "Erik",
               .last = "Ek",
               .address1 = "Eksväg 5",
               .phone = "031-55",
               .phone2 = "070-2",
               .email = "e@ek.se",
               .talks = {6, 7, 9},
               .status = 0x42,
               .roles = 0x04 | kOfficerCoordinator},
              {.first = "Ivar", .last = "Ny", .phone3 = "08-3", .talks = {10}, .roles = 0x40}});
    const ImportPlan plan = Plan(package);
    EXPECT_EQ(plan.congregationKey, 2);
    EXPECT_EQ(plan.circuitId, 30002);
    ASSERT_EQ(plan.lines.size(), 2u);
    EXPECT_EQ(plan.lines[0].action, LineAction::Update);
    EXPECT_THAT(Fields(plan.lines[0]), ElementsAre("talks", "roles")) << "0xe4 masked";
    EXPECT_EQ(plan.lines[1].action, LineAction::Add);
    // Fred and Gustav are not in the package.
    EXPECT_EQ(plan.detach, (std::vector<uint16_t>{6, 7}));

    const ImportOutcome done = CommitImport(*doc, package, plan);
    EXPECT_TRUE(done.complete);
    EXPECT_EQ(done.added, 1);
    EXPECT_EQ(done.updated, 1);
    EXPECT_EQ(done.detached, 2);
    EXPECT_TRUE(host.Messages().empty());
    const BrotherIndexEntry* ivar = Named("Ivar", "Ny", 2);
    ASSERT_NE(ivar, nullptr);
    EXPECT_EQ(Congregation(2).talkCoordinatorKey, ivar->brotherKey);
    EXPECT_EQ(Congregation(2).address1, "Ny sal");
    EXPECT_EQ(Named("Fred", "Fur", 0)->brotherKey, 6);
    EXPECT_TRUE(doc->Brothers().Brother(doc->Brothers().FindBrotherByKey(5))->repertoire.Has(9));

    // A second document reads what was written, and the same package changes nothing.
    Load();
    const ImportPlan again = Plan(package);
    for (const LinePlan& line : again.lines)
        EXPECT_EQ(line.action, LineAction::Unchanged) << line.name;
    EXPECT_TRUE(again.detach.empty());
    EXPECT_TRUE(again.congregationChanges.empty());
    const int brothers = doc->Brothers().BrotherCount();
    EXPECT_EQ(CommitImport(*doc, package, again).added, 0);
    EXPECT_EQ(doc->Brothers().BrotherCount(), brothers);
}

TEST_F(PackageImport, AnUnselectedLineIsNeitherImportedNorDetached) {
    const Package package = Make({{.first = "Gustav", .last = "Gran", .talks = {1}},
                                  {.first = "Jon", .last = "Jul", .talks = {2}}});
    const ImportPlan plan = Plan(package, {false, false});
    EXPECT_EQ(plan.SelectedCount(), 0);
    EXPECT_EQ(plan.detach, (std::vector<uint16_t>{5, 6}));
    CommitImport(*doc, package, plan);
    EXPECT_EQ(Named("Jon", "Jul", 2), nullptr);
    EXPECT_FALSE(Named("Gustav", "Gran", 2)->repertoire.Has(1));
}

// A home brother named like a visiting speaker stays at home; a namesake in the importing
// congregation wins over one elsewhere, and a move shows in the plan.
TEST_F(PackageImport, TheNamesakeIsLookedForInTheImportingCongregationFirst) {
    dir.Write(
        "speakers.dat",
        test::Concat(
            {dir.Read("speakers.dat"),
             test::BrotherBytes{.first = "Gustav", .last = "Gran", .congregation = 3, .key = 9}
                 .Build(),
             test::BrotherBytes{.first = "Olle", .last = "Ort", .congregation = 3, .key = 10}
                 .Build()}));
    Load();
    const Package package = Make({{.first = "Anders", .last = "Alm", .talks = {1}},
                                  {.first = "Gustav", .last = "Gran", .talks = {8}},
                                  {.first = "Olle", .last = "Ort", .talks = {3}}});
    const ImportPlan plan = Plan(package);
    EXPECT_EQ(plan.lines[0].action, LineAction::Add) << "never the home brother";
    EXPECT_EQ(plan.lines[1].brotherKey, 7);
    EXPECT_EQ(plan.lines[1].action, LineAction::Unchanged);
    EXPECT_TRUE(plan.lines[2].moves);
    EXPECT_EQ(plan.lines[2].fromCongregation, 3);
    EXPECT_THAT(Fields(plan.lines[2]), ElementsAre("talks", "congregation"));
    CommitImport(*doc, package, plan);
    EXPECT_NE(Named("Anders", "Alm", 1), nullptr);
    EXPECT_NE(Named("Anders", "Alm", 2), nullptr);
    EXPECT_NE(Named("Gustav", "Gran", 3), nullptr);
    EXPECT_NE(Named("Olle", "Ort", 2), nullptr);
    // Importing into the home congregation does take its own brother, and detaches nobody.
    const ImportPlan home =
        Plan(Make({{.first = "Anders", .last = "Alm", .talks = {1, 2}}}, "hemby"));
    EXPECT_TRUE(home.intoHome);
    EXPECT_EQ(home.lines[0].brotherKey, 1);
    EXPECT_TRUE(home.detach.empty());
}

// The name key trims, cuts to the stored 18 characters and ignores case everywhere: a matched
// brother is never detached, and a name wider than the store still matches.
TEST_F(PackageImport, OneNameKeyForMatchingAndDetaching) {
    dir.Write("speakers.dat",
              test::Concat(
                  {dir.Read("speakers.dat"),
                   test::BrotherBytes{
                       .first = std::string(18, 'q'), .last = "Lång", .congregation = 2, .key = 9}
                       .Build()}));
    Load();
    const Package package = Make({{.first = "  gustav ", .last = "GRAN  ", .talks = {8}},
                                  {.first = std::string(30, 'Q'), .last = "LÅNG"},
                                  {.first = "Utan", .last = "  "},
                                  {.first = "Gustav", .last = "gran"},
                                  {.first = "Fred", .last = "Fur", .pokes = {{364, 1}}}});
    const ImportPlan plan = Plan(package);
    EXPECT_EQ(plan.lines[0].brotherKey, 7);
    EXPECT_EQ(plan.lines[1].brotherKey, 9);
    EXPECT_EQ(plan.lines[2].skip, SkipReason::NoLastName);
    EXPECT_EQ(plan.lines[3].skip, SkipReason::SameNameAsEarlier);
    EXPECT_EQ(plan.lines[3].sameAsRecord, 1);
    EXPECT_EQ(plan.lines[4].action, LineAction::Unchanged) << "a past week changes nothing";
    EXPECT_THAT(plan.detach, ElementsAre(5)) << "only Erik is named by no line";
    const int before = doc->Brothers().BrotherCount();
    CommitImport(*doc, package, plan);
    EXPECT_EQ(doc->Brothers().BrotherCount(), before) << "the skipped lines add nobody";
    EXPECT_EQ(doc->Brothers().Brother(doc->Brothers().FindBrotherByKey(7))->congregationKey, 2);
    EXPECT_EQ(doc->Brothers().Brother(doc->Brothers().FindBrotherByKey(5))->congregationKey, 0);
    EXPECT_EQ(Congregation(2).coordinatorKey, 0) << "a detached officer is no longer one";
}

TEST_F(PackageImport, WeeksFromTheCurrentOneToThePackagesLatestBecomeThePackages) {
    const uint16_t w = W();
    // Erik has W … W+9, W+11, W+30, W+40; the package says W, W+2, W+20.
    const Package package = Make({{.first = "Erik",
                                   .last = "Ek",
                                   .address1 = "Eksväg 5",
                                   .phone = "031-55",
                                   .phone2 = "070-2",
                                   .email = "e@ek.se",
                                   .talks = {6, 7},
                                   .status = 0x42,
                                   .roles = 0x24,
                                   .weeks = {uint16_t(w + 20), w, uint16_t(w + 2)}},
                                  {.first = "Kim", .last = "Kol", .weeks = {65535, w}}});
    const ImportPlan plan = Plan(package);
    EXPECT_THAT(Fields(plan.lines[0]), ElementsAre("roles", "availability"));
    EXPECT_EQ(plan.lines[0].changes.back().after,
              std::to_string(w) + " " + std::to_string(w + 2) + " " + std::to_string(w + 20));
    CommitImport(*doc, package, plan);
    EXPECT_EQ(doc->Availability().ListUnavailableWeeks(5, 0).size(), 5u);
    for (int offset : {0, 2, 20, 30, 40})
        EXPECT_FALSE(doc->Availability().IsAvailable(5, static_cast<uint16_t>(w + offset)))
            << offset;
    for (int offset : {1, 3, 9, 11})
        EXPECT_TRUE(doc->Availability().IsAvailable(5, static_cast<uint16_t>(w + offset)))
            << offset;
    const uint16_t kim = Named("Kim", "Kol", 2)->brotherKey;
    EXPECT_FALSE(doc->Availability().IsAvailable(kim, w));
    EXPECT_FALSE(doc->Availability().IsAvailable(kim, 65535));
    EXPECT_FALSE(doc->Availability().Changed()) << "saved";
    Load();
    EXPECT_FALSE(doc->Availability().IsAvailable(kim, 65535));
}

TEST_F(PackageImport, ANewCongregationWithoutCircuitAndTheStateAfterwards) {
    const Package package = Make({{.first = "Öjvind", .last = "Ö", .talks = {1}},
                                  {.first = "Adam", .last = "Aaa", .talks = {2}}},
                                 "Söder", "");
    EXPECT_EQ(InitialCircuit(*doc, package.header, 0), 0);
    const ImportPlan plan = Plan(package);
    EXPECT_TRUE(plan.NewCongregation());
    CommitImport(*doc, package, plan);
    const int index = FindCongregationByName(*doc, "söder");
    ASSERT_NE(index, 0);
    const CongregationIndexEntry& c = *doc->Congregations().Congregation(index - 1);
    EXPECT_EQ(c.circuitId, 0);
    EXPECT_EQ(c.meetingTimeOdd, "9:30") << "its index entry is refreshed";
    // One sort after the adds: the index is in name order again.
    EXPECT_EQ(doc->Brothers().BrotherName(0, true), "Aaa, Adam");
    EXPECT_EQ(doc->Brothers().BrotherName(doc->Brothers().BrotherCount() - 1, true), "Ö, Öjvind");
}

TEST_F(PackageImport, AFailedWriteStopsTheImportAndSaysSo) {
    const Package package = Make({{.first = "Erik", .last = "Ek", .talks = {1}},
                                  {.first = "Ny", .last = "Nysson", .talks = {2}}});
    FailWritesTo("speakers.dat");
    const ImportOutcome done = Import(package);
    EXPECT_FALSE(done.complete);
    EXPECT_TRUE(done.congregation);
    EXPECT_EQ(done.detached, 0) << "nobody is detached after the failure";
    EXPECT_THAT(TakeMessages(), ElementsAre(strings.Format(1231, Path("speakers.dat"))));
    io::SetFaultHook(nullptr);
}

} // namespace
} // namespace mivra
