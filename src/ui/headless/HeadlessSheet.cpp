#include "ui/headless/HeadlessSheet.h"

#include "ui/headless/HeadlessHost.h"

namespace mivra::ui::headless {
namespace {

TemplateControl FrameButton(int id, std::string text) {
    TemplateControl c;
    c.id = id;
    c.kind = ControlKind::Button;
    c.className = "QPushButton";
    c.text = std::move(text);
    return c;
}

} // namespace

HeadlessSheet::HeadlessSheet(HeadlessHost& host, PropertySheet& sheet)
    : m_host(host), m_sheet(sheet) {
    Template frame;
    frame.title = sheet.Caption();
    frame.controls = {FrameButton(kIdOk, "OK"), FrameButton(kIdCancel, "Cancel"),
                      FrameButton(kIdApply, "Apply")};
    m_controls = std::make_unique<HeadlessWindow>(
        std::move(frame), nullptr, [&host](const std::string& why) { host.Fail("sheet: " + why); });
    for (int i = 0; i < sheet.PageCount(); ++i) {
        PropertyPage& page = sheet.Page(i);
        m_windows.push_back(host.BuildWindow(page.TemplateId(), &page.Use()));
        m_drivers.push_back(std::make_unique<HeadlessDialog>(host, page, *m_windows.back()));
    }
    m_sheet.Open(*this, host);
    AfterAction();
}

HeadlessSheet::~HeadlessSheet() {
    if (m_open)
        m_sheet.Close();
}

Window& HeadlessSheet::PageWindow(int index) {
    return *m_windows[static_cast<size_t>(index)];
}

void HeadlessSheet::AddButton(int id, std::string_view caption) {
    m_controls->AddControl(FrameButton(id, std::string(caption)));
}

bool HeadlessSheet::Usable(int index, std::string_view action) {
    if (!m_open) {
        m_host.Fail("sheet: " + std::string(action) + ": the sheet is closed");
        return false;
    }
    if (index < 0 || index >= m_sheet.PageCount()) {
        m_host.Fail("sheet: " + std::string(action) + ": no page " + std::to_string(index));
        return false;
    }
    return true;
}

void HeadlessSheet::AfterAction() {
    if (m_open && m_sheet.HasEnded()) {
        m_sheet.Close();
        m_open = false;
    }
}

HeadlessSheet& HeadlessSheet::SelectPage(int index) {
    if (Usable(index, "SelectPage")) {
        m_shown = index;
        m_sheet.TabSelected(index);
        AfterAction();
    }
    return *this;
}

HeadlessSheet& HeadlessSheet::Press(int id) {
    if (!m_open) {
        m_host.Fail("sheet: Press " + std::to_string(id) + ": the sheet is closed");
        return *this;
    }
    const HeadlessWindow::Control* c = m_controls->Find(id, "Press");
    if (c && (!c->shown || !c->enabled))
        m_host.Fail("sheet: Press " + std::to_string(id) + ": the button is hidden or disabled");
    else if (c) {
        m_sheet.Press(id);
        AfterAction();
    }
    return *this;
}

HeadlessSheet& HeadlessSheet::CloseBox() {
    if (m_open) {
        m_sheet.CloseRequested();
        AfterAction();
    }
    return *this;
}

HeadlessDialog& HeadlessSheet::Page(int index) {
    if (index < 0 || index >= m_sheet.PageCount()) {
        m_host.Fail("sheet: no page " + std::to_string(index));
        index = 0;
    } else if (!m_sheet.WasOpened(index)) {
        m_host.Fail("sheet: page " + std::to_string(index) + " was never opened");
    }
    return *m_drivers[static_cast<size_t>(index)];
}

std::vector<std::string> HeadlessSheet::Tabs() const {
    std::vector<std::string> tabs;
    for (const auto& w : m_windows)
        tabs.push_back(w->Source().title);
    return tabs;
}

bool HeadlessSheet::IsButtonEnabled(int id) const {
    const HeadlessWindow::Control* c = m_controls->Find(id, "IsButtonEnabled");
    return c && c->enabled;
}

} // namespace mivra::ui::headless
