#pragma once

// Containers: splitter, scroll boxes, expander, group box and callout panel;
// plus what the families of this group share (orientation, text look, and
// the inner content control some containers keep their children in).

#include "framework/controls/edits.h"
#include "framework/controls/standard.h"

#include <QPainterPath>
#include <QPointer>

class QScrollArea;

namespace vantor {

// The help properties (HelpType, HelpKeyword, HelpContext) every control
// publishes, and the keyboard and control types, are shared with the input
// controls.
using input::publishHelp;

// Horizontal or vertical, for bars and sliders.
enum class TOrientation { Horizontal, Vertical };
const EnumInfo &orientationInfo();

// The inner area of a container whose children do not sit on the container
// itself (an expander's body below its header). It is owned by its
// container, has no name and is not read from forms.
class TContent : public TControl
{
    VANTOR_CLASS(TContent, TControl)
public:
    explicit TContent(TComponent *owner);
};

// A bar that the user drags to resize the control next to it.
class TSplitter : public TControl
{
    VANTOR_CLASS(TSplitter, TControl)
public:
    explicit TSplitter(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TSplitter> &b);

    double MinSize() const { return m_minSize; }
    void SetMinSize(double v) { m_minSize = v; }
    bool ShowGrip() const { return m_showGrip; }
    void SetShowGrip(bool v) { m_showGrip = v; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    double m_minSize = 20;
    bool m_showGrip = true;
};

// A scrolling area: its peer is a QScrollArea whose inner widget holds the
// children's widgets and grows to the extent of the children.
class TScrollBox : public TControl
{
    VANTOR_CLASS(TScrollBox, TControl)
public:
    explicit TScrollBox(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TScrollBox> &b);

    bool ShowScrollBars() const { return m_showScrollBars; }
    void SetShowScrollBars(bool v) { m_showScrollBars = v; peerChanged(); }
    bool AutoHide() const { return m_autoHide; }
    void SetAutoHide(bool v) { m_autoHide = v; peerChanged(); }
    // The size the children need: their union with the padding, at least the box's size.
    QSizeF contentSize() const;

    QWidget *containerWidget() override;
    void Loaded() override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    void childLayoutChanged() override;
    virtual bool scrollsHorizontally() const { return true; }

private:
    bool m_showScrollBars = true;
    bool m_autoHide = true;
    QPointer<QWidget> m_inner;
};

// A scroll box that scrolls up and down only: its content is as wide as the box.
class TVertScrollBox : public TScrollBox
{
    VANTOR_CLASS(TVertScrollBox, TScrollBox)
public:
    explicit TVertScrollBox(TComponent *owner) : TScrollBox(owner) {}

protected:
    bool scrollsHorizontally() const override { return false; }
};

// A header with a text and an arrow that shows or hides the body below it.
// The children live in the body (a TContent aligned below the header).
class TExpander : public TTextControl
{
    VANTOR_CLASS(TExpander, TTextControl)
public:
    static constexpr double kHeaderHeight = 25;

    explicit TExpander(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TExpander> &b);

    bool IsExpanded() const { return m_expanded; }
    // Collapsing keeps only the header; expanding gives the body back its height.
    void SetIsExpanded(bool v);
    bool ShowCheck() const { return m_showCheck; }
    void SetShowCheck(bool v) { m_showCheck = v; peerChanged(); }
    bool IsChecked() const { return m_checked; }
    void SetIsChecked(bool v) { m_checked = v; peerChanged(); }
    QString ContentSize() const { return m_contentSize; }
    void SetContentSize(const QString &v) { m_contentSize = v; }
    TContent *content() const { return m_content; }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    void childAdded(TFmxObject *child) override;

private:
    TContent *m_content;
    QString m_contentSize;
    double m_expandedHeight = -1;
    bool m_expanded = true;
    bool m_showCheck = false;
    bool m_checked = true;
};

// A framed box with a title; its peer is a QGroupBox.
class TGroupBox : public TTextControl
{
    VANTOR_CLASS(TGroupBox, TTextControl)
public:
    explicit TGroupBox(TComponent *owner) : TTextControl(owner) {}
    static void DeclareProperties(ClassBuilder<TGroupBox> &b);

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
};

enum class TCalloutPosition { Top, Left, Bottom, Right };
const EnumInfo &calloutPositionInfo();

// The outline of a callout in `outer`: a rounded body that leaves room for
// the pointer (CalloutLength deep, CalloutWidth wide) on its side. An offset
// of 0 centres the pointer on the side; a positive one counts from the
// side's start, a negative one from its end.
QPainterPath calloutPath(const QRectF &outer, TCalloutPosition position, double width, double length,
                         double offset, double xRadius = 0, double yRadius = 0);

// A panel with a pointer (the callout) on one side.
class TCalloutPanel : public TPanel
{
    VANTOR_CLASS(TCalloutPanel, TPanel)
public:
    explicit TCalloutPanel(TComponent *owner) : TPanel(owner) {}
    static void DeclareProperties(ClassBuilder<TCalloutPanel> &b);

    TCalloutPosition CalloutPosition() const { return m_position; }
    void SetCalloutPosition(TCalloutPosition p) { m_position = p; peerChanged(); }
    double CalloutWidth() const { return m_width; }
    void SetCalloutWidth(double v) { m_width = v; peerChanged(); }
    double CalloutLength() const { return m_length; }
    void SetCalloutLength(double v) { m_length = v; peerChanged(); }
    double CalloutOffset() const { return m_offset; }
    void SetCalloutOffset(double v) { m_offset = v; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TCalloutPosition m_position = TCalloutPosition::Top;
    double m_width = 23;
    double m_length = 11;
    double m_offset = 0;
};

// Common to text controls of this group: the widget font and text colour of
// a TTextControl's settings, honouring StyledSettings.
// The font of text settings over `base`, leaving to the style the parts
// that `styled` (a set of TStyledSetting) names.
QFont styledFont(const TTextSettings &settings, unsigned styled, const QFont &base);
void applyTextLook(QWidget *widget, const QFont &font, bool ownColor, TAlphaColor color);

} // namespace vantor
