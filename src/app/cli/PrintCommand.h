#pragma once

#include "app/cli/ScheduleCommand.h"
#include "ui/Picture.h"

#include <iosfwd>
#include <string>

namespace mivra::cli {

/**
 * `print KIND [ARGS] --pdf FILE`: one report as a PDF laid out as the paper is (300 dpi),
 * read-only. Prints the page count, a tab and the file's absolute path.
 */
class PrintCommand {
public:
    /** The usage error of the command's words and options, or empty. */
    static std::string Check(const Invocation& call);

    PrintCommand(const CMvDoc& doc, const Invocation& call) : m_doc(doc), m_call(call) {}

    /** kOk, or kFailure with the reason on err. */
    int Run(std::ostream& out, std::ostream& err, const PdfRenderer& pdf,
            const ui::PictureDecoder* pictures) const;

private:
    const CMvDoc& m_doc;
    const Invocation& m_call;
};

} // namespace mivra::cli
