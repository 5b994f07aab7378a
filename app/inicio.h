#pragma once

#include <functional>

namespace zef {

class Programa;

// Runs the program: start-up, message loop, end. Returns the process exit status.
// ligaJanelas plugs the windows of the registers, the export and the imports into the
// program's entries before the data module runs its start-up.
int executaPrograma(int &argc, char **argv, const std::function<void(Programa &)> &ligaJanelas = {});

} // namespace zef
