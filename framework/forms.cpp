#include "framework/forms.h"

#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TFormFactor)
VANTOR_IMPLEMENT_CLASS(TCommonCustomForm)
VANTOR_IMPLEMENT_CLASS(TForm)
VANTOR_IMPLEMENT_CLASS(TFrame)

const EnumInfo &formBorderStyleInfo()
{
    static const EnumInfo info{"TFmxFormBorderStyle", {"None", "Single", "Sizeable", "ToolWindow", "SizeToolWin"}, "bs"};
    return info;
}

const EnumInfo &formPositionInfo()
{
    static const EnumInfo info{"TFormPosition",
                               {"Designed", "Default", "DefaultPosOnly", "DefaultSizeOnly", "ScreenCenter",
                                "DesktopCenter", "MainFormCenter", "OwnerFormCenter"},
                               "po"};
    return info;
}

const EnumInfo &windowStateInfo()
{
    static const EnumInfo info{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, nullptr};
    return info;
}

namespace {

const EnumInfo &deviceKindInfo()
{
    static const EnumInfo info{"TDeviceKind", {"Desktop", "iPhone", "iPad", "Phone", "Pad"}, "dk"};
    return info;
}
const EnumInfo &formStyleInfo()
{
    static const EnumInfo info{"TFormStyle", {"Normal", "Popup", "StayOnTop"}, "fs"};
    return info;
}
const EnumInfo &formOrientationInfo()
{
    static const EnumInfo info{"TFormOrientation", {"Portrait", "Landscape", "InvertedPortrait", "InvertedLandscape"},
                               "so"};
    return info;
}
const EnumInfo &borderIconInfo()
{
    static const EnumInfo info{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}, nullptr};
    return info;
}
const EnumInfo &visibilityModeInfo()
{
    static const EnumInfo info{"TVisibilityMode", {"VisibleAndOverlap", "Visible", "Invisible"}, nullptr};
    return info;
}
const EnumInfo &interactiveGestureInfo()
{
    static const EnumInfo info{"TInteractiveGesture",
                               {"Zoom", "Pan", "Rotate", "TwoFingerTap", "PressAndTap", "LongTap", "DoubleTap"},
                               "ig"};
    return info;
}
const EnumInfo &biDiModeInfo()
{
    static const EnumInfo info{"TBiDiMode",
                               {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"},
                               nullptr};
    return info;
}
const EnumInfo &canvasQualityInfo()
{
    static const EnumInfo info{"TCanvasQuality", {"SystemDefault", "HighPerformance", "HighQuality"}, nullptr};
    return info;
}

} // namespace

void TFormFactor::DeclareProperties(ClassBuilder<TFormFactor> &b)
{
    b.stored("Width", PropKind::Integer);
    b.stored("Height", PropKind::Integer);
    b.stored("Orientations", PropKind::Set, &formOrientationInfo());
    b.stored("Devices", PropKind::Set, &deviceKindInfo());
}

// The top-level widget of a form: its client area holds the controls' peers.
class FormPeer : public QWidget
{
public:
    explicit FormPeer(TCommonCustomForm *form) : m_form(form) {}
    void detach() { m_form = nullptr; }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        if (m_form)
            m_form->peerResized(QSizeF(event->size()));
    }
    void paintEvent(QPaintEvent *) override
    {
        if (!m_form)
            return;
        QPainter painter(this);
        m_form->Fill()->fill(painter, QRectF(rect()));
    }
    void hideEvent(QHideEvent *event) override
    {
        QWidget::hideEvent(event);
        if (m_form && !event->spontaneous())
            m_form->m_visible = false;
    }

private:
    TCommonCustomForm *m_form;
};

TCommonCustomForm::TCommonCustomForm(TComponent *owner)
    : TFmxObject(owner), m_fill(std::make_unique<TBrush>(TBrushKind::None, claColors::White)),
      m_padding(std::make_unique<TBounds>()), m_formFactor(std::make_unique<TFormFactor>())
{
    m_fill->onChange = [this] {
        if (m_peer)
            m_peer->update();
    };
    m_padding->onChange = [this] { Realign(); };
}

TCommonCustomForm::~TCommonCustomForm()
{
    markDestroying();
    if (m_peer) {
        static_cast<FormPeer *>(m_peer.data())->detach();
        // Children's widgets are inside ours; they go with it and their
        // controls' QPointers notice before the controls are destroyed.
        delete m_peer.data();
    }
    // Controls of this form shown in a parent of another owner (the viewer's
    // panel) leave that parent one by one: its layout is held until all
    // have gone and then runs once, not once per control.
    std::vector<std::pair<TFmxObject *, std::weak_ptr<void>>> held;
    for (TComponent *c : components()) {
        auto *object = object_cast<TFmxObject>(c);
        TFmxObject *parent = object ? object->Parent() : nullptr;
        if (!parent || parent == this || parent->Owner() == this || parent->IsUpdating())
            continue;
        parent->BeginUpdate();
        held.emplace_back(parent, parent->aliveToken());
    }
    DestroyComponents();
    for (auto &[parent, alive] : held)
        if (!alive.expired())
            parent->EndUpdate();
}

void TCommonCustomForm::DeclareProperties(ClassBuilder<TCommonCustomForm> &b)
{
    b.stored("ActiveControl", PropKind::Component);
    b.enumeration("BorderStyle", formBorderStyleInfo(), &TCommonCustomForm::BorderStyle,
                  &TCommonCustomForm::SetBorderStyle);
    b.stored("BorderIcons", PropKind::Set, &borderIconInfo());
    // Whether the window frame follows the form's style (kept; the desktop draws the frame).
    b.stored("Border.Styling", PropKind::Boolean);
    // Reading order of right-to-left languages (kept).
    b.stored("BiDiMode", PropKind::Enumeration, &biDiModeInfo());
    b.stored("Hint", PropKind::String);
    b.stored("ShowHint", PropKind::Boolean);
    b.string("Caption", &TCommonCustomForm::Caption, &TCommonCustomForm::SetCaption);
    b.integer("ClientHeight", &TCommonCustomForm::ClientHeight, &TCommonCustomForm::SetClientHeight);
    b.integer("ClientWidth", &TCommonCustomForm::ClientWidth, &TCommonCustomForm::SetClientWidth);
    // The size limits a sizeable window keeps (kept; the desktop's window decides).
    for (const char *name : {"Constraints.MaxHeight", "Constraints.MaxWidth", "Constraints.MinHeight",
                             "Constraints.MinWidth"})
        b.stored(name, PropKind::Float);
    b.stored("Cursor", PropKind::Integer, nullptr, &cursorIdentToInt);
    b.stored("DesignerMasterStyle", PropKind::Integer);
    for (const char *name : {"DesignerMobile"})
        b.stored(name, PropKind::Boolean);
    for (const char *name : {"DesignerWidth", "DesignerHeight", "DesignerOrientation"})
        b.stored(name, PropKind::Integer);
    for (const char *name : {"DesignerDeviceName", "DesignerOSVersion"})
        b.stored(name, PropKind::String);
    b.persistent("Fill", &TCommonCustomForm::Fill);
    b.persistent("FormFactor", &TCommonCustomForm::FormFactor);
    b.stored("FormFamily", PropKind::String);
    b.stored("FormStyle", PropKind::Enumeration, &formStyleInfo());
    b.stored("FullScreen", PropKind::Boolean);
    b.integer("Height", &TCommonCustomForm::Height, &TCommonCustomForm::SetHeight);
    b.integer("Left", &TCommonCustomForm::Left, &TCommonCustomForm::SetLeft);
    b.persistent("Padding", &TCommonCustomForm::Padding);
    b.enumeration("Position", formPositionInfo(), &TCommonCustomForm::Position, &TCommonCustomForm::SetPosition);
    b.stored("Quality", PropKind::Enumeration, &canvasQualityInfo());
    b.stored("ShowFullScreenIcon", PropKind::Boolean);
    b.component("StyleBook", &TCommonCustomForm::StyleBook, &TCommonCustomForm::SetStyleBook);
    b.stored("StyleLookup", PropKind::String);
    // The status bar of mobile platforms.
    b.stored("SystemStatusBar.BackgroundColor", PropKind::Integer, nullptr, &colorIdentToInt);
    b.stored("SystemStatusBar.Visibility", PropKind::Enumeration, &visibilityModeInfo());
    b.integer("Top", &TCommonCustomForm::Top, &TCommonCustomForm::SetTop);
    b.stored("Touch.GestureManager", PropKind::Component);
    b.stored("Touch.InteractiveGestures", PropKind::Set, &interactiveGestureInfo());
    b.stored("Transparency", PropKind::Boolean);
    b.boolean("Visible", &TCommonCustomForm::Visible, &TCommonCustomForm::SetVisible);
    b.integer("Width", &TCommonCustomForm::Width, &TCommonCustomForm::SetWidth);
    b.enumeration("WindowState", windowStateInfo(), &TCommonCustomForm::WindowState,
                  &TCommonCustomForm::SetWindowState);
    for (const char *name :
         {"OnActivate", "OnClose", "OnCloseQuery", "OnConstrainedResize", "OnCreate", "OnDeactivate", "OnDestroy",
          "OnDragDrop", "OnDragEnter", "OnDragLeave", "OnDragOver", "OnDragEnd", "OnFocusChanged",
          "OnGesture", "OnHide", "OnKeyDown", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnMouseWheel",
          "OnPaint", "OnResize", "OnSaveState", "OnShow", "OnTap", "OnTouch", "OnVirtualKeyboardHidden",
          "OnVirtualKeyboardShown"})
        b.event(name);
}

void TCommonCustomForm::SetCaption(const QString &caption)
{
    m_caption = caption;
    if (m_peer)
        m_peer->setWindowTitle(caption);
}

void TCommonCustomForm::SetBorderStyle(TFmxFormBorderStyle style)
{
    m_borderStyle = style;
    applyWindowFlags();
}

void TCommonCustomForm::SetWindowState(TWindowState state)
{
    m_windowState = state;
    if (m_peer) {
        static const Qt::WindowState states[] = {Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized};
        m_peer->setWindowState(states[int(state)]);
    }
}

void TCommonCustomForm::setClientSize(QSizeF size)
{
    size = size.expandedTo(QSizeF(0, 0));
    if (size == m_clientSize)
        return;
    const QSizeF before = m_clientSize;
    m_clientSize = size;
    if (m_peer && m_peer->size() != size.toSize()) {
        if (m_peer->minimumSize() == m_peer->maximumSize())
            m_peer->setFixedSize(size.toSize());
        else
            m_peer->resize(size.toSize());
    }
    if (!isLoading()) {
        followResize(before, size);
        Realign();
    }
}

void TCommonCustomForm::SetLeft(std::int64_t x)
{
    m_left = x;
    if (m_peer)
        m_peer->move(int(m_left), int(m_top));
}

void TCommonCustomForm::SetTop(std::int64_t y)
{
    m_top = y;
    if (m_peer)
        m_peer->move(int(m_left), int(m_top));
}

void TCommonCustomForm::SetStyleBook(TComponent *book)
{
    if (m_styleBook)
        RemoveFreeNotification(m_styleBook);
    m_styleBook = book;
    if (book)
        FreeNotification(book);
}

void TCommonCustomForm::Notification(TComponent *component, TOperation operation)
{
    if (operation == TOperation::opRemove && component == m_styleBook)
        m_styleBook = nullptr;
    TFmxObject::Notification(component, operation);
}

void TCommonCustomForm::SetVisible(bool v)
{
    m_visible = v;
    if (v) {
        QWidget *w = peer();
        if (m_position == TFormPosition::ScreenCenter || m_position == TFormPosition::DesktopCenter
            || m_position == TFormPosition::MainFormCenter || m_position == TFormPosition::OwnerFormCenter) {
            if (QScreen *screen = QGuiApplication::primaryScreen()) {
                const QRect avail = screen->availableGeometry();
                w->move(avail.center() - QPoint(w->width() / 2, w->height() / 2));
            }
        }
        w->show();
    } else if (m_peer) {
        m_peer->hide();
    }
}

void TCommonCustomForm::Realign()
{
    if (isLoading() || isDestroying() || holdRealign())
        return;
    realignChildren(m_clientSize, m_padding->margins());
}

void TCommonCustomForm::Loaded()
{
    TFmxObject::Loaded();
    Realign();
}

void TCommonCustomForm::childAdded(TFmxObject *child)
{
    if (auto *c = object_cast<TControl>(child); c && c->Align() != TAlignLayout::None)
        Realign();
}

void TCommonCustomForm::childRemoved(TFmxObject *child)
{
    if (auto *c = object_cast<TControl>(child); c && c->Align() != TAlignLayout::None)
        Realign();
}

QWidget *TCommonCustomForm::peer()
{
    if (m_peer)
        return m_peer.data();
    auto *w = new FormPeer(this);
    m_peer = w;
    w->setWindowTitle(m_caption);
    w->resize(m_clientSize.toSize());
    w->move(int(m_left), int(m_top));
    w->setAutoFillBackground(false);
    applyWindowFlags();
    for (TFmxObject *child : children())
        if (auto *c = object_cast<TControl>(child))
            c->parentChanged();
    return w;
}

void TCommonCustomForm::peerResized(QSizeF size)
{
    // The user (or the window manager) resized the window.
    if (size == m_clientSize)
        return;
    const QSizeF before = m_clientSize;
    m_clientSize = size;
    followResize(before, size);
    Realign();
}

void TCommonCustomForm::applyWindowFlags()
{
    if (!m_peer)
        return;
    Qt::WindowFlags flags = Qt::Window;
    switch (m_borderStyle) {
    case TFmxFormBorderStyle::None: flags |= Qt::FramelessWindowHint; break;
    case TFmxFormBorderStyle::ToolWindow:
    case TFmxFormBorderStyle::SizeToolWin: flags = Qt::Tool; break;
    default: break;
    }
    const bool wasVisible = m_peer->isVisible();
    m_peer->setWindowFlags(flags);
    const bool fixed = m_borderStyle == TFmxFormBorderStyle::Single || m_borderStyle == TFmxFormBorderStyle::ToolWindow;
    if (fixed) {
        m_peer->setFixedSize(m_clientSize.toSize());
    } else {
        m_peer->setMinimumSize(0, 0);
        m_peer->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    if (wasVisible)
        m_peer->show();
}

} // namespace vantor
