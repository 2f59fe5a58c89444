#pragma once
// Menu commands by item name, as the application and each window keep them.
#include <functional>
#include <map>
#include <string>

class MenuHandlers {
  public:
    // A later handler for the same item replaces the earlier one.
    void Add(const std::string& itemName, std::function<bool()> handler);
    // Runs the item's handler through Application::Dispatch; true when it took the command.
    bool Handle(const std::string& itemName) const;
    bool Has(const std::string& itemName) const { return handlers_.contains(itemName); }

  private:
    std::map<std::string, std::function<bool()>> handlers_;
};
