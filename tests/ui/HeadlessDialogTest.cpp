#include "ui/headless/HeadlessDialog.h"

#include "support/TestHost.h"
#include "ui/Dialog.h"
#include "ui/Host.h"
#include "ui/UiFixtures.h"
#include "ui/headless/HeadlessHost.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using test::TextProperty;
using test::Widget;
using ui::headless::HeadlessDialog;

constexpr int kProv = 9001;
constexpr int kName = 9002;

std::string ProvTemplate() {
    std::string radios =
        R"(<item><widget class="QGroupBox" name="staticMeetings"><layout class="QVBoxLayout" name="gl">)" +
        Widget("QRadioButton", "c1175") + Widget("QRadioButton", "c1176") +
        "</layout></widget></item>";
    return test::UiFile(
        kProv, "Prov",
        Widget("QLineEdit", "c226") + Widget("QListWidget", "c1075") +
            Widget(
                "QListWidget", "c1019",
                R"(<property name="selectionMode"><enum>QAbstractItemView::MultiSelection</enum></property>)") +
            Widget("QComboBox", "c1037") + Widget("QCheckBox", "c109", TextProperty("Äldste")) +
            radios + Widget("QPushButton", "c1077", TextProperty("Välj")) +
            Widget("QPushButton", "c1078",
                   R"(<property name="visible"><bool>false</bool></property>)") +
            Widget("QSpinBox", "c1056") +
            Widget("QWidget", "c1055",
                   R"(<property name="ownerDraw" stdset="0"><bool>true</bool></property>)") +
            Widget("QLabel", "c1090") + Widget("QLabel", "c999") +
            Widget("QLabel", "staticHeading") + Widget("QPushButton", "c1", TextProperty("OK")) +
            Widget("QPushButton", "c2", TextProperty("Avbryt")));
}

/** The nested dialog: asks for a name. */
class NameDlg : public ui::Dialog {
public:
    static constexpr int kIds[] = {226};
    static constexpr ui::TemplateUse kUse{"NameDlg", kName, kIds};
    NameDlg() : Dialog(kUse) {}
    std::string name;

protected:
    void OnOk() override {
        name = Win().Text(226);
        End(ui::kIdOk);
    }
};

/** A dialog that uses one control of each kind and keeps a log of its events. */
class ProvDlg : public ui::Dialog {
public:
    static constexpr int kIds[] = {226,  1075, 1019, 1037, 109,  1175, 1176,
                                   1077, 1078, 1056, 1055, 1090, 4242};
    static constexpr ui::TemplateUse kUse{"ProvDlg", kProv, kIds};
    ProvDlg() : Dialog(kUse) {}

    std::vector<std::string> log;
    std::string nestedName;
    int nestedCode = -1;
    int menuChoice = -1;
    ui::Answer answer = ui::Answer::Ok;

    using Dialog::Win;

protected:
    void OnInit() override {
        static constexpr int stops[] = {62, 95};
        Win().SetTabStops(1075, stops);
        for (int i = 0; i < 4; ++i) {
            Win().AddRow(1075, "v" + std::to_string(i) + "\tTal", 100u + static_cast<uint32_t>(i));
            Win().AddRow(1019, "t" + std::to_string(i), static_cast<uint32_t>(i));
        }
        Win().AddRow(1037, "Alla");
        Win().AddRow(1037, "Öster", 0xFFFFFFFFu);
        Win().SetLimit(226, 5);
        Win().SetRange(1056, 0, 3);
        Win().SetTitle("Prov - vecka 1");
    }
    void OnOk() override {
        if (!Win().Text(226).empty())
            End(ui::kIdOk);
    }
    void OnCommand(int id) override {
        log.push_back("command " + std::to_string(id));
        if (id == 1077) {
            NameDlg child;
            nestedCode = Host().RunDialog(child);
            nestedName = child.name;
        } else if (id == 109) {
            answer =
                Host().ShowMessage({"Flytta?", ui::Buttons::YesNo, ui::Icon::Question, true, ""});
        } else if (id == 1175) {
            ui::Menu menu{{{32844, "Församlingar"}, {0, ""}, {32768, "Bröder"}}};
            menuChoice = Host().PopupMenu(Win(), {10, 20}, menu);
        }
    }
    void OnSelChange(int id) override { log.push_back("sel " + std::to_string(id)); }
    void OnDoubleClick(int id, int row) override {
        log.push_back("double " + std::to_string(id) + " " + std::to_string(row));
    }
    void OnEditChange(int id) override { log.push_back("edit " + std::to_string(id)); }
    void OnFocus(int id, bool gained) override {
        log.push_back((gained ? "focus " : "blur ") + std::to_string(id));
    }
    void OnClick(int id, int row, int column, ui::Point p) override {
        log.push_back("click " + std::to_string(id) + " " + std::to_string(row) + " " +
                      std::to_string(p.x) + " col " + std::to_string(column));
    }
    void OnUpDown(int id, int delta) override {
        log.push_back("updown " + std::to_string(id) + " " + std::to_string(delta));
    }
    void OnPaint(int id, ui::Canvas& canvas, ui::Size size) override {
        canvas.FillRect({0, 0, size.width, size.height / 21}, ui::kLightGrey);
        canvas.DrawText({5, 2}, "Vecka " + std::to_string(id));
    }
};

class HeadlessDialogTest : public ::testing::Test {
protected:
    HeadlessDialogTest() {
        host.AddTemplate(kProv, ProvTemplate());
        host.AddTemplate(kName,
                         test::UiFile(kName, "Namn",
                                      Widget("QLineEdit", "c226") + Widget("QPushButton", "c1") +
                                          Widget("QPushButton", "c2")));
    }
    test::TestHost host;
};

TEST_F(HeadlessDialogTest, ListsKeepRowsItemDataTabStopsAndSelection) {
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    EXPECT_EQ(d.Title(), "Prov - vecka 1");
    EXPECT_EQ(d.Rows(1075), (std::vector<std::string>{"v0\tTal", "v1\tTal", "v2\tTal", "v3\tTal"}));
    EXPECT_EQ(d.RowData(1075, 3), 103u);
    EXPECT_EQ(d.TabStops(1075), (std::vector<int>{62, 95}));
    EXPECT_EQ(d.Selection(1075), -1);

    d.Select(1075, 2).Select(1075, 2).DoubleClick(1075, 1);
    EXPECT_EQ(dlg.log, (std::vector<std::string>{"sel 1075", "sel 1075", "double 1075 1"}))
        << "selecting the selected row again changes nothing";
    EXPECT_EQ(dlg.Win().Selection(1075), 1);

    dlg.Win().InsertRow(1075, 0, "först", 7);
    EXPECT_EQ(dlg.Win().Selection(1075), 2) << "the selection moves with its row";
    dlg.Win().SetRowData(1075, 0, 0xFFFFFFFFu);
    EXPECT_EQ(dlg.Win().RowData(1075, 0), 0xFFFFFFFFu);
    dlg.Win().Select(1075, 99);
    EXPECT_EQ(d.Selection(1075), -1) << "a row the list does not have selects none";

    d.Select(1037, "Öster");
    EXPECT_EQ(dlg.Win().Text(1037), "Öster");
    EXPECT_EQ(dlg.Win().RowData(1037, dlg.Win().Selection(1037)), 0xFFFFFFFFu);
}

TEST_F(HeadlessDialogTest, MultipleSelectionAndTopIndex) {
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    d.Toggle(1019, 0).Toggle(1019, 2).Toggle(1019, 3).Toggle(1019, 0);
    EXPECT_EQ(dlg.Win().SelectedRows(1019), (std::vector<int>{2, 3}));
    dlg.Win().SetRowSelected(1019, 1, true);
    EXPECT_TRUE(d.Window().IsRowSelected(1019, 1));
    EXPECT_EQ(d.SelectedRows(1019), (std::vector<int>{1, 2, 3}));
    dlg.Win().Select(1019, 0);
    EXPECT_EQ(d.SelectedRows(1019), (std::vector<int>{0}));

    dlg.Win().SetTopIndex(1075, 2);
    EXPECT_EQ(d.TopIndex(1075), 2);
    dlg.Win().SetTopIndex(1075, 40);
    EXPECT_EQ(d.TopIndex(1075), 3) << "the top index stays on a row";
    dlg.Win().ClearRows(1075);
    EXPECT_EQ(d.TopIndex(1075), 0);
}

TEST_F(HeadlessDialogTest, UserActionsDeliverTheirEvents) {
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    d.Focus(226).SetText(226, "Kristoffer").Focus(1075).ClickRow(1075, 1, 90).Step(1056, 1);
    d.ClickColumn(1075, 2, 1);
    EXPECT_EQ(d.Text(226), "Krist") << "typing stops at the edit's limit";
    EXPECT_EQ(dlg.log,
              (std::vector<std::string>{"focus 226", "edit 226", "blur 226", "focus 1075",
                                        "sel 1075", "click 1075 1 90 col 0", "updown 1056 1",
                                        "sel 1075", "click 1075 2 93 col 1"}))
        << "a click names the tab column drawn under it (the second starts at 62 units)";
    EXPECT_EQ(d.Value(1056), 1);

    dlg.log.clear();
    host.Answer(ui::Answer::No);
    d.Press(109).Press(1176);
    EXPECT_TRUE(d.IsChecked(109));
    EXPECT_TRUE(d.IsChecked(1176));
    host.ChooseMenu(0);
    d.Press(1175);
    EXPECT_TRUE(d.IsChecked(1175));
    EXPECT_FALSE(d.IsChecked(1176)) << "radio buttons of one group exclude each other";
    EXPECT_EQ(dlg.answer, ui::Answer::No);
}

TEST_F(HeadlessDialogTest, SystemCallsRaiseNoEvents) {
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    dlg.Win().SetText(226, "abcdefgh");
    dlg.Win().Select(1075, 1);
    dlg.Win().SetChecked(109, true);
    dlg.Win().SetFocus(226);
    EXPECT_TRUE(dlg.log.empty());
    EXPECT_EQ(d.Text(226), "abcde") << "the limit holds for the system's text too";
    EXPECT_EQ(d.Focused(), 226);
}

TEST(HeadlessWindowFaults, UnknownUndeclaredAndWrongKindIdsAreReported) {
    test::RecordingHost host;
    host.AddTemplate(kProv, ProvTemplate());
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    host.failures.clear();

    dlg.Win().SetText(4242, "x");
    ASSERT_EQ(host.failures.size(), 1u);
    EXPECT_NE(host.failures[0].find("no control 4242"), std::string::npos) << host.failures[0];

    dlg.Win().Show(999, false);
    ASSERT_EQ(host.failures.size(), 2u);
    EXPECT_NE(host.failures[1].find("does not declare control 999"), std::string::npos);
    EXPECT_TRUE(d.IsShown(999)) << "a refused call changes nothing";

    dlg.Win().AddRow(226, "rad");
    dlg.Win().SetRowSelected(1075, 0, true);
    dlg.Win().RowText(1075, 4);
    EXPECT_EQ(host.failures.size(), 5u);
}

TEST(HeadlessWindowFaults, UserCannotReachHiddenDisabledOrStaticControls) {
    test::RecordingHost host;
    host.AddTemplate(kProv, ProvTemplate());
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    d.Press(1078);
    dlg.Win().Enable(1077, false);
    d.Press(1077).Press(1090).Toggle(1075, 0).Select(1075, 9);
    EXPECT_EQ(host.failures.size(), 5u);
    EXPECT_TRUE(dlg.log.empty());
}

TEST_F(HeadlessDialogTest, OkEndsTheDialogOnlyWhenItAgrees) {
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    d.Ok();
    EXPECT_TRUE(d.IsOpen()) << "OK with an empty name keeps the dialog open";
    d.SetText(226, "Per").Ok();
    EXPECT_FALSE(d.IsOpen());
    EXPECT_EQ(d.EndCode(), ui::kIdOk);

    test::RecordingHost other;
    other.AddTemplate(kProv, ProvTemplate());
    ProvDlg second;
    HeadlessDialog d2(other, second);
    d2.Cancel().Press(1077);
    EXPECT_EQ(d2.EndCode(), ui::kIdCancel);
    EXPECT_EQ(other.failures.size(), 1u) << "acting on a closed dialog is reported";
}

TEST_F(HeadlessDialogTest, NestedDialogsAndAnswersFollowTheirScripts) {
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    host.OnDialog(kName, [](auto& name) { name.SetText(226, "Per").Ok(); });
    d.Press(1077);
    EXPECT_EQ(dlg.nestedCode, ui::kIdOk);
    EXPECT_EQ(dlg.nestedName, "Per");

    host.OnDialog(kName, [](auto& name) { name.Cancel(); });
    d.Press(1077);
    EXPECT_EQ(dlg.nestedCode, ui::kIdCancel);

    host.Answer(ui::Answer::Yes);
    d.Press(109);
    EXPECT_EQ(dlg.answer, ui::Answer::Yes);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "Flytta?");
    EXPECT_EQ(host.DialogsRun(), (std::vector<int>{kName, kName}));
}

TEST(HeadlessScriptFaults, UnscriptedWrongOrUnfinishedNestingIsReported) {
    test::RecordingHost host;
    host.AddTemplate(kProv, ProvTemplate());
    host.AddTemplate(kName, test::UiFile(kName, "Namn", Widget("QLineEdit", "c226")));
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);

    d.Press(1077);
    EXPECT_EQ(dlg.nestedCode, ui::kIdCancel);
    host.OnDialog(555, [](auto&) {});
    d.Press(1077);
    host.failures.clear();
    host.Verify();
    EXPECT_EQ(host.failures.size(), 1u) << "the script for 555 was never used";

    host.OnDialog(kName, [](auto& name) { name.SetText(226, "Per"); });
    host.failures.clear();
    d.Press(1077);
    EXPECT_EQ(host.failures.size(), 1u) << "a script that leaves its dialog open is reported";
    EXPECT_EQ(dlg.nestedCode, ui::kIdCancel);
}

TEST(HeadlessScriptFaults, PopupMenusAreScriptedAndChecked) {
    test::RecordingHost host;
    host.AddTemplate(kProv, ProvTemplate());
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    host.ChooseMenu(32768);
    d.Press(1175);
    EXPECT_EQ(dlg.menuChoice, 32768);
    ASSERT_EQ(host.Menus().size(), 1u);
    EXPECT_EQ(host.Menus()[0].at, (ui::Point{10, 20}));
    EXPECT_EQ(host.Menus()[0].menu.items[2].text, "Bröder");
    EXPECT_TRUE(host.failures.empty());

    host.ChooseMenu(32850);
    d.Press(1175);
    EXPECT_EQ(dlg.menuChoice, 0) << "an item the menu does not offer is refused";
    d.Press(1175);
    EXPECT_EQ(host.failures.size(), 2u) << "the second menu was unscripted";
    host.ChooseMenu(1);
    host.Verify();
    EXPECT_EQ(host.failures.size(), 3u);
}

TEST_F(HeadlessDialogTest, OwnerDrawnSurfacePaintsThroughTheCanvas) {
    ProvDlg dlg;
    HeadlessDialog d(host, dlg);
    ui::headless::RecordingCanvas canvas = d.Paint(1055, {420, 210});
    EXPECT_EQ(canvas.Dump(), "fill (0,0)-(420,10) c0c0c0\ntext (5,2) left/top \"Vecka 1055\"\n");
    d.Click(1055, {30, 40});
    EXPECT_EQ(dlg.log.back(), "click 1055 -1 30 col -1");
    dlg.Win().Redraw(1055);
    EXPECT_EQ(d.Redraws(1055), 1);
}

} // namespace
} // namespace mivra
