// The headless and the Qt window must answer system code alike: the same calls, run on
// both, give the same results, and neither reports an event for the system's own calls.
#include "support/TestHost.h"
#include "ui/Template.h"
#include "ui/UiFixtures.h"
#include "ui/headless/HeadlessWindow.h"
#include "ui/qt/QtForm.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::Widget;

constexpr int kTemplate = 9801;

std::string ContractTemplate() {
    std::string radios =
        R"(<item><widget class="QGroupBox" name="staticGroup"><layout class="QVBoxLayout" name="g">)" +
        Widget("QRadioButton", "c1175") + Widget("QRadioButton", "c1176") +
        "</layout></widget></item>";
    return test::UiFile(
        kTemplate, "Avtal",
        Widget("QLineEdit", "c226") + Widget("QListWidget", "c1075") +
            Widget(
                "QListWidget", "c1019",
                R"(<property name="selectionMode"><enum>QAbstractItemView::MultiSelection</enum></property>)") +
            Widget("QComboBox", "c1037") + Widget("QCheckBox", "c109") + radios +
            Widget("QSpinBox", "c1056") + Widget("QLabel", "c1090"));
}

class CountingSink : public ui::EventSink {
public:
    void Deliver(const ui::Event&) override { ++events; }
    void Paint(int, ui::Canvas&, ui::Size) override {}
    int events = 0;
};

/** What system code does to a window, and what it reads back, as one line per check. */
std::vector<std::string> Script(ui::Window& w) {
    std::vector<std::string> out;
    auto note = [&out](const std::string& what, auto value) {
        out.push_back(what + "=" + std::to_string(value));
    };
    w.AddRow(1075, "a\tx", 10);
    w.AddRow(1075, "b", 11);
    w.AddRow(1075, "c", 12);
    note("insert", w.InsertRow(1075, 1, "ny", 0xFFFFFFFFu));
    note("append", w.InsertRow(1075, 99, "sist", 13));
    note("count", w.RowCount(1075));
    out.push_back("text=" + w.RowText(1075, 1) + "|" + w.RowText(1075, 0));
    note("data", w.RowData(1075, 1));
    w.SetRowData(1075, 2, 42);
    note("setdata", w.RowData(1075, 2));
    note("none", w.Selection(1075));
    w.Select(1075, 2);
    note("sel", w.Selection(1075));
    w.Select(1075, 99);
    note("outside", w.Selection(1075));
    for (int i = 0; i < 4; ++i)
        w.AddRow(1019, std::to_string(i), static_cast<uint32_t>(i));
    w.SetRowSelected(1019, 0, true);
    w.SetRowSelected(1019, 3, true);
    note("multi", w.SelectedRows(1019).size());
    note("row3", w.IsRowSelected(1019, 3));
    w.Select(1019, 1);
    note("only", w.SelectedRows(1019).front());
    w.AddRow(1037, "Alla");
    w.AddRow(1037, "Öster", 5);
    w.Select(1037, 1);
    out.push_back("combo=" + w.Text(1037));
    w.SetLimit(226, 5);
    w.SetText(226, "Kristoffer");
    out.push_back("edit=" + w.Text(226));
    w.SetChecked(109, true);
    note("check", w.IsChecked(109));
    w.SetChecked(1175, true);
    w.SetChecked(1175, false);
    note("radio", w.IsChecked(1175));
    w.Show(1090, false);
    w.Enable(1090, false);
    note("shown", w.IsShown(1090));
    note("enabled", w.IsEnabled(1090));
    w.SetRange(1056, 0, 10);
    w.SetValue(1056, 20);
    note("value", w.Value(1056));
    w.SetTopIndex(1075, 3);
    note("top", w.TopIndex(1075));
    w.ClearRows(1075);
    note("cleared", w.RowCount(1075));
    note("cleared-sel", w.Selection(1075));
    return out;
}

TEST(WindowContract, HeadlessAndQtWindowsAgree) {
    ui::TemplateLibrary library;
    library.Add(kTemplate, ContractTemplate());
    test::TestHost host; // reports any refusal of the headless window
    ui::headless::HeadlessWindow headless(*library.Load(kTemplate), nullptr,
                                          [&host](const std::string& why) { host.Fail(why); });
    CountingSink sink;
    ui::qt::QtForm form(library, kTemplate, sink, nullptr);
    std::vector<std::string> fromHeadless = Script(headless);
    std::vector<std::string> fromQt = Script(form.Window());
    EXPECT_EQ(fromHeadless, fromQt);
    EXPECT_EQ(sink.events, 0) << "the system's own calls raise no events";
}

} // namespace
} // namespace mivra
