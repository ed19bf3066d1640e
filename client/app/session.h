#pragma once
// The one session object of the run, through which every request to the service goes.

#include "client/service/security.h"

namespace kv::app {

// The session object, made on first use and kept until the program ends.
kv::service::clsSecurity& security();

} // namespace kv::app
