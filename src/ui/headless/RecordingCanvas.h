#pragma once

#include "ui/Canvas.h"

#include <string>
#include <vector>

namespace mivra::ui::headless {

/**
 * A canvas that keeps every call, for tests. Its text metrics are fixed so geometry can be
 * asserted exactly: with h = |font height| (13 for the dialog font), each character is h/2
 * wide (the font's width when it has one), the cell is h high, the ascent 0.8 h.
 */
class RecordingCanvas : public Canvas {
public:
    struct Call {
        std::string op; ///< "font", "text", "wrap", "fill", "line", "pen", "clip", …
        Point at;
        Point to;
        Rect box;
        std::string text;
        Align align;
        Font font;     ///< the font selected when the call was made
        Colour colour; ///< text colour for texts, fill colour for fills
        bool opaque = false;
    };

    explicit RecordingCanvas(int dpiX = 96, int dpiY = 96, bool printer = false)
        : m_dpiX(dpiX), m_dpiY(dpiY), m_printer(printer) {}

    int DpiX() const override { return m_dpiX; }
    int DpiY() const override { return m_dpiY; }
    bool IsPrinter() const override { return m_printer; }
    void SelectFont(const Font& font) override;
    void SetTextColour(Colour colour) override;
    void SetBackground(bool opaque, Colour colour = kWhite) override;
    void DrawText(Point at, std::string_view text, Align align = {}) override;
    Size TextExtent(std::string_view text) override;
    FontMetrics Metrics() override;
    int DrawWrapped(Rect box, std::string_view text, HAlign align = HAlign::Left) override;
    int WrappedHeight(int width, std::string_view text) override;
    void FillRect(Rect box, Colour colour) override;
    void SetPen(const Pen& pen) override;
    void DrawLine(Point from, Point to) override;
    void SetClip(Rect box) override;
    void ClearClip() override;
    void SetOrigin(Point origin) override;
    void DrawPicture(const Picture& picture, Rect box) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    /** The calls of one kind, in order. */
    std::vector<Call> CallsOf(std::string_view op) const;
    /** The first text drawn that equals `text`, or null. */
    const Call* FindText(std::string_view text) const;
    /** One line per call, for golden files. */
    std::string Dump() const;
    /** The lines DrawWrapped breaks a text into at this width. */
    std::vector<std::string> WrapLines(int width, std::string_view text) const;

private:
    int CharWidth() const;
    int CellHeight() const;
    Call& Record(std::string op);

    int m_dpiX;
    int m_dpiY;
    bool m_printer;
    Font m_font;
    Colour m_textColour = kBlack;
    bool m_opaque = true;
    Colour m_background = kWhite;
    std::vector<Call> m_calls;
};

} // namespace mivra::ui::headless
