#pragma once
// The text form of a form resource, one file per form (UTF-8). A form source states the
// form and its controls with what differs from the defaults of their kind; every other
// record gets the value the format prescribes, and every object gets the full event list
// of its kind. Documented in tools/forms/FORMS.md.

#include <stdexcept>
#include <string>
#include <string_view>

#include "runtime/form_resource.hpp"

namespace tools {

class FormSourceError : public std::runtime_error {
public:
    FormSourceError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
    int line() const { return line_; }

private:
    int line_;
};

// Compiles a form source; throws FormSourceError naming the line of the first fault.
runtime::FormResource compileFormSource(std::string_view utf8Source);

}  // namespace tools
