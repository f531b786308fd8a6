#include "history/layers/PlaceLayerState.h"

#include "document/Document.h"

namespace pict {

PlaceLayerState::PlaceLayerState(DocumentContext& context, Surface24&& color, Surface8&& alpha, Point position)
    : DocumentChangeState([&context] { context.document().setModified(true); }), context_(context),
      color_(std::move(color)), alpha_(std::move(alpha)), position_(position) {}

bool PlaceLayerState::apply() { return layer_.place(context_.document().layers(), color_, alpha_, position_); }

bool PlaceLayerState::undo() { return layer_.remove(context_.document().layers()); }

} // namespace pict
