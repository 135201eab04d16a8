#pragma once

#include "exchange/Package.h"
#include "exchange/PackageImport.h"
#include "ui/Dialog.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace mivra {
class CMvDoc;
}

namespace mivra::exchange {

/**
 * "Importera": the preview of a package before it is imported. It shows the plan (what is
 * added, updated, moved, skipped and detached, and each changed field of the line in focus)
 * and OK carries out exactly that plan. After an edit of the name OK reads "Använd": that
 * press only applies the name.
 */
class CImportDlg : public ui::Dialog {
public:
    static constexpr int kTemplate = 302;
    static constexpr int kName = 1320;    ///< the congregation's name, 48 characters
    static constexpr int kCircuit = 1321; ///< button: the circuit, or "Välj krets"
    static constexpr int kCircuitWarning = 1322;
    static constexpr int kCongregationLine = 1323;
    static constexpr int kCountLine = 1324;
    static constexpr int kDuplicateLine = 1325;
    static constexpr int kNewLine = 1326;
    static constexpr int kClickOk = 1327;
    static constexpr int kList = 1328; ///< one line per brother record, multiple selection
    static constexpr int kRemovalGroup = 1329;
    static constexpr int kRemovalLabel = 1330;
    static constexpr int kRemovalList = 1331;
    static constexpr int kCongregationChanges = 1332;
    static constexpr int kDetails = 1333;
    static constexpr int kIds[] = {kName,
                                   kCircuit,
                                   kCircuitWarning,
                                   kCongregationLine,
                                   kCountLine,
                                   kDuplicateLine,
                                   kNewLine,
                                   kClickOk,
                                   kList,
                                   kRemovalGroup,
                                   kRemovalLabel,
                                   kRemovalList,
                                   kCongregationChanges,
                                   kDetails,
                                   ui::kIdOk};
    static constexpr ui::TemplateUse kUse{"CImportDlg", kTemplate, kIds};
    inline static const ui::TemplateUseDeclaration kDeclared{kUse};

    CImportDlg(CMvDoc& doc, std::filesystem::path path, Package package);

    /**
     * Reads the package and runs the dialog; a file that is no package is told and nothing is
     * imported. True when the import was carried out.
     */
    static bool Run(CMvDoc& doc, ui::Host& host, const std::filesystem::path& path);

    const ImportPlan& Plan() const { return m_plan; }
    const std::optional<ImportOutcome>& Outcome() const { return m_outcome; }

private:
    void OnInit() override;
    void OnOk() override;
    void OnCommand(int id) override;
    void OnSelChange(int id) override;
    void OnEditChange(int id) override;

    /** The name's match and its circuit, as the edit now reads. */
    void LookUp();
    void Replan();
    void FillList();
    void ReadSelection();
    void UpdateSummary();
    void UpdateCircuit();
    void ShowDetails();
    std::string LineText(const LinePlan& line) const;
    /** The circuit list in selection mode; nothing when cancelled. */
    std::optional<uint16_t> PickCircuit();

    CMvDoc& m_doc;
    std::filesystem::path m_path;
    Package m_package;
    ImportPlan m_plan;
    int m_match = 0; ///< the congregation the name matches: index + 1, 0 for none
    uint16_t m_circuit = 0;
    bool m_applyPending = false;
    std::optional<ImportOutcome> m_outcome;
};

/** After an import stopped at a failed write (the store has named the file): what was
 *  written before it. */
void TellImportStopped(const CMvDoc& doc, ui::Host& host, int added, int updated);

/** "&Importera paket från församling": a package file from the data folder, then its preview.
 *  True when something was imported. */
bool ImportPackage(CMvDoc& doc, ui::Host& host);

} // namespace mivra::exchange
