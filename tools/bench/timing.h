// Clocks, medians and the message pump the parts of the benchmark share.
#pragma once

#include <windows.h>

#include <vector>

void StartClock();
double NowUs();
// NaN (not measured) when there is nothing to take the median of.
double Median(std::vector<double> values);

// What the message loop does between two pointer moves: empty the queue.
// Under Wine that is also when a window's new pixels reach the screen.
void Pump();
void PumpFor(DWORD ms);
