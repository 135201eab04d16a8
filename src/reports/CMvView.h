#pragma once

#include "reports/Report.h"
#include "reports/ReportKinds.h"
#include "reports/ViewMode.h"
#include "store/Settings.h"
#include "ui/Frame.h"
#include "ui/Printing.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace mivra {
class CMvDoc;
class Profile;
namespace ui {
class Host;
}
} // namespace mivra

namespace mivra::reports {

/** The report view's state: what is shown and the devices it is laid out for. */
struct ViewState {
    ViewMode mode = ViewMode::StartPanel;
    int kind = 1; ///< the report kind, 1…15
    int pageHeight = kPageHeightTenths;
    int pageWidth = kPageWidthTenths;
    int pageCount = 1; ///< of the screen layout
    int screenDpiX = 96;
    int screenDpiY = 96;
    int printerDpiX = 300;
    int printerDpiY = 300;
    std::string printerName;
    int copiesPending = 0; ///< copies the view still sends itself in a running job
    bool driverMakesCopies = true;
    ReportParams params;
    bool printing = false; ///< a print job or preview is being prepared or sent
};

/**
 * The single view of the main window: the start panel or one report,
 * drawn alike on screen, in the preview, on paper and into a PDF, each laid out for its own
 * target. It owns the seven report fonts and their commands.
 */
class CMvView : public ui::ScrollView {
public:
    /** Runs a frame command (the context menu) and tells whether it is enabled. */
    using CommandRunner = std::function<void(int id)>;
    using CommandQuery = std::function<bool(int id)>;

    CMvView(CMvDoc& doc, ui::Host& host, ui::Printing& printing);
    ~CMvView() override;
    CMvView(const CMvView&) = delete;
    CMvView& operator=(const CMvView&) = delete;

    const ViewState& State() const { return m_state; }
    ViewMode Mode() const { return m_state.mode; }
    int Kind() const { return m_state.kind; }
    bool IsPrinting() const { return m_state.printing; }
    ReportKinds& Kinds() { return m_kinds; }
    const ReportKinds& Kinds() const { return m_kinds; }
    const Report* CurrentReport() const { return m_report.get(); }

    /** Called whenever what the view shows (or its scroll size) changed. */
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }
    void SetCommands(CommandRunner run, CommandQuery enabled);

    // Modes -----------------------------------------------------------------------------------
    /** Runs the opener registered for a command or button and shows its report. */
    bool ShowReport(int sourceId);
    /** Shows a report that is already built (the openers end here). */
    void Show(int kind, std::unique_ptr<Report> report);
    /** Back to the start panel. */
    void ShowStartPanel();
    /** Lays the shown report out again for the screen (fonts or data changed). */
    void Relayout();

    // The screen --------------------------------------------------------------------------------
    void SetScreenDpi(int dpiX, int dpiY);
    ui::Size ScrollSize() const override;
    ui::Point ScrollPosition() const override { return m_scroll; }
    void ScrollTo(ui::Point position) override;
    void SetViewport(ui::Size size) override;
    ui::Size LineStep() const override;
    ui::Size PageStep() const override;
    bool OnKey(ui::Key key) override;
    void OnContextMenu(const ui::Window& owner, ui::Point at) override;
    void Paint(ui::Canvas& canvas) override;

    // Printing ----------------------------------------------------------------------------------
    void Print();
    void Preview();
    void PrinterSetup();
    /**
     * "Spara som PDF…": proposes the report's file name, writes the PDF with the report's
     * title; the file written, or nothing when cancelled or failed (1231 shown).
     */
    std::optional<std::filesystem::path> SavePdf();
    /** Reads the printer's name and resolution; 300 × 300 dpi without a printer. */
    void ReadPrinter();
    /** Lays the report out for a job's target and sends the chosen pages to its sheets. */
    void RenderJob(const ui::JobSettings& job, ui::Sheets& sheets);

    // Fonts -------------------------------------------------------------------------------------
    const ReportFonts& Fonts() const { return m_fonts; }
    /** The printing the view's jobs go through (the dialogs that print at once use it too). */
    ui::Printing& Printing() const { return m_printing; }
    void LoadFonts(const Profile& profile);
    /** Opens the font chooser on a role, titled with the command's prompt. */
    void ChooseFont(FontRole role, int commandId);
    /** Every role back to its defaults, written in full on exit. */
    void ResetFonts();
    /** Writes what changed to the profile; 1231 when the profile cannot be written. */
    bool WriteFonts();

private:
    ReportGeometry Geometry(const Target& target) const;
    Target ScreenTarget() const;
    Target PrinterTarget(int dpiX, int dpiY, bool wholeSheet = false) const;
    int LayOut(ui::Canvas& canvas, const Target& target);
    void LayOutForScreen();
    int PrinterPageCount(const ui::PrinterInfo& printer);
    void NotePrinter(const ui::PrinterInfo& printer);
    std::string JobTitle() const;
    void Changed();

    CMvDoc& m_doc;
    ui::Host& m_host;
    ui::Printing& m_printing;
    ViewState m_state;
    ReportKinds m_kinds;
    std::unique_ptr<Report> m_report;
    ReportFonts m_fonts;
    ui::Point m_scroll;
    ui::Size m_viewport;
    std::function<void()> m_onChange;
    CommandRunner m_run;
    CommandQuery m_enabled;
};

} // namespace mivra::reports
