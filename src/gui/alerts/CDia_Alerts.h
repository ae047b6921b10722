#pragma once

#include <functional>

#include <QDialog>

#include "core/alerts/AlertRule.h"

class QCheckBox;
class QDoubleSpinBox;
class QListWidget;
class QTimeEdit;

namespace tremolux {

// Options > Alerts: the list of rules (the main cycle's tone entry first),
// quiet hours and sequences; rules are added, edited, removed, tested,
// exported and imported. Nothing changes outside before OK.
class CDia_Alerts : public QDialog {
    Q_OBJECT
public:
    using TestAlert = std::function<void(const AlertSettings&)>;

    CDia_Alerts(const AlertSettings& settings, TestAlert test, QWidget* parent = nullptr);

    AlertSettings Settings() const;
    // Reads a rules file in place of the rules shown; false, having said why,
    // when the file cannot be read or holds a fault.
    bool Import(const QString& path);
    bool Export(const QString& path);

private:
    void ShowSettings(const AlertSettings& settings);
    void AddRule();
    void EditRule();
    void RemoveRule();
    void ChooseImport();
    void ChooseExport();

    AlertSettings m_settings;
    TestAlert m_test;
    QListWidget* m_list;
    QCheckBox* m_quiet;
    QTimeEdit* m_quietFrom;
    QTimeEdit* m_quietTo;
    QDoubleSpinBox* m_quietMagnitude;
    QCheckBox* m_sequences;
};

}  // namespace tremolux
