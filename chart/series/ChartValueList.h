#pragma once

#include "chart/series/ValueStore.h"

#include <QString>

namespace pexor {

class TChartSeries;

enum class TChartListOrder { loNone, loAscending, loDescending };

// Raises the platform's list-index error for an index out of bounds.
[[noreturn]] void RaiseListIndexError(int index);

// One dimension of a series' points: the numbers as added, read back times
// Multiplier, with running statistics so that axis ranges need no pass over
// the data.
class TChartValueList {
public:
    // The owner (may be null) is told of changes; it is not owned.
    TChartValueList(TChartSeries *owner, QString name);
    TChartValueList(const TChartValueList &) = delete;
    TChartValueList &operator=(const TChartValueList &) = delete;

    TChartSeries *Owner() const { return owner_; }

    int Count() const { return int(values_.Size()); }
    // Stored value times Multiplier; an index out of range raises EListError.
    double Value(int index) const;
    // Values first..first+count-1 as Value gives them one by one: the
    // stored numbers themselves when the multiplier is 1, else copies made in
    // scratch (of count values at least).
    const double *ReadValues(int first, std::size_t count, double *scratch) const;
    // Whether the values as Value gives them never fall from one index to
    // the next and none is NaN. Kept as values come; false may also mean
    // that a deletion left it unknown.
    bool Rises() const {
        ScanPending();
        return rises_ && multiplier_ > 0;
    }
    double RawValue(int index) const;
    double Last() const;

    // Inserts by Order and returns the index the value now stands at.
    // Appending, the usual case, is inline: a long series adds a million.
    int AddValue(double value) {
        if (!AppendsAtEnd(value))
            return InsertInOrder(value);
        AppendOne(value);
        return int(values_.Size() - 1);
    }
    // Whether AddValue puts value last without looking further.
    bool AppendsAtEnd(double value) const {
        // X ascending is the usual order: it is looked at first.
        if (order_ == TChartListOrder::loAscending) [[likely]]
            return values_.Empty() || value >= values_.Back();
        return order_ == TChartListOrder::loNone || values_.Empty() || value <= values_.Back();
    }
    // A value at the end; its share of the statistics waits (ScanPending,
    // SumPending). Every so often (CatchUp) the bounds take the values
    // appended since, while they are still in the cache, and the store
    // grows when full: one comparison serves both.
    void AppendOne(double value) {
        if (!AppendsWithoutStop()) [[unlikely]]
            CatchUp();
        values_.AppendInRoom(value);
    }
    // Whether AppendOne would store at once, with nothing to call first.
    bool AppendsWithoutStop() const { return values_.Size() < catchUpAt_; }
    // AppendOne when AppendsWithoutStop.
    void AppendWithoutStop(double value) { values_.AppendInRoom(value); }
    void InsertValue(int index, double value) {
        if (std::size_t(index) == values_.Size())
            AppendOne(value);
        else
            InsertAmong(index, value);
    }
    // Appends values as AddValue would one by one while they keep Order
    // (all of them with loNone), with the statistics it would reach; the
    // storage grows to fit them exactly. Answers how many it appended.
    std::size_t AppendInOrder(const double *values, std::size_t count);
    // Appends count values whatever the order, as InsertValue at the end
    // would one by one.
    void AppendValues(const double *values, std::size_t count);
    void DeleteValue(int index);
    void ClearValues();
    // First index whose multiplied value equals value, or -1.
    int Locate(double value) const;

    // Copies the settings, not the values.
    void Assign(const TChartValueList &other);

    double MaxValue() const {
        ScanPending();
        return maxValue_;
    }
    double MinValue() const {
        ScanPending();
        return minValue_;
    }
    double Total() const {
        SumPending();
        return total_;
    }
    double TotalAbs() const {
        SumPending();
        return totalAbs_;
    }

    bool DateTime() const { return dateTime_; }
    void SetDateTime(bool value);
    double Multiplier() const { return multiplier_; }
    void SetMultiplier(double value);
    const QString &Name() const { return name_; }
    void SetName(const QString &value);
    TChartListOrder Order() const { return order_; }
    void SetOrder(TChartListOrder value);
    double PendingValue() const { return pendingValue_; }
    void SetPendingValue(double value) { pendingValue_ = value; }
    const QString &ValueSource() const { return valueSource_; }
    void SetValueSource(const QString &value);

private:
    void CheckIndex(int index, int count) const;
    std::size_t Append(const double *values, std::size_t count, bool keepOrder);
    int InsertInOrder(double value);
    void InsertAmong(int index, double value);
    // Brings the bounds and Rises up to the values appended since the last
    // look, as if each had been taken as it came: a value appended costs a
    // store, and a long run is looked through many values at once.
    void ScanPending() const {
        if (scanned_ < values_.Size())
            ScanWaiting();
    }
    void ScanWaiting() const;
    // Scans what is waiting, makes room for one more value and sets the
    // next catch-up a piece further, at the store's capacity at most.
    [[gnu::noinline]] void CatchUp();
    // The minimum and maximum with one more value: the first sets both,
    // a later one lowers the minimum or else raises the maximum.
    void AddToMinMax(double multiplied, bool first);
    // Adds the shares of the values appended since the last sum, in the
    // order they came: the totals one by one would reach, without a long
    // chain of additions on every add.
    void SumPending() const;
    // Keeps Rises true only while the value now at index keeps the order.
    void NoteRise(std::size_t index);
    // One pass over the values for all four statistics.
    void Rescan();

    TChartSeries *owner_;
    bool dateTime_ = false;
    TValueStore values_;
    // The bounds and rises_ of values 0 .. scanned_-1; those after were
    // appended since, in their order.
    mutable double maxValue_ = 0;
    mutable double minValue_ = 0;
    mutable std::size_t scanned_ = 0;
    // AppendOne stops to CatchUp at this size. Never above the store's
    // capacity, which only ClearValues lowers: whatever else changes the
    // values leaves room below it.
    std::size_t catchUpAt_ = 0;
    double multiplier_ = 1.0;
    QString name_;
    TChartListOrder order_ = TChartListOrder::loNone;
    double pendingValue_ = 0;
    // The totals of values 0 .. summed_-1; those after were appended since,
    // in their order.
    mutable double total_ = 0;
    mutable double totalAbs_ = 0;
    mutable std::size_t summed_ = 0;
    mutable bool rises_ = true;
    QString valueSource_;
};

} // namespace pexor
