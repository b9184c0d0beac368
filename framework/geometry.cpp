#include "framework/geometry.h"

#include <QRegularExpression>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TPosition)
VANTOR_IMPLEMENT_CLASS(TBounds)
VANTOR_IMPLEMENT_CLASS(TControlSize)

void TPosition::DeclareProperties(ClassBuilder<TPosition> &b)
{
    b.floating("X", &TPosition::X, &TPosition::SetX);
    b.floating("Y", &TPosition::Y, &TPosition::SetY);
    b.string("Point", &TPosition::PointText, &TPosition::SetPointText);
}

void TPosition::setPoint(QPointF p)
{
    if (p == m_point)
        return;
    m_point = p;
    if (onChange)
        onChange();
}

QString TPosition::PointText() const
{
    return QStringLiteral("(%1,%2)").arg(m_point.x()).arg(m_point.y());
}

void TPosition::SetPointText(const QString &text)
{
    static const QRegularExpression re(QStringLiteral(R"(^\s*\(\s*([-+]?[0-9]*\.?[0-9]+)\s*,\s*([-+]?[0-9]*\.?[0-9]+)\s*\)\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        throw EPropertyError(msg::InvalidPropertyValue);
    setPoint({m.captured(1).toDouble(), m.captured(2).toDouble()});
}

void TBounds::DeclareProperties(ClassBuilder<TBounds> &b)
{
    b.floating("Left", &TBounds::Left, &TBounds::SetLeft);
    b.floating("Top", &TBounds::Top, &TBounds::SetTop);
    b.floating("Right", &TBounds::Right, &TBounds::SetRight);
    b.floating("Bottom", &TBounds::Bottom, &TBounds::SetBottom);
    // The earliest forms write all four at once: Margins.Rect = '(5,5,5,5)'.
    b.string(
        "Rect",
        [](TBounds &o) {
            return QStringLiteral("(%1,%2,%3,%4)").arg(o.Left()).arg(o.Top()).arg(o.Right()).arg(o.Bottom());
        },
        [](TBounds &o, const QString &text) {
            static const QRegularExpression number(QStringLiteral(R"(\s*([-+]?[0-9]*\.?[0-9]+)\s*)"));
            static const QRegularExpression re(QStringLiteral(R"(^\s*\((%1),(%1),(%1),(%1)\)\s*$)")
                                                   .arg(number.pattern()));
            const QRegularExpressionMatch m = re.match(text);
            if (!m.hasMatch())
                throw EPropertyError(msg::InvalidPropertyValue);
            o.SetLeft(m.captured(2).toDouble());
            o.SetTop(m.captured(4).toDouble());
            o.SetRight(m.captured(6).toDouble());
            o.SetBottom(m.captured(8).toDouble());
        });
}

void TBounds::set(double &field, double v)
{
    if (field == v)
        return;
    field = v;
    if (onChange)
        onChange();
}

void TControlSize::DeclareProperties(ClassBuilder<TControlSize> &b)
{
    b.floating("Width", &TControlSize::Width, &TControlSize::SetWidth);
    b.floating("Height", &TControlSize::Height, &TControlSize::SetHeight);
    b.boolean("PlatformDefault", &TControlSize::PlatformDefault, &TControlSize::SetPlatformDefault);
}

void TControlSize::setSize(QSizeF s)
{
    if (s.width() < 0)
        s.setWidth(0);
    if (s.height() < 0)
        s.setHeight(0);
    if (s == m_size)
        return;
    m_size = s;
    if (onChange)
        onChange();
}

} // namespace vantor
