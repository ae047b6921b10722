#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace tremolux {

// Edits a map window's display parameters through SettingsTransfer: opens
// on its values and writes them back at OK, each as soon as its range check
// passes. A value out of range is reported and the dialog stays open.
class CDia_Parameters : public QDialog {
    Q_OBJECT
public:
    explicit CDia_Parameters(QWidget* parent = nullptr);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void OnBnClickedOk();

    QLineEdit* m_editHours;
    QLineEdit* m_editNearest;
    QLineEdit* m_editPie;
    QCheckBox* m_checkTexts;
};

}  // namespace tremolux
