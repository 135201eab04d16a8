#include "ui/headless/HeadlessHost.h"

namespace mivra::ui::headless {
namespace {

ui::Answer DefaultAnswer(const MessageBox& box) {
    switch (box.buttons) {
    case Buttons::Ok:
        return ui::Answer::Ok;
    case Buttons::YesNo:
        return box.secondIsDefault ? ui::Answer::No : ui::Answer::Yes;
    case Buttons::OkCancel:
        return box.secondIsDefault ? ui::Answer::Cancel : ui::Answer::Ok;
    }
    return ui::Answer::Ok;
}

} // namespace

HeadlessHost& HeadlessHost::Answer(ui::Answer answer) {
    m_answers.push_back(answer);
    return *this;
}

ui::Answer HeadlessHost::ShowMessage(const MessageBox& box) {
    m_shown.push_back(box);
    if (m_answers.empty()) {
        if (!m_permissive && box.buttons != Buttons::Ok)
            Fail("unscripted message box: " + box.text);
        return DefaultAnswer(box);
    }
    ui::Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void HeadlessHost::Verify() {
    if (!m_answers.empty())
        Fail(std::to_string(m_answers.size()) + " scripted answer(s) never used");
    m_answers.clear();
}

void HeadlessHost::Fail(const std::string& why) {
    if (m_onFailure)
        m_onFailure(why);
}

} // namespace mivra::ui::headless
