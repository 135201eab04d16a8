#include "rotations/CHosp.h"

#include "store/CNameListDlg.h"
#include "ui/Host.h"

namespace mivra::rotations {

std::optional<uint16_t> CHosp::ChooseHolder(int /*weekIndex*/, uint16_t holder) {
    CNameListDlg list(Doc(), CNameListDlg::Kind::Hosts, true, holder);
    const bool confirmed = Host().RunDialog(list) == ui::kIdOk;
    if (confirmed)
        return list.Chosen().value_or(0);
    // Hosts added or renamed before Cancel still show in the rows.
    return list.Changed() ? std::optional<uint16_t>(0) : std::nullopt;
}

} // namespace mivra::rotations
