#pragma once

#include "ui/Canvas.h"

#include <QFont>
#include <QPen>

class QPainter;
class QPaintDevice;

namespace mivra::ui::qt {

/** The font a description stands for on a device, heights in that device's pixels. */
QFont ToQFont(const Font& font, QPaintDevice* device);

/** A Canvas over a QPainter: a screen widget, a printer or a PDF page. */
class QtCanvas : public Canvas {
public:
    QtCanvas(QPainter& painter, int dpiX, int dpiY, bool printer);

    int DpiX() const override { return m_dpiX; }
    int DpiY() const override { return m_dpiY; }
    bool IsPrinter() const override { return m_printer; }
    void SelectFont(const Font& font) override;
    void SetTextColour(Colour colour) override { m_textColour = colour; }
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

private:
    QPainter& m_painter;
    int m_dpiX;
    int m_dpiY;
    bool m_printer;
    Colour m_textColour = kBlack;
    bool m_opaque = true;
    Colour m_background = kWhite;
    QPen m_pen;
};

} // namespace mivra::ui::qt
