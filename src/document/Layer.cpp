#include "document/Layer.h"

#include "document/Document.h"
#include "document/LayerStack.h"

namespace pict {

void Layer::setPosition(Point position) {
    if (isLive())
        position_ = position;
}

bool Layer::setBlendMode(int32_t mode) {
    if (!isLive() || !isBlendMode(mode))
        return false;
    blendMode_ = mode;
    return true;
}

bool Layer::setOpacity(uint8_t opacity) {
    if (!isLive())
        return false;
    opacity_ = opacity;
    return true;
}

Size Layer::canvasSize() const {
    if (!owner_ || !owner_->document())
        return {};
    return owner_->document()->canvasSize();
}

Rect Layer::selectionInLayer(const SelectionArea& selection) const {
    if (selection.isEmpty())
        return {};
    return selection.bounds.translated(-position_.x, -position_.y).intersected(localBounds());
}

void Layer::copyAttributesFrom(const Layer& other) {
    name_ = other.name_;
    visible_ = other.visible_;
    position_ = other.position_;
    blendMode_ = other.blendMode_;
    opacity_ = other.opacity_;
}

std::unique_ptr<RemovedLayer> RemovedLayer::replacing(const Layer& replaced) {
    auto placeholder = std::make_unique<RemovedLayer>(replaced.owner());
    placeholder->setName(replaced.name());
    placeholder->setVisible(replaced.isVisible());
    return placeholder;
}

std::unique_ptr<Layer> RemovedLayer::clone(LayerStack* owner) const {
    auto copy = std::make_unique<RemovedLayer>(owner);
    copy->setName(name());
    copy->setVisible(isVisible());
    return copy;
}

std::unique_ptr<Layer> EmptyLayer::clone(LayerStack* owner) const {
    auto copy = std::make_unique<EmptyLayer>(owner);
    copy->copyAttributesFrom(*this);
    return copy;
}

} // namespace pict
