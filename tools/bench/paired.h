// The program's way of doing something and its floor, the same work with no
// program code, timed in small batches that take turns, so that both share
// the machine's ups and downs: each pair of batches gives one ratio, and the
// median of those ratios is what a budget judges.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Small, so that the two batches of a pair run under the same load.
const int kSamplesPerBatch = 10;

// One way to take a sample at a point. Begin and end, either of them NULL,
// stand untimed around each batch: they show and hide what the way needs.
struct SampleWay {
    void (*take)(POINT point);
    void (*begin)(POINT first);
    void (*end)();
};

struct PairedTimes {
    std::vector<double> figureUs; // per sample, one value per batch
    std::vector<double> floorUs;
    std::vector<double> ratios; // one per pair of batches
};

// One batch of each over the same kSamplesPerBatch points; which goes first
// alternates from pair to pair.
void TimePairOfBatches(const SampleWay &figure, const SampleWay &floor, const POINT *points,
                       PairedTimes *times);

// A row: the figure, its floor, the median of the per-pair ratios, and the
// budget that ratio must meet (none when budget is 0).
void AddPairedRow(const std::string &what, const std::string &floorWhat, const PairedTimes &times,
                  double budget);
