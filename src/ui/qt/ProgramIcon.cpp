#include "ui/qt/ProgramIcon.h"

#include "resources/Embedded.h"

#include <string>

#include <QPixmap>

namespace mivra::ui::qt {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        auto bytes = resources::Find("icons/mivra-" + std::to_string(size) + ".png");
        QPixmap pixmap;
        if (bytes && pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                                         static_cast<uint>(bytes->size()), "PNG"))
            icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace mivra::ui::qt
