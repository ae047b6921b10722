#pragma once

#include <QDialog>

#include "core/cities/CitiesDialogLogic.h"

class QLineEdit;
class QListWidget;

namespace tremolux {

// Lists the cities of the city file, sorted as the user's locale sorts, and
// lets the user pick one, add a city through the city editor or delete an
// entry. The list is read afresh each time the dialog is shown; its changes
// end with the dialog. OK leaves the chosen city in CurrentCity.
class CDia_Cities : public QDialog {
    Q_OBJECT
public:
    explicit CDia_Cities(QWidget* parent = nullptr);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void OnLbnSelchangeCities();
    void OnBnClickedAdd();
    void OnBnClickedDelete();

    CitiesDialogLogic m_logic;
    QLineEdit* m_editCity;
    QListWidget* m_listCities;
};

}  // namespace tremolux
