#include "framework/stocklooks.h"

#include "framework/control.h"

#include <QHash>
#include <QPainter>

namespace vantor {

namespace {

class StockLook : public Look
{
public:
    explicit StockLook(QString name) : m_name(std::move(name)) {}
    QString name() const override { return QStringLiteral("stock:") + m_name; }

private:
    QString m_name;
};

// A flat button: no frame, a light wash while pressed or checked.
class FlatButtonLook : public StockLook
{
public:
    using StockLook::StockLook;
    void paint(QPainter &p, const QRectF &rect, const LookData &d) const override
    {
        if (d.pressed || d.checked) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 0, d.pressed ? 46 : 30));
            p.drawRoundedRect(rect.adjusted(1, 1, -1, -1), 3, 3);
        }
        p.setFont(d.font);
        p.setPen(d.fontColor.isValid() ? d.fontColor : QColor(0x30, 0x30, 0x30));
        p.drawText(rect, Qt::AlignCenter, d.text);
    }
};

using LookTable = QHash<QString, std::shared_ptr<const Look>>;

const LookTable &table()
{
    static const LookTable looks = [] {
        LookTable t;
        const auto add = [&t](std::shared_ptr<const Look> look) {
            t.insert(look->name().mid(6), std::move(look));
        };
        add(std::make_shared<FlatButtonLook>(QStringLiteral("toolbutton")));
        return t;
    }();
    return looks;
}

} // namespace

std::shared_ptr<const Look> stockLook(const QString &lookup)
{
    return table().value(lookup.trimmed().toLower());
}

QStringList stockLookNames()
{
    QStringList names = table().keys();
    names.sort();
    return names;
}

std::shared_ptr<const Look> StockLookSource::lookFor(const TControl &control) const
{
    return stockLook(control.StyleLookup());
}

} // namespace vantor
