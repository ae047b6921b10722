#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace tremolux {

struct CityEditorFields;

// The city editor: a name and a position, as decimal degrees on the left and
// as degrees, minutes, seconds and hemisphere on the right. A validated OK
// leaves the city in CurrentCity; Cancel leaves CurrentCity alone.
class CDia_City : public QDialog {
    Q_OBJECT
public:
    explicit CDia_City(QWidget* parent = nullptr);

    void accept() override;

private:
    void OnInitDialog();
    void OnBnClickedArrow();
    CityEditorFields Fields() const;

    QLineEdit* m_editName;
    QLineEdit* m_editLat;
    QLineEdit* m_editLon;
    QComboBox* m_comboLatDeg;
    QComboBox* m_comboLatMin;
    QLineEdit* m_editLatSec;
    QComboBox* m_comboLatHemisphere;
    QComboBox* m_comboLonDeg;
    QComboBox* m_comboLonMin;
    QLineEdit* m_editLonSec;
    QComboBox* m_comboLonHemisphere;
};

}  // namespace tremolux
