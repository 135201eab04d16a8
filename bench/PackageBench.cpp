// Importing a package of 1,000 brothers into the large folder: the plan alone, and the plan
// carried out (every record written, one sort, the weeks saved). Writes are not synced, as in
// the load benchmark, so the figures are the program's work rather than the disk's.
#include "LargeFolder.h"
#include "exchange/PackageImport.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <benchmark/benchmark.h>

namespace mivra {
namespace {

using namespace bench;

constexpr int kPackageBrothers = 1000;

/**
 * Into the congregation of brothers 1000, 2000 … (key 1): its own five brothers, 200 of
 * other congregations, who move, and 795 new ones, each with ten weeks from the current one.
 */
exchange::Package LargePackage(const CMvDoc& doc) {
    exchange::Package package;
    package.header.name = doc.Congregations().CongregationNameByKey(1, false);
    package.header.address1 = "Rikets sal";
    const int w = doc.CurrentWeek();
    std::mt19937 rng(7);
    auto brother = [&](std::string first, std::string last, int n) {
        exchange::PackageBrother b;
        b.firstName = std::move(first);
        b.lastName = std::move(last);
        b.phone2 = "070-" + std::to_string(n);
        b.talks.Set(n % 256 + 1);
        b.roles = 0x02;
        for (size_t i = 0; i < exchange::kPackageWeeks; ++i)
            b.weeks[i] = static_cast<uint16_t>(w + static_cast<int>(i) * 3 + n % 3);
        return b;
    };
    const auto& items = doc.Brothers().Items();
    int moving = 0;
    for (const BrotherIndexEntry& e : items) {
        const bool own = e.congregationKey == 1;
        if (own || (moving < 200 && e.brotherKey % 7 == 0 && e.congregationKey != 7)) {
            moving += own ? 0 : 1;
            package.brothers.push_back(brother(e.firstName, e.lastName, e.brotherKey));
        }
    }
    for (int n = 0; static_cast<int>(package.brothers.size()) < kPackageBrothers; ++n)
        package.brothers.push_back(brother("Ny" + std::to_string(n), RandomName(rng), n));
    return package;
}

void BM_PlanImport(benchmark::State& state) {
    LargeFolder folder;
    CMvDoc doc(StringTable::Swedish(), folder.host, folder.clock, folder.dir.path());
    doc.LoadStore();
    const exchange::Package package = LargePackage(doc);
    for (auto _ : state) {
        exchange::ImportPlan plan = exchange::PlanImport(doc, package, package.header.name, 30001);
        benchmark::DoNotOptimize(plan.lines.data());
    }
}
BENCHMARK(BM_PlanImport)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CommitImport(benchmark::State& state) {
    LargeFolder folder;
    for (auto _ : state) {
        state.PauseTiming();
        WriteLargeFolder(folder.dir);
        CMvDoc doc(StringTable::Swedish(), folder.host, folder.clock, folder.dir.path());
        doc.LoadStore();
        const exchange::Package package = LargePackage(doc);
        const exchange::ImportPlan plan =
            exchange::PlanImport(doc, package, package.header.name, 30001);
        state.ResumeTiming();
        const exchange::ImportOutcome done = exchange::CommitImport(doc, package, plan);
        if (!done.complete || done.added != 795 || done.updated != 205)
            state.SkipWithError("the import did not go through");
    }
}
BENCHMARK(BM_CommitImport)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
} // namespace mivra
