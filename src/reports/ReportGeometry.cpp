#include "reports/ReportGeometry.h"

#include "dates/Dates.h"
#include "resources/StringTable.h"
#include "ui/Printing.h"

#include <cstdint>
#include <cstdlib>

namespace mivra::reports {
namespace {

constexpr int kPrintedTextId = 60010; // "Utskrivet"

int Inches(int dpi, int num, int den) {
    return den == 0 ? 0 : static_cast<int>(static_cast<int64_t>(dpi) * num / den);
}

// A margin in hundredths of an inch; anything above an inch counts as half an inch.
int Margin(int dpi, int hundredths) {
    return hundredths > 100 ? Inches(dpi, 1, 2) : Inches(dpi, hundredths < 0 ? 0 : hundredths, 100);
}

} // namespace

Target Target::Of(const ui::Canvas& canvas, int screenDpiX, int screenDpiY) {
    Target t{canvas.DpiX(), canvas.DpiY(), screenDpiX, screenDpiY, false};
    t.printer = canvas.IsPrinter() || t.dpiX != screenDpiX;
    return t;
}

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    int64_t p = static_cast<int64_t>(a) * b;
    int64_t q = (std::llabs(p) + std::llabs(static_cast<int64_t>(c)) / 2) / std::llabs(c);
    return static_cast<int>(((p < 0) != (c < 0)) ? -q : q);
}

ReportGeometry::ReportGeometry(const Target& target, int topMargin, int leftMargin)
    : m_target(target), m_topMargin(topMargin), m_leftMargin(leftMargin) {}

int ReportGeometry::X(int num, int den) const {
    return Inches(m_target.dpiX, num, den);
}

int ReportGeometry::Y(int num, int den) const {
    return Inches(m_target.dpiY, num, den);
}

int ReportGeometry::TopOffset() const {
    return Margin(m_target.dpiY, m_topMargin) + Y(1, 3);
}

int ReportGeometry::LeftOffset() const {
    return Margin(m_target.dpiX, m_leftMargin);
}

ui::Point ReportGeometry::PrintableOrigin() const {
    if (!m_target.wholeSheet)
        return {};
    return {X(ui::kSheetEdgeHundredths, 100), Y(ui::kSheetEdgeHundredths, 100)};
}

ui::Font ReportGeometry::Font(const FontSpec& wanted) const {
    ui::Font f{wanted.height,         wanted.width,     wanted.weight,
               wanted.italic,         wanted.underline, wanted.charSet,
               wanted.pitchAndFamily, wanted.face,      wanted.colour};
    if (m_target.printer) {
        f.height = MulDiv(wanted.height, m_target.dpiY, m_target.screenDpiY);
        f.width = MulDiv(wanted.width, m_target.dpiX, m_target.screenDpiX);
    }
    return f;
}

bool IsLightColour(ui::Colour c) {
    int r = ui::Red(c), g = ui::Green(c), b = ui::Blue(c);
    return r + g + b > 374 || r > 251 || g > 251 || b > 251;
}

ui::Colour DrawBand(ui::Canvas& canvas, ui::Rect box, int style, ui::Colour bandColour,
                    ui::Colour textColour) {
    switch (style) {
    case 1:
        canvas.FillRect(box, ui::kLightGrey);
        return textColour;
    case 2:
        canvas.FillRect(box, ui::kBlack);
        return ui::kWhite;
    case 3:
        canvas.SetPen(ui::Pen{});
        canvas.DrawLine({box.left, box.top - 1}, {box.right, box.top - 1});
        canvas.DrawLine({box.left, box.bottom - 1}, {box.right, box.bottom - 1});
        return textColour;
    case 4:
        if (bandColour == 0)
            return textColour;
        canvas.FillRect(box, bandColour);
        return IsLightColour(bandColour) ? textColour : ui::kWhite;
    default:
        return textColour;
    }
}

void DrawHeading(ui::Canvas& canvas, const ReportGeometry& g, const ui::Font& font,
                 const DocOptions& o, int baseline, std::string_view text) {
    const int left = g.LeftOffset();
    const ui::Rect band{left - g.X(1, 90), baseline - std::abs(font.height) - g.Y(1, 90),
                        left + g.X(77, 10), baseline + g.Y(1, 90)};
    const ui::Colour colour = DrawBand(canvas, band, o.borderStyle, o.borderColour, font.colour);
    canvas.SetBackground(false);
    if (!text.empty()) {
        canvas.SelectFont(font);
        canvas.SetTextColour(colour);
        // The heading is a free line, centred on the page: no column cuts it.
        canvas.DrawText({g.X(4), baseline}, text, {ui::HAlign::Centre, ui::VAlign::Bottom});
    }
    canvas.SetBackground(true, ui::kWhite);
    canvas.SetTextColour(ui::kBlack);
}

void DrawDateStamp(ui::Canvas& canvas, const ReportGeometry& geometry, int pageTop,
                   const CivilDate& today, const StringTable& strings,
                   std::string_view languageCode) {
    FontSpec wanted;
    wanted.height = -9;
    wanted.weight = 400;
    wanted.pitchAndFamily = 18;
    wanted.face = strings.Get(1110);
    wanted.charSet = LanguageCharSet(languageCode);
    canvas.SelectFont(geometry.Font(wanted));
    canvas.SetTextColour(ui::kBlack);
    std::string text =
        strings.Get(kPrintedTextId) + dates::FormatCivil(today, " %d %b %Y", strings);
    canvas.DrawText({geometry.X(775, 100), pageTop}, text, {ui::HAlign::Right, ui::VAlign::Top});
}

void SelectStripPage(ui::Canvas& canvas, const ReportGeometry& geometry, int page) {
    const int top = geometry.PageTop(page);
    const ui::Point printable = geometry.PrintableOrigin();
    canvas.SetOrigin({-printable.x, top - printable.y});
    canvas.SetClip({0, top, geometry.PageWidth(), top + geometry.PageHeight()});
}

std::vector<int> PrintSequence(int firstPage, int lastPage, int copies, bool driverMakesCopies) {
    std::vector<int> pages;
    if (firstPage < 1 || lastPage < firstPage)
        return pages;
    int rounds = driverMakesCopies ? 1 : (copies < 1 ? 1 : copies);
    for (int round = 0; round < rounds; ++round)
        for (int p = firstPage; p <= lastPage; ++p)
            pages.push_back(p);
    return pages;
}

} // namespace mivra::reports
