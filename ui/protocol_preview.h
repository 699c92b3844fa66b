// The rewritten protocol shown as a browser shows it, beside the text view.
//
// Wiring in the main window: a QTabWidget holds `Memo2` (the first tab, "Тэкст", stays the
// default and editable) and a `ProtocolPreview` ("Прагляд"). After "3. Пералічыць", and when
// the preview's tab is shown after edits of `Memo2`, call
//     preview->SetProtocol(ui::JoinLines(Memo2->Store().Lines()));
// A refresh takes about 0.1 s for a protocol of 4500 lines, too slow for every key press.
#pragma once

#include <string_view>

#include <QTextBrowser>

namespace ui {

class ProtocolDocument;

// A read-only browser over a `ProtocolDocument`: tables monospaced with their columns aligned,
// no image or style sheet loaded, and a click on a link only emits `anchorClicked` (it neither
// opens the link nor hands it to the desktop's browser).
class ProtocolPreview : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ProtocolPreview(QWidget *parent = nullptr);

    // Shows the protocol (Windows-1251 bytes), keeping the scroll position so that refreshing
    // after an edit does not jump back to the top.
    void SetProtocol(std::string_view protocol);

private:
    ProtocolDocument *m_document;
};

} // namespace ui
