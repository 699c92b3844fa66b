#include "ui/about_dialog.h"
#include "ui/messages.h"

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
    setWindowTitle(ui::text::AboutButton());
    auto *layout = new QVBoxLayout(this);

    auto *name = new QLabel(QStringLiteral("Lapwing"), this);
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    name->setFont(nameFont);
    layout->addWidget(name);
    layout->addWidget(new QLabel(ui::text::AboutVersion().arg(ProgramVersion()), this));
    auto *purpose = new QLabel(ui::text::AboutPurpose(), this);
    purpose->setWordWrap(true);
    layout->addWidget(purpose);
    layout->addWidget(new QLabel(ui::text::AboutLicence(), this));

    layout->addSpacing(8);
    layout->addWidget(new QLabel(ui::text::AboutSettingsFile(), this));
    m_settingsPath->setReadOnly(true);
    m_settingsPath->setCursorPosition(0);
    m_settingsPath->setMinimumWidth(m_settingsPath->fontMetrics().averageCharWidth() * 60);
    layout->addWidget(m_settingsPath);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(ui::text::AboutClose());
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace ui
