// The parts of tanzel's benchmark, each by what it measures, and the one
// place that reaches into the program's state.
#pragma once

#include <windows.h>

#include <vector>

#include "picker/color_math.h"
#include "picker/swatch.h"

struct Plan {
    int sampleRounds;
    int samplesPerBatch;
    std::vector<int> farmSizes;
    int dropRounds; // each size in each round
    int startRounds;
};

// size.cpp
void MeasureSize();

// startup.cpp
void MeasureFirstStart(const Plan &plan);
void MeasureSecondStart(const Plan &plan);
// Child modes: microseconds from WinMain's entry to its end, or kChildFailed.
DWORD RunFirstStart(bool warm);
DWORD RunSecondStart(bool warm);

// samples.cpp: samples, their repaint, and the loupe
void MeasureSamples(const Plan &plan, HWND picker);

// drop.cpp
void MeasureDrop(const Plan &plan, HWND picker);
// Child mode: a stand-in host dialog and COUNT windows of another program.
int RunFarm(const char *eventName, int count);

// picker_glue.cpp: the program's state, reached from here only.
HWND PickerMainWindow();
const char *PickerClassName();
const char *PickerTitle();
void SetPickedColor(const ColorSample &sample);
ColorSample PickedColor();
// A sample as a drag takes one, and a Drop of the current colour.
void SampleScreenColor(HWND picker, int x, int y);
void SendColorToDialog(HWND picker);
