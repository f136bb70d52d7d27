#include "common/median_reporter.h"

namespace kestrova::bench {

void MedianReporter::ReportRuns(const std::vector<Run> &runs)
{
    PlainConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
            continue;
        const double perMs = benchmark::GetTimeUnitMultiplier(run.time_unit) / 1000.0;
        std::string name = run.run_name.function_name;
        if (!run.run_name.args.empty())
            name += "/" + run.run_name.args;
        m_millis[name] = run.GetAdjustedRealTime() / perMs;
    }
}

double MedianReporter::millis(const std::string &name) const
{
    const auto it = m_millis.find(name);
    return it == m_millis.end() ? 0.0 : it->second;
}

} // namespace kestrova::bench
