#include "framework/controls/pickers.h"

#include "framework/controls/edits.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QTimeEdit>

#include <cmath>

namespace vantor {

using namespace input;

VANTOR_IMPLEMENT_CLASS(TCustomDateTimeEdit)
VANTOR_IMPLEMENT_CLASS(TDateEdit)
VANTOR_IMPLEMENT_CLASS(TTimeEdit)
VANTOR_IMPLEMENT_CLASS(TCalendar)
VANTOR_IMPLEMENT_CLASS(TColorComboBox)

namespace {

const QDate kEpoch(1899, 12, 30);

const EnumInfo &calDayOfWeekInfo()
{
    static const EnumInfo info{"TCalDayOfWeek",
                               {"dowMonday", "dowTuesday", "dowWednesday", "dowThursday", "dowFriday", "dowSaturday",
                                "dowSunday", "dowLocaleDefault"},
                               nullptr};
    return info;
}

double nowAsDateTime()
{
    return dateTimeFromQDateTime(QDateTime::currentDateTime());
}

} // namespace

const EnumInfo &dtFormatKindInfo()
{
    static const EnumInfo info{"TDTFormatKind", {"Short", "Long"}, nullptr};
    return info;
}

QDate dateFromDateTime(double value)
{
    if (!std::isfinite(value) || std::abs(value) > 3e6)
        return QDate();
    // The whole days; for negative values the fraction still counts forward
    // from midnight, so the date is the truncated value.
    return kEpoch.addDays(qint64(std::trunc(value)));
}

QTime timeFromDateTime(double value)
{
    if (!std::isfinite(value))
        return QTime();
    const double fraction = std::abs(value - std::trunc(value));
    const int ms = std::clamp(int(std::llround(fraction * 86400000.0)), 0, 86399999);
    return QTime::fromMSecsSinceStartOfDay(ms);
}

double dateTimeFromQDateTime(const QDateTime &dt)
{
    const double days = double(kEpoch.daysTo(dt.date()));
    return days + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

QString qtDateTimeFormat(const QString &format)
{
    QString out;
    bool afterHour = false;
    int i = 0;
    const int n = int(format.size());
    while (i < n) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const int end = int(format.indexOf(c, i + 1));
            const QString literal = format.mid(i + 1, (end < 0 ? n : end) - i - 1);
            out += QLatin1Char('\'') + QString(literal).replace(QLatin1String("'"), QLatin1String("''")) + QLatin1Char('\'');
            i = end < 0 ? n : end + 1;
            continue;
        }
        if (format.mid(i, 5).compare(QLatin1String("am/pm"), Qt::CaseInsensitive) == 0) {
            out += QLatin1String("AP");
            i += 5;
            continue;
        }
        if (format.mid(i, 4).compare(QLatin1String("ampm"), Qt::CaseInsensitive) == 0) {
            out += QLatin1String("AP");
            i += 4;
            continue;
        }
        const QChar lower = c.toLower();
        int run = 1;
        while (i + run < n && format[i + run].toLower() == lower)
            ++run;
        switch (lower.unicode()) {
        case 'd': out += QString(std::min(run, 4), QLatin1Char('d')); afterHour = false; break;
        case 'y': out += run <= 2 ? QLatin1String("yy") : QLatin1String("yyyy"); afterHour = false; break;
        case 'm':
            out += afterHour ? QString(std::min(run, 2), QLatin1Char('m')) : QString(std::min(run, 4), QLatin1Char('M'));
            afterHour = false;
            break;
        case 'n': out += QString(std::min(run, 2), QLatin1Char('m')); afterHour = false; break;
        case 'h': out += QString(std::min(run, 2), QLatin1Char('H')); afterHour = true; break;
        case 's': out += QString(std::min(run, 2), QLatin1Char('s')); break;
        case 'z': out += QString(std::min(run, 3), QLatin1Char('z')); break;
        default:
            // Separators and anything unknown stay as they are (quoted when a
            // letter, so Qt does not read it as a field).
            if (c.isLetter())
                out += QLatin1Char('\'') + QString(run, c) + QLatin1Char('\'');
            else
                out += QString(run, c);
            break;
        }
        i += run;
    }
    // An AM/PM marker makes the hours count to twelve.
    if (out.contains(QLatin1String("AP")))
        out.replace(QLatin1Char('H'), QLatin1Char('h'));
    return out;
}

// ---------------------------------------------------------------------------
// Date and time edits

TCustomDateTimeEdit::TCustomDateTimeEdit(TComponent *owner) : TTextControl(owner)
{
    SetWidth(100);
    SetHeight(22);
}

void TCustomDateTimeEdit::DeclareProperties(ClassBuilder<TCustomDateTimeEdit> &b)
{
    b.string("Format", &TCustomDateTimeEdit::Format, &TCustomDateTimeEdit::SetFormat);
    b.enumeration("DateFormatKind", dtFormatKindInfo(), &TCustomDateTimeEdit::DateFormatKind,
                  &TCustomDateTimeEdit::SetDateFormatKind);
    b.boolean("ReadOnly", &TCustomDateTimeEdit::ReadOnly, &TCustomDateTimeEdit::SetReadOnly);
    b.stored("KeyboardType", PropKind::Enumeration, &virtualKeyboardTypeInfo());
    b.stored("ShowClearButton", PropKind::Boolean);
    b.stored("ShowCheckBox", PropKind::Boolean);
    b.stored("IsChecked", PropKind::Boolean);
    b.stored("IsEmpty", PropKind::Boolean);
    b.stored("CanFocus", PropKind::Boolean);
    b.stored("Action", PropKind::Component);
    b.stored("ControlType", PropKind::Enumeration, &controlTypeInfo());
    publishHelp(b);
    for (const char *name : {"OnChange", "OnOpenPicker", "OnClosePicker", "OnCheckChanged", "OnTyping"})
        b.event(name);
}

void TCustomDateTimeEdit::updatePeer()
{
    auto *edit = static_cast<QDateTimeEdit *>(peer());
    edit->setDisplayFormat(displayFormat());
    edit->setReadOnly(m_readOnly);
    edit->setAlignment(horizontalAlignment(TextSettings()->HorzAlign()));
    edit->setFont(peerFont(QFont()));
    applyFontColor(edit, usesOwnFontColor(), TextSettings()->FontColor(), QPalette::Text);
}

TDateEdit::TDateEdit(TComponent *owner) : TCustomDateTimeEdit(owner), m_date(std::trunc(nowAsDateTime())) {}

void TDateEdit::DeclareProperties(ClassBuilder<TDateEdit> &b)
{
    b.floating("Date", &TDateEdit::Date, &TDateEdit::SetDate);
    b.boolean("TodayDefault", &TDateEdit::TodayDefault, &TDateEdit::SetTodayDefault);
    b.stored("CalendarSettings.FirstDayOfWeek", PropKind::Enumeration, &calDayOfWeekInfo());
    // Older versions of the date edit carried the calendar's settings themselves.
    b.stored("FirstDayOfWeek", PropKind::Enumeration, &calDayOfWeekInfo());
    b.stored("WeekNumbers", PropKind::Boolean);
}

QDate TDateEdit::shownDate() const
{
    return m_todayDefault ? QDate::currentDate() : dateFromDateTime(m_date);
}

QString TDateEdit::displayFormat() const
{
    if (!Format().isEmpty())
        return qtDateTimeFormat(Format());
    return QLocale().dateFormat(DateFormatKind() == TDTFormatKind::Long ? QLocale::LongFormat : QLocale::ShortFormat);
}

QWidget *TDateEdit::createPeer()
{
    auto *edit = new QDateEdit(peerParent());
    edit->setCalendarPopup(true);
    QObject::connect(edit, &QDateEdit::userDateChanged, edit, [this](QDate d) {
        m_date = double(kEpoch.daysTo(d));
        m_todayDefault = false;
    });
    return edit;
}

void TDateEdit::updatePeer()
{
    auto *edit = static_cast<QDateEdit *>(peer());
    const QSignalBlocker block(edit);
    TCustomDateTimeEdit::updatePeer();
    const QDate d = shownDate();
    if (d.isValid()) {
        // Qt's default range starts in 1752; forms may hold any date.
        edit->setMinimumDate(std::min(d, edit->minimumDate()));
        edit->setDate(d);
    }
}

TTimeEdit::TTimeEdit(TComponent *owner) : TCustomDateTimeEdit(owner)
{
    const double now = nowAsDateTime();
    m_time = now - std::trunc(now);
}

void TTimeEdit::DeclareProperties(ClassBuilder<TTimeEdit> &b)
{
    b.floating("Time", &TTimeEdit::Time, &TTimeEdit::SetTime);
    b.stored("TimeFormatKind", PropKind::Enumeration, &dtFormatKindInfo());
    b.stored("UseNowTime", PropKind::Boolean);
}

QString TTimeEdit::displayFormat() const
{
    if (!Format().isEmpty())
        return qtDateTimeFormat(Format());
    return QLocale().timeFormat(DateFormatKind() == TDTFormatKind::Long ? QLocale::LongFormat : QLocale::ShortFormat);
}

QWidget *TTimeEdit::createPeer()
{
    auto *edit = new QTimeEdit(peerParent());
    QObject::connect(edit, &QTimeEdit::userTimeChanged, edit,
                     [this](QTime t) { m_time = t.msecsSinceStartOfDay() / 86400000.0; });
    return edit;
}

void TTimeEdit::updatePeer()
{
    auto *edit = static_cast<QTimeEdit *>(peer());
    const QSignalBlocker block(edit);
    TCustomDateTimeEdit::updatePeer();
    const QTime t = timeFromDateTime(m_time);
    if (t.isValid())
        edit->setTime(t);
}

// ---------------------------------------------------------------------------
// TCalendar

TCalendar::TCalendar(TComponent *owner) : TControl(owner), m_date(std::trunc(nowAsDateTime()))
{
    SetWidth(180);
    SetHeight(160);
}

void TCalendar::DeclareProperties(ClassBuilder<TCalendar> &b)
{
    b.floating("Date", &TCalendar::Date, &TCalendar::SetDate);
    b.boolean("WeekNumbers", &TCalendar::WeekNumbers, &TCalendar::SetWeekNumbers);
    b.enumeration("FirstDayOfWeek", calDayOfWeekInfo(), &TCalendar::FirstDayOfWeek, &TCalendar::SetFirstDayOfWeek);
    b.stored("TodayDefault", PropKind::Boolean);
    b.stored("ControlType", PropKind::Enumeration, &controlTypeInfo());
    b.stored("ParentShowHint", PropKind::Boolean);
    publishHelp(b);
    for (const char *name : {"OnChange", "OnDateSelected", "OnDayClick"})
        b.event(name);
}

QWidget *TCalendar::createPeer()
{
    auto *calendar = new QCalendarWidget(peerParent());
    calendar->setMinimumDate(QDate(100, 1, 1));
    QObject::connect(calendar, &QCalendarWidget::clicked, calendar, [this](QDate d) {
        m_date = double(kEpoch.daysTo(d));
        Click();
    });
    return calendar;
}

void TCalendar::updatePeer()
{
    auto *calendar = static_cast<QCalendarWidget *>(peer());
    const QSignalBlocker block(calendar);
    const QDate d = dateFromDateTime(m_date);
    if (d.isValid())
        calendar->setSelectedDate(d);
    calendar->setVerticalHeaderFormat(m_weekNumbers ? QCalendarWidget::ISOWeekNumbers
                                                    : QCalendarWidget::NoVerticalHeader);
    calendar->setFirstDayOfWeek(m_firstDay >= 0 && m_firstDay < 7 ? Qt::DayOfWeek(m_firstDay + 1)
                                                                   : QLocale().firstDayOfWeek());
}

// ---------------------------------------------------------------------------
// TColorComboBox

TColorComboBox::TColorComboBox(TComponent *owner) : TCustomComboBox(owner) {}

void TColorComboBox::DeclareProperties(ClassBuilder<TColorComboBox> &b)
{
    b.integer(
        "Color", [](TColorComboBox &c) { return std::int64_t(c.Color()); },
        [](TColorComboBox &c, std::int64_t v) { c.SetColor(IntToAlphaColor(v)); }, &colorIdentToInt);
}

const std::vector<std::pair<QString, TAlphaColor>> &TColorComboBox::namedColors()
{
    static const std::vector<std::pair<QString, TAlphaColor>> colors = [] {
        std::vector<std::pair<QString, TAlphaColor>> list;
        for (const QString &name : QColor::colorNames()) {
            TAlphaColor c = 0;
            if (!IdentToAlphaColor(QLatin1String("cla") + name, c))
                continue;
            const QString ident = AlphaColorToIdent(c);
            if (!ident.startsWith(QLatin1String("cla")))
                continue;
            const QString shown = ident.mid(3);
            if (std::none_of(list.begin(), list.end(), [&](const auto &e) { return e.first == shown; }))
                list.emplace_back(shown, c);
        }
        return list;
    }();
    return colors;
}

QStringList TColorComboBox::rows() const
{
    QStringList names;
    for (const auto &[name, color] : namedColors())
        names << name;
    return names;
}

TAlphaColor TColorComboBox::Color() const
{
    const auto &colors = namedColors();
    const std::int64_t i = ItemIndex();
    return i >= 0 && i < std::int64_t(colors.size()) ? colors[std::size_t(i)].second : claColors::Null;
}

void TColorComboBox::SetColor(TAlphaColor c)
{
    const auto &colors = namedColors();
    auto it = std::find_if(colors.begin(), colors.end(), [c](const auto &e) { return e.second == c; });
    SetItemIndex(it == colors.end() ? -1 : std::int64_t(it - colors.begin()));
}

void TColorComboBox::decorateRow(QComboBox *combo, int row)
{
    const auto &colors = namedColors();
    if (row < 0 || row >= int(colors.size()) || !combo->itemIcon(row).isNull())
        return;
    QPixmap swatch(16, 16);
    swatch.fill(toQColor(colors[std::size_t(row)].second));
    combo->setItemIcon(row, QIcon(swatch));
}

} // namespace vantor
