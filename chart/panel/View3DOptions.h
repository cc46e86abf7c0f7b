#pragma once

#include <functional>

namespace pexor {

// How the chart looks at its 3D box. Angles in degrees, offsets in pixels,
// zoom in per cent. A change fires OnChange (the chart repaints).
class TView3DOptions {
public:
    TView3DOptions() = default;
    TView3DOptions(const TView3DOptions &other);
    TView3DOptions &operator=(const TView3DOptions &other);

    int Elevation() const { return elevation_; }
    void SetElevation(int value) { Set(elevation_, value); }
    int HorizOffset() const { return horizOffset_; }
    void SetHorizOffset(int value) { Set(horizOffset_, value); }
    bool Orthogonal() const { return orthogonal_; }
    void SetOrthogonal(bool value);
    int Rotation() const { return rotation_; }
    void SetRotation(int value) { Set(rotation_, value); }
    int Tilt() const { return tilt_; }
    void SetTilt(int value) { Set(tilt_, value); }
    int VertOffset() const { return vertOffset_; }
    void SetVertOffset(int value) { Set(vertOffset_, value); }
    int Zoom() const { return zoom_; }
    void SetZoom(int value) { Set(zoom_, value); }

    // Copies the seven values, firing OnChange once when any differs.
    void Assign(const TView3DOptions &source);

    bool operator==(const TView3DOptions &other) const;

    std::function<void(TView3DOptions &)> OnChange;

private:
    void Set(int &field, int value);
    void Changed();
    void CopyValues(const TView3DOptions &source);

    int elevation_ = 345;
    int horizOffset_ = 0;
    bool orthogonal_ = true;
    int rotation_ = 345;
    int tilt_ = 0;
    int vertOffset_ = 0;
    int zoom_ = 100;
};

} // namespace pexor
