#pragma once

// STS export model as the Vesko and PMB teacher conversions read it (variant
// B): besides the names, ID, CIVILITE, DATE_NAISSANCE, the first DISCIPLINE
// of a person, and the divisions with every teacher of their services.

#include "sts/sts_nodes.h"

namespace tressal::sts {

namespace b = common;

} // namespace tressal::sts
