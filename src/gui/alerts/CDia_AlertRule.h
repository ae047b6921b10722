#pragma once

#include <QDialog>

#include "core/alerts/AlertRule.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace tremolux {

// Edits one alert rule: where, what, which changes and the actions. OK keeps
// the dialog open, naming the field, while the rule would not read back.
class CDia_AlertRule : public QDialog {
    Q_OBJECT
public:
    explicit CDia_AlertRule(const AlertRule& rule, QWidget* parent = nullptr);

    AlertRule Rule() const { return m_rule; }
    void accept() override;

private:
    AlertRule FromFields() const;

    AlertRule m_rule;
    QLineEdit* m_name;
    QComboBox* m_place;
    QLineEdit* m_city;
    QDoubleSpinBox* m_withinKm;
    QCheckBox* m_useMagnitude;
    QDoubleSpinBox* m_magnitude;
    QCheckBox* m_useFelt;
    QComboBox* m_felt;
    QCheckBox* m_onNew;
    QCheckBox* m_onRevised;
    QCheckBox* m_onRetracted;
    QCheckBox* m_sound;
    QCheckBox* m_nearTone;
    QCheckBox* m_notify;
    QCheckBox* m_front;
    QLineEdit* m_command;
    QSpinBox* m_timeout;
    QLineEdit* m_logFile;
};

}  // namespace tremolux
