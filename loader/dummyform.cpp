#include "loader/dummyform.h"

#include "framework/brush.h"
#include "framework/classbuilder.h"
#include "framework/colors.h"
#include "framework/control.h"
#include "framework/reader.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <unordered_set>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TF_FMXDummy)

namespace {
std::vector<std::uint8_t> &storedLayout()
{
    static std::vector<std::uint8_t> stream;
    return stream;
}
} // namespace

TF_FMXDummy::TF_FMXDummy(TComponent *owner) : TForm(owner)
{
    if (!storedLayout().empty()) {
        TReader reader(storedLayout().data(), storedLayout().size());
        reader.ReadRootComponent(this);
    }
}

namespace {

// Takes the queued later-repaints and layout requests of the widgets about to
// go, and lets every other one through.
class DyingWidgetsRequests : public QObject
{
public:
    explicit DyingWidgetsRequests(std::unordered_set<const QObject *> dying) : m_dying(std::move(dying)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((event->type() != QEvent::UpdateLater && event->type() != QEvent::LayoutRequest)
            || !watched->isWidgetType())
            return false;
        for (const QWidget *w = static_cast<QWidget *>(watched); w; w = w->parentWidget())
            if (m_dying.count(w))
                return true;
        return false;
    }

private:
    std::unordered_set<const QObject *> m_dying;
};

void collectPeers(const TComponent &owner, std::unordered_set<const QObject *> &out)
{
    for (const TComponent *c : owner.components()) {
        if (const auto *control = object_cast<TControl>(c); control && control->isRealized())
            out.insert(const_cast<TControl *>(control)->peer());
        collectPeers(*c, out);
    }
}

} // namespace

TF_FMXDummy::~TF_FMXDummy()
{
    if (!QCoreApplication::instance())
        return;
    // Each widget shown has queued a request to repaint itself later, and
    // widgets whose size hint changed one for their parent's layout; one
    // destroyed with a request queued searches the whole queue for it. The
    // requests of the form's widgets are taken from the queue in one pass
    // each (the others are delivered, as the event loop would have done).
    std::unordered_set<const QObject *> dying;
    collectPeers(*this, dying);
    if (dying.empty())
        return;
    DyingWidgetsRequests filter(std::move(dying));
    QCoreApplication::instance()->installEventFilter(&filter);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::instance()->removeEventFilter(&filter);
}

void TF_FMXDummy::DeclareProperties(ClassBuilder<TF_FMXDummy> &b)
{
    b.integer(
        "Color", &TF_FMXDummy::Color, [](TF_FMXDummy &f, std::int64_t v) { f.SetColor(IntToAlphaColor(v)); },
        &colorIdentToInt);
}

void TF_FMXDummy::SetColor(TAlphaColor c)
{
    Fill()->SetColor(c);
    Fill()->SetKind(TBrushKind::Solid);
}

void TF_FMXDummy::setStoredLayout(std::vector<std::uint8_t> stream) { storedLayout() = std::move(stream); }

} // namespace vantor
