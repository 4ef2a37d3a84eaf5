#include "watch/ChpMemWatch.h"

#include "res/CommandIds.h"

bool CChpMemWatch::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    static const WatchCommand<CChpMemWatch> kCommands[] = {
        {ID_FLOAT_ADD, &CChpMemWatch::OnAddWatch},
        {ID_FLOAT_DELETE, &CChpMemWatch::OnDeleteWatch},
        {ID_FLOAT_DELETEALL, &CChpMemWatch::OnDeleteAllWatches},
        {ID_FLOAT_EDIT, &CChpMemWatch::OnEditWatch},
    };
    return DispatchWatchCommand(this, kCommands, nID, pCmdUI);
}
