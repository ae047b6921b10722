#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tremolux {

// Chooses where the quakes come from and how often they are read again: a
// USGS feed by name, or any http, https or file address typed or browsed.
// Other sources may be read beside it, one address a line, in order of
// preference. OK is offered only for addresses that can be read, and the
// line under them says what is wrong.
class CDia_Feed : public QDialog {
    Q_OBJECT
public:
    CDia_Feed(const QString& address, const QStringList& others, int refreshMinutes,
              QWidget* parent = nullptr);

    QString Address() const;
    QStringList OtherAddresses() const;
    int RefreshMinutes() const;

    void accept() override;

private:
    void OnPresetChosen(int index);
    void OnAddressEdited();
    void OnBrowse();
    // Shows what is wrong with the address, if anything; true when nothing is.
    bool CheckAddress();

    QComboBox* m_comboPreset;
    QLineEdit* m_editAddress;
    QPushButton* m_buttonBrowse;
    QPlainTextEdit* m_editOthers;
    QLabel* m_labelProblem;
    QComboBox* m_comboRefresh;
    QPushButton* m_buttonOk;
};

}  // namespace tremolux
