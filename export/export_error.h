#pragma once

#include "engine/engine_error.h"

namespace zef {

// A declaration file that cannot be written: a value the file cannot carry, or a file system
// failure. The message names what failed, for the error box and the log; nothing was saved.
class ExportError : public EngineError
{
public:
    using EngineError::EngineError;
};

} // namespace zef
