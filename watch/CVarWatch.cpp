#include "watch/CVarWatch.h"

#include "res/CommandIds.h"

bool CCVarWatch::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    static const WatchCommand<CCVarWatch> kCommands[] = {
        {ID_FLOAT_ADD, &CCVarWatch::OnAddWatch},
        {ID_FLOAT_DELETE, &CCVarWatch::OnDeleteWatch},
        {ID_FLOAT_DELETEALL, &CCVarWatch::OnDeleteAllWatches},
        {ID_FLOAT_EDIT, &CCVarWatch::OnEditWatch},
        {ID_FLOAT_PROPERTIES, &CCVarWatch::OnProperties},
    };
    return DispatchWatchCommand(this, kCommands, nID, pCmdUI);
}
