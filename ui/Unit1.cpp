#include "ui/Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "engine/cp1251.h"
#include "engine/layout_check.h"
#include "ui/messages.h"
#include "engine/save.h"
#include "points/settings_file.h"
#include "ui/Unit2_Controler.h"
#include "ui/busy_scope.h"
#include "ui/group_list.h"
#include "ui/output_view.h"
#include "ui/points_grid_view.h"
#include "ui/points_table_model.h"
#include "ui/text_codec.h"

namespace {

const QString WindowCaption = QStringLiteral("Lapwing v1.9 - 8.02.2014");
const QString InitialOutputText = QStringLiteral("Тут з'яўляеца апрацаваная версія");
const QString SaveTablesQuestion = QStringLiteral("Дадзеныя были зменены. Захаваць змяненні?");
const QString OutOfCompetitionWarning = QStringLiteral("Не ўпэўнены, што гэта добра працуе.");

constexpr int ClientWidth = 707;
constexpr int ClientHeight = 555;
constexpr int UiFontPoints = 8;
constexpr int OutputFontPoints = 9;
constexpr int OutputViewHeight = 150;
constexpr int GroupRowHeight = 19;
constexpr int GroupColumnWidths[ui::GroupColumnCount] = { 82, 76, 78, 51, 102 };

QString Utf8(const char *text) { return QString::fromUtf8(text); }

std::filesystem::path ToPath(const QString &text)
{
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

QString PathText(const std::filesystem::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

void SetBold(QPushButton *button, bool bold)
{
    QFont font = button->font();
    font.setBold(bold);
    button->setFont(font);
}

// Wide enough for the caption in bold, so that the guidance does not change the layout.
void FitBoldCaption(QPushButton *button)
{
    QFont bold = button->font();
    bold.setBold(true);
    button->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(button->text()) + 24);
}

bool IsInside(const QWidget *widget, const QWidget *container)
{
    return widget && (widget == container || container->isAncestorOf(widget));
}

// The user's decimal separator as one Windows-1251 byte; a point when it is anything longer.
char LocaleDecimalSeparator()
{
    const std::string separator = ui::ToCp1251(QLocale::system().decimalPoint());
    return separator.size() == 1 ? separator.front() : '.';
}

QComboBox *CreateListEditor(QWidget *parent, const QString &name, const QStringList &items)
{
    auto *editor = new QComboBox(parent);
    editor->setObjectName(name);
    editor->setEditable(true);
    editor->setInsertPolicy(QComboBox::NoInsert);
    editor->setCompleter(nullptr);
    editor->addItems(items);
    editor->hide();
    return editor;
}

} // namespace

TForm1::TForm1(std::filesystem::path settingsPath, QWidget *parent)
    : QWidget(parent)
    , m_settingsPath(std::move(settingsPath))
{
    ShowInformation = [this](const QString &text) {
        QMessageBox box(
            QMessageBox::Information, QApplication::applicationName(), text, QMessageBox::Ok, this);
        box.exec();
    };
    ShowError = [this](const QString &text) {
        QMessageBox box(
            QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, this);
        box.exec();
    };
    Confirm = [this](const QString &text) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text,
            QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    };
    ChooseOpenFile = [this] {
        return OpenDialog1->exec() == QDialog::Accepted ? OpenDialog1->selectedFiles().value(0)
                                                        : QString();
    };
    ChooseSaveFile = [this] {
        return SaveDialog1->exec() == QDialog::Accepted ? SaveDialog1->selectedFiles().value(0)
                                                        : QString();
    };

    CreateControls();
    LayOutControls();
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1()
{
    // The controls going away move the focus; the handlers must not hear of it any more.
    disconnect(qApp, nullptr, this, nullptr);
    // The base class would hide and delete the controls only after this class's members are
    // gone, while the points grid still shows (and its editor still writes into) the tables:
    // hide now, then let the grid and its model go while the tables exist.
    hide();
    delete StringGrid1;
    StringGrid1 = nullptr;
    delete m_pointsModel;
    m_pointsModel = nullptr;
}

void TForm1::CreateControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(WindowCaption);
    QFont uiFont = font();
    uiFont.setPointSize(UiFontPoints);
    setFont(uiFont);
    setAcceptDrops(true);

    LabeledEdit1Label = new QLabel(QStringLiteral("Імя файла:"), this);
    LabeledEdit1 = new QLineEdit(this);
    LabeledEdit1->setObjectName(QStringLiteral("LabeledEdit1"));
    LabeledEdit1->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    LabeledEdit1Label->setBuddy(LabeledEdit1);
    Button2 = new QPushButton(QStringLiteral("1. Агляд..."), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(QStringLiteral("Перачытаць"), this);
    Button3->setObjectName(QStringLiteral("Button3"));

    Label2 = new QLabel(QStringLiteral("Групы:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    StringGrid2 = new QTableWidget(0, ui::GroupColumnCount, this);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid2->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid2->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid2->setHorizontalHeaderLabels(QStringList(ui::GroupColumnCount, QString()));
    StringGrid2->horizontalHeader()->setHighlightSections(false);
    StringGrid2->horizontalHeader()->setMinimumSectionSize(8);
    StringGrid2->verticalHeader()->hide();
    StringGrid2->verticalHeader()->setMinimumSectionSize(8);
    StringGrid2->verticalHeader()->setDefaultSectionSize(GroupRowHeight);
    StringGrid2->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int groupListWidth = 2 * StringGrid2->frameWidth()
        + StringGrid2->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int col = 0; col < ui::GroupColumnCount; ++col) {
        StringGrid2->setColumnWidth(col, GroupColumnWidths[col]);
        groupListWidth += GroupColumnWidths[col];
    }
    StringGrid2->setFixedWidth(groupListWidth);
    Label2->setBuddy(StringGrid2);

    Label3 = new QLabel(QStringLiteral("Табліцы ачкоў:"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    m_pointsModel = new ui::PointsTableModel(m_tables, this);
    StringGrid1 = new ui::PointsGridView(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setModel(m_pointsModel);
    Label3->setBuddy(StringGrid1);

    checkUseVK
        = new QCheckBox(QStringLiteral("Улічваць ранг спартсменаў па-за конкурсам (в/к)"), this);
    checkUseVK->setObjectName(QStringLiteral("checkUseVK"));
    CheckBox1 = new QCheckBox(QStringLiteral("Палічыць ачкі па рэйтынгу"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    LabeledEdit3Label = new QLabel(QStringLiteral("К="), this);
    LabeledEdit3 = new QLineEdit(QStringLiteral("1000"), this);
    LabeledEdit3->setObjectName(QStringLiteral("LabeledEdit3"));
    LabeledEdit3->setEnabled(false);
    LabeledEdit3Label->setBuddy(LabeledEdit3);
    LabeledEdit4Label = new QLabel(QStringLiteral("К="), this);
    LabeledEdit4 = new QLineEdit(QStringLiteral("2"), this);
    LabeledEdit4->setObjectName(QStringLiteral("LabeledEdit4"));
    LabeledEdit4->setEnabled(false);
    LabeledEdit4Label->setBuddy(LabeledEdit4);
    Button1 = new QPushButton(QStringLiteral("3. Пералічыць"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    CheckBox2 = new QCheckBox(
        QStringLiteral("Не улічваць іншаземных спарцменаў (шукае тры вялікія лацінскія літары "
                       "LTV, LTU, POL, UKR, RUS і г.д.)"),
        this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setChecked(true);

    Memo2 = new ui::OutputView(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setFocusPolicy(Qt::ClickFocus); // skipped by Tab
    QFont outputFont(QStringLiteral("Courier New"), OutputFontPoints);
    outputFont.setStyleHint(QFont::TypeWriter);
    outputFont.setFixedPitch(true);
    Memo2->setFont(outputFont);

    LabeledEdit2Label = new QLabel(QStringLiteral("Імя файла:"), this);
    LabeledEdit2 = new QLineEdit(this);
    LabeledEdit2->setObjectName(QStringLiteral("LabeledEdit2"));
    LabeledEdit2Label->setBuddy(LabeledEdit2);
    Button4 = new QPushButton(QStringLiteral("4. Агляд..."), this);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button5 = new QPushButton(QStringLiteral("5. Захаваць"), this);
    Button5->setObjectName(QStringLiteral("Button5"));
    for (QPushButton *button : { Button1, Button2, Button3, Button4, Button5 }) {
        button->setAutoDefault(true); // Enter presses the focused step
        FitBoldCaption(button);
    }

    OpenDialog1 = new QFileDialog(this, QStringLiteral("Імя файла з вынікамі для пераліку"));
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    // The last parenthesis of a filter holds its patterns; only the words before it are shown.
    OpenDialog1->setOption(QFileDialog::HideNameFilterDetails);
    OpenDialog1->setNameFilters({ QStringLiteral("HTM-файлы (*.htm)"),
        QStringLiteral("RES-файлы (*.res)"), QStringLiteral("Ўсе файлы (*.*) (*)") });
    OpenDialog1->selectFile(QStringLiteral("Протокол_Результатов.htm"));
    SaveDialog1 = new QFileDialog(this);
    SaveDialog1->setObjectName(QStringLiteral("SaveDialog1"));
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);

    cbMaxKval = CreateListEditor(this, QStringLiteral("cbMaxKval"), ui::DistanceClassItems());
    ComboBox4 = CreateListEditor(this, QStringLiteral("ComboBox4"), ui::CategoryItems());
    ebMastersCount = new QLineEdit(this);
    ebMastersCount->setObjectName(QStringLiteral("ebMastersCount"));
    ebMastersCount->hide();
    ComboBox3 = CreateListEditor(this, QStringLiteral("ComboBox3"), {});

    Memo2->setPlainText(InitialOutputText);
}

void TForm1::LayOutControls()
{
    auto *input = new QGridLayout;
    input->addWidget(LabeledEdit1Label, 0, 0);
    input->addWidget(LabeledEdit1, 1, 0);
    input->addWidget(Button2, 1, 1);
    input->addWidget(Button3, 1, 2);
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

    Memo2->setFixedHeight(OutputViewHeight);

    auto *output = new QGridLayout;
    output->addWidget(LabeledEdit2Label, 0, 0);
    output->addWidget(LabeledEdit2, 1, 0);
    output->addWidget(Button4, 1, 1);
    output->addWidget(Button5, 1, 2);
    output->setColumnStretch(0, 1);
    output->setVerticalSpacing(2);

    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(8, 6, 8, 8);
    root->setSpacing(4);
    root->addLayout(input);
    root->addLayout(grids, 1);
    root->addWidget(checkUseVK);
    root->addLayout(rating);
    root->addWidget(CheckBox2);
    root->addWidget(Memo2);
    root->addLayout(output);

    resize(ClientWidth, ClientHeight);

    // Tab walks the steps in order; the path edit and the output view are reached by mouse.
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, StringGrid2);
    setTabOrder(StringGrid2, cbMaxKval);
    setTabOrder(cbMaxKval, ComboBox4);
    setTabOrder(ComboBox4, ebMastersCount);
    setTabOrder(ebMastersCount, ComboBox3);
    setTabOrder(ComboBox3, StringGrid1);
    setTabOrder(StringGrid1, checkUseVK);
    setTabOrder(checkUseVK, CheckBox1);
    setTabOrder(CheckBox1, LabeledEdit3);
    setTabOrder(LabeledEdit3, LabeledEdit4);
    setTabOrder(LabeledEdit4, Button1);
    setTabOrder(Button1, CheckBox2);
    setTabOrder(CheckBox2, LabeledEdit2);
    setTabOrder(LabeledEdit2, Button4);
    setTabOrder(Button4, Button5);
}

void TForm1::ConnectHandlers()
{
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(checkUseVK, &QCheckBox::toggled, this, &TForm1::checkUseVKClick);

    connect(
        StringGrid2, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
            if (!m_movingSelection && row >= 0)
                StringGrid2SelectCell(col, row + 1);
        });
    // A click on the current cell opens its editor again once it was closed.
    connect(StringGrid2, &QTableWidget::cellClicked, this, [this](int row, int col) {
        if (!m_openEditor)
            StringGrid2SelectCell(col, row + 1);
    });
    connect(cbMaxKval, &QComboBox::activated, this, &TForm1::cbMaxKvalExit);
    connect(ComboBox4, &QComboBox::activated, this, &TForm1::ComboBox4Exit);
    connect(ComboBox3, &QComboBox::activated, this, &TForm1::ComboBox3Exit);
    ebMastersCount->installEventFilter(this);
    StringGrid2->installEventFilter(this);
    connect(StringGrid2->horizontalHeader(), &QHeaderView::sectionResized, this,
        &TForm1::PlaceGroupEditor);
    connect(StringGrid2->horizontalScrollBar(), &QScrollBar::valueChanged, this,
        &TForm1::PlaceGroupEditor);
    connect(StringGrid2->verticalScrollBar(), &QScrollBar::valueChanged, this,
        &TForm1::PlaceGroupEditor);

    connect(StringGrid1->CellDelegate(), &ui::PointsCellDelegate::EditTextChanged, this,
        [this](const QModelIndex &index, const QString &text) {
            const points::CellPosition cell = ui::PointsTableModel::CellOf(index);
            StringGrid1SetEditText(cell.Col, cell.Row, text);
        });
    connect(m_pointsModel, &ui::PointsTableModel::TablesEdited, this, &TForm1::FillTableCaptions);
    connect(StringGrid1, &ui::PointsGridView::CellSelected, this, &TForm1::StringGrid1SelectCell);
    connect(qApp, &QApplication::focusChanged, this, &TForm1::FocusChanged);

    // A protocol file dropped anywhere on the window is read, also over the edits.
    for (QWidget *target : { static_cast<QWidget *>(LabeledEdit1),
             static_cast<QWidget *>(LabeledEdit2), static_cast<QWidget *>(LabeledEdit3),
             static_cast<QWidget *>(LabeledEdit4), Memo2->viewport() })
        target->installEventFilter(this);
}

void TForm1::FormCreate()
{
    SetBold(Button2, true);
    Button2->setFocus();
    SaveDialog1->selectFile(DefaultOutputName(QDate::currentDate()));
    LoadPointsTablesFile();
    HideGroupEditors();
}

QString TForm1::DefaultOutputName(const QDate &day)
{
    return day.toString(QStringLiteral("yyMMdd")) + QStringLiteral("_res.htm");
}

void TForm1::LoadPointsTablesFile()
{
    // A missing file gives no tables; one that exists but cannot be read is worth a word.
    engine::Result<std::string> bytes = points::ReadSettingsFile(m_settingsPath);
    std::error_code error;
    if (!bytes && std::filesystem::exists(m_settingsPath, error))
        m_settingsWarning = QStringLiteral("Unable to read %1: %2")
                                .arg(PathText(m_settingsPath), QString::fromStdString(bytes.Error().Reason));
    m_settingsBytes = bytes ? std::move(bytes.Value()) : std::string();
    points::LoadedTables loaded = points::LoadPointsTables(m_settingsBytes);
    m_settingsOverwrite = points::OverwriteRuleFor(m_settingsPath, bytes, loaded);
    m_tables = std::move(loaded.Tables);
    if (!loaded.Warnings.empty())
        m_settingsWarning = QString::fromStdString(points::DescribeWarnings(m_settingsPath.string(), loaded.Warnings));
    m_pointsModel->Reload();
    StringGrid1->SetCornerText(m_pointsModel->CornerText());
    FillTableCaptions();
}

void TForm1::FillTableCaptions()
{
    const QStringList items = ui::TableCaptionItems(m_tables.TableCaptions);
    QStringList current;
    for (int i = 0; i < ComboBox3->count(); ++i)
        current.append(ComboBox3->itemText(i));
    if (current == items)
        return;
    ComboBox3->clear();
    ComboBox3->addItems(items);
}

bool TForm1::FormClose()
{
    if (!m_tables.TablesModified || !Confirm(SaveTablesQuestion))
        return true;
    // What could not be read is never written over: closing leaves the file as it is.
    if (m_settingsOverwrite.Rule != points::OverwriteRule::Free)
        return Confirm(QString::fromStdString(m_settingsOverwrite.Why)
            + QStringLiteral("\n\nThe tables are not written over this file. Close without saving them?"));
    std::string bytes = points::SavePointsTables(m_settingsBytes, m_tables.Grid);
    // The user's configuration folder may not exist yet; writing makes it.
    if (!points::WriteSettingsFile(m_settingsPath, bytes)) {
        ShowError(QStringLiteral("Unable to write to %1").arg(PathText(m_settingsPath)));
        return false;
    }
    m_settingsBytes = std::move(bytes);
    m_tables.TablesModified = false;
    return true;
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (!m_settingsWarning.isEmpty())
        ShowInformation(m_settingsWarning);
}

void TForm1::PassStep(QPushButton *done, QPushButton *next)
{
    SetBold(done, false);
    SetBold(next, true);
    next->setFocus();
}

void TForm1::Button2Click()
{
    const QString chosen = ChooseOpenFile();
    if (!chosen.isEmpty())
        LabeledEdit1->setText(chosen);
    // A cancelled choice still reads whatever the edit holds.
    PassStep(Button2, Button3);
    Button3Click();
}

void TForm1::OpenProtocol(const QString &path)
{
    LabeledEdit1->setText(path);
    PassStep(Button2, Button3);
    Button3Click();
}

void TForm1::Button3Click()
{
    {
        ui::BusyScope busy(this);
        ReadProtocol();
    }
    PassStep(Button3, Button1);
}

void TForm1::ReadProtocol()
{
    HideGroupEditors();
    if (LabeledEdit1->text().isEmpty())
        return;
    if (!engine::LoadProtocol(ToPath(LabeledEdit1->text()), m_protocolLines, m_groups)) {
        ShowInformation(Utf8(ui::LoadFailedMessage));
        return;
    }
    if (!RefillGroupList())
        ShowInformation(Utf8(ui::LoadFailedMessage));
    else if (engine::LooksLikeUtf8Cyrillic(m_protocolLines))
        ShowInformation(Utf8(ui::Utf8ProtocolMessage));
    else if (const auto layout = engine::CheckTableLayouts(m_protocolLines, m_groups); !layout.empty())
        ShowInformation(QString::fromStdString(engine::DescribeLayoutProblems(LabeledEdit1->text().toStdString(), layout)));
}

bool TForm1::RefillGroupList()
{
    m_movingSelection = true;
    StringGrid2->setRowCount(static_cast<int>(m_groups.size()));
    bool filled = !m_groups.empty();
    for (int row = 1; filled && row <= static_cast<int>(m_groups.size()); ++row) {
        const auto texts = ui::GroupRowTexts(
            m_groups[static_cast<std::size_t>(row - 1)], m_tables.TableCaptions);
        if (!texts) {
            filled = false;
            break;
        }
        for (int col = 0; col < ui::GroupColumnCount; ++col)
            SetGroupCell(col, row, (*texts)[static_cast<std::size_t>(col)]);
    }
    if (filled)
        StringGrid2->setHorizontalHeaderLabels(ui::GroupListHeaders());
    m_movingSelection = false;
    return filled;
}

engine::ProcessOptions TForm1::ReadOptions() const
{
    engine::ProcessOptions options;
    options.RatingPoints = CheckBox1->isChecked();
    options.K1Text = ui::ToCp1251(LabeledEdit3->text());
    options.K2Text = ui::ToCp1251(LabeledEdit4->text());
    options.CountOutOfCompetition = checkUseVK->isChecked();
    options.ExcludeForeign = CheckBox2->isChecked();
    options.DecimalSeparator = LocaleDecimalSeparator();
    return options;
}

std::optional<std::string> TForm1::AskInspector()
{
    if (!m_inspectorDialog || m_inspectorDialog->ShowModal() != TForm_Controler::ModalOk)
        return std::nullopt;
    return ui::ToCp1251(m_inspectorDialog->InspectorName());
}

void TForm1::Button1Click()
{
    // The rewrite writes straight into the view's buffer. The view is emptied only when the
    // first line comes, so that a cancelled inspector request or a bad "К=" keeps what is shown;
    // by then the inspector has answered and the long part begins.
    std::optional<ui::BusyScope> busy;
    bool filling = false;
    const auto append = [&](std::string_view line) {
        if (!filling) {
            filling = true;
            busy.emplace(this);
            // Room for every line and the columns the rewrite adds, so the buffer is not
            // regrown (and copied) while it fills; pages not written are never touched.
            std::size_t bytes = 4096;
            for (const engine::ProtocolLine &input : m_protocolLines)
                bytes += input.size() + 16;
            // Each table gets a few lines more (header, summary).
            Memo2->Clear(bytes, m_protocolLines.size() + m_protocolLines.size() / 4 + 64);
        }
        Memo2->AppendLine(line);
    };
    const engine::RewriteResult outcome = engine::RewriteProtocolTo(
        m_protocolLines, m_groups, ReadOptions(), m_tables.Grid, [this] { return AskInspector(); },
        append);
    if (outcome.Status == engine::RewriteStatus::Cancelled)
        return; // keep what is shown
    // A run stopped at a line shows what it produced; a bad "К=" stops before any output.
    if (filling || outcome.Status == engine::RewriteStatus::Done)
        ShowOutput(filling);
    if (busy)
        busy->End();
    if (outcome.Status == engine::RewriteStatus::Failed) {
        ShowError(ui::FromCp1251(outcome.Error.Reason));
        return;
    }
    SetBold(Button1, false);
    QPushButton *next = LabeledEdit2->text().isEmpty() ? Button4 : Button5;
    SetBold(next, true);
    next->setFocus();
}

void TForm1::ShowOutput(bool filled)
{
    if (!filled)
        Memo2->Clear();
    Memo2->FinishFill();
    // The first screen is painted now, while the wait cursor still shows.
    Memo2->viewport()->repaint();
}

std::vector<engine::ProtocolLine> TForm1::OutputToSave() const { return Memo2->Store().Lines(); }

void TForm1::Button4Click()
{
    const QString chosen = ChooseSaveFile();
    if (!chosen.isEmpty())
        LabeledEdit2->setText(chosen);
    PassStep(Button4, Button5);
}

void TForm1::Button5Click()
{
    const QString path = LabeledEdit2->text();
    if (path.isEmpty()) {
        ShowInformation(Utf8(ui::NoOutputNameMessage));
        return;
    }
    if (!Memo2->Store().Save(ToPath(path))) {
        ShowInformation(Utf8(ui::SaveFailedMessage));
        return;
    }
    ShowInformation(Utf8(ui::SavedMessagePrefix) + Utf8(ui::CollectorEmail)
        + Utf8(ui::SavedMessageSuffix));
    PassStep(Button5, Button3);
}

void TForm1::CheckBox1Click()
{
    LabeledEdit3->setEnabled(CheckBox1->isChecked());
    LabeledEdit4->setEnabled(CheckBox1->isChecked());
}

void TForm1::checkUseVKClick()
{
    if (checkUseVK->isChecked())
        ShowInformation(OutOfCompetitionWarning);
}

// Group list editors.

void TForm1::StringGrid2SelectCell(int col, int row)
{
    HideGroupEditors();
    if (row < 1 || row > static_cast<int>(m_groups.size()))
        return;
    const engine::GroupSettings &group = m_groups[static_cast<std::size_t>(row - 1)];
    switch (col) {
    case ui::TableColumn:
        ComboBox3->setCurrentIndex(group.PointsTable < ComboBox3->count() ? group.PointsTable : -1);
        ShowGroupEditor(ComboBox3, col, row);
        break;
    case ui::CategoryColumn:
        ComboBox4->setCurrentIndex(static_cast<int>(group.Category));
        ShowGroupEditor(ComboBox4, col, row);
        break;
    case ui::ClassColumn:
        cbMaxKval->setCurrentIndex(static_cast<int>(group.DistanceClass));
        ShowGroupEditor(cbMaxKval, col, row);
        break;
    case ui::MastersColumn:
        if (group.DistanceClass != engine::DistanceClass::Ms)
            break;
        ebMastersCount->setText(QString::number(group.MastersCount));
        ebMastersCount->selectAll();
        ShowGroupEditor(ebMastersCount, col, row);
        break;
    default:
        break;
    }
}

void TForm1::ShowGroupEditor(QWidget *editor, int col, int row)
{
    m_openEditor = editor;
    m_editorCol = col;
    m_editorRow = row;
    StringGrid2->scrollTo(StringGrid2->model()->index(row - 1, col));
    PlaceGroupEditor();
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void TForm1::PlaceGroupEditor()
{
    if (!m_openEditor)
        return;
    const QRect cell
        = StringGrid2->visualRect(StringGrid2->model()->index(m_editorRow - 1, m_editorCol));
    m_openEditor->setGeometry(
        QRect(StringGrid2->viewport()->mapTo(this, cell.topLeft()), cell.size()));
}

void TForm1::HideGroupEditors()
{
    // A list editor left with a text that names no item was not committed; it just goes.
    m_finishingEdit = true;
    for (QWidget *editor : { static_cast<QWidget *>(cbMaxKval), static_cast<QWidget *>(ComboBox4),
             static_cast<QWidget *>(ebMastersCount), static_cast<QWidget *>(ComboBox3) })
        editor->hide();
    m_openEditor = nullptr;
    m_finishingEdit = false;
}

engine::GroupSettings *TForm1::EditedGroup()
{
    if (m_editorRow < 1 || m_editorRow > static_cast<int>(m_groups.size()))
        return nullptr;
    return &m_groups[static_cast<std::size_t>(m_editorRow - 1)];
}

void TForm1::CommitListEditor(QComboBox *editor, const std::function<void(int)> &apply)
{
    if (m_finishingEdit || m_openEditor != editor || !EditedGroup())
        return;
    // A typed text that is not one of the items selects nothing: nothing changes.
    const int index
        = editor->findText(editor->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        return;
    editor->setCurrentIndex(index);
    SetGroupCell(m_editorCol, m_editorRow, editor->itemText(index));
    apply(index);
    FinishGroupEdit(editor);
}

void TForm1::FinishGroupEdit(QWidget *editor)
{
    m_finishingEdit = true;
    StringGrid2->setFocus(Qt::OtherFocusReason);
    editor->hide();
    m_openEditor = nullptr;
    m_finishingEdit = false;
}

void TForm1::cbMaxKvalExit()
{
    CommitListEditor(cbMaxKval, [this](int index) {
        engine::GroupSettings &group = *EditedGroup();
        group.DistanceClass = static_cast<engine::DistanceClass>(index);
        SetGroupCell(ui::MastersColumn, m_editorRow, ui::MastersCountText(group));
    });
}

void TForm1::ComboBox4Exit()
{
    CommitListEditor(ComboBox4, [this](int index) { EditedGroup()->Category = static_cast<engine::Category>(index); });
}

void TForm1::ComboBox3Exit()
{
    CommitListEditor(ComboBox3, [this](int index) { EditedGroup()->PointsTable = index; });
}

void TForm1::ebMastersCountExit()
{
    engine::GroupSettings *group = EditedGroup();
    if (m_finishingEdit || m_openEditor != ebMastersCount || !group)
        return;
    group->MastersCount = ui::ParseMastersCount(ebMastersCount->text());
    SetGroupCell(m_editorCol, m_editorRow, QString::number(group->MastersCount));
    FinishGroupEdit(ebMastersCount);
}

bool TForm1::ebMastersCountKeyDown(int key)
{
    const engine::GroupSettings *group = EditedGroup();
    if (m_openEditor != ebMastersCount || !group)
        return false;
    switch (key) {
    case Qt::Key_Escape:
        ebMastersCount->setText(QString::number(group->MastersCount));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
    case Qt::Key_Up: {
        const int col = m_editorCol;
        int row = m_editorRow;
        ebMastersCountExit();
        if (key == Qt::Key_Up) {
            if (row > 1)
                --row;
        } else if (row < StringGrid2->rowCount()) {
            ++row;
        }
        m_movingSelection = true;
        StringGrid2->setCurrentCell(row - 1, col);
        m_movingSelection = false;
        StringGrid2SelectCell(col, row);
        return true;
    }
    default:
        return false;
    }
}

void TForm1::SetGroupCell(int col, int row, const QString &text)
{
    QTableWidgetItem *item = StringGrid2->item(row - 1, col);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        StringGrid2->setItem(row - 1, col, item);
    }
    item->setText(text);
}

// Points tables.

void TForm1::StringGrid1SetEditText(int col, int row, const QString &text)
{
    m_pointsModel->SetEditText(col, row, text);
}

void TForm1::StringGrid1SelectCell(int, int)
{
    if (!m_compacting)
        StringGrid1Exit();
}

void TForm1::StringGrid1Exit()
{
    if (m_compacting)
        return;
    m_compacting = true;
    const QModelIndex current = StringGrid1->currentIndex();
    const points::CellPosition from
        = current.isValid() ? ui::PointsTableModel::CellOf(current) : points::CellPosition { 1, 1 };
    const int columnsBefore = m_pointsModel->columnCount();
    const points::CellPosition to = m_pointsModel->Compact(from);
    if (current.isValid() && m_pointsModel->columnCount() != columnsBefore) {
        const QModelIndex next = ui::PointsTableModel::CellIndex(*m_pointsModel, to.Col, to.Row);
        if (next.isValid())
            StringGrid1->selectionModel()->setCurrentIndex(
                next, QItemSelectionModel::ClearAndSelect);
    }
    m_compacting = false;
}

void TForm1::FocusChanged(QWidget *old, QWidget *now)
{
    // Focus given to another window (a message box, another program) is no exit.
    if (!now || now->window() != this)
        return;
    if (IsInside(old, StringGrid1) && !IsInside(now, StringGrid1))
        StringGrid1Exit();
    if (IsInside(old, cbMaxKval) && !IsInside(now, cbMaxKval))
        cbMaxKvalExit();
    if (IsInside(old, ComboBox4) && !IsInside(now, ComboBox4))
        ComboBox4Exit();
    if (IsInside(old, ComboBox3) && !IsInside(now, ComboBox3))
        ComboBox3Exit();
    if (IsInside(old, ebMastersCount) && !IsInside(now, ebMastersCount))
        ebMastersCountExit();
}

// Events.

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == ebMastersCount)
            return ebMastersCountKeyDown(key) || QWidget::eventFilter(watched, event);
        if (watched == StringGrid2 && !m_openEditor
            && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)) {
            StringGrid2SelectCell(StringGrid2->currentColumn(), StringGrid2->currentRow() + 1);
            return true;
        }
        break;
    }
    case QEvent::Resize:
        if (watched == StringGrid2)
            PlaceGroupEditor();
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!DroppedProtocol(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = DroppedProtocol(drop->mimeData());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            OpenProtocol(path);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QString TForm1::DroppedProtocol(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    return urls.front().toLocalFile();
}

void TForm1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedProtocol(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent *event)
{
    if (!DroppedProtocol(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent *event)
{
    const QString path = DroppedProtocol(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    OpenProtocol(path);
}
