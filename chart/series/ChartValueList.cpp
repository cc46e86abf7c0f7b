#include "chart/series/ChartValueList.h"

#include "chart/series/ChartSeries.h"
#include "platform/Exceptions.h"

#include <cmath>

namespace pexor {

void RaiseListIndexError(int index) {
    throw EListError(QStringLiteral("Index de liste hors limites (%1)").arg(index));
}

TChartValueList::TChartValueList(TChartSeries *owner, QString name)
    : owner_(owner), name_(std::move(name)) {}

void TChartValueList::CheckIndex(int index, int count) const {
    if (index < 0 || index >= count)
        RaiseListIndexError(index);
}

double TChartValueList::Value(int index) const {
    CheckIndex(index, Count());
    return values_[std::size_t(index)] * multiplier_;
}

void TChartValueList::CopyValues(int first, std::size_t count, double *out) const {
    if (count == 0)
        return;
    CheckIndex(first, Count());
    CheckIndex(first + int(count) - 1, Count());
    const double *from = values_.data() + first;
    for (std::size_t i = 0; i < count; ++i)
        out[i] = from[i] * multiplier_;
}

double TChartValueList::RawValue(int index) const {
    CheckIndex(index, Count());
    return values_[std::size_t(index)];
}

double TChartValueList::Last() const { return Value(Count() - 1); }

int TChartValueList::AddValue(double value) {
    // Appending in order costs one comparison with the last value.
    const bool append = values_.empty() || order_ == TChartListOrder::loNone ||
                        (order_ == TChartListOrder::loAscending && value >= values_.back()) ||
                        (order_ == TChartListOrder::loDescending && value <= values_.back());
    if (append) {
        values_.push_back(value);
        AddToStatistics(value * multiplier_);
        return int(values_.size() - 1);
    }
    // Equal values keep their order of arrival: the new one goes last.
    std::size_t index = values_.size();
    if (order_ == TChartListOrder::loAscending) {
        while (index > 0 && values_[index - 1] > value)
            --index;
    } else {
        while (index > 0 && values_[index - 1] < value)
            --index;
    }
    values_.insert(values_.begin() + std::ptrdiff_t(index), value);
    AddToStatistics(value * multiplier_);
    return int(index);
}

void TChartValueList::InsertValue(int index, double value) {
    CheckIndex(index, Count() + 1);
    if (std::size_t(index) == values_.size())
        values_.push_back(value);
    else
        values_.insert(values_.begin() + index, value);
    AddToStatistics(value * multiplier_);
}

void TChartValueList::AddToStatistics(double multiplied) {
    total_ += multiplied;
    totalAbs_ += std::fabs(multiplied);
    if (values_.size() == 1) {
        minValue_ = multiplied;
        maxValue_ = multiplied;
    } else if (multiplied < minValue_) {
        minValue_ = multiplied;
    } else if (multiplied > maxValue_) {
        maxValue_ = multiplied;
    }
}

void TChartValueList::DeleteValue(int index) {
    CheckIndex(index, Count());
    values_.erase(values_.begin() + index);
    Rescan();
}

void TChartValueList::Rescan() {
    minValue_ = 0;
    maxValue_ = 0;
    total_ = 0;
    totalAbs_ = 0;
    bool first = true;
    for (double raw : values_) {
        const double v = raw * multiplier_;
        total_ += v;
        totalAbs_ += std::fabs(v);
        if (first) {
            minValue_ = v;
            maxValue_ = v;
            first = false;
        } else if (v < minValue_) {
            minValue_ = v;
        } else if (v > maxValue_) {
            maxValue_ = v;
        }
    }
}

void TChartValueList::ClearValues() {
    // Release the storage, not only the count.
    std::vector<double>().swap(values_);
    minValue_ = 0;
    maxValue_ = 0;
    total_ = 0;
    totalAbs_ = 0;
}

int TChartValueList::Locate(double value) const {
    for (std::size_t i = 0; i < values_.size(); ++i)
        if (values_[i] * multiplier_ == value)
            return int(i);
    return -1;
}

void TChartValueList::Assign(const TChartValueList &other) {
    SetOrder(other.order_);
    SetDateTime(other.dateTime_);
    SetMultiplier(other.multiplier_);
    SetValueSource(other.valueSource_);
}

void TChartValueList::SetDateTime(bool value) {
    if (dateTime_ == value)
        return;
    dateTime_ = value;
    if (owner_)
        owner_->Repaint();
}

void TChartValueList::SetMultiplier(double value) {
    if (multiplier_ == value)
        return;
    multiplier_ = value;
    Rescan();
    if (owner_) {
        owner_->NotifyDataChanged();
        owner_->Repaint();
    }
}

void TChartValueList::SetName(const QString &value) { name_ = value; }

void TChartValueList::SetOrder(TChartListOrder value) { order_ = value; }

void TChartValueList::SetValueSource(const QString &value) {
    if (valueSource_ == value)
        return;
    valueSource_ = value;
    if (owner_ && owner_->ParentChart())
        owner_->ParentChart()->CheckDataSource(*owner_);
}

} // namespace pexor
