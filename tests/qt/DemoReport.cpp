#include "DemoReport.h"

#include "dates/Dates.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <string>

namespace mivra::demo {
namespace {

const char* const kTalks[] = {"Hur tron förändrar ett hem", "Att leva med hopp",
                              "Vänskap som håller", "Tid för eftertanke", "Ord som bygger upp"};
const char* const kSpeakers[] = {"Per Lund", "Erik Berg", "Anders Holm", "Johan Ek", "Lars Ström"};

/** The Monday of the week-th week from the shell tour's today, 2026-12-07. */
std::string WeekDate(int week) {
    const int first = dates::WeekNumberOf(CivilDate{2026, 12, 7});
    return dates::FormatCivil(dates::MondayDateOf(first + week), "%d %b %Y",
                              StringTable::Swedish());
}

} // namespace

int DemoScheduleReport::Layout(const reports::PageContext& c) {
    const reports::ReportGeometry& g = c.geometry;
    const int usable = g.PageHeight() - g.TopOffset() - g.Y(1) - (g.IsPrinter() ? g.Y(1, 4) : 0);
    m_perPage = std::max(1, usable / BlockHeight(g));
    return std::max(1, (m_weeks + m_perPage - 1) / m_perPage);
}

void DemoScheduleReport::DrawPage(const reports::PageContext& c, int page) {
    const reports::ReportGeometry& g = c.geometry;
    const int left = g.LeftOffset();
    const int right = g.X(775, 100);
    int y = g.PageTop(page) + g.TopOffset();
    c.canvas.SetBackground(false);
    c.canvas.SelectFont(g.Font(c.fonts[FontRole::Heading]));
    const int heading = c.canvas.Metrics().height;
    ui::Colour text = reports::DrawBand(c.canvas, {left, y, right, y + heading}, 1, 0, ui::kBlack);
    c.canvas.SetTextColour(text);
    c.canvas.DrawText({(left + right) / 2, y}, "Program för offentliga föredrag",
                      {ui::HAlign::Centre, ui::VAlign::Top});
    y += heading + g.Y(1, 2);
    const int first = (page - 1) * m_perPage;
    for (int week = first; week < std::min(m_weeks, first + m_perPage); ++week) {
        c.canvas.SelectFont(g.Font(c.fonts[FontRole::Date]));
        const int dateHeight = c.canvas.Metrics().height;
        c.canvas.SetTextColour(
            reports::DrawBand(c.canvas, {left, y, right, y + dateHeight}, 1, 0, ui::kBlack));
        c.canvas.DrawText({left + g.X(1, 20), y}, WeekDate(week));
        int line = y + dateHeight + g.Y(1, 20);
        c.canvas.SelectFont(g.Font(c.fonts[FontRole::Subheading]));
        c.canvas.SetTextColour(c.fonts[FontRole::Subheading].colour);
        c.canvas.DrawText({left, line}, "Tal:");
        c.canvas.DrawText({left, line + g.Y(1, 4)}, "Talare:");
        c.canvas.SelectFont(g.Font(c.fonts[FontRole::Talk]));
        c.canvas.SetTextColour(c.fonts[FontRole::Talk].colour);
        c.canvas.DrawText({left + g.X(1), line}, kTalks[week % 5]);
        c.canvas.SelectFont(g.Font(c.fonts[FontRole::Speaker]));
        c.canvas.SetTextColour(c.fonts[FontRole::Speaker].colour);
        c.canvas.DrawText({left + g.X(1), line + g.Y(1, 4)}, kSpeakers[week % 5]);
        y += BlockHeight(g);
    }
    c.canvas.SetBackground(true);
    c.canvas.SetTextColour(ui::kBlack);
}

} // namespace mivra::demo
