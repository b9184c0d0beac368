#pragma once

#include "sourceview/pascalstyles.h"

#include <Qsci/qsciabstractapis.h>
#include <Qsci/qscilexercustom.h>

#include <QColor>
#include <QFont>
#include <QStringList>

namespace vantor {

// The Pascal syntax styler of the source viewer: keywords bold green (any
// letter case), strings blue, symbols red, comments navy italic, numbers
// fuchsia bold, "$" as the hexadecimal prefix; fonts "Courier New" size 8
// where that font is installed, else the system's fixed-pitch font.
class TTMSFMXMemoPascalStyler : public QsciLexerCustom
{
    Q_OBJECT
public:
    explicit TTMSFMXMemoPascalStyler(QObject *parent = nullptr);
    ~TTMSFMXMemoPascalStyler() override;

    const char *language() const override { return "Pascal"; }
    QString description(int style) const override;
    void styleText(int start, int end) override;

    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    QFont defaultFont(int style) const override;
    bool caseSensitive() const override { return false; }
    QStringList autoCompletionWordSeparators() const override { return {QStringLiteral(".")}; }
    const char *blockStart(int *style = nullptr) const override;
    const char *blockEnd(int *style = nullptr) const override;
    const char *wordCharacters() const override;

    // The styler's settings that the view does not use itself.
    static QString stylerName() { return QStringLiteral("Pascal"); }
    static QString defaultExtension() { return QStringLiteral(".pas"); }
    static QString extensions() { return QStringLiteral("pas;dpr;dpk;inc"); }
    static QString fileFilter();
    static QStringList autoCompletionWords();
    static QStringList parameterHints();

    // "Courier New" size 8 where installed, else the system's fixed font at 8.
    static QFont textFont();

private:
    // Scintilla keeps one integer per line; it holds the state the line ends in.
    int lineEndState(int line) const;
};

// The auto-completion words and parameter hints, offered synchronously.
class PascalApis : public QsciAbstractAPIs
{
    Q_OBJECT
public:
    explicit PascalApis(QsciLexer *lexer);
    void updateAutoCompletionList(const QStringList &context, QStringList &list) override;
    QStringList callTips(const QStringList &context, int commas, QsciScintilla::CallTipsStyle style,
                         QList<int> &shifts) override;
};

} // namespace vantor
