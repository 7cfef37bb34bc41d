// Handler lookup along a class's chain of handler tables.

#include "CmdTarget.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP messageMap{nullptr, {}};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

bool CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // The most derived table comes first, so a class overrides its base's handler.
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr; map = map->pBaseMap) {
        for (const AFX_MSGMAP_ENTRY& entry : map->entries) {
            if (entry.nCode != nCode || nID < entry.nID || nID > entry.nLastID)
                continue;
            if (pHandlerInfo != nullptr) {
                pHandlerInfo->pTarget = this;
                return true;
            }
            entry.pfn(this, nID, pExtra);
            return true;
        }
    }
    return false;
}
