#include "reports/CMvView.h"

#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "store/CMvDoc.h"
#include "store/Profile.h"
#include "ui/CommandMenus.h"
#include "ui/Host.h"

#include <algorithm>

namespace mivra::reports {
namespace {

constexpr int kScheduleKind = 1;

} // namespace

CMvView::CMvView(CMvDoc& doc, ui::Host& host, ui::Printing& printing)
    : m_doc(doc), m_host(host), m_printing(printing) {
    LoadFonts(Profile{});
    ReadPrinter();
}

CMvView::~CMvView() = default;

void CMvView::SetCommands(CommandRunner run, CommandQuery enabled) {
    m_run = std::move(run);
    m_enabled = std::move(enabled);
}

bool CMvView::ShowReport(int sourceId) {
    const ReportKinds::Entry* entry = m_kinds.Find(sourceId);
    if (!entry || m_state.printing)
        return false;
    ReportParams params = m_state.params;
    ReportOpening opening{m_doc, m_host, params};
    std::unique_ptr<Report> report = entry->open(opening);
    if (!report)
        return false;
    m_state.params = params;
    Show(entry->kind, std::move(report));
    return true;
}

void CMvView::Show(int kind, std::unique_ptr<Report> report) {
    m_report = std::move(report);
    m_state.kind = kind;
    m_state.mode = ViewMode::Report;
    m_scroll = {};
    LayOutForScreen();
    Changed();
}

void CMvView::ShowStartPanel() {
    m_state.mode = ViewMode::StartPanel;
    m_report.reset();
    m_state.pageCount = 1;
    m_scroll = {};
    Changed();
}

void CMvView::Relayout() {
    if (m_state.mode == ViewMode::Report)
        LayOutForScreen();
    Changed();
}

void CMvView::Changed() {
    if (m_onChange)
        m_onChange();
}

// Layout -----------------------------------------------------------------------------------------

ReportGeometry CMvView::Geometry(const Target& target) const {
    const DocOptions& options = m_doc.Settings().Options();
    return ReportGeometry(target, options.topMargin, options.leftMargin);
}

Target CMvView::ScreenTarget() const {
    return {m_state.screenDpiX, m_state.screenDpiY, m_state.screenDpiX, m_state.screenDpiY, false};
}

Target CMvView::PrinterTarget(int dpiX, int dpiY, bool wholeSheet) const {
    return {dpiX, dpiY, m_state.screenDpiX, m_state.screenDpiY, true, wholeSheet};
}

int CMvView::LayOut(ui::Canvas& canvas, const Target& target) {
    if (!m_report)
        return 1;
    ReportGeometry geometry = Geometry(target);
    return std::max(1, m_report->Layout(PageContext{canvas, geometry, m_fonts}));
}

void CMvView::LayOutForScreen() {
    std::unique_ptr<ui::Canvas> canvas =
        m_printing.MeasuringCanvas(m_state.screenDpiX, m_state.screenDpiY, false);
    m_state.pageCount = LayOut(*canvas, ScreenTarget());
    ScrollTo(m_scroll);
}

// The screen -------------------------------------------------------------------------------------

void CMvView::SetScreenDpi(int dpiX, int dpiY) {
    m_state.screenDpiX = dpiX > 0 ? dpiX : 96;
    m_state.screenDpiY = dpiY > 0 ? dpiY : 96;
    Relayout();
}

ui::Size CMvView::ScrollSize() const {
    if (m_state.mode != ViewMode::Report)
        return {};
    ReportGeometry g = Geometry(ScreenTarget());
    const int pageTenths = m_report ? m_report->ScrollPageTenths() : m_state.pageHeight;
    return {g.X(m_state.pageWidth, 10), m_state.pageCount * g.Y(pageTenths, 10)};
}

void CMvView::ScrollTo(ui::Point position) {
    const ui::Size size = ScrollSize();
    const int maxX = std::max(0, size.width - m_viewport.width);
    const int maxY = std::max(0, size.height - m_viewport.height);
    m_scroll = {std::clamp(position.x, 0, maxX), std::clamp(position.y, 0, maxY)};
}

void CMvView::SetViewport(ui::Size size) {
    m_viewport = size;
    ScrollTo(m_scroll);
}

ui::Size CMvView::LineStep() const {
    ReportGeometry g = Geometry(ScreenTarget());
    return {g.X(1, 10), g.Y(1, 6)};
}

ui::Size CMvView::PageStep() const {
    ReportGeometry g = Geometry(ScreenTarget());
    return {g.X(2), g.Y(4)};
}

bool CMvView::OnKey(ui::Key key) {
    if (m_state.mode != ViewMode::Report)
        return false;
    const ui::Size line = LineStep();
    const ui::Size page = PageStep();
    ui::Point to = m_scroll;
    switch (key) {
    case ui::Key::Escape:
        ShowStartPanel();
        return true;
    case ui::Key::PageUp:
        to.y -= page.height;
        break;
    case ui::Key::PageDown:
        to.y += page.height;
        break;
    case ui::Key::Home:
        to.y = 0;
        break;
    case ui::Key::End:
        to.y = ScrollSize().height;
        break;
    case ui::Key::Left:
        to.x -= line.width;
        break;
    case ui::Key::Right:
        to.x += line.width;
        break;
    case ui::Key::Up:
        to.y -= line.height;
        break;
    case ui::Key::Down:
        to.y += line.height;
        break;
    }
    ScrollTo(to);
    Changed();
    return true;
}

void CMvView::OnContextMenu(const ui::Window& owner, ui::Point at) {
    if (m_state.mode != ViewMode::Report || m_state.kind != kScheduleKind || !m_run)
        return;
    // Each entry of the printed schedule's menu issues its command.
    const ui::Menu menu =
        ui::PopupMenuOf(resources::CommandTable::Shell().Popup(cmd::menu::kScheduleReport),
                        m_doc.Strings(), m_enabled);
    if (int chosen = m_host.PopupMenu(owner, at, menu))
        m_run(chosen);
}

void CMvView::Paint(ui::Canvas& canvas) {
    if (m_state.mode != ViewMode::Report || !m_report)
        return;
    ReportGeometry g = Geometry(ScreenTarget());
    const int pageHeight = std::max(1, g.PageHeight());
    canvas.SetOrigin(m_scroll);
    const int first = std::max(1, m_scroll.y / pageHeight + 1);
    const int last = std::min(m_state.pageCount, (m_scroll.y + m_viewport.height) / pageHeight + 1);
    for (int page = first; page <= last; ++page)
        m_report->DrawPage(PageContext{canvas, g, m_fonts}, page);
    canvas.SetOrigin({});
}

} // namespace mivra::reports
