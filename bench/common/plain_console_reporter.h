#pragma once

#include <benchmark/benchmark.h>

namespace kestrova::bench {

/// The console table, coloured only on a terminal. Into a pipe or a file every line is plain
/// text, so the summary lines a benchmark prints after the table start at a line's beginning
/// (a colour reset printed after each row's line end would otherwise lead the next line).
class PlainConsoleReporter : public benchmark::ConsoleReporter
{
public:
    PlainConsoleReporter();
};

} // namespace kestrova::bench
