#pragma once

#include <QDialog>

namespace tremolux {

class CDia_Parameters : public QDialog {
    Q_OBJECT
public:
    explicit CDia_Parameters(QWidget* parent = nullptr);
};

}  // namespace tremolux
