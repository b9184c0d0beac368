#pragma once

// The primitive classes that styles are made of and that forms do not use
// directly: TText (a painted text), and the shapes TEllipse, TCircle and
// TRoundRect. They are registered for reading styles (see
// RegisterStylePartClasses); the known-class list does not hold them, so a
// form that names one still shows a placeholder.

#include "framework/controls/shapes.h"
#include "framework/text.h"

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

// Registers the classes above with the class registry, and the primitives
// that styles share with forms (TLayout, TRectangle, TImage, ...); later
// calls do nothing.
void RegisterStylePartClasses();

} // namespace vantor
