// The editing commands of the output view: replacing text with undo and redo, the selection,
// the clipboard, and the right-click menu that offers them. Painting, keys and the mouse are in
// output_view.cpp.
#include "ui/output_view.h"
#include "ui/messages.h"

#include <algorithm>
#include <functional>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QGuiApplication>

namespace ui {

namespace {

    constexpr std::size_t UndoDepth = 1000; // steps that can be taken back

} // namespace

void OutputView::setPlainText(const QString &text)
{
    Clear();
    m_store.SetText(text);
    FinishFill();
}

void OutputView::SetCursorPosition(TextPosition at, bool keepAnchor)
{
    m_goalX = -1;
    MoveCursor(at, keepAnchor);
}

QString OutputView::SelectedText() const
{
    return HasSelection() ? m_store.TextBetween(m_anchor, m_cursor) : QString();
}

void OutputView::SelectAll()
{
    m_anchor = {};
    m_cursor = m_store.End();
    m_typing = false;
    viewport()->update();
}

void OutputView::Copy() const
{
    if (HasSelection())
        QGuiApplication::clipboard()->setText(SelectedText());
}

void OutputView::Cut()
{
    if (!HasSelection())
        return;
    Copy();
    InsertText(QString());
}

void OutputView::Paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        InsertText(text);
}

void OutputView::InsertText(const QString &text)
{
    Replace(std::min(m_anchor, m_cursor), std::max(m_anchor, m_cursor), text);
}

void OutputView::Undo()
{
    if (m_undo.empty())
        return;
    Edit edit = std::move(m_undo.back());
    m_undo.pop_back();
    Apply(edit, true);
    m_redo.push_back(std::move(edit));
}

void OutputView::Redo()
{
    if (m_redo.empty())
        return;
    Edit edit = std::move(m_redo.back());
    m_redo.pop_back();
    Apply(edit, false);
    m_undo.push_back(std::move(edit));
}

void OutputView::Replace(TextPosition from, TextPosition to, const QString &text, bool mergeTyping)
{
    from = m_store.Clamp(from);
    to = m_store.Clamp(to);
    if (to < from)
        std::swap(from, to);
    const QString inserted = NormalizeLineBreaks(text);
    if (from == to && inserted.isEmpty())
        return;
    Edit edit { from.Line, m_store.Take(from.Line, to.Line - from.Line + 1), {}, m_anchor, m_cursor,
        {} };
    m_store.Remove(from, to);
    const TextPosition end = m_store.Insert(from, inserted);
    edit.After = m_store.Take(from.Line, end.Line - from.Line + 1);
    edit.CursorAfter = end;
    // Typing on in one line extends the last step.
    const bool typing = mergeTyping && from == to && end.Line == from.Line;
    if (typing && m_typing && !m_undo.empty() && m_undo.back().First == from.Line
        && m_undo.back().CursorAfter == from) {
        m_undo.back().After = std::move(edit.After);
        m_undo.back().CursorAfter = end;
    } else {
        if (m_undo.size() == UndoDepth)
            m_undo.erase(m_undo.begin());
        m_undo.push_back(std::move(edit));
    }
    m_redo.clear();
    m_cursor = m_anchor = end;
    m_typing = typing;
    m_goalX = -1;
    UpdateScrollBars();
    EnsureCursorVisible();
    viewport()->update();
    emit Edited();
}

void OutputView::Apply(const Edit &edit, bool backwards)
{
    if (backwards) {
        m_store.Put(edit.First, edit.After.LineCount(), edit.Before);
        m_anchor = m_store.Clamp(edit.AnchorBefore);
        m_cursor = m_store.Clamp(edit.CursorBefore);
    } else {
        m_store.Put(edit.First, edit.Before.LineCount(), edit.After);
        m_cursor = m_anchor = m_store.Clamp(edit.CursorAfter);
    }
    m_typing = false;
    m_goalX = -1;
    UpdateScrollBars();
    EnsureCursorVisible();
    viewport()->update();
    emit Edited();
}

void OutputView::RemoveSelectionOr(TextPosition from, TextPosition to)
{
    if (HasSelection())
        InsertText(QString());
    else
        Replace(from, to, QString());
}

void OutputView::MoveCursor(TextPosition at, bool keepAnchor)
{
    m_cursor = m_store.Clamp(at);
    if (!keepAnchor)
        m_anchor = m_cursor;
    m_typing = false;
    EnsureCursorVisible();
    viewport()->update();
}

QMenu *OutputView::CreateContextMenu()
{
    auto *menu = new QMenu(this);
    const auto add = [menu](const QString &caption, QKeySequence::StandardKey key, bool enabled,
                         const std::function<void()> &command) {
        QAction *action = menu->addAction(caption, command);
        action->setShortcut(key);
        action->setEnabled(enabled);
    };
    const bool canPaste = !QGuiApplication::clipboard()->text().isEmpty();
    add(ui::text::UndoCommand(), QKeySequence::Undo, !m_undo.empty(), [this] { Undo(); });
    add(ui::text::RedoCommand(), QKeySequence::Redo, !m_redo.empty(), [this] { Redo(); });
    menu->addSeparator();
    add(ui::text::CutCommand(), QKeySequence::Cut, HasSelection(), [this] { Cut(); });
    add(ui::text::CopyCommand(), QKeySequence::Copy, HasSelection(), [this] { Copy(); });
    add(ui::text::PasteCommand(), QKeySequence::Paste, canPaste, [this] { Paste(); });
    menu->addSeparator();
    add(ui::text::SelectAllCommand(), QKeySequence::SelectAll, true, [this] { SelectAll(); });
    return menu;
}

void OutputView::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = CreateContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace ui
