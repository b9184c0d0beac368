#include "framework/looks.h"

#include "framework/control.h"
#include "framework/controls/lists.h"
#include "framework/controls/standard.h"
#include "framework/stocklooks.h"
#include "framework/stylebook.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace vantor {

void Look::adapt(QWidget *, bool) const {}

namespace {

struct RankedSource
{
    LookSource *source;
    int precedence;
};

std::vector<RankedSource> &sources()
{
    static std::vector<RankedSource> list = [] {
        static StockLookSource stock;
        // A form's own style book goes before the framework's stock looks.
        return std::vector<RankedSource>{{&BookLookSource(), 10}, {&stock, 0}};
    }();
    return list;
}

// Sits on a control's widget and paints the look in place of the widget's
// own painting. Mouse events are not touched.
class LookPainter : public QObject
{
public:
    LookPainter(TControl *control, QWidget *widget) : QObject(widget), m_control(control), m_widget(widget)
    {
        setObjectName(QStringLiteral("vantor-look"));
        widget->installEventFilter(this);
    }
    ~LookPainter() override
    {
        if (m_widget)
            m_widget->removeEventFilter(this);
    }

    const std::shared_ptr<const Look> &look() const { return m_look; }
    void setLook(std::shared_ptr<const Look> look)
    {
        if (m_look && m_widget)
            m_look->adapt(m_widget, false);
        m_look = std::move(look);
        if (m_look && m_widget)
            m_look->adapt(m_widget, true);
        if (m_widget)
            m_widget->update();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_widget || !m_look || !m_look->paintsControl())
            return false;
        switch (event->type()) {
        case QEvent::Paint: {
            QPainter painter(m_widget);
            painter.setRenderHint(QPainter::Antialiasing);
            m_look->paint(painter, QRectF(m_widget->rect()), lookDataOf(*m_control, m_widget));
            return !m_look->paintsUnderWidget();
        }
        case QEvent::Enter:
        case QEvent::Leave:
            // Looks show hovering; the widget may not repaint for it itself.
            m_widget->update();
            return false;
        default: return false;
        }
    }

private:
    TControl *m_control;
    QPointer<QWidget> m_widget;
    std::shared_ptr<const Look> m_look;
};

LookPainter *painterOf(QWidget *widget)
{
    return widget->findChild<LookPainter *>(QStringLiteral("vantor-look"), Qt::FindDirectChildrenOnly);
}

bool boolProperty(const TControl &control, const char *name)
{
    auto *object = const_cast<TControl *>(&control);
    const PropInfo *info = GetPropInfo(object, QLatin1String(name));
    if (!info || info->kind != PropKind::Boolean)
        return false;
    const PropValue value = GetPropValue(object, QLatin1String(name));
    return std::holds_alternative<bool>(value) && std::get<bool>(value);
}

} // namespace

void addLookSource(LookSource *source, int precedence)
{
    auto &list = sources();
    removeLookSource(source);
    // Stable among equals: the later of two sources of one precedence is asked second.
    const auto at = std::find_if(list.begin(), list.end(), [&](const RankedSource &s) { return s.precedence < precedence; });
    list.insert(at, {source, precedence});
}

void removeLookSource(LookSource *source)
{
    auto &list = sources();
    list.erase(std::remove_if(list.begin(), list.end(), [&](const RankedSource &s) { return s.source == source; }),
               list.end());
}

QString effectiveStyleLookup(const TControl &control)
{
    const QString own = control.StyleLookup();
    if (!own.trimmed().isEmpty())
        return own;
    if (const auto *item = object_cast<TListBoxItem>(&control))
        if (TListBox *list = item->listBox()) {
            const QString path = QStringLiteral("DefaultItemStyles.ItemStyle");
            if (FindPropertyPath(list, path)) {
                const PropValue value = GetPropValue(list, path);
                if (const auto *text = std::get_if<QString>(&value))
                    return *text;
            }
        }
    return own;
}

std::shared_ptr<const Look> resolveLook(const TControl &control)
{
    for (const RankedSource &s : sources())
        if (auto look = s.source->lookFor(control))
            return look;
    return nullptr;
}

QString DrawnLook(const TControl &control)
{
    const auto look = resolveLook(control);
    return look ? look->name() : QStringLiteral("default");
}

LookData lookDataOf(const TControl &control, const QWidget *widget)
{
    LookData data;
    data.palette = widget ? widget->palette() : QApplication::palette();
    data.font = QApplication::font();
    data.enabled = control.Enabled();
    if (const auto *text = object_cast<TTextControl>(&control)) {
        data.text = text->Text();
        data.font = text->peerFont(QFont());
        if (text->usesOwnFontColor())
            data.fontColor = toQColor(text->TextSettings()->FontColor());
        data.alignment = text->TextSettings()->qtAlignment();
        data.wordWrap = text->TextSettings()->WordWrap();
    }
    if (const auto *item = object_cast<TListBoxItem>(&control)) {
        data.detail = item->ItemData()->Detail();
        data.image = item->ItemData()->Bitmap()->image();
        switch (item->ItemData()->Accessory()) {
        case TListBoxItemAccessory::aNone: data.accessory = LookAccessory::None; break;
        case TListBoxItemAccessory::aMore: data.accessory = LookAccessory::More; break;
        case TListBoxItemAccessory::aDetail: data.accessory = LookAccessory::Detail; break;
        case TListBoxItemAccessory::aCheckmark: data.accessory = LookAccessory::Checkmark; break;
        }
        data.selected = item->IsSelected();
        data.checkBox = item->listBox() && item->listBox()->ShowCheckboxes();
    }
    data.checked = boolProperty(control, "IsChecked");
    if (const auto *button = object_cast<TButton>(&control))
        data.checked = data.checked || (button->StaysPressed() && button->IsPressed());
    if (widget) {
        data.enabled = data.enabled && widget->isEnabled();
        data.hovered = widget->underMouse();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            data.pressed = button->isDown();
    }
    return data;
}

void applyLook(TControl &control)
{
    if (!control.isRealized())
        return;
    QWidget *widget = control.peer();
    auto look = resolveLook(control);
    LookPainter *painter = painterOf(widget);
    if (!look) {
        if (painter) {
            painter->setLook(nullptr);
            delete painter;
        }
        return;
    }
    if (!painter)
        painter = new LookPainter(&control, widget);
    if (painter->look() != look)
        painter->setLook(std::move(look));
}

} // namespace vantor
