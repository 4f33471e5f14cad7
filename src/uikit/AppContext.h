#pragma once

namespace brassbell {

class ConsoleLink;
class Store;
class Dialogs;

// What every tab of the main window works with: the game console, Rules.mdb and the
// dialogs. Owned by main() (or a test) and outliving the window.
struct AppContext {
    ConsoleLink& console;
    Store& store;
    Dialogs& dialogs;
};

} // namespace brassbell
