// What the benchmark and the bare start-up program agree on.
#pragma once

const char kBareStartClass[] = "TanzelBenchBareStart";
const char kBareStartTitle[] = "bare start";
