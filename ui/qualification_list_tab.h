// The output's third tab, "Разрады": the list of qualifications earned as it prints, saved as
// CSV or as a page, printed and written as PDF through the protocol's own printing.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QWidget>

#include "engine/protocol_encoding.h"
#include "engine/qualification_list.h"

class QDialog;
class QFileDialog;
class QLabel;
class QPushButton;

namespace ui {

class ProtocolPreview;

// Shows the list of the last recalculation (SetList), or says that the list is made by
// recalculating (Clear: the protocol read anew, or the recalculation failed). The buttons are
// enabled only while a list is shown. Saving asks for a file (CSV, or a page for "*.htm" in the
// protocol's encoding), asks before replacing one, and writes it whole or not at all; print and
// PDF take the page as the protocol's printout does (A4, page numbers).
class QualificationListTab : public QWidget
{
    Q_OBJECT

public:
    explicit QualificationListTab(QWidget *parent = nullptr);

    // The list is made by `make` the first time it is shown, saved or printed: at a million
    // lines, sorting and formatting its rows at every recalculation would double the time one
    // takes, and the memory the window holds.
    using ListMaker = std::function<engine::QualificationList()>;
    void SetList(ListMaker make, engine::SourceEncoding encoding);
    void Clear();
    // The results the list was made with are out of date: the note says the list is too.
    void SetOutOfDate(bool outOfDate);
    bool HasList() const { return m_list.has_value() || static_cast<bool>(m_make); }

    // The page as printed and previewed (Windows-1251), and a file's bytes in `format`; both
    // empty without a list.
    std::string PrintedPage() const;
    std::string FileBytes(engine::ListFormat format) const;

    void SaveClick();
    void PrintClick();
    void PdfClick();

    // The window answers these, so that its tests answer them too.
    std::function<QString()> ChooseListFile; // empty when cancelled
    std::function<QString()> ChoosePdfFile;
    std::function<QString()> OutputPath; // the protocol's output file, for the names proposed
    std::function<void(const QString &)> ShowError;
    std::function<bool(const QString &)> Confirm;
    std::function<void(QDialog &)> RunDialog;

protected:
    // The page is laid out when the tab is shown: a protocol of a million lines gives a list of
    // many thousand rows, too slow to lay out at every recalculation.
    void showEvent(QShowEvent *event) override;

private:
    void ShowPage();
    const engine::QualificationList *List() const; // made now if not yet; none without one

    // The output's name with `suffix` and `extension`: "140208_res.htm" ->
    // "140208_res_razrady.csv".
    QString ProposedName(const QString &extension) const;
    bool MayWrite(const QString &path); // new, or the user lets it be replaced

    mutable ListMaker m_make; // the list not yet made
    mutable std::optional<engine::QualificationList> m_list;
    engine::SourceEncoding m_encoding;
    bool m_pageShown = false; // the preview shows the list held
    QLabel *m_note;
    ProtocolPreview *m_preview;
    QPushButton *m_save;
    QPushButton *m_print;
    QPushButton *m_pdf;
    QFileDialog *m_saveDialog;
    QFileDialog *m_pdfDialog;
};

} // namespace ui
