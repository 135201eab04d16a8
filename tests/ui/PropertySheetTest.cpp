#include "ui/PropertySheet.h"

#include "support/TestHost.h"
#include "ui/UiFixtures.h"
#include "ui/headless/HeadlessSheet.h"

#include <gtest/gtest.h>

namespace mivra {
namespace {

using ui::headless::HeadlessSheet;

constexpr int kButtonId = 1077;
constexpr int kEdit = 111;

/** A page that writes what reaches it into a log shared by the sheet's pages. */
class LogPage : public ui::PropertyPage {
public:
    static constexpr int kIds[] = {kButtonId};
    LogPage(int templateId, std::string name, std::vector<std::string>& log)
        : PropertyPage(Use(templateId)), m_name(std::move(name)), m_log(log) {}

    bool refuseApply = false;
    int answerSiblings = 0;

    using PropertyPage::QuerySiblings;
    using PropertyPage::SetModified;

private:
    static ui::TemplateUse Use(int templateId) { return {"LogPage", templateId, kIds}; }
    void Note(const std::string& what) { m_log.push_back(m_name + " " + what); }
    void OnInit() override { Note("init"); }
    void OnSetActive() override { Note("active"); }
    bool OnApply() override {
        Note("apply");
        return !refuseApply;
    }
    void OnReset() override { Note("reset"); }
    void OnCommand(int id) override {
        Note("command " + std::to_string(id));
        SetModified();
    }
    int OnQuerySiblings(int first, int second) override {
        Note("siblings " + std::to_string(first) + " " + std::to_string(second));
        return answerSiblings;
    }

    std::string m_name;
    std::vector<std::string>& m_log;
};

/** A sheet of four pages with a caption, an extra button and its menu, as the schedule has. */
class FourPageSheet : public ui::PropertySheet {
public:
    explicit FourPageSheet(std::vector<std::string>& log)
        : PropertySheet("Panel för schemaläggning"), a(9101, "a", log), b(9102, "b", log),
          c(9103, "c", log), d(9104, "d", log), m_log(log) {
        for (LogPage* p : {&a, &b, &c, &d})
            AddPage(*p);
    }
    LogPage a, b, c, d;
    int menuChoice = -1;

private:
    void OnInit() override {
        Win().SetText(ui::kIdCancel, "Avbryt");
        AddButton(kEdit, "Redigera");
        RefuseClose({"Please select either OK or Cancel to close the console.", ui::Buttons::Ok,
                     ui::Icon::Warning, false, ""});
    }
    void OnCommand(int id) override {
        if (id != kEdit)
            return;
        ui::Size s = Win().ClientSize();
        ui::Menu menu{{{32844, "Församlingar"}, {32768, "Bröder"}}};
        menuChoice = Host().PopupMenu(Win(), {s.width / 40, s.height * 3 / 4}, menu);
    }
    void OnReset() override { m_log.push_back("sheet reset"); }
    std::vector<std::string>& m_log;
};

class PropertySheetTest : public ::testing::Test {
protected:
    PropertySheetTest() {
        const char* titles[] = {"Sammanfattning", "Tal i hemförsamlingen", "Ordförande",
                                "Talare som reser ut"};
        for (int i = 0; i < 4; ++i)
            host.AddTemplate(
                9101 + i,
                test::UiFile(9101 + i, titles[i], test::Widget("QPushButton", "c1077"), "QWidget"));
    }
    std::vector<std::string> log;
    test::TestHost host;
};

TEST_F(PropertySheetTest, OpensOnItsStartPageWithItsButtons) {
    FourPageSheet sheet(log);
    sheet.SetStartPage(2);
    HeadlessSheet s(host, sheet);
    EXPECT_EQ(s.Tabs(), (std::vector<std::string>{"Sammanfattning", "Tal i hemförsamlingen",
                                                  "Ordförande", "Talare som reser ut"}));
    EXPECT_EQ(log, (std::vector<std::string>{"c init", "c active"}));
    EXPECT_EQ(s.ShownPage(), 2);
    EXPECT_EQ(s.ButtonText(ui::kIdCancel), "Avbryt");
    EXPECT_EQ(s.ButtonText(kEdit), "Redigera");
    EXPECT_FALSE(s.IsButtonEnabled(ui::kIdApply));
    s.Cancel();
    EXPECT_EQ(s.EndCode(), ui::kIdCancel);

    FourPageSheet early(log);
    early.SetActivePage(3);
    HeadlessSheet s3(host, early);
    EXPECT_EQ(s3.ShownPage(), 3) << "activating a page before the run picks the start page";
    s3.Cancel();

    FourPageSheet past(log);
    past.SetStartPage(7);
    HeadlessSheet s2(host, past);
    EXPECT_EQ(s2.ShownPage(), 0) << "a start page past the last opens the first";
    s2.Ok();
}

TEST_F(PropertySheetTest, OkAndApplyReachOnlyOpenedPagesInTabOrder) {
    FourPageSheet sheet(log);
    sheet.SetStartPage(3);
    HeadlessSheet s(host, sheet);
    s.SelectPage(1).SelectPage(3);
    EXPECT_EQ(log,
              (std::vector<std::string>{"d init", "d active", "b init", "b active", "d active"}))
        << "a page opens once, and is told each time it becomes active";
    log.clear();

    s.Page(3).Press(kButtonId);
    EXPECT_TRUE(s.IsButtonEnabled(ui::kIdApply)) << "SetModified enables Apply";
    s.Apply();
    EXPECT_EQ(log, (std::vector<std::string>{"d command 1077", "b apply", "d apply"}));
    EXPECT_FALSE(s.IsButtonEnabled(ui::kIdApply)) << "a successful Apply clears the marks";
    EXPECT_TRUE(s.IsOpen());
    log.clear();

    s.Ok();
    EXPECT_EQ(log, (std::vector<std::string>{"b apply", "d apply"}));
    EXPECT_EQ(s.EndCode(), ui::kIdOk);
    EXPECT_FALSE(s.IsOpen());
}

TEST_F(PropertySheetTest, APageThatRefusesKeepsTheSheetOpenOnIt) {
    FourPageSheet sheet(log);
    HeadlessSheet s(host, sheet);
    s.SelectPage(2).SelectPage(3);
    sheet.c.refuseApply = true;
    sheet.c.SetModified();
    log.clear();
    s.Ok();
    EXPECT_EQ(log, (std::vector<std::string>{"a apply", "c apply", "c active"}));
    EXPECT_TRUE(s.IsOpen());
    EXPECT_EQ(s.ShownPage(), 2);
    EXPECT_TRUE(s.IsButtonEnabled(ui::kIdApply)) << "nothing was applied, so the mark stays";
    sheet.c.refuseApply = false;
    s.Ok();
    EXPECT_FALSE(s.IsOpen());
}

TEST_F(PropertySheetTest, CancelResetsEveryOpenedPage) {
    FourPageSheet sheet(log);
    HeadlessSheet s(host, sheet);
    s.SelectPage(2);
    log.clear();
    s.Cancel();
    EXPECT_EQ(log, (std::vector<std::string>{"a reset", "c reset", "sheet reset"}))
        << "the sheet hears of Cancel once, after its pages";
    EXPECT_EQ(s.EndCode(), ui::kIdCancel);
}

TEST_F(PropertySheetTest, SiblingQueryReachesEveryOpenedPageUntilOneAnswers) {
    FourPageSheet sheet(log);
    sheet.SetStartPage(1);
    HeadlessSheet s(host, sheet);
    s.SelectPage(3).SelectPage(0);
    log.clear();
    EXPECT_EQ(sheet.b.QuerySiblings(555, 555), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"a siblings 555 555", "b siblings 555 555",
                                             "d siblings 555 555"}));
    log.clear();
    sheet.b.answerSiblings = 9;
    EXPECT_EQ(sheet.d.QuerySiblings(1, 2), 9);
    EXPECT_EQ(log, (std::vector<std::string>{"a siblings 1 2", "b siblings 1 2"}));
    s.Ok();
}

TEST_F(PropertySheetTest, TheCloseBoxIsRefusedWithItsMessage) {
    FourPageSheet sheet(log);
    HeadlessSheet s(host, sheet);
    s.CloseBox();
    EXPECT_TRUE(s.IsOpen());
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].text, "Please select either OK or Cancel to close the console.");
    s.Ok();
}

TEST_F(PropertySheetTest, TheExtraButtonPopsItsMenuUp) {
    FourPageSheet sheet(log);
    HeadlessSheet s(host, sheet);
    host.ChooseMenu(32768);
    s.Press(kEdit);
    EXPECT_EQ(sheet.menuChoice, 32768);
    s.Cancel();
}

/** The shell opens the sheet through the host; a test scripts it as it scripts a dialog. */
TEST_F(PropertySheetTest, ANestedSheetFollowsItsScript) {
    FourPageSheet sheet(log);
    host.OnSheet([](HeadlessSheet& s) {
        s.SelectPage(2).Page(2).Press(kButtonId);
        s.Ok();
    });
    EXPECT_EQ(host.RunSheet(sheet), ui::kIdOk);
    EXPECT_EQ(log.back(), "c apply");
}

} // namespace
} // namespace mivra
