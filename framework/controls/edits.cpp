#include "framework/controls/edits.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QPointer>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QEvent>
#include <QMouseEvent>

#include <cmath>

namespace vantor {

using namespace input;

VANTOR_IMPLEMENT_CLASS(TCustomEdit)
VANTOR_IMPLEMENT_CLASS(TEdit)
VANTOR_IMPLEMENT_CLASS(TMemo)
VANTOR_IMPLEMENT_CLASS(TComboEdit)
VANTOR_IMPLEMENT_CLASS(TCustomNumberEdit)
VANTOR_IMPLEMENT_CLASS(TSpinBox)
VANTOR_IMPLEMENT_CLASS(TNumberBox)
VANTOR_IMPLEMENT_CLASS(TEditButton)
VANTOR_IMPLEMENT_CLASS(TClearEditButton)
VANTOR_IMPLEMENT_CLASS(TSearchEditButton)

// ---------------------------------------------------------------------------
// Shared pieces

namespace input {

const EnumInfo &helpTypeInfo()
{
    static const EnumInfo info{"THelpType", {"htKeyword", "htContext"}, nullptr};
    return info;
}

const EnumInfo &controlTypeInfo()
{
    static const EnumInfo info{"TControlType", {"Styled", "Platform"}, nullptr};
    return info;
}

const EnumInfo &virtualKeyboardTypeInfo()
{
    static const EnumInfo info{"TVirtualKeyboardType",
                               {"Default", "NumbersAndPunctuation", "NumberPad", "PhonePad", "Alphabet", "URL",
                                "NamePhonePad", "EmailAddress", "DecimalNumberPad"},
                               "vkt"};
    return info;
}

const EnumInfo &returnKeyTypeInfo()
{
    static const EnumInfo info{"TReturnKeyType", {"Default", "Done", "Go", "Next", "Search", "Send"}, "rkt"};
    return info;
}

} // namespace input

const EnumInfo &numValueTypeInfo()
{
    static const EnumInfo info{"TNumValueType", {"Integer", "Float"}, "vt"};
    return info;
}

namespace {

const EnumInfo &charCaseInfo()
{
    static const EnumInfo info{"TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}, nullptr};
    return info;
}

const EnumInfo &imeModeInfo()
{
    static const EnumInfo info{"TImeMode",
                               {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira",
                                "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel"},
                               nullptr};
    return info;
}

const EnumInfo &dataDetectorTypeInfo()
{
    static const EnumInfo info{"TDataDetectorType",
                               {"PhoneNumber", "Link", "Address", "CalendarEvent", "ShipmentTrackingNumber",
                                "FlightNumber", "LookupSuggestion"},
                               nullptr};
    return info;
}

const EnumInfo &dropDownKindInfo()
{
    static const EnumInfo info{"TDropDownKind", {"Native", "Custom"}, "ddk"};
    return info;
}

// Edit-like properties that only matter on touch platforms or while typing.
template<class T> void publishKeyboard(ClassBuilder<T> &b)
{
    b.stored("KeyboardType", PropKind::Enumeration, &virtualKeyboardTypeInfo());
    b.stored("ReturnKeyType", PropKind::Enumeration, &returnKeyTypeInfo());
    b.stored("KillFocusByReturn", PropKind::Boolean);
    b.stored("CheckSpelling", PropKind::Boolean);
    b.stored("AutoSelect", PropKind::Boolean);
    b.stored("HideSelectionOnExit", PropKind::Boolean);
    b.stored("Caret.Color", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("Caret.Width", PropKind::Integer);
    b.stored("Caret.Interval", PropKind::Integer);
    b.stored("Caret.ReadOnly", PropKind::Boolean);
    b.stored("Caret.Visible", PropKind::Boolean);
    b.stored("ControlType", PropKind::Enumeration, &controlTypeInfo());
    b.stored("SelectionFill.Color", PropKind::Integer, nullptr, &colorIdentToInt);
}

class ResizeWatcher : public QObject
{
public:
    ResizeWatcher(QWidget *widget, std::function<void()> onResize) : QObject(widget), m_onResize(std::move(onResize))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parent() && event->type() == QEvent::Resize)
            m_onResize();
        return false;
    }

private:
    std::function<void()> m_onResize;
};

// Clicks on a widget that keeps them (a scroll area's viewport places the
// cursor, selects, scrolls; an edit places its cursor): the control hears
// of them too.
class ClickWatcher : public QObject
{
public:
    ClickWatcher(QWidget *widget, TControl *control) : QObject(widget), m_control(control)
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != parent())
            return false;
        if (event->type() == QEvent::MouseButtonPress) {
            m_pressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto *me = static_cast<QMouseEvent *>(event);
            if (me->button() == Qt::LeftButton && m_pressed
                && static_cast<QWidget *>(watched)->rect().contains(me->position().toPoint())) {
                m_pressed = false;
                // Queued: the handler may free the control and its widgets,
                // which must not happen inside the widget's own event.
                QPointer<QObject> self(this);
                TControl *control = m_control;
                QMetaObject::invokeMethod(
                    this, [self, control] { if (self) control->Click(); }, Qt::QueuedConnection);
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            QPointer<QObject> self(this);
            TControl *control = m_control;
            QMetaObject::invokeMethod(
                this, [self, control] { if (self) control->DblClick(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    TControl *m_control;
    bool m_pressed = false;
};

} // namespace

namespace input {

void notifyResize(QWidget *widget, std::function<void()> onResize)
{
    new ResizeWatcher(widget, std::move(onResize));
}

void reportWidgetClicks(QWidget *widget, TControl *control)
{
    new ClickWatcher(widget, control);
}

void reportViewportClicks(QAbstractScrollArea *area, TControl *control)
{
    reportWidgetClicks(area->viewport(), control);
}

void applyFontColor(QWidget *widget, bool ownColor, TAlphaColor color, QPalette::ColorRole role)
{
    QPalette pal = widget->palette();
    const QColor wanted = ownColor ? toQColor(color) : QPalette().color(role);
    if (pal.color(role) != wanted) {
        pal.setColor(role, wanted);
        widget->setPalette(pal);
    }
}

Qt::Alignment horizontalAlignment(TTextAlign align)
{
    switch (align) {
    case TTextAlign::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case TTextAlign::Trailing: return Qt::AlignRight | Qt::AlignVCenter;
    case TTextAlign::Leading: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

} // namespace input

// ---------------------------------------------------------------------------
// TCustomEdit

TCustomEdit::TCustomEdit(TComponent *owner) : TTextControl(owner)
{
    SetWidth(100);
    SetHeight(22);
    SetCursor(-4); // crIBeam
}

void TCustomEdit::DeclareProperties(ClassBuilder<TCustomEdit> &b)
{
    b.boolean("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
    publishHelp(b);
    publishKeyboard(b);
    // What every edit of the family publishes; TEdit gives them behaviour.
    b.stored("TextPrompt", PropKind::String);
    b.stored("MaxLength", PropKind::Integer);
    b.stored("FilterChar", PropKind::String);
    b.stored("CharCase", PropKind::Enumeration, &charCaseInfo());
    b.stored("ImeMode", PropKind::Enumeration, &imeModeInfo());
    for (const char *name : {"OnChange", "OnChangeTracking", "OnTyping", "OnValidate", "OnValidating",
                             "OnPresentationNameChoosing"})
        b.event(name);
}

void TCustomEdit::Loaded()
{
    TTextControl::Loaded();
    layoutButtons();
}

void TCustomEdit::childAdded(TFmxObject *child)
{
    TTextControl::childAdded(child);
    if (!isLoading() && object_cast<TEditButton>(child))
        layoutButtons();
}

void TCustomEdit::childRemoved(TFmxObject *child)
{
    TTextControl::childRemoved(child);
    // The child is already half destroyed here: its class cannot be asked.
    if (!isLoading() && !isDestroying())
        layoutButtons();
}

double TCustomEdit::buttonsWidth() const
{
    double total = 0;
    for (TFmxObject *child : children())
        if (auto *button = object_cast<TEditButton>(child); button && button->Visible())
            total += button->Width();
    return total;
}

void TCustomEdit::layoutButtons()
{
    double right = Width();
    const auto &kids = children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        auto *button = object_cast<TEditButton>(*it);
        if (!button || !button->Visible())
            continue;
        const double w = button->Width() > 0 ? button->Width() : 28;
        right -= w;
        button->SetBounds(right, 0, w, Height());
    }
    peerChanged();
}

// ---------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TComponent *owner) : TCustomEdit(owner) {}

void TEdit::DeclareProperties(ClassBuilder<TEdit> &b)
{
    b.string("TextPrompt", &TEdit::TextPrompt, &TEdit::SetTextPrompt);
    b.boolean("Password", &TEdit::Password, &TEdit::SetPassword);
    b.integer("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength);
    b.string("FilterChar", &TEdit::FilterChar, &TEdit::SetFilterChar);
    b.enumeration("CharCase", charCaseInfo(), &TEdit::CharCase, &TEdit::SetCharCase);
}

QString TEdit::displayText() const
{
    switch (m_charCase) {
    case TEditCharCase::ecUpperCase: return Text().toUpper();
    case TEditCharCase::ecLowerCase: return Text().toLower();
    case TEditCharCase::ecNormal: break;
    }
    return Text();
}

QWidget *TEdit::createPeer()
{
    auto *edit = new QLineEdit(peerParent());
    notifyResize(edit, [this] { layoutButtons(); });
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this](const QString &text) {
        // Typing changes Text; the edit already shows it.
        SetText(text);
    });
    return edit;
}

void TEdit::updatePeer()
{
    auto *edit = static_cast<QLineEdit *>(peer());
    const QString shown = displayText();
    if (edit->text() != shown)
        edit->setText(shown);
    edit->setPlaceholderText(m_textPrompt);
    edit->setReadOnly(ReadOnly());
    edit->setEchoMode(m_password ? QLineEdit::Password : QLineEdit::Normal);
    edit->setMaxLength(m_maxLength > 0 ? int(std::min<std::int64_t>(m_maxLength, 32767)) : 32767);
    if (m_filterChar.isEmpty()) {
        edit->setValidator(nullptr);
    } else {
        const QRegularExpression re(QLatin1Char('[') + QRegularExpression::escape(m_filterChar) + QLatin1String("]*"));
        edit->setValidator(new QRegularExpressionValidator(re, edit));
    }
    edit->setAlignment(horizontalAlignment(TextSettings()->HorzAlign()));
    edit->setFont(peerFont(QFont()));
    applyFontColor(edit, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::Text);
    // The left margin is the look's (a style keeps the text off its icon).
    edit->setTextMargins(edit->textMargins().left(), 0, int(std::ceil(buttonsWidth())), 0);
}

// ---------------------------------------------------------------------------
// TMemo

TMemo::TMemo(TComponent *owner) : TTextControl(owner), m_lines(std::make_unique<TStrings>())
{
    SetWidth(100);
    SetHeight(100);
    m_lines->onChange = [this] {
        if (!m_fromPeer)
            peerChanged();
    };
}

void TMemo::DeclareProperties(ClassBuilder<TMemo> &b)
{
    b.strings("Lines", &TMemo::Lines);
    // Older forms write the whole text at once.
    b.string("Text", &TMemo::MemoText, &TMemo::SetMemoText);
    b.boolean("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly);
    b.boolean("ShowScrollBars", &TMemo::ShowScrollBars, &TMemo::SetShowScrollBars);
    publishHelp(b);
    publishKeyboard(b);
    b.stored("DataDetectorTypes", PropKind::Set, &dataDetectorTypeInfo());
    b.stored("Viewport.Width", PropKind::Float);
    b.stored("Viewport.Height", PropKind::Float);
    b.stored("ShowSizeGrip", PropKind::Boolean);
    b.stored("DisableMouseWheel", PropKind::Boolean);
    b.stored("AutoHide", PropKind::Boolean);
    b.stored("Bounces", PropKind::Boolean);
    b.stored("EnabledScroll", PropKind::Boolean);
    // The memo was a scroll box in older versions.
    b.stored("UseSmallScrollBars", PropKind::Boolean);
    b.stored("MouseTracking", PropKind::Boolean);
    b.stored("MaxLength", PropKind::Integer);
    b.stored("CharCase", PropKind::Enumeration, &charCaseInfo());
    b.stored("ImeMode", PropKind::Enumeration, &imeModeInfo());
    for (const char *name : {"OnChange", "OnChangeTracking", "OnValidate", "OnValidating",
                             "OnPresentationNameChoosing", "OnViewportPositionChange", "OnHScrollChange",
                             "OnVScrollChange"})
        b.event(name);
}

QString TMemo::MemoText() const
{
    return m_lines->lines().join(QLatin1Char('\n'));
}

void TMemo::SetMemoText(const QString &text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lines->setLines(normalized.isEmpty() ? QStringList() : normalized.split(QLatin1Char('\n')));
}

QWidget *TMemo::createPeer()
{
    auto *edit = new QPlainTextEdit(peerParent());
    reportViewportClicks(edit, this);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit] {
        if (m_fromPeer)
            return;
        // Typing changes Lines without writing the text back into the editor.
        m_fromPeer = true;
        SetMemoText(edit->toPlainText());
        m_fromPeer = false;
    });
    return edit;
}

void TMemo::updatePeer()
{
    auto *edit = static_cast<QPlainTextEdit *>(peer());
    const QString text = MemoText();
    if (edit->toPlainText() != text) {
        m_fromPeer = true;
        edit->setPlainText(text);
        m_fromPeer = false;
    }
    edit->setReadOnly(m_readOnly);
    edit->setLineWrapMode(TextSettings()->WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const Qt::ScrollBarPolicy policy = m_showScrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    edit->setVerticalScrollBarPolicy(policy);
    edit->setHorizontalScrollBarPolicy(policy);
    edit->setFont(peerFont(QFont()));
    applyFontColor(edit, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::Text);
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment(horizontalAlignment(TextSettings()->HorzAlign()) & Qt::AlignHorizontal_Mask);
    edit->document()->setDefaultTextOption(option);
}

// ---------------------------------------------------------------------------
// TComboEdit

TComboEdit::TComboEdit(TComponent *owner) : TCustomEdit(owner), m_items(std::make_unique<TStrings>())
{
    m_items->onChange = [this] { peerChanged(); };
}

void TComboEdit::DeclareProperties(ClassBuilder<TComboEdit> &b)
{
    b.strings("Items", &TComboEdit::Items);
    b.integer("ItemIndex", &TComboEdit::ItemIndex, &TComboEdit::SetItemIndex);
    b.stored("ItemHeight", PropKind::Float);
    b.stored("ItemWidth", PropKind::Float);
    b.stored("DropDownCount", PropKind::Integer);
    b.stored("DropDownKind", PropKind::Enumeration, &dropDownKindInfo());
    b.stored("ListBoxResource", PropKind::String);
    for (const char *name : {"OnClosePopup", "OnPopup"})
        b.event(name);
}

void TComboEdit::SetItemIndex(std::int64_t i)
{
    m_itemIndex = i;
    // Choosing an item puts its text into the edit.
    if (i >= 0 && i < m_items->count())
        SetText(m_items->line(int(i)));
    peerChanged();
}

QWidget *TComboEdit::createPeer()
{
    auto *combo = new QComboBox(peerParent());
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: the text is what was typed.
    combo->setCompleter(nullptr);
    // Typing changes Text, choosing from the list changes ItemIndex (and the
    // text with it). These run before any later connection to the same
    // signals, so a handler of the chosen item sees the new index.
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo, [this](const QString &text) { SetText(text); });
    QObject::connect(combo, &QComboBox::activated, combo, [this](int index) { SetItemIndex(index); });
    // A click into the text field is the control's click; the arrow opens
    // the list and is no click.
    reportWidgetClicks(combo->lineEdit(), this);
    return combo;
}

void TComboEdit::updatePeer()
{
    auto *combo = static_cast<QComboBox *>(peer());
    const QStringList items = m_items->lines();
    QStringList current;
    for (int i = 0; i < combo->count(); ++i)
        current << combo->itemText(i);
    if (current != items) {
        combo->clear();
        combo->addItems(items);
    }
    // An index read before the items is applied once they are there.
    const int index = m_itemIndex >= 0 && m_itemIndex < items.size() ? int(m_itemIndex) : -1;
    combo->setCurrentIndex(index);
    // (An empty item leaves the text empty; setting it would come back here.)
    if (index >= 0 && Text().isEmpty() && !items[index].isEmpty())
        SetText(items[index]);
    // Setting the same text again would move the text cursor to the end.
    if (combo->currentText() != Text())
        combo->setEditText(Text());
    if (QLineEdit *edit = combo->lineEdit()) {
        edit->setReadOnly(ReadOnly());
        edit->setAlignment(horizontalAlignment(TextSettings()->HorzAlign()));
    }
    combo->setFont(peerFont(QFont()));
    applyFontColor(combo, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::Text);
}

// ---------------------------------------------------------------------------
// Number edits

TCustomNumberEdit::TCustomNumberEdit(TComponent *owner) : TCustomEdit(owner)
{
    TextSettings()->SetHorzAlign(TTextAlign::Center);
}

void TCustomNumberEdit::DeclareProperties(ClassBuilder<TCustomNumberEdit> &b)
{
    b.floating("Min", &TCustomNumberEdit::Min, &TCustomNumberEdit::SetMin);
    b.floating("Max", &TCustomNumberEdit::Max, &TCustomNumberEdit::SetMax);
    b.floating("Value", &TCustomNumberEdit::Value, &TCustomNumberEdit::SetValue);
    b.enumeration("ValueType", numValueTypeInfo(), &TCustomNumberEdit::ValueType, &TCustomNumberEdit::SetValueType);
    b.integer("DecimalDigits", &TCustomNumberEdit::DecimalDigits, &TCustomNumberEdit::SetDecimalDigits);
    b.stored("RepeatClick", PropKind::Boolean);
}

double TCustomNumberEdit::shownValue() const
{
    double v = m_value;
    if (m_max >= m_min)
        v = std::clamp(v, m_min, m_max);
    if (m_valueType == TNumValueType::Integer)
        v = std::round(v);
    return v;
}

int TCustomNumberEdit::shownDecimals() const
{
    if (m_valueType == TNumValueType::Integer)
        return 0;
    return int(std::clamp<std::int64_t>(m_decimalDigits, 0, 15));
}

QWidget *TCustomNumberEdit::createPeer()
{
    auto *spin = new QDoubleSpinBox(peerParent());
    QObject::connect(spin, &QDoubleSpinBox::valueChanged, spin, [this, spin](double v) {
        if (!spin->signalsBlocked() && v != shownValue())
            m_value = v;
    });
    return spin;
}

void TCustomNumberEdit::updatePeer()
{
    auto *spin = static_cast<QDoubleSpinBox *>(peer());
    const QSignalBlocker block(spin);
    spin->setDecimals(shownDecimals());
    // A range with Max below Min is what the form says, but nothing fits in it.
    const double lo = std::min(m_min, m_max);
    const double hi = std::max(m_min, m_max);
    spin->setRange(lo, hi);
    spin->setValue(shownValue());
    spin->setSingleStep(step());
    spin->setReadOnly(ReadOnly());
    spin->setButtonSymbols(hasSpinButtons() ? QAbstractSpinBox::UpDownArrows : QAbstractSpinBox::NoButtons);
    spin->setAlignment(horizontalAlignment(TextSettings()->HorzAlign()));
    spin->setFont(peerFont(QFont()));
    applyFontColor(spin, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::Text);
}

void TSpinBox::DeclareProperties(ClassBuilder<TSpinBox> &b)
{
    b.floating("Increment", &TSpinBox::Increment, &TSpinBox::SetIncrement);
}

void TNumberBox::DeclareProperties(ClassBuilder<TNumberBox> &b)
{
    // Re-published with behaviour: the step of the keyboard and the wheel.
    b.floating("HorzIncrement", &TNumberBox::HorzIncrement, &TNumberBox::SetHorzIncrement);
    b.stored("VertIncrement", PropKind::Float);
    b.stored("VertIncrementEnabled", PropKind::Boolean);
    b.stored("HorzIncrementEnabled", PropKind::Boolean);
    b.stored("Cursor.Drag", PropKind::Integer, nullptr, &cursorIdentToInt);
}

// ---------------------------------------------------------------------------
// Edit buttons

TEditButton::TEditButton(TComponent *owner) : TButton(owner)
{
    SetWidth(28);
    SetHeight(22);
}

TCustomEdit *TEditButton::edit() const
{
    return object_cast<TCustomEdit>(Parent());
}

QWidget *TEditButton::createPeer()
{
    auto *button = new QToolButton();
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    QObject::connect(button, &QToolButton::clicked, button, [this] { Click(); });
    return button;
}

void TEditButton::updatePeer()
{
    auto *button = static_cast<QToolButton *>(peer());
    button->setText(Text().isEmpty() ? glyph() : Text());
    button->setFont(peerFont(QFont()));
    button->setCheckable(StaysPressed());
    button->setChecked(StaysPressed() && IsPressed());
}

QString TClearEditButton::glyph() const
{
    return QString(QChar(0x2715)); // multiplication x
}

void TClearEditButton::Click()
{
    if (TCustomEdit *e = edit())
        e->SetText(QString());
    TEditButton::Click();
}

QString TSearchEditButton::glyph() const
{
    return QString(QChar(0x2315)); // telephone recorder, the usual magnifier stand-in
}

} // namespace vantor
