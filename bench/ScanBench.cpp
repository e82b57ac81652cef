// Times one tick of the window scan over a desktop of 200 windows for block
// lists of 10, 1,000 and 10,000 entries, against a plain block-list pass.
// `vandrel_bench --ratios` repeats every benchmark, prints the ratios between
// them and exits 1 when a tick with 10,000 entries costs more than twice one
// with 10 entries.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchWorkload.h"
#include "RatioReport.h"

namespace vandrel {
namespace {

constexpr std::size_t kEntryCounts[] = {10, 1000, 10000};
constexpr std::size_t kSmallestAndLargestEntryCounts[] = {10, 10000};
constexpr double kTickGrowthGoal = 2.0;

std::string Named(const char* family, std::size_t entries) {
  return std::string(family) + "/" + std::to_string(entries);
}

// Keeps every repetition's CPU time per iteration for the ratios and shows
// the runs as the console reporter does, without colours so that the output
// reads well in a log; with `summariesOnly`, only the aggregates of repeated
// runs are shown.
class CollectingReporter : public benchmark::ConsoleReporter {
 public:
  CollectingReporter(TimingTable& timings, bool summariesOnly)
      : ConsoleReporter(OO_Tabular), timings_(timings), summariesOnly_(summariesOnly) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown;
    for (const Run& run : runs) {
      const bool repetition = run.run_type == Run::RT_Iteration;
      if (repetition && !run.error_occurred) {
        const double nanoseconds = run.GetAdjustedCPUTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        timings_.Add(run.run_name.function_name, nanoseconds);
      }
      if (!summariesOnly_ || !repetition || run.repetitions <= 1) shown.push_back(run);
    }
    if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
  }

 private:
  TimingTable& timings_;
  bool summariesOnly_;
};

// The workloads live in main() for the whole run; benchmarks refer to them.
struct Workloads {
  std::map<std::size_t, std::unique_ptr<BenchWorkload>> noMatch;
  std::map<std::size_t, std::unique_ptr<BenchWorkload>> oneMatch;
  std::map<std::size_t, std::unique_ptr<BenchWorkload>> indexed;
};

// A benchmark of one tick per iteration, the real one or the plain one.
void RegisterTick(const std::string& name, BenchWorkload& workload, std::size_t (BenchWorkload::*tick)()) {
  benchmark::RegisterBenchmark(name.c_str(), [&workload, tick](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize((workload.*tick)());
  });
}

void RegisterTickBenchmarks(Workloads& workloads) {
  for (const std::size_t entries : kEntryCounts) {
    BenchWorkload& workload =
        *(workloads.noMatch[entries] = std::make_unique<BenchWorkload>(entries, BlockMatch::None));
    RegisterTick(Named("BM_Tick", entries), workload, &BenchWorkload::Tick);
    RegisterTick(Named("BM_NaiveTick", entries), workload, &BenchWorkload::NaiveTick);
    // The matcher alone over the frames' title parts: what the block list adds to a tick.
    benchmark::RegisterBenchmark(Named("BM_MatcherFindAll", entries).c_str(), [&workload](benchmark::State& state) {
      std::vector<std::uint32_t> matches;
      for (auto _ : state) {
        for (const std::string& titlePart : workload.TitleParts()) {
          workload.Matcher().FindAll(titlePart, matches);
          benchmark::DoNotOptimize(matches.data());
        }
      }
    });
  }
  for (const std::size_t entries : kSmallestAndLargestEntryCounts) {
    BenchWorkload& workload =
        *(workloads.oneMatch[entries] = std::make_unique<BenchWorkload>(entries, BlockMatch::OneFrame));
    RegisterTick(Named("BM_TickOneMatch", entries), workload, &BenchWorkload::Tick);
  }
  // Over the indexed desktop a read costs little, so the block list weighs
  // far more in a tick than over the in-memory desktop: the harder test.
  for (const std::size_t entries : kSmallestAndLargestEntryCounts) {
    BenchWorkload& workload = *(workloads.indexed[entries] =
                                    std::make_unique<BenchWorkload>(entries, BlockMatch::None, DesktopDouble::Indexed));
    RegisterTick(Named("BM_TickIndexed", entries), workload, &BenchWorkload::Tick);
  }
  const BenchWorkload& largest = *workloads.noMatch.at(10000);
  benchmark::RegisterBenchmark("BM_MatcherBuild/10000", [&largest](benchmark::State& state) {
    for (auto _ : state) {
      TitleMatcher matcher(largest.Entries(), largest.Upper());
      benchmark::DoNotOptimize(&matcher);
    }
  })->Unit(benchmark::kMillisecond);
}

const std::vector<RatioCheck>& RatioChecks() {
  static const std::vector<RatioCheck> checks = {
      {"tick10000/tick10", "BM_Tick/10000", "BM_Tick/10", kTickGrowthGoal},
      {"tick1000/tick10", "BM_Tick/1000", "BM_Tick/10", std::nullopt},
      {"naivetick10000/tick10000", "BM_NaiveTick/10000", "BM_Tick/10000", std::nullopt},
      {"naivetick10/tick10", "BM_NaiveTick/10", "BM_Tick/10", std::nullopt},
      {"tickonematch10000/tick10000", "BM_TickOneMatch/10000", "BM_Tick/10000", std::nullopt},
      {"tickindexed10000/tickindexed10", "BM_TickIndexed/10000", "BM_TickIndexed/10", kTickGrowthGoal},
      {"findall10000/findall10", "BM_MatcherFindAll/10000", "BM_MatcherFindAll/10", std::nullopt},
  };
  return checks;
}

// The flags the ratios need: enough repetitions, interleaved so that a busy
// moment of the machine spreads over all benchmarks instead of hitting one.
std::vector<std::string> RatioFlags() {
  return {"--benchmark_repetitions=7", "--benchmark_enable_random_interleaving=true", "--benchmark_min_time=0.1"};
}

// Pulls "--ratios" out of the arguments; with it, `ratioFlags` come first, so
// that flags given on the command line still override them. The result
// points into `ratioFlags` and ends with a null pointer.
std::vector<char*> PrepareArguments(int argc, char** argv, std::vector<std::string>& ratioFlags, bool& ratios) {
  std::vector<char*> args(argv, argv + argc);
  const auto flag =
      std::find_if(args.begin(), args.end(), [](const char* arg) { return std::strcmp(arg, "--ratios") == 0; });
  ratios = flag != args.end();
  if (ratios) {
    args.erase(flag);
    for (std::size_t i = 0; i < ratioFlags.size(); ++i) {
      args.insert(args.begin() + 1 + static_cast<std::ptrdiff_t>(i), ratioFlags[i].data());
    }
  }
  args.push_back(nullptr);
  return args;
}

}  // namespace
}  // namespace vandrel

int main(int argc, char** argv) {
  using namespace vandrel;
  bool ratios = false;
  std::vector<std::string> ratioFlags = RatioFlags();
  std::vector<char*> args = PrepareArguments(argc, argv, ratioFlags, ratios);
  int count = static_cast<int>(args.size()) - 1;
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

  Workloads workloads;
  RegisterTickBenchmarks(workloads);
  TimingTable timings;
  CollectingReporter reporter(timings, ratios);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (!ratios) return 0;

  std::cout << '\n';
  const bool met = WriteRatioReport(timings, RatioChecks(), std::cout);
  if (const auto build = timings.Find("BM_MatcherBuild/10000")) {
    std::cout << "matcher build 10000 entries = " << build->minimum / 1e6 << " ms min, " << build->median / 1e6
              << " ms median\n";
  }
  return met ? 0 : 1;
}
