#include "framework/controls/buttons.h"

#include "framework/controls/edits.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace vantor {

using namespace input;

VANTOR_IMPLEMENT_CLASS(TCheckBox)
VANTOR_IMPLEMENT_CLASS(TRadioButton)
VANTOR_IMPLEMENT_CLASS(TSwitch)
VANTOR_IMPLEMENT_CLASS(TSpeedButton)
VANTOR_IMPLEMENT_CLASS(TCornerButton)

namespace {

const EnumInfo &cornerInfo()
{
    static const EnumInfo info{"TCorner", {"TopLeft", "TopRight", "BottomLeft", "BottomRight"}, "cr"};
    return info;
}
const EnumInfo &sideInfo()
{
    static const EnumInfo info{"TSide", {"Top", "Left", "Bottom", "Right"}, "sd"};
    return info;
}
const EnumInfo &cornerTypeInfo()
{
    static const EnumInfo info{"TCornerType", {"Round", "Bevel", "InnerRound", "InnerLine"}, "ct"};
    return info;
}

// What every button of this family keeps without behaviour.
template<class T> void publishButtonExtras(ClassBuilder<T> &b)
{
    publishHelp(b);
    b.stored("Action", PropKind::Component);
    b.stored("ParentShowHint", PropKind::Boolean);
    b.stored("Touch.GestureManager", PropKind::Component);
}

// The switch's own widget: a rounded track, filled when on, with a round thumb.
class SwitchWidget : public QAbstractButton
{
public:
    SwitchWidget() { setCheckable(true); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        const double radius = r.height() / 2;
        const QColor on = palette().color(QPalette::Highlight);
        const QColor off = palette().color(QPalette::Mid);
        p.setPen(Qt::NoPen);
        p.setBrush(isEnabled() ? (isChecked() ? on : off) : off.lighter(130));
        p.drawRoundedRect(r, radius, radius);
        const double d = r.height() - 4;
        const double x = isChecked() ? r.right() - 2 - d : r.left() + 2;
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(x, r.top() + 2, d, d));
    }
    QSize sizeHint() const override { return QSize(44, 22); }
};

} // namespace

// ---------------------------------------------------------------------------
// TCheckBox

TCheckBox::TCheckBox(TComponent *owner) : TTextControl(owner)
{
    SetWidth(120);
    SetHeight(19);
}

void TCheckBox::DeclareProperties(ClassBuilder<TCheckBox> &b)
{
    b.boolean("IsChecked", &TCheckBox::IsChecked, &TCheckBox::SetIsChecked);
    b.stored("GroupName", PropKind::String);
    publishButtonExtras(b);
    b.event("OnChange");
}

QWidget *TCheckBox::createPeer()
{
    auto *box = new QCheckBox(peerParent());
    QObject::connect(box, &QCheckBox::clicked, box, [this](bool checked) {
        m_checked = checked;
        Click();
    });
    return box;
}

void TCheckBox::updatePeer()
{
    auto *box = static_cast<QCheckBox *>(peer());
    box->setText(Text());
    box->setChecked(m_checked);
    box->setFont(peerFont(QFont()));
    applyFontColor(box, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::WindowText);
}

// ---------------------------------------------------------------------------
// TRadioButton

TRadioButton::TRadioButton(TComponent *owner) : TTextControl(owner)
{
    SetWidth(120);
    SetHeight(19);
}

void TRadioButton::DeclareProperties(ClassBuilder<TRadioButton> &b)
{
    b.boolean("IsChecked", &TRadioButton::IsChecked, &TRadioButton::SetIsChecked);
    b.string("GroupName", &TRadioButton::GroupName, &TRadioButton::SetGroupName);
    publishButtonExtras(b);
    b.event("OnChange");
}

bool TRadioButton::sameGroup(const TRadioButton &other) const
{
    if (&other == this || other.m_groupName.compare(m_groupName, Qt::CaseInsensitive) != 0)
        return false;
    return !m_groupName.isEmpty() || other.Parent() == Parent();
}

void TRadioButton::SetIsChecked(bool v)
{
    m_checked = v;
    if (v && Owner())
        for (TComponent *c : Owner()->components())
            if (auto *other = object_cast<TRadioButton>(c); other && other->m_checked && sameGroup(*other)) {
                other->m_checked = false;
                other->peerChanged();
            }
    peerChanged();
}

QWidget *TRadioButton::createPeer()
{
    auto *radio = new QRadioButton(peerParent());
    // The group spans parents; the framework keeps it, not Qt.
    radio->setAutoExclusive(false);
    QObject::connect(radio, &QRadioButton::clicked, radio, [this] {
        // A radio button is checked by a click, never unchecked.
        SetIsChecked(true);
        Click();
    });
    return radio;
}

void TRadioButton::updatePeer()
{
    auto *radio = static_cast<QRadioButton *>(peer());
    radio->setText(Text());
    radio->setChecked(m_checked);
    radio->setFont(peerFont(QFont()));
    applyFontColor(radio, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::WindowText);
}

// ---------------------------------------------------------------------------
// TSwitch

TSwitch::TSwitch(TComponent *owner) : TControl(owner)
{
    SetWidth(78);
    SetHeight(27);
}

void TSwitch::DeclareProperties(ClassBuilder<TSwitch> &b)
{
    b.boolean("IsChecked", &TSwitch::IsChecked, &TSwitch::SetIsChecked);
    b.stored("ControlType", PropKind::Enumeration, &controlTypeInfo());
    publishButtonExtras(b);
    publishTouchTargetExpansion(b);
    b.event("OnSwitch");
}

QWidget *TSwitch::createPeer()
{
    auto *sw = new SwitchWidget();
    QObject::connect(sw, &QAbstractButton::clicked, sw, [this](bool checked) {
        m_checked = checked;
        Click();
    });
    return sw;
}

void TSwitch::updatePeer()
{
    static_cast<QAbstractButton *>(peer())->setChecked(m_checked);
}

// ---------------------------------------------------------------------------
// TSpeedButton

TSpeedButton::TSpeedButton(TComponent *owner) : TButton(owner)
{
    SetWidth(23);
    SetHeight(22);
}

void TSpeedButton::DeclareProperties(ClassBuilder<TSpeedButton> &b)
{
    b.string("GroupName", &TSpeedButton::GroupName, &TSpeedButton::SetGroupName);
    b.stored("Images", PropKind::Component);
    publishButtonExtras(b);
    publishTouchTargetExpansion(b);
    b.event("OnTap");
}

void TSpeedButton::Click()
{
    TButton::Click(); // toggles IsPressed when StaysPressed
    if (StaysPressed() && IsPressed() && !m_groupName.isEmpty() && Owner())
        for (TComponent *c : Owner()->components())
            if (auto *other = object_cast<TSpeedButton>(c); other && other != this && other->IsPressed()
                && other->m_groupName.compare(m_groupName, Qt::CaseInsensitive) == 0)
                other->SetIsPressed(false);
}

QWidget *TSpeedButton::createPeer()
{
    auto *button = new QToolButton(peerParent());
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QObject::connect(button, &QToolButton::clicked, button, [this] { Click(); });
    return button;
}

void TSpeedButton::updatePeer()
{
    auto *button = static_cast<QToolButton *>(peer());
    button->setText(Text());
    button->setFont(peerFont(QFont()));
    button->setCheckable(StaysPressed());
    button->setChecked(StaysPressed() && IsPressed());
    applyFontColor(button, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::ButtonText);
}

// ---------------------------------------------------------------------------
// TCornerButton

TCornerButton::TCornerButton(TComponent *owner) : TButton(owner) {}

void TCornerButton::DeclareProperties(ClassBuilder<TCornerButton> &b)
{
    b.floating("XRadius", &TCornerButton::XRadius, &TCornerButton::SetXRadius);
    b.floating("YRadius", &TCornerButton::YRadius, &TCornerButton::SetYRadius);
    b.stored("Corners", PropKind::Set, &cornerInfo());
    b.stored("CornerType", PropKind::Enumeration, &cornerTypeInfo());
    b.stored("Sides", PropKind::Set, &sideInfo());
    b.stored("Images", PropKind::Component);
    publishButtonExtras(b);
}

void TCornerButton::updatePeer()
{
    TButton::updatePeer();
    applyFontColor(peer(), usesOwnFontColor(), TextSettings()->FontColor(), QPalette::ButtonText);
}

} // namespace vantor
