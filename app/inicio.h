#pragma once

namespace zef {

// Runs the program: start-up, message loop, end. Returns the process exit status.
int executaPrograma(int &argc, char **argv);

} // namespace zef
