#include "app/qt/dialogs/LayerDialogs.h"

#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "app/dialogs/LayerDialogModel.h"
#include "app/qt/widgets/BlendModeList.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/dialogs/DialogText.h"
#include "app/qt/window/ShellPrompts.h"
#include "app/qt/dialogs/TextPrompt.h"
#include "document/Document.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace pict::qt {

NewLayerDialog::NewLayerDialog(const LayerParams& start, QWidget* parent)
    : ModalDialog(parent), name_(new QLineEdit(QString::fromStdString(start.name), this)),
      mode_(blendModeList(this)),
      opacity_(new QLineEdit(QString::number(layerOpacityPercent(start.opacity)), this)) {
    setWindowTitle(tr("New Layer"));
    name_->setMinimumWidth(name_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 28);
    name_->selectAll();
    mode_->setCurrentIndex(isBlendMode(start.mode) ? start.mode : kBlendNormal);
    opacity_->setMaxLength(3);
    opacity_->setFixedWidth(opacity_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);

    auto* form = new QFormLayout;
    form->addRow(tr("&Name:"), name_);
    form->addRow(tr("&Mode:"), mode_);
    auto* opacityRow = new QHBoxLayout;
    opacityRow->addWidget(opacity_);
    opacityRow->addWidget(new QLabel(QStringLiteral("%"), this));
    opacityRow->addStretch(1);
    form->addRow(buddyLabel(tr("&Opacity:"), opacity_), opacityRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto updateOk = [this] { okButton()->setEnabled(answer().has_value()); };
    connect(opacity_, &QLineEdit::textChanged, this, updateOk);
    updateOk();
}

std::optional<LayerParams> NewLayerDialog::answer() const {
    return confirmNewLayer(modelText(name_->text()), mode_->currentIndex(), modelText(opacity_->text()));
}

namespace {

const Layer* activeLayer(const DocumentSession& session) {
    const LayerStack* layers = session.document().layersIfAny();
    return layers ? layers->active() : nullptr;
}

LayerParams named(const QString& name) {
    LayerParams params;
    params.name = modelText(name);
    return params;
}

std::optional<CommandParams> askNewLayer(QWidget* parent, DocumentSession& session) {
    NewLayerDialog dialog(newLayerDefaults(session.document().layers()), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const std::optional<LayerParams> answer = dialog.answer();
    return answer ? std::optional<CommandParams>(*answer) : std::nullopt;
}

std::optional<CommandParams> askDuplicateLayer(QWidget* parent, DocumentSession& session) {
    const Layer* layer = activeLayer(session);
    if (!layer)
        return std::nullopt;
    const QString name = QString::fromStdString(layer->name());
    TextPromptDialog dialog(QObject::tr("Duplicate Layer"), QObject::tr("Duplicate: %1").arg(name),
                            QObject::tr("As:"),
                            QString::fromStdString(session.document().layers().duplicateLayerName(*layer)), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return named(dialog.value());
}

std::optional<CommandParams> askLayerProperties(QWidget* parent, DocumentSession& session) {
    const Layer* layer = activeLayer(session);
    if (!layer)
        return std::nullopt;
    const std::optional<QString> name = askText(parent, QObject::tr("Layer Properties"), QObject::tr("Layer name:"),
                                                QString::fromStdString(layer->name()));
    if (!name)
        return std::nullopt;
    return named(*name);
}

std::optional<CommandParams> confirmDeleteLayer(QWidget* parent, DocumentSession& session) {
    const Layer* layer = activeLayer(session);
    if (!layer)
        return std::nullopt;
    QMessageBox box(QMessageBox::Question, applicationTitle(),
                    QString::fromStdString(deleteLayerPrompt(layer->name())), QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() != QMessageBox::Yes)
        return std::nullopt;
    return LayerParams{}; // the active layer
}

} // namespace

void registerLayerDialogs(CommandDialogs& dialogs) {
    dialogs.add(kCmdNewLayer, askNewLayer);
    dialogs.add(kCmdDuplicateLayer, askDuplicateLayer);
    dialogs.add(kCmdLayerProperties, askLayerProperties);
    dialogs.add(kCmdDeleteLayer, confirmDeleteLayer);
}

} // namespace pict::qt
