#include "tools/bench/table.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace
{

struct Row {
    std::string what;
    std::string figure;
    std::string reference;
    std::string ratio;
    std::string budget;
    Verdict verdict;
};

std::vector<Row> g_rows;
bool g_failed = false;

const char *VerdictText(Verdict verdict)
{
    switch (verdict) {
    case kMet:
        return "yes";
    case kMissed:
        return "**no**";
    case kUnmeasured:
        return "not measured";
    case kNoBudget:
        break;
    }
    return "";
}

} // namespace

Verdict AtMost(double value, double limit)
{
    if (std::isnan(value))
        return kUnmeasured;
    return value <= limit ? kMet : kMissed;
}

Verdict Within(double value, double low, double high)
{
    if (std::isnan(value))
        return kUnmeasured;
    return value >= low && value <= high ? kMet : kMissed;
}

std::string Format(const char *format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

std::string Figure(const char *format, double value)
{
    return std::isnan(value) ? "not measured" : Format(format, value);
}

std::string Ratio(double value)
{
    return Figure("%.2f", value);
}

void AddRow(const std::string &what, const std::string &figure, const std::string &reference,
            const std::string &ratio, const std::string &budget, Verdict verdict)
{
    g_rows.push_back({what, figure, reference, ratio, budget, verdict});
}

void Fail(const char *format, ...)
{
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    std::fprintf(stderr, "bench: %s\n", text);
    g_failed = true;
}

bool Failed()
{
    return g_failed;
}

void PrintTable(bool judge)
{
    std::printf("| what | figure | floor / reference | ratio | budget |%s\n",
                judge ? " met |" : "");
    std::printf("|---|---:|---|---:|---|%s\n", judge ? "---|" : "");
    for (const Row &row : g_rows) {
        std::printf("| %s | %s | %s | %s | %s |", row.what.c_str(), row.figure.c_str(),
                    row.reference.c_str(), row.ratio.c_str(), row.budget.c_str());
        if (judge)
            std::printf(" %s |", VerdictText(row.verdict));
        std::printf("\n");
    }
    std::fflush(stdout);
}
