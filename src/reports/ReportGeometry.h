#pragma once

#include "base/Clock.h"
#include "store/Settings.h"
#include "ui/Canvas.h"

#include <string_view>
#include <vector>

namespace mivra {
class StringTable;
}

// The page engine every report draws with: inches to device units of the target, margins,
// the 11-inch page strip, font scaling for printers, bands and the date stamp.
namespace mivra::reports {

/** Where a report is laid out: the target's resolution, and the screen's for font scaling. */
struct Target {
    int dpiX = 96;
    int dpiY = 96;
    int screenDpiX = 96;
    int screenDpiY = 96;
    bool printer = false; ///< paper or PDF: fits a quarter inch less, fonts scaled
    /** The canvas's origin is the sheet's corner (a PDF), not a printer's printable area. */
    bool wholeSheet = false;

    /** The target of a canvas: a printer when the canvas says so or its resolution is not
        the screen's. */
    static Target Of(const ui::Canvas& canvas, int screenDpiX, int screenDpiY);
};

inline constexpr int kPageHeightTenths = 110; ///< 11 inches
inline constexpr int kPageWidthTenths = 80;   ///< 8 inches

/** Rounded a × b ÷ c, halves away from zero, as the font scaling wants it. */
int MulDiv(int a, int b, int c);

class ReportGeometry {
public:
    ReportGeometry(const Target& target, int topMargin, int leftMargin);

    const Target& target() const { return m_target; }
    bool IsPrinter() const { return m_target.printer; }

    /** num/den inches as device units (truncated, as the layout rules count them). */
    int X(int num, int den = 1) const;
    int Y(int num, int den = 1) const;

    /** The top margin (half an inch when above one inch) plus a third of an inch. */
    int TopOffset() const;
    /** The left margin (half an inch when above one inch). */
    int LeftOffset() const;

    int PageHeight() const { return Y(kPageHeightTenths, 10); }
    int PageWidth() const { return X(kPageWidthTenths, 10); }
    /** Where page N (1-based) of the strip begins. */
    int PageTop(int page) const { return (page - 1) * PageHeight(); }
    /**
     * Where the report's coordinates begin on a sheet: the top left of the printable area. A
     * printer's canvas begins there already; a whole sheet takes a typical printer's
     * (ui::kSheetEdgeHundredths in from the corner), so a PDF looks as the paper does.
     */
    ui::Point PrintableOrigin() const;

    /** A report font for this target: printers scale it from screen units per axis. */
    ui::Font Font(const FontSpec& wanted) const;

private:
    Target m_target;
    int m_topMargin;
    int m_leftMargin;
};

/** Light colours keep black text on their band; dark ones take white text. */
bool IsLightColour(ui::Colour colour);

/**
 * Draws the band of a style (0 none, 1 grey, 2 black, 3 white lines, 4 coloured) behind a
 * text line and returns the colour the text on it takes.
 */
ui::Colour DrawBand(ui::Canvas& canvas, ui::Rect box, int style, ui::Colour bandColour,
                    ui::Colour textColour);

/**
 * A report's heading: centred at 4 in on the band of the options' style, spanning the line
 * from the left margin; afterwards texts are black and opaque again.
 */
void DrawHeading(ui::Canvas& canvas, const ReportGeometry& geometry, const ui::Font& font,
                 const DocOptions& options, int baseline, std::string_view text);

/** "Utskrivet dd Mmm yyyy" right-aligned at 7.75 in on the top edge of a page. */
void DrawDateStamp(ui::Canvas& canvas, const ReportGeometry& geometry, int pageTop,
                   const CivilDate& today, const StringTable& strings,
                   std::string_view languageCode);

/** Makes page N of the strip print at the top of a sheet's printable area, clipped to 11 inches. */
void SelectStripPage(ui::Canvas& canvas, const ReportGeometry& geometry, int page);

/**
 * The pages to send, in order. When the driver cannot make copies the range is sent once
 * per copy, each time from its first page.
 */
std::vector<int> PrintSequence(int firstPage, int lastPage, int copies, bool driverMakesCopies);

} // namespace mivra::reports
