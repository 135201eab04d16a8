// Start-up load of a large data folder: 5,000 brothers, 1,000 congregations, a full week window
// and 10,000 unavailable weeks.
#include "LargeFolder.h"
#include "resources/StringTable.h"
#include "store/CBrotherListDlg.h"
#include "store/CMvDoc.h"
#include "ui/headless/HeadlessDialog.h"

#include <benchmark/benchmark.h>

namespace mivra {
namespace {

using namespace bench;

void BM_LoadStore(benchmark::State& state) {
    LargeFolder folder;
    for (auto _ : state) {
        CMvDoc doc(StringTable::Swedish(), folder.host, folder.clock, folder.dir.path());
        bool loaded = doc.LoadStore();
        benchmark::DoNotOptimize(loaded);
        if (doc.Brothers().BrotherCount() != kBrothers ||
            doc.Congregations().CongregationCount() != kCongregations)
            state.SkipWithError("the folder did not load");
    }
}
BENCHMARK(BM_LoadStore)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Filling the brother list of the large folder with a week's marks: plain (all 5,000) and the
// outgoing speakers of role 5.
void BM_BrotherList(benchmark::State& state) {
    LargeFolder folder;
    CMvDoc doc(StringTable::Swedish(), folder.host, folder.clock, folder.dir.path());
    doc.LoadStore();
    CBrotherListDlg::Options options{.week = doc.CurrentWeek() + 3};
    if (state.range(0) == 5)
        options = {.mode = CBrotherListDlg::Mode::Role,
                   .filter = doc.Congregations().OurCongregationKey(),
                   .role = 5,
                   .week = doc.CurrentWeek() + 3};
    for (auto _ : state) {
        CBrotherListDlg list(doc, options);
        ui::headless::HeadlessDialog d(folder.host, list);
        benchmark::DoNotOptimize(d.Rows(CBrotherListDlg::kList).size());
        d.Cancel();
    }
}
BENCHMARK(BM_BrotherList)->Arg(0)->Arg(5)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
} // namespace mivra

BENCHMARK_MAIN();
