#include "framework/stylebook.h"

#include "framework/control.h"
#include "framework/controls/images.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/standard.h"
#include "framework/controls/styleparts.h"
#include "framework/reader.h"
#include "framework/text.h"
#include "streams/errors.h"
#include "streams/objectstream.h"
#include "streams/texttobinary.h"

#include <QPainter>
#include <QWidget>

#include <functional>
#include <vector>

namespace vantor {

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray &data)
{
    return {reinterpret_cast<const std::uint8_t *>(data.constData()), std::size_t(data.size())};
}

// The older text resource as one object stream.
std::vector<std::uint8_t> textResourceStream(const TStrings &resource)
{
    std::string text;
    for (int i = 0; i < resource.count(); ++i) {
        text += resource.list().get(i);
        text += "\r\n";
    }
    return textToBinary({reinterpret_cast<const std::uint8_t *>(text.data()), text.size()});
}

PropValue valueOf(TObject *object, const char *path)
{
    const PropLocation loc = FindPropertyPath(object, QString::fromLatin1(path));
    if (!loc || !loc.info->get)
        return {};
    return loc.info->get(*loc.instance);
}

void visit(TFmxObject *object, const std::function<void(TFmxObject *)> &fn)
{
    fn(object);
    for (TFmxObject *child : object->children())
        visit(child, fn);
}

// The settings the control does not leave to the style go to the part.
void bindTextSettings(TTextSettings &part, const TTextSettings &own, unsigned styled)
{
    if (!(styled & (1u << ssFamily)) && !own.Font()->Family().isEmpty())
        part.Font()->SetFamily(own.Font()->Family());
    if (!(styled & (1u << ssSize)))
        part.Font()->SetSize(own.Font()->Size());
    if (!(styled & (1u << ssStyle)))
        part.Font()->SetStyle(own.Font()->Style());
    if (!(styled & (1u << ssFontColor)))
        part.SetFontColor(own.FontColor());
    if (!(styled & (1u << ssOther))) {
        part.SetHorzAlign(own.HorzAlign());
        part.SetVertAlign(own.VertAlign());
        part.SetWordWrap(own.WordWrap());
        part.SetTrimming(own.Trimming());
    }
}

} // namespace

// ---------------------------------------------------------------------------

BookStyles::BookStyles(const TStyleBook &book, std::string_view platform)
{
    std::vector<StyleItemInfo> items;
    const TCollection &styles = *book.Styles();
    for (int i = 0; i < styles.Count(); ++i) {
        const auto *item = object_cast<TStyleCollectionItem>(styles.Items(i));
        items.push_back({item ? item->Platform().toStdString() : std::string(),
                         item && !item->ResourcesBin().isEmpty()});
    }
    try {
        const int chosen = ChooseStyleItem(items, platform);
        if (chosen >= 0) {
            const QByteArray blob = static_cast<TStyleCollectionItem *>(styles.Items(chosen))->ResourcesBin();
            m_resource = ReadStyleResource(bytesOf(blob));
        } else if (book.Resource()->count() > 0) {
            const std::vector<std::uint8_t> stream = textResourceStream(*book.Resource());
            m_resource = ReadStyleStream(stream);
        }
    } catch (const Exception &e) {
        m_resource = {};
        m_error = QString::fromStdString(e.message());
    }
}

const StyleResourceEntry *BookStyles::find(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    // ASCII names compare as the resource does; others without regard to case as Qt sees it.
    if (const StyleResourceEntry *entry = m_resource.find(name.toStdString()))
        return entry;
    for (const StyleResourceEntry &entry : m_resource.styles)
        if (QString::fromStdString(entry.name).compare(name, Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

// ---------------------------------------------------------------------------

StyleLook::StyleLook(const QString &name, const StyleResourceEntry &style)
    : m_name(name), m_holder(std::make_unique<TComponent>(nullptr))
{
    RegisterStylePartClasses();
    ObjectReader peek(style.stream.data(), style.stream.size());
    peek.readSignature();
    const ComponentHeader header = peek.readComponentHeader();
    const ClassInfo *cls = GetClass(QString::fromStdString(header.className));
    if (!cls || !cls->creatable())
        cls = &TLayout::StaticClass();
    TComponent *root = cls->create(m_holder.get());
    TReader reader(style.stream.data(), style.stream.size());
    reader.setStandInClass(&TLayout::StaticClass());
    reader.ReadRootComponent(root);
    m_rootObject = object_cast<TFmxObject>(root);
    m_root = object_cast<TControl>(root);
    if (m_root) {
        // The root sits at the control's origin whatever place the style's
        // designer gave it; the parts keep theirs inside it.
        m_root->SetAlign(TAlignLayout::None);
        m_root->SetVisible(true);
        m_root->Position()->SetX(0);
        m_root->Position()->SetY(0);
    }
}

StyleLook::~StyleLook()
{
    // The controls take their widgets with them before the stage goes.
    m_holder.reset();
}

TFmxObject *StyleLook::part(const QString &partName) const
{
    TFmxObject *found = nullptr;
    if (!m_rootObject)
        return nullptr;
    visit(m_rootObject, [&](TFmxObject *object) {
        if (found)
            return;
        const PropValue name = valueOf(object, "StyleName");
        if (const auto *s = std::get_if<QString>(&name); s && s->compare(partName, Qt::CaseInsensitive) == 0)
            found = object;
    });
    return found;
}

void StyleLook::bind(TControl &control)
{
    if (TFmxObject *text = part(QStringLiteral("text"))) {
        const PropValue value = valueOf(&control, "Text");
        const auto *own = object_cast<TTextSettings>(
            std::holds_alternative<TObject *>(valueOf(&control, "TextSettings"))
                ? std::get<TObject *>(valueOf(&control, "TextSettings"))
                : nullptr);
        const PropValue styledValue = valueOf(&control, "StyledSettings");
        const unsigned styled = std::holds_alternative<std::int64_t>(styledValue)
                                    ? unsigned(std::get<std::int64_t>(styledValue))
                                    : ~0u;
        if (auto *t = object_cast<TText>(text)) {
            if (const auto *s = std::get_if<QString>(&value))
                t->SetText(*s);
            if (own)
                bindTextSettings(*t->TextSettings(), *own, styled);
        } else if (auto *t = object_cast<TTextControl>(text)) {
            if (const auto *s = std::get_if<QString>(&value))
                t->SetText(*s);
            if (own)
                bindTextSettings(*t->TextSettings(), *own, styled);
        }
    }
    if (auto *glyph = object_cast<TGlyph>(part(QStringLiteral("glyph")))) {
        const PropValue images = valueOf(&control, "Images");
        const PropValue index = valueOf(&control, "ImageIndex");
        if (const auto *o = std::get_if<TObject *>(&images); o && object_cast<TImageList>(*o))
            glyph->SetImages(static_cast<TImageList *>(*o));
        if (const auto *i = std::get_if<std::int64_t>(&index))
            glyph->SetImageIndex(*i);
    }
    if (auto *icon = object_cast<TImage>(part(QStringLiteral("icon")))) {
        const PropValue bitmap = valueOf(&control, "ItemData.Bitmap");
        if (const auto *o = std::get_if<TObject *>(&bitmap))
            if (const auto *b = object_cast<TBitmap>(*o); b && !b->isEmpty())
                icon->Bitmap()->SetPNG(b->PNG());
    }
}

void StyleLook::paint(QPainter &painter, const QRectF &rect)
{
    if (!m_root || rect.isEmpty())
        return;
    if (m_laidOut != rect.size()) {
        m_laidOut = rect.size();
        m_root->SetBounds(0, 0, rect.width(), rect.height());
        m_root->Realign();
    }
    QWidget *widget = m_root->peer();
    if (!m_stage) {
        // A widget without a parent stays hidden, and a hidden widget does
        // not render: the tree's widgets go on a stage that is never shown.
        m_stage = std::make_unique<QWidget>();
        widget->setParent(m_stage.get());
        widget->setVisible(true);
    }
    painter.save();
    painter.translate(rect.topLeft());
    widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
}

} // namespace vantor
