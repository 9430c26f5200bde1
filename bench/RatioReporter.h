// Remembers the wall time per iteration of each benchmark, in the unit the benchmark reports, so
// that main can print the ratios against a peer or another path. With repetitions, the aggregate
// named by `stands` ("mean" or "median") stands for the benchmark; otherwise its one run does.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  explicit RatioReporter(std::string stands = "mean") : stands_(std::move(stands)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != stands_) continue;
      times[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::map<std::string, double> times;

 private:
  std::string stands_;
};
