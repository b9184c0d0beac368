#pragma once

// Standard controls: TLayout, TPanel, TLabel, TButton. These are the worked
// examples for the control families that follow (see framework/README.md).

#include "framework/control.h"
#include "framework/text.h"

class QLabel;

namespace vantor {

// An invisible container: it only places its children.
class TLayout : public TControl
{
    VANTOR_CLASS(TLayout, TControl)
public:
    explicit TLayout(TComponent *owner) : TControl(owner) {}
};

// A container with a panel background.
class TPanel : public TControl
{
    VANTOR_CLASS(TPanel, TControl)
public:
    explicit TPanel(TComponent *owner) : TControl(owner) {}
    static void DeclareProperties(ClassBuilder<TPanel> &b);

protected:
    void paint(QPainter &painter, const QRectF &rect) override;
};

// What text controls share: Text and TextSettings (with the older direct
// spellings Font, FontColor, TextAlign, VertTextAlign, WordWrap, Trimming).
class TTextControl : public TControl
{
    VANTOR_CLASS(TTextControl, TControl)
public:
    explicit TTextControl(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TTextControl> &b);

    QString Text() const { return m_text; }
    void SetText(const QString &text);
    TTextSettings *TextSettings() const { return m_textSettings.get(); }
    unsigned StyledSettings() const { return m_styledSettings; }
    void SetStyledSettings(unsigned s) { m_styledSettings = s; peerChanged(); }

    // Font and colour for the peer, honouring StyledSettings (a part that
    // comes from the style keeps the widget's default). Looks paint with them.
    QFont peerFont(const QFont &base) const;
    bool usesOwnFontColor() const { return !(m_styledSettings & (1u << ssFontColor)); }

protected:
    // A label widget that shows its text as it stands, never as markup.
    QLabel *newPlainLabel();
    // Shows the text (as much of it as can show) in the label with the text
    // settings: alignment, wrapping, font and colour.
    void showTextIn(QLabel &label) const;

private:
    QString m_text;
    std::unique_ptr<TTextSettings> m_textSettings;
    unsigned m_styledSettings = (1u << ssFamily) | (1u << ssSize) | (1u << ssStyle) | (1u << ssFontColor) | (1u << ssOther);
};

// A text label; its peer is a QLabel.
class TLabel : public TTextControl
{
    VANTOR_CLASS(TLabel, TTextControl)
public:
    explicit TLabel(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TLabel> &b);

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool v) { m_autoSize = v; peerChanged(); }

protected:
    QWidget *createPeer() override;
    void updatePeer() override;

private:
    void fitWidthToText();
    bool m_autoSize = false;
    bool m_fitting = false;
};

// A push button; its peer is a QPushButton, checkable when StaysPressed.
class TButton : public TTextControl
{
    VANTOR_CLASS(TButton, TTextControl)
public:
    explicit TButton(TComponent *owner);
    static void DeclareProperties(ClassBuilder<TButton> &b);

    bool StaysPressed() const { return m_staysPressed; }
    void SetStaysPressed(bool v) { m_staysPressed = v; peerChanged(); }
    bool IsPressed() const { return m_isPressed; }
    void SetIsPressed(bool v) { m_isPressed = v; peerChanged(); }
    std::int64_t ModalResult() const { return m_modalResult; }
    void SetModalResult(std::int64_t v) { m_modalResult = v; }

    void Click() override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    bool peerReportsClicks() const override { return true; }

private:
    bool m_staysPressed = false;
    bool m_isPressed = false;
    std::int64_t m_modalResult = 0;
};

} // namespace vantor
