// TForm_Controler: the inspector dialog that asks for the name of the inspector of distances.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm_Controler : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ModalOk = 1;
    static constexpr int ModalCancel = 2;

    explicit TForm_Controler(QWidget *parent = nullptr);

    // Runs the dialog; ModalOk or ModalCancel. It opens with the name last given with OK,
    // selected, so that typing replaces it.
    virtual int ShowModal();
    QString InspectorName() const;
    // The name the next ShowModal starts with.
    void SetInspectorName(const QString &name) { m_lastName = name; }

    void LabeledEdit1Change();
    void Button1Click();
    void Button2Click();

    QLabel *StaticText1;
    QLabel *LabeledEdit1Label;
    QLineEdit *LabeledEdit1;
    QLabel *LabeledEdit1Hint; // why OK stays disabled
    QPushButton *Button1;
    QPushButton *Button2;

private:
    QString m_lastName; // given with OK
};
