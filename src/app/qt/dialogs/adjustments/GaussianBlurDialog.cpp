#include "app/qt/dialogs/adjustments/GaussianBlurDialog.h"

#include "app/qt/window/DocumentFrame.h"
#include "app/qt/widgets/PreviewPane.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace pict::qt {

namespace {

// Where the dialog was last closed during this run.
std::optional<QRect> lastPlacement;

// What the document window of the session shows of the image; empty when no window of the
// owner shows it.
Rect shownImageArea(QWidget* owner, const DocumentSession& session) {
    if (!owner)
        return {};
    for (DocumentFrame* frame : owner->findChildren<DocumentFrame*>())
        if (&frame->session() == &session)
            return frame->view().visibleImageRect();
    return {};
}

} // namespace

GaussianBlurDialog::GaussianBlurDialog(GaussianBlurDialogModel& model, PreviewPane* pane, QWidget* parent)
    : AdjustmentDialog(model, tr("Gaussian Blur"), parent), model_(model), pane_(pane), radius_(new QLineEdit(this)),
      slider_(new QSlider(Qt::Horizontal, this)) {
    radius_->setObjectName(QStringLiteral("radius"));
    radius_->setMaxLength(GaussianBlurDialogModel::kFieldLength);
    radius_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), radius_));
    radius_->setFixedWidth(radius_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    slider_->setObjectName(QStringLiteral("radiusSlider"));
    slider_->setRange(0, GaussianBlurDialogModel::kSliderMax);
    slider_->setMinimumWidth(200);

    auto* label = new QLabel(tr("&Radius:"), this);
    label->setBuddy(radius_);
    auto* fieldRow = new QHBoxLayout;
    fieldRow->addWidget(label);
    fieldRow->addWidget(radius_);
    fieldRow->addWidget(new QLabel(tr("pixels"), this));
    fieldRow->addStretch(1);
    auto* controls = new QVBoxLayout;
    controls->addLayout(fieldRow);
    controls->addWidget(slider_);
    controls->addStretch(1);
    auto* row = new QHBoxLayout;
    if (pane_) {
        pane_->setParent(this);
        row->addWidget(pane_);
    }
    row->addLayout(controls, 1);
    body()->addLayout(row);

    connect(radius_, &QLineEdit::textEdited, this, &GaussianBlurDialog::textEdited);
    connect(slider_, &QSlider::valueChanged, this, [this](int position) {
        model_.setSliderPosition(position);
        showValues();
    });
    keepPlacement(&lastPlacement);
    showValues();
}

void GaussianBlurDialog::textEdited(const QString& text) {
    model_.setText(text.toStdString());
    const QSignalBlocker block(slider_);
    slider_->setValue(model_.sliderPosition());
    updateOk();
}

void GaussianBlurDialog::updateOk() { okButton()->setEnabled(model_.canConfirm()); }

void GaussianBlurDialog::showValues() {
    const QString text = QString::fromStdString(model_.text());
    if (radius_->text() != text)
        radius_->setText(text);
    const QSignalBlocker block(slider_);
    slider_->setValue(model_.sliderPosition());
    updateOk();
}

std::optional<CommandParams> askGaussianBlur(QWidget* parent, DocumentSession& session) {
    GaussianBlurDialogModel model(session);
    GaussianBlurDialog dialog(model, new PreviewPane(session, shownImageArea(parent, session)), parent);
    dialog.exec();
    return dialog.answer();
}

} // namespace pict::qt
