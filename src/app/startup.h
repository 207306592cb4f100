#pragma once

namespace tressal::app {

// Starts the program: French texts, the main window, the event loop. --help and --version
// print their text on the terminal and return without opening a window.
int RunApplication(int argc, char** argv);

} // namespace tressal::app
