#include "framework/stylebook.h"

#include "framework/control.h"
#include "framework/forms.h"
#include "framework/looks.h"
#include "framework/controls/images.h"
#include "framework/controls/nonvisual.h"
#include "framework/controls/standard.h"
#include "framework/controls/styleparts.h"
#include "framework/reader.h"
#include "framework/text.h"
#include "streams/errors.h"
#include "streams/objectstream.h"
#include "streams/texttobinary.h"

#include <QAbstractScrollArea>
#include <QFrame>
#include <QLineEdit>
#include <QScrollArea>
#include <QPainter>
#include <QWidget>

#include <algorithm>
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

bool (*g_styleClassFilter)(const QString &) = nullptr;

// The class a style's object is made of: its own primitives first, then
// what the registry has and the filter admits.
const ClassInfo *styleClass(const QString &name)
{
    if (const ClassInfo *part = StylePartClass(name))
        return part;
    if (g_styleClassFilter && !g_styleClassFilter(name))
        return nullptr;
    return GetClass(name);
}

} // namespace

void SetStyleClassFilter(bool (*admits)(const QString &className))
{
    g_styleClassFilter = admits;
}

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
        const PropValue own = book.storedValue(QStringLiteral("ResourcesBin"));
        const auto *ownBlob = std::get_if<QByteArray>(&own);
        if (chosen >= 0) {
            const QByteArray blob = static_cast<TStyleCollectionItem *>(styles.Items(chosen))->ResourcesBin();
            m_resource = ReadStyleResource(bytesOf(blob));
        } else if (ownBlob && !ownBlob->isEmpty()) {
            // Books of some versions hold one resource themselves, no items.
            m_resource = ReadStyleResource(bytesOf(*ownBlob));
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

QImage BookStyles::sourceImage(const QString &name, double &scale) const
{
    const QString key = name.toLower();
    auto at = m_sources.find(key);
    if (at == m_sources.end()) {
        Source source;
        if (const StyleResourceEntry *entry = find(name)) {
            try {
                const StyleLook look(name, *entry);
                if (const auto *image = object_cast<TImage>(look.root())) {
                    if (const TFixedBitmapItem *item = image->MultiResBitmap()->bestItem(1)) {
                        source.image = item->image();
                        source.scale = item->Scale();
                    } else if (!image->Bitmap()->isEmpty()) {
                        source.image = image->Bitmap()->image();
                    }
                }
            } catch (const Exception &) {
                // A damaged source leaves its objects without a picture.
            }
        }
        at = m_sources.emplace(key, std::move(source)).first;
    }
    scale = at->second.scale;
    return at->second.image;
}

StyleLook::StyleLook(const QString &name, const StyleResourceEntry &style, const BookStyles *book)
    : m_name(name), m_holder(std::make_unique<TComponent>(nullptr))
{
    RegisterStylePartClasses();
    ObjectReader peek(style.stream.data(), style.stream.size());
    peek.readSignature();
    const ComponentHeader header = peek.readComponentHeader();
    const ClassInfo *cls = styleClass(QString::fromStdString(header.className));
    if (!cls || !cls->creatable())
        cls = &TLayout::StaticClass();
    TComponent *root = cls->create(m_holder.get());
    TReader reader(style.stream.data(), style.stream.size());
    reader.setStandInClass(&TLayout::StaticClass());
    reader.setClassLookup(&styleClass);
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
    if (book && m_rootObject)
        visit(m_rootObject, [book](TFmxObject *object) {
            if (auto *part = object_cast<TStyleObject>(object); part && !part->SourceLookup().isEmpty()) {
                double scale = 1;
                const QImage image = book->sourceImage(part->SourceLookup(), scale);
                if (!image.isNull())
                    part->setSourceImage(image, scale);
            }
        });
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
        if (const auto *s = std::get_if<QString>(&value))
            setText(*s);
        const PropValue settings = valueOf(&control, "TextSettings");
        const auto *own = std::holds_alternative<TObject *>(settings)
                              ? object_cast<TTextSettings>(std::get<TObject *>(settings))
                              : nullptr;
        const PropValue styledValue = valueOf(&control, "StyledSettings");
        const unsigned styled = std::holds_alternative<std::int64_t>(styledValue)
                                    ? unsigned(std::get<std::int64_t>(styledValue))
                                    : ~0u;
        TTextSettings *partSettings = nullptr;
        if (auto *t = object_cast<TText>(text))
            partSettings = t->TextSettings();
        else if (auto *t = object_cast<TTextControl>(text))
            partSettings = t->TextSettings();
        if (own && partSettings)
            bindTextSettings(*partSettings, *own, styled);
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

void StyleLook::setText(const QString &text)
{
    TFmxObject *part = this->part(QStringLiteral("text"));
    if (auto *t = object_cast<TText>(part))
        t->SetText(text);
    else if (auto *t = object_cast<TTextControl>(part))
        t->SetText(text);
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

// ---------------------------------------------------------------------------

TStyleBook *StyleBookOf(const TControl &control)
{
    for (TComponent *owner = control.Owner(); owner; owner = owner->Owner())
        if (auto *form = object_cast<TCommonCustomForm>(owner))
            if (auto *book = object_cast<TStyleBook>(form->StyleBook()))
                return book;
    return nullptr;
}

const StyleResourceEntry *BookStyleOf(const TControl &control)
{
    TStyleBook *book = StyleBookOf(control);
    if (!book)
        return nullptr;
    const QString lookup = effectiveStyleLookup(control).trimmed();
    if (lookup.isEmpty())
        return nullptr;
    return book->ReadStyles()->find(lookup);
}

namespace {

// A style of the form's book drawn as one control's look. The style tree is
// the control's own (bound to its data when the look is made); the text part
// follows the control's text at each paint. Over an edit the style is the
// background and the edit draws its text and caret on top, without its own
// frame and fill; so does a scrolling view (list, memo) with its content.
class BookLook final : public Look
{
public:
    BookLook(const QString &name, std::unique_ptr<StyleLook> style, bool underWidget, const QString &text)
        : m_name(QStringLiteral("book:") + name), m_style(std::move(style)), m_underWidget(underWidget),
          m_text(text)
    {
    }

    QString name() const override { return m_name; }
    bool paintsControl() const override { return true; }
    bool paintsUnderWidget() const override { return m_underWidget; }

    void paint(QPainter &painter, const QRectF &rect, const LookData &data) const override
    {
        if (data.text != m_text) {
            m_text = data.text;
            m_style->setText(m_text);
        }
        m_style->paint(painter, rect);
    }

    void adapt(QWidget *widget, bool on) const override
    {
        if (!m_underWidget)
            return;
        auto *edit = qobject_cast<QLineEdit *>(widget);
        auto *area = qobject_cast<QAbstractScrollArea *>(widget);
        if (on) {
            // The viewer's style sheet would draw the frame and fill again.
            m_styleSheet = widget->styleSheet();
            widget->setStyleSheet(
                m_styleSheet
                + (edit ? QStringLiteral("QLineEdit { border: none; background: transparent; }")
                        : QStringLiteral("QAbstractScrollArea { border: none; background: transparent; }")));
            m_palette = widget->palette();
            QPalette clear = m_palette;
            clear.setColor(QPalette::Base, Qt::transparent);
            widget->setPalette(clear);
            if (edit) {
                m_hadFrame = edit->hasFrame();
                edit->setFrame(false);
                // The text goes where the style keeps its "content".
                m_textMargins = edit->textMargins();
                if (const auto *content = object_cast<TControl>(m_style->part(QStringLiteral("content")))) {
                    const double left = std::max(content->Position()->X(), content->Margins()->Left());
                    edit->setTextMargins(int(left), 0, m_textMargins.right(), 0);
                }
            } else if (area) {
                m_hadFrame = area->frameShape() != QFrame::NoFrame;
                m_frameShape = area->frameShape();
                area->setFrameShape(QFrame::NoFrame);
                m_viewportFilled = area->viewport()->autoFillBackground();
                area->viewport()->setAutoFillBackground(false);
                // A scroll area fills the widget it scrolls (a list's items) itself.
                if (auto *scroll = qobject_cast<QScrollArea *>(area); scroll && scroll->widget()) {
                    m_contentFilled = scroll->widget()->autoFillBackground();
                    scroll->widget()->setAutoFillBackground(false);
                }
            }
        } else {
            widget->setStyleSheet(m_styleSheet);
            widget->setPalette(m_palette);
            if (edit) {
                edit->setFrame(m_hadFrame);
                edit->setTextMargins(m_textMargins);
            } else if (area) {
                area->setFrameShape(m_frameShape);
                area->viewport()->setAutoFillBackground(m_viewportFilled);
                if (auto *scroll = qobject_cast<QScrollArea *>(area); scroll && scroll->widget())
                    scroll->widget()->setAutoFillBackground(m_contentFilled);
            }
        }
    }

private:
    QString m_name;
    std::unique_ptr<StyleLook> m_style;
    bool m_underWidget;
    mutable QString m_text;
    mutable bool m_hadFrame = true;
    mutable QFrame::Shape m_frameShape = QFrame::StyledPanel;
    mutable bool m_viewportFilled = true;
    mutable bool m_contentFilled = true;
    mutable QMargins m_textMargins;
    mutable QString m_styleSheet;
    mutable QPalette m_palette;
};

class BookSource final : public LookSource
{
public:
    std::shared_ptr<const Look> lookFor(const TControl &control) const override
    {
        if (!control.isRealized())
            return nullptr;
        TStyleBook *book = StyleBookOf(control);
        const QString lookup = effectiveStyleLookup(control).trimmed();
        if (!book || lookup.isEmpty())
            return nullptr;
        const std::shared_ptr<const BookStyles> styles = book->ReadStyles();
        const StyleResourceEntry *entry = styles->find(lookup);
        if (!entry)
            return nullptr;
        QWidget *widget = const_cast<TControl &>(control).peer();
        // Edits and scrolling views draw their content over the style,
        // without their own frame and fill.
        const bool under = qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractScrollArea *>(widget);
        try {
            auto style = std::make_unique<StyleLook>(lookup, *entry, styles.get());
            if (!style->root())
                return nullptr;
            style->bind(const_cast<TControl &>(control));
            const LookData data = lookDataOf(control, nullptr);
            return std::make_shared<BookLook>(lookup, std::move(style), under, data.text);
        } catch (const Exception &) {
            return nullptr;
        }
    }
};

} // namespace

LookSource &BookLookSource()
{
    static BookSource source;
    return source;
}

} // namespace vantor
