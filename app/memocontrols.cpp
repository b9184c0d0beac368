#include "app/memocontrols.h"

#include "sourceview/memo.h"
#include "sourceview/pascalstyler.h"

namespace vantor::shell {

VANTOR_IMPLEMENT_CLASS(TTMSFMXMemo)
VANTOR_IMPLEMENT_CLASS(TTMSFMXMemoPascalStyler)

TTMSFMXMemo::TTMSFMXMemo(TComponent *owner) : TControl(owner) {}

TTMSFMXMemo::~TTMSFMXMemo()
{
    if (m_styles)
        RemoveFreeNotification(m_styles);
}

void TTMSFMXMemo::DeclareProperties(ClassBuilder<TTMSFMXMemo> &b)
{
    b.boolean("ReadOnly", &TTMSFMXMemo::ReadOnly, &TTMSFMXMemo::SetReadOnly);
    b.component("SyntaxStyles", &TTMSFMXMemo::SyntaxStyles, &TTMSFMXMemo::SetSyntaxStyles);
    // The viewer widget fixes these itself (font, tab size, active line,
    // gutter); the layout states them as the window was designed.
    b.stored("UseStyler", PropKind::Boolean);
    b.stored("TabSize", PropKind::Integer);
    b.stored("TrimTrailingSpaces", PropKind::Boolean);
    b.stored("CaseSensitive", PropKind::Boolean);
    b.stored("Font.Family", PropKind::String);
    b.stored("Gutter.Font.Family", PropKind::String);
    b.stored("ActiveLineSettings.ShowActiveLine", PropKind::Boolean);
    b.stored("ActiveLineSettings.ShowActiveLineIndicator", PropKind::Boolean);
    b.stored("ActiveLineSettings.ActiveLineAtCursor", PropKind::Boolean);
    b.stored("AutoCompletion.StartToken", PropKind::String);
}

void TTMSFMXMemo::SetReadOnly(bool v)
{
    m_readOnly = v;
    peerChanged();
}

void TTMSFMXMemo::SetSyntaxStyles(TTMSFMXMemoPascalStyler *styles)
{
    if (m_styles)
        RemoveFreeNotification(m_styles);
    m_styles = styles;
    if (m_styles)
        FreeNotification(m_styles);
    peerChanged();
}

void TTMSFMXMemo::Notification(TComponent *component, TOperation operation)
{
    if (operation == TOperation::opRemove && component == m_styles)
        m_styles = nullptr;
    TControl::Notification(component, operation);
}

vantor::TTMSFMXMemo *TTMSFMXMemo::memo() { return static_cast<vantor::TTMSFMXMemo *>(peer()); }

QWidget *TTMSFMXMemo::createPeer() { return new vantor::TTMSFMXMemo(); }

void TTMSFMXMemo::updatePeer()
{
    auto *view = static_cast<vantor::TTMSFMXMemo *>(peer());
    view->setReadOnly(m_readOnly);
}

TTMSFMXMemoPascalStyler::TTMSFMXMemoPascalStyler(TComponent *owner) : TComponent(owner) {}

TTMSFMXMemoPascalStyler::~TTMSFMXMemoPascalStyler() { delete m_styler.data(); }

void TTMSFMXMemoPascalStyler::DeclareProperties(ClassBuilder<TTMSFMXMemoPascalStyler> &b)
{
    // The rules themselves live in the sourceview styler; these are kept as
    // the window was designed.
    for (const char *name : {"BlockStart", "BlockEnd", "HexIdentifier", "Description", "StylerName", "Filter",
                             "DefaultExtension", "Extensions"})
        b.stored(name, PropKind::String);
    b.stored("Left", PropKind::Integer);
    b.stored("Top", PropKind::Integer);
}

vantor::TTMSFMXMemoPascalStyler *TTMSFMXMemoPascalStyler::styler()
{
    if (!m_styler)
        m_styler = new vantor::TTMSFMXMemoPascalStyler();
    return m_styler.data();
}

} // namespace vantor::shell
