#include "store/NameList.h"

#include "base/Text.h"
#include "store/StoreContext.h"
#include "support/DocFixture.h"

namespace mivra {
namespace {

using test::Bytes;
using test::CongregationBytes;
using test::WeekBytes;

std::vector<std::string> StoredNames(const auto& list) {
    std::vector<std::string> names;
    for (const auto& record : list.Items())
        names.push_back(record.name);
    return names;
}

class NameLists : public test::DocTest {
protected:
    // One walk for each small list: the lists differ only in their file, key range and "~".
    template <class Record>
    void Walk(const NameListKind& kind, const char* file) {
        SCOPED_TRACE(file);
        NameList<Record> list(context, kind);
        EXPECT_EQ(list.Add("Östen"), 0);
        EXPECT_EQ(list.Add("beta"), 0);
        EXPECT_EQ(list.Add("Åsa"), 1);
        EXPECT_EQ(list.Add("Alfa"), 0);
        EXPECT_EQ(StoredNames(list), (std::vector<std::string>{"Alfa", "beta", "Åsa", "Östen"}));
        EXPECT_EQ(list.At(0)->key, kind.firstKey + 3) << "keys in the order added";

        EXPECT_EQ(list.Add(" BETA "), -1);
        EXPECT_EQ(list.Rename(0, "åsa"), -1);
        EXPECT_EQ(list.Rename(9, "Ny"), -1);
        const std::string notice = " " + strings.Get(1006) + "\n\n";
        EXPECT_EQ(TakeMessages(), (std::vector<std::string>{"beta" + notice, "Åsa" + notice}));
        EXPECT_EQ(list.CheckDuplicateName("alfa", false, 0), 0) << "its own entry";
        EXPECT_EQ(list.FindName("~beta"), kind.tildeHides ? 2 : 0);

        EXPECT_EQ(list.Rename(0, "Zeta"), 1) << "after b, before Å";
        EXPECT_EQ(list.IdByName("Zeta"), kind.firstKey + 3);
        EXPECT_EQ(list.NameByKey(kind.firstKey + 3), "Zeta");
        EXPECT_TRUE(list.Delete(list.IndexOfKey(kind.firstKey)));
        EXPECT_FALSE(list.Delete(3));
        EXPECT_EQ(list.Items()[static_cast<size_t>(list.Add("Ny"))].key, kind.firstKey)
            << "a deleted record's key is the smallest free one";

        ASSERT_TRUE(list.Save());
        EXPECT_EQ(dir.Read(file).size(), 4 * Record::kSize);
        NameList<Record> reread(context, kind);
        ASSERT_TRUE(reread.Load());
        EXPECT_EQ(StoredNames(reread), (std::vector<std::string>{"beta", "Ny", "Zeta", "Åsa"}));

        for (uint32_t key = kind.firstKey; key <= kind.lastKey; ++key)
            if (!list.FindByKey(static_cast<uint16_t>(key)))
                list.Append({"n", static_cast<uint16_t>(key)});
        EXPECT_EQ(list.AllocateKey(), 0);
        EXPECT_EQ(list.Add("Sist"), -1) << "never a second record with the last key";
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{strings.Format(60006, Path(file))});
    }

    StoreContext context{strings, host, dir.path()};
};

TEST_F(NameLists, CircuitsTopicsAndHostsAddRenameRefuseDuplicatesDeleteAndAllocateKeys) {
    Walk<CircuitRecord>(names::kCircuits, "circuit.dat");
    Walk<TopicRecord>(names::kTopics, "topic.dat");
    Walk<HostRecord>(names::kHosts, "hospital.dat");
}

TEST_F(NameLists, HostsLoadRoundTripAndShowTextsWithoutOneLeadingTilde) {
    Bytes file = test::Concat({test::HostBytes("~Berg", 30002), test::HostBytes("Ås", 30001),
                               test::HostBytes("~~Dubbel", 30005)});
    NameList<HostRecord> hosts(context, names::kHosts);
    hosts.Load(file);
    EXPECT_EQ(hosts.Encode(), file);
    EXPECT_EQ(hosts.Name(0), "Berg");
    EXPECT_EQ(hosts.Name(2), "~Dubbel");
    EXPECT_EQ(hosts.Name(3), "");
    EXPECT_EQ(hosts.FindByKey(30005), 3);
    EXPECT_EQ(hosts.FindByKey(0), 0);
    EXPECT_EQ(hosts.FindName(" berg "), 1) << "compared as shown, ignoring case";
    EXPECT_EQ(hosts.FindName("berg", 0), 0);
    EXPECT_EQ(hosts.AllocateKey(), 30003);
}

TEST_F(NameLists, HostsSortByTheStoredTextInSwedishOrder) {
    NameList<HostRecord> hosts(context, names::kHosts);
    hosts.Load(test::Concat({test::HostBytes("Östen", 30001), test::HostBytes("~Adam", 30002),
                             test::HostBytes("Åke", 30003), test::HostBytes("Zäta", 30004),
                             test::HostBytes("Bo", 30005)}));
    hosts.Sort();
    EXPECT_EQ(StoredNames(hosts),
              (std::vector<std::string>{"~Adam", "Bo", "Zäta", "Åke", "Östen"}));
}

TEST_F(NameLists, CircuitsRefuseDuplicatesAllocateKeysAndClearTheirCongregations) {
    dir.Write("circuit.dat", test::Concat({test::CircuitBytes("Norr", 30001),
                                           test::CircuitBytes("Söder", 30003)}));
    dir.Write(
        "cong.dat",
        test::SlotFile({{1, CongregationBytes{.name = "A", .key = 1, .circuit = 30003}.Build()}}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Circuits().Add("söder"), -1);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Söder " + strings.Get(1006) + "\n\n"});
    int added = d.Circuits().Add("Väster");
    EXPECT_EQ(d.Circuits().Items()[static_cast<size_t>(added)].key, 30002);
    EXPECT_EQ(d.Circuits().Name(2), "Väster");
    EXPECT_EQ(d.Circuits().IdByName("Söder"), 30003);
    EXPECT_EQ(d.Circuits().IdByName("söder"), 0) << "an exact match";
    EXPECT_EQ(d.Circuits().Rename(0, "Öst"), 2);
    EXPECT_EQ(d.Circuits().Rename(0, "VÄSTER"), -1);
    TakeMessages();

    ASSERT_TRUE(d.DeleteCircuit(d.Circuits().FindByKey(30003) - 1));
    EXPECT_EQ(d.Congregations().Congregation(0)->circuitId, 0);
    CongregationRecord rec;
    d.Congregations().ReadCongregation(0, rec);
    EXPECT_EQ(rec.circuitId, 0) << "written at once";
    ASSERT_TRUE(d.Circuits().Save());
    EXPECT_EQ(dir.Read("circuit.dat"), test::Concat({test::CircuitBytes("Väster", 30002),
                                                     test::CircuitBytes("Öst", 30001)}));
    EXPECT_EQ(d.Circuits().NameByKey(30003), "");
    EXPECT_EQ(d.Circuits().Name(9), "");
}

TEST_F(NameLists, DeletingAHostClearsHisWeeksAndTheLastHostStaysDeleted) {
    dir.Write("hospital.dat", test::HostBytes("~Berg", 30001));
    dir.Write("history.dat", test::Concat({WeekBytes{.week = kBase + 10, .host = 30001}.Build(),
                                           WeekBytes{.week = kBase + 11, .host = 30002}.Build()}));
    CMvDoc& d = LoadQuietly();
    EXPECT_EQ(d.Hosts().Name(0), "Berg");
    EXPECT_EQ(d.Hosts().NameByKey(30001), "Berg");
    EXPECT_EQ(d.Hosts().IdByName("Berg"), 30001);
    EXPECT_EQ(d.Hosts().Add("BERG"), -1) << "compared as shown";
    TakeMessages();
    ASSERT_TRUE(d.DeleteHost(0));
    ASSERT_TRUE(d.Hosts().Save());
    EXPECT_EQ(dir.Read("hospital.dat"), Bytes{}) << "an empty file, not the old one";
    CMvDoc& reloaded = LoadQuietly();
    EXPECT_EQ(reloaded.Hosts().Count(), 0);
    EXPECT_EQ(reloaded.Weeks().Week(kBase + 9).host, 0)
        << "his id, reused by the next host, is gone";
    EXPECT_EQ(reloaded.Weeks().Week(kBase + 10).host, 30002);
    int added = reloaded.Hosts().Add("Ny");
    EXPECT_EQ(reloaded.Hosts().At(added)->key, 30001);
    EXPECT_EQ(reloaded.Weeks().Week(kBase + 9).host, 0);
}

} // namespace
} // namespace mivra
