#pragma once
// Merge Layers, Merge Down, Merge Visible and Flatten Image: structural changes built on the
// same compositing as the cache. Both are undone by a whole-document snapshot.

#include <vector>

namespace pict {

class Document;
class Layer;
class RasterLayer;

// Merges the listed layers (bottom first) of the document into one raster layer and returns
// it (now active), or null, changing nothing, when no listed layer takes part, a listed layer
// is not in the document, or memory runs out. When exactly one layer takes part, it is kept
// as it is and the other listed layers are deleted.
RasterLayer* merge(Document& document, const std::vector<const Layer*>& layers);

// The composite, mixed with white where it is transparent, becomes the single "Background"
// layer. Null, changing nothing, when there is no composite or memory runs out.
RasterLayer* flatten(Document& document);

// The lists the merge commands pass: the layer below the active one and the active one; every
// visible layer bottom first. Empty when the command does not apply.
std::vector<const Layer*> mergeDownList(const Document& document);
std::vector<const Layer*> mergeVisibleList(const Document& document);

} // namespace pict
