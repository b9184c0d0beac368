#include "sourceview/pascalstyler.h"

#include <Qsci/qsciscintilla.h>

#include <QFontDatabase>

#include <vector>

namespace vantor {

namespace {

constexpr int kFontSize = 8;

// The framework's named colours.
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kFuchsia(0xFF, 0x00, 0xFF);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kBlack(0x00, 0x00, 0x00);

} // namespace

TTMSFMXMemoPascalStyler::TTMSFMXMemoPascalStyler(QObject *parent) : QsciLexerCustom(parent)
{
    setDefaultFont(textFont());
    setAPIs(new PascalApis(this));
}

TTMSFMXMemoPascalStyler::~TTMSFMXMemoPascalStyler() = default;

QString TTMSFMXMemoPascalStyler::description(int style) const
{
    switch (style) {
    case pascal::Default: return QStringLiteral("Default");
    case pascal::Keyword: return QStringLiteral("Pascal Standard Default");
    case pascal::SingleQuote: return QStringLiteral("Simple Quote");
    case pascal::DoubleQuote: return QStringLiteral("Double Quote");
    case pascal::Symbol: return QStringLiteral("Symbols Delimiters");
    case pascal::Comment: return QStringLiteral("Comment");
    case pascal::MultiLineComment: return QStringLiteral("Multi line comment");
    case pascal::Number: return QStringLiteral("Number");
    case pascal::Link: return QStringLiteral("Link");
    case pascal::Highlight: return QStringLiteral("Highlight");
    default: return {};
    }
}

QColor TTMSFMXMemoPascalStyler::defaultColor(int style) const
{
    switch (style) {
    case pascal::Keyword: return kGreen;
    case pascal::SingleQuote:
    case pascal::DoubleQuote:
    case pascal::Link: return kBlue;
    case pascal::Symbol: return kRed;
    case pascal::Comment:
    case pascal::MultiLineComment: return kNavy;
    case pascal::Number: return kFuchsia;
    case pascal::Highlight: return kWhite;
    default: return kBlack;
    }
}

QColor TTMSFMXMemoPascalStyler::defaultPaper(int style) const
{
    return style == pascal::Highlight ? kGreen : kWhite;
}

QFont TTMSFMXMemoPascalStyler::defaultFont(int style) const
{
    QFont font = textFont();
    switch (style) {
    case pascal::Keyword:
    case pascal::Number: font.setBold(true); break;
    case pascal::Comment:
    case pascal::MultiLineComment: font.setItalic(true); break;
    case pascal::Link: font.setUnderline(true); break;
    default: break;
    }
    return font;
}

const char *TTMSFMXMemoPascalStyler::blockStart(int *style) const
{
    if (style)
        *style = pascal::Keyword;
    return "begin try case class record";
}

const char *TTMSFMXMemoPascalStyler::blockEnd(int *style) const
{
    if (style)
        *style = pascal::Keyword;
    return "end";
}

const char *TTMSFMXMemoPascalStyler::wordCharacters() const
{
    return "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
}

QString TTMSFMXMemoPascalStyler::fileFilter()
{
    return QStringLiteral("Pascal Files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc");
}

QStringList TTMSFMXMemoPascalStyler::autoCompletionWords()
{
    return {QStringLiteral("ShowMessage()"), QStringLiteral("MessageDlg()")};
}

QStringList TTMSFMXMemoPascalStyler::parameterHints()
{
    return {QStringLiteral("ShowMessage(const Msg: string);"),
            QStringLiteral("MessageDlg(const Msg: string; DlgType: TMsgDlgType; Buttons: TMsgDlgButtons; "
                           "HelpCtx: Longint): Integer);")};
}

QFont TTMSFMXMemoPascalStyler::textFont()
{
    static const QFont font = [] {
        const QString preferred = QStringLiteral("Courier New");
        QFont f = QFontDatabase::families().contains(preferred, Qt::CaseInsensitive)
                      ? QFont(preferred)
                      : QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setPointSize(kFontSize);
        f.setStyleHint(QFont::TypeWriter);
        return f;
    }();
    return font;
}

int TTMSFMXMemoPascalStyler::lineEndState(int line) const
{
    if (line < 0)
        return int(pascal::State::Normal);
    return int(editor()->SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, static_cast<unsigned long>(line)));
}

void TTMSFMXMemoPascalStyler::styleText(int start, int end)
{
    QsciScintilla *ed = editor();
    if (!ed || end <= start)
        return;
    // Restyle whole lines, starting in the state the previous line left.
    const int firstLine = int(ed->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start)));
    const int lastLine = int(ed->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(end - 1)));
    const long from = ed->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(firstLine));
    const long docLength = ed->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const long lineCount = ed->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT);
    // Up to the start of the next line, so the last line's break is styled too.
    const long stop = lastLine + 1 < lineCount
                          ? ed->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE,
                                              static_cast<unsigned long>(lastLine + 1))
                          : docLength;
    if (stop <= from)
        return;
    std::vector<char> bytes(std::size_t(stop - from) + 1, '\0');
    ed->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, from, stop, bytes.data());
    const std::string_view text(bytes.data(), std::size_t(stop - from));

    auto state = pascal::State(lineEndState(firstLine - 1));
    std::vector<std::uint8_t> styles;
    startStyling(int(from));
    std::size_t lineBegin = 0;
    int line = firstLine;
    while (lineBegin < text.size()) {
        std::size_t lineEnd = text.find('\n', lineBegin);
        lineEnd = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
        state = pascal::styleText(text.substr(lineBegin, lineEnd - lineBegin), state, styles);
        std::size_t runStart = 0;
        for (std::size_t k = 1; k <= styles.size(); ++k) {
            if (k == styles.size() || styles[k] != styles[runStart]) {
                setStyling(int(k - runStart), styles[runStart]);
                runStart = k;
            }
        }
        ed->SendScintilla(QsciScintillaBase::SCI_SETLINESTATE, static_cast<unsigned long>(line), long(state));
        lineBegin = lineEnd;
        ++line;
    }
}

PascalApis::PascalApis(QsciLexer *lexer) : QsciAbstractAPIs(lexer) {}

void PascalApis::updateAutoCompletionList(const QStringList &context, QStringList &list)
{
    const QString prefix = context.isEmpty() ? QString() : context.last();
    for (const QString &word : TTMSFMXMemoPascalStyler::autoCompletionWords())
        if (word.startsWith(prefix, Qt::CaseInsensitive))
            list.append(word);
}

QStringList PascalApis::callTips(const QStringList &context, int, QsciScintilla::CallTipsStyle, QList<int> &shifts)
{
    QStringList tips;
    if (context.isEmpty())
        return tips;
    // The context ends with the word before "(" and an empty entry for the "(".
    QString word = context.last();
    if (word.isEmpty() && context.size() > 1)
        word = context.at(context.size() - 2);
    for (const QString &hint : TTMSFMXMemoPascalStyler::parameterHints()) {
        if (hint.section(QLatin1Char('('), 0, 0).compare(word, Qt::CaseInsensitive) == 0) {
            tips.append(hint);
            shifts.append(0);
        }
    }
    return tips;
}

} // namespace vantor
