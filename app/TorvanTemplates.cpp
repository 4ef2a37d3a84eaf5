#include "app/TorvanApp.h"

#include <type_traits>

#include "app/Brixcdoc.h"
#include "app/Brixcfrm.h"
#include "app/Brixcvw.h"

namespace {
// The program window's template, once its view is a view of the document.
template <class Frm, class View>
CMultiDocTemplate* ProgramWindowTemplate() {
    if constexpr (std::is_base_of_v<CView, View>) return CMultiDocTemplate::New<Frm, View>();
    else return CMultiDocTemplate::NewEmpty();
}
}  // namespace

// The nine kinds of window, in the order that decides which one opens a
// file: the first. A window not built yet has an empty template, whose
// toggle reports that the command failed.
void CTorvanApp::RegisterDocTemplates() {
    AddDocTemplate(ProgramWindowTemplate<CTorvanFrm, CTorvanView>());
    AddDocTemplate(ProgramWindowTemplate<CTorvanFrm, CTorvanView>());
    m_pRegWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pMemWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pIOWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pChpMemWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pCVarWatchTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pSerialTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
    m_pTimingTemplate = AddDocTemplate(CMultiDocTemplate::NewEmpty());
}
