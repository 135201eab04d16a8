// The longest lists on the store benchmark's large folder: speakers with their talks (kind 2,
// every congregation) and talks with their speakers (kind 3) as PDFs laid out as
// `mivra-cli print` does it, and one screen repaint of a middle page of kind 2.
#include "LargeFolder.h"
#include "app/cli/ScheduleCommand.h"
#include "reports/Lists.h"
#include "resources/StringTable.h"
#include "store/CMvDoc.h"
#include "ui/qt/PdfRender.h"
#include "ui/qt/QtCanvas.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace mivra {
namespace {

struct LoadedFolder : bench::LargeFolder {
    LoadedFolder() : doc(StringTable::Swedish(), host, clock, dir.path()) { doc.LoadStore(); }
    CMvDoc doc;
};

void PrintList(benchmark::State& state, bool talks) {
    LoadedFolder folder;
    const ReportFonts fonts = cli::ScheduleCommand::FontsOf(folder.doc);
    cli::PdfRenderer pdf = [](const std::filesystem::path& path, const cli::PdfPages& pages) {
        ui::qt::PdfOptions options;
        options.dpi = pages.dpi;
        return ui::qt::RenderPdf(path, pages.pageCount, pages.draw, options);
    };
    int pages = 0;
    for (auto _ : state) {
        auto report = talks ? reports::TalksWithSpeakers(folder.doc)
                            : reports::SpeakersWithTalks(folder.doc, 0, 0);
        if (!cli::PrintReportPdf(folder.doc, *report, folder.dir / "list.pdf", fonts, pdf, pages)
                 .ok())
            state.SkipWithError("the PDF was not written");
    }
    state.counters["pages"] = pages;
}

void BM_SpeakersPdf(benchmark::State& state) {
    PrintList(state, false);
}
void BM_TalksPdf(benchmark::State& state) {
    PrintList(state, true);
}

// A repaint draws one laid-out page into the window's image, as the view does on scrolling.
void BM_SpeakersRepaint(benchmark::State& state) {
    int argc = 1;
    char name[] = "bench";
    char* argv[] = {name};
    QGuiApplication app(argc, argv);
    LoadedFolder folder;
    const ReportFonts fonts = cli::ScheduleCommand::FontsOf(folder.doc);
    auto report = reports::SpeakersWithTalks(folder.doc, 0, 0);
    const reports::Target target{};
    const reports::ReportGeometry g(target, 50, 20);
    QImage image(g.PageWidth(), g.PageHeight(), QImage::Format_RGB32);
    QPainter layoutPainter(&image);
    ui::qt::QtCanvas layoutCanvas(layoutPainter, 96, 96, false);
    const int pages = report->Layout({layoutCanvas, g, fonts});
    layoutPainter.end();
    const int middle = (pages + 1) / 2;
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        ui::qt::QtCanvas canvas(painter, 96, 96, false);
        canvas.SetOrigin({0, g.PageTop(middle)});
        report->DrawPage({canvas, g, fonts}, middle);
    }
    state.counters["pages"] = pages;
}

BENCHMARK(BM_SpeakersPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TalksPdf)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SpeakersRepaint)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace
} // namespace mivra
