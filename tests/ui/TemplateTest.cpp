#include "ui/Template.h"

#include "app/CAboutDlg.h"
#include "resources/Embedded.h"
#include "rotations/CChair.h"
#include "ui/UiFixtures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace mivra {
namespace {

using test::Widget;

TEST(Templates, EveryEmbeddedTemplateNamesItsControlsByUniqueIds) {
    int files = 0;
    for (const resources::EmbeddedFile& f : resources::AllFiles()) {
        std::string_view name = f.name;
        if (!name.starts_with("dialogs/"))
            continue;
        ++files;
        std::string stem(name.substr(8, name.size() - 8 - 3));
        ASSERT_TRUE(name.ends_with(".ui")) << name;
        ASSERT_EQ(std::to_string(std::atoi(stem.c_str())), stem) << "not named <id>.ui: " << name;
        std::optional<ui::Template> t = ui::ParseTemplate(
            {reinterpret_cast<const char*>(f.data), f.size}, std::atoi(stem.c_str()));
        ASSERT_TRUE(t) << name << " is not a Designer file";
        EXPECT_TRUE(t->problems.empty()) << name << ": " << t->problems.front();
        EXPECT_FALSE(t->title.empty()) << name;
    }
    EXPECT_EQ(static_cast<size_t>(files), ui::TemplateLibrary::EmbeddedIds().size());
}

TEST(Templates, TheSchedulingPagesCarryTheirCaptions) {
    const std::pair<int, const char*> pages[] = {{149, "Sammanfattning"},
                                                 {158, "Tal i hemförsamlingen"},
                                                 {165, "Ordförande"},
                                                 {167, "Värd"},
                                                 {168, "Högläsare vid Vakttornsstudiet"},
                                                 {161, "Talare som reser ut"},
                                                 {173, "Sammankomster, kretsbesök, etc"}};
    ui::TemplateLibrary library;
    for (auto [id, caption] : pages) {
        std::optional<ui::Template> t = library.Load(id);
        ASSERT_TRUE(t) << id;
        EXPECT_EQ(t->title, caption);
        EXPECT_EQ(t->rootClass, "QWidget") << "a page is a plain widget inside the sheet";
    }
}

TEST(Templates, EveryDeclaredIdExistsInItsTemplate) {
    ui::TemplateLibrary library;
    for (const ui::TemplateUse* declared : ui::DeclaredTemplateUses()) {
        const ui::TemplateUse& use = *declared;
        std::optional<ui::Template> t = library.Load(use.templateId);
        ASSERT_TRUE(t) << use.owner << ": no template " << use.templateId;
        for (int id : use.controls)
            EXPECT_TRUE(t->Find(id))
                << use.owner << " uses " << id << ", missing in " << use.templateId;
    }
}

TEST(Templates, EveryWindowClassIsOnTheDeclaredListWithoutACentralOne) {
    const std::vector<const ui::TemplateUse*>& uses = ui::DeclaredTemplateUses();
    for (const ui::TemplateUse* use : {&app::CAboutDlg::kUse, &rotations::CChair::kUse})
        EXPECT_NE(std::find(uses.begin(), uses.end(), use), uses.end()) << use->owner;
    EXPECT_EQ(uses.size(), std::set<const ui::TemplateUse*>(uses.begin(), uses.end()).size());
}

TEST(TemplateReader, FindsMisnamedRepeatedAndFalseControls) {
    std::string xml =
        test::UiFile(42, "Prov",
                     Widget("QPushButton", "pushButton") + Widget("QLabel", "c7") +
                         Widget("QLineEdit", "c7") + Widget("QLabel", "staticHeading") +
                         Widget("QWidget", "c8") + Widget("QPushButton", "c070") +
                         Widget("QPushButton", "c99999") + Widget("QCheckBox", "c12"));
    std::optional<ui::Template> t = ui::ParseTemplate(xml, 42);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->problems.size(), 5u) << "pushButton, the second c7, c8, c070 and c99999";
    ASSERT_EQ(t->controls.size(), 2u);
    EXPECT_EQ(t->controls[0].kind, ui::ControlKind::Static);
    EXPECT_EQ(t->controls[1].id, 12);
    EXPECT_EQ(ui::ParseTemplate(xml, 43)->problems.size(), 6u) << "the root must be d43";
}

TEST(TemplateReader, SurvivesGarbageAndTruncation) {
    std::string xml = test::UiFile(42, "Prov", Widget("QCheckBox", "c12"));
    for (size_t cut = 0; cut < xml.size(); cut += 7)
        (void)ui::ParseTemplate(xml.substr(0, cut), 42);
    EXPECT_FALSE(ui::ParseTemplate("", 1));
    EXPECT_FALSE(ui::ParseTemplate(std::string(5000, '\xff'), 1));
    EXPECT_FALSE(ui::ParseTemplate("<ui><nothing/></ui>", 1));
    std::string open, close;
    for (int i = 0; i < 2000; ++i) {
        open += "<layout><item><widget class=\"QFrame\" name=\"w\">";
        close += "</widget></item></layout>";
    }
    EXPECT_TRUE(ui::ParseTemplate("<ui><widget class=\"QDialog\" name=\"d1\">" + open +
                                      "<widget class=\"QLabel\" name=\"c5\"/>" + close +
                                      "</widget></ui>",
                                  1)
                    ->Find(5))
        << "a control deep inside nested layouts is found";
}

} // namespace
} // namespace mivra
