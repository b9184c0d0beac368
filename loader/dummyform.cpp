#include "loader/dummyform.h"

#include "framework/brush.h"
#include "framework/classbuilder.h"
#include "framework/colors.h"
#include "framework/reader.h"

#include <QCoreApplication>
#include <QEvent>

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

TF_FMXDummy::~TF_FMXDummy()
{
    if (QCoreApplication::instance())
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateLater);
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
