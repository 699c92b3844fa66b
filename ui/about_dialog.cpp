#include "ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

QString ProgramVersion() { return QStringLiteral(LAPWING_VERSION); }

AboutDialog::AboutDialog(const QString &settingsPath, QWidget *parent)
    : QDialog(parent)
    , m_settingsPath(new QLineEdit(settingsPath, this))
{
    setWindowTitle(QStringLiteral("Пра праграму"));
    auto *layout = new QVBoxLayout(this);

    auto *name = new QLabel(QStringLiteral("Lapwing"), this);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("Версія %1").arg(ProgramVersion()), this));
    auto *purpose = new QLabel(QStringLiteral("Вылічае выкананыя разрады і ачкі па пратаколе "
                                              "вынікаў спаборніцтваў па спартыўным арыентаванні."),
        this);
    purpose->setWordWrap(true);
    layout->addWidget(purpose);
    layout->addWidget(
        new QLabel(QStringLiteral("Распаўсюджваецца на ўмовах ліцэнзіі праекта."), this));

    layout->addSpacing(8);
    layout->addWidget(new QLabel(QStringLiteral("Файл налад:"), this));
    m_settingsPath->setReadOnly(true);
    m_settingsPath->setCursorPosition(0);
    m_settingsPath->setMinimumWidth(m_settingsPath->fontMetrics().averageCharWidth() * 60);
    layout->addWidget(m_settingsPath);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыць"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace ui
