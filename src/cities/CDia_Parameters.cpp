#include "cities/CDia_Parameters.h"

namespace tremolux {

CDia_Parameters::CDia_Parameters(QWidget* parent) : QDialog(parent) {}

}  // namespace tremolux
