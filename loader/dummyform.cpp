#include "loader/dummyform.h"

#include "framework/reader.h"

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

void TF_FMXDummy::setStoredLayout(std::vector<std::uint8_t> stream) { storedLayout() = std::move(stream); }

} // namespace vantor
