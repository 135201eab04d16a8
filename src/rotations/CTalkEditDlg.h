#pragma once

#include "rotations/TalkHistory.h"
#include "store/Records.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <vector>

namespace mivra {
class CMvDoc;
}

namespace mivra::rotations {

/**
 * The talk form: a talk's number text, title and topics, and the weeks it was given at home.
 * It works on a copy; OK puts the copy back and writes "talk.dat".
 */
class CTalkEditDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 145;
    static constexpr int kNumber = 1310;
    static constexpr int kTitle = 1311;
    static constexpr int kTopicsButton = 1029; ///< toggles between the talk's topics and all
    static constexpr int kTopics = 1030;       ///< the talk's topics
    static constexpr int kAllTopics = 1028;    ///< every topic, the talk's ones selected
    static constexpr int kTopicList = 1031;    ///< edits the topic list itself
    static constexpr int kWeeks = 1060;        ///< the weeks the talk was given at home
    static constexpr int kIds[] = {ui::kIdOk, ui::kIdCancel, kNumber,    kTitle, kTopicsButton,
                                   kTopics,   kAllTopics,    kTopicList, kWeeks};
    static constexpr ui::TemplateUse kUse{"CTalkEditDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CTalkEditDlg(CMvDoc& doc, int talkIndex);

    /** The talk list's form on a talk (0-based index): true when it was confirmed. */
    static bool Edit(CMvDoc& doc, ui::Host& host, int talkIndex);

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;

    void ShowTopics();
    void ShowWeek(const HomeTalkWeek& week);
    void FillAllTopics();
    void TakeChoice();
    void EditTopicList();

    CMvDoc& m_doc;
    int m_index;
    TalkRecord m_talk;
    bool m_choosing = false;
    /** The talk's topic keys in their order; new choices are appended. */
    std::vector<uint16_t> m_chosen;
    std::vector<HomeTalkWeek> m_history; ///< the rows of the week list
};

} // namespace mivra::rotations
