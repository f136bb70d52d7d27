#pragma once

#include "common/plain_console_reporter.h"

#include <map>
#include <string>
#include <vector>

namespace kestrova::bench {

/// Prints the table and keeps each benchmark's median wall time in milliseconds, for the
/// summary line a benchmark ends with.
class MedianReporter : public PlainConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    /// The median of the benchmark `name` ("BM_Load"), or of one of its argument sets
    /// ("BM_Read/html:0/MB:3"); 0 when it did not run.
    double millis(const std::string &name) const;

private:
    std::map<std::string, double> m_millis;
};

} // namespace kestrova::bench
