#pragma once

// Buttons that hold a state or look different from TButton: TCheckBox,
// TRadioButton, TSwitch, TSpeedButton and TCornerButton.

#include "framework/controls/standard.h"

namespace vantor {

// A check box with its text; its peer is a QCheckBox.
class TCheckBox : public TTextControl
{
    VANTOR_CLASS(TCheckBox, TTextControl)
public:
    explicit TCheckBox(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TCheckBox> &b);

    bool IsChecked() const { return m_checked; }
    void SetIsChecked(bool v) { m_checked = v; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    bool peerReportsClicks() const override { return true; }

private:
    bool m_checked = false;
};

// A radio button. Buttons with the same GroupName among the components of
// one owner exclude each other; buttons without a GroupName exclude their
// siblings without one. Its peer is a QRadioButton.
class TRadioButton : public TTextControl
{
    VANTOR_CLASS(TRadioButton, TTextControl)
public:
    explicit TRadioButton(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TRadioButton> &b);

    bool IsChecked() const { return m_checked; }
    // Checking a button unchecks the others of its group.
    void SetIsChecked(bool v);
    QString GroupName() const { return m_groupName; }
    void SetGroupName(const QString &g) { m_groupName = g; }
    bool sameGroup(const TRadioButton &other) const;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    bool peerReportsClicks() const override { return true; }

private:
    bool m_checked = false;
    QString m_groupName;
};

// An on/off switch, painted as a track with a thumb.
class TSwitch : public TControl
{
    VANTOR_CLASS(TSwitch, TControl)
public:
    explicit TSwitch(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TSwitch> &b);

    bool IsChecked() const { return m_checked; }
    void SetIsChecked(bool v) { m_checked = v; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    bool peerReportsClicks() const override { return true; }

private:
    bool m_checked = false;
};

// A flat tool button. With StaysPressed and a GroupName, pressing one
// releases the others of the group (same owner). Its peer is a QToolButton.
class TSpeedButton : public TButton
{
    VANTOR_CLASS(TSpeedButton, TButton)
public:
    explicit TSpeedButton(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TSpeedButton> &b);

    QString GroupName() const { return m_groupName; }
    void SetGroupName(const QString &g) { m_groupName = g; }
    void Click() override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    QString m_groupName;
};

// A push button with rounded or cut corners (XRadius, YRadius, Corners).
class TCornerButton : public TButton
{
    VANTOR_CLASS(TCornerButton, TButton)
public:
    explicit TCornerButton(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TCornerButton> &b);

    double XRadius() const { return m_xRadius; }
    void SetXRadius(double r) { m_xRadius = r; peerChanged(); }
    double YRadius() const { return m_yRadius; }
    void SetYRadius(double r) { m_yRadius = r; peerChanged(); }

protected:
    void updatePeer() override;

private:
    double m_xRadius = 3;
    double m_yRadius = 3;
};

} // namespace vantor
