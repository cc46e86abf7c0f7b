#pragma once

#include <QString>
#include <vector>

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

    int Count() const { return int(values_.size()); }
    // Stored value times Multiplier; an index out of range raises EListError.
    double Value(int index) const;
    // Values first..first+count-1 as Value gives them one by one: the
    // stored numbers themselves when the multiplier is 1, else copies made in
    // scratch (of count values at least).
    const double *ReadValues(int first, std::size_t count, double *scratch) const;
    // Whether the values as Value gives them never fall from one index to
    // the next and none is NaN. Kept as values come; false may also mean
    // that a deletion left it unknown.
    bool Rises() const { return rises_ && multiplier_ > 0; }
    double RawValue(int index) const;
    double Last() const;

    // Inserts by Order and returns the index the value now stands at.
    int AddValue(double value);
    void InsertValue(int index, double value);
    // Appends count values in their order, with the statistics AddValue
    // would reach one by one; the storage grows to fit them exactly. The
    // caller keeps the order.
    void AppendValues(const double *values, std::size_t count);
    // How many of values could be appended one after the other (and after
    // the last value) without breaking Order.
    std::size_t InOrderPrefix(const double *values, std::size_t count) const;
    void DeleteValue(int index);
    void ClearValues();
    // First index whose multiplied value equals value, or -1.
    int Locate(double value) const;

    // Copies the settings, not the values.
    void Assign(const TChartValueList &other);

    double MaxValue() const { return maxValue_; }
    double MinValue() const { return minValue_; }
    double Total() const { return total_; }
    double TotalAbs() const { return totalAbs_; }

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
    void AddToStatistics(double multiplied);
    // Keeps Rises true only while the value now at index keeps the order.
    void NoteRise(std::size_t index);
    // One pass over the values for all four statistics.
    void Rescan();

    TChartSeries *owner_;
    bool dateTime_ = false;
    std::vector<double> values_;
    double maxValue_ = 0;
    double minValue_ = 0;
    double multiplier_ = 1.0;
    QString name_;
    TChartListOrder order_ = TChartListOrder::loNone;
    double pendingValue_ = 0;
    double total_ = 0;
    double totalAbs_ = 0;
    bool rises_ = true;
    QString valueSource_;
};

} // namespace pexor
