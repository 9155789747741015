#pragma once
// The steps every control and window operation takes before it acts: the object's record,
// its kind, its window, and the arguments. Each failing step raises its error with the
// location code of the operation and the step's check number: 1 null variable address,
// 2 no record, 3 wrong kind, 4 window gone; the arguments follow from 5.

#include <cstdint>
#include <initializer_list>

#include "platform/model.hpp"
#include "runtime/error.hpp"
#include "runtime/objects.hpp"
#include "runtime/window_system.hpp"
#include "toolkit/toolkit.hpp"

namespace toolkit {

[[noreturn]] inline void fail(int error, std::uint32_t operation, std::uint32_t check) {
    runtime::raiseError(error, location(operation, check));
}

// Accepted object kinds. `anyWindow` stands for every window kind (forms, controls, text
// windows, bitmap buttons).
inline constexpr std::uint32_t anyWindow = 0;
using Kinds = std::initializer_list<std::uint32_t>;

inline bool kindAccepted(std::uint32_t k, Kinds kinds) {
    for (const std::uint32_t accepted : kinds)
        if (accepted == k || (accepted == anyWindow && runtime::isWindowKind(k))) return true;
    return false;
}

struct Target {
    runtime::ObjectRecord record;
    const platform::Window* window = nullptr;  // the model's window, for reading
    platform::Handle handle = 0;
};

struct CheckRules {
    int nullError = runtime::err::NullVariable;     // a null variable address
    int kindError = runtime::err::WrongObjectKind;  // a kind the operation does not take
};

// Steps 1 to 3 of the common pattern. A caller changes the window through the model's
// plain operations (or Model::change), never through the pointer returned here.
inline Target checkedTarget(const ObjectVar* variable, std::uint32_t operation, Kinds kinds, CheckRules rules = {}) {
    if (variable == nullptr) fail(rules.nullError, operation, 1);
    const auto record = runtime::getRecord(variable);
    if (!record) fail(runtime::err::ObjectInvalid, operation, 2);
    if (!kindAccepted(record->kind, kinds)) fail(rules.kindError, operation, 3);
    platform::Model& m = runtime::model();
    if (record->window == 0 || !m.exists(record->window)) fail(runtime::err::ObjectInvalid, operation, 4);
    return Target{*record, m.find(record->window), record->window};
}

// A truth value: exactly -1 or 0.
inline bool checkedFlag(std::int16_t flag, std::uint32_t operation, std::uint32_t check) {
    if (flag != True && flag != False) fail(runtime::err::IllegalArgument, operation, check);
    return flag == True;
}

}  // namespace toolkit
