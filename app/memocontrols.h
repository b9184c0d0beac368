#pragma once

// The source viewer and its Pascal styler as components of the main window's
// stored layout. They carry the sourceview widgets (TTMSFMXMemo on
// QScintilla, the Pascal lexer) under the class names the layout uses.

#include "framework/control.h"

#include <QPointer>

namespace vantor {
class TTMSFMXMemo;
class TTMSFMXMemoPascalStyler;
} // namespace vantor

namespace vantor::shell {

class TTMSFMXMemoPascalStyler;

// The read-only source viewer of the source tab.
class TTMSFMXMemo : public TControl
{
    VANTOR_CLASS(TTMSFMXMemo, TControl)
public:
    explicit TTMSFMXMemo(TComponent *owner);
    ~TTMSFMXMemo() override;
    static void DeclareProperties(ClassBuilder<TTMSFMXMemo> &b);

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool v);
    TTMSFMXMemoPascalStyler *SyntaxStyles() const { return m_styles; }
    void SetSyntaxStyles(TTMSFMXMemoPascalStyler *styles);

    // The viewer widget (made on first use).
    vantor::TTMSFMXMemo *memo();

    void Notification(TComponent *component, TOperation operation) override;

protected:
    QWidget *createPeer() override;
    void updatePeer() override;
    // The viewer takes its own mouse input (selection, caret).
    bool peerReportsClicks() const override { return true; }

private:
    TTMSFMXMemoPascalStyler *m_styles = nullptr;
    bool m_readOnly = false;
};

// The Pascal highlighting rules of the source viewer.
class TTMSFMXMemoPascalStyler : public TComponent
{
    VANTOR_CLASS(TTMSFMXMemoPascalStyler, TComponent)
public:
    explicit TTMSFMXMemoPascalStyler(TComponent *owner);
    ~TTMSFMXMemoPascalStyler() override;
    static void DeclareProperties(ClassBuilder<TTMSFMXMemoPascalStyler> &b);

    vantor::TTMSFMXMemoPascalStyler *styler();

private:
    QPointer<vantor::TTMSFMXMemoPascalStyler> m_styler;
};

} // namespace vantor::shell
