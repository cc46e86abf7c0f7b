#include "chart/series/ChartSeries.h"

#include "chart/Canvas3D.h"
#include "chart/ChartException.h"
#include "platform/DateUtil.h"
#include "render/RenderCache.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <random>

namespace pexor {

namespace {

constexpr std::array<TColor, 16> kPalette = {
    clRed,  clGreen, clYellow, clBlue,   clWhite, clGray,  clFuchsia, clTeal,
    clNavy, clMaroon, clLime,  clOlive,  clPurple, clSilver, clAqua,  clBlack,
};

// Random(n) of the run-time library: 0 .. n - 1, and 0 when n <= 0.
int RandomBelow(std::mt19937 &generator, int n) {
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(generator);
}

void EraseOne(std::vector<TChartSeries *> &list, const TChartSeries *series) {
    list.erase(std::remove(list.begin(), list.end(), series), list.end());
}

} // namespace

TColor PaletteColor(int index) {
    const int n = index % int(kPalette.size());
    return kPalette[std::size_t(n < 0 ? n + int(kPalette.size()) : n)];
}

QString FormatPercent(const QString &pattern, double share) {
    bool scales = false;
    QChar quote;
    for (const QChar c : pattern) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'\'' || c == u'"') {
            quote = c;
        } else if (c == u'%') {
            scales = true;
        }
    }
    return ThreadRenderCache().FormatFloat(pattern, scales ? share : share * 100.0);
}

TChartSeries::TChartSeries()
    : marks_(std::make_unique<TSeriesMarks>(this)),
      percentFormat_(QStringLiteral("##0.## %")),
      valueFormat_(QStringLiteral("#,##0.###")),
      xValues_(std::make_unique<TChartValueList>(this, QStringLiteral("X"))),
      yValues_(std::make_unique<TChartValueList>(this, QStringLiteral("Y"))) {
    xValues_->SetOrder(TChartListOrder::loAscending);
    AddValueList(*xValues_);
    AddValueList(*yValues_);
}

TChartSeries::~TChartSeries() {
    for (TChartSeries *source : dataSources_) {
        EraseOne(source->dependents_, this);
        source->NotePlainXY();
    }
    dataSources_.clear();
    for (TChartSeries *dependent : dependents_)
        EraseOne(dependent->dataSources_, this);
    dependents_.clear();
    // No OnClearValues here: a handler may capture what its owner has
    // already destroyed, and the series it would be handed is half gone.
    // The values go with their lists.
    SetParentChart(nullptr);
}

void TChartSeries::AddValueList(TChartValueList &list) {
    valuesLists_.push_back(&list);
    NotePlainXY();
}

TChartValueList &TChartSeries::OtherValues() {
    return &MainValues() == yValues_.get() ? *xValues_ : *yValues_;
}

const TChartValueList &TChartSeries::OtherValues() const {
    return &MainValues() == yValues_.get() ? *xValues_ : *yValues_;
}

int TChartSeries::Add(double value, const QString &label, TColor color) {
    const double position = Count();
    if (&MainValues() == yValues_.get())
        return AddXY(position, value, label, color);
    return AddXY(value, position, label, color);
}

int TChartSeries::AddXYByRules(double x, double y) {
    if (AppendsPlainly(x)) {
        // AddXY's own append, with the stops it leaves to this call: with
        // them inline, the compiler keeps y on the stack at every point.
        // The pending values are left alone, as no handler asks for them.
        const int index = Count();
        xValues_->AppendOne(x);
        yValues_->AppendOne(y);
        if (active_)
            RepaintUnlessPending();
        return index;
    }
    xValues_->SetPendingValue(x);
    yValues_->SetPendingValue(y);
    return AddPendingXY(QString(), clAutoColor);
}

int TChartSeries::AddPendingXY(const QString &label, TColor color) {
    if (OnBeforeAdd && !OnBeforeAdd(*this))
        return -1;
    const int index = xValues_->AddValue(xValues_->PendingValue());
    yValues_->InsertValue(index, yValues_->PendingValue());
    // Further dimensions take whatever their kind put in PendingValue.
    for (std::size_t i = 2; i < valuesLists_.size(); ++i)
        valuesLists_[i]->InsertValue(index, valuesLists_[i]->PendingValue());

    const std::size_t at = std::size_t(index);
    if (color == clDefaultPointColor)
        color = clAutoColor;
    if (at < colors_.size())
        colors_.insert(colors_.begin() + index, color);
    else if (color != clAutoColor) {
        colors_.resize(at, clAutoColor);
        colors_.push_back(color);
    }
    if (at < labels_.size())
        labels_.insert(labels_.begin() + index, label);
    else if (!label.isEmpty()) {
        labels_.resize(at);
        labels_.push_back(label);
    }

    if (OnAfterAdd)
        OnAfterAdd(*this, index);
    if (!dependents_.empty())
        NotifyDependents(rOnAdd, index);
    if (active_)
        Repaint();
    return index;
}

int TChartSeries::AddNull(const QString &label) { return Add(0, label, clNone); }

int TChartSeries::AddXYArrays(std::span<const double> x, std::span<const double> y) {
    if (x.size() != y.size())
        throw ChartException(QStringLiteral("Les tableaux X et Y n'ont pas la même longueur"));
    std::size_t done = 0;
    if (!AddsEachPoint()) {
        // Appended points need no colour or label entry: a shorter sequence
        // means clAutoColor and no label.
        const std::size_t room = std::size_t(INT_MAX - Count());
        done = xValues_->AppendInOrder(x.data(), std::min(x.size(), room));
        yValues_->AppendValues(y.data(), done);
    }
    int added = int(done);
    for (std::size_t i = done; i < x.size(); ++i)
        added += AddXY(x[i], y[i]) >= 0;
    if (done > 0 && active_)
        Repaint();
    return added;
}

bool TChartSeries::AddsEachPoint() const {
    // Handlers and dependents see each point as it comes, and further
    // dimensions take their pending values.
    if (OnBeforeAdd || OnAfterAdd || valuesLists_.size() > 2)
        return true;
    return std::any_of(dependents_.begin(), dependents_.end(),
                       [](const TChartSeries *d) { return (d->recalcOptions_ & rOnAdd) != 0; });
}

int TChartSeries::AddArray(std::span<const double> values) {
    if (&MainValues() != yValues_.get() || AddsEachPoint()) {
        int added = 0;
        for (double value : values)
            added += Add(value) >= 0;
        return added;
    }
    // Positions from Count on, in pieces so that nothing long is copied.
    constexpr std::size_t kPiece = 4096;
    std::array<double, kPiece> positions;
    int added = 0;
    for (std::size_t from = 0; from < values.size(); from += kPiece) {
        const std::size_t n = std::min(kPiece, values.size() - from);
        for (std::size_t i = 0; i < n; ++i)
            positions[i] = Count() + double(i);
        added += AddXYArrays(std::span(positions.data(), n), values.subspan(from, n));
    }
    return added;
}

void TChartSeries::Clear() {
    for (TChartValueList *list : valuesLists_)
        list->ClearValues();
    std::vector<TColor>().swap(colors_);
    std::vector<QString>().swap(labels_);
    marks_->Positions().Clear();
    if (OnClearValues)
        OnClearValues(*this);
    NotifyDependents(rOnClear, -1);
    Repaint();
}

void TChartSeries::Delete(int valueIndex) {
    if (valueIndex < 0 || valueIndex >= Count())
        RaiseListIndexError(valueIndex);
    for (TChartValueList *list : valuesLists_)
        list->DeleteValue(valueIndex);
    const std::size_t at = std::size_t(valueIndex);
    if (at < colors_.size())
        colors_.erase(colors_.begin() + valueIndex);
    if (at < labels_.size())
        labels_.erase(labels_.begin() + valueIndex);
    marks_->Positions().Delete(valueIndex);
    NotifyDependents(rOnDelete, valueIndex);
    Repaint();
}

TColor TChartSeries::PointColor(int index) const {
    if (index < 0 || std::size_t(index) >= colors_.size())
        return seriesColor_;
    const TColor color = colors_[std::size_t(index)];
    if (color != clAutoColor)
        return color;
    return colorEachPoint_ ? PaletteColor(index) : seriesColor_;
}

void TChartSeries::SetPointColor(int index, TColor color) {
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    const std::size_t at = std::size_t(index);
    if (at >= colors_.size())
        colors_.resize(at + 1, clAutoColor);
    colors_[at] = color;
    Repaint();
}

bool TChartSeries::PointColors(int first, int count, TColor *out) const {
    int i = 0;
    for (; i < count && std::size_t(first + i) < colors_.size(); ++i)
        out[i] = PointColor(first + i);
    std::fill(out + i, out + std::max(i, count), seriesColor_);
    if (count <= 0)
        return true;
    return std::all_of(out, out + i, [&](TColor c) { return c == out[0]; }) &&
           (i == count || i == 0 || out[0] == seriesColor_);
}

QString TChartSeries::PointLabel(int index) const {
    if (index < 0 || std::size_t(index) >= labels_.size())
        return QString();
    return labels_[std::size_t(index)];
}

QString TChartSeries::LabelOrValueText(int valueIndex) const {
    const QString label = PointLabel(valueIndex);
    return label.isEmpty() ? ThreadRenderCache().FormatFloat(valueFormat_, MarkValue(valueIndex))
                           : label;
}

QString TChartSeries::PercentText(int valueIndex) const {
    const double total = MainValues().TotalAbs();
    const double share = total == 0 ? 1.0 : std::fabs(MarkValue(valueIndex)) / total;
    return FormatPercent(percentFormat_, share);
}

QString TChartSeries::MarkText(int valueIndex) const {
    const auto percentTotal = [&] {
        return QStringLiteral("%1 sur %2")
            .arg(PercentText(valueIndex),
                 ThreadRenderCache().FormatFloat(valueFormat_, MainValues().TotalAbs()));
    };
    const QString space = QStringLiteral(" ");
    QString text;
    switch (marks_->Style()) {
    case TSeriesMarksStyle::smsValue:
        text = ThreadRenderCache().FormatFloat(valueFormat_, MarkValue(valueIndex));
        break;
    case TSeriesMarksStyle::smsPercent:
        text = PercentText(valueIndex);
        break;
    case TSeriesMarksStyle::smsLabel:
        text = LabelOrValueText(valueIndex);
        break;
    case TSeriesMarksStyle::smsLabelPercent:
        text = LabelOrValueText(valueIndex) + space + PercentText(valueIndex);
        break;
    case TSeriesMarksStyle::smsLabelValue:
        text = LabelOrValueText(valueIndex) + space +
               ThreadRenderCache().FormatFloat(valueFormat_, MarkValue(valueIndex));
        break;
    case TSeriesMarksStyle::smsLegend:
        if (parentChart_)
            text = parentChart_->GetLegendValueText(*this, valueIndex);
        break;
    case TSeriesMarksStyle::smsPercentTotal:
        text = percentTotal();
        break;
    case TSeriesMarksStyle::smsLabelPercentTotal:
        text = LabelOrValueText(valueIndex) + space + percentTotal();
        break;
    case TSeriesMarksStyle::smsXValue:
        if (const ISeriesAxis *axis = GetHorizAxis())
            text = axis->ValueText(XValue(valueIndex));
        else
            text = ThreadRenderCache().FormatFloat(valueFormat_, XValue(valueIndex));
        break;
    }
    if (OnGetMarkText)
        OnGetMarkText(*this, valueIndex, text);
    return text;
}

void TChartSeries::FillSampleValues(int numValues) {
    if (numValues <= 0)
        throw ChartException(QStringLiteral("FillSampleValues NumValues doit être > 0"));
    Clear();
    std::mt19937 generator{std::random_device{}()};

    double minX = 0;
    double maxX = 0;
    double minY = 0;
    double maxY = 0;
    const ISeriesAxis *horiz = GetHorizAxis();
    const ISeriesAxis *vert = GetVertAxis();
    if (parentChart_ && parentChart_->HasActivePoints() && horiz && vert) {
        vert->ChartRange(minY, maxY);
        if (maxY == minY)
            maxY = minY == 0 ? 1000 : 2 * minY;
        horiz->ChartRange(minX, maxX);
        if (maxX == minX)
            maxX = minX == 0 ? numValues : 2 * minX;
    } else {
        minY = 0;
        maxY = 1000;
        minX = xValues_->DateTime() ? Today() : 0;
        maxX = minX + numValues - 1;
    }

    const double rangeY = maxY - minY;
    const double stepX = numValues == 1 ? maxX - minX : (maxX - minX) / (numValues - 1);
    const int quarter = Round(rangeY) / 4;
    double y = RandomBelow(generator, Round(rangeY)) + minY;
    double x = minX;
    for (int i = 0; i < numValues; ++i) {
        y = std::fabs(y + RandomBelow(generator, quarter) - quarter / 2);
        AddXY(x, y, QString(), clAutoColor);
        x += stepX;
    }
    NotifyDataChanged();
}

void TChartSeries::SetParentChart(ISeriesChart *chart) {
    if (parentChart_ == chart)
        return;
    if (parentChart_)
        parentChart_->SeriesLeft(*this);
    parentChart_ = chart;
    if (!parentChart_)
        return;
    parentChart_->SeriesJoined(*this);
    if (seriesColor_ == clAutoColor) {
        TColor chosen = PaletteColor(0);
        for (int i = 0; i < 16; ++i) {
            if (parentChart_->IsFreeSeriesColor(PaletteColor(i), true)) {
                chosen = PaletteColor(i);
                break;
            }
        }
        seriesColor_ = chosen;
    }
    Repaint();
}

ISeriesAxis *TChartSeries::GetHorizAxis() const {
    return parentChart_ ? parentChart_->SeriesAxis(horizAxis_) : nullptr;
}

ISeriesAxis *TChartSeries::GetVertAxis() const {
    return parentChart_ ? parentChart_->SeriesAxis(vertAxis_) : nullptr;
}

int TChartSeries::MapX(int valueIndex) const {
    const ISeriesAxis *axis = GetHorizAxis();
    return axis ? axis->ValueToPixel(XValue(valueIndex)) : 0;
}

int TChartSeries::MapY(int valueIndex) const {
    const ISeriesAxis *axis = GetVertAxis();
    return axis ? axis->ValueToPixel(YValue(valueIndex)) : 0;
}

TMappedPoints TChartSeries::MapPoints(int first, int last) const {
    TMappedPoints points;
    MapPoints(first, last, points);
    return points;
}

void TChartSeries::MapPoints(int first, int last, TMappedPoints &points) const {
    points.x.clear();
    points.y.clear();
    const ISeriesAxis *horiz = GetHorizAxis();
    const ISeriesAxis *vert = GetVertAxis();
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    if (!horiz || !vert || last < first)
        return;
    const std::size_t count = std::size_t(last - first + 1);
    points.first = first;
    points.x.resize(count);
    points.y.resize(count);
    // The values go through a small buffer: a million points drawn again
    // and again must not claim fresh memory each time.
    constexpr std::size_t kChunk = 1024;
    std::array<double, kChunk> values;
    for (std::size_t done = 0; done < count; done += kChunk) {
        const std::size_t n = std::min(kChunk, count - done);
        const int from = first + int(done);
        horiz->ValuesToPixels(xValues_->ReadValues(from, n, values.data()), points.x.data() + done,
                              n);
        vert->ValuesToPixels(yValues_->ReadValues(from, n, values.data()), points.y.data() + done,
                             n);
    }
}

void TChartSeries::CalcVisibleRange() {
    firstVisibleIndex_ = -1;
    lastVisibleIndex_ = -1;
    const int count = Count();
    if (count == 0)
        return;
    const TChartValueList &list = OtherValues();
    const ISeriesAxis *axis = &list == xValues_.get() ? GetHorizAxis() : GetVertAxis();
    if (!calcVisiblePoints_ || list.Order() == TChartListOrder::loNone || !axis) {
        firstVisibleIndex_ = 0;
        lastVisibleIndex_ = count - 1;
        return;
    }

    // The low end is the left or bottom edge, the other one when inverted.
    const bool lowAtStart = axis->Horizontal() != axis->Inverted();
    const double low = axis->PixelToValue(lowAtStart ? axis->StartPixel() : axis->EndPixel());
    const double high = axis->PixelToValue(lowAtStart ? axis->EndPixel() : axis->StartPixel());

    int first = 0;
    while (first < count && list.Value(first) < low)
        ++first;
    if (first == count)
        return;
    firstVisibleIndex_ = first;
    if (list.Last() <= high) {
        lastVisibleIndex_ = count - 1;
        return;
    }
    int last = first;
    while (last < count && list.Value(last) < high)
        ++last;
    if (last == count)
        last = count - 1;
    else if (!DrawBetweenPoints() && list.Value(last) > high)
        --last;
    lastVisibleIndex_ = last;
}

bool TChartSeries::DependsOn(const TChartSeries &series) const {
    if (this == &series)
        return true;
    for (const TChartSeries *source : dataSources_)
        if (source->DependsOn(series))
            return true;
    return false;
}

void TChartSeries::SetDataSource(TChartSeries *source) {
    if (DataSource() == source && dataSources_.size() <= 1)
        return;
    if (source) {
        if (!parentChart_)
            throw ChartException(QStringLiteral("Il n'y a pas de ParentChart pour valider DataSource."));
        if (!parentChart_->IsValidDataSource(*this, *source))
            throw ChartException(QStringLiteral("Il n'y a pas de DataSource correct : %1").arg(source->Name()));
        if (source->DependsOn(*this))
            throw ChartException(QStringLiteral("Dépendances de séries circulaires non autorisées"));
    }
    for (TChartSeries *old : dataSources_) {
        EraseOne(old->dependents_, this);
        old->NotePlainXY();
    }
    dataSources_.clear();
    if (!source)
        return;
    dataSources_.push_back(source);
    source->dependents_.push_back(this);
    source->NotePlainXY();
    parentChart_->CheckDataSource(*this);
}

void TChartSeries::AddPointFrom(const TChartSeries &source, int valueIndex) {
    const std::size_t at = std::size_t(valueIndex);
    const TColor color = at < source.colors_.size() ? source.colors_[at] : clAutoColor;
    // A list named by ValueSource takes that list of the source; otherwise
    // lists are matched by position.
    const auto sourceValue = [&](const TChartValueList &own, const TChartValueList &fallback) {
        if (!own.ValueSource().isEmpty())
            for (const TChartValueList *list : source.valuesLists_)
                if (list->Name() == own.ValueSource())
                    return list->Value(valueIndex);
        return fallback.Value(valueIndex);
    };
    AddXY(sourceValue(*xValues_, *source.xValues_), sourceValue(*yValues_, *source.yValues_),
          source.PointLabel(valueIndex), color);
}

void TChartSeries::CheckDataSource() {
    if (dataSources_.empty())
        return;
    Clear();
    for (const TChartSeries *source : dataSources_)
        for (int i = 0; i < source->Count(); ++i)
            AddPointFrom(*source, i);
}

void TChartSeries::NotifyDependents(TSeriesRecalcOption option, int valueIndex) {
    if (dependents_.empty())
        return;
    // A dependent may drop itself from the list while it follows.
    const std::vector<TChartSeries *> dependents = dependents_;
    for (TChartSeries *dependent : dependents) {
        if (!(dependent->recalcOptions_ & option))
            continue;
        switch (option) {
        case rOnAdd:
            dependent->AddPointFrom(*this, valueIndex);
            break;
        case rOnDelete:
            if (valueIndex < dependent->Count())
                dependent->Delete(valueIndex);
            break;
        case rOnClear:
            dependent->Clear();
            break;
        case rOnModify:
            dependent->CheckDataSource();
            break;
        }
    }
}

void TChartSeries::NotifyDataChanged() { NotifyDependents(rOnModify, -1); }

void TChartSeries::SetActive(bool value) {
    if (active_ == value)
        return;
    active_ = value;
    Repaint();
}

void TChartSeries::SetSeriesColor(TColor value) {
    if (seriesColor_ == value)
        return;
    seriesColor_ = value;
    Repaint();
}

void TChartSeries::SetColorEachPoint(bool value) {
    if (colorEachPoint_ == value)
        return;
    colorEachPoint_ = value;
    if (!value)
        std::fill(colors_.begin(), colors_.end(), clAutoColor);
    Repaint();
}

void TChartSeries::SetPercentFormat(const QString &value) {
    if (percentFormat_ == value)
        return;
    percentFormat_ = value;
    Repaint();
}

void TChartSeries::SetShowInLegend(bool value) {
    if (showInLegend_ == value)
        return;
    showInLegend_ = value;
    Repaint();
}

void TChartSeries::SetTitle(const QString &value) {
    if (title_ == value)
        return;
    title_ = value;
    Repaint();
}

void TChartSeries::SetValueFormat(const QString &value) {
    if (valueFormat_ == value)
        return;
    valueFormat_ = value;
    Repaint();
}

void TChartSeries::SetHorizAxis(THorizAxis value) {
    if (horizAxis_ == value)
        return;
    horizAxis_ = value;
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis value) {
    if (vertAxis_ == value)
        return;
    vertAxis_ = value;
    Repaint();
}

void TChartSeries::DoBeforeDrawValues() {
    if (BeforeDrawValues)
        BeforeDrawValues(*this);
}

void TChartSeries::DoAfterDrawValues() {
    if (AfterDrawValues)
        AfterDrawValues(*this);
}

void TChartSeries::DrawAllValues() {
    // -1 and -1 mean no visible point, not point -1.
    if (firstVisibleIndex_ < 0 || lastVisibleIndex_ < firstVisibleIndex_)
        return;
    if (DrawValuesForward()) {
        for (int i = firstVisibleIndex_; i <= lastVisibleIndex_; ++i)
            DrawValue(i);
    } else {
        for (int i = lastVisibleIndex_; i >= firstVisibleIndex_; --i)
            DrawValue(i);
    }
}

// The base series has no shape of its own; kinds draw their points.
void TChartSeries::DrawValue(int) {}

bool TChartSeries::DrawSeriesForward(int) const { return true; }

bool TChartSeries::AssociatedToAxis(const ISeriesAxis &axis) const {
    return (axis.Horizontal() && &axis == GetHorizAxis()) || &axis == GetVertAxis();
}

void TChartSeries::PrepareLegendCanvas(TChartCanvas3D &, int, TColor &, TBrushStyle &) {}

void TChartSeries::DrawLegendShape(TChartCanvas3D &canvas, int, const TRect &rect,
                                   TColor legendColor) {
    canvas.Rectangle(rect);
    const TColor color = canvas.Brush().Color();
    if (color != legendColor)
        return;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Pen().SetStyle(TPenStyle::psSolid);
    canvas.Pen().SetColor(color == clBlack ? clWhite : clBlack);
    canvas.Rectangle(rect);
}

void TChartSeries::PositionMark(int, TSeriesMarkPosition &, int &) const {}

int TChartSeries::Clicked(int, int) { return -1; }

bool TChartSeries::ClickedPoint(int valueIndex, Qt::MouseButton button,
                                Qt::KeyboardModifiers shift, int x, int y, bool doubleClick) {
    bool localCancel = false;
    const auto setCancel = [&](bool value) {
        if (parentChart_)
            parentChart_->SetCancelMouse(value);
        else
            localCancel = value;
    };
    setCancel(false);
    const TSeriesClick &handler = doubleClick && OnDblClick ? OnDblClick : OnClick;
    if (handler) {
        setCancel(true);
        handler(*this, valueIndex, button, shift, x, y);
    }
    return parentChart_ ? parentChart_->CancelMouse() : localCancel;
}

void TChartSeries::MouseMoved(int, int) {}

void TChartSeries::MouseReleased(int, int) {}

} // namespace pexor
