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

const double *TChartValueList::ReadValues(int first, std::size_t count, double *scratch) const {
    if (count == 0)
        return scratch;
    CheckIndex(first, Count());
    CheckIndex(first + int(count) - 1, Count());
    const double *from = values_.data() + first;
    if (multiplier_ == 1.0)
        return from;
    for (std::size_t i = 0; i < count; ++i)
        scratch[i] = from[i] * multiplier_;
    return scratch;
}

void TChartValueList::NoteRise(std::size_t index) {
    const double v = values_[index];
    rises_ = rises_ && !std::isnan(v) && (index == 0 || values_[index - 1] <= v) &&
             (index + 1 == values_.size() || v <= values_[index + 1]);
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
        NoteRise(values_.size() - 1);
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
    NoteRise(index);
    AddToStatistics(value * multiplier_);
    return int(index);
}

void TChartValueList::InsertValue(int index, double value) {
    CheckIndex(index, Count() + 1);
    if (std::size_t(index) == values_.size())
        values_.push_back(value);
    else
        values_.insert(values_.begin() + index, value);
    NoteRise(std::size_t(index));
    AddToStatistics(value * multiplier_);
}

std::size_t TChartValueList::InOrderPrefix(const double *values, std::size_t count) const {
    if (order_ == TChartListOrder::loNone)
        return count;
    // AddValue appends whatever the last value is not beyond, NaN included.
    const bool ascending = order_ == TChartListOrder::loAscending;
    std::size_t n = 0;
    if (values_.empty() && count > 0)
        n = 1;
    for (; n < count; ++n) {
        const double previous = n == 0 ? values_.back() : values[n - 1];
        if (ascending ? previous > values[n] : previous < values[n])
            break;
    }
    return n;
}

void TChartValueList::AppendValues(const double *values, std::size_t count) {
    if (count == 0)
        return;
    values_.reserve(values_.size() + count);
    std::size_t i = 0;
    if (values_.empty()) {
        values_.push_back(values[0]);
        NoteRise(0);
        AddToStatistics(values[0] * multiplier_);
        i = 1;
    }
    // The same sums and comparisons in the same order as one by one.
    bool rises = rises_;
    double previous = values_.back();
    double total = total_;
    double totalAbs = totalAbs_;
    double minimum = minValue_;
    double maximum = maxValue_;
    const double multiplier = multiplier_;
    values_.insert(values_.end(), values + i, values + count);
    for (; i < count; ++i) {
        rises = rises && previous <= values[i];
        previous = values[i];
        const double m = values[i] * multiplier;
        total += m;
        totalAbs += std::fabs(m);
        if (m < minimum)
            minimum = m;
        else if (m > maximum)
            maximum = m;
    }
    rises_ = rises;
    total_ = total;
    totalAbs_ = totalAbs;
    minValue_ = minimum;
    maxValue_ = maximum;
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
    rises_ = true;
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
