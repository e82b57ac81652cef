#pragma once
#include <vector>

#include "eraser/EraseChoices.h"
#include "eraser/EraseTools.h"

namespace vandrel {

// One step of an erase pass: its name (the status bar's and the report's),
// whether the choice selects it, and what it runs.
struct EraseStep {
  const char* name;
  bool (*chosen)(const EraseSelection&);
  void (*run)(EraseTools&);
};

// Every step in the pass's order. With All the browser's folders run as
// cookies, history, cache, then the stored form passwords; without it each
// chosen one runs as cache, cookies, history. Ask `chosen` at the step's
// turn: the boxes may change while a pass runs.
const std::vector<EraseStep>& EraseSteps();

// The URL-cache searches the choice selects, with the step each belongs to:
// one of everything with All, else the pages, cookies and visits chosen.
struct CacheStep {
  const char* name;
  CacheSearch search;
};
std::vector<CacheStep> ChosenCacheSteps(const EraseSelection& chosen);

}  // namespace vandrel
