#pragma once

// Forms and frames. A form is a top-level window (its peer is a top-level
// QWidget whose client area holds the controls); a frame is a control that
// can be the root of a form stream and sit inside a form.

#include "framework/brush.h"
#include "framework/control.h"

#include <QPointer>

class QWidget;

namespace vantor {

enum class TFmxFormBorderStyle { None, Single, Sizeable, ToolWindow, SizeToolWin };
enum class TFormPosition { Designed, Default, DefaultPosOnly, DefaultSizeOnly, ScreenCenter, DesktopCenter,
                           MainFormCenter, OwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
const EnumInfo &formBorderStyleInfo();
const EnumInfo &formPositionInfo();
const EnumInfo &windowStateInfo();

// The design size and target devices a form was made for (kept as read).
class TFormFactor : public TPersistent
{
    VANTOR_CLASS(TFormFactor, TPersistent)
public:
    TFormFactor() = default;
    static void DeclareProperties(ClassBuilder<TFormFactor> &b);
};

class FormPeer;

class TCommonCustomForm : public TFmxObject
{
    VANTOR_CLASS(TCommonCustomForm, TFmxObject)
public:
    explicit TCommonCustomForm(TComponent *owner);
    ~TCommonCustomForm() override;
    static void DeclareProperties(ClassBuilder<TCommonCustomForm> &b);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TFmxFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFmxFormBorderStyle style);
    TFormPosition Position() const { return m_position; }
    void SetPosition(TFormPosition position) { m_position = position; }
    TWindowState WindowState() const { return m_windowState; }
    void SetWindowState(TWindowState state);

    // The client area's size. The window frame belongs to the desktop, so
    // Width/Height are the client size too.
    std::int64_t ClientWidth() const { return qRound64(m_clientSize.width()); }
    std::int64_t ClientHeight() const { return qRound64(m_clientSize.height()); }
    void SetClientWidth(std::int64_t w) { setClientSize(QSizeF(double(w), m_clientSize.height())); }
    void SetClientHeight(std::int64_t h) { setClientSize(QSizeF(m_clientSize.width(), double(h))); }
    std::int64_t Width() const { return ClientWidth(); }
    std::int64_t Height() const { return ClientHeight(); }
    void SetWidth(std::int64_t w) { SetClientWidth(w); }
    void SetHeight(std::int64_t h) { SetClientHeight(h); }
    QSizeF clientSize() const { return m_clientSize; }
    void setClientSize(QSizeF size);
    std::int64_t Left() const { return m_left; }
    std::int64_t Top() const { return m_top; }
    void SetLeft(std::int64_t x);
    void SetTop(std::int64_t y);

    TBrush *Fill() const { return m_fill.get(); }
    TBounds *Padding() const { return m_padding.get(); }
    TFormFactor *FormFactor() const { return m_formFactor.get(); }
    TComponent *StyleBook() const { return m_styleBook; }
    void SetStyleBook(TComponent *book);
    bool Visible() const { return m_visible; }
    void SetVisible(bool v);

    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void Close() { Hide(); }
    void Realign();

    // The top-level widget; made on first use.
    QWidget *peer();
    QWidget *containerWidget() override { return peer(); }
    bool isRealized() const override { return !m_peer.isNull(); }

    void Loaded() override;
    void Notification(TComponent *component, TOperation operation) override;

protected:
    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;
    void childLayoutChanged() override { Realign(); }
    void realignAfterUpdate() override { Realign(); }

private:
    friend class FormPeer;
    void peerResized(QSizeF size);
    void applyWindowFlags();

    QString m_caption;
    TFmxFormBorderStyle m_borderStyle = TFmxFormBorderStyle::Sizeable;
    TFormPosition m_position = TFormPosition::DefaultPosOnly;
    TWindowState m_windowState = TWindowState::wsNormal;
    QSizeF m_clientSize{640, 480};
    std::int64_t m_left = 0, m_top = 0;
    bool m_visible = false;
    std::unique_ptr<TBrush> m_fill;
    std::unique_ptr<TBounds> m_padding;
    std::unique_ptr<TFormFactor> m_formFactor;
    TComponent *m_styleBook = nullptr;
    QPointer<QWidget> m_peer;
};

class TForm : public TCommonCustomForm
{
    VANTOR_CLASS(TForm, TCommonCustomForm)
public:
    explicit TForm(TComponent *owner) : TCommonCustomForm(owner) {}
};

class TFrame : public TControl
{
    VANTOR_CLASS(TFrame, TControl)
public:
    // A frame that gives no size of its own has the framework's default.
    explicit TFrame(TComponent *owner) : TControl(owner) { Size()->setSize(QSizeF(320, 240)); }
};

} // namespace vantor
