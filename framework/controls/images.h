#pragma once

// Images: multi-resolution bitmaps (`MultiResBitmap = <item Scale Width
// Height PNG ... end>`), the image list with its source and destination
// collections, and the controls that show images: TImage, TGlyph,
// TImageViewer, TImageControl. PNG data is decoded with Qt.

#include "framework/brush.h"
#include "framework/control.h"

#include <QImage>
#include <QRectF>

namespace vantor {

// How an image covers its control.
enum class TImageWrapMode {
    Original, // at its own size, at the top left
    Fit,      // scaled to fit, proportions kept, centred
    Stretch,  // scaled to fill the control
    Tile,     // repeated at its own size from the top left
    Center,   // at its own size, centred
    Place,    // like Fit for images larger than the control, else centred at its own size
};
const EnumInfo &imageWrapModeInfo();

// Where an image of the given (logical) size lands in `area` for a wrap
// mode; for Tile, the first tile.
QRectF imageTargetRect(QSizeF imageSize, const QRectF &area, TImageWrapMode mode);
// Draws `image` into `area` as the wrap mode says, clipped to the area.
// `scale` is the image's pixels per logical pixel (2 for an item of Scale 2).
void drawImage(QPainter &painter, const QImage &image, const QRectF &area, TImageWrapMode mode, double scale = 1,
               bool smooth = true);

// One resolution of a multi-resolution bitmap.
class TFixedBitmapItem : public TCollectionItem
{
    VANTOR_CLASS(TFixedBitmapItem, TCollectionItem)
public:
    TFixedBitmapItem() = default;
    static void DeclareProperties(ClassBuilder<TFixedBitmapItem> &b);

    double Scale() const { return m_scale; }
    void SetScale(double s);
    std::int64_t Width() const { return m_width; }
    void SetWidth(std::int64_t w) { m_width = w; }
    std::int64_t Height() const { return m_height; }
    void SetHeight(std::int64_t h) { m_height = h; }
    QByteArray PNG() const { return m_data; }
    // Keeps the bytes as read; data that Qt cannot decode leaves the item
    // without an image (it is then never chosen).
    void SetPNG(const QByteArray &data);
    const QImage &image() const { return m_image; }

private:
    void changed();
    double m_scale = 1;
    std::int64_t m_width = 0;
    std::int64_t m_height = 0;
    QByteArray m_data;
    QImage m_image;
};

// A bitmap in several resolutions; also carries the logical size that
// forms write as `MultiResBitmap.Width` / `.Height`.
class TMultiResBitmap : public TCollection
{
    VANTOR_CLASS(TMultiResBitmap, TCollection)
public:
    TMultiResBitmap() : TCollection(TFixedBitmapItem::StaticClass()) {}
    static void DeclareProperties(ClassBuilder<TMultiResBitmap> &b);

    std::int64_t Width() const { return m_width; }
    void SetWidth(std::int64_t w) { m_width = w; }
    std::int64_t Height() const { return m_height; }
    void SetHeight(std::int64_t h) { m_height = h; }

    TFixedBitmapItem *Item(int index) const { return static_cast<TFixedBitmapItem *>(Items(index)); }
    // The decoded item that suits a screen of `scale` device pixels per
    // logical pixel best: that scale exactly, else the nearest larger one,
    // else the largest. nullptr when no item has an image.
    const TFixedBitmapItem *bestItem(double scale = 1) const;

    // Tells the owner that an item's image changed.
    void itemChanged() { if (onChange) onChange(); }

private:
    std::int64_t m_width = 0;
    std::int64_t m_height = 0;
};

// Shows a bitmap: `Bitmap.PNG` when set, else the best item of
// `MultiResBitmap`, placed as WrapMode says.
class TImage : public TControl
{
    VANTOR_CLASS(TImage, TControl)
public:
    explicit TImage(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TImage> &b);

    TMultiResBitmap *MultiResBitmap() const { return m_multiRes.get(); }
    TBitmap *Bitmap() const { return m_bitmap.get(); }
    TBounds *BitmapMargins() const { return m_bitmapMargins.get(); }
    TImageWrapMode WrapMode() const { return m_wrapMode; }
    void SetWrapMode(TImageWrapMode m) { m_wrapMode = m; peerChanged(); }
    bool DisableInterpolation() const { return m_disableInterpolation; }
    void SetDisableInterpolation(bool v) { m_disableInterpolation = v; peerChanged(); }

    // The image shown and its pixels per logical pixel; a null image when
    // there is none.
    QImage shownImage(double *scale = nullptr, double screenScale = 1) const;

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    std::unique_ptr<TMultiResBitmap> m_multiRes;
    std::unique_ptr<TBitmap> m_bitmap;
    std::unique_ptr<TBounds> m_bitmapMargins;
    TImageWrapMode m_wrapMode = TImageWrapMode::Fit;
    bool m_disableInterpolation = false;
};

// One source image of an image list: a multi-resolution bitmap with a name
// that the layers of the destinations refer to.
class TSourceItem : public TCollectionItem
{
    VANTOR_CLASS(TSourceItem, TCollectionItem)
public:
    TSourceItem();
    static void DeclareProperties(ClassBuilder<TSourceItem> &b);

    TMultiResBitmap *MultiResBitmap() const { return m_multiRes.get(); }
    QString Name() const { return m_name; }
    void SetName(const QString &n) { m_name = n; }

private:
    std::unique_ptr<TMultiResBitmap> m_multiRes;
    QString m_name;
};

// One layer of a destination image: the part `SourceRect` (in the source's
// logical size) of the source named `Name`.
class TLayer : public TCollectionItem
{
    VANTOR_CLASS(TLayer, TCollectionItem)
public:
    TLayer();
    static void DeclareProperties(ClassBuilder<TLayer> &b);

    QString Name() const { return m_name; }
    void SetName(const QString &n) { m_name = n; }
    TBounds *SourceRect() const { return m_sourceRect.get(); }

private:
    QString m_name;
    std::unique_ptr<TBounds> m_sourceRect;
};

// One image of an image list as controls see it (ImageIndex counts these):
// its layers drawn over each other.
class TDestinationItem : public TCollectionItem
{
    VANTOR_CLASS(TDestinationItem, TCollectionItem)
public:
    TDestinationItem();
    static void DeclareProperties(ClassBuilder<TDestinationItem> &b);
    TCollection *Layers() const { return m_layers.get(); }

private:
    std::unique_ptr<TCollection> m_layers;
};

// A list of images for glyphs, buttons, menus and actions. Non-visual.
class TImageList : public TComponent
{
    VANTOR_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TImageList> &b);

    TCollection *Source() const { return m_source.get(); }
    TCollection *Destination() const { return m_destination.get(); }
    int Count() const { return m_destination->Count(); }
    // The source item of that name (case ignored), or nullptr.
    const TSourceItem *findSource(const QString &name) const;
    // Destination image `index` composed at `size` device pixels; a null
    // image for an index out of range or an image without any drawable layer.
    QImage image(int index, QSize size) const;
    // The logical size of destination `index`: that of its first layer's
    // source rectangle, (16, 16) when it has none.
    QSizeF imageSize(int index) const;

private:
    std::unique_ptr<TCollection> m_source;
    std::unique_ptr<TCollection> m_destination;
};

// Shows image ImageIndex of the image list Images.
class TGlyph : public TControl
{
    VANTOR_CLASS(TGlyph, TControl)
public:
    explicit TGlyph(TComponent *owner);
    ~TGlyph() override;
    static void DeclareProperties(ClassBuilder<TGlyph> &b);

    TImageList *Images() const { return m_images; }
    void SetImages(TImageList *list);
    std::int64_t ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(std::int64_t i) { m_imageIndex = i; peerChanged(); }
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool v) { m_stretch = v; peerChanged(); }
    bool AutoHide() const { return m_autoHide; }
    void SetAutoHide(bool v) { m_autoHide = v; peerChanged(); }

    void Notification(TComponent *component, TOperation operation) override;

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    TImageList *m_images = nullptr;
    std::int64_t m_imageIndex = -1;
    bool m_stretch = true;
    bool m_autoHide = true;
};

// A scrollable view of a bitmap at BitmapScale over a background.
class TImageViewer : public TControl
{
    VANTOR_CLASS(TImageViewer, TControl)
public:
    explicit TImageViewer(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TImageViewer> &b);

    TBitmap *Bitmap() const { return m_bitmap.get(); }
    TBrush *BackgroundFill() const { return m_background.get(); }
    double BitmapScale() const { return m_bitmapScale; }
    void SetBitmapScale(double s);
    bool ShowBackground() const { return m_showBackground; }
    void SetShowBackground(bool v) { m_showBackground = v; peerChanged(); }
    bool ShowScrollBars() const { return m_showScrollBars; }
    void SetShowScrollBars(bool v) { m_showScrollBars = v; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    std::unique_ptr<TBitmap> m_bitmap;
    std::unique_ptr<TBrush> m_background;
    double m_bitmapScale = 1;
    bool m_showBackground = false;
    bool m_showScrollBars = true;
};

// A framed box that shows a bitmap, fitted and never enlarged.
class TImageControl : public TControl
{
    VANTOR_CLASS(TImageControl, TControl)
public:
    explicit TImageControl(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TImageControl> &b);

    TBitmap *Bitmap() const { return m_bitmap.get(); }

protected:
    void paint(QPainter &painter, const QRectF &rect) override;

private:
    std::unique_ptr<TBitmap> m_bitmap;
};

} // namespace vantor
