#include "ui/Unit2_Controler.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/inspector.h"
#include "ui/text_codec.h"
#include "ui/messages.h"

namespace {

constexpr int ClientWidth = 476;
constexpr int ClientHeight = 167;

} // namespace

TForm_Controler::TForm_Controler(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , StaticText1(new QLabel(this))
    , LabeledEdit1Label(new QLabel(this))
    , LabeledEdit1(new QLineEdit(this))
    , LabeledEdit1Hint(new QLabel(this))
    , Button1(new QPushButton(this))
    , Button2(new QPushButton(this))
{
    setObjectName(QStringLiteral("Form_Controler"));
    setWindowTitle(ui::text::InspectorTitle());
    setModal(true);
    setFixedSize(ClientWidth, ClientHeight);

    StaticText1->setObjectName(QStringLiteral("StaticText1"));
    StaticText1->setText(ui::text::InspectorRule());
    StaticText1->setTextFormat(Qt::PlainText);
    StaticText1->setWordWrap(true);
    QFont staticFont = StaticText1->font();
    staticFont.setPointSize(10);
    StaticText1->setFont(staticFont);

    LabeledEdit1Label->setObjectName(QStringLiteral("LabeledEdit1Label"));
    LabeledEdit1Label->setText(ui::text::InspectorNameLabel());
    LabeledEdit1Label->setBuddy(LabeledEdit1);
    LabeledEdit1->setObjectName(QStringLiteral("LabeledEdit1"));
    LabeledEdit1Hint->setObjectName(QStringLiteral("LabeledEdit1Hint"));
    LabeledEdit1Hint->setTextFormat(Qt::PlainText);
    LabeledEdit1Hint->hide();

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setText(ui::text::InspectorOk());
    Button1->setDefault(true);
    Button1->setEnabled(false);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setText(ui::text::InspectorCancel());
    Button2->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    layout->addWidget(StaticText1, 1);
    layout->addWidget(LabeledEdit1Label);
    layout->addWidget(LabeledEdit1);
    layout->addWidget(LabeledEdit1Hint);
    layout->addLayout(buttons);

    connect(LabeledEdit1, &QLineEdit::textChanged, this, &TForm_Controler::LabeledEdit1Change);
    connect(Button1, &QPushButton::clicked, this, &TForm_Controler::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm_Controler::Button2Click);
    LabeledEdit1Change();
}

int TForm_Controler::ShowModal()
{
    LabeledEdit1->setText(m_lastName);
    LabeledEdit1->selectAll();
    LabeledEdit1Change();
    LabeledEdit1->setFocus();
    // Escape and closing the window count as Cancel.
    return exec() == ModalOk ? ModalOk : ModalCancel;
}

QString TForm_Controler::InspectorName() const { return LabeledEdit1->text(); }

void TForm_Controler::LabeledEdit1Change()
{
    // The name goes into the protocol in Windows-1251: a letter it lacks would become '?'.
    const std::optional<ui::Unencodable> bad = ui::FirstUnencodable(LabeledEdit1->text());
    // Long enough, and no control or markup characters: the batch tool's rule too.
    const std::string name = ui::ToCp1251(LabeledEdit1->text());
    const bool refused = bad || engine::InspectorNameProblem(name);
    QString why;
    if (bad)
        why = ui::text::InspectorLetterHint().arg(bad->Text);
    else if (refused && !engine::InspectorNameLongEnough(name))
        why = ui::text::InspectorNameTooShort().arg(engine::MinInspectorLength);
    else if (refused)
        why = ui::text::InspectorNameBadChar();
    LabeledEdit1Hint->setText(why);
    LabeledEdit1Hint->setVisible(refused);
    Button1->setEnabled(!refused);
}

void TForm_Controler::Button1Click()
{
    m_lastName = LabeledEdit1->text();
    done(ModalOk);
}

void TForm_Controler::Button2Click() { done(ModalCancel); }
