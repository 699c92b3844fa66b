#include "ui/qualification_list_tab.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/save.h"
#include "ui/busy_scope.h"
#include "ui/dialogs.h"
#include "ui/messages.h"
#include "ui/protocol_preview.h"
#include "ui/protocol_printer.h"
#include "ui/text_codec.h"

namespace ui {

namespace {

    QPushButton *CreateButton(QWidget *parent, const char *name, const QString &text)
    {
        auto *button = new QPushButton(text, parent);
        button->setObjectName(QString::fromLatin1(name));
        button->setEnabled(false);
        return button;
    }

} // namespace

QualificationListTab::QualificationListTab(QWidget *parent)
    : QWidget(parent)
    , m_note(new QLabel(this))
    , m_preview(new ProtocolPreview(this))
    , m_save(CreateButton(this, "ListSaveButton", text::ListSaveButton()))
    , m_print(CreateButton(this, "ListPrintButton", text::ListPrintButton()))
    , m_pdf(CreateButton(this, "ListPdfButton", text::ListPdfButton()))
    , m_saveDialog(CreateSaveDialog(this))
    , m_pdfDialog(CreateSaveDialog(this))
{
    m_note->setObjectName(QStringLiteral("ListNote"));
    m_preview->setObjectName(QStringLiteral("ListPreview"));
    m_saveDialog->setObjectName(QStringLiteral("ListSaveDialog"));
    m_saveDialog->setNameFilters({ text::ListCsvFilter(), text::HtmFileFilter() });
    m_saveDialog->setDefaultSuffix(QStringLiteral("csv"));
    // A name typed without an extension takes the format chosen.
    connect(m_saveDialog, &QFileDialog::filterSelected, this, [this](const QString &filter) {
        m_saveDialog->setDefaultSuffix(
            filter == text::ListCsvFilter() ? QStringLiteral("csv") : QStringLiteral("htm"));
    });
    m_pdfDialog->setObjectName(QStringLiteral("ListPdfDialog"));
    m_pdfDialog->setNameFilters({ text::PdfFilter() });
    m_pdfDialog->setDefaultSuffix(QStringLiteral("pdf"));

    ChooseListFile = [this] { return RunFileDialog(m_saveDialog); };
    ChoosePdfFile = [this] { return RunFileDialog(m_pdfDialog); };
    OutputPath = [] { return QString(); };
    ShowError = [this](const QString &message) { ShowMessage(this, MessageKind::Error, message); };
    Confirm = [this](const QString &question) { return AskYesNo(this, question); };
    RunDialog = [](QDialog &dialog) { dialog.exec(); };

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_note, 1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(buttons);
    layout->addWidget(m_preview, 1);
    m_note->setWordWrap(true);
    // Like the output's other tabs, the buttons are for the mouse: Tab stays with the steps.
    for (QPushButton *button : { m_save, m_print, m_pdf })
        button->setFocusPolicy(Qt::ClickFocus);

    connect(m_save, &QPushButton::clicked, this, &QualificationListTab::SaveClick);
    connect(m_print, &QPushButton::clicked, this, &QualificationListTab::PrintClick);
    connect(m_pdf, &QPushButton::clicked, this, &QualificationListTab::PdfClick);
    Clear();
}

void QualificationListTab::SetList(ListMaker make, engine::SourceEncoding encoding)
{
    m_list.reset();
    m_make = std::move(make);
    m_encoding = encoding;
    m_note->setText(text::ListNote());
    m_pageShown = false;
    if (isVisible())
        ShowPage();
    for (QPushButton *button : { m_save, m_print, m_pdf })
        button->setEnabled(true);
}

void QualificationListTab::SetOutOfDate(bool outOfDate)
{
    if (HasList())
        m_note->setText(outOfDate ? text::ListOutOfDate() : text::ListNote());
}

void QualificationListTab::Clear()
{
    m_list.reset();
    m_make = nullptr;
    m_note->setText(text::ListNotMade());
    m_preview->SetProtocol({});
    m_pageShown = true;
    for (QPushButton *button : { m_save, m_print, m_pdf })
        button->setEnabled(false);
}

void QualificationListTab::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ShowPage();
}

void QualificationListTab::ShowPage()
{
    if (m_pageShown)
        return;
    m_pageShown = true;
    m_preview->SetProtocol(PrintedPage());
}

const engine::QualificationList *QualificationListTab::List() const
{
    if (m_make) {
        // A second or so at a million lines: the window shows it is at work.
        const BusyScope busy(window());
        m_list = m_make();
        m_make = nullptr;
    }
    return m_list ? &*m_list : nullptr;
}

std::string QualificationListTab::PrintedPage() const
{
    const engine::QualificationList *list = List();
    return list ? engine::QualificationListHtml(*list, {}) : std::string();
}

std::string QualificationListTab::FileBytes(engine::ListFormat format) const
{
    const engine::QualificationList *list = List();
    if (!list)
        return {};
    return format == engine::ListFormat::Csv ? engine::QualificationListCsv(*list)
                                             : engine::QualificationListHtml(*list, m_encoding);
}

QString QualificationListTab::ProposedName(const QString &extension) const
{
    const QString output = OutputPath();
    if (output.isEmpty())
        return {};
    const QString pdf = DefaultPdfName(output); // the output's name without its extension
    return pdf.left(pdf.size() - 4) + text::ListFileSuffix() + extension;
}

bool QualificationListTab::MayWrite(const QString &path)
{
    return !QFileInfo::exists(path)
        || Confirm(text::OverwriteQuestion().arg(QDir::toNativeSeparators(path)));
}

void QualificationListTab::SaveClick()
{
    if (!HasList())
        return;
    m_saveDialog->selectFile(ProposedName(QStringLiteral(".csv")));
    const QString path = ChooseListFile();
    if (path.isEmpty() || !MayWrite(path))
        return;
    // The name's extension says the format; a name without one takes the filter chosen.
    const engine::ListFormat chosen = m_saveDialog->selectedNameFilter() == text::HtmFileFilter()
        ? engine::ListFormat::Html
        : engine::ListFormat::Csv;
    const engine::ListFormat format = engine::ListFormatOf(path.toStdString()).value_or(chosen);
    const engine::Status written = engine::WriteFileAtomically(
        ToPath(path), FileBytes(format));
    if (!written)
        ShowError(text::ListSaveFailed().arg(
            QDir::toNativeSeparators(path), QString::fromStdString(written.Error().Reason)));
}

void QualificationListTab::PrintClick()
{
    if (!HasList())
        return;
    const std::unique_ptr<QPrintPreviewDialog> dialog = MakePrintPreview(PrintedPage(), this);
    RunDialog(*dialog);
}

void QualificationListTab::PdfClick()
{
    if (!HasList())
        return;
    m_pdfDialog->selectFile(ProposedName(QStringLiteral(".pdf")));
    const QString path = ChoosePdfFile();
    if (path.isEmpty() || !MayWrite(path))
        return;
    const PrintOutcome outcome = WritePdf(path, PrintedPage());
    if (!outcome)
        ShowError(QString::fromStdString(outcome.Error().Reason));
}

} // namespace ui
