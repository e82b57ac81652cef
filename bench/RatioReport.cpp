#include "RatioReport.h"

#include <algorithm>
#include <iomanip>
#include <ostream>

namespace vandrel {

Timing Summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  const std::size_t middle = samples.size() / 2;
  const double median = samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
  return {samples.front(), median, samples.size()};
}

void TimingTable::Add(const std::string& name, double nanoseconds) { samples_[name].push_back(nanoseconds); }

std::optional<Timing> TimingTable::Find(const std::string& name) const {
  const auto found = samples_.find(name);
  if (found == samples_.end()) return std::nullopt;
  return Summarise(found->second);
}

std::vector<std::string> TimingTable::Names() const {
  std::vector<std::string> names;
  for (const auto& [name, samples] : samples_) names.push_back(name);
  return names;
}

bool WriteRatioReport(const TimingTable& timings, const std::vector<RatioCheck>& checks, std::ostream& out) {
  out << std::fixed;
  for (const std::string& name : timings.Names()) {
    const Timing timing = *timings.Find(name);
    out << "time " << name << " = " << std::setprecision(0) << timing.minimum << " ns min, " << timing.median
        << " ns median over " << timing.runs << " runs\n";
  }

  bool allMet = true;
  for (const RatioCheck& check : checks) {
    const auto numerator = timings.Find(check.numerator);
    const auto denominator = timings.Find(check.denominator);
    out << "ratio " << check.label << " = ";
    if (!numerator || !denominator) {
      out << "not measured (" << check.numerator << " or " << check.denominator << " did not run)";
      if (check.goal) allMet = false;
      out << '\n';
      continue;
    }
    const double ratio = numerator->minimum / denominator->minimum;
    out << std::setprecision(2) << ratio;
    if (check.goal) {
      out << " (goal <= " << std::setprecision(1) << *check.goal << ")";
      if (ratio > *check.goal) {
        out << " MISSED";
        allMet = false;
      }
    }
    out << std::setprecision(2) << " [medians: " << numerator->median / denominator->median << "]\n";
  }
  return allMet;
}

}  // namespace vandrel
