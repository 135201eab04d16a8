#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mivra::ui {

class Host;

/**
 * The file-open dialog of map pictures and packages: the platform's file chooser starting in
 * a given folder and listing the files whose names match one of the patterns, in any case
 * ("*.jpg" lists "KARTA.JPG" too). The chooser stays open on a name it does not take. It never
 * changes the process's working directory.
 *
 *     CFileDlg dialog(title, filterName, {"*.c1d"}, folder);
 *     if (dialog.Run(host))
 *         Open(dialog.Path());
 */
class CFileDlg {
public:
    /** patterns: "*" and "?" wildcards; none lists every file. */
    CFileDlg(std::string title, std::string filterName, std::vector<std::string> patterns,
             std::filesystem::path folder);

    /** Whether the chosen file must exist as a regular file: on unless turned off. */
    void SetMustExist(bool mustExist) { m_mustExist = mustExist; }

    /** Runs the chooser: true when a file was chosen, which Path() then names. */
    bool Run(Host& host);
    /** The chosen file, absolute (a relative answer is taken from the start folder). */
    const std::filesystem::path& Path() const { return m_path; }
    /** The chosen file's name without its folder. */
    std::string FileName() const { return m_path.filename().string(); }

    /** Whether the chooser takes a path: its name matches a pattern and, when the file must
     *  exist, it is a regular file. */
    bool Accepts(const std::filesystem::path& path) const;

private:
    std::filesystem::path Absolute(const std::filesystem::path& path) const;

    std::string m_title;
    std::string m_filterName;
    std::vector<std::string> m_patterns;
    std::filesystem::path m_folder;
    bool m_mustExist = true;
    std::filesystem::path m_path;
};

/** Whether a file name matches a pattern of "*" and "?" (one character), ignoring the case of
 *  ASCII letters. */
bool MatchesPattern(std::string_view name, std::string_view pattern);

} // namespace mivra::ui
