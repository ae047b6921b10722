#pragma once

#include <QDialog>

namespace tremolux {

class CDia_Cities : public QDialog {
    Q_OBJECT
public:
    explicit CDia_Cities(QWidget* parent = nullptr);
};

}  // namespace tremolux
