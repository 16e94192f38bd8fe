// The parts of tanzel's benchmark, each by what it measures, and the one
// place that reaches into the program (picker_glue.cpp).
#pragma once

#include <windows.h>

#include <vector>

struct Plan {
    int samplePairs; // pairs of batches of each paired way
    int longDragSamples;
    std::vector<int> farmSizes;
    int dropRounds; // each size in each round
    int dropTurns;  // pairs at the largest size in each round; more at the smaller
    int startRounds;
    int stillPairs; // a still of the program's and a bare one in each
};

// size.cpp
void MeasureSize();

// startup.cpp
void MeasureFirstStart(const Plan &plan);
void MeasureSecondStart(const Plan &plan);
// Child modes: microseconds from WinMain's entry to its end, or kChildFailed.
DWORD RunFirstStart(bool warm);
DWORD RunSecondStart(bool warm);

// samples.cpp: samples, their repaint, the loupe, and a long drag
void MeasureSamples(const Plan &plan, HWND picker);

// still.cpp: from the still key to the still on the screen, and what twenty
// stills leave behind
void MeasureStill(const Plan &plan, HWND picker);

// drop.cpp
void MeasureDrop(const Plan &plan, HWND picker);
// Child mode: a stand-in host dialog and COUNT windows of another program.
int RunFarm(const char *eventName, int count);

// picker_glue.cpp: the program, reached from here only (its loupe from
// bench_loupe.cpp).

// Loads the picker's names; whether a picker runs on this desktop.
bool PickerAlreadyRuns();
enum PickerStart { kPickerShown, kPickerRefused, kPickerFailed };
// What WinMain does before its message loop: the window shown and painted,
// or refused because a picker already runs.
PickerStart StartPicker(HWND *window);
const char *PickerClassName();
const char *PickerTitle();
// The title the picker looks for to find the host colour dialog.
const char *HostDialogTitle();
// SampleScreenColor: reads the point, keeps it, and asks for the repaint.
void TakeProgramSample(HWND picker, POINT point);
void SetPickedColor(int red, int green, int blue);
// SendColorToDialog: what Drop does.
void DropColor(HWND picker);
// The side of the square a sample averages, 1 for one pixel.
void SetAverageSide(int side);
// The pick key's message as the system sends it: a pick under the pointer,
// the swatch painted, the recent colours written.
void PressPickKey(HWND picker);
// The still key's message as the system sends it: a still begins, or the
// one shown ends; whether one shows.
void PressStillKey(HWND picker);
bool StillShows();
// What the first Drop adds: comdlg32.dll mapped and the colour dialog's
// caption read from it; false when there is none.
bool ReadSystemDialogTitle();
