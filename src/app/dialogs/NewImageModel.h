#pragma once
// The arithmetic and rules of the New dialog: unit conversion to pixels, the memory label,
// the built-in preset list, which entry matches the fields, and the enabled states of OK and
// the preset buttons. The dialog shows these values; the document is made from NewImageSpec.

#include "app/settings/AppSettings.h"
#include "app/dialogs/ImagePreset.h"

#include <optional>
#include <string>
#include <vector>

namespace pict {

inline constexpr int32_t kMinImageSide = 1;
inline constexpr int32_t kMaxImageSide = 30000;
inline constexpr double kMinNewImageResolution = 1.0;
inline constexpr double kMaxNewImageResolution = 9999.999;

// The short unit names that label values ("px", "in", "cm", "mm") and the list texts.
const char* sizeUnitShortName(SizeUnit unit);
const char* sizeUnitListText(SizeUnit unit);         // "pixels", "inches", "cm", "mm"
const char* resolutionUnitListText(ResolutionUnit u); // "pixels/inch", "pixels/cm"
const char* backgroundListText(NewImageBackground b); // "White", "Background Color", "Transparent"

// A value in a size unit as whole pixels, truncated toward zero (saturating far outside
// any valid size, 0 for a value that is not a number).
int32_t sizeToPixels(double value, SizeUnit unit, double resolution, ResolutionUnit resolutionUnit);
// The number a size field shows after its unit list changes from `from` to `to`.
double convertSizeValue(double value, SizeUnit from, SizeUnit to, double resolution,
                        ResolutionUnit resolutionUnit);

// "--" outside 1..30000, otherwise the bytes at three per pixel: "300 bytes", "900K", "2.25M".
std::string imageSizeLabel(int32_t widthPx, int32_t heightPx);

bool isValidPixelSide(int32_t px);
bool isValidNewImageResolution(double resolution);

// The built-in entries as the New dialog lists them each time it opens, ids 0..7.
ImagePreset resetPreset();
struct BuiltInPresetInputs {
    ImagePreset lastConfirmed = resetPreset(); // the Custom values of this run
    std::optional<Size> clipboardSize;         // pixel size of the clipboard bitmap, when there is one
};
std::vector<ImagePreset> builtInPresets(const BuiltInPresetInputs& inputs);
// Built-ins first, then the user's presets in their stored order.
std::vector<ImagePreset> newDialogPresetList(const BuiltInPresetInputs& inputs, const PresetList& user);
// Index of the first entry whose values (not name or id) equal the fields; none otherwise.
std::optional<size_t> matchingPresetIndex(const std::vector<ImagePreset>& list, const ImagePreset& fields);

// What the fields hold, and the dialog's enabled states.
struct NewImageFields {
    std::string documentName;
    ImagePreset values;
    int32_t selectedPresetId = 0; // -1 when no entry matches
};
int32_t fieldsWidthPixels(const NewImageFields& f);
int32_t fieldsHeightPixels(const NewImageFields& f);
bool canConfirmNewImage(const NewImageFields& f);
bool canSavePreset(const NewImageFields& f);
bool canDeletePreset(int32_t presetId);
bool canSwapSides(const NewImageFields& f);
bool isPortrait(const NewImageFields& f); // the Orientation list shows "Portrait" when true
void swapSides(NewImageFields& f);

// The Save-preset name proposal, "640 x 480 px", and the two preset message boxes.
std::string presetNameProposal(const ImagePreset& values);
inline constexpr const char* kSavePresetTitle = "New Image Preset";
inline constexpr const char* kSavePresetLabel = "Preset name:";
inline constexpr const char* kDuplicatePresetCaption = "Duplicate Name Exists";
std::string duplicatePresetMessage(const std::string& name);
inline constexpr const char* kDeletePresetCaption = "Delete Preset";
std::string deletePresetQuestion(const std::string& name);

// Adds the fields as a user preset with the next free id. A name taken by a built-in or user
// entry adds nothing (the caller shows duplicatePresetMessage); so does an empty name.
enum class SavePresetResult { Added, DuplicateName, EmptyName };
SavePresetResult savePreset(PresetList& user, const std::vector<ImagePreset>& builtIns, const std::string& name,
                            const ImagePreset& values, int32_t* newId = nullptr);

// What the document is created from once OK is pressed.
struct NewImageSpec {
    std::string name;
    int32_t width = 0;
    int32_t height = 0;
    double resolution = 72.0;
    ResolutionUnit resolutionUnit = ResolutionUnit::PixelsPerInch;
    bool transparent = false;
    Color fillColor = kWhite; // white for a transparent layer, where it has no effect
};
NewImageSpec newImageSpec(const NewImageFields& f, Color currentBackground);

inline constexpr const char* kNewImageFailedMessage = "Error creating new image!";

// The process's counters for proposed names: "Untitled-1", "Untitled-2", ... and likewise
// "Clipboard-%d". The application owns one of each.
class DocumentNameCounter {
public:
    explicit DocumentNameCounter(std::string prefix) : prefix_(std::move(prefix)) {}
    std::string next() { return prefix_ + std::to_string(next_++); }

private:
    std::string prefix_;
    int next_ = 1;
};

} // namespace pict
