#pragma once

// More of the framework's own classes FMXCommon.dll builds: the scroll
// boxes the known list lacks, the grid layout, the menu bar, the search
// box, the list box footer, the group footer, the further grid columns, the
// map view, the visual effects and the further animations.

#include "commonclasses.h"

#include "framework/controls/containers.h"
#include "framework/controls/edits.h"
#include "framework/controls/grids.h"
#include "framework/controls/lists.h"
#include "framework/controls/nonvisual.h"

class QGraphicsEffect;

namespace vantor::fmxcommon {

// Scrolls left and right only: its content is as high as the box.
class THorzScrollBox : public TScrollBox
{
    VANTOR_CLASS(THorzScrollBox, TScrollBox)
public:
    explicit THorzScrollBox(TComponent *owner) : TScrollBox(owner) {}

protected:
    void updatePeer() override;
};

// A scroll box whose content size the form may give (ContentSize) and whose
// directions ScrollDirections limits.
class TPresentedScrollBox : public TScrollBox
{
    VANTOR_CLASS(TPresentedScrollBox, TScrollBox)
public:
    explicit TPresentedScrollBox(TComponent *owner) : TScrollBox(owner) {}
    static void DeclareProperties(ClassBuilder<TPresentedScrollBox> &b);

protected:
    void updatePeer() override;
};

class TVertPresentedScrollBox : public TPresentedScrollBox
{
    VANTOR_CLASS(TVertPresentedScrollBox, TPresentedScrollBox)
public:
    explicit TVertPresentedScrollBox(TComponent *owner) : TPresentedScrollBox(owner) {}

protected:
    void updatePeer() override;
};

class THorzPresentedScrollBox : public TPresentedScrollBox
{
    VANTOR_CLASS(THorzPresentedScrollBox, TPresentedScrollBox)
public:
    explicit THorzPresentedScrollBox(TComponent *owner) : TPresentedScrollBox(owner) {}

protected:
    void updatePeer() override;
};

// Scroll boxes inside a frame line.
class TFramedScrollBox : public TScrollBox
{
    VANTOR_CLASS(TFramedScrollBox, TScrollBox)
public:
    explicit TFramedScrollBox(TComponent *owner) : TScrollBox(owner) {}

protected:
    void updatePeer() override;
};

class TFramedVertScrollBox : public TVertScrollBox
{
    VANTOR_CLASS(TFramedVertScrollBox, TVertScrollBox)
public:
    explicit TFramedVertScrollBox(TComponent *owner) : TVertScrollBox(owner) {}

protected:
    void updatePeer() override;
};

// Children in cells of ItemWidth × ItemHeight: along a row and then the next
// (Horizontal), or down a column and then the next (Vertical).
class TGridLayout : public TArrangingLayout
{
    VANTOR_CLASS(TGridLayout, TArrangingLayout)
public:
    explicit TGridLayout(TComponent *owner) : TArrangingLayout(owner) {}
    static void DeclareProperties(ClassBuilder<TGridLayout> &b);
    double ItemWidth() const { return m_itemWidth; }
    void SetItemWidth(double v) { m_itemWidth = v; arrange(); }
    double ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(double v) { m_itemHeight = v; arrange(); }
    int Orientation() const { return m_orientation; }
    void SetOrientation(int v) { m_orientation = v; arrange(); }

protected:
    void arrangeChildren() override;

private:
    double m_itemWidth = 64;
    double m_itemHeight = 64;
    int m_orientation = 0; // Horizontal, Vertical
};

// A menu bar in the form: its items' Text side by side (a Qt menu bar whose
// menus hold the sub-items).
class TMenuBar : public TControl
{
    VANTOR_CLASS(TMenuBar, TControl)
public:
    explicit TMenuBar(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TMenuBar> &b);
    void Loaded() override;
    // The items draw nothing of their own; the bar shows them.
    QWidget *containerWidget() override { return nullptr; }

protected:
    QWidget *createPeer() override;
};

// An edit with a magnifier at its start.
class TSearchBox : public TEdit
{
    VANTOR_CLASS(TSearchBox, TEdit)
public:
    explicit TSearchBox(TComponent *owner) : TEdit(owner) {}

protected:
    QWidget *createPeer() override;
};

// The bar below a list box.
class TListBoxFooter : public TListBoxHeader
{
    VANTOR_CLASS(TListBoxFooter, TListBoxHeader)
public:
    explicit TListBoxFooter(TComponent *owner) : TListBoxHeader(owner) {}
};

// The footer row of a group in a list box: a grey bar with its text small.
class TListBoxGroupFooter : public TListBoxItem
{
    VANTOR_CLASS(TListBoxGroupFooter, TListBoxItem)
public:
    explicit TListBoxGroupFooter(TComponent *owner) : TListBoxItem(owner) {}

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// The grid's further column kinds. Inside a grid the grid shows them as
// header sections, as it does the string column; read alone they draw
// their header cell over empty rows.
class TPaintedColumn : public TColumn
{
    VANTOR_CLASS(TPaintedColumn, TColumn)
public:
    explicit TPaintedColumn(TComponent *owner) : TColumn(owner) {}

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

#define VANTOR_COLUMN(Class)                                   \
    class Class : public TPaintedColumn                        \
    {                                                          \
        VANTOR_CLASS(Class, TPaintedColumn)                    \
    public:                                                    \
        explicit Class(TComponent *owner) : TPaintedColumn(owner) {} \
        static void DeclareProperties(ClassBuilder<Class> &b); \
    };
VANTOR_COLUMN(TCheckColumn)
VANTOR_COLUMN(TDateColumn)
VANTOR_COLUMN(TTimeColumn)
VANTOR_COLUMN(TFloatColumn)
VANTOR_COLUMN(TCurrencyColumn)
VANTOR_COLUMN(TIntegerColumn)
VANTOR_COLUMN(TGlyphColumn)
#undef VANTOR_COLUMN

// A column whose cells pick one of Items.
class TPopupColumn : public TPaintedColumn
{
    VANTOR_CLASS(TPopupColumn, TPaintedColumn)
public:
    explicit TPopupColumn(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TPopupColumn> &b);
    TStrings *Items() const { return m_items.get(); }

private:
    std::unique_ptr<TStrings> m_items;
};

// A map: nothing is fetched; the area shows land, water and roads in the
// colours of MapType (none: a plain grey area).
class TMapView : public TControl
{
    VANTOR_CLASS(TMapView, TControl)
public:
    explicit TMapView(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TMapView> &b);
    int MapType() const { return m_mapType; }
    void SetMapType(int v) { m_mapType = v; peerChanged(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    int m_mapType = 1; // None, Normal, Satellite, Hybrid, Terrain
};

// Effects a control carries as a child. Those Qt can draw become the
// parent widget's graphics effect (a glow as a shadow without offset in
// the glow's colour, the blurs as blur, monochrome as a grey colouring);
// the others leave their parent as it is.
class TVisualEffect : public TEffect
{
    VANTOR_CLASS(TVisualEffect, TEffect)
public:
    explicit TVisualEffect(TComponent *owner) : TEffect(owner) {}
    // A new Qt effect for the parent's widget, or nullptr; `spread` is how
    // far it draws outside the widget.
    virtual QGraphicsEffect *makeQtEffect(int &spread) const
    {
        spread = 0;
        return nullptr;
    }
};

// Gives the parent widget of each enabled effect in the tree under `root`
// (root included) the effect's Qt effect. Returns the spread of the effects
// that sit on the root itself.
int applyEffects(TFmxObject *root);

// An effect built alone (the viewer asks for it with its own block): puts
// it on the control the viewer's placeholder for it sits in, found in
// `container` by the placeholder's name. True when the component is an
// effect (whether or not Qt can draw it).
bool applyEffectToHost(TComponent *effect, TComponent *container);

void registerMoreClasses();
const std::vector<const char *> &moreClassNames();
// The card lines of the further animations; empty for other components.
QStringList moreCaption(TComponent *component);

} // namespace vantor::fmxcommon
