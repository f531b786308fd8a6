#include "app/qt/dialogs/SizeDialog.h"

#include "app/qt/dialogs/DialogText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace pict::qt {

QLineEdit* SizeDialog::makeNumberEntry(std::function<void(const QString&)> edited) {
    auto* entry = new QLineEdit(this);
    entry->setMaxLength(12);
    entry->setFixedWidth(entry->fontMetrics().horizontalAdvance(QStringLiteral("00000.000")) + 16);
    connect(entry, &QLineEdit::textChanged, this, [this, edited = std::move(edited)](const QString& text) {
        if (!refreshing_)
            edited(text);
    });
    return entry;
}

QComboBox* SizeDialog::makeList(std::span<const std::string_view> names) {
    auto* list = new QComboBox(this);
    for (std::string_view name : names)
        list->addItem(uiText(name));
    return list;
}

void SizeDialog::addRow(QGridLayout* grid, int row, const QString& label, QLineEdit* entry, QComboBox* list) {
    auto* text = new QLabel(label);
    text->setBuddy(entry);
    grid->addWidget(text, row, 0, Qt::AlignRight);
    grid->addWidget(entry, row, 1);
    grid->addWidget(list, row, 2);
}

void SizeDialog::showText(QLineEdit* entry, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (entry->text() != shown)
        entry->setText(shown);
}

void SizeDialog::selectQuietly(QComboBox* list, int index) {
    const QSignalBlocker blocker(list);
    list->setCurrentIndex(index);
}

} // namespace pict::qt
