// The style of the owner-drawn popups: hands the measuring and drawing of
// every item that has a record, and of the popup's ground and frame, to its
// KespMenu, and lets the application's style draw the rest (the menu bar,
// plain menus).
#pragma once

#include <QProxyStyle>

class KespMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    // The one instance every KespMenu uses; it lives as long as the
    // application object.
    static KespMenuStyle* Instance();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* pOption, QPainter* pPainter,
                       const QWidget* pWidget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* pOption, QPainter* pPainter,
                     const QWidget* pWidget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* pOption, const QSize& size,
                           const QWidget* pWidget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* pOption = nullptr,
                    const QWidget* pWidget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* pOption = nullptr, const QWidget* pWidget = nullptr,
                  QStyleHintReturn* pReturn = nullptr) const override;

private:
    KespMenuStyle();
};
