#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace tremolux {

// The row of Cancel and OK (the default) at the bottom right of a dialog,
// wired to the dialog's reject and accept.
struct OkCancelButtons {
    QHBoxLayout* row;
    QPushButton* ok;
    QPushButton* cancel;
};

OkCancelButtons CreateOkCancelButtons(QDialog* dialog);

}  // namespace tremolux
