// The benchmark's one table: each part adds rows, the run prints them as
// Markdown. A figure that could not be measured is NaN: it prints as "not
// measured" and is never judged.
#pragma once

#include <limits>
#include <string>

const double kNotMeasured = std::numeric_limits<double>::quiet_NaN();

enum Verdict { kNoBudget, kMet, kMissed, kUnmeasured };

Verdict AtMost(double value, double limit);
Verdict Within(double value, double low, double high);

std::string Format(const char *format, ...);
// The value in the format, or "not measured".
std::string Figure(const char *format, double value);
std::string Ratio(double value);

void AddRow(const std::string &what, const std::string &figure, const std::string &reference = "",
            const std::string &ratio = "", const std::string &budget = "",
            Verdict verdict = kNoBudget);

// Something the program had to do did not work: the run's exit code says so.
void Fail(const char *format, ...);
bool Failed();

void PrintTable(bool judge);
