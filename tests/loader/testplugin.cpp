// Small plug-in libraries for the tests, one source built several times:
//   TESTPLUGIN_CLASSES    the class list it gives ("\n"-separated), unless
//   TESTPLUGIN_NO_LIST    it exports no GetControlClassSupportList,
//   TESTPLUGIN_THROW_LIST its class list throws,
//   TESTPLUGIN_NULL_LIST  its class list is a null stream;
//   TESTPLUGIN_NO_BUILD   it exports no GetWinControlFromClass.
// GetWinControlFromClass acts by class name:
//   TNoForm   returns no form and no message;
//   TErrMsg   returns no form with the message "kaputt: <class>";
//   TThrows   throws the framework's exception "geworfen";
//   TNoPicture returns a form but writes no picture;
//   any other builds a 24 x 12 rectangle at (5, 7), writes a 24 x 12 PNG
//   and returns a form that is visible for TVisible only.

#include "framework/controls/shapes.h"
#include "framework/forms.h"
#include "streams/errors.h"
#include "streams/memorystream.h"
#include "support/paths.h"

#include "vantor/plugin.h"

#include <QImage>

#include <cstring>
#include <string>

using namespace vantor;

namespace {

std::string g_lastBlock;
std::string g_lastClass;
void *g_lastParent = nullptr;
int g_calls = 0;

} // namespace

extern "C" {

__attribute__((visibility("default"))) const char *TestPlugInLastBlock()
{
    return g_lastBlock.c_str();
}
__attribute__((visibility("default"))) const char *TestPlugInLastClass()
{
    return g_lastClass.c_str();
}
__attribute__((visibility("default"))) void *TestPlugInLastParent()
{
    return g_lastParent;
}
__attribute__((visibility("default"))) int TestPlugInCalls()
{
    return g_calls;
}

#ifndef TESTPLUGIN_NO_LIST
__attribute__((visibility("default"))) void *GetControlClassSupportList(void)
{
#if defined(TESTPLUGIN_THROW_LIST)
    throw Exception("no list today");
#elif defined(TESTPLUGIN_NULL_LIST)
    return nullptr;
#else
    auto *stream = new TMemoryStream;
    stream->write(std::string_view(TESTPLUGIN_CLASSES));
    return stream; // position at the end: the viewer reads from the start
#endif
}
#endif

#ifndef TESTPLUGIN_NO_BUILD
__attribute__((visibility("default"))) void *GetWinControlFromClass(const unsigned char *className, void *stream,
                                                                   void *parent, unsigned char *errorMessage,
                                                                   intptr_t errorCapacity)
{
    ++g_calls;
    g_lastParent = parent;
    g_lastClass.assign(reinterpret_cast<const char *>(className + 1), className[0]);
    auto *block = static_cast<TMemoryStream *>(stream);
    g_lastBlock.assign(reinterpret_cast<const char *>(block->data()), block->size());

    if (g_lastClass == "TNoForm")
        return nullptr;
    if (g_lastClass == "TErrMsg") {
        const std::string message = "kaputt: " + g_lastClass;
        const std::size_t n = std::min<std::size_t>(message.size(), std::size_t(errorCapacity));
        errorMessage[0] = static_cast<unsigned char>(n);
        std::memcpy(errorMessage + 1, message.data(), n);
        return nullptr;
    }
    if (g_lastClass == "TThrows")
        throw Exception("geworfen");

    auto *form = new TForm(nullptr);
    auto *rect = new TRectangle(form);
    rect->SetParent(form);
    rect->SetBounds(5, 7, 24, 12);
    form->SetTag(reinterpret_cast<std::intptr_t>(rect));
    form->SetLeft(5 + 30);
    form->SetTop(7 + 60);
    if (g_lastClass != "TNoPicture") {
        QImage picture(24, 12, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        picture.save(QString::fromStdString(AppDataDir() + "/" VANTOR_PLUGIN_PICTURE_FILE), "PNG");
    }
    if (g_lastClass == "TVisible")
        form->Show();
    return form;
}
#endif

} // extern "C"
