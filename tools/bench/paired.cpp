#include "tools/bench/paired.h"

#include "tools/bench/table.h"
#include "tools/bench/timing.h"

namespace
{

double TimeBatch(const SampleWay &way, const POINT *points)
{
    if (way.begin)
        way.begin(points[0]);
    double start = NowUs();
    for (int i = 0; i < kSamplesPerBatch; ++i)
        way.take(points[i]);
    double elapsed = NowUs() - start;
    if (way.end)
        way.end();
    return elapsed / kSamplesPerBatch;
}

} // namespace

void TimePairOfBatches(const SampleWay &figure, const SampleWay &floor, const POINT *points,
                       PairedTimes *times)
{
    double figureUs;
    double floorUs;
    if (times->ratios.size() % 2 == 0) {
        figureUs = TimeBatch(figure, points);
        floorUs = TimeBatch(floor, points);
    } else {
        floorUs = TimeBatch(floor, points);
        figureUs = TimeBatch(figure, points);
    }
    times->figureUs.push_back(figureUs);
    times->floorUs.push_back(floorUs);
    times->ratios.push_back(figureUs / floorUs);
}

void AddPairedRow(const std::string &what, const std::string &floorWhat, const PairedTimes &times,
                  double budget)
{
    double ratio = Median(times.ratios);
    AddRow(what, Figure("%.1f us", Median(times.figureUs)),
           floorWhat + " " + Figure("%.1f us", Median(times.floorUs)), Ratio(ratio),
           budget > 0 ? Format("<= %.1f", budget) : "",
           budget > 0 ? AtMost(ratio, budget) : kNoBudget);
}
