#pragma once

namespace app {
class CommandRegistry;
}

namespace cards {

// "Skladovakarta21": the stock-card browser for browsing only.
void registerCommands(app::CommandRegistry& r);

} // namespace cards
