#pragma once

// The primitive classes that styles are made of and that forms do not use
// directly: TText (a painted text), and the shapes TEllipse, TCircle and
// TRoundRect. They are registered for reading styles (see
// RegisterStylePartClasses); the known-class list does not hold them, so a
// form that names one still shows a placeholder.

#include "framework/controls/shapes.h"
#include "framework/geometry.h"
#include "framework/text.h"

#include <QImage>

#include <memory>

namespace vantor {

// A text painted in its rectangle with its text settings. In a style the
// part named "text" shows the styled control's text.
class TText : public TControl
{
    VANTOR_CLASS(TText, TControl)
public:
    explicit TText(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TText> &b);

    QString Text() const { return m_text; }
    void SetText(const QString &text);
    TTextSettings *TextSettings() const { return m_textSettings.get(); }
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool v) { m_autoSize = v; }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    QString m_text;
    std::unique_ptr<TTextSettings> m_textSettings;
    bool m_autoSize = false;
};

// An ellipse filling its rectangle.
class TEllipse : public TShape
{
    VANTOR_CLASS(TEllipse, TShape)
public:
    explicit TEllipse(TComponent *owner) : TShape(owner) {}
    static void DeclareProperties(ClassBuilder<TEllipse> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// A circle of the rectangle's smaller side, centred in it.
class TCircle : public TEllipse
{
    VANTOR_CLASS(TCircle, TEllipse)
public:
    explicit TCircle(TComponent *owner) : TEllipse(owner) {}

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// A rectangle whose short sides are half circles.
class TRoundRect : public TShape
{
    VANTOR_CLASS(TRoundRect, TShape)
public:
    explicit TRoundRect(TComponent *owner) : TShape(owner) {}
    static void DeclareProperties(ClassBuilder<TRoundRect> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// One resolution of a style object's picture: the rectangle of the source
// bitmap it is cut from (SourceRect, in the source's pixels at that Scale)
// and the edges kept at their size when it is stretched (CapInsets).
class TBitmapLink : public TCollectionItem
{
    VANTOR_CLASS(TBitmapLink, TCollectionItem)
public:
    TBitmapLink();
    static void DeclareProperties(ClassBuilder<TBitmapLink> &b);

    double Scale() const { return m_scale; }
    void SetScale(double v) { m_scale = v; }
    TBounds *SourceRect() const { return m_sourceRect.get(); }
    TBounds *CapInsets() const { return m_capInsets.get(); }

private:
    double m_scale = 1;
    std::unique_ptr<TBounds> m_sourceRect;
    std::unique_ptr<TBounds> m_capInsets;
};

// A style's picture cut from a source bitmap of the same style resource,
// the style whose name SourceLookup gives (a TImage of the style's
// bitmaps). Each state has its links (one per resolution); the object draws
// the link of its state at scale 1 (else the nearest), stretched to its
// rectangle with its cap insets kept. The framework's families:
// TStyleObject (SourceLink), TActiveStyleObject and TCheckStyleObject
// (SourceLink, ActiveLink), TTabStyleObject (also HotLink), TButtonStyleObject
// (NormalLink, HotLink, PressedLink, FocusedLink), TTintedStyleObject and
// TTintedButtonStyleObject (with a Tint colour), TSystemButtonObject.
// Without its source bitmap (a style copied from the platform's own, whose
// bitmap the resource does not carry) a button's object draws the desktop's
// button panel and the others draw nothing.
class TStyleObject : public TControl
{
    VANTOR_CLASS(TStyleObject, TControl)
public:
    explicit TStyleObject(TComponent *owner);
    ~TStyleObject() override;
    static void DeclareProperties(ClassBuilder<TStyleObject> &b);

    QString SourceLookup() const { return m_sourceLookup; }
    void SetSourceLookup(const QString &v) { m_sourceLookup = v; }
    TCollection *SourceLink() const { return m_sourceLink.get(); }
    TCollection *ActiveLink() const { return m_activeLink.get(); }
    TCollection *HotLink() const { return m_hotLink.get(); }
    TCollection *PressedLink() const { return m_pressedLink.get(); }
    TCollection *FocusedLink() const { return m_focusedLink.get(); }
    TCollection *NormalLink() const { return m_normalLink.get(); }

    // The source bitmap at scale 1 (null image: not found).
    void setSourceImage(const QImage &image, double scale);
    // Buttons' objects draw a button panel when their source is not found.
    bool drawsButtonPanel() const { return m_buttonPanel; }

protected:
    // The links that stand for the normal state.
    virtual TCollection *normalLinks() const { return m_sourceLink.get(); }
    void paint(QPainter &painter, const QRectF &rect) override;
    bool m_buttonPanel = false;

private:
    QString m_sourceLookup;
    std::unique_ptr<TCollection> m_sourceLink, m_activeLink, m_hotLink, m_pressedLink, m_focusedLink, m_normalLink;
    QImage m_source;
    double m_sourceScale = 1;
};

#define VANTOR_STYLE_OBJECT(NAME, BASE)                                                                       \
    class NAME : public BASE                                                                                  \
    {                                                                                                         \
        VANTOR_CLASS(NAME, BASE)                                                                              \
    public:                                                                                                   \
        explicit NAME(TComponent *owner);                                                                     \
        static void DeclareProperties(ClassBuilder<NAME> &b);                                                 \
    };

VANTOR_STYLE_OBJECT(TActiveStyleObject, TStyleObject)
VANTOR_STYLE_OBJECT(TCheckStyleObject, TActiveStyleObject)
VANTOR_STYLE_OBJECT(TTabStyleObject, TActiveStyleObject)
VANTOR_STYLE_OBJECT(TTintedStyleObject, TStyleObject)
VANTOR_STYLE_OBJECT(TSystemButtonObject, TStyleObject)

class TButtonStyleObject : public TStyleObject
{
    VANTOR_CLASS(TButtonStyleObject, TStyleObject)
public:
    explicit TButtonStyleObject(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TButtonStyleObject> &b);

protected:
    TCollection *normalLinks() const override { return NormalLink(); }
};

VANTOR_STYLE_OBJECT(TTintedButtonStyleObject, TButtonStyleObject)
#undef VANTOR_STYLE_OBJECT

// A style's text that takes a colour per state of its control
// (NormalColor, HotColor, PressedColor, FocusedColor, ActiveColor); it is
// drawn in NormalColor. Families: TStyleTextObject, TActiveStyleTextObject,
// TButtonStyleTextObject, TTabStyleTextObject.
class TStyleTextObject : public TText
{
    VANTOR_CLASS(TStyleTextObject, TText)
public:
    explicit TStyleTextObject(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TStyleTextObject> &b);

    TAlphaColor NormalColor() const { return TextSettings()->FontColor(); }
    void SetNormalColor(TAlphaColor c) { TextSettings()->SetFontColor(c); }
};

class TActiveStyleTextObject : public TStyleTextObject
{
    VANTOR_CLASS(TActiveStyleTextObject, TStyleTextObject)
public:
    explicit TActiveStyleTextObject(TComponent *owner) : TStyleTextObject(owner) {}
    static void DeclareProperties(ClassBuilder<TActiveStyleTextObject> &b);
};
class TButtonStyleTextObject : public TStyleTextObject
{
    VANTOR_CLASS(TButtonStyleTextObject, TStyleTextObject)
public:
    explicit TButtonStyleTextObject(TComponent *owner) : TStyleTextObject(owner) {}
    static void DeclareProperties(ClassBuilder<TButtonStyleTextObject> &b);
};
class TTabStyleTextObject : public TStyleTextObject
{
    VANTOR_CLASS(TTabStyleTextObject, TStyleTextObject)
public:
    explicit TTabStyleTextObject(TComponent *owner) : TStyleTextObject(owner) {}
    static void DeclareProperties(ClassBuilder<TTabStyleTextObject> &b);
};

// Registers the classes above with the class registry, and the primitives
// that styles share with forms (TLayout, TRectangle, TImage, ...); later
// calls do nothing.
void RegisterStylePartClasses();

// The class of that name among those above and the primitives (letters
// without regard to case); nullptr for others. Styles are read with it, so
// that a library's namesake in the registry is not taken for ours.
const ClassInfo *StylePartClass(const QString &name);

} // namespace vantor
