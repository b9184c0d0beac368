#pragma once

// The data-set navigator of live bindings: a row of buttons (first, prior,
// next, last, insert, delete, edit, post, cancel, refresh, apply and cancel
// updates) of which VisibleButtons says which are shown.

#include "framework/control.h"

namespace vantor::fmxdata {

class TBindNavigator : public TControl
{
    VANTOR_CLASS(TBindNavigator, TControl)
public:
    explicit TBindNavigator(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TBindNavigator> &b);

    // Bit n stands for button n of the order above.
    std::int64_t VisibleButtons() const { return m_buttons; }
    void SetVisibleButtons(std::int64_t v) { m_buttons = v; peerChanged(); }
    double xRadius() const { return m_xRadius; }
    void SetxRadius(double v) { m_xRadius = v; peerChanged(); }
    double yRadius() const { return m_yRadius; }
    void SetyRadius(double v) { m_yRadius = v; peerChanged(); }
    // The buttons shown, in order: their ordinals.
    std::vector<int> shownButtons() const;

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    std::int64_t m_buttons = 0x3FF; // all but apply and cancel updates
    double m_xRadius = 0;
    double m_yRadius = 0;
};

void registerDataClasses();

} // namespace vantor::fmxdata
