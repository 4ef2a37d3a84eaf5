// Something on the command route: the active view, the main frame, the
// application. Commands go to each in that order until one handles them.
#pragma once

class CCmdUI;

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // With pCmdUI null, performs command nID and returns true when this
    // target serves it. With pCmdUI, fills in the command's state and returns
    // true when that settles it.
    virtual bool OnCmdMsg(int nID, CCmdUI* pCmdUI) = 0;
};
