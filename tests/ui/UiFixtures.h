#pragma once

#include "ui/headless/HeadlessHost.h"

#include <string>
#include <vector>

namespace mivra::test {

/** A Designer file with a root named d<id> and the given widgets inside a layout. */
inline std::string UiFile(int id, const std::string& title, const std::string& widgets,
                          const std::string& rootClass = "QDialog") {
    return R"(<?xml version="1.0" encoding="UTF-8"?><ui version="4.0"><class>d)" +
           std::to_string(id) + R"(</class><widget class=")" + rootClass + R"(" name="d)" +
           std::to_string(id) +
           R"("><property name="geometry"><rect><x>0</x><y>0</y><width>400</width><height>300</height></rect></property><property name="windowTitle"><string>)" +
           title + R"(</string></property><layout class="QVBoxLayout" name="layout">)" + widgets +
           "</layout></widget></ui>";
}

/** One layout item holding a widget. */
inline std::string Widget(const std::string& cls, const std::string& name,
                          const std::string& properties = "") {
    return R"(<item><widget class=")" + cls + R"(" name=")" + name + R"(">)" + properties +
           "</widget></item>";
}

inline std::string TextProperty(const std::string& text) {
    return R"(<property name="text"><string>)" + text + "</string></property>";
}

/** A headless host that collects failures instead of failing the test, to assert on them. */
class RecordingHost : public ui::headless::HeadlessHost {
public:
    RecordingHost() {
        SetFailureHandler([this](const std::string& why) { failures.push_back(why); });
    }
    std::vector<std::string> failures;
};

} // namespace mivra::test
