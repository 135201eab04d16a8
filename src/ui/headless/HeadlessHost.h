#pragma once

#include "ui/Host.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace mivra::ui::headless {

/**
 * The in-memory host of tests and mivra-cli. Message boxes take their answers from a queue;
 * an unscripted box gets its default answer and is reported to the failure handler (tests
 * install one that fails the test), as is an answer still queued at Verify().
 */
class HeadlessHost : public Host {
public:
    using FailureHandler = std::function<void(const std::string&)>;

    /** Queues the answer of the next message box. */
    HeadlessHost& Answer(ui::Answer answer);
    /** Accept every message box with its default answer, silently (mivra-cli). */
    void SetPermissive(bool permissive) { m_permissive = permissive; }
    void SetFailureHandler(FailureHandler handler) { m_onFailure = std::move(handler); }

    ui::Answer ShowMessage(const MessageBox& box) override;

    /** Every message box shown so far, in order. */
    const std::vector<MessageBox>& Messages() const { return m_shown; }
    void ClearMessages() { m_shown.clear(); }
    /** Reports answers queued but never used. */
    void Verify();

private:
    void Fail(const std::string& why);

    std::deque<ui::Answer> m_answers;
    std::vector<MessageBox> m_shown;
    FailureHandler m_onFailure;
    bool m_permissive = false;
};

} // namespace mivra::ui::headless
