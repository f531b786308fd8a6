#pragma once
// Point filters that replace each channel by its entry in a 256-entry table: Levels, Auto
// Levels, Auto Contrast, Curves, Brightness/Contrast. The tables are built once, when the
// filter is made; applying is a row loop of three lookups per pixel.

#include "imageops/PointFilterLoops.h"

namespace pict {

class TablePointFilter : public PointFilterOf<TablePointFilter> {
public:
    // Which table an 8-bit surface goes through; None leaves 8-bit surfaces unchanged.
    enum class GrayTable { None, Red };
    static constexpr bool kChangesGray = true;

    const ChannelTables& tables() const { return tables_; }

    void pixelRgb(uint8_t* bgr) const {
        bgr[0] = tables_.blue[bgr[0]];
        bgr[1] = tables_.green[bgr[1]];
        bgr[2] = tables_.red[bgr[2]];
    }
    void pixelGray(uint8_t& value) const { value = tables_.red[value]; }

protected:
    explicit TablePointFilter(GrayTable gray) : gray_(gray) {
        setIdentity(tables_.red);
        setIdentity(tables_.green);
        setIdentity(tables_.blue);
    }

    bool applyRgb(Surface24& target) override;
    bool applyGray(Surface8& target) override {
        return gray_ == GrayTable::None ? true : PointFilterOf<TablePointFilter>::applyGray(target);
    }

    ChannelTables tables_;

private:
    GrayTable gray_;
};

} // namespace pict
