#include "ui/Template.h"

#include "resources/Embedded.h"

#include <algorithm>
#include <charconv>
#include <pugixml.hpp>
#include <set>

namespace mivra::ui {
namespace {

constexpr int kMaxId = 65535;

/** The number after a one-letter prefix, such as 1077 of "c1077"; 0 when not of that form. */
int NumberAfter(char prefix, std::string_view name) {
    if (name.size() < 2 || name.size() > 6 || name[0] != prefix || name[1] == '0')
        return 0;
    int value = 0;
    auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), value);
    if (ec != std::errc() || end != name.data() + name.size() || value > kMaxId)
        return 0;
    return value;
}

pugi::xml_node Property(pugi::xml_node widget, const char* name) {
    return widget.find_child_by_attribute("property", "name", name);
}

bool BoolProperty(pugi::xml_node widget, const char* name, bool fallback) {
    pugi::xml_node p = Property(widget, name);
    if (!p)
        return fallback;
    return std::string_view(p.child_value("bool")) == "true";
}

std::string StringProperty(pugi::xml_node widget, const char* name) {
    return Property(widget, name).child_value("string");
}

bool IsMultiSelect(pugi::xml_node widget) {
    std::string_view mode = Property(widget, "selectionMode").child_value("enum");
    return mode.ends_with("MultiSelection") || mode.ends_with("ExtendedSelection");
}

bool IsDecoration(std::string_view className, std::string_view name) {
    bool decorative = className == "QLabel" || className == "QGroupBox" || className == "QFrame";
    return decorative && name.starts_with("static");
}

TemplateControl ReadControl(pugi::xml_node w, int id, ControlKind kind, std::string parent) {
    TemplateControl c;
    c.id = id;
    c.kind = kind;
    c.className = w.attribute("class").value();
    c.parent = std::move(parent);
    c.text = StringProperty(w, kind == ControlKind::Group ? "title" : "text");
    c.visible = BoolProperty(w, "visible", true);
    c.enabled = BoolProperty(w, "enabled", true);
    c.checked = BoolProperty(w, "checked", false);
    c.multiSelect = kind == ControlKind::List && IsMultiSelect(w);
    c.ownerDraw = BoolProperty(w, "ownerDraw", false);
    c.maxLength = std::max(0, Property(w, "maxLength").child("number").text().as_int(0));
    return c;
}

class Reader {
public:
    explicit Reader(Template& t) : m_t(t) {}

    void Widget(pugi::xml_node w, const std::string& parent) {
        std::string name = w.attribute("name").value();
        std::string className = w.attribute("class").value();
        bool ownerDraw = BoolProperty(w, "ownerDraw", false);
        std::optional<ControlKind> kind = KindOfClass(className, ownerDraw);
        int id = NumberAfter('c', name);
        if (kind && id != 0)
            Add(ReadControl(w, id, *kind, parent), name);
        else if (kind && !IsDecoration(className, name))
            m_t.problems.push_back(className + " \"" + name + "\" is not named c<id>");
        else if (!kind && id != 0)
            m_t.problems.push_back("\"" + name + "\" is a " + className + ", not a control");
        Children(w, name);
    }

    /** Widgets sit directly below a widget or inside layouts and their items. */
    void Children(pugi::xml_node node, const std::string& parent) {
        for (pugi::xml_node child : node.children()) {
            std::string_view tag = child.name();
            if (tag == "widget")
                Widget(child, parent);
            else if (tag == "layout" || tag == "item")
                Children(child, parent);
        }
    }

private:
    void Add(TemplateControl control, const std::string& name) {
        if (!m_ids.insert(control.id).second) {
            m_t.problems.push_back("\"" + name + "\" repeats its id");
            return;
        }
        m_t.controls.push_back(std::move(control));
    }

    Template& m_t;
    std::set<int> m_ids;
};

} // namespace

const TemplateControl* Template::Find(int controlId) const {
    for (const TemplateControl& c : controls)
        if (c.id == controlId)
            return &c;
    return nullptr;
}

std::optional<ControlKind> KindOfClass(std::string_view c, bool ownerDraw) {
    if (c == "QLabel")
        return ControlKind::Static;
    if (c == "QLineEdit" || c == "QPlainTextEdit")
        return ControlKind::Edit;
    if (c == "QPushButton" || c == "QToolButton")
        return ControlKind::Button;
    if (c == "QCheckBox")
        return ControlKind::Check;
    if (c == "QRadioButton")
        return ControlKind::Radio;
    if (c == "QGroupBox")
        return ControlKind::Group;
    if (c == "QListWidget")
        return ControlKind::List;
    if (c == "QComboBox")
        return ControlKind::Combo;
    if (c == "QSpinBox")
        return ControlKind::UpDown;
    if ((c == "QWidget" || c == "QFrame") && ownerDraw)
        return ControlKind::Surface;
    return std::nullopt;
}

std::optional<Template> ParseTemplate(std::string_view xml, int templateId) {
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size()))
        return std::nullopt;
    pugi::xml_node root = doc.child("ui").child("widget");
    if (!root)
        return std::nullopt;
    Template t;
    t.id = templateId;
    t.rootClass = root.attribute("class").value();
    t.title = StringProperty(root, "windowTitle");
    pugi::xml_node rect = Property(root, "geometry").child("rect");
    t.size = {std::max(0, rect.child("width").text().as_int(0)),
              std::max(0, rect.child("height").text().as_int(0))};
    if (NumberAfter('d', root.attribute("name").value()) != templateId)
        t.problems.push_back("the root widget is not named d" + std::to_string(templateId));
    Reader(t).Children(root, root.attribute("name").value());
    return t;
}

std::optional<std::string_view> TemplateLibrary::Source(int templateId) const {
    if (auto it = m_extra.find(templateId); it != m_extra.end())
        return std::string_view(it->second);
    return resources::Find("dialogs/" + std::to_string(templateId) + ".ui");
}

std::optional<Template> TemplateLibrary::Load(int templateId) const {
    std::optional<std::string_view> source = Source(templateId);
    if (!source)
        return std::nullopt;
    return ParseTemplate(*source, templateId);
}

std::vector<int> TemplateLibrary::EmbeddedIds() {
    std::vector<int> ids;
    for (const resources::EmbeddedFile& f : resources::AllFiles()) {
        std::string_view name = f.name;
        if (!name.starts_with("dialogs/") || !name.ends_with(".ui"))
            continue;
        std::string_view stem = name.substr(8, name.size() - 11);
        int id = 0;
        auto [end, ec] = std::from_chars(stem.data(), stem.data() + stem.size(), id);
        if (ec == std::errc() && end == stem.data() + stem.size())
            ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace mivra::ui
