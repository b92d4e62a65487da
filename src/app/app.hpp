#pragma once
// The window program as a callable: main() hands over to it.

namespace pelorin {

// Creates the application and MainForm with the platform's services, shows the window
// and runs until the program ends.
int runPelorin(int argc, char** argv);

}  // namespace pelorin
