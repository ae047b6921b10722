#include "cities/CDia_Cities.h"

namespace tremolux {

CDia_Cities::CDia_Cities(QWidget* parent) : QDialog(parent) {}

}  // namespace tremolux
