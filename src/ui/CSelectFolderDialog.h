#pragma once

#include <optional>
#include <string>

namespace mivra {
class StringTable;
}

namespace mivra::ui {

class Host;

/**
 * The folder chooser of the backup dialog: the platform's chooser listing folders only, whose
 * "Select" this class checks. A text with two separators in a row is refused; a folder that
 * does not exist is offered for creation with all its parents and the chooser stays open
 * until one exists; the result always ends in "/".
 */
class CSelectFolderDialog {
public:
    CSelectFolderDialog(const StringTable& strings, std::string start)
        : m_strings(strings), m_start(std::move(start)) {}

    /** Runs the chooser: true when a folder was selected (then Result() holds it). */
    bool Run(Host& host);
    const std::string& Result() const { return m_result; }

    /**
     * "Select" with the edit's text and the folder shown: true when it names a folder that
     * exists (perhaps just made), which becomes the result. Relative text is taken from the
     * folder shown; empty text is that folder.
     */
    bool Select(Host& host, const std::string& text, const std::string& shown);

private:
    const StringTable& m_strings;
    std::string m_start;
    std::string m_result;
};

} // namespace mivra::ui
