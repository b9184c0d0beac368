#pragma once

// Date, time and colour pickers: TDateEdit, TTimeEdit, TCalendar and
// TColorComboBox.

#include "framework/controls/lists.h"
#include "framework/controls/standard.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace vantor {

// Dates as forms hold them: days since 30 December 1899, the time of day
// as the fraction.
QDate dateFromDateTime(double value);
QTime timeFromDateTime(double value);
double dateTimeFromQDateTime(const QDateTime &dt);
// A date or time format of the forms (`dd/mm/yyyy`, `hh:nn`, `ampm`) as a Qt
// format: `m` after an hour means minutes, `n` always does; letters compare
// without regard to case; quoted text stays literal.
QString qtDateTimeFormat(const QString &format);

enum class TDTFormatKind { Short, Long };
const EnumInfo &dtFormatKindInfo();

// What the date and time edits share; the peer is a QDateTimeEdit.
class TCustomDateTimeEdit : public TTextControl
{
    VANTOR_CLASS(TCustomDateTimeEdit, TTextControl)
public:
    explicit TCustomDateTimeEdit(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TCustomDateTimeEdit> &b);

    QString Format() const { return m_format; }
    void SetFormat(const QString &f) { m_format = f; peerChanged(); }
    TDTFormatKind DateFormatKind() const { return m_formatKind; }
    void SetDateFormatKind(TDTFormatKind k) { m_formatKind = k; peerChanged(); }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v) { m_readOnly = v; peerChanged(); }
    // The Qt display format in use.
    virtual QString displayFormat() const = 0;

protected:
    void updatePeer() override;

private:
    QString m_format;
    TDTFormatKind m_formatKind = TDTFormatKind::Short;
    bool m_readOnly = false;
};

class TDateEdit : public TCustomDateTimeEdit
{
    VANTOR_CLASS(TDateEdit, TCustomDateTimeEdit)
public:
    explicit TDateEdit(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TDateEdit> &b);

    double Date() const { return m_date; }
    void SetDate(double d) { m_date = d; peerChanged(); }
    bool TodayDefault() const { return m_todayDefault; }
    void SetTodayDefault(bool v) { m_todayDefault = v; peerChanged(); }
    // The date as shown: today when TodayDefault, else Date.
    QDate shownDate() const;
    QString displayFormat() const override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    double m_date;
    bool m_todayDefault = false;
};

class TTimeEdit : public TCustomDateTimeEdit
{
    VANTOR_CLASS(TTimeEdit, TCustomDateTimeEdit)
public:
    explicit TTimeEdit(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TTimeEdit> &b);

    double Time() const { return m_time; }
    void SetTime(double t) { m_time = t; peerChanged(); }
    QString displayFormat() const override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    double m_time;
};

// A month calendar; its peer is a QCalendarWidget.
class TCalendar : public TControl
{
    VANTOR_CLASS(TCalendar, TControl)
public:
    explicit TCalendar(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TCalendar> &b);

    double Date() const { return m_date; }
    void SetDate(double d) { m_date = d; peerChanged(); }
    bool WeekNumbers() const { return m_weekNumbers; }
    void SetWeekNumbers(bool v) { m_weekNumbers = v; peerChanged(); }
    // 0 Monday ... 6 Sunday, 7 the locale's first day.
    std::int64_t FirstDayOfWeek() const { return m_firstDay; }
    void SetFirstDayOfWeek(std::int64_t d) { m_firstDay = d; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    bool peerReportsClicks() const override { return true; }

private:
    double m_date;
    bool m_weekNumbers = false;
    std::int64_t m_firstDay = 7;
};

// A drop-down list of the named colours, each with its swatch.
class TColorComboBox : public TCustomComboBox
{
    VANTOR_CLASS(TColorComboBox, TCustomComboBox)
public:
    explicit TColorComboBox(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TColorComboBox> &b);

    // The chosen colour; setting one that is not listed chooses no row.
    TAlphaColor Color() const;
    void SetColor(TAlphaColor c);
    QStringList rows() const override;
    // The listed colours with their names (without the `cla` prefix).
    static const std::vector<std::pair<QString, TAlphaColor>> &namedColors();

protected:
    void decorateRow(QComboBox *combo, int row) override;
};

} // namespace vantor
