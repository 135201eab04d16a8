#pragma once

#include "ui/Geometry.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Dialog templates: Qt Designer files whose controls are named c<id>. Both backends read
// them; this reader gives what the headless backend and the checks need.
namespace mivra::ui {

enum class ControlKind { Static, Edit, Button, Check, Radio, Group, List, Combo, UpDown, Surface };

struct TemplateControl {
    int id = 0;
    ControlKind kind = ControlKind::Static;
    std::string className;
    std::string parent; ///< the name of the enclosing widget (radio buttons group by it)
    std::string text;   ///< text, or the title of a group box
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool multiSelect = false; ///< a list whose clicks add to the selection
    bool ownerDraw = false;   ///< painted by the system through a Canvas
    int maxLength = 0;
};

struct Template {
    int id = 0;
    std::string rootClass;
    std::string title;
    Size size;
    std::vector<TemplateControl> controls;
    /** Faults of the file: misnamed or duplicate controls, a root not named d<id>. */
    std::vector<std::string> problems;

    const TemplateControl* Find(int controlId) const;
};

/** The control kind of a Designer class, or nothing for containers and decorations. */
std::optional<ControlKind> KindOfClass(std::string_view className, bool ownerDraw);

/** Reads a template; nothing when the bytes are not a Designer file. */
std::optional<Template> ParseTemplate(std::string_view xml, int templateId);

/** The templates a backend builds from: the embedded ones, plus any a test or tool adds. */
class TemplateLibrary {
public:
    /** Adds or replaces a template (tests and the developer tools use their own). */
    void Add(int templateId, std::string xml) { m_extra[templateId] = std::move(xml); }
    std::optional<std::string_view> Source(int templateId) const;
    std::optional<Template> Load(int templateId) const;
    /** The ids of the embedded templates, ascending. */
    static std::vector<int> EmbeddedIds();

private:
    std::map<int, std::string> m_extra;
};

} // namespace mivra::ui
