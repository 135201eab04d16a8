#include "ui/qt/QtCanvas.h"

#include "ui/qt/QtPictures.h"
#include "ui/qt/QtText.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

namespace mivra::ui::qt {
namespace {

QFont::StyleHint HintOf(int pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case 0x10:
        return QFont::Serif;
    case 0x20:
        return QFont::SansSerif;
    case 0x30:
        return QFont::TypeWriter;
    case 0x40:
        return QFont::Cursive;
    case 0x50:
        return QFont::Decorative;
    default:
        return QFont::AnyStyle;
    }
}

QRect ToQRect(Rect r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

Qt::Alignment ToQAlign(HAlign h) {
    return h == HAlign::Right    ? Qt::AlignRight
           : h == HAlign::Centre ? Qt::AlignHCenter
                                 : Qt::AlignLeft;
}

} // namespace

QFont ToQFont(const Font& f, QPaintDevice* device) {
    if (f.height == 0 && f.face.empty())
        return QGuiApplication::font();
    QFont font(ToQt(f.face));
    font.setStyleHint(HintOf(f.pitchAndFamily));
    font.setFixedPitch((f.pitchAndFamily & 3) == 1);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    const int size = std::max(1, std::abs(f.height == 0 ? 13 : f.height));
    font.setPixelSize(size);
    if (f.height > 0) {
        // A positive height is the whole cell; the pixel size is the character height.
        int cell = QFontMetrics(font, device).height();
        if (cell > 0)
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(1.0 * size * size / cell))));
    }
    if (f.width > 0) {
        int average = QFontMetrics(font, device).averageCharWidth();
        if (average > 0)
            font.setStretch(
                std::clamp(static_cast<int>(std::lround(100.0 * f.width / average)), 1, 4000));
    }
    return font;
}

QtCanvas::QtCanvas(QPainter& painter, int dpiX, int dpiY, bool printer)
    : m_painter(painter), m_dpiX(dpiX), m_dpiY(dpiY), m_printer(printer) {
    m_pen.setCosmetic(true);
}

void QtCanvas::SelectFont(const Font& font) {
    m_painter.setFont(ToQFont(font, m_painter.device()));
}

void QtCanvas::SetBackground(bool opaque, Colour colour) {
    m_opaque = opaque;
    m_background = colour;
}

void QtCanvas::DrawText(Point at, std::string_view text, Align align) {
    const QString t = ToQt(text);
    const QFontMetrics fm(m_painter.font(), m_painter.device());
    const int width = fm.horizontalAdvance(t);
    int x = at.x;
    if (align.h == HAlign::Right)
        x -= width;
    else if (align.h == HAlign::Centre)
        x -= width / 2;
    int baseline = at.y;
    if (align.v == VAlign::Top)
        baseline += fm.ascent();
    else if (align.v == VAlign::Bottom)
        baseline -= fm.descent();
    if (m_opaque)
        m_painter.fillRect(QRect(x, baseline - fm.ascent(), width, fm.height()),
                           ToQColor(m_background));
    m_painter.setPen(ToQColor(m_textColour));
    m_painter.drawText(QPoint(x, baseline), t);
}

Size QtCanvas::TextExtent(std::string_view text) {
    const QFontMetrics fm(m_painter.font(), m_painter.device());
    return {fm.horizontalAdvance(ToQt(text)), fm.height()};
}

FontMetrics QtCanvas::Metrics() {
    const QFontMetrics fm(m_painter.font(), m_painter.device());
    return {fm.height(), fm.ascent(), fm.descent(), fm.averageCharWidth()};
}

int QtCanvas::DrawWrapped(Rect box, std::string_view text, HAlign align) {
    QRect used;
    m_painter.setPen(ToQColor(m_textColour));
    m_painter.drawText(ToQRect(box), Qt::TextWordWrap | Qt::AlignTop | ToQAlign(align), ToQt(text),
                       &used);
    return used.height();
}

int QtCanvas::WrappedHeight(int width, std::string_view text) {
    const QFontMetrics fm(m_painter.font(), m_painter.device());
    return fm.boundingRect(QRect(0, 0, width, 1 << 24), Qt::TextWordWrap | Qt::AlignTop, ToQt(text))
        .height();
}

void QtCanvas::FillRect(Rect box, Colour colour) {
    m_painter.fillRect(ToQRect(box), ToQColor(colour));
}

void QtCanvas::SetPen(const Pen& pen) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::NoPen};
    m_pen = QPen(ToQColor(pen.colour), pen.width, styles[static_cast<int>(pen.style)]);
    m_pen.setCosmetic(pen.width == 0);
}

void QtCanvas::DrawLine(Point from, Point to) {
    m_painter.setPen(m_pen);
    m_painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
}

void QtCanvas::SetClip(Rect box) {
    m_painter.setClipRect(ToQRect(box));
}

void QtCanvas::ClearClip() {
    m_painter.setClipping(false);
}

void QtCanvas::SetOrigin(Point origin) {
    m_painter.resetTransform();
    m_painter.translate(-origin.x, -origin.y);
}

void QtCanvas::DrawPicture(const Picture& picture, Rect box) {
    // Only a picture this backend decoded has pixels to draw.
    const auto* decoded = dynamic_cast<const QtPicture*>(&picture);
    if (!decoded || box.Width() <= 0 || box.Height() <= 0)
        return;
    m_painter.save();
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(ToQRect(box), decoded->Image());
    m_painter.restore();
}

} // namespace mivra::ui::qt
