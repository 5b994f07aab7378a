#pragma once

#include "engine/engine_error.h"

namespace zef::print {

// A printed document that could not be made or written; the message names what and where.
class PrintError : public EngineError
{
public:
    using EngineError::EngineError;
};

} // namespace zef::print
