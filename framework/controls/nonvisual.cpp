#include "framework/controls/nonvisual.h"

#include "framework/controls/images.h"
#include "framework/stylebook.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace vantor {

VANTOR_IMPLEMENT_CLASS(TTimer)
VANTOR_IMPLEMENT_CLASS(TCommonDialog)
VANTOR_IMPLEMENT_CLASS(TOpenDialog)
VANTOR_IMPLEMENT_CLASS(TSaveDialog)
VANTOR_IMPLEMENT_CLASS(TPrintDialog)
VANTOR_IMPLEMENT_CLASS(TPrinterSetupDialog)
VANTOR_IMPLEMENT_CLASS(TStyleCollectionItem)
VANTOR_IMPLEMENT_CLASS(TStyleBook)
VANTOR_IMPLEMENT_CLASS(TEffect)
VANTOR_IMPLEMENT_CLASS(TShadowEffect)
VANTOR_IMPLEMENT_CLASS(TAnimation)
VANTOR_IMPLEMENT_CLASS(TGradientAnimation)
VANTOR_IMPLEMENT_CLASS(TLang)
VANTOR_IMPLEMENT_CLASS(TGestureCollectionItem)
VANTOR_IMPLEMENT_CLASS(TGestureDataItem)
VANTOR_IMPLEMENT_CLASS(TGestureManager)
VANTOR_IMPLEMENT_CLASS(TContainedAction)
VANTOR_IMPLEMENT_CLASS(TCustomAction)
VANTOR_IMPLEMENT_CLASS(TAction)
VANTOR_IMPLEMENT_CLASS(TFileExit)
VANTOR_IMPLEMENT_CLASS(TActionList)
VANTOR_IMPLEMENT_CLASS(TMediaPlayer)
VANTOR_IMPLEMENT_CLASS(TMediaPlayerControl)
VANTOR_IMPLEMENT_CLASS(TCameraComponent)
VANTOR_IMPLEMENT_CLASS(TBannerAd)
VANTOR_IMPLEMENT_CLASS(TDropTarget)

namespace {

const EnumInfo &openOptionInfo()
{
    static const EnumInfo info{"TOpenOption",
                               {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
                                "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",
                                "ofFileMustExist", "ofCreatePrompt", "ofShareAware", "ofNoReadOnlyReturn",
                                "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames", "ofOldStyleDialog",
                                "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
                                "ofDontAddToRecent", "ofForceShowHidden"},
                               nullptr};
    return info;
}
const EnumInfo &printDialogOptionInfo()
{
    static const EnumInfo info{"TPrintDialogOption",
                               {"poPrintToFile", "poPageNums", "poSelection", "poWarning", "poHelp",
                                "poDisablePrintToFile"},
                               nullptr};
    return info;
}
const EnumInfo &printRangeInfo()
{
    static const EnumInfo info{"TPrintRange", {"prAllPages", "prSelection", "prPageNums"}, nullptr};
    return info;
}
const EnumInfo &helpTypeInfo()
{
    static const EnumInfo info{"THelpType", {"htKeyword", "htContext"}, nullptr};
    return info;
}
const EnumInfo &platformInfo()
{
    static const EnumInfo info{"TPlatform", {"pfWindows", "pfMacOS", "pfiOS", "pfAndroid", "pfWinRT", "pfLinux"},
                               nullptr};
    return info;
}
const EnumInfo &architectureInfo()
{
    static const EnumInfo info{"TArchitecture", {"arIntelX86", "arIntelX64", "arARM32", "arARM64"}, nullptr};
    return info;
}

const EnumInfo &animationTypeInfo()
{
    static const EnumInfo info{"TAnimationType", {"In", "Out", "InOut"}, "at"};
    return info;
}
const EnumInfo &interpolationInfo()
{
    static const EnumInfo info{"TInterpolationType",
                               {"Linear", "Quadratic", "Cubic", "Quartic", "Quintic", "Sinusoidal", "Exponential",
                                "Circular", "Elastic", "Back", "Bounce"},
                               "it"};
    return info;
}
const EnumInfo &actionListStateInfo()
{
    static const EnumInfo info{"TActionListState", {"asNormal", "asSuspended", "asSuspendedEnabled"}, nullptr};
    return info;
}
const EnumInfo &cameraKindInfo()
{
    static const EnumInfo info{"TCameraKind", {"Default", "FrontCamera", "BackCamera"}, nullptr};
    return info;
}
const EnumInfo &videoQualityInfo()
{
    static const EnumInfo info{"TVideoCaptureQuality",
                               {"PhotoQuality", "HighQuality", "MediumQuality", "LowQuality", "CaptureSettings"},
                               nullptr};
    return info;
}
const EnumInfo &flashModeInfo()
{
    static const EnumInfo info{"TFlashMode", {"AutoFlash", "FlashOff", "FlashOn"}, nullptr};
    return info;
}

const EnumInfo &focusModeInfo()
{
    static const EnumInfo info{"TFocusMode", {"AutoFocus", "ContinuousAutoFocus", "Locked"}, nullptr};
    return info;
}

const EnumInfo &torchModeInfo()
{
    static const EnumInfo info{"TTorchMode", {"ModeOff", "ModeOn", "ModeAuto"}, nullptr};
    return info;
}

const EnumInfo &adSizeInfo()
{
    static const EnumInfo info{"TBannerAdSize", {"Auto", "Small", "Medium", "Large"}, nullptr};
    return info;
}

// Where a non-visual component sits on the design surface.
template<class T> void declareDesignPosition(ClassBuilder<T> &b)
{
    b.stored("Left", PropKind::Integer);
    b.stored("Top", PropKind::Integer);
}

} // namespace

// ---------------------------------------------------------------------------

TTimer::TTimer(TComponent *owner) : TFmxObject(owner)
{
    update();
}

TTimer::~TTimer()
{
    if (!m_timer)
        return;
    m_timer->stop();
    // A handler that frees its own timer returns into the QTimer's signal:
    // that object must outlive the call.
    if (m_inTick)
        m_timer.release()->deleteLater();
}

void TTimer::DeclareProperties(ClassBuilder<TTimer> &b)
{
    b.boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    b.integer("Interval", &TTimer::Interval, &TTimer::SetInterval);
    b.event("OnTimer", &TTimer::OnTimer);
    declareDesignPosition(b);
}

void TTimer::SetEnabled(bool v)
{
    m_enabled = v;
    update();
}

void TTimer::SetInterval(std::int64_t ms)
{
    m_interval = ms;
    update();
}

bool TTimer::isActive() const
{
    return m_timer && m_timer->isActive();
}

void TTimer::Loaded()
{
    TFmxObject::Loaded();
    update();
}

void TTimer::update()
{
    // Qt takes an int of milliseconds; longer intervals are capped at ~24 days.
    const bool run = m_enabled && m_interval > 0 && !isLoading() && !isDestroying();
    if (!run) {
        if (m_timer)
            m_timer->stop();
        return;
    }
    if (!m_timer) {
        m_timer = std::make_unique<QTimer>();
        QObject::connect(m_timer.get(), &QTimer::timeout, [this] { tick(); });
    }
    m_timer->start(int(std::min<std::int64_t>(m_interval, std::numeric_limits<int>::max())));
}

void TTimer::tick()
{
    const auto alive = aliveToken();
    m_inTick = true;
    OnTimer(this);
    if (!alive.expired())
        m_inTick = false;
}

// ---------------------------------------------------------------------------

void TCommonDialog::DeclareProperties(ClassBuilder<TCommonDialog> &b)
{
    b.stored("HelpContext", PropKind::Integer);
    b.event("OnClose");
    b.event("OnShow");
    declareDesignPosition(b);
}

void TOpenDialog::DeclareProperties(ClassBuilder<TOpenDialog> &b)
{
    b.string("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt);
    b.string("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName);
    b.string("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter);
    b.integer("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex);
    b.string("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir);
    b.set("Options", openOptionInfo(), &TOpenDialog::Options, &TOpenDialog::SetOptions);
    b.string("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle);
    b.event("OnCanClose");
    b.event("OnFolderChange");
    b.event("OnSelectionChange");
    b.event("OnTypeChange");
}

QStringList TOpenDialog::qtFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList masks = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &m : masks)
            m = m.trimmed();
        const QString joined = masks.join(QLatin1Char(' '));
        // Descriptions often show the masks already ("All files (*.*)").
        if (description.contains(QLatin1Char('(')))
            result << (description.isEmpty() ? joined : description.left(description.indexOf(QLatin1Char('('))).trimmed()
                                                            + QStringLiteral(" (") + joined + QLatin1Char(')'));
        else
            result << (description.isEmpty() ? joined : description + QStringLiteral(" (") + joined + QLatin1Char(')'));
    }
    return result;
}

namespace {

QString startPath(const QString &dir, const QString &file)
{
    if (file.isEmpty())
        return dir;
    return dir.isEmpty() ? file : dir + QLatin1Char('/') + file;
}

} // namespace

bool TOpenDialog::Execute()
{
    const QStringList filters = qtFilters(m_filter);
    const int index = int(std::clamp<std::int64_t>(m_filterIndex, 1, std::max<qsizetype>(1, filters.size()))) - 1;
    QString selected = filters.value(index);
    QStringList chosen;
    const bool multi = m_options & (1 << 6); // ofAllowMultiSelect
    if (multi) {
        chosen = QFileDialog::getOpenFileNames(nullptr, m_title, startPath(m_initialDir, m_fileName),
                                               filters.join(QStringLiteral(";;")), &selected);
    } else {
        const QString file = QFileDialog::getOpenFileName(nullptr, m_title, startPath(m_initialDir, m_fileName),
                                                          filters.join(QStringLiteral(";;")), &selected);
        if (!file.isEmpty())
            chosen << file;
    }
    if (chosen.isEmpty())
        return false;
    m_files = chosen;
    m_fileName = chosen.front();
    if (const qsizetype i = filters.indexOf(selected); i >= 0)
        m_filterIndex = i + 1;
    return true;
}

bool TSaveDialog::Execute()
{
    const QStringList filters = qtFilters(m_filter);
    QString selected = filters.value(int(std::max<std::int64_t>(m_filterIndex, 1)) - 1);
    QString file = QFileDialog::getSaveFileName(nullptr, m_title, startPath(m_initialDir, m_fileName),
                                                filters.join(QStringLiteral(";;")), &selected);
    if (file.isEmpty())
        return false;
    if (!m_defaultExt.isEmpty() && QFileInfo(file).suffix().isEmpty()) {
        const QString ext = m_defaultExt.startsWith(QLatin1Char('.')) ? m_defaultExt.mid(1) : m_defaultExt;
        file += QLatin1Char('.') + ext;
    }
    m_fileName = file;
    m_files = QStringList{file};
    return true;
}

void TPrintDialog::DeclareProperties(ClassBuilder<TPrintDialog> &b)
{
    b.stored("Collate", PropKind::Boolean);
    b.stored("Copies", PropKind::Integer);
    b.stored("FromPage", PropKind::Integer);
    b.stored("MaxPage", PropKind::Integer);
    b.stored("MinPage", PropKind::Integer);
    b.stored("Options", PropKind::Set, &printDialogOptionInfo());
    b.stored("PrintRange", PropKind::Enumeration, &printRangeInfo());
    b.stored("PrintToFile", PropKind::Boolean);
    b.stored("ToPage", PropKind::Integer);
}

// ---------------------------------------------------------------------------

void TStyleCollectionItem::DeclareProperties(ClassBuilder<TStyleCollectionItem> &b)
{
    b.string("Platform", &TStyleCollectionItem::Platform, &TStyleCollectionItem::SetPlatform);
    b.binary("ResourcesBin", &TStyleCollectionItem::ResourcesBin, &TStyleCollectionItem::SetResourcesBin);
}

TStyleBook::TStyleBook(TComponent *owner)
    : TFmxObject(owner), m_styles(std::make_unique<TCollection>(TStyleCollectionItem::StaticClass())),
      m_resource(std::make_unique<TStrings>())
{
}

void TStyleBook::SetStylePlatform(std::string platform)
{
    if (platform != m_stylePlatform)
        m_read.reset();
    m_stylePlatform = std::move(platform);
}

std::shared_ptr<const BookStyles> TStyleBook::ReadStyles() const
{
    if (!m_read)
        m_read = std::make_shared<const BookStyles>(*this, m_stylePlatform);
    return m_read;
}

void TStyleBook::DeclareProperties(ClassBuilder<TStyleBook> &b)
{
    b.collection("Styles", &TStyleBook::Styles);
    b.strings("Resource", &TStyleBook::Resource);
    b.stored("ResourcesBin", PropKind::Binary);
    b.stored("FileName", PropKind::String);
    b.boolean("UseStyleManager", &TStyleBook::UseStyleManager, &TStyleBook::SetUseStyleManager);
    declareDesignPosition(b);
}

// ---------------------------------------------------------------------------

void TEffect::DeclareProperties(ClassBuilder<TEffect> &b)
{
    b.boolean("Enabled", &TEffect::Enabled, &TEffect::SetEnabled);
    b.stored("Trigger", PropKind::String);
}

void TShadowEffect::DeclareProperties(ClassBuilder<TShadowEffect> &b)
{
    b.floating("Direction", &TShadowEffect::Direction, &TShadowEffect::SetDirection);
    b.floating("Distance", &TShadowEffect::Distance, &TShadowEffect::SetDistance);
    b.floating("Opacity", &TShadowEffect::Opacity, &TShadowEffect::SetOpacity);
    b.floating("Softness", &TShadowEffect::Softness, &TShadowEffect::SetSoftness);
    b.integer(
        "ShadowColor", &TShadowEffect::ShadowColor,
        [](TShadowEffect &e, std::int64_t v) { e.SetShadowColor(IntToAlphaColor(v)); }, &colorIdentToInt);
}

void TAnimation::DeclareProperties(ClassBuilder<TAnimation> &b)
{
    b.stored("AnimationType", PropKind::Enumeration, &animationTypeInfo());
    b.stored("AutoReverse", PropKind::Boolean);
    b.stored("Delay", PropKind::Float);
    b.stored("Duration", PropKind::Float);
    b.stored("Enabled", PropKind::Boolean);
    b.stored("Interpolation", PropKind::Enumeration, &interpolationInfo());
    b.stored("Inverse", PropKind::Boolean);
    b.stored("Loop", PropKind::Boolean);
    b.stored("Trigger", PropKind::String);
    b.stored("TriggerInverse", PropKind::String);
    b.event("OnFinish");
    b.event("OnProcess");
}

TGradientAnimation::TGradientAnimation(TComponent *owner)
    : TAnimation(owner), m_startValue(std::make_unique<TGradient>()), m_stopValue(std::make_unique<TGradient>())
{
}

void TGradientAnimation::DeclareProperties(ClassBuilder<TGradientAnimation> &b)
{
    b.stored("PropertyName", PropKind::String);
    b.stored("StartFromCurrent", PropKind::Boolean);
    b.persistent("StartValue", &TGradientAnimation::StartValue);
    b.persistent("StopValue", &TGradientAnimation::StopValue);
}

void TLang::DeclareProperties(ClassBuilder<TLang> &b)
{
    b.stored("AutoSelect", PropKind::Boolean);
    b.stored("FileName", PropKind::String);
    b.string("Lang", &TLang::Lang, &TLang::SetLang);
    b.stored("StoreInForm", PropKind::Boolean);
    b.stored("ResourcesBin", PropKind::Binary);
    declareDesignPosition(b);
}

// ---------------------------------------------------------------------------

bool gestureIdentToInt(const QString &ident, std::int64_t &value)
{
    // Standard gestures count from 1, interactive ones from 256.
    static const char *const standard[] = {
        "sgiNoGesture", "sgiLeft", "sgiRight", "sgiUp", "sgiDown", "sgiUpLeft", "sgiUpRight", "sgiDownLeft",
        "sgiDownRight", "sgiLeftUp", "sgiLeftDown", "sgiRightUp", "sgiRightDown", "sgiUpDown", "sgiDownUp",
        "sgiLeftRight", "sgiRightLeft", "sgiUpLeftLong", "sgiUpRightLong", "sgiDownLeftLong", "sgiDownRightLong",
        "sgiScratchout", "sgiTriangle", "sgiSquare", "sgiCheck", "sgiCurlicue", "sgiDoubleCurlicue", "sgiCircle",
        "sgiDoubleCircle", "sgiSemiCircleLeft", "sgiSemiCircleRight", "sgiChevronUp", "sgiChevronDown",
        "sgiChevronLeft", "sgiChevronRight"};
    static const char *const interactive[] = {"igiBegin", "igiEnd", "igiZoom", "igiPan", "igiRotate",
                                              "igiTwoFingerTap", "igiPressAndTap", "igiLongTap", "igiDoubleTap"};
    for (std::size_t i = 0; i < std::size(standard); ++i)
        if (ident.compare(QLatin1String(standard[i]), Qt::CaseInsensitive) == 0) {
            value = std::int64_t(i);
            return true;
        }
    for (std::size_t i = 0; i < std::size(interactive); ++i)
        if (ident.compare(QLatin1String(interactive[i]), Qt::CaseInsensitive) == 0) {
            value = 256 + std::int64_t(i);
            return true;
        }
    return false;
}

void TGestureCollectionItem::DeclareProperties(ClassBuilder<TGestureCollectionItem> &b)
{
    b.stored("Action", PropKind::Component);
    b.stored("GestureID", PropKind::Integer, nullptr, &gestureIdentToInt);
}

TGestureDataItem::TGestureDataItem() : m_collection(std::make_unique<TCollection>(TGestureCollectionItem::StaticClass()))
{
}

void TGestureDataItem::DeclareProperties(ClassBuilder<TGestureDataItem> &b)
{
    b.stored("Control", PropKind::Component);
    b.collection("Collection", &TGestureDataItem::GestureCollection);
}

TGestureManager::TGestureManager(TComponent *owner)
    : TComponent(owner), m_data(std::make_unique<TCollection>(TGestureDataItem::StaticClass()))
{
}

void TGestureManager::DeclareProperties(ClassBuilder<TGestureManager> &b)
{
    b.collection("GestureData", &TGestureManager::GestureData);
    b.floating("Sensitivity", &TGestureManager::Sensitivity, &TGestureManager::SetSensitivity);
    declareDesignPosition(b);
}

// ---------------------------------------------------------------------------

TContainedAction::~TContainedAction()
{
    SetActionList(nullptr);
}

void TContainedAction::DeclareProperties(ClassBuilder<TContainedAction> &b)
{
    b.string("Category", &TContainedAction::Category, &TContainedAction::SetCategory);
}

void TContainedAction::SetActionList(TActionList *list)
{
    if (list == m_actionList)
        return;
    if (m_actionList)
        std::erase(m_actionList->m_actions, this);
    m_actionList = list;
    if (m_actionList)
        m_actionList->m_actions.push_back(this);
}

int TContainedAction::Index() const
{
    if (!m_actionList)
        return -1;
    const auto &v = m_actionList->m_actions;
    return int(std::find(v.begin(), v.end(), this) - v.begin());
}

void TContainedAction::SetParentComponent(TComponent *parent)
{
    SetActionList(object_cast<TActionList>(componentAsObject(parent)));
}

TComponent *TContainedAction::GetParentComponent() const
{
    return m_actionList;
}

void TCustomAction::SetChecked(bool v)
{
    m_checked = v;
    if (!v || m_groupIndex <= 0 || !ActionList())
        return;
    for (int i = 0; i < ActionList()->ActionCount(); ++i) {
        auto *other = object_cast<TCustomAction>(componentAsObject(ActionList()->Actions(i)));
        if (other && other != this && other->m_groupIndex == m_groupIndex)
            other->m_checked = false;
    }
}

bool TCustomAction::Execute()
{
    if (!m_enabled)
        return false;
    if (m_autoCheck)
        SetChecked(!m_checked);
    if (!OnExecute)
        return false;
    OnExecute(this);
    return true;
}

template<class T> void TCustomAction::declareCommon(ClassBuilder<T> &b)
{
    b.boolean("Enabled", &TCustomAction::Enabled, &TCustomAction::SetEnabled);
    b.string("Hint", &TCustomAction::Hint, &TCustomAction::SetHint);
    b.integer("ImageIndex", &TCustomAction::ImageIndex, &TCustomAction::SetImageIndex);
    b.integer("ShortCut", &TCustomAction::ShortCut, &TCustomAction::SetShortCut);
    b.boolean("Visible", &TCustomAction::Visible, &TCustomAction::SetVisible);
    b.stored("HelpContext", PropKind::Integer);
    b.stored("HelpKeyword", PropKind::String);
    b.stored("HelpType", PropKind::Enumeration, &helpTypeInfo());
    b.stored("SecondaryShortCuts", PropKind::StringList);
    b.stored("UnsupportedArchitectures", PropKind::Set, &architectureInfo());
    b.stored("UnsupportedPlatforms", PropKind::Set, &platformInfo());
    b.event("OnHint");
    b.event("OnUpdate");
}

void TAction::DeclareProperties(ClassBuilder<TAction> &b)
{
    declareCommon(b);
    b.boolean("AutoCheck", &TCustomAction::AutoCheck, &TCustomAction::SetAutoCheck);
    b.boolean("Checked", &TCustomAction::Checked, &TCustomAction::SetChecked);
    b.integer("GroupIndex", &TCustomAction::GroupIndex, &TCustomAction::SetGroupIndex);
    b.string("Text", &TCustomAction::Text, &TCustomAction::SetText);
    b.event("OnExecute", &TCustomAction::OnExecute);
}

void TFileExit::DeclareProperties(ClassBuilder<TFileExit> &b)
{
    declareCommon(b);
    b.string("CustomText", &TFileExit::CustomText, &TFileExit::SetCustomText);
    b.event("OnCanActionExec");
}

TActionList::~TActionList()
{
    // The actions belong to the form, not to the list: they stay, unlisted.
    for (TContainedAction *a : m_actions)
        a->m_actionList = nullptr;
    SetImages(nullptr);
}

void TActionList::DeclareProperties(ClassBuilder<TActionList> &b)
{
    b.component("Images", &TActionList::Images, &TActionList::SetImages);
    b.stored("State", PropKind::Enumeration, &actionListStateInfo());
    b.event("OnChange");
    b.event("OnExecute");
    b.event("OnStateChange");
    b.event("OnUpdate");
    declareDesignPosition(b);
}

void TActionList::SetImages(TImageList *list)
{
    if (list == m_images)
        return;
    if (m_images)
        m_images->RemoveFreeNotification(this);
    m_images = list;
    if (m_images)
        m_images->FreeNotification(this);
}

void TActionList::Notification(TComponent *component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_images)
        m_images = nullptr;
}

// ---------------------------------------------------------------------------

void TMediaPlayer::DeclareProperties(ClassBuilder<TMediaPlayer> &b)
{
    b.string("FileName", &TMediaPlayer::FileName, &TMediaPlayer::SetFileName);
    b.stored("Volume", PropKind::Float);
    declareDesignPosition(b);
}

TMediaPlayerControl::~TMediaPlayerControl()
{
    SetMediaPlayer(nullptr);
}

void TMediaPlayerControl::DeclareProperties(ClassBuilder<TMediaPlayerControl> &b)
{
    b.component("MediaPlayer", &TMediaPlayerControl::MediaPlayer, &TMediaPlayerControl::SetMediaPlayer);
}

void TMediaPlayerControl::SetMediaPlayer(TMediaPlayer *player)
{
    if (player == m_player)
        return;
    if (m_player)
        m_player->RemoveFreeNotification(this);
    m_player = player;
    if (m_player)
        m_player->FreeNotification(this);
}

void TMediaPlayerControl::Notification(TComponent *component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_player)
        m_player = nullptr;
}

void TMediaPlayerControl::paint(QPainter &painter, const QRectF &rect)
{
    painter.fillRect(rect, Qt::black);
}

void TCameraComponent::DeclareProperties(ClassBuilder<TCameraComponent> &b)
{
    b.stored("Active", PropKind::Boolean);
    b.stored("Kind", PropKind::Enumeration, &cameraKindInfo());
    b.stored("Quality", PropKind::Enumeration, &videoQualityInfo());
    b.stored("FlashMode", PropKind::Enumeration, &flashModeInfo());
    b.stored("FocusMode", PropKind::Enumeration, &focusModeInfo());
    b.stored("TorchMode", PropKind::Enumeration, &torchModeInfo());
    b.event("OnSampleBufferReady");
    declareDesignPosition(b);
}

// ---------------------------------------------------------------------------

void TBannerAd::DeclareProperties(ClassBuilder<TBannerAd> &b)
{
    b.stored("AdUnitID", PropKind::String);
    b.stored("AdSize", PropKind::Enumeration, &adSizeInfo());
    b.stored("TestMode", PropKind::Boolean);
    for (const char *name : {"OnActionCanBegin", "OnActionDidFinish", "OnDidFail", "OnDidLoad", "OnWillLoad"})
        b.event(name);
}

void TBannerAd::paint(QPainter &painter, const QRectF &rect)
{
    painter.save();
    painter.setPen(QColor(0xB4, 0xB4, 0xB4));
    painter.setBrush(QColor(0xF4, 0xF4, 0xF4));
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
}

TDropTarget::TDropTarget(TComponent *owner) : TTextControl(owner)
{
    TextSettings()->SetHorzAlign(TTextAlign::Center);
    TextSettings()->SetWordWrap(true);
}

void TDropTarget::DeclareProperties(ClassBuilder<TDropTarget> &b)
{
    b.string("Filter", &TDropTarget::Filter, &TDropTarget::SetFilter);
    b.stored("FilterIndex", PropKind::Integer);
    b.stored("HelpContext", PropKind::Integer);
    b.stored("HelpKeyword", PropKind::String);
    b.stored("HelpType", PropKind::Enumeration, &helpTypeInfo());
    b.event("OnDropped");
}

QWidget *TDropTarget::createPeer()
{
    QLabel *label = newPlainLabel();
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

void TDropTarget::updatePeer()
{
    showTextIn(*static_cast<QLabel *>(peer()));
}

} // namespace vantor
