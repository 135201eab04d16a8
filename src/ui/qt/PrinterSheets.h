#pragma once

#include "ui/Printing.h"
#include "ui/qt/QtCanvas.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>

namespace mivra::ui::qt {

/** The sheets of a printer, preview or PDF job: one painter, a new page per sheet. */
class PrinterSheets : public Sheets {
public:
    PrinterSheets(QPagedPaintDevice& device, QPainter& painter, int dpiX, int dpiY)
        : m_device(device), m_painter(painter), m_canvas(painter, dpiX, dpiY, true) {}

    Canvas& Current() override { return m_canvas; }
    void Next() override {
        m_painter.resetTransform();
        m_painter.setClipping(false);
        m_device.newPage();
    }

private:
    QPagedPaintDevice& m_device;
    QPainter& m_painter;
    QtCanvas m_canvas;
};

/** An image and its painter, for a canvas that only measures. */
struct ImagePainter {
    ImagePainter(int dpiX, int dpiY) : image(8, 8, QImage::Format_RGB32) {
        image.setDotsPerMeterX(static_cast<int>(dpiX / 0.0254 + 0.5));
        image.setDotsPerMeterY(static_cast<int>(dpiY / 0.0254 + 0.5));
        painter.begin(&image);
    }
    QImage image;
    QPainter painter;
};

/** A canvas of a target's resolution that draws on a scrap image: for laying out. */
class MeasuringCanvas : private ImagePainter, public QtCanvas {
public:
    MeasuringCanvas(int dpiX, int dpiY, bool printer)
        : ImagePainter(dpiX, dpiY), QtCanvas(painter, dpiX, dpiY, printer) {}
};

} // namespace mivra::ui::qt
