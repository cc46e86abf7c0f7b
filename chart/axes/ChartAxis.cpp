#include "chart/axes/ChartAxis.h"

#include "chart/axes/AxisLabels.h"
#include "chart/panel/AxisPanel.h"
#include "chart/Canvas3D.h"
#include "chart/ChartException.h"
#include "chart/series/ChartSeries.h"
#include "platform/DateUtil.h"
#include "render/RenderCache.h"
#include "platform/LocaleSettings.h"
#include "platform/Rounding.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pexor {

namespace {

int CheckedAngle(int value, const QString &what) {
    if (value < 0 || value > 360)
        throw ChartException(
            QStringLiteral("L'angle %1 doit être compris entre 0 et 359 degrés").arg(what));
    return value == 360 ? 0 : value;
}

bool Turned(int angle) { return angle != 0 && angle != 180; }

} // namespace

// ---- title

TChartAxisTitle::TChartAxisTitle() : font_(DefaultChartFont()) {}

void TChartAxisTitle::SetAngle(int value) {
    value = CheckedAngle(value, QStringLiteral("Titre axe"));
    if (angle_ == value)
        return;
    angle_ = value;
    Changed();
}

void TChartAxisTitle::SetCaption(const QString &value) {
    if (caption_ == value)
        return;
    caption_ = value;
    Changed();
}

void TChartAxisTitle::SetFont(const TFont &value) {
    if (font_ == value)
        return;
    font_ = value;
    Changed();
}

void TChartAxisTitle::Assign(const TChartAxisTitle &source) {
    if (angle_ == source.angle_ && caption_ == source.caption_ && font_ == source.font_)
        return;
    angle_ = source.angle_;
    caption_ = source.caption_;
    font_ = source.font_;
    Changed();
}

void TChartAxisTitle::Changed() {
    if (OnChange)
        OnChange(*this);
}

// ---- axis: settings

TCustomChartAxis::TCustomChartAxis(TCustomAxisPanel &chart, bool horizontal, bool otherSide,
                                   bool depth)
    : chart_(&chart), geometry_(&chart), horizontal_(horizontal), otherSide_(otherSide),
      depth_(depth), labelsFont_(DefaultChartFont()), axisValuesFormat_(DefaultAxisValuesFormat) {
    if (!horizontal && !depth)
        title_.SetAngle(otherSide ? 270 : 90);
    if (depth)
        visible_ = false;
    WatchPens();
}

TCustomChartAxis::~TCustomChartAxis() = default;

void TCustomChartAxis::WatchPens() {
    auto changed = [this](TChartPen &) { Changed(); };
    for (TChartPen *pen : {static_cast<TChartPen *>(&axis_), static_cast<TChartPen *>(&grid_),
                           static_cast<TChartPen *>(&minorTicks_),
                           static_cast<TChartPen *>(&ticks_),
                           static_cast<TChartPen *>(&ticksInner_)})
        pen->OnChange = changed;
    title_.OnChange = [this](TChartAxisTitle &) { Changed(); };
}

void TCustomChartAxis::Changed() { chart_->Invalidate(); }

void TCustomChartAxis::Store(double &field, double value) {
    if (field == value)
        return;
    field = value;
    Changed();
}

void TCustomChartAxis::Assign(const TCustomChartAxis &s) {
    automatic_ = s.automatic_;
    automaticMaximum_ = s.automaticMaximum_;
    automaticMinimum_ = s.automaticMinimum_;
    increment_ = s.increment_;
    maximum_ = s.maximum_;
    minimum_ = s.minimum_;
    logarithmic_ = s.logarithmic_;
    axis_ = s.axis_;
    title_.Assign(s.title_);
    titleSize_ = s.titleSize_;
    grid_ = s.grid_;
    gridCentered_ = s.gridCentered_;
    labels_ = s.labels_;
    labelsAngle_ = s.labelsAngle_;
    labelsFont_ = s.labelsFont_;
    labelsOnAxis_ = s.labelsOnAxis_;
    labelsSeparation_ = s.labelsSeparation_;
    labelsSize_ = s.labelsSize_;
    labelStyle_ = s.labelStyle_;
    axisValuesFormat_ = s.axisValuesFormat_;
    dateTimeFormat_ = s.dateTimeFormat_;
    exactDateTime_ = s.exactDateTime_;
    roundFirstLabel_ = s.roundFirstLabel_;
    labelsMultiLine_ = s.labelsMultiLine_;
    minorTickCount_ = s.minorTickCount_;
    minorTickLength_ = s.minorTickLength_;
    minorTicks_ = s.minorTicks_;
    ticks_ = s.ticks_;
    ticksInner_ = s.ticksInner_;
    tickInnerLength_ = s.tickInnerLength_;
    tickLength_ = s.tickLength_;
    tickOnLabelsOnly_ = s.tickOnLabelsOnly_;
    inverted_ = s.inverted_;
    visible_ = s.visible_;
    Changed();
}

void TCustomChartAxis::SetAutomatic(bool value) {
    Set(automatic_, value);
    if (!chart_->Loading()) {
        Set(automaticMinimum_, value);
        Set(automaticMaximum_, value);
    }
}

void TCustomChartAxis::SetAutomaticMaximum(bool value) {
    Set(automaticMaximum_, value);
    if (!value)
        Set(automatic_, false);
}

void TCustomChartAxis::SetAutomaticMinimum(bool value) {
    Set(automaticMinimum_, value);
    if (!value)
        Set(automatic_, false);
}

void TCustomChartAxis::SetMaximum(double value) {
    if (!chart_->Loading() && value < minimum_)
        throw AxisException(QStringLiteral("La valeur maximum de l'axe doit être >= minimum"));
    Store(maximum_, value);
}

void TCustomChartAxis::SetMinimum(double value) {
    if (!chart_->Loading() && value > maximum_)
        throw AxisException(QStringLiteral("La valeur minimum de l'axe doit être <= maximum"));
    Store(minimum_, value);
}

void TCustomChartAxis::SetMinMax(double aMin, double aMax) {
    Set(automatic_, false);
    Set(automaticMinimum_, false);
    Set(automaticMaximum_, false);
    Store(minimum_, std::min(aMin, aMax));
    Store(maximum_, std::max(aMin, aMax));
    if (maximum_ - minimum_ < 1e-10) {
        Store(minimum_, aMin);
        Store(maximum_, aMax + 1e-10);
    }
}

void TCustomChartAxis::SetIncrement(double value) {
    if (value < 0)
        throw AxisException(QStringLiteral("Incrément axe doit être >= 0"));
    Store(increment_, value);
}

void TCustomChartAxis::SetLogarithmic(bool value) {
    if (value && !logarithmic_) {
        if (CalcDateTime())
            throw AxisException(QStringLiteral("Axe DateTime ne peut être logarithmique"));
        if (minimum_ < 0 || maximum_ < 0)
            throw AxisException(
                QStringLiteral("Les valeurs Min et Max de l'axe logarithmique doivent être >= 0"));
    }
    Set(logarithmic_, value);
}

void TCustomChartAxis::SetLabelsAngle(int value) {
    Set(labelsAngle_, CheckedAngle(value, QStringLiteral("Libellés axes")));
}

void TCustomChartAxis::SetLabelsSeparation(int value) {
    if (value < 0)
        throw AxisException(
            QStringLiteral("La séparation des libellés doit être supérieure à 0"));
    Set(labelsSeparation_, value);
}

bool TCustomChartAxis::AxisValuesFormatStored() const {
    return axisValuesFormat_ != DefaultAxisValuesFormat;
}

bool TCustomChartAxis::LabelsFontStored() const { return !IsDefaultChartFont(labelsFont_); }

// ---- range

void TCustomChartAxis::SetWorkRange(double workMin, double workMax) {
    workMin_ = workMin;
    workMax_ = workMax;
    workRange_ = workMax - workMin;
}

bool TCustomChartAxis::CalcDateTime() const {
    if (depth_)
        return false;
    for (const TChartSeries *series : chart_->SeriesList()) {
        if (!series->Active() || !series->AssociatedToAxis(*this))
            continue;
        const TChartValueList &list = horizontal_ ? series->XValues() : series->YValues();
        if (list.DateTime())
            return true;
    }
    return false;
}

bool TCustomChartAxis::LaysOutPointsAlong(const TChartSeries &series) const {
    return (&series.OtherValues() == &series.XValues()) == horizontal_;
}

void TCustomChartAxis::UpdateRange() {
    dateTime_ = CalcDateTime();
    if (automatic_ || automaticMaximum_ || automaticMinimum_) {
        double low = 0;
        double high = 0;
        ChartRange(low, high);
        if (automatic_ || automaticMaximum_)
            maximum_ = high;
        if (automatic_ || automaticMinimum_)
            minimum_ = low;
    }
    SetWorkRange(minimum_, maximum_);
}

void TCustomChartAxis::ChartRange(double &minimum, double &maximum) const {
    minimum = 0;
    maximum = 0;
    bool any = false;
    for (const TChartSeries *series : chart_->SeriesList()) {
        if (!series->Active() || series->Count() == 0)
            continue;
        if (!depth_ && !series->AssociatedToAxis(*this))
            continue;
        if (!depth_ && !any && chart_->MaxPointsPerPage() > 0 && LaysOutPointsAlong(*series)) {
            PagedRange(*series, minimum, maximum);
            return;
        }
        double low;
        double high;
        if (depth_) {
            low = series->MinZValue();
            high = series->MaxZValue();
        } else if (horizontal_) {
            low = series->MinX();
            high = series->MaxX();
        } else {
            low = series->MinY();
            high = series->MaxY();
        }
        if (!any || low < minimum)
            minimum = low;
        if (!any || high > maximum)
            maximum = high;
        any = true;
    }
}

void TCustomChartAxis::PagedRange(const TChartSeries &series, double &minimum,
                                  double &maximum) const {
    const int perPage = chart_->MaxPointsPerPage();
    const int count = series.Count();
    int first = perPage * (chart_->Page() - 1);
    if (first >= count)
        first = std::max(0, count / perPage - 1) * perPage;
    int last = first + perPage - 1;
    if (last >= count)
        last = first + count % perPage - 1;
    const TChartValueList &values = series.OtherValues();
    const double vFirst = values.Value(first);
    const double vLast = values.Value(last);
    minimum = vFirst;
    maximum = vLast;
    const int onPage = last - first + 1;
    if (!chart_->ScaleLastPage() && onPage < perPage)
        maximum = vFirst + (vLast - vFirst) * perPage / onPage;
}

void TCustomChartAxis::ApplyMargins(int lowMargin, int highMargin) {
    if (lowMargin == 0 && highMargin == 0)
        return;
    TCustomAxisPanel &chart = *chart_;
    const TRect saved = chart.PlotRect();
    TRect shrunk = saved;
    double newMin;
    double newMax;
    if (horizontal_) {
        shrunk.Left += lowMargin;
        shrunk.Right -= highMargin;
        chart.SetPlotRect(shrunk);
        newMin = PixelToValue(saved.Left);
        newMax = PixelToValue(saved.Right);
    } else {
        shrunk.Bottom -= lowMargin;
        shrunk.Top += highMargin;
        chart.SetPlotRect(shrunk);
        newMin = PixelToValue(saved.Bottom);
        newMax = PixelToValue(saved.Top);
    }
    chart.SetPlotRect(saved);
    if (newMin > newMax)
        std::swap(newMin, newMax);
    SetWorkRange(newMin, newMax);
}

// ---- mapping

int TCustomChartAxis::StartPixel() const {
    if (depth_)
        return 0;
    return horizontal_ ? geometry_->PlotRect().Left : geometry_->PlotRect().Top;
}

int TCustomChartAxis::EndPixel() const {
    if (depth_)
        return geometry_->Depth3D();
    return horizontal_ ? geometry_->PlotRect().Right : geometry_->PlotRect().Bottom;
}

void TCustomChartAxis::ValuesToPixels(const double *values, int *pixels,
                                      std::size_t count) const {
    if (depth_ || logarithmic_ || workRange_ == 0) {
        for (std::size_t i = 0; i < count; ++i)
            pixels[i] = SpecialPixel(values[i]);
        return;
    }
    const TLinearMapping mapping = LinearMapping();
#if defined(__SSE2__)
    // A product by the scale is the quotient Pixel takes within a few units
    // in the last place, and rounds to the same pixel unless it lies as
    // close to a half pixel. Those few, and values far off the plot, NaN
    // and infinities, are mapped again Pixel's way, a block at a time. With
    // a scale of this size a value within 1e9 pixels lies within 1e280 of
    // the minimum, where Pixel's product cannot overflow.
    const double scale = mapping.signedLength / mapping.workRange;
    if (std::fabs(scale) > 1e-270 && std::fabs(scale) < 1e270) {
        const __m128d workMin = _mm_set1_pd(mapping.workMin);
        const __m128d by = _mm_set1_pd(scale);
        const __m128d shift = _mm_set1_pd(6755399441055744.0);
        const __m128d base = _mm_set1_pd(mapping.base);
        const __m128d sign = _mm_set1_pd(-0.0);
        const __m128d belowHalf = _mm_set1_pd(0.5 - 1e-6);
        const __m128d farT = _mm_set1_pd(1e9);
        constexpr std::size_t kBlock = 256;
        std::size_t from = 0;
        for (; from + kBlock <= count; from += kBlock) {
            const double *v = values + from;
            int *p = pixels + from;
            // Each lane stays all ones while its values are sure: within
            // 1e9 pixels and not within 1e-6 of a half pixel (NaN is not).
            __m128d sure = _mm_castsi128_pd(_mm_set1_epi32(-1));
            for (std::size_t i = 0; i < kBlock; i += 2) {
                const __m128d t = _mm_mul_pd(_mm_sub_pd(_mm_loadu_pd(v + i), workMin), by);
                const __m128d r = _mm_sub_pd(_mm_add_pd(t, shift), shift);
                const __m128d fromWhole = _mm_andnot_pd(sign, _mm_sub_pd(t, r));
                sure = _mm_and_pd(sure, _mm_and_pd(_mm_cmplt_pd(fromWhole, belowHalf),
                                                   _mm_cmplt_pd(_mm_andnot_pd(sign, t), farT)));
                _mm_storel_epi64(reinterpret_cast<__m128i *>(p + i),
                                 _mm_cvttpd_epi32(_mm_add_pd(base, r)));
            }
            if (_mm_movemask_pd(sure) != 3) [[unlikely]]
                for (std::size_t i = 0; i < kBlock; ++i)
                    p[i] = mapping.Pixel(v[i]);
        }
        for (; from < count; ++from)
            pixels[from] = mapping.Pixel(values[from]);
        return;
    }
#endif
    for (std::size_t i = 0; i < count; ++i)
        pixels[i] = mapping.Pixel(values[i]);
}

int TCustomChartAxis::SpecialPixel(double value) const {
    if (depth_)
        return DepthPixel(value);
    if (logarithmic_)
        return LogPixel(value);
    return horizontal_ ? geometry_->PlotXCenter() : geometry_->PlotYCenter();
}

int TCustomChartAxis::DepthPixel(double value) const {
    if (workRange_ == 0)
        return geometry_->Depth3D();
    return RoundPixel(geometry_->Depth3D() * (value - workMin_) / workRange_);
}

int TCustomChartAxis::LogPixel(double value) const {
    const TRect &r = geometry_->PlotRect();
    const double lmin = workMin_ > 0 ? std::log(workMin_) : 0;
    const double lmax = workMax_ > 0 ? std::log(workMax_) : 0;
    if (lmax == lmin)
        return horizontal_ ? geometry_->PlotXCenter() : geometry_->PlotYCenter();
    const int size = horizontal_ ? geometry_->PlotWidth() : -geometry_->PlotHeight();
    const int start = horizontal_ ? r.Left : r.Bottom;
    const int end = horizontal_ ? r.Right : r.Top;
    if (value <= 0)
        return inverted_ ? end : start;
    const double t = RoundHalfEven((std::log(value) - lmin) * size / (lmax - lmin));
    // Inverted like the linear scale, so PixelToValue gives the value back.
    return ClampedPixel(inverted_ ? end - t : start + t);
}

double TCustomChartAxis::PixelToValue(int pixel) const {
    if (depth_) {
        const int depth = geometry_->Depth3D();
        return depth < 1 ? 0 : workMin_ + workRange_ * pixel / depth;
    }
    const TRect &r = geometry_->PlotRect();
    const int size = horizontal_ ? geometry_->PlotWidth() : geometry_->PlotHeight();
    if (size < 1)
        return 0;
    int p;
    if (horizontal_)
        p = inverted_ ? r.Right - pixel : pixel - r.Left;
    else
        p = inverted_ ? r.Bottom - pixel : pixel - r.Top;
    if (logarithmic_) {
        const double lmin = workMin_ > 0 ? std::log(workMin_) : 0;
        const double lmax = workMax_ > 0 ? std::log(workMax_) : 0;
        if (lmax == lmin)
            return workMin_;
        if (horizontal_)
            return std::exp(lmin + (lmax - lmin) * p / size);
        return std::exp(lmax - p * (lmax - lmin) / size);
    }
    if (horizontal_)
        return workRange_ * p / size + workMin_;
    return workMax_ - p * workRange_ / size;
}

// ---- labels

double TCustomChartAxis::LabelStep() {
    chart_->SetCanvasFont(labelsFont_);
    const int length =
        depth_ ? geometry_->Depth3D()
               : (horizontal_ ? geometry_->PlotWidth() : geometry_->PlotHeight());
    const int n = MaxLabelCount(length, LabelSize(), labelsSeparation_);
    if (dateTime_)
        return DateTimeLabelStep(workRange_, increment_, n);
    return ValueLabelStep(workRange_, increment_, n, labelsSeparation_);
}

// The size of one label along the axis, with the labels font on the canvas.
int TCustomChartAxis::LabelSize() {
    TChartCanvas3D &canvas = chart_->Canvas();
    const bool acrossText = horizontal_ ? !Turned(labelsAngle_) : Turned(labelsAngle_);
    if (!acrossText)
        return canvas.FontHeight();
    return std::max(canvas.TextWidth(ValueText(workMax_)), canvas.TextWidth(ValueText(workMin_)));
}

TAxisLabelStyle TCustomChartAxis::CalcLabelStyle() const {
    if (labelStyle_ != talAuto)
        return labelStyle_;
    const auto &list = chart_->SeriesList();
    if (depth_) {
        for (const TChartSeries *series : list)
            if (series->Active() && series->MinZValue() != series->MaxZValue())
                return talValue;
        return talText;
    }
    const TChartSeries *first = nullptr;
    for (const TChartSeries *series : list)
        if (series->Active() && series->AssociatedToAxis(*this)) {
            first = series;
            break;
        }
    if (!first)
        return talNone;
    if (LaysOutPointsAlong(*first) && first->Count() > 0 && !first->PointLabel(0).isEmpty())
        return talText;
    return talValue;
}

namespace {

QString MultiLine(QString text) {
    text.replace(QLatin1Char(' '), QChar(13));
    return text;
}

} // namespace

QString TCustomChartAxis::ValueText(double value) const { return ValueTextOf(value, true); }

QString TCustomChartAxis::ValueTextOf(double value, bool useHandler) const {
    QString text;
    if (dateTime_) {
        if (value >= 0) {
            QString format = dateTimeFormat_;
            if (format.isEmpty())
                format = workRange_ > 1 ? Locale().ShortDateFormat : Locale().ShortTimeFormat;
            text = FormatDate(format, value);
        }
    } else {
        text = ThreadRenderCache().FormatFloat(axisValuesFormat_, value);
    }
    if (useHandler && chart_->OnGetAxisLabel)
        chart_->OnGetAxisLabel(const_cast<TCustomChartAxis &>(*this), nullptr, -1, text);
    if (labelsMultiLine_)
        text = MultiLine(text);
    return text;
}

QString TCustomChartAxis::SeriesLabelText(const TChartSeries &series, int valueIndex,
                                          TAxisLabelStyle style) const {
    QString text = style == talMark ? series.MarkText(valueIndex) : series.PointLabel(valueIndex);
    if (chart_->OnGetAxisLabel)
        chart_->OnGetAxisLabel(const_cast<TCustomChartAxis &>(*this),
                               const_cast<TChartSeries *>(&series), valueIndex, text);
    return text;
}

// ---- room

int TCustomChartAxis::WidestLabel(TAxisLabelStyle style, double step) {
    TChartCanvas3D &canvas = chart_->Canvas();
    int widest = 0;
    switch (style) {
    case talValue: {
        const bool exact = dateTime_ && exactDateTime_ && ExactDateTimeStep(increment_, step) >= 0;
        double low = workMin_;
        double high = workMax_;
        if (roundFirstLabel_ || exact) {
            low = RoundedLabelValue(workMin_, step);
            high = RoundedLabelValue(workMax_, step);
        }
        widest = std::max(canvas.TextWidth(ValueTextOf(low, false)),
                          canvas.TextWidth(ValueTextOf(high, false))) +
                 canvas.TextWidth(QStringLiteral(" "));
        break;
    }
    case talText:
        for (const TChartSeries *series : chart_->SeriesList())
            for (int i = 0; i < series->Count(); ++i)
                widest = std::max(widest, canvas.TextWidth(series->PointLabel(i)));
        break;
    case talMark:
        for (const TChartSeries *series : chart_->SeriesList())
            if (series->Active())
                for (int i = 0; i < series->Count(); ++i)
                    widest = std::max(widest, canvas.TextWidth(series->MarkText(i)));
        break;
    default:
        break;
    }
    return widest;
}

void TCustomChartAxis::Shrink(TRect &rect, int size) const {
    if (horizontal_) {
        if (otherSide_)
            rect.Top += size;
        else
            rect.Bottom -= size;
    } else if (otherSide_) {
        rect.Right -= size;
    } else {
        rect.Left += size;
    }
}

int TCustomChartAxis::SideEdge(const TRect &rect) const {
    if (horizontal_)
        return otherSide_ ? rect.Top : rect.Bottom;
    return otherSide_ ? rect.Right : rect.Left;
}

void TCustomChartAxis::TakeRoom(TRect &rect) {
    TChartCanvas3D &canvas = chart_->Canvas();
    if (!title_.Caption().isEmpty()) {
        int size = titleSize_;
        if (size == 0) {
            chart_->SetCanvasFont(title_.Font());
            const bool width = horizontal_ ? Turned(title_.Angle()) : !Turned(title_.Angle());
            size = width ? canvas.TextWidth(title_.Caption()) : canvas.FontHeight();
        }
        Shrink(rect, size);
        posTitle_ = SideEdge(rect);
    }
    if (labels_) {
        int size = labelsSize_;
        if (size == 0) {
            const double step = LabelStep(); // leaves the labels font on the canvas
            const bool width = horizontal_ ? Turned(labelsAngle_) : !Turned(labelsAngle_);
            size = width ? WidestLabel(CalcLabelStyle(), step) : canvas.FontHeight();
        }
        Shrink(rect, size);
        posLabels_ = SideEdge(rect);
    }
    int ticks = ticks_.Visible() ? tickLength_ : 0;
    if (minorTicks_.Visible())
        ticks = std::max(ticks, minorTickLength_);
    const int size = (axis_.Visible() ? axis_.Width() : 0) + ticks + chart_->AxisWallSize(*this);
    if (size > 0)
        Shrink(rect, size);
}

bool TCustomChartAxis::Clicked(int x, int y) const {
    if (!chart_->IsAxisVisible(*this))
        return false;
    const TRect &r = geometry_->PlotRect();
    if (horizontal_)
        return x >= r.Left && x <= r.Right && std::abs(posAxis_ - y) < 12;
    return y >= r.Top && y <= r.Bottom && std::abs(posAxis_ - x) < 12;
}

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel &chart)
    : TCustomChartAxis(chart, false, true, true) {}

} // namespace pexor
