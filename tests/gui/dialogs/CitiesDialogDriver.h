#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include "gui/dialogs/CDia_City.h"

namespace tremolux::test {

// The Cities dialog's parts, found by their object names.
inline QListWidget* List(QDialog* dialog)
{
    return dialog->findChild<QListWidget*>("m_listCities");
}

inline QLineEdit* CityEdit(QDialog* dialog)
{
    return dialog->findChild<QLineEdit*>("m_editCity");
}

inline QPushButton* Button(QDialog* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(name);
}

inline QStringList Rows(QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

inline int RowOf(QListWidget* list, const QString& text)
{
    return Rows(list).indexOf(text);
}

// The city editor's run: a name (UTF-8) and a decimal position, then OK.
inline auto EnterCity(const char* name, const char* lat, const char* lon)
{
    return [name, lat, lon](CDia_City* editor) {
        editor->findChild<QLineEdit*>("m_editName")->setText(QString::fromUtf8(name));
        editor->findChild<QLineEdit*>("m_editLat")->setText(lat);
        editor->findChild<QLineEdit*>("m_editLon")->setText(lon);
        editor->findChild<QPushButton*>("okButton")->click();
    };
}

}  // namespace tremolux::test
