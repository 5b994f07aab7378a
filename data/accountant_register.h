#pragma once

#include "data/taxpayer_register.h"

#include <optional>

namespace zef {

class Dataset;

// The checks of the accountant register (Contador.DB) on the record being edited, in the order
// the user meets them; the first that fails is returned. Nothing when the record may be stored.
std::optional<RecusaCadastro> verificaContador(const Dataset &contador);

} // namespace zef
