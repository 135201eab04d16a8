// Planning a 5,000-line speaker CSV against the large folder: half its brothers by name (some
// in other congregations), half new, a tenth of them in congregations the folder lacks.
#include "LargeFolder.h"
#include "exchange/SpeakerCsv.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"

#include <benchmark/benchmark.h>

namespace mivra {
namespace {

using namespace bench;

std::string LargeCsv(const CMvDoc& doc) {
    std::string csv = "Förnamn;Efternamn;Församling;Telefon;E-post;Tal\n";
    const auto& brothers = doc.Brothers().Items();
    const auto& congregations = doc.Congregations().Items();
    std::mt19937 rng(11);
    for (int n = 0; n < 5000; ++n) {
        const bool known = n % 2 == 0;
        const BrotherIndexEntry& b = brothers[static_cast<size_t>(n) % brothers.size()];
        const std::string congregation =
            n % 10 == 1 ? "Ny församling " + std::to_string(n % 37)
                        : congregations[static_cast<size_t>(n * 7) % congregations.size()].name;
        csv += (known ? b.firstName : "Ny" + std::to_string(n)) + ";" +
               (known ? b.lastName : RandomName(rng)) + ";" + congregation + ";070-" +
               std::to_string(n) + ";t" + std::to_string(n) + "@exempel.se;\"1-5, 17 S-31\"\n";
    }
    return csv;
}

void BM_PlanSpeakerImport(benchmark::State& state) {
    LargeFolder folder;
    CMvDoc doc(StringTable::Swedish(), folder.host, folder.clock, folder.dir.path());
    doc.LoadStore();
    const std::string text = LargeCsv(doc);
    for (auto _ : state) {
        const exchange::SpeakerCsv csv = exchange::ParseSpeakerCsv(text);
        exchange::SpeakerImportPlan plan = exchange::PlanSpeakerImport(doc, csv);
        if (plan.lines.size() != 5000)
            state.SkipWithError("lines lost");
        benchmark::DoNotOptimize(plan.lines.data());
    }
}
BENCHMARK(BM_PlanSpeakerImport)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
} // namespace mivra
