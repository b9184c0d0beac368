#pragma once

// Text input controls: TEdit, TMemo, TComboEdit, TSpinBox, TNumberBox and the
// buttons that sit inside an edit (TClearEditButton, TSearchEditButton).
// Also the small pieces of publishing that the input controls share (help
// properties, keyboard and control types, the text colour of a peer).

#include "framework/classbuilder.h"
#include "framework/controls/standard.h"
#include "framework/text.h"

#include <QPalette>

#include <functional>

class QAbstractScrollArea;

namespace vantor {

// ---------------------------------------------------------------------------
// Shared by the input families

namespace input {

const EnumInfo &helpTypeInfo();          // htKeyword, htContext
const EnumInfo &controlTypeInfo();       // Styled, Platform
const EnumInfo &virtualKeyboardTypeInfo(); // Default, NumbersAndPunctuation, NumberPad ...
const EnumInfo &returnKeyTypeInfo();     // Default, Done, Go, Next, Search, Send

// HelpContext, HelpKeyword and HelpType: kept, no help system here.
template<class T> void publishHelp(ClassBuilder<T> &b)
{
    b.stored("HelpContext", PropKind::Integer);
    b.stored("HelpKeyword", PropKind::String);
    b.stored("HelpType", PropKind::Enumeration, &helpTypeInfo());
}

// The wider hit area that touch platforms give small controls.
template<class T> void publishTouchTargetExpansion(ClassBuilder<T> &b)
{
    for (const char *name : {"TouchTargetExpansion.Left", "TouchTargetExpansion.Top", "TouchTargetExpansion.Right",
                             "TouchTargetExpansion.Bottom"})
        b.stored(name, PropKind::Float);
}

// Sets the colour of `role` (text or window text) when the form gives the
// control its own font colour; otherwise the widget keeps its style's colour.
void applyFontColor(QWidget *widget, bool ownColor, TAlphaColor color, QPalette::ColorRole role);

// Calls `onResize` whenever the widget's size changes.
void notifyResize(QWidget *widget, std::function<void()> onResize);
// Lets a scroll area's viewport keep its clicks (editing, selecting) and
// reports each left click to the control as well.
void reportViewportClicks(QAbstractScrollArea *area, TControl *control);
// The same for any widget that keeps its own clicks (an edit inside a box).
void reportWidgetClicks(QWidget *widget, TControl *control);

// Horizontal part of a text alignment (edits centre their text vertically).
Qt::Alignment horizontalAlignment(TTextAlign align);

} // namespace input

// ---------------------------------------------------------------------------

class TEditButton;

// What the single-line edits share: ReadOnly, the text prompt, the buttons
// inside the edit, caret and keyboard settings.
class TCustomEdit : public TTextControl
{
    VANTOR_CLASS(TCustomEdit, TTextControl)
public:
    explicit TCustomEdit(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TCustomEdit> &b);

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v) { m_readOnly = v; peerChanged(); }

    void Loaded() override;
    // Places the edit buttons at the right end of the edit, last child
    // rightmost, full height; the text keeps clear of them.
    void layoutButtons();

protected:
    void childAdded(TFmxObject *child) override;
    void childRemoved(TFmxObject *child) override;
    // Width of the edit buttons at the right end.
    double buttonsWidth() const;

private:
    bool m_readOnly = false;
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A one-line text edit; its peer is a QLineEdit.
class TEdit : public TCustomEdit
{
    VANTOR_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TEdit> &b);

    QString TextPrompt() const { return m_textPrompt; }
    void SetTextPrompt(const QString &s) { m_textPrompt = s; peerChanged(); }
    bool Password() const { return m_password; }
    void SetPassword(bool v) { m_password = v; peerChanged(); }
    std::int64_t MaxLength() const { return m_maxLength; }
    void SetMaxLength(std::int64_t v) { m_maxLength = v; peerChanged(); }
    QString FilterChar() const { return m_filterChar; }
    void SetFilterChar(const QString &s) { m_filterChar = s; peerChanged(); }
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase c) { m_charCase = c; peerChanged(); }
    // The text as shown: CharCase applied.
    QString displayText() const;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    QString m_textPrompt;
    bool m_password = false;
    std::int64_t m_maxLength = 0;
    QString m_filterChar;
    TEditCharCase m_charCase = TEditCharCase::ecNormal;
};

// A multi-line text editor; its peer is a QPlainTextEdit. Lines and Text are
// two views of the same content.
class TMemo : public TTextControl
{
    VANTOR_CLASS(TMemo, TTextControl)
public:
    explicit TMemo(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TMemo> &b);

    TStrings *Lines() const { return m_lines.get(); }
    QString MemoText() const;
    void SetMemoText(const QString &text);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v) { m_readOnly = v; peerChanged(); }
    bool ShowScrollBars() const { return m_showScrollBars; }
    void SetShowScrollBars(bool v) { m_showScrollBars = v; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    bool peerReportsClicks() const override { return true; }

private:
    std::unique_ptr<TStrings> m_lines;
    bool m_readOnly = false;
    bool m_showScrollBars = true;
    bool m_fromPeer = false;
};

// An edit with a drop-down list of strings; its peer is an editable QComboBox.
class TComboEdit : public TCustomEdit
{
    VANTOR_CLASS(TComboEdit, TCustomEdit)
public:
    explicit TComboEdit(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TComboEdit> &b);

    TStrings *Items() const { return m_items.get(); }
    std::int64_t ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(std::int64_t i);

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    // The box keeps its mouse input (typing, the drop-down arrow); a click
    // into its text field is reported as the control's click.
    bool peerReportsClicks() const override { return true; }

private:
    std::unique_ptr<TStrings> m_items;
    std::int64_t m_itemIndex = -1;
};

enum class TNumValueType { Integer, Float };
const EnumInfo &numValueTypeInfo();

// A number edit: Min, Max, Value, ValueType, DecimalDigits. Values are kept
// as read (a Value read before its Max is not cut); the peer shows the value
// within [Min, Max].
class TCustomNumberEdit : public TCustomEdit
{
    VANTOR_CLASS(TCustomNumberEdit, TCustomEdit)
public:
    explicit TCustomNumberEdit(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TCustomNumberEdit> &b);

    double Min() const { return m_min; }
    void SetMin(double v) { m_min = v; peerChanged(); }
    double Max() const { return m_max; }
    void SetMax(double v) { m_max = v; peerChanged(); }
    double Value() const { return m_value; }
    void SetValue(double v) { m_value = v; peerChanged(); }
    TNumValueType ValueType() const { return m_valueType; }
    void SetValueType(TNumValueType t) { m_valueType = t; peerChanged(); }
    std::int64_t DecimalDigits() const { return m_decimalDigits; }
    void SetDecimalDigits(std::int64_t d) { m_decimalDigits = d; peerChanged(); }
    // The value as the control shows it: clamped into [Min, Max] (when Max >=
    // Min), rounded for an integer value type.
    double shownValue() const;
    int shownDecimals() const;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    virtual bool hasSpinButtons() const { return true; }
    virtual double step() const { return 1; }

private:
    double m_min = 0;
    double m_max = 100;
    double m_value = 0;
    TNumValueType m_valueType = TNumValueType::Integer;
    std::int64_t m_decimalDigits = 2;
};

// A number edit with up and down buttons; its peer is a QDoubleSpinBox.
class TSpinBox : public TCustomNumberEdit
{
    VANTOR_CLASS(TSpinBox, TCustomNumberEdit)
public:
    explicit TSpinBox(TComponent *owner) : TCustomNumberEdit(owner) {}
    static void DeclareProperties(ClassBuilder<TSpinBox> &b);

    double Increment() const { return m_increment; }
    void SetIncrement(double v) { m_increment = v; peerChanged(); }

protected:
    double step() const override { return m_increment; }

private:
    double m_increment = 1;
};

// A number edit changed by dragging or the keyboard; shown without buttons.
class TNumberBox : public TCustomNumberEdit
{
    VANTOR_CLASS(TNumberBox, TCustomNumberEdit)
public:
    explicit TNumberBox(TComponent *owner) : TCustomNumberEdit(owner) {}
    static void DeclareProperties(ClassBuilder<TNumberBox> &b);

    double HorzIncrement() const { return m_horzIncrement; }
    void SetHorzIncrement(double v) { m_horzIncrement = v; }

protected:
    bool hasSpinButtons() const override { return false; }
    double step() const override { return m_horzIncrement > 0 ? m_horzIncrement : 1; }

private:
    double m_horzIncrement = 1;
};

// A button inside an edit, placed at the edit's right end; its peer is a
// flat QToolButton.
class TEditButton : public TButton
{
    VANTOR_CLASS(TEditButton, TButton)
public:
    explicit TEditButton(TComponent *owner);

    // The edit this button sits in, or nullptr.
    TCustomEdit *edit() const;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    virtual QString glyph() const { return QString(); }
};

// Empties its edit when clicked.
class TClearEditButton : public TEditButton
{
    VANTOR_CLASS(TClearEditButton, TEditButton)
public:
    explicit TClearEditButton(TComponent *owner) : TEditButton(owner) {}
    void Click() override;

protected:
    QString glyph() const override;
};

class TSearchEditButton : public TEditButton
{
    VANTOR_CLASS(TSearchEditButton, TEditButton)
public:
    explicit TSearchEditButton(TComponent *owner) : TEditButton(owner) {}

protected:
    QString glyph() const override;
};

} // namespace vantor
