// The rewritten protocol shown as a browser shows it, beside the text view.
//
// Wiring in the main window: a QTabWidget holds `Memo2` (the first tab, "Тэкст", stays the
// default and editable) and a `ProtocolPreview` ("Прагляд"). After "3. Пералічыць", and when
// the preview's tab is shown after edits of `Memo2`, call
//     preview->SetLines(store.LineCount(), [&store](qsizetype line) { return store.Text(line); });
// with `Memo2->Store()`. A page of PageLines lines takes about 0.1 s to lay out.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <QTextBrowser>

namespace ui {

class ProtocolDocument;

// A read-only browser over a `ProtocolDocument`: tables monospaced with their columns aligned,
// no image or style sheet loaded, and a click on a link only emits `anchorClicked` (it neither
// opens the link nor hands it to the desktop's browser).
//
// A long protocol is shown a page of PageLines lines at a time, with a bar above and below that
// says which lines are shown and turns to the page before or after (also Ctrl+PageUp and
// Ctrl+PageDown): laying out a million lines at once took a minute and gigabytes, a page takes
// the same short time whatever the protocol's length. A page that begins inside a "<pre>" table
// is shown as a table still.
class ProtocolPreview : public QTextBrowser
{
    Q_OBJECT

public:
    // The text of a line (from 0), without its line break.
    using LineText = std::function<QString(qsizetype line)>;
    static constexpr qsizetype PageLines = 2000;

    explicit ProtocolPreview(QWidget *parent = nullptr);

    // Shows the protocol (Windows-1251 bytes, lines ended by '\n'), keeping the page and the
    // scroll position so that refreshing after an edit does not jump back to the top.
    void SetProtocol(std::string_view protocol);
    // The same for `count` lines that `line` gives; `line` is asked again when the page is
    // turned, so what it reads must live until the next call.
    void SetLines(qsizetype count, LineText line);

    qsizetype Page() const { return m_page; }
    qsizetype PageCount() const;
    // Turns to `page` (from 0, kept within the pages), shown from its top.
    void ShowPage(qsizetype page);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Render();
    bool StartsInsideTable(qsizetype first) const;
    void AddPageBars(qsizetype first, qsizetype end);
    void AnchorClicked(const QUrl &url);

    ProtocolDocument *m_document;
    qsizetype m_count = 0;
    LineText m_line;
    qsizetype m_page = 0;
    // The text SetProtocol was given, and where each of its lines starts.
    std::string m_text;
    std::vector<std::size_t> m_lineStarts;
};

} // namespace ui
