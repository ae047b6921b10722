#include "cities/CDia_City.h"

namespace tremolux {

CDia_City::CDia_City(QWidget* parent) : QDialog(parent) {}

}  // namespace tremolux
