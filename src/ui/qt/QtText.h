#pragma once

#include "ui/Geometry.h"

#include <string>
#include <string_view>

#include <QColor>
#include <QString>

// Conversions at the edge between system values and Qt's.
namespace mivra::ui::qt {

inline QString ToQt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

inline QColor ToQColor(Colour c) {
    return QColor(Red(c), Green(c), Blue(c));
}

inline Colour FromQColor(const QColor& c) {
    return Rgb(c.red(), c.green(), c.blue());
}

} // namespace mivra::ui::qt
