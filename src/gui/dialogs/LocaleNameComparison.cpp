#include "gui/dialogs/LocaleNameComparison.h"

#include <QCollator>
#include <QLocale>
#include <QString>

namespace tremolux {

NameComparison LocaleNameComparison()
{
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);  // English collates by the root order
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return {
        [collator](const std::string& a, const std::string& b) {
            return collator.compare(QString::fromStdString(a), QString::fromStdString(b)) < 0;
        },
        [](const std::string& a, const std::string& b) {
            return QString::compare(QString::fromStdString(a), QString::fromStdString(b),
                                    Qt::CaseInsensitive)
                   == 0;
        },
    };
}

}  // namespace tremolux
