// TForm1's controls: creating them, laying them out and wiring their handlers.
#include "ui/Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/dialogs.h"
#include "ui/group_list_editors.h"
#include "ui/messages.h"
#include "ui/output_view.h"
#include "ui/points_grid_view.h"
#include "ui/points_table_model.h"
#include "ui/protocol_drop.h"
#include "ui/protocol_preview.h"
#include "ui/qualification_list_tab.h"
#include "ui/recent_files.h"
#include "ui/text_codec.h"

namespace {

constexpr int ClientWidth = 707;
constexpr int ClientHeight = 555;
constexpr int UiFontPoints = 8;
constexpr int OutputFontPoints = 9;
constexpr int OutputViewHeight = 150;

// Wide enough for the caption in bold, so that the guidance does not change the layout.
void FitBoldCaption(QPushButton *button)
{
    QFont bold = button->font();
    bold.setBold(true);
    button->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(button->text()) + 24);
}

template <typename Widget, typename... Args>
Widget *Create(QWidget *parent, const char *name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel *CreateLabel(QWidget *parent, const char *name, const QString &text, QWidget *buddy)
{
    auto *label = Create<QLabel>(parent, name, text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

void TForm1::CreateControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ui::text::WindowCaption());
    QFont uiFont = font();
    uiFont.setPointSize(UiFontPoints);
    setFont(uiFont);
    setAcceptDrops(true);

    LabeledEdit1 = Create<QLineEdit>(this, "LabeledEdit1");
    LabeledEdit1->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    LabeledEdit1Label
        = CreateLabel(this, "LabeledEdit1Label", ui::text::ProtocolFileLabel(), LabeledEdit1);
    Button2 = Create<QPushButton>(this, "Button2", ui::text::ChooseProtocolStep());
    RecentButton = Create<ui::RecentFilesButton>(this, "RecentButton");
    Button3 = Create<QPushButton>(this, "Button3", ui::text::ReadStep());

    StringGrid2 = Create<QTableView>(this, "StringGrid2");
    Label2 = CreateLabel(this, "Label2", ui::text::GroupsLabel(), StringGrid2);

    m_pointsModel = new ui::PointsTableModel(this);
    StringGrid1 = Create<ui::PointsGridView>(this, "StringGrid1");
    StringGrid1->setModel(m_pointsModel);
    Label3 = CreateLabel(this, "Label3", ui::text::TablesLabel(), StringGrid1);

    checkUseVK = Create<QCheckBox>(this, "checkUseVK", ui::text::CountOutOfCompetitionOption());
    CheckBox1 = Create<QCheckBox>(this, "CheckBox1", ui::text::RatingPointsOption());
    LabeledEdit3 = Create<QLineEdit>(this, "LabeledEdit3", QStringLiteral("1000"));
    LabeledEdit3->setEnabled(false);
    LabeledEdit3Label
        = CreateLabel(this, "LabeledEdit3Label", ui::text::FactorLabel(), LabeledEdit3);
    LabeledEdit4 = Create<QLineEdit>(this, "LabeledEdit4", QStringLiteral("2"));
    LabeledEdit4->setEnabled(false);
    LabeledEdit4Label
        = CreateLabel(this, "LabeledEdit4Label", ui::text::FactorLabel(), LabeledEdit4);
    Button1 = Create<QPushButton>(this, "Button1", ui::text::RecalculateStep());
    CheckBox2 = Create<QCheckBox>(this, "CheckBox2", ui::text::ExcludeForeignOption());
    CheckBox2->setChecked(true);

    Memo2 = Create<ui::OutputView>(this, "Memo2");
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    QFont outputFont(QStringLiteral("Courier New"), OutputFontPoints);
    outputFont.setStyleHint(QFont::TypeWriter);
    outputFont.setFixedPitch(true);
    Memo2->setFont(outputFont);
    Memo2->setPlainText(ui::text::InitialOutput());
    Preview = Create<ui::ProtocolPreview>(this, "Preview");
    OutputTabs = Create<QTabWidget>(this, "OutputTabs");
    OutputTabs->addTab(Memo2, ui::text::TextTab());
    OutputTabs->addTab(Preview, ui::text::PreviewTab());
    ListTab = Create<ui::QualificationListTab>(this, "ListTab");
    ListTab->ShowError = [this](const QString &text) { ShowError(text); };
    ListTab->Confirm = [this](const QString &text) { return Confirm(text); };
    ListTab->RunDialog = [this](QDialog &dialog) { RunDialog(dialog); };
    ListTab->OutputPath = [this] { return LabeledEdit2->text(); };
    OutputTabs->addTab(ListTab, ui::text::ListTab());
    OutputTabs->setDocumentMode(true);
    // Like the output view, the tabs are for the mouse: Tab and the focus stay with the steps.
    OutputTabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    // Over the tabs, in sight whichever is shown, as long as the results are out of date.
    OutputStateLabel = Create<QLabel>(this, "OutputStateLabel");
    OutputStateLabel->setTextFormat(Qt::PlainText);
    OutputStateLabel->setWordWrap(true);
    OutputStateLabel->setStyleSheet(
        QStringLiteral("QLabel { background: #fff3b0; color: #7a2e00; font-weight: bold; "
                       "padding: 2px 6px; border: 1px solid #d9a400; }"));
    OutputStateLabel->hide();

    LabeledEdit2 = Create<QLineEdit>(this, "LabeledEdit2");
    LabeledEdit2Label
        = CreateLabel(this, "LabeledEdit2Label", ui::text::OutputFileLabel(), LabeledEdit2);
    Button4 = Create<QPushButton>(this, "Button4", ui::text::ChooseOutputStep());
    Button5 = Create<QPushButton>(this, "Button5", ui::text::SaveStep());
    CollectorEmail = Create<QLineEdit>(this, "CollectorEmail");
    CollectorEmailLabel
        = CreateLabel(this, "CollectorEmailLabel", ui::text::CollectorEmailLabel(), CollectorEmail);
    PrintButton = Create<QToolButton>(this, "PrintButton");
    PrintButton->setText(ui::text::PrintButton());
    PdfButton = Create<QToolButton>(this, "PdfButton");
    PdfButton->setText(ui::text::PdfButton());
    AboutButton = Create<QToolButton>(this, "AboutButton");
    AboutButton->setText(ui::text::AboutButton());
    CreateLanguageMenu();
    for (QPushButton *button : { Button1, Button2, Button3, Button4, Button5 }) {
        button->setAutoDefault(true); // Enter presses the focused step
        FitBoldCaption(button);
    }

    OpenDialog1 = ui::CreateOpenDialog(this);
    SaveDialog1 = ui::CreateSaveDialog(this);
    PdfDialog1 = ui::CreateSaveDialog(this);
    PdfDialog1->setObjectName(QStringLiteral("PdfDialog1"));
    PdfDialog1->setNameFilters({ ui::text::PdfFilter() });
    PdfDialog1->setDefaultSuffix(QStringLiteral("pdf"));
    m_groupEditors = std::make_unique<ui::GroupListEditors>(StringGrid2, m_groups, this);
}

void TForm1::LayOutControls()
{
    auto *input = new QGridLayout;
    input->addWidget(LabeledEdit1Label, 0, 0);
    input->addWidget(LabeledEdit1, 1, 0);
    input->addWidget(Button2, 1, 1);
    input->addWidget(RecentButton, 1, 2);
    input->addWidget(Button3, 1, 3);
    input->addWidget(LanguageButton, 1, 4);
    input->setColumnStretch(0, 1);
    input->setVerticalSpacing(2);

    auto *grids = new QGridLayout;
    grids->addWidget(Label2, 0, 0);
    grids->addWidget(Label3, 0, 1);
    grids->addWidget(StringGrid2, 1, 0);
    grids->addWidget(StringGrid1, 1, 1);
    grids->setColumnStretch(1, 1);
    grids->setRowStretch(1, 1);
    grids->setVerticalSpacing(2);

    auto *rating = new QHBoxLayout;
    rating->addWidget(CheckBox1);
    rating->addSpacing(12);
    rating->addWidget(LabeledEdit3Label);
    rating->addWidget(LabeledEdit3);
    rating->addSpacing(8);
    rating->addWidget(LabeledEdit4Label);
    rating->addWidget(LabeledEdit4);
    rating->addStretch(1);
    rating->addWidget(Button1);
    const int factorWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12;
    LabeledEdit3->setFixedWidth(factorWidth);
    LabeledEdit4->setFixedWidth(factorWidth);

    auto *output = new QGridLayout;
    output->addWidget(LabeledEdit2Label, 0, 0);
    output->addWidget(LabeledEdit2, 1, 0);
    output->addWidget(Button4, 1, 1);
    output->addWidget(Button5, 1, 2);
    output->addWidget(CollectorEmailLabel, 0, 3);
    output->addWidget(CollectorEmail, 1, 3);
    output->addWidget(PrintButton, 1, 4);
    output->addWidget(PdfButton, 1, 5);
    output->addWidget(AboutButton, 1, 6);
    output->setColumnStretch(0, 3);
    output->setColumnStretch(3, 1);
    output->setVerticalSpacing(2);

    auto *upper = new QWidget(this);
    auto *settings = new QVBoxLayout(upper);
    settings->setContentsMargins(0, 0, 0, 0);
    settings->setSpacing(4);
    settings->addLayout(input);
    settings->addLayout(grids, 1);
    settings->addWidget(checkUseVK);
    settings->addLayout(rating);
    settings->addWidget(CheckBox2);

    // The output views take the height the window gains; the user may move the border.
    auto *splitter = OutputSplitter = Create<QSplitter>(this, "OutputSplitter", Qt::Vertical);
    splitter->setChildrenCollapsible(false);
    auto *lower = new QWidget(this);
    auto *outputs = new QVBoxLayout(lower);
    outputs->setContentsMargins(0, 0, 0, 0);
    outputs->setSpacing(2);
    outputs->addWidget(OutputStateLabel);
    outputs->addWidget(OutputTabs, 1);
    splitter->addWidget(upper);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 6, 8, 8);
    root->setSpacing(4);
    root->addWidget(splitter, 1);
    root->addLayout(output);

    resize(ClientWidth, ClientHeight);
    root->activate();
    const int height = splitter->height();
    splitter->setSizes({ height - OutputViewHeight, OutputViewHeight });

    // Tab walks the steps in order; the path edit and the output view are reached by mouse.
    QWidget *order[] = { Button2, RecentButton, Button3, StringGrid2, m_groupEditors->ClassEditor(),
        m_groupEditors->CategoryEditor(), m_groupEditors->MastersEditor(),
        m_groupEditors->TableEditor(), StringGrid1, checkUseVK, CheckBox1, LabeledEdit3,
        LabeledEdit4, Button1, CheckBox2, LabeledEdit2, Button4, Button5, CollectorEmail,
        PrintButton, PdfButton, AboutButton, LanguageButton };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TForm1::ConnectHandlers()
{
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    // Once the menu has closed, so that the next step's button keeps the focus it is given.
    connect(RecentButton, &ui::RecentFilesButton::Chosen, this, &TForm1::RecentFileChosen,
        Qt::QueuedConnection);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(checkUseVK, &QCheckBox::toggled, this, &TForm1::checkUseVKClick);

    connect(StringGrid1->CellDelegate(), &ui::PointsCellDelegate::EditTextChanged, this,
        [this](const QModelIndex &index, const QString &text) {
            const points::CellPosition cell = ui::PointsTableModel::CellOf(index);
            StringGrid1SetEditText(cell.Col, cell.Row, text);
        });
    connect(m_pointsModel, &ui::PointsTableModel::TablesEdited, this, &TForm1::FillTableCaptions);
    connect(StringGrid1, &ui::PointsGridView::CellSelected, this, &TForm1::StringGrid1SelectCell);
    connect(
        StringGrid1, &ui::PointsGridView::ClearRequested, this, [this](const QList<QPoint> &cells) {
            std::vector<points::CellPosition> positions;
            for (const QPoint &cell : cells)
                positions.push_back({ cell.x(), cell.y() });
            StringGrid1ClearCells(positions);
        });
    connect(qApp, &QApplication::focusChanged, this, &TForm1::FocusChanged);
    // Enter in a path edit does its step: read the protocol, save the output.
    connect(LabeledEdit1, &QLineEdit::returnPressed, this, &TForm1::Button3Click);
    connect(LabeledEdit2, &QLineEdit::returnPressed, this, &TForm1::Button5Click);
    connect(CollectorEmail, &QLineEdit::editingFinished, this, &TForm1::CollectorEmailExit);
    connect(PrintButton, &QToolButton::clicked, this, &TForm1::PrintButtonClick);
    connect(PdfButton, &QToolButton::clicked, this, &TForm1::PdfButtonClick);
    connect(AboutButton, &QToolButton::clicked, this, &TForm1::AboutButtonClick);
    connect(OutputTabs, &QTabWidget::currentChanged, this, &TForm1::RefreshPreview);
    // Everything the results are made from: a change tells whether they are out of date now.
    for (QAbstractItemModel *model :
        { StringGrid2->model(), static_cast<QAbstractItemModel *>(m_pointsModel) }) {
        connect(model, &QAbstractItemModel::dataChanged, this, &TForm1::InputsChanged);
        connect(model, &QAbstractItemModel::modelReset, this, &TForm1::InputsChanged);
    }
    for (QCheckBox *box : { checkUseVK, CheckBox1, CheckBox2 })
        connect(box, &QCheckBox::toggled, this, &TForm1::InputsChanged);
    for (QLineEdit *factor : { LabeledEdit3, LabeledEdit4 })
        connect(factor, &QLineEdit::textChanged, this, &TForm1::InputsChanged);
    connect(Memo2, &ui::OutputView::Edited, this, [this] { m_resultsUnsaved = true; });
    CreateShortcuts();

    // A protocol file dropped anywhere on the window is read, also over the edits.
    auto *drop = new ui::ProtocolDrop(this);
    connect(drop, &ui::ProtocolDrop::Dropped, this, &TForm1::OpenProtocol);
    for (QWidget *target : { static_cast<QWidget *>(this), static_cast<QWidget *>(LabeledEdit1),
             static_cast<QWidget *>(LabeledEdit2), static_cast<QWidget *>(LabeledEdit3),
             static_cast<QWidget *>(LabeledEdit4), Memo2->viewport(), Preview->viewport() })
        target->installEventFilter(drop);
}

void TForm1::CreateShortcuts()
{
    // Window-wide, so that they work from any control; the tooltips name them.
    const auto add = [this](QKeySequence keys, QWidget *shown, auto handler) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, handler);
        if (shown)
            shown->setToolTip(keys.toString(QKeySequence::NativeText));
    };
    // Through the buttons' clicks, so that a shortcut does exactly what its button does.
    add(QKeySequence(Qt::CTRL | Qt::Key_O), Button2, [this] { Button2->click(); });
    add(QKeySequence(Qt::Key_F5), Button3, [this] { Button3->click(); });
    add(QKeySequence(Qt::Key_F9), Button1, [this] { Button1->click(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_S), Button5, &TForm1::SaveShortcut);
    add(QKeySequence(Qt::CTRL | Qt::Key_P), PrintButton, [this] { PrintButton->click(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), nullptr, &QWidget::close);
}
