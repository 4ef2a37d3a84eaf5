#include "app/Brixcdoc.h"
#include "app/Brixcfrm.h"
#include "app/Brixcvw.h"
#include "app/TorvanApp.h"
#include "framework/DocTemplate.h"
#include "timing/NewTime85View.h"
#include "timing/TimeWndFrm.h"

// The nine kinds of window, in the order that decides which one opens a
// file: the first. A window not built yet has an empty template, whose
// toggle reports that the command failed.
void CTorvanApp::RegisterDocTemplates() {
    AddDocTemplate(CMultiDocTemplate::New<CTorvanFrm, CTorvanView>());
    AddDocTemplate(CMultiDocTemplate::New<CTorvanFrm, CTorvanView>());
    m_pRegWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pMemWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pIOWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pChpMemWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pCVarWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pSerialTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pTimingTemplate = AddDocTemplate(CMultiDocTemplate::New<CTimeWndFrm, CNewTime85View>());
}
