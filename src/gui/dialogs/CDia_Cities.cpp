#include "gui/dialogs/CDia_Cities.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "core/cities/CityFile.h"
#include "gui/common/Log.h"
#include "gui/common/MessageBoxes.h"
#include "gui/dialogs/CDia_City.h"
#include "gui/dialogs/LocaleNameComparison.h"

namespace tremolux {

namespace {

QPushButton* Button(QWidget* parent, const QString& text, const char* name)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

CDia_Cities::CDia_Cities(QWidget* parent) : QDialog(parent), m_logic(LocaleNameComparison())
{
    setWindowTitle(tr("Cities"));

    m_editCity = new QLineEdit(this);
    m_editCity->setObjectName("m_editCity");
    m_listCities = new QListWidget(this);
    m_listCities->setObjectName("m_listCities");
    m_listCities->setSelectionMode(QAbstractItemView::SingleSelection);
    // Lists of a hundred thousand names and more open without measuring each row.
    m_listCities->setUniformItemSizes(true);
    connect(m_listCities, &QListWidget::itemSelectionChanged, this,
            &CDia_Cities::OnLbnSelchangeCities);

    auto* ok = Button(this, tr("OK"), "okButton");
    ok->setDefault(true);
    auto* cancel = Button(this, tr("Cancel"), "cancelButton");
    auto* add = Button(this, tr("Add"), "addButton");
    auto* remove = Button(this, tr("Delete"), "deleteButton");
    connect(ok, &QPushButton::clicked, this, &CDia_Cities::accept);
    connect(cancel, &QPushButton::clicked, this, &CDia_Cities::reject);
    connect(add, &QPushButton::clicked, this, &CDia_Cities::OnBnClickedAdd);
    connect(remove, &QPushButton::clicked, this, &CDia_Cities::OnBnClickedDelete);

    auto* left = new QVBoxLayout;
    left->addWidget(m_editCity);
    left->addWidget(m_listCities, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(ok);
    right->addWidget(cancel);
    right->addStretch();
    right->addWidget(add);
    right->addWidget(remove);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    setTabOrder(m_listCities, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, m_editCity);
    setTabOrder(m_editCity, add);
    setTabOrder(add, remove);

    resize(330, 460);
}

// Each showing starts again from the city file and CurrentCity.
void CDia_Cities::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        OnInitDialog();
    QDialog::showEvent(event);
}

void CDia_Cities::OnInitDialog()
{
    const std::string path = CityFilePath();
    if (const Result<> load = m_logic.Load(path); !load) {
        qCWarning(lcSession).noquote() << "the city list" << QString::fromStdString(path)
                                       << "cannot be read:" << QString::fromStdString(load.error());
    }
    QStringList names;
    names.reserve(static_cast<qsizetype>(m_logic.Names().size()));
    for (const std::string& name : m_logic.Names())
        names << QString::fromStdString(name);
    const QSignalBlocker blocker(m_listCities);
    m_listCities->clear();
    m_listCities->addItems(names);
    m_editCity->setText(QString::fromStdString(CurrentCity.name));
    m_listCities->setFocus();
}

void CDia_Cities::OnLbnSelchangeCities()
{
    // Ctrl+click can take the selection away; the edit box keeps its text.
    const QList<QListWidgetItem*> selected = m_listCities->selectedItems();
    if (selected.isEmpty()) {
        m_logic.Select(std::nullopt);
        return;
    }
    m_logic.Select(static_cast<std::size_t>(m_listCities->row(selected.first())));
    m_editCity->setText(QString::fromStdString(m_logic.Selected()));
}

void CDia_Cities::OnBnClickedAdd()
{
    CDia_City editor;
    if (editor.exec() != QDialog::Accepted)
        return;
    if (const auto row = m_logic.Add(CurrentCity)) {
        const QSignalBlocker blocker(m_listCities);
        m_listCities->insertItem(static_cast<int>(*row), QString::fromStdString(CurrentCity.name));
    }
}

void CDia_Cities::OnBnClickedDelete()
{
    if (!m_logic.SelectedRow())
        return;
    const QString question =
        tr("Delete \"%1\" from the list?").arg(QString::fromStdString(m_logic.Selected()));
    if (AskYesNo(this, question) != QMessageBox::Yes)
        return;
    const auto row = m_logic.Delete();
    {
        const QSignalBlocker blocker(m_listCities);
        delete m_listCities->takeItem(static_cast<int>(*row));
        m_listCities->clearSelection();
        m_listCities->setCurrentRow(-1);
    }
    m_editCity->clear();
}

void CDia_Cities::accept()
{
    m_logic.Choose(CurrentCity);
    QDialog::accept();
}

}  // namespace tremolux
