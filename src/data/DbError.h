#pragma once

#include "util/Failure.h"

namespace db {

// Every failure of the catalog (open, statement, schema) is raised as this one type; it carries
// the server's own message, which the screens show in the standard error box.
class Error : public Failure {
public:
    using Failure::Failure;
};

} // namespace db
