#pragma once

#include <string>

// The platform layer's host: what system code asks of the desktop (message boxes now;
// dialogs, menus, choosers and the clipboard are added with the parts that use them).
namespace mivra::ui {

enum class Buttons { Ok, YesNo, OkCancel };
enum class Icon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

struct MessageBox {
    std::string text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Information;
    bool secondIsDefault = false; ///< No (or Cancel) is the default button
    std::string caption;          ///< empty: the program's title
};

class Host {
public:
    virtual ~Host() = default;

    /** Shows a modal message box and returns the button pressed. */
    virtual Answer ShowMessage(const MessageBox& box) = 0;
};

} // namespace mivra::ui
