#include "framework/peer.h"

#include "framework/control.h"
#include "framework/sheetpolish.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>

namespace vantor {

QString plainToolTip(const QString &hint)
{
    if (!Qt::mightBeRichText(hint))
        return hint;
    return QStringLiteral("<p style=\"white-space:pre\">") + hint.toHtmlEscaped() + QStringLiteral("</p>");
}

PaintPeer::PaintPeer(TControl *control, QWidget *parent) : QWidget(parent), m_control(control) {}

void PaintPeer::paintEvent(QPaintEvent *)
{
    if (!m_control)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_control->paint(painter, QRectF(rect()));
}

PeerEventFilter::PeerEventFilter(TControl *control, QWidget *peer) : QObject(peer), m_control(control) {}

bool PeerEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    // Every event of the widget passes here: those this filter leaves alone
    // go on at once.
    if (watched != parent())
        return false;
    switch (event->type()) {
    case QEvent::Polish: return PolishPastApplicationSheet(static_cast<QWidget *>(watched));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: break;
    default: return false;
    }
    if (m_control->peerReportsClicks())
        return false;
    const bool consume = true;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton)
            m_pressed = true;
        return consume;
    }
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton || !m_pressed)
            return consume;
        m_pressed = false;
        const bool inside = static_cast<QWidget *>(watched)->rect().contains(me->position().toPoint());
        if (inside) {
            // The handler may free the control (and this filter): touch
            // nothing after it.
            m_control->Click();
            return consume;
        }
        return consume;
    }
    case QEvent::MouseButtonDblClick:
        m_control->DblClick();
        return consume;
    default: return false;
    }
}

} // namespace vantor
