#include "app/dialogs/NewImageModel.h"

#include "app/dialogs/ImageSizeSettings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace pict {
namespace {

struct UnitFactors {
    double perInch;
    double perCm;
    double perMm;
};

// Pixels per inch, per cm and per mm for a resolution.
UnitFactors factorsFor(double r, ResolutionUnit unit) {
    const double perInch = convertResolution(r, unit, ResolutionUnit::PixelsPerInch);
    const double perCm = convertResolution(r, unit, ResolutionUnit::PixelsPerCentimeter);
    // Per millimetre has factors of its own (0.03937008 is not 0.39370078 / 10 in doubles).
    return {perInch, perCm, unit == ResolutionUnit::PixelsPerCentimeter ? r * 0.1 : r * 0.03937008};
}

double pixelsPerUnit(SizeUnit unit, const UnitFactors& f) {
    switch (unit) {
    case SizeUnit::Pixels:
        return 1.0;
    case SizeUnit::Inches:
        return f.perInch;
    case SizeUnit::Centimeters:
        return f.perCm;
    case SizeUnit::Millimeters:
        return f.perMm;
    }
    return 1.0;
}

// Between the physical units: row from, column to (inches, cm, mm).
constexpr double kPhysicalFactor[3][3] = {
    {1.0, 2.54, 25.4},
    {1.0 / 2.54, 1.0, 10.0},
    {1.0 / 25.4, 1.0 / 10.0, 1.0},
};

int32_t truncateToInt(double v) {
    if (!std::isfinite(v))
        return v > 0 ? std::numeric_limits<int32_t>::max() : v < 0 ? std::numeric_limits<int32_t>::min() : 0;
    if (v >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

bool sameValues(const ImagePreset& a, const ImagePreset& b) {
    return a.width == b.width && a.height == b.height && a.sizeUnit == b.sizeUnit && a.resolution == b.resolution &&
           a.resolutionUnit == b.resolutionUnit && a.background == b.background;
}

ImagePreset builtIn(int32_t id, const char* name, float w, float h, SizeUnit unit = SizeUnit::Pixels,
                    float resolution = 72.0f) {
    ImagePreset p = resetPreset();
    p.id = id;
    p.name = name;
    p.width = w;
    p.height = h;
    p.sizeUnit = unit;
    p.resolution = resolution;
    return p;
}

std::string shortestNumber(float v) {
    char text[32];
    auto [ptr, ec] = std::to_chars(text, text + sizeof text, v);
    return ec == std::errc() ? std::string(text, ptr) : std::string("0");
}

} // namespace

const char* sizeUnitShortName(SizeUnit unit) {
    static constexpr const char* names[] = {"px", "in", "cm", "mm"};
    return names[static_cast<int32_t>(unit) & 3];
}

const char* sizeUnitListText(SizeUnit unit) {
    static constexpr const char* names[] = {"pixels", "inches", "cm", "mm"};
    return names[static_cast<int32_t>(unit) & 3];
}

const char* resolutionUnitListText(ResolutionUnit unit) {
    return resolutionUnitName(unit).data(); // the names are literals, so they end in a null
}

const char* backgroundListText(NewImageBackground b) {
    switch (b) {
    case NewImageBackground::White:
        return "White";
    case NewImageBackground::BackgroundColor:
        return "Background Color";
    case NewImageBackground::Transparent:
        return "Transparent";
    }
    return "White";
}

int32_t sizeToPixels(double value, SizeUnit unit, double resolution, ResolutionUnit resolutionUnit) {
    if (std::isnan(value))
        return 0;
    if (unit == SizeUnit::Pixels)
        return truncateToInt(value);
    return truncateToInt(value * pixelsPerUnit(unit, factorsFor(resolution, resolutionUnit)));
}

double convertSizeValue(double value, SizeUnit from, SizeUnit to, double resolution, ResolutionUnit resolutionUnit) {
    if (from == to)
        return value;
    if (to == SizeUnit::Pixels)
        return sizeToPixels(value, from, resolution, resolutionUnit);
    if (from == SizeUnit::Pixels) {
        double perUnit = pixelsPerUnit(to, factorsFor(resolution, resolutionUnit));
        return perUnit > 0 ? value / perUnit : 0.0;
    }
    return value * kPhysicalFactor[static_cast<int>(from) - 1][static_cast<int>(to) - 1];
}

bool isValidPixelSide(int32_t px) { return px >= kMinImageSide && px <= kMaxImageSide; }
bool isValidNewImageResolution(double r) { return r >= kMinNewImageResolution && r <= kMaxNewImageResolution; }

std::string imageSizeLabel(int32_t w, int32_t h) {
    if (!isValidPixelSide(w) || !isValidPixelSide(h))
        return "--";
    const uint32_t bytes = static_cast<uint32_t>(w) * static_cast<uint32_t>(h) * 3u;
    char number[32];
    const char* suffix;
    if (bytes <= 1023) {
        std::snprintf(number, sizeof number, "%u", bytes);
        suffix = " bytes";
    } else if (bytes <= 1048575) {
        std::snprintf(number, sizeof number, "%3.2f", bytes / 1024.0);
        suffix = "K";
    } else if (bytes > 1073741823) {
        std::snprintf(number, sizeof number, "%3.2f", bytes / 1073741824.0);
        suffix = "G";
    } else {
        std::snprintf(number, sizeof number, "%3.2f", bytes / 1048576.0);
        suffix = "M";
    }
    std::string text = number;
    // printf's "%f" follows the locale; the label always shows a point.
    for (char& c : text)
        if (c == ',')
            c = '.';
    if (text.size() > 4 && text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text + suffix;
}

ImagePreset resetPreset() {
    ImagePreset p;
    p.name = "Default";
    p.id = 2;
    return p;
}

std::vector<ImagePreset> builtInPresets(const BuiltInPresetInputs& in) {
    std::vector<ImagePreset> list;
    ImagePreset custom = in.lastConfirmed;
    custom.id = 0;
    custom.name = "Custom";
    list.push_back(custom);

    ImagePreset clipboard = builtIn(1, "Clipboard", 320, 240);
    if (in.clipboardSize) {
        clipboard.width = static_cast<float>(in.clipboardSize->width);
        clipboard.height = static_cast<float>(in.clipboardSize->height);
    }
    clipboard.background = in.lastConfirmed.background;
    list.push_back(clipboard);

    list.push_back(builtIn(2, "Default", 320, 240));
    list.push_back(builtIn(3, "640 x 480", 640, 480));
    list.push_back(builtIn(4, "800 x 600", 800, 600));
    list.push_back(builtIn(5, "1024 x 768", 1024, 768));
    list.push_back(builtIn(6, "A4", 210, 297, SizeUnit::Millimeters, 300));
    list.push_back(builtIn(7, "A3", 297, 420, SizeUnit::Millimeters, 300));
    return list;
}

std::vector<ImagePreset> newDialogPresetList(const BuiltInPresetInputs& inputs, const PresetList& user) {
    std::vector<ImagePreset> list = builtInPresets(inputs);
    list.insert(list.end(), user.all().begin(), user.all().end());
    return list;
}

std::optional<size_t> matchingPresetIndex(const std::vector<ImagePreset>& list, const ImagePreset& fields) {
    for (size_t i = 0; i < list.size(); ++i)
        if (sameValues(list[i], fields))
            return i;
    return std::nullopt;
}

int32_t fieldsWidthPixels(const NewImageFields& f) {
    return sizeToPixels(f.values.width, f.values.sizeUnit, f.values.resolution, f.values.resolutionUnit);
}

int32_t fieldsHeightPixels(const NewImageFields& f) {
    return sizeToPixels(f.values.height, f.values.sizeUnit, f.values.resolution, f.values.resolutionUnit);
}

static bool sizeAndResolutionValid(const NewImageFields& f) {
    return isValidPixelSide(fieldsWidthPixels(f)) && isValidPixelSide(fieldsHeightPixels(f)) &&
           isValidNewImageResolution(f.values.resolution);
}

bool canConfirmNewImage(const NewImageFields& f) { return !f.documentName.empty() && sizeAndResolutionValid(f); }

bool canSavePreset(const NewImageFields& f) {
    return sizeAndResolutionValid(f) && (f.selectedPresetId == 0 || f.selectedPresetId == 1);
}

bool canDeletePreset(int32_t presetId) { return presetId >= kFirstUserPresetId; }

bool canSwapSides(const NewImageFields& f) {
    int32_t w = fieldsWidthPixels(f), h = fieldsHeightPixels(f);
    return isValidPixelSide(w) && isValidPixelSide(h) && w != h;
}

bool isPortrait(const NewImageFields& f) { return fieldsWidthPixels(f) < fieldsHeightPixels(f); }

void swapSides(NewImageFields& f) { std::swap(f.values.width, f.values.height); }

std::string presetNameProposal(const ImagePreset& v) {
    return shortestNumber(v.width) + " x " + shortestNumber(v.height) + " " + sizeUnitShortName(v.sizeUnit);
}

std::string duplicatePresetMessage(const std::string& name) {
    return "Preset \"" + name + "\" already exists!   \nPlease try a different name.   ";
}

std::string deletePresetQuestion(const std::string& name) { return "Delete preset \"" + name + "\" ?  "; }

SavePresetResult savePreset(PresetList& user, const std::vector<ImagePreset>& builtIns, const std::string& name,
                            const ImagePreset& values, int32_t* newId) {
    if (name.empty())
        return SavePresetResult::EmptyName;
    for (const ImagePreset& p : builtIns)
        if (p.name == name)
            return SavePresetResult::DuplicateName;
    ImagePreset preset = values;
    preset.name = name;
    preset.id = user.nextFreeId();
    if (!user.add(preset))
        return SavePresetResult::DuplicateName;
    if (newId)
        *newId = preset.id;
    return SavePresetResult::Added;
}

NewImageSpec newImageSpec(const NewImageFields& f, Color currentBackground) {
    NewImageSpec spec;
    spec.name = f.documentName;
    spec.width = fieldsWidthPixels(f);
    spec.height = fieldsHeightPixels(f);
    spec.resolution = f.values.resolution;
    spec.resolutionUnit = f.values.resolutionUnit;
    spec.transparent = f.values.background == NewImageBackground::Transparent;
    spec.fillColor = f.values.background == NewImageBackground::BackgroundColor ? currentBackground : kWhite;
    return spec;
}

} // namespace pict
