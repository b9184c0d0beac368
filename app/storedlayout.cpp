#include "app/storedlayout.h"

#include "framework/reader.h"
#include "streams/errors.h"
#include "streams/texttobinary.h"

#include <QFile>

#include <span>

// The resources live in a static library; the linker keeps them only
// when something refers to them.
static void initResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(vantor);
        return true;
    }();
    static_cast<void>(done);
}

namespace vantor {

void initAppResources() { ::initResources(); }

std::vector<std::uint8_t> storedLayoutStream(const QString &resource)
{
    initAppResources();
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError("Die Ressource " + resource.toStdString() + " wurde nicht gefunden");
    const QByteArray text = file.readAll();
    return textToBinary(std::span(reinterpret_cast<const std::uint8_t *>(text.constData()), std::size_t(text.size())));
}

void ReadStoredLayout(TComponent *root, const QString &resource, std::initializer_list<const ClassInfo *> classes)
{
    const std::vector<std::uint8_t> stream = storedLayoutStream(resource);

    std::vector<const ClassInfo *> added;
    for (const ClassInfo *cls : classes) {
        if (GetClass(cls->qname()) == nullptr) {
            RegisterClass(*cls);
            added.push_back(cls);
        }
    }
    struct Unregister
    {
        std::vector<const ClassInfo *> &classes;
        ~Unregister()
        {
            for (const ClassInfo *cls : classes)
                UnRegisterClass(*cls);
        }
    } unregister{added};

    TReader reader(stream.data(), stream.size());
    reader.ReadRootComponent(root);
}

} // namespace vantor
