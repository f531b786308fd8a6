#include "app/qt/dialogs/ChannelDialogs.h"

#include "app/dialogs/ChannelDialogModel.h"
#include "app/qt/dialogs/DialogText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>

namespace pict::qt {

namespace {

QComboBox* channelCombo(const std::vector<std::string>& names, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("channel"));
    for (const std::string& name : names)
        combo->addItem(QString::fromStdString(name));
    combo->setMinimumContentsLength(16);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
}

// The "Operation" group with one radio button per label, the first checked.
QGroupBox* operationGroup(const std::array<std::string_view, kChannelOperationCount>& labels,
                          QButtonGroup*& buttons, QWidget* parent) {
    auto* group = new QGroupBox(QObject::tr("Operation"), parent);
    auto* layout = new QVBoxLayout(group);
    buttons = new QButtonGroup(parent);
    for (int32_t i = 0; i < kChannelOperationCount; ++i) {
        auto* button = new QRadioButton(uiText(labels[size_t(i)]), group);
        buttons->addButton(button, i);
        layout->addWidget(button);
    }
    buttons->button(0)->setChecked(true);
    return group;
}

} // namespace

SaveSelectionDialog::SaveSelectionDialog(const std::vector<std::string>& channelNames, const std::string& nextName,
                                         QWidget* parent)
    : ModalDialog(parent), channelCount_(int32_t(channelNames.size())),
      channels_(channelCombo(saveSelectionChoices(channelNames), this)), name_(new QLineEdit(this)),
      operations_(nullptr) {
    setWindowTitle(tr("Save Selection"));
    name_->setObjectName(QStringLiteral("name"));
    name_->setPlaceholderText(QString::fromStdString(nextName));

    auto* destination = new QGroupBox(tr("Destination"), this);
    auto* form = new QFormLayout(destination);
    form->addRow(tr("&Channel:"), channels_);
    form->addRow(tr("&Name:"), name_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(destination);
    layout->addWidget(operationGroup(kSaveOperationLabels, operations_, this));
    layout->addWidget(buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    channels_->setCurrentIndex(channelCount_);
    connect(channels_, &QComboBox::currentIndexChanged, this, &SaveSelectionDialog::choiceChanged);
    choiceChanged();
}

void SaveSelectionDialog::choiceChanged() {
    const SaveSelectionControls controls = saveSelectionControls(channels_->currentIndex(), channelCount_);
    if (!controls.nameEnabled)
        name_->clear();
    name_->setEnabled(controls.nameEnabled);
    operations_->button(0)->setText(uiText(controls.firstOperationLabel));
    for (int32_t i = 1; i < kChannelOperationCount; ++i)
        operations_->button(i)->setEnabled(controls.combineEnabled);
    if (!controls.combineEnabled)
        operations_->button(0)->setChecked(true);
}

SaveSelectionParams SaveSelectionDialog::answer() const {
    return confirmSaveSelection(channels_->currentIndex(), channelCount_, modelText(name_->text()),
                                operations_->checkedId());
}

LoadSelectionDialog::LoadSelectionDialog(const std::vector<std::string>& channelNames, const std::vector<bool>& fits,
                                         QWidget* parent)
    : ModalDialog(parent), channels_(channelCombo(channelNames, this)), invert_(new QCheckBox(tr("In&vert"), this)),
      operations_(nullptr) {
    setWindowTitle(tr("Load Selection"));
    invert_->setObjectName(QStringLiteral("invert"));

    auto* source = new QGroupBox(tr("Source"), this);
    auto* form = new QFormLayout(source);
    form->addRow(tr("&Channel:"), channels_);
    form->addRow(QString(), invert_);
    const bool anyMisfit = std::find(fits.begin(), fits.end(), false) != fits.end();
    if (anyMisfit) {
        // The combo box's own model: an item without the enabled flag cannot be chosen.
        auto* items = qobject_cast<QStandardItemModel*>(channels_->model());
        for (size_t i = 0; i < fits.size() && items; ++i)
            if (!fits[i])
                items->item(int(i))->setEnabled(false);
        misfitNote_ = new QLabel(QString::fromUtf8(kMisfitChannelsNote.data(), qsizetype(kMisfitChannelsNote.size())),
                                 source);
        misfitNote_->setWordWrap(true);
        form->addRow(misfitNote_);
        channels_->setCurrentIndex(firstLoadableChannel(fits));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addWidget(operationGroup(kLoadOperationLabels, operations_, this));
    layout->addWidget(buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    const auto currentFits = [this, fits] {
        const int index = channels_->currentIndex();
        return index >= 0 && (size_t(index) >= fits.size() || fits[size_t(index)]);
    };
    okButton()->setEnabled(currentFits());
    connect(channels_, &QComboBox::currentIndexChanged, this, [this, currentFits] { okButton()->setEnabled(currentFits()); });
}

LoadSelectionParams LoadSelectionDialog::answer() const {
    return confirmLoadSelection(channels_->currentIndex(), operations_->checkedId(), invert_->isChecked());
}

} // namespace pict::qt
