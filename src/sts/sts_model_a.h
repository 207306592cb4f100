#pragma once

// STS export model as the Orlane teacher conversions read it (variant A):
// INDIVIDUS and their names. One model serves both variants (sts_nodes.h);
// variant A's conversions do not read the members only variant B reads.

#include "sts/sts_nodes.h"

namespace tressal::sts {

namespace a = common;

} // namespace tressal::sts
