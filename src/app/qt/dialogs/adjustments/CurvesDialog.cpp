#include "app/qt/dialogs/adjustments/CurvesDialog.h"

#include "app/qt/widgets/CurveGraph.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace pict::qt {

CurvesDialog::CurvesDialog(CurvesDialogModel& model, QWidget* parent)
    : AdjustmentDialog(model, tr("Curves"), parent), model_(model), channel_(new QComboBox(this)),
      graph_(new CurveGraph(model, this)), input_(new QLabel(this)), output_(new QLabel(this)) {
    channel_->setObjectName(QStringLiteral("channel"));
    for (const char* name : kToneChannelNames)
        channel_->addItem(tr(name));
    graph_->setObjectName(QStringLiteral("graph"));
    input_->setObjectName(QStringLiteral("input"));
    output_->setObjectName(QStringLiteral("output"));
    for (QLabel* readout : {input_, output_})
        readout->setMinimumWidth(readout->fontMetrics().horizontalAdvance(QStringLiteral("0000")));

    auto* channelRow = new QHBoxLayout;
    auto* channelLabel = new QLabel(tr("&Channel:"), this);
    channelLabel->setBuddy(channel_);
    channelRow->addWidget(channelLabel);
    channelRow->addWidget(channel_);
    channelRow->addStretch(1);
    auto* readouts = new QHBoxLayout;
    readouts->addWidget(new QLabel(tr("Input:"), this));
    readouts->addWidget(input_);
    readouts->addSpacing(12);
    readouts->addWidget(new QLabel(tr("Output:"), this));
    readouts->addWidget(output_);
    readouts->addStretch(1);
    body()->addLayout(channelRow);
    body()->addWidget(graph_);
    body()->addLayout(readouts);
    body()->addStretch(1);

    connect(channel_, &QComboBox::activated, this, [this](int channel) {
        model_.setChannel(channel);
        showValues();
    });
    connect(graph_, &CurveGraph::edited, this, &CurvesDialog::showValues);
    showValues();
}

void CurvesDialog::showValues() {
    channel_->setCurrentIndex(model_.channel());
    input_->setNum(model_.readout().x);
    output_->setNum(model_.readout().y);
    graph_->update();
}

std::optional<CommandParams> askCurves(QWidget* parent, DocumentSession& session) {
    CurvesDialogModel model(session);
    return runAdjustmentDialog<CurvesDialog>(model, parent);
}

} // namespace pict::qt
