#pragma once
// The zoom ladder of Zoom In / Zoom Out, the zoom presets of the Canvas Zoom menu and the
// zoom text of window captions.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pict {

inline constexpr float kMinZoomStep = 0.0001f;
inline constexpr float kMaxZoom = 16.0f;

// Ascending, 35 values from 0.0001 to 16.
std::span<const float> zoomSteps();
// The first step above zoom (16 at or above 16), and the last step below it (0.0001 at or
// below 0.0001). A zoom between two steps moves to the neighbouring one.
float nextZoomStepUp(float zoom);
float nextZoomStepDown(float zoom);

struct ZoomPreset {
    uint16_t commandId;
    const char* label;
    float factor;
};
// "16x" (32984) down to "5%" (32999), in menu order.
std::span<const ZoomPreset> zoomPresets();
const ZoomPreset* findZoomPreset(uint16_t commandId);

// zoom × 100 with two decimals, trailing zeros and then a trailing point removed, then "%":
// "66.67%", "100%", "12.5%".
std::string zoomPercentText(float zoom);
// What a user types as a zoom: a percentage such as "150", "66.67" or "150 %", with a point
// or a comma; the factor (1.5), or none for text that is no positive number.
std::optional<float> parseZoomPercent(std::string_view text);
// "%s @ %s": the document name and the zoom text.
std::string canvasCaption(const std::string& documentName, float zoom);

} // namespace pict
