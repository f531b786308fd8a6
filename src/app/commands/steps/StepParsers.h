#pragma once
// The parsers and runners of the commands' batch steps, one source file per menu domain; the
// domains' spec tables name them in their CommandStep records.

#include "app/commands/CommandStep.h"

#include <string>
#include <string_view>

namespace pict {

// Adjustments and filters
bool parseGaussianBlur(std::string_view text, StepInput& input, std::string& error);
bool parseBrightnessContrast(std::string_view text, StepInput& input, std::string& error);
bool parseLevels(std::string_view text, StepInput& input, std::string& error);
bool parseCurves(std::string_view text, StepInput& input, std::string& error);
bool parseColorBalance(std::string_view text, StepInput& input, std::string& error);
bool parseHueSaturation(std::string_view text, StepInput& input, std::string& error);
bool parseColorize(std::string_view text, StepInput& input, std::string& error);

// Image geometry
bool parseImageSize(std::string_view text, StepInput& input, std::string& error);
bool parseCanvasSize(std::string_view text, StepInput& input, std::string& error);
bool parseRotation(std::string_view text, StepInput& input, std::string& error);
CommandResult runImageSizeStep(DocumentCommands& commands, uint16_t id, const StepInput& input);
bool parseThumbnail(std::string_view text, StepInput& input, std::string& error);
CommandResult runThumbnailStep(DocumentCommands& commands, uint16_t id, const StepInput& input);
CommandResult runCanvasSizeStep(DocumentCommands& commands, uint16_t id, const StepInput& input);

// Selection
bool parseFeather(std::string_view text, StepInput& input, std::string& error);
bool parseExpand(std::string_view text, StepInput& input, std::string& error);
bool parseContract(std::string_view text, StepInput& input, std::string& error);
bool parseBorder(std::string_view text, StepInput& input, std::string& error);
bool parseSaveSelection(std::string_view text, StepInput& input, std::string& error);
bool parseLoadSelection(std::string_view text, StepInput& input, std::string& error);
bool parseMagicWand(std::string_view text, StepInput& input, std::string& error);
bool parseLasso(std::string_view text, StepInput& input, std::string& error);
// A selection tool's mode: replace, add, subtract or intersect (0..3).
bool readSelectionMode(std::string_view text, int32_t& mode, std::string& error);
CommandResult runSaveSelectionStep(DocumentCommands& commands, uint16_t id, const StepInput& input);
CommandResult runLoadSelectionStep(DocumentCommands& commands, uint16_t id, const StepInput& input);

// Fill
bool parseFill(std::string_view text, StepInput& input, std::string& error);

// Painting
bool parsePencilStroke(std::string_view text, StepInput& input, std::string& error);
bool parseBrushStroke(std::string_view text, StepInput& input, std::string& error);
bool parseEraserStroke(std::string_view text, StepInput& input, std::string& error);
bool parseBucket(std::string_view text, StepInput& input, std::string& error);
bool parseGradient(std::string_view text, StepInput& input, std::string& error);
bool parsePickColor(std::string_view text, StepInput& input, std::string& error);

// Layers
bool parseNewLayer(std::string_view text, StepInput& input, std::string& error);
bool parseLayerName(std::string_view text, StepInput& input, std::string& error);
bool parseRequiredName(std::string_view text, StepInput& input, std::string& error);
bool parseLayerMode(std::string_view text, StepInput& input, std::string& error);
bool parseLayerOpacity(std::string_view text, StepInput& input, std::string& error);
bool parseLayerList(std::string_view text, StepInput& input, std::string& error);
CommandResult runMergeLayersStep(DocumentCommands& commands, uint16_t id, const StepInput& input);
// "there is no layer 5 (the document has 2)"
std::string noSuchLayerMessage(int32_t index, int32_t count);

} // namespace pict
