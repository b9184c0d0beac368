#pragma once

// Qt-side helpers of TControl: the default painted peer widget and the event
// filter that turns real mouse clicks on a peer into Click()/DblClick().

#include <QObject>
#include <QWidget>

namespace vantor {

class TControl;

// Qt takes a tool tip that looks like markup ("<b>...", "&lt;") for rich
// text; the framework shows a hint as it stands. Returns the hint as a tool
// tip that Qt shows literally, line breaks kept.
QString plainToolTip(const QString &hint);

// A plain widget that lets its control paint it.
class PaintPeer : public QWidget
{
public:
    explicit PaintPeer(TControl *control, QWidget *parent = nullptr);
    // The control is going away; paint nothing from now on.
    void detach() { m_control = nullptr; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TControl *m_control;
};

// Watches one peer. A left press followed by a release inside the widget is
// a click; a double click is a double click. The events are consumed so that
// a click reaches one control, not its parents as well. Peers that report
// clicks themselves (TControl::peerReportsClicks) are left alone. The filter
// also sends the peer's polish past an application style sheet that cannot
// style it (PolishPastApplicationSheet).
class PeerEventFilter : public QObject
{
public:
    PeerEventFilter(TControl *control, QWidget *peer);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TControl *m_control;
    bool m_pressed = false;
};

} // namespace vantor
