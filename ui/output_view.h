// OutputView: the editable text view of the rewritten protocol, painting only the lines in
// sight so that a million lines show as fast as ten.
#pragma once

#include <vector>

#include <QAbstractScrollArea>

#include "ui/output_store.h"

class QMenu;

namespace ui {

// A plain-text editor over an OutputStore, without line wrapping, in the widget's font (meant
// to be monospaced). It offers what a secretary needs to correct a protocol: a caret moved by
// the arrows, Home/End, Page Up/Down and Ctrl+Home/End; selection with Shift or the mouse;
// typing (input methods included; their text being composed is not shown), Enter, Backspace
// and Delete; Ctrl+A/C/X/V, Ctrl+Z and redo, and the same in a right-click menu. Tab is left to
// focus changes. Lines longer than 4096 characters are measured in the font's fixed advance.
// Filling goes straight into the store: Clear(), AppendLine() for each line, then FinishFill() to
// show the result.
class OutputView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit OutputView(QWidget *parent = nullptr);

    const OutputStore &Store() const { return m_store; }
    void Clear(std::size_t bytes = 0, std::size_t lines = 0);
    void AppendLine(std::string_view bytes) { m_store.AppendLine(bytes); }
    void FinishFill();

    QString toPlainText() const { return m_store.PlainText(); }
    void setPlainText(const QString &text);

    TextPosition CursorPosition() const { return m_cursor; }
    void SetCursorPosition(TextPosition at, bool keepAnchor = false);
    QString SelectedText() const;
    void SelectAll();
    void Copy() const;
    void Cut();
    void Paste();
    // Replaces the selection (or inserts at the caret), as typing does.
    void InsertText(const QString &text);
    void Undo();
    void Redo();
    // The text differs from what the last fill put there: some edit is not undone.
    bool HandEdited() const { return !m_undo.empty(); }

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    // The menu of a right click: the editing commands, with Belarusian captions like the
    // rest of the window (Qt brings no Belarusian translation of its own).
    QMenu *CreateContextMenu();

signals:
    // The user changed the text (typing, pasting, cutting, undo, redo); a fill is no edit.
    void Edited();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // One change: the lines from `First` as they were and as they became, and where the
    // selection was before and the caret after.
    struct Edit
    {
        qsizetype First = 0;
        OutputStore::Snapshot Before;
        OutputStore::Snapshot After;
        TextPosition AnchorBefore;
        TextPosition CursorBefore;
        TextPosition CursorAfter;
    };

    static constexpr int TextMargin = 3; // pixels left of the text

    bool HasSelection() const { return m_anchor != m_cursor; }
    void Replace(TextPosition from, TextPosition to, const QString &text, bool mergeTyping = false);
    void Apply(const Edit &edit, bool backwards);
    void RemoveSelectionOr(TextPosition from, TextPosition to);
    void MoveCursor(TextPosition at, bool keepAnchor);
    bool Navigate(QKeyEvent *event);
    TextPosition WordBoundary(TextPosition at, int direction) const;

    int LineHeight() const;
    int CharWidth() const;
    int VisibleLines() const;
    int XOf(const QString &text, qsizetype column) const;
    TextPosition PositionAt(QPoint point) const;
    void UpdateScrollBars();
    void EnsureCursorVisible();

    OutputStore m_store;
    TextPosition m_cursor;
    TextPosition m_anchor;
    int m_goalX = -1; // where Up and Down aim, in text pixels; -1: the caret's own
    std::vector<Edit> m_undo;
    std::vector<Edit> m_redo;
    bool m_typing = false; // the last undo step is typing that the next key may extend
};

} // namespace ui
