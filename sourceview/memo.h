#pragma once

#include "sourceview/pascalstyler.h"
#include "streams/stringlist.h"

#include <Qsci/qsciscintilla.h>

#include <QPointer>

#include <string>

namespace vantor {

// The read-only source viewer: a line-number gutter, an active line that is
// highlighted and marked in the gutter, tab size 4 with tabs expanded to
// blanks on load. The lines as loaded (UTF-8, tabs expanded) are kept for
// the procedure index. Lines and columns are 0-based.
class TTMSFMXMemo : public QsciScintilla
{
    Q_OBJECT
public:
    explicit TTMSFMXMemo(QWidget *parent = nullptr);
    ~TTMSFMXMemo() override;

    // Replaces the whole content with a text file: encoding by byte-order
    // mark, else Windows-1252; tabs become four blanks. Raises EFOpenError
    // when the file cannot be read, and then the content stays as it was.
    void LoadFromFile(const std::string &fileName);
    // Replaces the whole content with lines (tabs are expanded here too).
    void LoadFromLines(TStringList lines);
    // Empties the viewer; the active line goes back to 0.
    void Clear();

    const TStringList &Lines() const { return m_lines; }
    int LineCount() const { return m_lines.count(); }
    // The text of a line (UTF-8); empty outside the text.
    std::string LineText(int line) const;

    // The styler; the viewer does not own it, and either may be destroyed first.
    void SetSyntaxStyles(TTMSFMXMemoPascalStyler *styler);
    TTMSFMXMemoPascalStyler *SyntaxStyles() const { return m_styler; }

    // Whether moving the caret makes its line the active line (on at start).
    bool ActiveLineAtCursor() const { return m_activeLineAtCursor; }
    void SetActiveLineAtCursor(bool on) { m_activeLineAtCursor = on; }
    // The active line as last set, even when it lies outside the text (then
    // no line is highlighted).
    int ActiveLine() const { return m_activeLine; }
    void SetActiveLine(int line);
    // Repaints.
    void Refresh();
    // Places the caret at column col of line, clearing any selection; a line
    // outside the text is clamped to the first or last line; the caret line
    // is scrolled into view.
    void SetCaret(int col, int line);
    int CaretLine() const;

    // Focus, active line independent of the caret from now on, line made
    // active, repaint, caret at its start and the line in view.
    void JumpToLine(int line0);

    // Marker numbers of the active line: its background and its gutter sign.
    static constexpr int kActiveLineMarker = 0;
    static constexpr int kActiveLineGutterMarker = 1;

private:
    void caretMoved(int line, int index);
    void updateLineNumberWidth();

    TStringList m_lines;
    QPointer<TTMSFMXMemoPascalStyler> m_styler; // null again when the styler is destroyed first
    bool m_activeLineAtCursor = true;
    int m_activeLine = 0;
};

} // namespace vantor
