#include "vendortools/Finding.h"

namespace kestavo::vendortools {

const char* SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        default:
            return "note";
    }
}

}  // namespace kestavo::vendortools
