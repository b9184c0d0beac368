#pragma once

// Small persistent objects that controls publish as nested properties:
// Position (X, Y and the older `Point` string), Size, Margins and Padding.
// Each tells its owner about a change through `onChange`.

#include "framework/classes.h"

#include <QPointF>
#include <QSizeF>

#include <functional>

namespace vantor {

// A point; published as X, Y and Point ('(16,16)', as older forms write it).
class TPosition : public TPersistent
{
    VANTOR_CLASS(TPosition, TPersistent)
public:
    TPosition() = default;
    explicit TPosition(QPointF defaultValue) : m_point(defaultValue) {}
    static void DeclareProperties(ClassBuilder<TPosition> &b);

    double X() const { return m_point.x(); }
    double Y() const { return m_point.y(); }
    void SetX(double x) { setPoint({x, m_point.y()}); }
    void SetY(double y) { setPoint({m_point.x(), y}); }
    QPointF point() const { return m_point; }
    void setPoint(QPointF p);
    // '(16,16)' or '(1.5,2)'; an unreadable text raises EPropertyError.
    QString PointText() const;
    void SetPointText(const QString &text);

    std::function<void()> onChange;

private:
    QPointF m_point;
};

// Four distances: a control's Margins (space kept around it when aligned)
// and Padding (space kept inside it for its aligned children).
class TBounds : public TPersistent
{
    VANTOR_CLASS(TBounds, TPersistent)
public:
    TBounds() = default;
    static void DeclareProperties(ClassBuilder<TBounds> &b);

    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Right() const { return m_right; }
    double Bottom() const { return m_bottom; }
    void SetLeft(double v) { set(m_left, v); }
    void SetTop(double v) { set(m_top, v); }
    void SetRight(double v) { set(m_right, v); }
    void SetBottom(double v) { set(m_bottom, v); }
    QMarginsF margins() const { return QMarginsF(m_left, m_top, m_right, m_bottom); }

    std::function<void()> onChange;

private:
    void set(double &field, double v);
    double m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
};

// A control's size: Width, Height and PlatformDefault (a flag kept as read).
class TControlSize : public TPersistent
{
    VANTOR_CLASS(TControlSize, TPersistent)
public:
    TControlSize() = default;
    static void DeclareProperties(ClassBuilder<TControlSize> &b);

    double Width() const { return m_size.width(); }
    double Height() const { return m_size.height(); }
    void SetWidth(double w) { setSize({w, m_size.height()}); }
    void SetHeight(double h) { setSize({m_size.width(), h}); }
    QSizeF size() const { return m_size; }
    void setSize(QSizeF s);
    bool PlatformDefault() const { return m_platformDefault; }
    void SetPlatformDefault(bool v) { m_platformDefault = v; }

    std::function<void()> onChange;

private:
    QSizeF m_size;
    bool m_platformDefault = false;
};

} // namespace vantor
