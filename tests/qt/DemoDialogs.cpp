#include "DemoDialogs.h"

#include "ui/Canvas.h"
#include "ui/Host.h"

#include <fstream>
#include <sstream>

namespace mivra::demo {

std::string DemoTemplate() {
    std::ifstream in(MIVRA_QT_TEST_DIR "/ui_demo.ui", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void DemoDlg::OnInit() {
    static constexpr int stops[] = {62, 95, 200, 320, 330, 360, 370, 400, 410};
    Win().SetTabStops(1075, stops);
    const char* rows[] = {
        "4 jan 2026\t12\tPer Andersson\tÖsterbo\t[ X\t]\t[ X\t]\t[\t]",
        "11 jan 2026\t103\t# Karl-Åke Lindqvist\tNorra Vallby\t[ X\t]\t[\t]\t[\t]",
        "18 jan 2026\t\t\tSammankomst",
        "25 jan 2026\t  \t* Olof Björk\tSödra Hamnen\t[\t]\t[\t]\t[\t]",
    };
    for (uint32_t i = 0; i < 4; ++i)
        Win().AddRow(1075, rows[i], i);
    Win().SetColumnWidth(1019, 30);
    for (uint32_t talk = 1; talk <= 40; ++talk)
        Win().AddRow(1019, "  " + std::to_string(talk), talk - 1);
    Win().SetRowSelected(1019, 2, true);
    Win().SetRowSelected(1019, 11, true);
    Win().AddRow(1037, "Alla församlingar");
    Win().AddRow(1037, "Österbo", 7);
    Win().Select(1037, 0);
    Win().SetLimit(226, 18);
    Win().Select(1075, 0);
    UpdateControls();
}

void DemoDlg::UpdateControls() {
    int row = Win().Selection(1075);
    Win().SetText(1090, row < 0 ? "" : "Vald rad " + std::to_string(row + 1));
}

void DemoDlg::OnSelChange(int id) {
    if (id == 1075)
        UpdateControls();
}

void DemoDlg::OnCommand(int id) {
    if (id == 3)
        Host().ShowMessage({m_strings.Format(1008, "Per Andersson"), ui::Buttons::YesNo,
                            ui::Icon::Question, true, ""});
    else if (id == 4)
        Host().ShowMessage(
            {m_strings.Get(1294), ui::Buttons::Ok, ui::Icon::Information, false, ""});
    else if (id == 5)
        Host().ShowMessage(
            {"Filen kunde inte skrivas.", ui::Buttons::OkCancel, ui::Icon::Error, false, ""});
    else if (id == 115 && m_openSheet)
        m_openSheet();
}

void DemoDlg::OnPaint(int, ui::Canvas& canvas, ui::Size size) {
    canvas.FillRect({0, 0, size.width, size.height}, ui::kWhite);
    const int rowHeight = size.height / 6;
    canvas.FillRect({0, 0, size.width / 3, size.height}, ui::kLightGrey);
    canvas.FillRect({0, rowHeight, size.width / 3, 2 * rowHeight}, ui::Rgb(128, 255, 128));
    canvas.FillRect({0, 2 * rowHeight, size.width / 3, 3 * rowHeight}, ui::Rgb(255, 150, 150));
    canvas.SetPen({ui::kBlack, 0, ui::PenStyle::Solid});
    for (int i = 1; i < 6; ++i)
        canvas.DrawLine({0, i * rowHeight}, {size.width, i * rowHeight});
    canvas.DrawLine({size.width / 3, 0}, {size.width / 3, size.height});
    canvas.SelectFont({});
    canvas.SetBackground(false);
    canvas.SetTextColour(ui::Rgb(200, 2, 200));
    canvas.DrawText({size.width / 3 + 4, rowHeight + rowHeight / 2}, "Canvas",
                    {ui::HAlign::Left, ui::VAlign::Baseline});
}

} // namespace mivra::demo
