#include "chart/panel/View3DOptions.h"

namespace pexor {

TView3DOptions::TView3DOptions(const TView3DOptions &other) {
    CopyValues(other);
}

TView3DOptions &TView3DOptions::operator=(const TView3DOptions &other) {
    CopyValues(other);
    return *this;
}

void TView3DOptions::CopyValues(const TView3DOptions &source) {
    elevation_ = source.elevation_;
    horizOffset_ = source.horizOffset_;
    orthogonal_ = source.orthogonal_;
    rotation_ = source.rotation_;
    tilt_ = source.tilt_;
    vertOffset_ = source.vertOffset_;
    zoom_ = source.zoom_;
}

bool TView3DOptions::operator==(const TView3DOptions &other) const {
    return elevation_ == other.elevation_ && horizOffset_ == other.horizOffset_ &&
           orthogonal_ == other.orthogonal_ && rotation_ == other.rotation_ &&
           tilt_ == other.tilt_ && vertOffset_ == other.vertOffset_ && zoom_ == other.zoom_;
}

void TView3DOptions::Changed() {
    if (OnChange)
        OnChange(*this);
}

void TView3DOptions::Set(int &field, int value) {
    if (field == value)
        return;
    field = value;
    Changed();
}

void TView3DOptions::SetOrthogonal(bool value) {
    if (orthogonal_ == value)
        return;
    orthogonal_ = value;
    Changed();
}

void TView3DOptions::Assign(const TView3DOptions &source) {
    if (*this == source)
        return;
    CopyValues(source);
    Changed();
}

} // namespace pexor
