#pragma once

namespace tressal::app {

// Starts the program: French texts, the main window, the event loop.
int RunApplication(int argc, char** argv);

} // namespace tressal::app
