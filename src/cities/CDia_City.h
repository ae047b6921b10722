#pragma once

#include <QDialog>

namespace tremolux {

class CDia_City : public QDialog {
    Q_OBJECT
public:
    explicit CDia_City(QWidget* parent = nullptr);
};

}  // namespace tremolux
