#include "app/Brixcvw.h"

CTorvanView::CTorvanView(CTorvanDoc* pDoc, QWidget* parent)
    : QAbstractScrollArea(parent), m_pDocument(pDoc)
{
}

void CTorvanView::OnInitialUpdate()
{
}

void CTorvanView::OnUpdate()
{
    viewport()->update();
}
