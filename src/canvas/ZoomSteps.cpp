#include "canvas/ZoomSteps.h"

#include <cstdio>

namespace pict {
namespace {

constexpr float kSteps[] = {
    0.0001f, 0.0002f, 0.0003f, 0.0004f, 0.0005f, 0.001f, 0.002f, 0.003f, 0.004f, 0.005f, 0.007f, 0.01f,
    0.015f,  0.02f,   0.03f,   0.04f,   0.05f,   1.0f / 16, 1.0f / 12, 1.0f / 8, 1.0f / 6, 1.0f / 4, 1.0f / 3, 1.0f / 2,
    2.0f / 3, 1.0f,   2.0f,    3.0f,    4.0f,    5.0f,  6.0f,  7.0f,  8.0f,  12.0f, 16.0f,
};
static_assert(std::size(kSteps) == 35);

constexpr ZoomPreset kPresets[] = {
    {32984, "16x", 16.0f}, {32985, "12x", 12.0f}, {32986, "8x", 8.0f},   {32987, "4x", 4.0f},
    {32988, "3x", 3.0f},   {32989, "2x", 2.0f},   {32990, "1x", 1.0f},   {32997, "75%", 0.75f},
    {32991, "50%", 0.5f},  {32992, "25%", 0.25f}, {32998, "10%", 0.1f},  {32999, "5%", 0.05f},
};

} // namespace

std::span<const float> zoomSteps() { return kSteps; }

float nextZoomStepUp(float zoom) {
    if (zoom >= kMaxZoom)
        return kMaxZoom;
    for (float step : kSteps)
        if (step > zoom)
            return step;
    return kMaxZoom;
}

float nextZoomStepDown(float zoom) {
    if (zoom <= kMinZoomStep)
        return kMinZoomStep;
    for (size_t i = std::size(kSteps); i-- > 0;)
        if (kSteps[i] < zoom)
            return kSteps[i];
    return kMinZoomStep;
}

std::span<const ZoomPreset> zoomPresets() { return kPresets; }

const ZoomPreset* findZoomPreset(uint16_t commandId) {
    for (const ZoomPreset& p : kPresets)
        if (p.commandId == commandId)
            return &p;
    return nullptr;
}

std::string zoomPercentText(float zoom) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(zoom) * 100.0);
    std::string s = text;
    // The process locale may print a comma; the caption always uses a point.
    for (char& c : s)
        if (c == ',')
            c = '.';
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0')
            s.pop_back();
        if (s.back() == '.')
            s.pop_back();
    }
    return s + "%";
}

std::optional<float> parseZoomPercent(std::string_view text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.back() == '%')
        text.remove_suffix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    // Digits with at most one decimal mark; the locale never decides what a comma means.
    double whole = 0;
    double scale = 0; // 0 before the mark, then 0.1, 0.01, ...
    bool digits = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0) {
                whole = whole * 10 + (c - '0');
                if (whole > 1e9)
                    return std::nullopt;
            } else {
                whole += (c - '0') * scale;
                scale /= 10;
            }
        } else if ((c == '.' || c == ',') && scale == 0) {
            scale = 0.1;
        } else {
            return std::nullopt;
        }
    }
    if (!digits || whole <= 0)
        return std::nullopt;
    return static_cast<float>(whole / 100.0);
}

std::string canvasCaption(const std::string& documentName, float zoom) {
    return documentName + " @ " + zoomPercentText(zoom);
}

} // namespace pict
