#pragma once

#include <string>

#include <QDialog>

namespace tremolux {

// The about box: the program's icon, its name and version, where the quakes
// shown come from (the feed read from FEEDADDRESS), the licence, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(const std::string& feedAddress, QWidget* parent = nullptr);
};

}  // namespace tremolux
