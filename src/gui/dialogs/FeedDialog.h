#pragma once

#include <QDialog>

#include "core/common/OleDate.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tremolux {

// Chooses where the quakes come from and how often they are read again: a
// USGS feed or an agency's FDSN query of the last seven days (from `now`,
// above a minimum magnitude) by name, or any http, https or file address
// typed or browsed. Other sources may be read beside it, one address a line,
// in order of preference, EMSC's push service among them. OK is offered only
// for addresses that can be read, and the line under them says what is wrong.
class FeedDialog : public QDialog {
    Q_OBJECT
public:
    FeedDialog(const QString& address, const QStringList& others, int refreshMinutes, OleDate now,
               QWidget* parent = nullptr);

    QString Address() const;
    QStringList OtherAddresses() const;
    int RefreshMinutes() const;

    void accept() override;

private:
    void OnPresetChosen(int index);
    void OnAddressEdited();
    void OnBrowse();
    void OnMinimumChanged();
    void OnAddPush();
    // The FDSN agency the preset chosen queries, -1 for none.
    int ChosenAgency() const;
    // Shows what is wrong with the address, if anything; true when nothing is.
    bool CheckAddress();

    QComboBox* m_comboPreset;
    QLineEdit* m_editAddress;
    QDoubleSpinBox* m_spinMinimum;
    QPushButton* m_buttonPush;
    OleDate m_now;
    QPushButton* m_buttonBrowse;
    QPlainTextEdit* m_editOthers;
    QLabel* m_labelProblem;
    QComboBox* m_comboRefresh;
    QPushButton* m_buttonOk;
};

}  // namespace tremolux
