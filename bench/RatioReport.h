#pragma once
#include <cstddef>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vandrel {

// One benchmark's time per iteration over its repetitions, in nanoseconds.
struct Timing {
  double minimum = 0;
  double median = 0;
  std::size_t runs = 0;
};

// Requires at least one sample.
Timing Summarise(std::vector<double> samples);

// Times per iteration collected from one run of the benchmarks, by name.
class TimingTable {
 public:
  void Add(const std::string& name, double nanoseconds);
  std::optional<Timing> Find(const std::string& name) const;
  std::vector<std::string> Names() const;

 private:
  std::map<std::string, std::vector<double>> samples_;
};

// numerator / denominator, both benchmark names; a goal is an upper bound.
struct RatioCheck {
  std::string label;
  std::string numerator;
  std::string denominator;
  std::optional<double> goal;
};

// Writes one line per timing, then one per ratio ("ratio tick10000/tick10 =
// 1.12 (goal <= 2.0)"). A ratio is taken between the minimums, the least
// disturbed runs on a busy machine; the ratio of the medians follows for
// comparison. Returns whether every goal was met; a ratio whose benchmarks
// did not run misses its goal.
bool WriteRatioReport(const TimingTable& timings, const std::vector<RatioCheck>& checks, std::ostream& out);

}  // namespace vandrel
