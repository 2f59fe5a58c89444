#include "platform/MenuHandlers.h"

#include "platform/Application.h"

void MenuHandlers::Add(const std::string& itemName, std::function<bool()> handler) {
    handlers_[itemName] = std::move(handler);
}

bool MenuHandlers::Handle(const std::string& itemName) const {
    const auto found = handlers_.find(itemName);
    if (found == handlers_.end()) return false;
    bool handled = false;
    Application::Dispatch([&] { handled = found->second(); });
    return handled;
}
