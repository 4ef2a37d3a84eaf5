// The program window's view: a disassembly listing of target memory with the
// current-line marker, scrolled virtually over up to 65,535 lines.
#pragma once

#include <QAbstractScrollArea>

class CTorvanDoc;

class CTorvanView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CTorvanView(CTorvanDoc* pDoc, QWidget* parent = nullptr);

    CTorvanDoc* GetDocument() const { return m_pDocument; }

    void OnInitialUpdate();
    void OnUpdate();

private:
    CTorvanDoc* m_pDocument;
};
