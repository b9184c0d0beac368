#include "sourceview/memo.h"

#include "sourceview/pascalstyler.h"
#include "sourceview/procindex.h"

#include <QColor>

#include <algorithm>

namespace vantor {

namespace {

constexpr int kLineNumberMargin = 0;
constexpr int kMarkerMargin = 1;
const QColor kActiveLineBackground(0xE8, 0xF0, 0xFF);
const QColor kActiveLineSign(0x00, 0x00, 0x80);

} // namespace

TTMSFMXMemo::TTMSFMXMemo(QWidget *parent) : QsciScintilla(parent)
{
    setUtf8(true);
    setReadOnly(true);
    setTabWidth(4);
    setIndentationsUseTabs(false);
    setEolMode(EolUnix);
    setWrapMode(WrapNone);

    const QFont font = TTMSFMXMemoPascalStyler::textFont();
    setFont(font);
    setMarginsFont(font);
    setMarginType(kLineNumberMargin, NumberMargin);
    setMarginLineNumbers(kLineNumberMargin, true);
    setMarginMarkerMask(kLineNumberMargin, 0);
    setMarginType(kMarkerMargin, SymbolMargin);
    setMarginMarkerMask(kMarkerMargin, 1 << kActiveLineGutterMarker);
    setMarginWidth(kMarkerMargin, 14);
    updateLineNumberWidth();

    markerDefine(Background, kActiveLineMarker);
    setMarkerBackgroundColor(kActiveLineBackground, kActiveLineMarker);
    markerDefine(RightTriangle, kActiveLineGutterMarker);
    setMarkerBackgroundColor(kActiveLineSign, kActiveLineGutterMarker);
    setMarkerForegroundColor(kActiveLineSign, kActiveLineGutterMarker);

    setAutoCompletionSource(AcsAPIs);
    setAutoCompletionThreshold(1);
    setAutoCompletionCaseSensitivity(false);
    setCallTipsStyle(CallTipsContext);
    setCallTipsBackgroundColor(QColor(0xFF, 0xFF, 0x00));
    setCallTipsForegroundColor(QColor(0x00, 0x00, 0x00));

    viewport()->setCursor(Qt::IBeamCursor);
    connect(this, &QsciScintilla::cursorPositionChanged, this, &TTMSFMXMemo::caretMoved);
    SetActiveLine(0);
}

TTMSFMXMemo::~TTMSFMXMemo()
{
    // Detach a styler that outlives the viewer, so it keeps no pointer to it.
    if (m_styler)
        setLexer(nullptr);
}

void TTMSFMXMemo::LoadFromFile(const std::string &fileName)
{
    TStringList lines;
    LoadSourceFile(fileName, lines);
    LoadFromLines(std::move(lines));
}

void TTMSFMXMemo::LoadFromLines(TStringList lines)
{
    ExpandTabs(lines);
    m_lines = std::move(lines);
    std::string joined;
    std::size_t total = 0;
    for (const auto &item : m_lines.items())
        total += item.text.size() + 1;
    joined.reserve(total);
    for (int i = 0; i < m_lines.count(); ++i) {
        if (i > 0)
            joined += '\n';
        joined += m_lines[i];
    }
    setText(QString::fromUtf8(joined.data(), qsizetype(joined.size())));
    updateLineNumberWidth();
    SetCaret(0, 0);
    if (m_activeLineAtCursor)
        SetActiveLine(0);
    else
        SetActiveLine(m_activeLine);
}

void TTMSFMXMemo::Clear()
{
    m_lines.clear();
    clear();
    updateLineNumberWidth();
    m_activeLine = 0;
    SetActiveLine(0);
}

std::string TTMSFMXMemo::LineText(int line) const
{
    return line >= 0 && line < m_lines.count() ? m_lines[line] : std::string();
}

void TTMSFMXMemo::SetSyntaxStyles(TTMSFMXMemoPascalStyler *styler)
{
    if (styler == m_styler)
        return;
    m_styler = styler;
    setLexer(styler);
    // Setting a lexer resets the margins' font.
    setMarginsFont(TTMSFMXMemoPascalStyler::textFont());
    updateLineNumberWidth();
}

void TTMSFMXMemo::SetActiveLine(int line)
{
    m_activeLine = line;
    markerDeleteAll(kActiveLineMarker);
    markerDeleteAll(kActiveLineGutterMarker);
    if (line >= 0 && line < m_lines.count()) {
        markerAdd(line, kActiveLineMarker);
        markerAdd(line, kActiveLineGutterMarker);
    }
}

void TTMSFMXMemo::Refresh()
{
    viewport()->update();
}

void TTMSFMXMemo::SetCaret(int col, int line)
{
    const int last = std::max(0, m_lines.count() - 1);
    line = std::clamp(line, 0, last);
    col = std::max(col, 0);
    setCursorPosition(line, col);
    ensureLineVisible(line);
}

int TTMSFMXMemo::CaretLine() const
{
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return line;
}

void TTMSFMXMemo::JumpToLine(int line0)
{
    setFocus();
    SetActiveLineAtCursor(false);
    SetActiveLine(line0);
    Refresh();
    SetCaret(0, line0);
    // A procedure head is read with its body: a line that lands in the
    // bottom quarter of the view (or outside it) is shown a quarter down.
    const int line = CaretLine();
    const int first = firstVisibleLine();
    const int onScreen = int(SendScintilla(SCI_LINESONSCREEN));
    if (onScreen > 4 && (line < first || line >= first + onScreen * 3 / 4))
        setFirstVisibleLine(std::max(0, line - onScreen / 4));
}

void TTMSFMXMemo::caretMoved(int line, int)
{
    if (m_activeLineAtCursor && line != m_activeLine)
        SetActiveLine(line);
}

void TTMSFMXMemo::updateLineNumberWidth()
{
    const int digits = int(std::to_string(std::max(1, m_lines.count())).size());
    setMarginWidth(kLineNumberMargin, QString(digits + 1, QLatin1Char('9')));
}

} // namespace vantor
