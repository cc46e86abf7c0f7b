#include "chart/series/ChartValueList.h"

#include "chart/series/ChartSeries.h"
#include "chart/series/ValueScan.h"
#include "platform/Exceptions.h"

#include <algorithm>
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
    const double *from = values_.Data() + first;
    if (multiplier_ == 1.0)
        return from;
    for (std::size_t i = 0; i < count; ++i)
        scratch[i] = from[i] * multiplier_;
    return scratch;
}

void TChartValueList::NoteRise(std::size_t index) {
    const double v = values_[index];
    rises_ = rises_ && !std::isnan(v) && (index == 0 || values_[index - 1] <= v) &&
             (index + 1 == values_.Size() || v <= values_[index + 1]);
}

double TChartValueList::RawValue(int index) const {
    CheckIndex(index, Count());
    return values_[std::size_t(index)];
}

double TChartValueList::Last() const { return Value(Count() - 1); }

int TChartValueList::InsertInOrder(double value) {
    // Equal values keep their order of arrival: the new one goes last.
    std::size_t index = values_.Size();
    if (order_ == TChartListOrder::loAscending) {
        while (index > 0 && values_[index - 1] > value)
            --index;
    } else {
        while (index > 0 && values_[index - 1] < value)
            --index;
    }
    if (index == values_.Size())
        AppendOne(value);
    else
        InsertAmong(int(index), value);
    return int(index);
}

void TChartValueList::ScanWaiting() const {
    std::size_t first = scanned_;
    if (first == 0) {
        // Comparing with itself, a first value rises unless it is NaN.
        const double value = values_[0];
        rises_ = rises_ && value <= value;
        minValue_ = value * multiplier_;
        maxValue_ = minValue_;
        first = 1;
    }
    const TAppendScan scan =
        ScanAppended(values_.Data() + first, values_.Size() - first, multiplier_, minValue_,
                     maxValue_, values_[first - 1], TScanOrder::None, rises_, nullptr);
    minValue_ = scan.minimum;
    maxValue_ = scan.maximum;
    rises_ = rises_ && scan.rises;
    scanned_ = values_.Size();
}

void TChartValueList::CatchUp() {
    // 4096 values of a list are 32 KB: fresh in the cache when looked at,
    // and few enough stops that the call costs nothing per value.
    constexpr std::size_t kPiece = 4096;
    ScanPending();
    values_.MakeRoom();
    catchUpAt_ = std::min(values_.Capacity(), values_.Size() + kPiece);
}

void TChartValueList::AddToMinMax(double multiplied, bool first) {
    if (first) {
        minValue_ = multiplied;
        maxValue_ = multiplied;
    } else if (multiplied < minValue_) {
        minValue_ = multiplied;
    } else if (multiplied > maxValue_) {
        maxValue_ = multiplied;
    }
}

void TChartValueList::InsertAmong(int index, double value) {
    CheckIndex(index, Count() + 1);
    // Inserted among the values: the statistics take it now, after those
    // that came before it.
    ScanPending();
    SumPending();
    values_.Insert(std::size_t(index), value);
    const double m = value * multiplier_;
    total_ += m;
    totalAbs_ += std::fabs(m);
    summed_ = values_.Size();
    NoteRise(std::size_t(index));
    AddToMinMax(m, false);
    scanned_ = values_.Size();
}

std::size_t TChartValueList::AppendInOrder(const double *values, std::size_t count) {
    return Append(values, count, true);
}

void TChartValueList::AppendValues(const double *values, std::size_t count) {
    Append(values, count, false);
}

std::size_t TChartValueList::Append(const double *values, std::size_t count, bool keepOrder) {
    if (count == 0)
        return 0;
    values_.Reserve(values_.Size() + count);
    std::size_t i = 0;
    if (values_.Empty()) {
        values_.Append(values[0]);
        i = 1;
    }
    ScanPending();
    TScanOrder order = TScanOrder::None;
    if (keepOrder && order_ == TChartListOrder::loAscending)
        order = TScanOrder::Ascending;
    else if (keepOrder && order_ == TChartListOrder::loDescending)
        order = TScanOrder::Descending;
    // Once a list has fallen it no longer needs to look.
    // A piece at a time, copied as it is looked through, so that the values
    // are read once and a value beyond the order is found before much is
    // copied past it.
    constexpr std::size_t kPiece = 65536;
    bool rises = rises_;
    while (i < count) {
        const std::size_t n = std::min(kPiece, count - i);
        const double previous = values_.Back();
        const std::size_t at = values_.Size();
        values_.Resize(at + n);
        const TAppendScan scan = ScanAppended(values + i, n, multiplier_, minValue_, maxValue_,
                                              previous, order, rises, values_.Data() + at);
        minValue_ = scan.minimum;
        maxValue_ = scan.maximum;
        rises = rises && scan.rises;
        i += scan.inOrder;
        if (scan.inOrder < n) {
            values_.Resize(values_.Size() - (n - scan.inOrder));
            break;
        }
    }
    rises_ = rises;
    scanned_ = values_.Size();
    // The totals wait as for values added one by one (SumPending).
    return i;
}

void TChartValueList::SumPending() const {
    double total = total_;
    double totalAbs = totalAbs_;
    for (std::size_t i = summed_; i < values_.Size(); ++i) {
        const double m = values_[i] * multiplier_;
        total += m;
        totalAbs += std::fabs(m);
    }
    total_ = total;
    totalAbs_ = totalAbs;
    summed_ = values_.Size();
}

void TChartValueList::DeleteValue(int index) {
    CheckIndex(index, Count());
    ScanPending();
    values_.Erase(std::size_t(index));
    Rescan();
}

void TChartValueList::Rescan() {
    // Rises is kept from the values as they came, not looked at again.
    ScanPending();
    minValue_ = 0;
    maxValue_ = 0;
    total_ = 0;
    totalAbs_ = 0;
    for (std::size_t i = 0; i < values_.Size(); ++i) {
        const double v = values_[i] * multiplier_;
        total_ += v;
        totalAbs_ += std::fabs(v);
        AddToMinMax(v, i == 0);
    }
    summed_ = values_.Size();
    scanned_ = values_.Size();
}

void TChartValueList::ClearValues() {
    values_.Release();
    catchUpAt_ = 0;
    rises_ = true;
    minValue_ = 0;
    maxValue_ = 0;
    total_ = 0;
    totalAbs_ = 0;
    summed_ = 0;
    scanned_ = 0;
}

int TChartValueList::Locate(double value) const {
    for (std::size_t i = 0; i < values_.Size(); ++i)
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
