#pragma once

#include "util/Failure.h"

namespace spreadsheet {

// A workbook that cannot be read or written; the message is Thai and ready for the error box.
class Error : public Failure {
public:
    using Failure::Failure;
};

} // namespace spreadsheet
