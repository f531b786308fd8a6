#include "app/qt/dialogs/FillDialog.h"

#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/widgets/BlendModeList.h"
#include "app/qt/widgets/ColorButton.h"
#include "app/qt/dialogs/DialogText.h"
#include "document/Document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <memory>

namespace pict::qt {

FillDialog::FillDialog(const FillDialogMemory& memory, Color foreground, Color background,
                       bool preserveEnabled, QWidget* parent)
    : ModalDialog(parent), foreground_(foreground), background_(background), customColor_(memory.customColor),
      preserveEnabled_(preserveEnabled), contents_(new QComboBox(this)), swatch_(new ColorButton(this)),
      mode_(blendModeList(this)), opacity_(new QLineEdit(QString::number(memory.opacity), this)),
      preserve_(new QCheckBox(tr("&Preserve transparency"), this)) {
    setWindowTitle(tr("Fill"));
    for (std::string_view name : kFillContentsNames)
        contents_->addItem(uiText(name));
    contents_->setCurrentIndex(int(memory.contents));
    mode_->setCurrentIndex(isBlendMode(memory.mode) ? memory.mode : kBlendNormal);
    opacity_->setMaxLength(3);
    opacity_->setFixedWidth(opacity_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    preserve_->setEnabled(preserveEnabled);
    preserve_->setChecked(preserveEnabled && memory.preserveTransparency);

    auto* contentsGroup = new QGroupBox(tr("Contents"), this);
    auto* contentsForm = new QFormLayout(contentsGroup);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(contents_, 1);
    colorRow->addWidget(swatch_);
    contentsForm->addRow(buddyLabel(tr("&Color:"), contents_), colorRow);

    auto* blending = new QGroupBox(tr("Blending"), this);
    auto* blendingForm = new QFormLayout(blending);
    blendingForm->addRow(tr("&Mode:"), mode_);
    auto* opacityRow = new QHBoxLayout;
    opacityRow->addWidget(opacity_);
    opacityRow->addWidget(new QLabel(QStringLiteral("%"), this));
    opacityRow->addStretch(1);
    blendingForm->addRow(buddyLabel(tr("&Opacity:"), opacity_), opacityRow);
    blendingForm->addRow(QString(), preserve_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(contentsGroup);
    layout->addWidget(blending);
    layout->addWidget(buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(contents_, &QComboBox::currentIndexChanged, this, &FillDialog::refresh);
    connect(opacity_, &QLineEdit::textChanged, this, &FillDialog::refresh);
    connect(swatch_, &ColorButton::colorChanged, this, [this](Color color) {
        if (refreshing_)
            return;
        // A color chosen with the swatch is the custom color.
        customColor_ = color;
        const QSignalBlocker blocker(contents_);
        contents_->setCurrentIndex(int(FillContents::Custom));
        refresh();
    });
    refresh();
}

void FillDialog::refresh() {
    refreshing_ = true;
    swatch_->setColor(fillContentsColor(FillContents(contents_->currentIndex()), foreground_, background_,
                                        customColor_));
    int32_t percent = 0;
    okButton()->setEnabled(parseFillOpacity(modelText(opacity_->text()), percent));
    refreshing_ = false;
}

FillParams FillDialog::confirm(FillDialogMemory& memory) const {
    FillDialogAnswer answer;
    answer.contents = FillContents(contents_->currentIndex());
    answer.customColor = customColor_;
    answer.mode = mode_->currentIndex();
    if (!parseFillOpacity(modelText(opacity_->text()), answer.opacity))
        answer.opacity = memory.opacity;
    answer.preserveTransparency = preserve_->isChecked();
    return confirmFillDialog(memory, answer, preserveEnabled_, foreground_, background_);
}

} // namespace pict::qt

namespace pict::qt {

namespace {

std::optional<CommandParams> askFill(QWidget* parent, DocumentSession& session, FillDialogMemory& memory) {
    const LayerStack* layers = session.document().layersIfAny();
    const Layer* layer = layers ? layers->active() : nullptr;
    const bool preserveEnabled = layer && !layer->isBackground();
    FillDialog dialog(memory, session.app().foregroundColor, session.app().backgroundColor, preserveEnabled, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.confirm(memory);
}

} // namespace

void registerFillDialog(CommandDialogs& dialogs) {
    auto memory = std::make_shared<FillDialogMemory>();
    dialogs.add(kCmdFill,
                [memory](QWidget* parent, DocumentSession& session) { return askFill(parent, session, *memory); });
}

} // namespace pict::qt
