#include "app/Brixcdoc.h"
#include "app/Brixcfrm.h"
#include "app/Brixcvw.h"
#include "app/TorvanApp.h"
#include "framework/DocTemplate.h"
#include "timing/NewTime85View.h"
#include "timing/TimeWndFrm.h"
#include "watch/CVarWatch.h"
#include "watch/CVarWatchFrm.h"
#include "watch/ChpMemWatch.h"
#include "watch/ChpMemWatchFrm.h"
#include "watch/IOListWatch.h"
#include "watch/IOWatchFrm.h"
#include "watch/MRegFrm.h"
#include "watch/MemWatch.h"
#include "watch/MemWatchFrm.h"
#include "watch/RegWatch.h"
#include "watch/SerForm.h"
#include "watch/SerFrm.h"

// The nine kinds of window, in the order that decides which one opens a
// file: the first.
void CTorvanApp::RegisterDocTemplates() {
    AddDocTemplate(CMultiDocTemplate::New<CTorvanFrm, CTorvanView>());
    AddDocTemplate(CMultiDocTemplate::New<CTorvanFrm, CTorvanView>());
    m_pRegWatchTemplate = AddDocTemplate(CMultiDocTemplate::New<CMRegFrm, CRegWatch>());
    m_pMemWatchTemplate = AddDocTemplate(CMultiDocTemplate::New<CMemWatchFrm, CMemWatch>());
    m_pIOWatchTemplate = AddDocTemplate(CMultiDocTemplate::New<CIOWatchFrm, CIOListWatch>());
    m_pChpMemWatchTemplate = AddDocTemplate(CMultiDocTemplate::New<CChpMemWatchFrm, CChpMemWatch>());
    m_pCVarWatchTemplate = AddDocTemplate(CMultiDocTemplate::New<CCVarWatchFrm, CCVarWatch>());
    m_pSerialTemplate = AddDocTemplate(CMultiDocTemplate::New<CSerFrm, CSerForm>());
    m_pTimingTemplate = AddDocTemplate(CMultiDocTemplate::New<CTimeWndFrm, CNewTime85View>());
}
