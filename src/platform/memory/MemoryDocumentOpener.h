#pragma once
#include <string>
#include <vector>

#include "platform/DocumentOpener.h"

namespace vandrel {

class MemoryDocumentOpener : public DocumentOpener {
 public:
  struct Request {
    std::string target;
    ShowCommand show;
    bool ownedByApplication;
  };
  void Open(const std::string& target, ShowCommand show, bool ownedByApplication) override {
    opened.push_back({target, show, ownedByApplication});
  }
  std::vector<Request> opened;
};

}  // namespace vandrel
