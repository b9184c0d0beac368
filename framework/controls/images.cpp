#include "framework/controls/images.h"

#include <QLabel>
#include <QPaintDevice>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>

#include <cmath>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TFixedBitmapItem)
VANTOR_IMPLEMENT_CLASS(TMultiResBitmap)
VANTOR_IMPLEMENT_CLASS(TImage)
VANTOR_IMPLEMENT_CLASS(TSourceItem)
VANTOR_IMPLEMENT_CLASS(TLayer)
VANTOR_IMPLEMENT_CLASS(TDestinationItem)
VANTOR_IMPLEMENT_CLASS(TImageList)
VANTOR_IMPLEMENT_CLASS(TGlyph)
VANTOR_IMPLEMENT_CLASS(TImageViewer)
VANTOR_IMPLEMENT_CLASS(TImageControl)

const EnumInfo &imageWrapModeInfo()
{
    static const EnumInfo info{"TImageWrapMode", {"Original", "Fit", "Stretch", "Tile", "Center", "Place"}, "iw"};
    return info;
}

namespace {

// The logical size of an image with `scale` pixels per logical pixel.
QSizeF logicalSize(const QImage &image, double scale)
{
    return QSizeF(image.size()) / (scale > 0 ? scale : 1);
}

double deviceScale(const QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    return device ? device->devicePixelRatioF() : 1.0;
}

// Images larger than this many pixels per side are not composed (a layer
// rectangle read from a damaged form must not ask for gigabytes).
constexpr int kMaxComposedSide = 4096;
// The largest side of an image viewer's scaled pixmap.
constexpr int kMaxShownSide = 8192;

} // namespace

QRectF imageTargetRect(QSizeF imageSize, const QRectF &area, TImageWrapMode mode)
{
    const double iw = imageSize.width();
    const double ih = imageSize.height();
    auto centred = [&](double w, double h) {
        return QRectF(area.x() + (area.width() - w) / 2, area.y() + (area.height() - h) / 2, w, h);
    };
    switch (mode) {
    case TImageWrapMode::Stretch: return area;
    case TImageWrapMode::Center: return centred(iw, ih);
    case TImageWrapMode::Place:
        if (iw <= area.width() && ih <= area.height())
            return centred(iw, ih);
        [[fallthrough]];
    case TImageWrapMode::Fit: {
        if (iw <= 0 || ih <= 0)
            return QRectF(area.topLeft(), QSizeF(0, 0));
        const double s = std::min(area.width() / iw, area.height() / ih);
        return centred(iw * s, ih * s);
    }
    case TImageWrapMode::Original:
    case TImageWrapMode::Tile: break;
    }
    return QRectF(area.topLeft(), imageSize);
}

void drawImage(QPainter &painter, const QImage &image, const QRectF &area, TImageWrapMode mode, double scale,
               bool smooth)
{
    if (image.isNull() || area.isEmpty())
        return;
    if (!(scale > 0))
        scale = 1;
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    if (mode == TImageWrapMode::Tile) {
        // A texture brush, not a loop: a 1x1 image over a large area is one call.
        QBrush brush(image);
        QTransform t;
        t.translate(area.x(), area.y());
        t.scale(1 / scale, 1 / scale);
        brush.setTransform(t);
        painter.fillRect(area, brush);
    } else {
        painter.drawImage(imageTargetRect(logicalSize(image, scale), area, mode), image);
    }
    painter.restore();
}

// ---------------------------------------------------------------------------

void TFixedBitmapItem::DeclareProperties(ClassBuilder<TFixedBitmapItem> &b)
{
    b.floating("Scale", &TFixedBitmapItem::Scale, &TFixedBitmapItem::SetScale);
    b.integer("Width", &TFixedBitmapItem::Width, &TFixedBitmapItem::SetWidth);
    b.integer("Height", &TFixedBitmapItem::Height, &TFixedBitmapItem::SetHeight);
    b.binary("PNG", &TFixedBitmapItem::PNG, &TFixedBitmapItem::SetPNG);
    b.stored("FileName", PropKind::String);
    b.stored("Dormant", PropKind::Boolean);
}

void TFixedBitmapItem::SetScale(double s)
{
    // A scale of zero or less would divide by zero when the image is placed.
    m_scale = s > 0 && std::isfinite(s) ? s : 1;
    changed();
}

void TFixedBitmapItem::SetPNG(const QByteArray &data)
{
    m_data = data;
    m_image = data.isEmpty() ? QImage() : QImage::fromData(data);
    changed();
}

void TFixedBitmapItem::changed()
{
    if (auto *owner = object_cast<TMultiResBitmap>(Collection()))
        owner->itemChanged();
}

void TMultiResBitmap::DeclareProperties(ClassBuilder<TMultiResBitmap> &b)
{
    b.integer("Width", &TMultiResBitmap::Width, &TMultiResBitmap::SetWidth);
    b.integer("Height", &TMultiResBitmap::Height, &TMultiResBitmap::SetHeight);
    b.stored("LoadSize", PropKind::Integer);
    b.stored("TransparentColor", PropKind::Integer, nullptr, &colorIdentToInt);
}

const TFixedBitmapItem *TMultiResBitmap::bestItem(double scale) const
{
    const TFixedBitmapItem *exact = nullptr, *larger = nullptr, *largest = nullptr;
    for (int i = 0; i < Count(); ++i) {
        const TFixedBitmapItem *item = Item(i);
        if (item->image().isNull())
            continue;
        const double s = item->Scale();
        if (std::abs(s - scale) < 1e-6 && !exact)
            exact = item;
        if (s > scale && (!larger || s < larger->Scale()))
            larger = item;
        if (!largest || s > largest->Scale())
            largest = item;
    }
    return exact ? exact : larger ? larger : largest;
}

// ---------------------------------------------------------------------------

TImage::TImage(TComponent *owner)
    : TControl(owner), m_multiRes(std::make_unique<TMultiResBitmap>()), m_bitmap(std::make_unique<TBitmap>()),
      m_bitmapMargins(std::make_unique<TBounds>())
{
    m_multiRes->onChange = [this] { peerChanged(); };
    m_bitmap->onChange = [this] { peerChanged(); };
    m_bitmapMargins->onChange = [this] { peerChanged(); };
}

void TImage::DeclareProperties(ClassBuilder<TImage> &b)
{
    b.collection("MultiResBitmap", &TImage::MultiResBitmap);
    b.persistent("Bitmap", &TImage::Bitmap);
    b.persistent("BitmapMargins", &TImage::BitmapMargins);
    b.enumeration("WrapMode", imageWrapModeInfo(), &TImage::WrapMode, &TImage::SetWrapMode);
    b.stored("MarginWrapMode", PropKind::Enumeration, &imageWrapModeInfo());
    b.boolean("DisableInterpolation", &TImage::DisableInterpolation, &TImage::SetDisableInterpolation);
}

QImage TImage::shownImage(double *scale, double screenScale) const
{
    if (!m_bitmap->isEmpty()) {
        if (scale)
            *scale = 1;
        return m_bitmap->image();
    }
    if (const TFixedBitmapItem *item = m_multiRes->bestItem(screenScale)) {
        if (scale)
            *scale = item->Scale();
        return item->image();
    }
    return QImage();
}

void TImage::paint(QPainter &painter, const QRectF &rect)
{
    double scale = 1;
    const QImage image = shownImage(&scale, deviceScale(painter));
    drawImage(painter, image, rect, m_wrapMode, scale, !m_disableInterpolation);
}

// ---------------------------------------------------------------------------

TSourceItem::TSourceItem() : m_multiRes(std::make_unique<TMultiResBitmap>()) {}

void TSourceItem::DeclareProperties(ClassBuilder<TSourceItem> &b)
{
    b.collection("MultiResBitmap", &TSourceItem::MultiResBitmap);
    b.string("Name", &TSourceItem::Name, &TSourceItem::SetName);
}

TLayer::TLayer() : m_sourceRect(std::make_unique<TBounds>())
{
    // The size forms leave out: a 16 x 16 icon.
    m_sourceRect->SetRight(16);
    m_sourceRect->SetBottom(16);
}

void TLayer::DeclareProperties(ClassBuilder<TLayer> &b)
{
    b.string("Name", &TLayer::Name, &TLayer::SetName);
    b.persistent("SourceRect", &TLayer::SourceRect);
}

TDestinationItem::TDestinationItem() : m_layers(std::make_unique<TCollection>(TLayer::StaticClass())) {}

void TDestinationItem::DeclareProperties(ClassBuilder<TDestinationItem> &b)
{
    b.collection("Layers", &TDestinationItem::Layers);
}

TImageList::TImageList(TComponent *owner)
    : TComponent(owner), m_source(std::make_unique<TCollection>(TSourceItem::StaticClass())),
      m_destination(std::make_unique<TCollection>(TDestinationItem::StaticClass()))
{
}

void TImageList::DeclareProperties(ClassBuilder<TImageList> &b)
{
    b.collection("Source", &TImageList::Source);
    b.collection("Destination", &TImageList::Destination);
    // Where the component sits on the design surface.
    b.stored("Left", PropKind::Integer);
    b.stored("Top", PropKind::Integer);
    b.event("OnChange");
}

const TSourceItem *TImageList::findSource(const QString &name) const
{
    for (int i = 0; i < m_source->Count(); ++i) {
        const auto *item = static_cast<const TSourceItem *>(m_source->Items(i));
        if (item->Name().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    }
    return nullptr;
}

QSizeF TImageList::imageSize(int index) const
{
    if (index >= 0 && index < Count()) {
        const auto *dest = static_cast<const TDestinationItem *>(m_destination->Items(index));
        if (dest->Layers()->Count() > 0) {
            const QMarginsF r = static_cast<const TLayer *>(dest->Layers()->Items(0))->SourceRect()->margins();
            const QSizeF size(r.right() - r.left(), r.bottom() - r.top());
            if (size.width() > 0 && size.height() > 0)
                return size;
        }
    }
    return QSizeF(16, 16);
}

QImage TImageList::image(int index, QSize size) const
{
    if (index < 0 || index >= Count() || size.isEmpty() || size.width() > kMaxComposedSide
        || size.height() > kMaxComposedSide)
        return QImage();
    const auto *dest = static_cast<const TDestinationItem *>(m_destination->Items(index));
    const QSizeF logical = imageSize(index);
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    bool drawn = false;
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < dest->Layers()->Count(); ++i) {
        const auto *layer = static_cast<const TLayer *>(dest->Layers()->Items(i));
        const TSourceItem *source = findSource(layer->Name());
        if (!source)
            continue;
        const double wanted = std::max(size.width() / logical.width(), size.height() / logical.height());
        const TFixedBitmapItem *item = source->MultiResBitmap()->bestItem(wanted);
        if (!item)
            continue;
        const QImage &img = item->image();
        // The layer's rectangle is in the source's logical size; the item
        // holds that size times its scale.
        QSizeF sourceLogical(double(source->MultiResBitmap()->Width()), double(source->MultiResBitmap()->Height()));
        if (sourceLogical.width() <= 0 || sourceLogical.height() <= 0)
            sourceLogical = logicalSize(img, item->Scale());
        const double fx = img.width() / sourceLogical.width();
        const double fy = img.height() / sourceLogical.height();
        const QMarginsF r = layer->SourceRect()->margins();
        QRectF from(r.left() * fx, r.top() * fy, (r.right() - r.left()) * fx, (r.bottom() - r.top()) * fy);
        if (from.isEmpty())
            from = QRectF(img.rect());
        // The layer lands where its rectangle lies relative to the first layer's.
        const QMarginsF first = static_cast<const TLayer *>(dest->Layers()->Items(0))->SourceRect()->margins();
        const double sx = size.width() / logical.width();
        const double sy = size.height() / logical.height();
        const QRectF to((r.left() - first.left()) * sx, (r.top() - first.top()) * sy,
                        (r.right() - r.left()) * sx, (r.bottom() - r.top()) * sy);
        painter.drawImage(to.isEmpty() ? QRectF(result.rect()) : to, img, from);
        drawn = true;
    }
    painter.end();
    return drawn ? result : QImage();
}

// ---------------------------------------------------------------------------

TGlyph::TGlyph(TComponent *owner) : TControl(owner) {}

TGlyph::~TGlyph()
{
    SetImages(nullptr);
}

void TGlyph::DeclareProperties(ClassBuilder<TGlyph> &b)
{
    b.component("Images", &TGlyph::Images, &TGlyph::SetImages);
    b.integer("ImageIndex", &TGlyph::ImageIndex, &TGlyph::SetImageIndex);
    b.boolean("Stretch", &TGlyph::Stretch, &TGlyph::SetStretch);
    b.boolean("AutoHide", &TGlyph::AutoHide, &TGlyph::SetAutoHide);
    b.stored("Touch.GestureManager", PropKind::Component);
    b.event("OnChanged");
}

void TGlyph::SetImages(TImageList *list)
{
    if (list == m_images)
        return;
    if (m_images)
        m_images->RemoveFreeNotification(this);
    m_images = list;
    if (m_images)
        m_images->FreeNotification(this);
    peerChanged();
}

void TGlyph::Notification(TComponent *component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_images) {
        m_images = nullptr;
        peerChanged();
    }
}

void TGlyph::paint(QPainter &painter, const QRectF &rect)
{
    if (!m_images || m_imageIndex < 0 || m_imageIndex >= m_images->Count())
        return;
    const QSizeF logical = m_images->imageSize(int(m_imageIndex));
    const QRectF target = imageTargetRect(logical, rect, m_stretch ? TImageWrapMode::Fit : TImageWrapMode::Center);
    const double dpr = deviceScale(painter);
    const QSize pixels(qMax(1, qRound(target.width() * dpr)), qMax(1, qRound(target.height() * dpr)));
    const QImage image = m_images->image(int(m_imageIndex), pixels);
    if (!image.isNull())
        painter.drawImage(target, image);
}

// ---------------------------------------------------------------------------

TImageViewer::TImageViewer(TComponent *owner)
    : TControl(owner), m_bitmap(std::make_unique<TBitmap>()),
      m_background(std::make_unique<TBrush>(TBrushKind::Solid, claColors::White))
{
    m_bitmap->onChange = [this] { peerChanged(); };
    m_background->onChange = [this] { peerChanged(); };
}

void TImageViewer::DeclareProperties(ClassBuilder<TImageViewer> &b)
{
    b.persistent("Bitmap", &TImageViewer::Bitmap);
    b.persistent("BackgroundFill", &TImageViewer::BackgroundFill);
    b.floating("BitmapScale", &TImageViewer::BitmapScale, &TImageViewer::SetBitmapScale);
    b.boolean("ShowBackground", &TImageViewer::ShowBackground, &TImageViewer::SetShowBackground);
    b.boolean("ShowScrollBars", &TImageViewer::ShowScrollBars, &TImageViewer::SetShowScrollBars);
    b.stored("MouseScaling", PropKind::Boolean);
    b.stored("MouseTarget", PropKind::Component);
    b.stored("AutoHide", PropKind::Boolean);
    b.stored("DisableMouseWheel", PropKind::Boolean);
    b.stored("Bounces", PropKind::Boolean);
    b.stored("EnabledScroll", PropKind::Boolean);
    b.stored("ShowSizeGrip", PropKind::Boolean);
    b.stored("UseSmallScrollBars", PropKind::Boolean);
    b.stored("MouseTracking", PropKind::Boolean);
    b.stored("Viewport.Width", PropKind::Float);
    b.stored("Viewport.Height", PropKind::Float);
    b.event("OnViewportPositionChange");
    b.event("OnCalcContentBounds");
}

void TImageViewer::SetBitmapScale(double s)
{
    // Zero, negative or absurd scales would make an empty or enormous pixmap.
    m_bitmapScale = std::isfinite(s) ? std::clamp(s, 0.01, 100.0) : 1.0;
    peerChanged();
}

QWidget *TImageViewer::createPeer()
{
    auto *area = new QScrollArea(peerParent());
    auto *label = new QLabel();
    label->setAlignment(Qt::AlignCenter);
    area->setWidget(label);
    area->setAlignment(Qt::AlignCenter);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

void TImageViewer::updatePeer()
{
    auto *area = static_cast<QScrollArea *>(peer());
    auto *label = static_cast<QLabel *>(area->widget());
    const QImage &image = m_bitmap->image();
    if (image.isNull()) {
        label->setPixmap(QPixmap());
        label->resize(0, 0);
    } else {
        // A large image at a large scale is shown no larger than a pixmap
        // can sensibly be.
        const double scale = std::min(m_bitmapScale, double(kMaxShownSide) / std::max(image.width(), image.height()));
        const QSize size(qMax(1, qRound(image.width() * scale)), qMax(1, qRound(image.height() * scale)));
        const QImage shown = size == image.size() ? image
                                                  : image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        label->setPixmap(QPixmap::fromImage(shown));
        label->resize(size);
    }
    const Qt::ScrollBarPolicy policy = m_showScrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    area->setHorizontalScrollBarPolicy(policy);
    area->setVerticalScrollBarPolicy(policy);
    const bool painted = m_showBackground && m_background->Kind() != TBrushKind::None;
    QPalette pal = area->viewport()->palette();
    pal.setColor(QPalette::Window, painted ? toQColor(m_background->Color()) : QColor(Qt::transparent));
    area->viewport()->setPalette(pal);
    area->viewport()->setAutoFillBackground(painted);
    label->setAutoFillBackground(false);
}

// ---------------------------------------------------------------------------

TImageControl::TImageControl(TComponent *owner) : TControl(owner), m_bitmap(std::make_unique<TBitmap>())
{
    m_bitmap->onChange = [this] { peerChanged(); };
}

void TImageControl::DeclareProperties(ClassBuilder<TImageControl> &b)
{
    b.persistent("Bitmap", &TImageControl::Bitmap);
    b.stored("EnableOpenDialog", PropKind::Boolean);
    b.event("OnChange");
}

void TImageControl::paint(QPainter &painter, const QRectF &rect)
{
    painter.save();
    painter.setPen(QColor(0xB4, 0xB4, 0xB4));
    painter.setBrush(Qt::white);
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
    drawImage(painter, m_bitmap->image(), rect.adjusted(3, 3, -3, -3), TImageWrapMode::Place);
}

} // namespace vantor
